#include "support/net_stranger.h"

#include <arpa/inet.h>
#include <enet/enet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>

#include "net/session.h"

namespace scenario {
namespace {
using Clock = std::chrono::steady_clock;
using platform::Event;

bool enet_ready() {
    static const bool ok = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return ok;
}

ENetAddress loopback(const std::string& ip, int port) {
    ENetAddress a{};
    enet_address_set_host_ip(&a, ip.c_str());
    a.port = static_cast<enet_uint16>(port);
    return a;
}

ENetHost* client(const std::string& from, size_t peers) {
    if (!enet_ready()) return nullptr;
    const ENetAddress bind = loopback(from, 0);
    ENetHost* host = enet_host_create(&bind, peers, 2, 0, 0);
    if (host != nullptr) host->maximumPacketSize = 1 << 20;
    return host;
}

void send(ENetHost* host, ENetPeer* peer, const std::vector<uint8_t>& bytes, bool reliable) {
    ENetPacket* p = enet_packet_create(bytes.data(), bytes.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (enet_peer_send(peer, reliable ? 0 : 1, p) != 0) enet_packet_destroy(p);
    enet_host_flush(host);
}

bool decoded(const ENetPacket* packet, net::Message& out) {
    std::string error;
    return net::decode(packet->data, packet->dataLength, out, error);
}

bool past(Clock::time_point t) { return Clock::now() >= t; }

// A misbehaving guest plays along this long first, so the host is in play
// (and not yet missing a digest).
constexpr long kPlayAlongFrames = 30;

// Frame after frame of the most events a frame may hold, from the first the
// host has not acknowledged to 40,000 frames on, as fast as ENet takes them.
void flood_ahead(ENetHost* host, ENetPeer* peer, long acked, long held, bool& hung_up) {
    Event fire;
    fire.type = platform::EventType::KeyDown;
    fire.vkey = 0x11;
    const std::vector<Event> full(net::kMaxEventsPerFrame, fire);
    for (long first = acked + 1; first < acked + 40000; first += 64) {
        net::Input flood;
        flood.ack = static_cast<uint32_t>(held);
        flood.first = static_cast<uint32_t>(first);
        flood.frames.assign(64, full);
        send(host, peer, net::encode(flood), true);
        ENetEvent event;
        while (enet_host_service(host, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                hung_up = true;
                return;
            }
        }
    }
}
}  // namespace

bool send_datagram(int port, size_t size, const std::string& from) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in me{};
    me.sin_family = AF_INET;
    ::inet_pton(AF_INET, from.c_str(), &me.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<uint16_t>(port));
    std::vector<uint8_t> junk(size);
    std::mt19937 random(static_cast<unsigned>(size));
    for (uint8_t& b : junk) b = static_cast<uint8_t>(random());
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&me), sizeof me) == 0 &&
                    ::sendto(fd, junk.data(), junk.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
                        static_cast<ssize_t>(junk.size());
    ::close(fd);
    return ok;
}

StrangerCrowd::StrangerCrowd(const std::string& from, int port, int attempts, int over_ms) {
    thread_ = std::thread([this, from, port, attempts, over_ms] {
        ENetHost* host = client(from, static_cast<size_t>(attempts));
        if (host == nullptr) return;
        const ENetAddress to = loopback("127.0.0.1", port);
        const auto start = Clock::now();
        const auto end = start + std::chrono::milliseconds(over_ms) + std::chrono::seconds(30);
        while (!stop_ && !past(end)) {
            const auto due = start + std::chrono::milliseconds(attempts > 1 ? over_ms * attempted_ / (attempts - 1) : 0);
            if (attempted_ < attempts && past(due)) {
                if (enet_host_connect(host, &to, 2, 0) != nullptr) ++attempted_;
                continue;
            }
            ENetEvent event;
            if (enet_host_service(host, &event, 1) <= 0) continue;
            if (event.type == ENET_EVENT_TYPE_CONNECT) ++connected_;
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) ++dropped_;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        }
        enet_host_destroy(host);  // gone without a word, as a stranger goes
    });
}

StrangerCrowd::~StrangerCrowd() { stop(); }

void StrangerCrowd::stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

