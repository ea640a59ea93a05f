// Network play as a sequence: a host's and a guest's session joined by a wire
// in memory, the input deciding what happens next, one operation at a time:
// a side plays (or waits for) its next frame with events of its own, time
// passes (a little, or seconds of silence), input messages are lost, a side
// leaves, the connection drops, and a stranger's messages (well formed and
// aimed near the frames in play, or raw bytes) arrive or a queued one is
// damaged, in either direction. The clock is virtual.
//
// Checked besides the sanitizers: what a session holds stays within a fixed
// bound whatever arrives; an ending always has a line for the player; and
// while only honest traffic flows (losses, silence, leaving and a dropped
// connection included) both sides play the same input frame by frame, never
// see a bad message or games that differ, and keep playing until the game
// ends.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/options.h"
#include "net/lockstep.h"
#include "net/message.h"
#include "net/session.h"

namespace {

using net::Delivery;
using platform::Event;
using platform::EventType;

struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool empty() const { return at >= size; }
    uint8_t u8() { return at < size ? data[at++] : 0; }
    uint32_t u16() { return u8() | (uint32_t{u8()} << 8); }
};

struct Packet {
    std::vector<uint8_t> bytes;
    Delivery delivery;
};

// Either side closing closes both; what was sent before still arrives.
struct Wire {
    std::deque<Packet> to[2];
    bool closed = false;
};

class WireEnd final : public net::Transport {
public:
    WireEnd(std::shared_ptr<Wire> wire, int side) : wire_(std::move(wire)), side_(side) {}
    void send(const std::vector<uint8_t>& bytes, Delivery delivery) override {
        if (!wire_->closed) wire_->to[1 - side_].push_back({bytes, delivery});
    }
    net::LinkEvent poll(int) override {
        auto& inbox = wire_->to[side_];
        if (!inbox.empty()) {
            net::LinkEvent e{net::LinkEvent::Kind::Received, std::move(inbox.front().bytes)};
            inbox.pop_front();
            return e;
        }
        return wire_->closed ? net::LinkEvent{net::LinkEvent::Kind::Closed, {}} : net::LinkEvent{};
    }
    void close() override { wire_->closed = true; }

private:
    std::shared_ptr<Wire> wire_;
    int side_;
};

// An event the message format carries whole, so both sides can compare it.
Event make_event(Bytes& in) {
    Event e;
    const uint8_t kind = in.u8();
    switch (kind % 4) {
        case 0:
            e.type = EventType::KeyDown;
            e.vkey = in.u8();
            e.repeat = (kind & 4) != 0;
            break;
        case 1:
            e.type = EventType::KeyUp;
            e.vkey = in.u8();
            break;
        case 2:
            e.type = EventType::MouseMotion;
            e.dx = (static_cast<int>(in.u8()) - 128) * 781;  // within the format's ±kMaxMotion
            e.dy = static_cast<int>(in.u8()) - 128;
            break;
        default:
            e.type = EventType::MouseButton;
            e.button = in.u8() % 32;
            e.pressed = (kind & 4) != 0;
            break;
    }
    return e;
}

uint64_t mix(uint64_t h, uint64_t v) { return (h ^ v) * 0x100000001B3ull; }

uint64_t hash_of(const std::vector<Event>& events) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (const Event& e : events) {
        h = mix(h, static_cast<uint64_t>(e.type));
        h = mix(h, static_cast<uint64_t>(e.vkey) << 8 | (e.repeat ? 1 : 0) << 1 | (e.pressed ? 1 : 0));
        h = mix(h, static_cast<uint64_t>(static_cast<uint32_t>(e.dx)) << 32 | static_cast<uint32_t>(e.dy));
        h = mix(h, static_cast<uint64_t>(e.button));
    }
    return h;
}

// One side's game loop as NetGame runs it, a frame at a time; its "game
// state" is a digest of the input it played.
struct Side {
    net::Role role;
    std::unique_ptr<net::Session> session;
    long frame = 1;
    bool sent = false;  // this frame's input went out; the frame waits for the other side's
    uint64_t state = 0;
    std::map<long, uint64_t>* played;  // frame -> the input's digest, shared by both sides

