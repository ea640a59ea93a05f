#include "net/enet_link.h"

#include <algorithm>

#include "net/agreement.h"
#include "net/session.h"

namespace net::enet {

Refuse refusal_for_stranger(EnetDoor& door, ENetPeer* peer, const ENetPacket& packet, const std::string& code,
                            bool* code_matched) {
    if (code_matched != nullptr) *code_matched = false;
    Message message;
    std::string error;
    if (!decode(packet.data, packet.dataLength, message, error)) {
        door.wrong_code(peer);
        const bool other_format = packet.dataLength >= 2 && packet.data[0] == kMagic && packet.data[1] != kFormatVersion;
        return other_format ? Refuse{RefuseReason::FormatVersion, "the network formats differ: the guest's is " + error}
                            : Refuse{RefuseReason::BadMessage, "a bad introduction: " + error};
    }
    const auto* hello = std::get_if<Hello>(&message);
    if (hello == nullptr) {
        door.wrong_code(peer);
        return Refuse{RefuseReason::BadMessage, "the first message was not an introduction"};
    }
    if (auto wrong = judge_code(code, *hello)) {
        door.wrong_code(peer);
        return *wrong;
    }
    if (code_matched != nullptr) *code_matched = true;
    return host_has_guest();
}

EnetLink::EnetLink(ENetHost* host, ENetPeer* peer, std::unique_ptr<EnetDoor> door, bool hosting, std::string code,
                   std::string token, Hello local, Welcome watching)
    : host_(host), peer_(peer), door_(std::move(door)), hosting_(hosting), code_(std::move(code)),
      token_(std::move(token)), local_(std::move(local)), watching_(std::move(watching)) {
    keep_every_packet(peer_);
}

EnetLink::~EnetLink() {
    close();
    if (bid_audience_goodbye()) enet_host_flush(host_);
    if (hosting_)
        note("sent spectators " + std::to_string(fed_bytes_) + " bytes of the game's record (" +
             std::to_string(host_->totalSentData) + " bytes sent in all)");
    door_.reset();
    enet_host_destroy(host_);
}

void EnetLink::send(const std::vector<uint8_t>& bytes, Delivery delivery) {
    if (peer_ != nullptr) send_bytes(host_, peer_, bytes, delivery);
}

bool EnetLink::answer_stranger(ENetPeer* peer, const ENetPacket& packet, bool& anew) {
    if (door_->standing(peer) == EnetDoor::Standing::Refused) return false;  // told once
    bool code_matched = false;
    Refuse refusal = refusal_for_stranger(*door_, peer, packet, code_, &code_matched);
    Message message;
    std::string error;
    if (code_matched && decode(packet.data, packet.dataLength, message, error)) {
        const Hello& hello = std::get<Hello>(message);
        const bool returning = hello.purpose == Purpose::ReturnAnew || hello.purpose == Purpose::ReturnRunning;
        if (returning && !token_.empty() && join_code_matches(token_, hello.token)) {
            if (auto differs = judge_guest(local_, hello)) {
                refusal = *differs;
            } else {
                // The seat is the guest's: whoever held it last is gone.
                if (peer_ != nullptr && peer_ != peer) enet_peer_disconnect_now(peer_, 0);
                peer_ = peer;
                door_->promote(peer, EnetDoor::Standing::Guest);
                keep_every_packet(peer);
                set_timeout(peer, kStartSilenceMs);
                anew = hello.purpose == Purpose::ReturnAnew;
                note("the guest at " + address_text(peer->address) + " came back" +
                     (anew ? " (started again)" : ""));
                return true;
            }
        } else if (returning) {
            // A token is guessed no more often than a code.
            door_->wrong_code(peer);
        } else if (hello.purpose == Purpose::Watch && hosting_) {
            admit_spectator(peer, hello, refusal);
            if (audience_.contains(reinterpret_cast<uintptr_t>(peer))) return false;
        }
    }
    send_to(host_, peer, refusal);
    enet_peer_disconnect_later(peer, 0);
    door_->promote(peer, EnetDoor::Standing::Refused);
    note("refused " + address_text(peer->address) + ": " + refusal.text);
    return false;
}

void EnetLink::admit_spectator(ENetPeer* peer, const Hello& hello, Refuse& refusal) {
    if (auto differs = judge_guest(local_, hello)) {
        refusal = *differs;
        return;
    }
    if (!audience_.has_room()) {
        refusal = Refuse{RefuseReason::HasGuest, "the game has " + std::to_string(Audience::kMaxSpectators) +
                                                     " spectators already"};
        return;
    }
    if (record_full_) {
        refusal = Refuse{RefuseReason::HasGuest, "the game is too long to watch from its start"};
        return;
    }
    Welcome welcome = watching_;
    welcome.catch_up_through = static_cast<uint32_t>(record_through_);  // for its progress bar
    send_to(host_, peer, welcome);
    door_->promote(peer, EnetDoor::Standing::Guest);
    // Its own limit: a spectator stopped for a while may catch up again.
    set_timeout(peer, Audience::kSilentMs + 10000);
    audience_.join(reinterpret_cast<uintptr_t>(peer), steady_ms());
    note("a spectator at " + address_text(peer->address) + " watches (" + std::to_string(audience_.size()) +
         " watching)");
}

void EnetLink::drop_spectator(ENetPeer* peer, ByeReason reason, const std::string& why) {
    audience_.leave(reinterpret_cast<uintptr_t>(peer));
    send_to(host_, peer, Bye{reason});
    enet_peer_disconnect_later(peer, 0);
    note("dropped the spectator at " + address_text(peer->address) + ": " + why + " (" +
         std::to_string(audience_.size()) + " watching)");
}

void EnetLink::hear_spectator(ENetPeer* peer, const ENetEvent& event) {
    const auto id = reinterpret_cast<uintptr_t>(peer);
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
        audience_.leave(id);
        note("the spectator at " + address_text(peer->address) + " left (" + std::to_string(audience_.size()) +
             " watching)");
        return;
    }
    if (event.type != ENET_EVENT_TYPE_RECEIVE) return;
    Message message;
    std::string error;
    const bool decoded = decode(event.packet->data, event.packet->dataLength, message, error);
    const auto* progress = decoded ? std::get_if<Progress>(&message) : nullptr;
    if (progress == nullptr) {
        // A spectator only says how far it got; it leaves by hanging up.
        drop_spectator(peer, ByeReason::Stopped, decoded ? "a message a spectator does not send" : error);
    } else if (!audience_.heard(id, static_cast<long>(progress->frame), steady_ms())) {
        drop_spectator(peer, ByeReason::Stopped, "too many messages");
    }
}