std::vector<net::Message> knock(int port, const std::vector<uint8_t>& first, const std::string& from, int ms,
                                bool* connected) {
    std::vector<net::Message> heard;
    if (connected != nullptr) *connected = false;
    ENetHost* host = client(from, 1);
    if (host == nullptr) return heard;
    const ENetAddress to = loopback("127.0.0.1", port);
    ENetPeer* peer = enet_host_connect(host, &to, 2, 0);
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (peer != nullptr && !past(end)) {
        ENetEvent event;
        if (enet_host_service(host, &event, 5) <= 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            if (connected != nullptr) *connected = true;
            send(host, peer, first, true);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            net::Message m;
            if (decoded(event.packet, m)) heard.push_back(m);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            break;
        }
    }
    enet_host_destroy(host);
    return heard;
}

MisdeedOutcome misbehave(int port, const net::Hello& hello, Misdeed misdeed, int ms, const std::string& from) {
    MisdeedOutcome out;
    ENetHost* host = client(from, 1);
    if (host == nullptr) return out;
    const ENetAddress to = loopback("127.0.0.1", port);
    ENetPeer* peer = enet_host_connect(host, &to, 2, 0);
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    long held = 0;      // the host's input held, every frame up to it
    long made = 0;      // the last frame of input made
    long acked = 0;     // what the host holds of it
    bool texts_sent = false;
    bool flooded = false;
    auto last_sent = Clock::now();
    auto send_input = [&] {
        net::Input m;
        m.ack = static_cast<uint32_t>(held);
        if (misdeed == Misdeed::WrongDigestAndHugeTexts && held > 2 * net::kDigestInterval)
        {
            m.digest_frame = static_cast<uint32_t>(net::kDigestInterval);
            m.digest = 0x5EED;
        }
        m.first = static_cast<uint32_t>(acked + 1);
        for (long f = acked + 1; f <= made && m.frames.size() < net::kMaxFramesPerInput; ++f) m.frames.emplace_back();
        send(host, peer, net::encode(m), false);
        last_sent = Clock::now();
    };
    while (peer != nullptr && !past(end)) {
        ENetEvent event;
        if (enet_host_service(host, &event, 2) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                send(host, peer, net::encode(hello), true);
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                out.hung_up = true;
                break;
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                net::Message m;
                const bool ok = decoded(event.packet, m);
                enet_packet_destroy(event.packet);
                if (!ok) continue;
                if (const auto* probe = std::get_if<net::Probe>(&m)) {
                    send(host, peer, net::encode(*probe), false);
                } else if (const auto* welcome = std::get_if<net::Welcome>(&m)) {
                    out.welcomed = true;
                    out.delay = welcome->delay;
                    held = made = acked = welcome->delay;
                } else if (out.welcomed) {
                    out.received.push_back(m);
                    if (const auto* input = std::get_if<net::Input>(&m)) {
                        if (input->ack > acked) acked = input->ack;
                        const long last = static_cast<long>(input->first) + static_cast<long>(input->frames.size()) - 1;
                        if (static_cast<long>(input->first) <= held + 1) held = std::max(held, last);
                        // Plays every frame it holds, making its own input a delay ahead.
                        if (held + out.delay > made) made = held + out.delay;
                        send_input();
                        if (misdeed == Misdeed::FramesFarAhead && held >= kPlayAlongFrames && !flooded) {
                            flooded = true;
                            flood_ahead(host, peer, acked, held, out.hung_up);
                            if (out.hung_up) break;
                        }
                    }
                    const bool told = std::holds_alternative<net::StateText>(m) || std::holds_alternative<net::Bye>(m);
                    if (misdeed == Misdeed::WrongDigestAndHugeTexts && told && !texts_sent) {
                        texts_sent = true;
                        std::string text;
                        while (text.size() + 80 <= net::kMaxStateBytes) text += std::string(79, 'x') + "\n";
                        for (int i = 0; i < 5; ++i)
                            send(host, peer, net::encode(net::StateText{static_cast<uint32_t>(net::kDigestInterval), text}),
                                 true);
                    }
                }
            }
        }
        if (out.welcomed && Clock::now() - last_sent > std::chrono::milliseconds(20)) send_input();
    }
    out.frames = held;
    enet_host_destroy(host);
    return out;
}

}  // namespace scenario
