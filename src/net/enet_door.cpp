#include "net/enet_door.h"

#include <algorithm>
#include <cstddef>

#include "net/enet_common.h"

namespace net::enet {
namespace {
// ENet's hook carries no context: each door is found by its host.
std::vector<EnetDoor*>& doors() {
    static std::vector<EnetDoor*> all;
    return all;
}

uint16_t big_endian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

size_t payload_length(uint8_t command, const uint8_t* at) {
    switch (command) {
        case ENET_PROTOCOL_COMMAND_SEND_RELIABLE:
            return big_endian16(at + offsetof(ENetProtocolSendReliable, dataLength));
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE:
            return big_endian16(at + offsetof(ENetProtocolSendUnreliable, dataLength));
        case ENET_PROTOCOL_COMMAND_SEND_UNSEQUENCED:
            return big_endian16(at + offsetof(ENetProtocolSendUnsequenced, dataLength));
        default: return 0;
    }
}
}  // namespace

int door_intercept(ENetHost* host, ENetEvent* /*event*/) {
    for (EnetDoor* door : doors()) {
        if (!door->own_datagram(host)) continue;
        if (is_probe(host->receivedData, host->receivedDataLength)) {
            // Not ENet's: answered here when a beacon is set, dropped otherwise.
            if (door->beacon_ == nullptr) return 1;
            const auto reply = door->beacon_->answer(ENET_NET_TO_HOST_32(host->receivedAddress.host), host->receivedData,
                                                     host->receivedDataLength, steady_ms());
            if (reply) {
                ENetBuffer buffer{const_cast<uint8_t*>(reply->data()), reply->size()};
                enet_socket_send(host->socket, &host->receivedAddress, &buffer, 1);
            }
            return 1;
        }
        return door->admit(host->receivedAddress, host->receivedData, host->receivedDataLength, steady_ms()) ? 0 : 1;
    }
    return 0;
}

bool carries_pieces(const uint8_t* data, size_t size) {
    if (size < 2) return false;
    const uint16_t peer_field = big_endian16(data);
    if ((peer_field & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) != 0) return true;
    size_t at = (peer_field & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) != 0 ? sizeof(ENetProtocolHeader) : 2;
    while (at + sizeof(ENetProtocolCommandHeader) <= size) {
        const uint8_t command = data[at] & ENET_PROTOCOL_COMMAND_MASK;
        if (command == ENET_PROTOCOL_COMMAND_SEND_FRAGMENT || command == ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT)
            return true;
        const size_t length = command < ENET_PROTOCOL_COMMAND_COUNT ? enet_protocol_command_size(command) : 0;
        if (length == 0 || at + length > size) return false;  // ENet stops reading here too
        at += length + payload_length(command, data + at);
    }
    return false;
}

EnetDoor::EnetDoor(ENetHost* host) : host_(host), guarding_host_(true), slots_(host->peerCount) {
    doors().push_back(this);
    host_->intercept = door_intercept;
}

EnetDoor::EnetDoor(ENetHost* host, const ENetAddress& host_address)
    : host_(host), guarding_host_(false), host_address_(host_address) {
    doors().push_back(this);
    host_->intercept = door_intercept;
}

EnetDoor::~EnetDoor() {
    auto& all = doors();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    host_->intercept = nullptr;
}

EnetDoor::Slot& EnetDoor::slot(ENetPeer* peer, uint64_t now_ms) {
    Slot& s = slots_[static_cast<size_t>(peer - host_->peers)];
    // A new connection in the slot (two clients made at once may draw the
    // same connection number: the address tells them apart).
    if (s.since_ms == 0 || s.connect_id != peer->connectID || s.address.host != peer->address.host ||
        s.address.port != peer->address.port)
        s = Slot{peer->connectID, peer->address, now_ms, 0, Standing::Stranger};
    return s;
}

void EnetDoor::promote(ENetPeer* peer, Standing standing) {
    if (!guarding_host_) return;
    const uint64_t now = steady_ms();
    Slot& s = slot(peer, now);
    // A refused candidate gets the time a stranger has to hear why.
    if (standing == Standing::Refused && s.standing == Standing::Candidate) s.since_ms = now;
    s.standing = standing;
}

EnetDoor::Standing EnetDoor::standing(ENetPeer* peer) {
    return guarding_host_ ? slot(peer, steady_ms()).standing : Standing::Guest;
}

bool EnetDoor::wrong_code(ENetPeer* peer) { return wrong_codes_.count(peer->address.host); }

void EnetDoor::sweep(uint64_t now_ms) {
    if (!guarding_host_) return;
    std::vector<ENetPeer*> strangers;
    size_t free = 0;
    for (ENetPeer* p = host_->peers; p < host_->peers + host_->peerCount; ++p) {
        if (p->state == ENET_PEER_STATE_DISCONNECTED) {
            ++free;
            continue;
        }
        const Slot& s = slot(p, now_ms);
        if (s.standing == Standing::Candidate || s.standing == Standing::Guest) continue;
        if (now_ms - s.since_ms >= kHelloDeadlineMs || wrong_codes_.ignored(p->address.host)) {
            enet_peer_reset(p);
            ++free;
        } else {
            strangers.push_back(p);
        }
    }
    if (free >= kFreeSlots) return;
    std::sort(strangers.begin(), strangers.end(),
              [this](ENetPeer* a, ENetPeer* b) { return slots_[a - host_->peers].since_ms < slots_[b - host_->peers].since_ms; });
    for (ENetPeer* p : strangers) {
        if (free >= kFreeSlots) break;
        enet_peer_reset(p);
        ++free;
    }
}

bool EnetDoor::admit(const ENetAddress& from, const uint8_t* data, size_t size, uint64_t now_ms) {
    if (!guarding_host_) return from.host == host_address_.host && from.port == host_address_.port;
    if (wrong_codes_.ignored(from.host)) return false;
    if (size < 2) return true;  // ENet ignores it
    const uint16_t id = big_endian16(data) & ~(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK);
    if (id == ENET_PROTOCOL_MAXIMUM_PEER_ID) return size <= kConnectDatagramBytes;
    if (id >= host_->peerCount) return false;
    ENetPeer* peer = &host_->peers[id];
    if (peer->state == ENET_PEER_STATE_DISCONNECTED) return false;
    Slot& s = slot(peer, now_ms);
    if (s.standing == Standing::Candidate || s.standing == Standing::Guest)
        return true;  // ENet itself checks that it comes from the peer
    if (carries_pieces(data, size) || s.bytes + size > kStrangerBytes) return false;
    s.bytes += size;
    return true;
}

}  // namespace net::enet
