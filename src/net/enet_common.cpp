#include "net/enet_common.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace net::enet {

bool ready() {
    static const bool ok = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return ok;
}

uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

void note(const std::string& text) { std::fprintf(stderr, "velmora: %s\n", text.c_str()); }

std::string address_text(const ENetAddress& address) {
    char ip[64] = "?";
    enet_address_get_host_ip(&address, ip, sizeof ip);
    return std::string(ip) + ":" + std::to_string(address.port);
}

ENetHost* make_host(const ENetAddress* address, size_t peers) {
    ENetHost* host = enet_host_create(address, peers, kChannels, 0, 0);
    if (host != nullptr) {
        host->maximumPacketSize = kPacketLimit;
        host->maximumWaitingData = kWaitingLimit;
    }
    return host;
}

void send_bytes(ENetHost* host, ENetPeer* peer, const std::vector<uint8_t>& bytes, Delivery delivery) {
    const bool reliable = delivery == Delivery::Reliable;
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (packet != nullptr && enet_peer_send(peer, reliable ? kReliableChannel : kInputChannel, packet) != 0)
        enet_packet_destroy(packet);
    enet_host_flush(host);
}

void send_to(ENetHost* host, ENetPeer* peer, const Message& message, Delivery delivery) {
    send_bytes(host, peer, encode(message), delivery);
}

void set_timeout(ENetPeer* peer, uint64_t ms) {
    enet_peer_timeout(peer, 0, static_cast<enet_uint32>(ms), static_cast<enet_uint32>(ms));
}

void keep_every_packet(ENetPeer* peer) {
    peer->packetThrottle = ENET_PEER_PACKET_THROTTLE_SCALE;
    // No deceleration: the throttle never falls below the full rate.
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_SCALE, 0);
}

bool ErrorStreak::persisted(int result) {
    if (result >= 0) {
        since_ms_ = 0;
        return false;
    }
    const uint64_t now = steady_ms();
    if (since_ms_ == 0) since_ms_ = now;
    return now - since_ms_ >= kErrorStreakMs;
}

}  // namespace net::enet
