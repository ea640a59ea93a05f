// The host's wait for its guest: strangers come and go through the door, a
// peer that gives the code becomes the one candidate, agrees or is refused
// (naming the first data file that differs, once both lists are in), and the
// round trip to it is measured before the welcome settles the input delay.
#include <optional>

#include "net/agreement.h"
#include "net/delay.h"
#include "net/enet_common.h"
#include "net/enet_door.h"
#include "net/enet_link.h"
#include "net/enet_transport.h"
#include "net/session.h"

namespace net {
using namespace enet;

struct GuestWait::State {
    ENetHost* host = nullptr;
    std::unique_ptr<EnetDoor> door;
};

namespace {
constexpr int kTickMs = 20;

// The peer that gave the code, while it agrees.
struct Candidate {
    ENetPeer* peer = nullptr;
    uint64_t since_ms = 0;
    Hello hello;
    ListGatherer list;          // its data files, when they differ
    bool listing = false;
    int probes_sent = 0;
    uint64_t probe_sent_ms[kProbes] = {};
    bool probe_back[kProbes] = {};
    uint64_t last_probe_ms = 0;
    std::vector<double> round_trips_ms;
};

void refuse(ENetHost* host, EnetDoor& door, ENetPeer* peer, const Refuse& refusal) {
    send_to(host, peer, refusal);
    enet_peer_disconnect_later(peer, 0);
    door.promote(peer, EnetDoor::Standing::Refused);
    note("refused the guest at " + address_text(peer->address) + ": " + refusal.text);
}

bool probing_done(const Candidate& c, uint64_t now) {
    if (c.probes_sent < kProbes) return false;
    bool all_back = true;
    for (const bool back : c.probe_back) all_back = all_back && back;
    return all_back || now - c.last_probe_ms >= static_cast<uint64_t>(kProbeWaitMs);
}
}  // namespace

GuestWait::GuestWait(std::unique_ptr<State> state, int port) : state_(std::move(state)), port_(port) {}

GuestWait::~GuestWait() {
    if (state_ && state_->host != nullptr) {
        state_->door.reset();
        enet_host_destroy(state_->host);
    }
}

std::unique_ptr<GuestWait> GuestWait::listen(int port, std::string& error) {
    if (!ready()) {
        error = "cannot start the network library";
        return nullptr;
    }
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = static_cast<enet_uint16>(port);
    ENetHost* host = make_host(&address, kHostSlots);
    if (host == nullptr) {
        error = "cannot listen on UDP port " + std::to_string(port) + " (is it in use?)";
        return nullptr;
    }
    ENetAddress bound{};
    if (enet_socket_get_address(host->socket, &bound) == 0) port = bound.port;
    auto state = std::make_unique<State>();
    state->host = host;
    state->door = std::make_unique<EnetDoor>(host);
    return std::unique_ptr<GuestWait>(new GuestWait(std::move(state), port));
}

std::unique_ptr<Transport> GuestWait::wait(const HostTerms& terms, const std::function<bool()>& tick,
                                           Arrival& arrival, std::string& error) {
    ENetHost* host = state_->host;
    EnetDoor& door = *state_->door;
    std::optional<Candidate> candidate;
    ErrorStreak errors;
    uint64_t next_tick = 0;
    // Guests looking for a game on the local network find this one while it waits.
    Beacon beacon(HostAnswer{0, static_cast<uint16_t>(port_), !terms.code.empty(), host_name(terms.name)},
                  local_networks());
    door.set_beacon(&beacon);
    struct Unset {
        EnetDoor& door;
        ~Unset() { door.set_beacon(nullptr); }
    } unset{door};

    const auto drop_candidate = [&](const Refuse& refusal) {
        refuse(host, door, candidate->peer, refusal);
        candidate.reset();
    };
    const auto welcome = [&]() -> std::unique_ptr<Transport> {
        Welcome w = terms.welcome;
        arrival.hello = candidate->hello;
        arrival.round_trips_ms = candidate->round_trips_ms;
        if (terms.measure_delay) {
            const double cover = round_trip_to_cover(candidate->round_trips_ms);
            // Without an echo at all, ENet's own estimate of the round trip.
            w.delay = static_cast<uint8_t>(
                delay_for_round_trip(cover >= 0 ? cover : static_cast<double>(candidate->peer->roundTripTime)));
        }
        arrival.delay = w.delay;
        // The seat's token: a guest whose connection drops shows it to come back.
        w.token = make_join_code() + "-" + make_join_code();
        arrival.token = w.token;
        send_to(host, candidate->peer, w);
        door.promote(candidate->peer, EnetDoor::Standing::Guest);
        note("the guest at " + address_text(candidate->peer->address) + " joined");
        ENetPeer* peer = candidate->peer;
        state_->host = nullptr;  // the link owns it now
        // A spectator starts the game as the guest did, with both ships' autofire.
        Welcome watching = w;
        watching.token.clear();
        watching.guest_autofire = arrival.hello.autofire;
        return std::make_unique<EnetLink>(host, peer, std::move(state_->door), true, terms.code, w.token, terms.local,
                                          watching);
    };

    for (;;) {
        const uint64_t now = steady_ms();
        if (now >= next_tick) {
            if (tick && !tick()) return nullptr;
            next_tick = now + kTickMs;
        }
        door.sweep(now);
        if (candidate) {
            if (candidate->peer->state != ENET_PEER_STATE_CONNECTED) {
                door.promote(candidate->peer, EnetDoor::Standing::Refused);  // gone: its slot is swept
                candidate.reset();
            } else if (now - candidate->since_ms >= static_cast<uint64_t>(kAgreeTimeoutMs)) {
                drop_candidate(Refuse{RefuseReason::BadMessage, "no agreement within " +
                                                                    std::to_string(kAgreeTimeoutMs / 1000) + " s"});
            } else if (!candidate->listing && candidate->probes_sent < kProbes &&
                       now - candidate->last_probe_ms >= static_cast<uint64_t>(kProbeGapMs)) {
                const int n = candidate->probes_sent++;
                candidate->probe_sent_ms[n] = now;
                candidate->last_probe_ms = now;
                send_to(host, candidate->peer, Probe{static_cast<uint32_t>(n)}, Delivery::Unreliable);
            } else if (!candidate->listing && probing_done(*candidate, now)) {
                return welcome();
            }
        }

        ENetEvent event;
        const int got = enet_host_service(host, &event, 5);
        if (errors.persisted(got)) {
            error = "the network connection failed while waiting for a guest";
            return nullptr;
        }
        if (got <= 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            set_timeout(event.peer, kStartSilenceMs);
            continue;
        }
        if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
        ENetPacket* packet = event.packet;
        ENetPeer* peer = event.peer;
        const EnetDoor::Standing standing = door.standing(peer);

        if (candidate && peer == candidate->peer) {
            Message message;
            std::string problem;
            if (!decode(packet->data, packet->dataLength, message, problem)) {
                drop_candidate(Refuse{RefuseReason::BadMessage, "a bad message: " + problem});
            } else if (const auto* list = std::get_if<DataList>(&message); list != nullptr && candidate->listing) {
                if (!candidate->list.add(*list, problem)) {
                    drop_candidate(Refuse{RefuseReason::BadMessage, problem});
                } else if (candidate->list.complete()) {
                    drop_candidate(data_refusal(terms.local, candidate->hello, terms.files, candidate->list.entries()));
                }
            } else if (const auto* probe = std::get_if<Probe>(&message)) {
                const uint32_t n = probe->sequence;
                if (n < static_cast<uint32_t>(candidate->probes_sent) && !candidate->probe_back[n]) {
                    candidate->probe_back[n] = true;
                    candidate->round_trips_ms.push_back(static_cast<double>(steady_ms() - candidate->probe_sent_ms[n]));
                }
            } else {
                drop_candidate(Refuse{RefuseReason::BadMessage, "a message out of turn while agreeing"});
            }
        } else if (standing == EnetDoor::Standing::Stranger) {
            bool code_matched = false;
            Refuse refusal = refusal_for_stranger(door, peer, *packet, terms.code, &code_matched);
            Message message;
            std::string problem;
            const bool decoded = code_matched && decode(packet->data, packet->dataLength, message, problem);
            const Purpose purpose = decoded ? std::get<Hello>(message).purpose : Purpose::Play;
            if (decoded && (purpose == Purpose::Watch || purpose == Purpose::ReturnRunning)) {
                refuse(host, door, peer,
                       Refuse{RefuseReason::HasGuest, purpose == Purpose::Watch
                                                          ? "the game has not started yet; watch once it has"
                                                          : "that game is over; the host waits for a new guest"});
            } else if (decoded && !candidate) {
                // A guest started again for a game that ended comes as a new one.
                // The code matched: only now does the host compare, and say what it runs.
                const Hello& hello = std::get<Hello>(message);
                candidate.emplace();
                candidate->peer = peer;
                candidate->since_ms = steady_ms();
                candidate->hello = hello;
                door.promote(peer, EnetDoor::Standing::Candidate);
                if (auto differs = judge_guest(terms.local, hello)) {
                    if (differs->reason == RefuseReason::ProgramVersion) {
                        drop_candidate(*differs);
                    } else {
                        candidate->listing = true;
                        for (const DataList& part : data_list_parts(terms.files)) send_to(host, peer, part);
                    }
                } else if (!terms.measure_delay) {
                    candidate->probes_sent = kProbes;  // nothing to measure
                    for (bool& back : candidate->probe_back) back = true;
                }
            } else {
                refuse(host, door, peer, refusal);
            }
        }
        enet_packet_destroy(packet);
    }
}

}  // namespace net