    bool done() const { return session->over(frame); }

    // Sends this frame's input (once), then plays it when both sides' input
    // is held, else waits a moment as the game does. True when it played.
    bool step(std::vector<Event> events) {
        if (done()) return false;
        if (!sent) {
            std::vector<Event> own;
            for (const Event& e : events)
                if (net::belongs_to(role, e)) own.push_back(e);
            session->send_input(frame, std::move(own));
            session->begin_frame(frame);
            sent = true;
        }
        session->pump(0);
        if (!session->ready(frame) || session->over(frame)) {
            session->keep_waiting();
            return false;
        }
        const std::vector<Event> input = session->take(frame, (state & 3) == 0);
        const uint64_t h = hash_of(input);
        const auto [it, fresh] = played->emplace(frame, h);
        if (!fresh && it->second != h) mismatch = true;
        state = mix(state, h);
        const uint64_t now_state = state;
        session->after_frame(
            frame, [now_state] { return now_state; },
            [this] { return std::string(net::side_name(role)) + " " + std::to_string(frame) + "\n"; });
        session->pump(0);
        ++frame;
        sent = false;
        return true;
    }
    bool mismatch = false;
};

// A message well formed for the decoder, its numbers near the frames in play.
std::vector<uint8_t> stranger_message(Bytes& in, long near) {
    const auto frame_near = [&](uint8_t b) {
        return static_cast<uint32_t>(std::max<long>(0, near + static_cast<int8_t>(b)));
    };
    switch (in.u8() % 8) {
        case 0: {
            net::Input m;
            m.ack = frame_near(in.u8());
            const uint8_t d = in.u8();
            m.digest_frame = (d & 1) != 0 ? frame_near(in.u8()) / net::kDigestInterval * net::kDigestInterval : 0;
            m.digest = m.digest_frame != 0 ? in.u16() : 0;
            m.first = std::max<uint32_t>(1, frame_near(in.u8()));
            const int frames = d >> 4;
            for (int f = 0; f < frames; ++f) {
                std::vector<Event> events;
                for (int n = in.u8() % 4; n > 0; --n) events.push_back(make_event(in));
                m.frames.push_back(std::move(events));
            }
            return net::encode(m);
        }
        case 1: return net::encode(net::DelayChange{frame_near(in.u8()), static_cast<uint8_t>(in.u8() % 16)});
        case 2: return net::encode(net::StateText{frame_near(in.u8()), std::string(in.u8(), 'x') + "\n"});
        case 3: return net::encode(net::Bye{static_cast<net::ByeReason>(1 + in.u8() % 3)});
        case 4: {
            net::Timing t;
            t.frame = frame_near(in.u8());
            t.stalls = static_cast<uint16_t>(in.u8());
            t.slack_ms = static_cast<int16_t>(in.u16());
            return net::encode(t);
        }
        case 5: return net::encode(net::Probe{in.u8()});
        case 6: return net::encode(net::Hello{"", "1", in.u16(), in.u8(), false});
        default: {
            std::vector<uint8_t> raw(in.u8() % 48);
            for (uint8_t& b : raw) b = in.u8();
            return raw;
        }
    }
}

// Says which check failed (for whoever reads the crash) and stops.
[[noreturn]] void fail(const char* side, const char* what, const Side& s) {
    std::fprintf(stderr, "net_session: the %s %s at frame %ld: %s\n", side, what, s.frame,
                 s.session->ending_text().c_str());
    std::abort();
}

