// The connection of a network game as the game sees it: whole messages to and
// from the one other player, each sent reliably and in order, or unreliably
// (the inputs: each message repeats what a lost one carried). Implemented over
// ENet (enet_transport.h) and, in the tests, in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace net {

class GameLog;

enum class Delivery { Reliable, Unreliable };

struct LinkEvent {
    // Returned: the guest took its seat again (on the host, after its
    // connection dropped or while the host still thought it there).
    enum class Kind { None, Received, Closed, Returned };
    Kind kind = Kind::None;
    std::vector<uint8_t> bytes;  // Received: one message as it arrived
    bool anew = false;           // Returned: a program started again, to catch up from frame 1
};

class Transport {
public:
    virtual ~Transport() = default;
    // Queues one message for the other side and sends it at once.
    virtual void send(const std::vector<uint8_t>& bytes, Delivery delivery) = 0;
    // The next thing that happened, waiting at most `wait_ms` for one.
    virtual LinkEvent poll(int wait_ms) = 0;
    // Hangs up after what was sent has gone out (as far as a short wait allows).
    virtual void close() = 0;
    // Hangs up at once: the other side has gone silent and would never
    // acknowledge a goodbye.
    virtual void abandon() { close(); }
    // How long the other side may stay silent before the connection counts as
    // dropped.
    virtual void set_silence_limit(int /*ms*/) {}
    // The host's spectators: each is sent what it is due of the host's
    // record, and those too far behind are dropped.
    virtual void serve_audience(const GameLog& /*log*/) {}
    // The game is over: each spectator is sent the rest of the record, then
    // goodbye. Hanging up on the other player (close) leaves the spectators
    // be, so the frames the host still plays reach them.
    virtual void end_audience(const GameLog& /*log*/) {}
    virtual size_t audience_size() const { return 0; }
};

}  // namespace net