void EnetLink::serve_audience(const GameLog& log) {
    record_full_ = log.full();
    record_through_ = log.through();
    if (audience_.size() == 0) return;
    const auto drops = audience_.serve(log, steady_ms(), [this](uint64_t id, const Feed& feed) {
        const std::vector<uint8_t> bytes = encode(feed);
        fed_bytes_ += bytes.size();
        send_bytes(host_, reinterpret_cast<ENetPeer*>(static_cast<uintptr_t>(id)), bytes, Delivery::Reliable);
    });
    for (const auto& [id, why] : drops)
        drop_spectator(reinterpret_cast<ENetPeer*>(static_cast<uintptr_t>(id)), ByeReason::TooSlow, why);
}

LinkEvent EnetLink::poll(int wait_ms) {
    const uint64_t deadline = steady_ms() + static_cast<uint64_t>(wait_ms > 0 ? wait_ms : 0);
    for (;;) {
        const uint64_t now = steady_ms();
        door_->sweep(now);
        const auto wait = static_cast<enet_uint32>(now < deadline ? deadline - now : 0);
        ENetEvent event;
        const int got = enet_host_service(host_, &event, wait);
        if (got < 0) {
            // An oversized datagram from anyone reads as an error; only a
            // socket that keeps failing ends the game.
            if (errors_.persisted(got)) {
                peer_ = nullptr;
                return {LinkEvent::Kind::Closed, {}};
            }
            if (steady_ms() >= deadline) return {};
            continue;
        }
        errors_.persisted(got);
        if (got == 0) return {};
        if (event.peer == peer_ && peer_ != nullptr) {
            if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                LinkEvent out{LinkEvent::Kind::Received,
                              std::vector<uint8_t>(event.packet->data, event.packet->data + event.packet->dataLength)};
                enet_packet_destroy(event.packet);
                return out;
            }
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                peer_ = nullptr;
                return {LinkEvent::Kind::Closed, {}};
            }
            continue;
        }
        if (audience_.contains(reinterpret_cast<uintptr_t>(event.peer))) {
            hear_spectator(event.peer, event);
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            continue;
        }
        // Anyone else: a stranger while the game runs, or the guest back.
        if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            bool anew = false;
            const bool seated = hosting_ && answer_stranger(event.peer, *event.packet, anew);
            enet_packet_destroy(event.packet);
            if (seated) {
                LinkEvent out{LinkEvent::Kind::Returned, {}};
                out.anew = anew;
                return out;
            }
        }
    }
}

