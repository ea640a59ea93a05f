// The connection of a network game over ENet: one channel of reliable,
// ordered messages and one of unreliable inputs. Hosting waits for a guest
// that gives the join code and agrees; joining connects, gives the code and
// introduces itself. Only src/net/enet_*.cpp include ENet.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/message.h"
#include "net/transport.h"

namespace net {

// How long a guest waits for the host to answer, at connecting and between
// the steps of agreeing.
constexpr int kJoinTimeoutMs = 5000;
// How long the host gives a guest that gave the code to agree (its file list,
// the round trips), before it waits for another.
constexpr int kAgreeTimeoutMs = 15000;
// Round trips the host measures before it chooses the input delay.
constexpr int kProbes = 8;
constexpr int kProbeGapMs = 15;
constexpr int kProbeWaitMs = 1000;

// What the host waits with and what it settles.
struct HostTerms {
    std::string code;  // empty: any guest
    Hello local;       // its program and data
    std::vector<DataEntry> files;
    Welcome welcome;       // the delay is filled in when measure_delay
    bool measure_delay = true;
    std::string name;  // what a guest looking for games is told
};

// The guest that joined.
struct Arrival {
    Hello hello;
    std::string token;  // its seat, for coming back
    int delay = 0;
    std::vector<double> round_trips_ms;
};

class GuestWait {
public:
    // Listens on UDP `port` of every interface (0: a free port). Null with
    // `error` when it cannot.
    static std::unique_ptr<GuestWait> listen(int port, std::string& error);
    ~GuestWait();
    GuestWait(const GuestWait&) = delete;
    GuestWait& operator=(const GuestWait&) = delete;

    int port() const { return port_; }
    // Waits for a guest that gives the code and agrees, answers it with the
    // welcome and returns the connection to it. Guests that do not agree are
    // refused, the reason printed on both sides, and the wait goes on.
    // `tick` is called every few tens of milliseconds; false from it gives up
    // (null, no error). Null with `error` when the network fails.
    std::unique_ptr<Transport> wait(const HostTerms& terms, const std::function<bool()>& tick, Arrival& arrival,
                                    std::string& error);

private:
    struct State;
    explicit GuestWait(std::unique_ptr<State> state, int port);
    std::unique_ptr<State> state_;
    int port_;
};

// What a guest learns on its way in.
struct Joining {
    Welcome welcome;
    // When the data differ: the first file that does, as this side sees it.
    std::string data_difference;
};

// Connects to `host` (a name or an IPv4 address) on `port`, gives `hello`
// (with its code) and returns the connection once the host welcomed it.
// `files`: this side's data files, sent when the host asks. Null with `error`
// saying what happened (refused and why, no game hosted there, no answer).
std::unique_ptr<Transport> join_host(const std::string& host, int port, const Hello& hello,
                                     const std::vector<DataEntry>& files, Joining& joining, std::string& error);

}  // namespace net
