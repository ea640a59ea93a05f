// The guest's way in: connect, give the code and introduce itself, answer the
// host's round-trip probes, trade file lists when the data differ, and take
// the welcome. When no answer comes, say which of the likely reasons it is:
// the system reported nothing listening there, the host took the connection
// but never answered, or nothing came back at all.
#include <netinet/in.h>
#include <sys/socket.h>

#include <linux/errqueue.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "net/agreement.h"
#include "net/enet_common.h"
#include "net/enet_door.h"
#include "net/enet_link.h"
#include "net/enet_transport.h"
#include "net/session.h"

namespace net {
using namespace enet;

namespace {
// Asks the system to report the host's "port unreachable" on this socket, so
// "nothing listens there" can be told from silence.
void report_unreachable(ENetHost* host) {
    const int on = 1;
    ::setsockopt(host->socket, IPPROTO_IP, IP_RECVERR, &on, sizeof on);
}

// Takes the reports off the socket's error queue; true when one was "refused".
bool refused_by_system(ENetHost* host) {
    bool refused = false;
    for (int i = 0; i < 16; ++i) {
        char data[64];
        char control[512];
        iovec io{data, sizeof data};
        msghdr m{};
        m.msg_iov = &io;
        m.msg_iovlen = 1;
        m.msg_control = control;
        m.msg_controllen = sizeof control;
        if (::recvmsg(host->socket, &m, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) break;
        for (cmsghdr* c = CMSG_FIRSTHDR(&m); c != nullptr; c = CMSG_NXTHDR(&m, c)) {
            if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_RECVERR) continue;
            sock_extended_err err{};
            std::memcpy(&err, CMSG_DATA(c), sizeof err);
            if (err.ee_errno == ECONNREFUSED) refused = true;
        }
    }
    return refused;
}
}  // namespace

std::unique_ptr<Transport> join_host(const std::string& name, int port, const Hello& hello,
                                     const std::vector<DataEntry>& files, Joining& joining, std::string& error) {
    if (!ready()) {
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
    ENetPeer* peer = host != nullptr ? enet_host_connect(host, &address, kChannels, 0) : nullptr;
    if (peer == nullptr) {
        if (host != nullptr) enet_host_destroy(host);
        error = "cannot open a network connection";
        return nullptr;
    }
    report_unreachable(host);
    auto door = std::make_unique<EnetDoor>(host, address);
    set_timeout(peer, kStartSilenceMs);
    auto fail = [&](const std::string& why) -> std::unique_ptr<Transport> {
        enet_peer_reset(peer);
        door.reset();
        enet_host_destroy(host);
        error = why;
        return nullptr;
    };

    uint64_t deadline = steady_ms() + kJoinTimeoutMs;
    bool connected = false, unreachable = false;
    ListGatherer their_files;
    ErrorStreak errors;
    for (uint64_t now = steady_ms(); now < deadline; now = steady_ms()) {
        ENetEvent event;
        errno = 0;
        const int got = enet_host_service(host, &event, static_cast<enet_uint32>(std::min<uint64_t>(deadline - now, 50)));
        if (got < 0) {
            if (errno == ECONNREFUSED || refused_by_system(host)) unreachable = true;
            if (unreachable && !connected)
                return fail("no game is hosted at " + where + " (nothing listens on that UDP port)");
            if (errors.persisted(got)) return fail("the network connection to " + where + " failed");
            continue;
        }
        errors.persisted(got);
        if (got == 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            connected = true;
            keep_every_packet(peer);
            send_to(host, peer, hello);
            continue;
        }
        if (event.type == ENET_EVENT_TYPE_DISCONNECT)
            return fail(connected ? "the host at " + where + " closed the connection" : "no game is hosted at " + where);
        if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
        Message message;
        std::string problem;
        const bool decoded = decode(event.packet->data, event.packet->dataLength, message, problem);
        enet_packet_destroy(event.packet);
        if (!decoded) return fail("the host at " + where + " answered with a bad message (" + problem + ")");
        if (const auto* refusal = std::get_if<Refuse>(&message)) {
            std::string text = "the host refused: " + refusal->text;
            if (refusal->reason == RefuseReason::WrongCode && normalized_join_code(hello.code).empty())
                text += " (the host asks for one: give it with --code)";
            if (refusal->reason == RefuseReason::DataSet && !joining.data_difference.empty())
                text = "the host refused: the data sets differ; the first that differs is " + joining.data_difference;
            return fail(text);
        }
        if (const auto* probe = std::get_if<Probe>(&message)) {
            send_to(host, peer, *probe, Delivery::Unreliable);
            deadline = std::max(deadline, steady_ms() + kJoinTimeoutMs);
            continue;
        }
        if (const auto* list = std::get_if<DataList>(&message)) {
            if (!their_files.add(*list, problem)) return fail("the host at " + where + " sent " + problem);
            if (their_files.complete()) {
                joining.data_difference = first_difference(their_files.entries(), files);
                for (const DataList& part : data_list_parts(files)) send_to(host, peer, part);
            }
            deadline = std::max(deadline, steady_ms() + kJoinTimeoutMs);
            continue;
        }
        // The host's first input can overtake the welcome (they go on
        // different channels); it comes again with the next.
        if (std::holds_alternative<Input>(message)) continue;
        if (const auto* accepted = std::get_if<Welcome>(&message)) {
            joining.welcome = *accepted;
            return std::make_unique<EnetLink>(host, peer, std::move(door), false, std::string());
        }
        return fail("the host at " + where + " answered out of turn");
    }
    if (connected) return fail("the host at " + where + " took the connection but did not answer within " +
                               std::to_string(kJoinTimeoutMs / 1000) + " s");
    return fail("no answer from " + where + " within " + std::to_string(kJoinTimeoutMs / 1000) +
                " s: no game is hosted there, or the way to it (a router, a firewall) does not pass UDP port " +
                std::to_string(port) + ", or the host has no room (try again)");
}

}  // namespace net
