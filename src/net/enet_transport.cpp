#include "net/enet_transport.h"

#include <enet/enet.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "net/agreement.h"
#include "net/session.h"

namespace net {
namespace {

// ENet's own ceiling on what it reassembles for us: above the largest message
// the game accepts (so an oversized one arrives and is reported), far below
// ENet's default of 32 MiB.
constexpr size_t kEnetPacketLimit = 1 << 20;
// How long a hang-up waits for its last packets (a lost one is sent again
// after a round trip or more) and for the other side to acknowledge it.
constexpr int kClosingMs = 1500;

bool enet_ready() {
    static const bool ready = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return ready;
}

void note(const std::string& text) { std::fprintf(stderr, "velmora: %s\n", text.c_str()); }

std::string address_text(const ENetAddress& address) {
    char ip[64] = "?";
    enet_address_get_host_ip(&address, ip, sizeof ip);
    return std::string(ip) + ":" + std::to_string(address.port);
}

uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

ENetHost* make_host(const ENetAddress* address, size_t peers) {
    ENetHost* host = enet_host_create(address, peers, 1, 0, 0);
    if (host != nullptr) {
        host->maximumPacketSize = kEnetPacketLimit;
        host->maximumWaitingData = 4 * kEnetPacketLimit;
    }
    return host;
}

void send_to(ENetHost* host, ENetPeer* peer, const Message& message) {
    const std::vector<uint8_t> bytes = encode(message);
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
    if (packet != nullptr && enet_peer_send(peer, 0, packet) != 0) enet_packet_destroy(packet);
    enet_host_flush(host);
}

// Silence for `ms` ends the connection at ENet's level too. Until the game
// runs, each side is busy opening its window and loading, and gets longer.
void set_timeout(ENetPeer* peer, uint64_t ms = kStartSilenceMs) {
    enet_peer_timeout(peer, 0, static_cast<enet_uint32>(ms), static_cast<enet_uint32>(ms));
}

void refuse(ENetHost* host, ENetPeer* peer, const Refuse& refusal) {
    send_to(host, peer, refusal);
    enet_peer_disconnect_later(peer, 0);
    note("refused the guest at " + address_text(peer->address) + ": " + refusal.text);
}

class EnetLink final : public Transport {
public:
    EnetLink(ENetHost* host, ENetPeer* peer, bool hosting) : host_(host), peer_(peer), hosting_(hosting) {}
    ~EnetLink() override {
        close();
        enet_host_destroy(host_);
    }
    EnetLink(const EnetLink&) = delete;
    EnetLink& operator=(const EnetLink&) = delete;

    void send(const std::vector<uint8_t>& bytes) override {
        if (peer_ == nullptr) return;
        ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
        if (packet != nullptr && enet_peer_send(peer_, 0, packet) != 0) enet_packet_destroy(packet);
        enet_host_flush(host_);
    }

    LinkEvent poll(int wait_ms) override {
        const uint64_t deadline = steady_ms() + static_cast<uint64_t>(wait_ms > 0 ? wait_ms : 0);
        for (;;) {
            const uint64_t now = steady_ms();
            const auto wait = static_cast<enet_uint32>(now < deadline ? deadline - now : 0);
            ENetEvent event;
            const int got = enet_host_service(host_, &event, wait);
            if (got < 0) {
                peer_ = nullptr;
                return {LinkEvent::Kind::Closed, {}};
            }
            if (got == 0) return {};
            if (event.peer == peer_ && peer_ != nullptr) {
                if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                    LinkEvent out{LinkEvent::Kind::Received,
                                  std::vector<uint8_t>(event.packet->data,
                                                       event.packet->data + event.packet->dataLength)};
                    enet_packet_destroy(event.packet);
                    return out;
                }
                if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                    peer_ = nullptr;
                    return {LinkEvent::Kind::Closed, {}};
                }
                continue;
            }
            // Anyone else: a second guest while the game runs.
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            if (event.type == ENET_EVENT_TYPE_CONNECT && hosting_) refuse(host_, event.peer, host_has_guest());
        }
    }

    void set_silence_limit(int ms) override {
        if (peer_ != nullptr) set_timeout(peer_, static_cast<uint64_t>(ms));
    }

    void abandon() override {
        if (peer_ == nullptr) return;
        enet_peer_disconnect_now(peer_, 0);
        peer_ = nullptr;
    }

    void close() override {
        if (peer_ == nullptr) return;
        enet_peer_disconnect_later(peer_, 0);
        enet_host_flush(host_);
        // Long enough for the last messages to be acknowledged, never longer.
        const uint64_t deadline = steady_ms() + kClosingMs;
        ENetEvent event;
        for (uint64_t now = steady_ms(); now < deadline; now = steady_ms()) {
            const int got = enet_host_service(host_, &event, static_cast<enet_uint32>(deadline - now));
            if (got <= 0) break;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            if (event.type == ENET_EVENT_TYPE_DISCONNECT && event.peer == peer_) break;
        }
        enet_peer_reset(peer_);
        peer_ = nullptr;
    }

private:
    ENetHost* host_;
    ENetPeer* peer_;
    bool hosting_;
};

