#include "support/udp_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <vector>

namespace scenario {
namespace {
using Clock = std::chrono::steady_clock;

int loopback_socket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(a.sin_port);
    return fd;
}

struct Held {
    bool to_host;
    long sequence;  // arrival order on its side
    std::vector<uint8_t> bytes;
};
}  // namespace

UdpRelay::UdpRelay(int target_port, const RelayFaults& faults, long max_packets, int max_seconds)
    : faults_(faults), target_port_(target_port) {
    int unused = 0;
    front_ = loopback_socket(port_);
    back_ = loopback_socket(unused);
    if (ok()) thread_ = std::thread([this, max_packets, max_seconds] { run(max_packets, max_seconds); });
}

UdpRelay::~UdpRelay() {
    stop();
    if (front_ >= 0) ::close(front_);
    if (back_ >= 0) ::close(back_);
}

void UdpRelay::stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void UdpRelay::set_faults(const RelayFaults& faults) {
    const std::lock_guard<std::mutex> hold(faults_lock_);
    faults_ = faults;
}

RelayFaults UdpRelay::faults() const {
    const std::lock_guard<std::mutex> hold(faults_lock_);
    return faults_;
}

RelayCounts UdpRelay::counts() const {
    return RelayCounts{dropped_.load(), duplicated_.load(), overtaken_.load()};
}

void UdpRelay::run(long max_packets, int max_seconds) {
    std::mt19937 random(1);
    auto percent = [&random](int p) { return static_cast<int>(random() % 100) < p; };
    RelayFaults now_faults = faults();
    auto hold_ms = [&] {
        return now_faults.delay_ms +
               (now_faults.jitter_ms > 0 ? static_cast<int>(random() % (now_faults.jitter_ms + 1)) : 0);
    };
    sockaddr_in host{};
    host.sin_family = AF_INET;
    host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    host.sin_port = htons(static_cast<uint16_t>(target_port_));
    sockaddr_in guest{};
    bool guest_known = false;

    std::multimap<Clock::time_point, Held> held;
    long received = 0;
    long sequence[2] = {0, 0};
    long last_sent[2] = {-1, -1};
    const auto end = Clock::now() + std::chrono::seconds(max_seconds);
    std::vector<uint8_t> buffer(65536);
    while (!stop_ && received < max_packets && Clock::now() < end) {
        int wait_ms = 5;
        if (!held.empty()) {
            const auto due = std::chrono::duration_cast<std::chrono::milliseconds>(held.begin()->first - Clock::now());
            wait_ms = static_cast<int>(std::max<long>(0, std::min<long>(wait_ms, due.count())));
        }
        pollfd fds[2] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}};
        if (::poll(fds, 2, wait_ms) > 0) {
            for (int side = 0; side < 2; ++side) {
                if ((fds[side].revents & POLLIN) == 0) continue;
                sockaddr_in from{};
                socklen_t len = sizeof from;
                const ssize_t n = ::recvfrom(fds[side].fd, buffer.data(), buffer.size(), 0,
                                             reinterpret_cast<sockaddr*>(&from), &len);
                if (n < 0) continue;
                now_faults = faults();
                const bool to_host = side == 0;
                if (to_host && !guest_known) {
                    guest = from;
                    guest_known = true;
                }
                ++received;
                if (percent(now_faults.drop_percent)) {
                    ++dropped_;
                    continue;
                }
                const int copies = percent(now_faults.duplicate_percent) ? 2 : 1;
                if (copies == 2) ++duplicated_;
                const long seq = sequence[side]++;
                for (int c = 0; c < copies; ++c)
                    held.emplace(Clock::now() + std::chrono::milliseconds(hold_ms()),
                                 Held{to_host, seq, std::vector<uint8_t>(buffer.begin(), buffer.begin() + n)});
            }
        }
        const auto now = Clock::now();
        while (!held.empty() && held.begin()->first <= now) {
            const Held& h = held.begin()->second;
            const int side = h.to_host ? 0 : 1;
            const sockaddr_in& to = h.to_host ? host : guest;
            if (h.to_host || guest_known) {
                ::sendto(h.to_host ? back_ : front_, h.bytes.data(), h.bytes.size(), 0,
                         reinterpret_cast<const sockaddr*>(&to), sizeof to);
                if (h.sequence < last_sent[side]) ++overtaken_;
                last_sent[side] = std::max(last_sent[side], h.sequence);
            }
            held.erase(held.begin());
        }
    }
}

}  // namespace scenario