// What a session may hold: both sides' unacknowledged and awaited input
// frames (within the delay's reach and the acknowledgement limit) and the
// digests waiting to be compared.
constexpr size_t kMaxHeld = 2 * (net::kMaxUnackedFrames + 4 * kMaxNetDelay + net::kAheadMarginFrames + 2) + 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size};
    const uint8_t setup = in.u8();
    const int delay = 1 + setup % kMaxNetDelay;
    uint64_t now_ms = 0;
    auto wire = std::make_shared<Wire>();
    std::map<long, uint64_t> played;
    Side sides[2] = {
        {net::Role::Host,
         std::make_unique<net::Session>(net::Role::Host, delay, std::make_unique<WireEnd>(wire, 0),
                                        [&now_ms] { return now_ms; }),
         1, false, 0, &played},
        {net::Role::Guest,
         std::make_unique<net::Session>(net::Role::Guest, delay, std::make_unique<WireEnd>(wire, 1),
                                        [&now_ms] { return now_ms; }),
         1, false, 0, &played},
    };
    // Paced sides measure the link and tune the delay by the virtual clock.
    sides[0].session->set_adaptive((setup & 0x40) != 0);
    for (Side& s : sides) s.session->set_paced((setup & 0x80) != 0);

    bool honest = true;
    const auto check = [&] {
        for (const Side& s : sides) {
            const char* side = net::side_name(s.role);
            if (s.session->held() > kMaxHeld) fail(side, "holds too much", s);
            if ((s.session->ending() == net::Ending::None) != s.session->ending_text().empty())
                fail(side, "an ending without its line", s);
            if (honest && s.mismatch) fail(side, "played other input than the other side", s);
            if (honest && (s.session->ending() == net::Ending::BadMessage || s.session->ending() == net::Ending::Desync))
                fail(side, "ended an honest game", s);
        }
    };

    while (!in.empty()) {
        const uint8_t op = in.u8();
        const int side = op & 1;
        std::deque<Packet>& inbox = wire->to[side];
        switch ((op >> 1) % 10) {
            case 0:
            case 1:
            case 2: {  // a side's next frame, with up to 3 events
                std::vector<Event> events;
                for (int n = (op >> 5) & 3; n > 0; --n) events.push_back(make_event(in));
                sides[side].step(std::move(events));
                break;
            }
            case 3: now_ms += in.u8(); break;
            case 4: now_ms += uint64_t{in.u8()} * 100; break;  // up to 25 s of silence
            case 5:  // the oldest input on its way to this side is lost
                for (auto it = inbox.begin(); it != inbox.end(); ++it) {
                    if (it->delivery != Delivery::Unreliable) continue;
                    inbox.erase(it);
                    break;
                }
                break;
            case 6:
                if ((op & 0x20) != 0) sides[side].session->leave((op & 0x40) != 0 ? net::ByeReason::Quit
                                                                                 : net::ByeReason::Stopped);
                else wire->closed = true;
                break;
            case 7:
            case 8: {  // a stranger's message, first or last in line
                honest = false;
                std::vector<uint8_t> bytes = stranger_message(in, sides[side].frame);
                const Delivery delivery = (op & 0x20) != 0 ? Delivery::Unreliable : Delivery::Reliable;
                if ((op & 0x40) != 0) inbox.push_front({std::move(bytes), delivery});
                else inbox.push_back({std::move(bytes), delivery});
                break;
            }
            default: {  // a queued message damaged on its way
                if (inbox.empty()) break;
                honest = false;
                std::vector<uint8_t>& bytes = inbox[in.u8() % inbox.size()].bytes;
                if (bytes.empty()) break;
                bytes[in.u8() % bytes.size()] ^= static_cast<uint8_t>(1 + in.u8() % 255);
                break;
            }
        }
        check();
    }

    // Then both sides play on with nothing lost: an honest game either keeps
    // going or has ended, it never waits on itself.
    const long start = std::min(sides[0].frame, sides[1].frame);
    for (int slice = 0; slice < 4000 && std::min(sides[0].frame, sides[1].frame) < start + 60; ++slice) {
        if (sides[0].done() && sides[1].done()) break;
        const bool host_moved = sides[0].step({});
        const bool guest_moved = sides[1].step({});
        const bool moved = host_moved || guest_moved;
        if (!moved) now_ms += net::kResendMs;
        check();
    }
    // A side that left (or saw the link drop) plays out what it holds and is then over.
    const bool going = !sides[0].done() && !sides[1].done();
    if (honest && going && std::min(sides[0].frame, sides[1].frame) < start + 60)
        fail("game", "stopped moving", sides[0].frame < sides[1].frame ? sides[0] : sides[1]);
    return 0;
}