// What the host answers a peer's first message with: the welcome when it is an
// introduction that agrees, else the refusal.
bool answer(const ENetPacket& packet, const Hello& local, Hello& guest, Refuse& refusal) {
    Message message;
    std::string error;
    if (!decode(packet.data, packet.dataLength, message, error)) {
        const bool other_format = packet.dataLength >= 2 && packet.data[0] == kMagic && packet.data[1] != kFormatVersion;
        refusal = other_format ? Refuse{RefuseReason::FormatVersion, "the network formats differ: the guest's is " + error}
                               : Refuse{RefuseReason::BadMessage, "a bad introduction: " + error};
        return false;
    }
    const auto* hello = std::get_if<Hello>(&message);
    if (hello == nullptr) {
        refusal = Refuse{RefuseReason::BadMessage, "the first message was not an introduction"};
        return false;
    }
    if (auto refused = judge_guest(local, *hello)) {
        refusal = *refused;
        return false;
    }
    guest = *hello;
    return true;
}
}  // namespace

std::unique_ptr<Transport> wait_for_guest(int port, const Hello& local, const Welcome& welcome,
                                          const std::function<void(int port)>& listening, Hello& guest,
                                          std::string& error) {
    if (!enet_ready()) {
        error = "cannot start the network library";
        return nullptr;
    }
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = static_cast<enet_uint16>(port);
    // Room for a few at once, so a second guest hears why it cannot join.
    ENetHost* host = make_host(&address, 4);
    if (host == nullptr) {
        error = "cannot listen on UDP port " + std::to_string(port) + " (is it in use?)";
        return nullptr;
    }
    ENetAddress bound{};
    if (enet_socket_get_address(host->socket, &bound) == 0) port = bound.port;
    if (listening) listening(port);

    for (;;) {
        ENetEvent event;
        const int got = enet_host_service(host, &event, 100);
        if (got < 0) {
            enet_host_destroy(host);
            error = "the network connection failed while waiting for a guest";
            return nullptr;
        }
        if (got == 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            set_timeout(event.peer);
            continue;
        }
        if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
        Refuse refusal;
        const bool welcome_it = answer(*event.packet, local, guest, refusal);
        enet_packet_destroy(event.packet);
        if (!welcome_it) {
            refuse(host, event.peer, refusal);
            continue;
        }
        send_to(host, event.peer, welcome);
        note("the guest at " + address_text(event.peer->address) + " joined");
        return std::make_unique<EnetLink>(host, event.peer, true);
    }
}

std::unique_ptr<Transport> join_host(const std::string& name, int port, const Hello& hello, Welcome& welcome,
                                     std::string& error) {
    if (!enet_ready()) {
        error = "cannot start the network library";
        return nullptr;
    }
    const std::string where = name + ":" + std::to_string(port);
    ENetAddress address{};
    if (enet_address_set_host(&address, name.c_str()) != 0) {
        error = "cannot find the host '" + name + "'";
        return nullptr;
    }
    address.port = static_cast<enet_uint16>(port);
    ENetHost* host = make_host(nullptr, 1);
    ENetPeer* peer = host != nullptr ? enet_host_connect(host, &address, 1, 0) : nullptr;
    if (peer == nullptr) {
        if (host != nullptr) enet_host_destroy(host);
        error = "cannot open a network connection";
        return nullptr;
    }
    set_timeout(peer);
    auto fail = [&](const std::string& why) -> std::unique_ptr<Transport> {
        enet_peer_reset(peer);
        enet_host_destroy(host);
        error = why;
        return nullptr;
    };

    const uint64_t deadline = steady_ms() + kJoinTimeoutMs;
    bool connected = false;
    for (uint64_t now = steady_ms(); now < deadline; now = steady_ms()) {
        ENetEvent event;
        const int got = enet_host_service(host, &event, static_cast<enet_uint32>(deadline - now));
        if (got < 0) return fail("the network connection to " + where + " failed");
        if (got == 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            connected = true;
            send_to(host, peer, hello);
            continue;
        }
        if (event.type == ENET_EVENT_TYPE_DISCONNECT)
            return fail(connected ? "the host at " + where + " closed the connection"
                                  : "no game is hosted at " + where);
        if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
        Message message;
        std::string problem;
        const bool decoded = decode(event.packet->data, event.packet->dataLength, message, problem);
        enet_packet_destroy(event.packet);
        if (!decoded) return fail("the host at " + where + " answered with a bad message (" + problem + ")");
        if (const auto* refusal = std::get_if<Refuse>(&message)) return fail("the host refused: " + refusal->text);
        if (const auto* accepted = std::get_if<Welcome>(&message)) {
            welcome = *accepted;
            return std::make_unique<EnetLink>(host, peer, false);
        }
        return fail("the host at " + where + " answered out of turn");
    }
    return fail(connected ? "the host at " + where + " did not answer within 5 s"
                          : "no answer from " + where + " within 5 s");
}

}  // namespace net
