// A UDP relay on the loopback for network scenarios: it stands between a
// guest and a host and delays, reorders, duplicates and drops packets. Bounded
// in packets and in time, so a test that goes wrong cannot keep it busy. The
// faults may change while it runs.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

namespace scenario {

struct RelayFaults {
    int delay_ms = 0;           // every packet is held this long
    int jitter_ms = 0;          // and up to this much longer at random, so packets overtake each other
    int drop_percent = 0;       // packets lost
    int duplicate_percent = 0;  // packets delivered twice
};

struct RelayCounts {
    long dropped = 0;
    long duplicated = 0;
    long overtaken = 0;   // packets passed on after a later one from the same side
};

class UdpRelay {
public:
    // Listens on 127.0.0.1 (a free port) and passes what arrives to
    // 127.0.0.1:`target_port`, and the answers back to the first sender.
    // Stops after `max_packets` received or `max_seconds`.
    UdpRelay(int target_port, const RelayFaults& faults, long max_packets, int max_seconds);
    ~UdpRelay();
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    bool ok() const { return front_ >= 0 && back_ >= 0; }
    // New faults for the packets that arrive from now on (a link getting worse).
    void set_faults(const RelayFaults& faults);
    int port() const { return port_; }
    // Stops forwarding; the counts are final after it.
    void stop();
    RelayCounts counts() const;

private:
    void run(long max_packets, int max_seconds);

    RelayFaults faults() const;

    mutable std::mutex faults_lock_;
    RelayFaults faults_;
    int target_port_;
    int front_ = -1;  // faces the guest
    int back_ = -1;   // faces the host
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<long> dropped_{0}, duplicated_{0}, overtaken_{0};
    std::thread thread_;
};

}  // namespace scenario
