// The connection of a network game over ENet: one reliable, ordered channel,
// one message per packet. Hosting waits for a guest and agrees with it;
// joining connects and introduces itself. The only code that includes ENet.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "net/message.h"
#include "net/transport.h"

namespace net {

// How long a guest waits for the host to answer, at connecting and at agreeing.
constexpr int kJoinTimeoutMs = 5000;

// Listens on UDP `port` of every interface (0: a free port) and reports the
// port through `listening`. Waits for a guest whose introduction agrees with
// `local` (judge_guest), answers it with `welcome` and returns the connection
// to it. Guests that do not agree are refused, the reason printed on both
// sides, and the wait goes on. While the game runs, whoever else connects is
// refused because the host has a guest. Null with `error` when the port
// cannot be opened.
// The guest's introduction goes to `guest`.
std::unique_ptr<Transport> wait_for_guest(int port, const Hello& local, const Welcome& welcome,
                                          const std::function<void(int port)>& listening, Hello& guest,
                                          std::string& error);

// Connects to `host` (a name or an IPv4 address) on `port`, introduces itself
// with `hello` and returns the connection once the host welcomed it, with the
// host's settings in `welcome`. Null with `error` when the host cannot be
// reached within kJoinTimeoutMs or refuses.
std::unique_ptr<Transport> join_host(const std::string& host, int port, const Hello& hello, Welcome& welcome,
                                     std::string& error);

}  // namespace net
