#include "net/discovery.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>

namespace net {
namespace {
constexpr char kProbeMagic[] = "VLMRFIND";
constexpr char kAnswerMagic[] = "VLMRHOST";
constexpr size_t kMagicBytes = 8;

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
bool printable(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}
uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}
}  // namespace

std::vector<uint8_t> encode_probe(uint32_t nonce) {
    std::vector<uint8_t> out(kProbeMagic, kProbeMagic + kMagicBytes);
    out.push_back(kDiscoveryVersion);
    put32(out, nonce);
    return out;
}

bool is_probe(const uint8_t* data, size_t size) {
    return data != nullptr && size >= kMagicBytes && std::memcmp(data, kProbeMagic, kMagicBytes) == 0;
}

bool decode_probe(const uint8_t* data, size_t size, uint32_t& nonce) {
    if (!is_probe(data, size) || size != kProbeBytes || data[kMagicBytes] != kDiscoveryVersion) return false;
    nonce = get32(data + kMagicBytes + 1);
    return true;
}

std::vector<uint8_t> encode_answer(const HostAnswer& a) {
    std::vector<uint8_t> out(kAnswerMagic, kAnswerMagic + kMagicBytes);
    out.push_back(kDiscoveryVersion);
    put32(out, a.nonce);
    out.push_back(static_cast<uint8_t>(a.port));
    out.push_back(static_cast<uint8_t>(a.port >> 8));
    out.push_back(a.needs_code ? 1 : 0);
    const size_t n = std::min(a.name.size(), kMaxHostNameBytes);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), a.name.begin(), a.name.begin() + static_cast<long>(n));
    return out;
}

bool decode_answer(const uint8_t* data, size_t size, HostAnswer& out, std::string& error) {
    constexpr size_t kFixed = kMagicBytes + 1 + 4 + 2 + 1 + 1;
    if (data == nullptr || size < kFixed || std::memcmp(data, kAnswerMagic, kMagicBytes) != 0) {
        error = "not a host's answer";
        return false;
    }
    if (data[kMagicBytes] != kDiscoveryVersion) {
        error = "an answer of version " + std::to_string(data[kMagicBytes]);
        return false;
    }
    const uint8_t* p = data + kMagicBytes + 1;
    out.nonce = get32(p);
    out.port = static_cast<uint16_t>(p[4] | p[5] << 8);
    if (p[6] > 1) {
        error = "a code flag of " + std::to_string(p[6]);
        return false;
    }
    out.needs_code = p[6] == 1;
    const size_t n = p[7];
    if (n == 0 || n > kMaxHostNameBytes || size != kFixed + n) {
        error = "a name of " + std::to_string(n) + " bytes in an answer of " + std::to_string(size);
        return false;
    }
    out.name.assign(reinterpret_cast<const char*>(p + 8), n);
    if (!printable(out.name) || out.port == 0) {
        error = out.port == 0 ? "port 0" : "a name that is not printable text";
        return false;
    }
    return true;
}

std::string host_name(const std::string& given) {
    std::string name = given;
    if (name.empty()) {
        const char* user = std::getenv("USER");
        name = user != nullptr && *user != '\0' ? user : "a player";
    }
    std::string out;
    for (const char c : name)
        if (c >= 0x20 && c <= 0x7E && out.size() < kMaxHostNameBytes) out.push_back(c);
    return out.empty() ? std::string("a player") : out;
}

std::vector<Network> local_networks() {
    std::vector<Network> out{{0x7F000000u, 0xFF000000u}};
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return out;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        if (a->ifa_addr == nullptr || a->ifa_netmask == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
        sockaddr_in address{}, mask{};
        std::memcpy(&address, a->ifa_addr, sizeof address);
        std::memcpy(&mask, a->ifa_netmask, sizeof mask);
        out.emplace_back(ntohl(address.sin_addr.s_addr), ntohl(mask.sin_addr.s_addr));
    }
    freeifaddrs(list);
    return out;
}

std::optional<std::vector<uint8_t>> Beacon::answer(uint32_t from, const uint8_t* data, size_t size, uint64_t now_ms) {
    uint32_t nonce = 0;
    if (!decode_probe(data, size, nonce)) return std::nullopt;
    const bool local = std::any_of(networks_.begin(), networks_.end(), [from](const Network& n) {
        return n.second != 0 && (from & n.second) == (n.first & n.second);
    });
    // The bucket refills at the rate, never above a second's worth.
    tokens_ = std::min<double>(kAnswersPerSecond, tokens_ + static_cast<double>(now_ms - last_ms_) * kAnswersPerSecond / 1000);
    last_ms_ = now_ms;
    if (!local || tokens_ < 1) {
        ++refused_;
        return std::nullopt;
    }
    tokens_ -= 1;
    ++answered_;
    HostAnswer a = self_;
    a.nonce = nonce;
    return encode_answer(a);
}

std::vector<FoundHost> find_hosts(int port, int wait_ms, std::string& error) {
    std::vector<FoundHost> found;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = "cannot open a socket to look for games";
        return found;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    std::random_device random;
    const uint32_t nonce = random();
    const std::vector<uint8_t> probe = encode_probe(nonce);
    std::vector<uint32_t> targets = {INADDR_BROADCAST, INADDR_LOOPBACK};
    for (const Network& n : local_networks())
        if (n.first >> 24 != 127) targets.push_back(n.first | ~n.second);
    const auto send_all = [&] {
        for (const uint32_t t : targets) {
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(static_cast<uint16_t>(port));
            to.sin_addr.s_addr = htonl(t);
            ::sendto(fd, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        }
    };
    const uint64_t start = steady_ms();
    int sent = 0;
    for (uint64_t now = start; now < start + static_cast<uint64_t>(wait_ms); now = steady_ms()) {
        // Three probes a third of the wait apart: one may be lost.
        if (sent < 3 && now >= start + static_cast<uint64_t>(sent * wait_ms / 3)) {
            send_all();
            ++sent;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        uint8_t buffer[128];
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        HostAnswer answer;
        std::string problem;
        if (got <= 0 || !decode_answer(buffer, static_cast<size_t>(got), answer, problem) || answer.nonce != nonce)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
        const std::string address = std::string(text) + ":" + std::to_string(answer.port);
        // A host on this machine answers on the loopback and on its network: once is enough.
        if (std::none_of(found.begin(), found.end(), [&](const FoundHost& h) {
                return h.answer.name == answer.name && h.answer.port == answer.port;
            }))
            found.push_back(FoundHost{address, answer});
    }
    ::close(fd);
    return found;
}

}  // namespace net
