// Strangers at a host's door, for the network scenarios and the benchmarks:
// raw UDP datagrams of any size, crowds of ENet connections that never say
// hello (idle, or a flood of attempts), a knock with a message of the test's
// choosing, and a guest of our own making that gives the right code and then
// plays along badly. Each speaks from a loopback address of the caller's
// choosing, so the real guest's (127.0.0.1) stays out of the host's count of
// wrong codes.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "net/message.h"

namespace scenario {

// One UDP datagram of `size` bytes (junk) to 127.0.0.1:`port` from `from`.
bool send_datagram(int port, size_t size, const std::string& from = "127.0.0.1");

// ENet connections from `from` to the host on `port` that never send a
// message: started over a while, served (so they stay alive as far as they
// can) on a thread of their own until stop() or the end.
class StrangerCrowd {
public:
    StrangerCrowd(const std::string& from, int port, int attempts, int over_ms);
    ~StrangerCrowd();
    StrangerCrowd(const StrangerCrowd&) = delete;
    StrangerCrowd& operator=(const StrangerCrowd&) = delete;

    // Connections the host accepted so far, and those it dropped since.
    int connected() const { return connected_.load(); }
    int dropped() const { return dropped_.load(); }
    int attempted() const { return attempted_.load(); }
    void stop();

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> connected_{0}, dropped_{0}, attempted_{0};
    std::thread thread_;
};

// Connects from `from`, sends `first` as its first message and gathers what
// the host answers until it hangs up or `ms` pass. `connected` tells whether
// the host took the connection at all.
std::vector<net::Message> knock(int port, const std::vector<uint8_t>& first, const std::string& from, int ms,
                                bool* connected = nullptr);

// A guest that agrees with the host (right code, same data) and then:
enum class Misdeed {
    FramesFarAhead,   // plays along a while, then sends input for 40,000 frames on, as fast as it can
    NoDigests,        // plays along, never sending a state digest
    WrongDigestAndHugeTexts,  // plays along with a wrong digest, then sends its largest state text again and again
};

struct MisdeedOutcome {
    bool welcomed = false;
    int delay = 0;
    long frames = 0;  // the last frame of the host's input it held
    std::vector<net::Message> received;  // after the welcome
    bool hung_up = false;  // the host disconnected it
};

MisdeedOutcome misbehave(int port, const net::Hello& hello, Misdeed misdeed, int ms,
                         const std::string& from = "127.0.0.1");

}  // namespace scenario
