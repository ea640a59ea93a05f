// Finding a game on the local network without typing an address. A guest
// broadcasts a small probe of its own (not a game message) to the game's
// port; a host waiting for a guest answers it, on the same socket, with its
// name, its port and whether it asks for a join code (never the code). The
// host answers only addresses of its own networks (and the loopback), and no
// more than kAnswersPerSecond in all, so it cannot be made to flood anyone.
//
//   probe   "VLMRFIND", version u8 (1), nonce u32                    13 bytes
//   answer  "VLMRHOST", version u8 (1), nonce u32 (the probe's), port u16,
//           code u8 (0/1: a join code is asked for), name: u8 length (1..32)
//           + printable ASCII
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace net {

constexpr uint8_t kDiscoveryVersion = 1;
constexpr size_t kProbeBytes = 13;
constexpr size_t kMaxHostNameBytes = 32;

struct HostAnswer {
    uint32_t nonce = 0;
    uint16_t port = 0;
    bool needs_code = true;
    std::string name;
};

std::vector<uint8_t> encode_probe(uint32_t nonce);
// Whether the bytes are a probe (of any version: `nonce` only for ours).
bool is_probe(const uint8_t* data, size_t size);
bool decode_probe(const uint8_t* data, size_t size, uint32_t& nonce);
std::vector<uint8_t> encode_answer(const HostAnswer& answer);
bool decode_answer(const uint8_t* data, size_t size, HostAnswer& out, std::string& error);

// The player's name as a host shows it: `given` (--name) or the login name,
// cut to printable ASCII of at most kMaxHostNameBytes.
std::string host_name(const std::string& given);

// IPv4 networks as address and mask, in host byte order.
using Network = std::pair<uint32_t, uint32_t>;
// The networks of this machine's interfaces, the loopback's among them.
std::vector<Network> local_networks();

// The host's side: the answer to a probe from `from` (host byte order), or
// nothing (not a probe, not from a local network, over the rate).
class Beacon {
public:
    static constexpr int kAnswersPerSecond = 10;

    Beacon(HostAnswer self, std::vector<Network> networks) : self_(std::move(self)), networks_(std::move(networks)) {}
    std::optional<std::vector<uint8_t>> answer(uint32_t from, const uint8_t* data, size_t size, uint64_t now_ms);
    long answered() const { return answered_; }
    long refused() const { return refused_; }

private:
    HostAnswer self_;
    std::vector<Network> networks_;
    double tokens_ = kAnswersPerSecond;
    uint64_t last_ms_ = 0;
    long answered_ = 0, refused_ = 0;
};

// A host found: its address as text and what it answered.
struct FoundHost {
    std::string address;
    HostAnswer answer;
};

// Broadcasts probes to UDP `port` on every network of this machine (and the
// loopback), gathering answers for `wait_ms`; each host once.
std::vector<FoundHost> find_hosts(int port, int wait_ms, std::string& error);

}  // namespace net
