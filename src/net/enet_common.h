// What the ENet files share: the library's start, the clock, sending one
// message, the channels and limits of a connection. Included only by
// src/net/enet_*.cpp.
#pragma once

#include <enet/enet.h>

#include <cstdint>
#include <string>
#include <vector>

#include "net/message.h"
#include "net/transport.h"

namespace net::enet {

// Reliable, ordered messages go on one channel; the inputs, unreliable, on
// their own, so a lost one never holds up the rest.
constexpr enet_uint8 kReliableChannel = 0;
constexpr enet_uint8 kInputChannel = 1;
constexpr size_t kChannels = 2;
// The largest packet ENet reassembles for us: above the largest message the
// game accepts (so an oversized one arrives and is reported as bad), far
// below ENet's default of 32 MiB. Only a peer that gave the join code may
// send packets in pieces at all (EnetDoor).
constexpr size_t kPacketLimit = 4 * kMaxMessageBytes;
// What one peer may have waiting in ENet's buffers.
constexpr size_t kWaitingLimit = 8 * kMaxMessageBytes;
// Errors from the socket that last this long end the connection; shorter
// runs of them (an oversized datagram from anyone reads as one) are ignored.
constexpr uint64_t kErrorStreakMs = 3000;
// How long a hang-up waits for its last packets (a lost one is sent again
// after a round trip or more) and for the other side to acknowledge it.
constexpr int kClosingMs = 1500;

bool ready();
uint64_t steady_ms();
void note(const std::string& text);
std::string address_text(const ENetAddress& address);
ENetHost* make_host(const ENetAddress* address, size_t peers);
void send_to(ENetHost* host, ENetPeer* peer, const Message& message, Delivery delivery = Delivery::Reliable);
void send_bytes(ENetHost* host, ENetPeer* peer, const std::vector<uint8_t>& bytes, Delivery delivery);
// Silence for `ms` ends the connection at ENet's level too.
void set_timeout(ENetPeer* peer, uint64_t ms);
// ENet slows unreliable packets down by dropping them when round trips vary;
// the inputs are few and small, and each one dropped is a frame of waiting.
void keep_every_packet(ENetPeer* peer);

// Counts how long enet_host_service has failed without a break.
class ErrorStreak {
public:
    // After a service call that returned `result`; true once the errors persisted.
    bool persisted(int result);

private:
    uint64_t since_ms_ = 0;
};

}  // namespace net::enet
