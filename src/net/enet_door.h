// The host's doorkeeper: everything that arrives before a peer proved it
// belongs. ENet answers connection attempts by itself and gives each a slot,
// so the door sees every datagram first (ENet's intercept hook) and every
// slot on each pass:
//   - a connection that has not given the right join code within
//     kHelloDeadlineMs is dropped without a word, and a few slots are always
//     kept free, so strangers that connect and idle, or a flood of them,
//     cannot keep the guest out;
//   - until then a peer may send a few small datagrams and nothing in pieces
//     (ENet would set memory aside for a packet as large as one claims);
//   - addresses that gave kMaxWrongCodes wrong codes are not heard again.
// On the guest's side the door lets through only the host's datagrams.
#pragma once

#include <enet/enet.h>

#include <cstdint>
#include <vector>

#include "net/discovery.h"
#include "net/join_code.h"

namespace net::enet {

// Slots for connections: enough that a flood of attempts, each dropped after
// kHelloDeadlineMs, never fills them.
constexpr size_t kHostSlots = 128;
// Slots the door frees (oldest stranger first) whenever fewer are free.
constexpr size_t kFreeSlots = 16;
constexpr uint64_t kHelloDeadlineMs = 2000;
// What a peer that has not given the code may send, all told.
constexpr size_t kStrangerBytes = 4096;
// A datagram that opens a connection is small.
constexpr size_t kConnectDatagramBytes = 256;

class EnetDoor {
public:
    // Refused: told why and hung up on; dropped kHelloDeadlineMs after the refusal.
    enum class Standing { Stranger, Candidate, Guest, Refused };

    // Guards `host` (kHostSlots peers): installs the intercept hook.
    explicit EnetDoor(ENetHost* host);
    // Guards a guest's connection to the host at `host_address`.
    EnetDoor(ENetHost* host, const ENetAddress& host_address);
    ~EnetDoor();
    EnetDoor(const EnetDoor&) = delete;
    EnetDoor& operator=(const EnetDoor&) = delete;

    // Drops strangers past their deadline and frees slots; call often.
    void sweep(uint64_t now_ms);
    // The peer gave the right code (Candidate), was welcomed (Guest) or refused.
    void promote(ENetPeer* peer, Standing standing);
    Standing standing(ENetPeer* peer);
    // Counts a wrong code from the peer's address; true once it is ignored.
    bool wrong_code(ENetPeer* peer);
    // While set, probes of guests looking for a game are answered (and
    // never reach ENet).
    void set_beacon(Beacon* beacon) { beacon_ = beacon; }
    // Whether the datagram ENet just received may go on (the hook's answer).
    bool admit(const ENetAddress& from, const uint8_t* data, size_t size, uint64_t now_ms);

private:
    struct Slot {
        enet_uint32 connect_id = 0;
        ENetAddress address{};
        uint64_t since_ms = 0;
        size_t bytes = 0;
        Standing standing = Standing::Stranger;
    };
    Slot& slot(ENetPeer* peer, uint64_t now_ms);

    bool own_datagram(const ENetHost* host) const { return host == host_; }
    friend int door_intercept(ENetHost* host, ENetEvent* event);

    ENetHost* host_;
    bool guarding_host_;
    ENetAddress host_address_{};
    std::vector<Slot> slots_;
    WrongCodes wrong_codes_;
    Beacon* beacon_ = nullptr;
};

// Whether an ENet datagram holds a piece of a larger packet (or is
// compressed, which the game never does): what a stranger may not send.
bool carries_pieces(const uint8_t* data, size_t size);

}  // namespace net::enet