void EnetLink::set_silence_limit(int ms) {
    if (peer_ != nullptr) set_timeout(peer_, static_cast<uint64_t>(ms));
}

void EnetLink::abandon() {
    if (peer_ == nullptr) return;
    enet_peer_disconnect_now(peer_, 0);
    peer_ = nullptr;
}

bool EnetLink::bid_audience_goodbye() {
    bool any = false;
    while (audience_.size() > 0) {
        // Any member will do: the audience keeps no order worth keeping here.
        bool dropped = false;
        for (size_t i = 0; i < host_->peerCount && !dropped; ++i) {
            ENetPeer* p = &host_->peers[i];
            if (audience_.contains(reinterpret_cast<uintptr_t>(p))) {
                audience_.leave(reinterpret_cast<uintptr_t>(p));
                send_to(host_, p, Bye{ByeReason::Stopped});
                enet_peer_disconnect_later(p, 0);
                dropped = any = true;
            }
        }
        if (!dropped) break;
    }
    return any;
}

void EnetLink::end_audience(const GameLog& log) {
    if (audience_.size() == 0) return;
    audience_.serve_rest(log, [this](uint64_t id, const Feed& feed) {
        const std::vector<uint8_t> bytes = encode(feed);
        fed_bytes_ += bytes.size();
        send_bytes(host_, reinterpret_cast<ENetPeer*>(static_cast<uintptr_t>(id)), bytes, Delivery::Reliable);
    });
    std::vector<ENetPeer*> spectators;
    for (size_t i = 0; i < host_->peerCount; ++i)
        if (audience_.contains(reinterpret_cast<uintptr_t>(&host_->peers[i]))) spectators.push_back(&host_->peers[i]);
    bid_audience_goodbye();
    enet_host_flush(host_);
    // The rest of the record may be more than goes out at once: wait for the
    // spectators to take it (each hangs up once it has), never longer than a close.
    const uint64_t deadline = steady_ms() + kClosingMs;
    ENetEvent event;
    for (uint64_t now = steady_ms(); now < deadline; now = steady_ms()) {
        if (std::none_of(spectators.begin(), spectators.end(),
                         [](const ENetPeer* p) { return p->state != ENET_PEER_STATE_DISCONNECTED; }))
            break;
        const int got =
            enet_host_service(host_, &event, static_cast<enet_uint32>(std::min<uint64_t>(deadline - now, 50)));
        if (got <= 0) continue;
        if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        if (event.type == ENET_EVENT_TYPE_DISCONNECT && event.peer == peer_) peer_ = nullptr;
    }
}

void EnetLink::close() {
    // Only the other player: the spectators are sent the rest of the game first (end_audience).
    if (peer_ == nullptr) {
        enet_host_flush(host_);
        return;
    }
    enet_peer_disconnect_later(peer_, 0);
    enet_host_flush(host_);
    // Long enough for the last messages to be acknowledged, never longer.
    const uint64_t deadline = steady_ms() + kClosingMs;
    ENetEvent event;
    for (uint64_t now = steady_ms(); now < deadline; now = steady_ms()) {
        const int got = enet_host_service(host_, &event, static_cast<enet_uint32>(deadline - now));
        if (got < 0) continue;  // an oversized datagram: go on waiting
        if (got == 0) break;
        if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        if (event.type == ENET_EVENT_TYPE_DISCONNECT && event.peer == peer_) break;
    }
    enet_peer_reset(peer_);
    peer_ = nullptr;
}

}  // namespace net::enet
