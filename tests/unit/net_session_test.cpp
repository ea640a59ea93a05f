// Lockstep play between two sessions joined in memory: whose input counts,
// the merged input both sides play (through lost messages and changes of the
// delay), the state comparison and the ways a network game ends. The clock
// is the test's.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/net_game.h"
#include "net/session.h"
#include "support/input_events.h"
#include "support/temp_dir.h"

namespace {
using namespace net;
using platform::Event;
using platform::EventType;
using test_events::key;

Event click(bool pressed) { return test_events::button(0, pressed); }

// Two ends of a connection in memory; either may be cut, and unreliable
// messages may be lost.
struct Wire {
    std::deque<std::vector<uint8_t>> to[2];
    bool closed = false;
    std::function<bool()> lose;  // asked for each unreliable message
};

class MemoryLink final : public Transport {
public:
    MemoryLink(std::shared_ptr<Wire> wire, int side) : wire_(std::move(wire)), side_(side) {}
    void send(const std::vector<uint8_t>& bytes, Delivery delivery) override {
        if (wire_->closed || (delivery == Delivery::Unreliable && wire_->lose && wire_->lose())) return;
        wire_->to[1 - side_].push_back(bytes);
    }
    LinkEvent poll(int) override {
        auto& inbox = wire_->to[side_];
        if (!inbox.empty()) {
            LinkEvent e{LinkEvent::Kind::Received, inbox.front()};
            inbox.pop_front();
            return e;
        }
        return wire_->closed ? LinkEvent{LinkEvent::Kind::Closed, {}} : LinkEvent{};
    }
    void close() override { wire_->closed = true; }

private:
    std::shared_ptr<Wire> wire_;
    int side_;
};

std::string text(const std::vector<Event>& events) {
    std::string out;
    for (const Event& e : events)
        out += std::to_string(static_cast<int>(e.type)) + ":" + std::to_string(e.vkey) + ":" +
               std::to_string(e.pressed) + " ";
    return out;
}

struct Game {
    uint64_t now_ms = 0;
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    Session host{Role::Host, 2, std::make_unique<MemoryLink>(wire, 0), [this] { return now_ms; }};
    Session guest{Role::Guest, 2, std::make_unique<MemoryLink>(wire, 1), [this] { return now_ms; }};

    // Both sides send their events of `frame`.
    void send(long frame, std::vector<Event> host_events, std::vector<Event> guest_events) {
        host.send_input(frame, std::move(host_events));
        guest.send_input(frame, std::move(guest_events));
        host.pump(0);
        guest.pump(0);
    }
    // ... and play it, each side waiting (resending) until it may; the input each played.
    std::pair<std::vector<Event>, std::vector<Event>> play(long frame, std::vector<Event> host_events,
                                                           std::vector<Event> guest_events) {
        send(frame, std::move(host_events), std::move(guest_events));
        for (int tries = 0; tries < 50 && !(host.ready(frame) && guest.ready(frame)); ++tries) {
            now_ms += kResendMs;
            host.keep_waiting();
            guest.keep_waiting();
            host.pump(0);
            guest.pump(0);
        }
        if (host.ending() == Ending::None && guest.ending() == Ending::None) {
            EXPECT_TRUE(host.ready(frame) && guest.ready(frame)) << "frame " << frame;
        }
        return {host.take(frame), guest.take(frame)};
    }
    // Plays frames from..to with no events, both sides digesting `state(frame, side)`.
    void play_digesting(long from, long to, const std::function<uint64_t(long, int)>& state) {
        for (long f = from; f <= to; ++f) {
            play(f, {}, {});
            host.after_frame(f, [&] { return state(f, 0); }, [&] { return "host " + std::to_string(f) + "\n"; });
            guest.after_frame(f, [&] { return state(f, 1); }, [&] { return "guest " + std::to_string(f) + "\n"; });
        }
    }
};

TEST(NetSession, EachSidePlaysOnlyItsOwnControls) {
    const int player_two[] = {0x25, 0x26, 0x27, 0x28, 0x64, 0x68, 0x66, 0x65, 0x11, 0x60};
    for (const int k : player_two) {
        EXPECT_TRUE(belongs_to(Role::Guest, key(EventType::KeyDown, k))) << k;
        EXPECT_FALSE(belongs_to(Role::Host, key(EventType::KeyUp, k))) << k;
    }
    for (const int k : {0x20, 0x41, 0x62}) {  // Space, a letter, keypad 2
        EXPECT_TRUE(belongs_to(Role::Host, key(EventType::KeyDown, k))) << k;
        EXPECT_FALSE(belongs_to(Role::Guest, key(EventType::KeyDown, k))) << k;
    }
    EXPECT_TRUE(belongs_to(Role::Host, click(true)));
    EXPECT_FALSE(belongs_to(Role::Guest, click(true)));
    // Either player may pause; the window's own events stay home.
    EXPECT_TRUE(belongs_to(Role::Host, key(EventType::KeyDown, 0x1B)) &&
                belongs_to(Role::Guest, key(EventType::KeyDown, 0x1B)));
    for (const EventType t : {EventType::Quit, EventType::FocusLost, EventType::Screenshot}) {
        Event e;
        e.type = t;
        EXPECT_FALSE(belongs_to(Role::Host, e) || belongs_to(Role::Guest, e));
    }
}

TEST(NetSession, BothSidesPlayTheHostsThenTheGuestsInputAfterTheDelay) {
    Game g;
    for (long f = 1; f <= 2; ++f) {
        const auto [host, guest] = g.play(f, {click(f == 1)}, {key(EventType::KeyDown, 0x11)});
        EXPECT_TRUE(host.empty() && guest.empty()) << "frame " << f << ": nothing is due yet";
    }
    const auto [host, guest] = g.play(3, {}, {});
    EXPECT_EQ(text(host), text(guest));
    EXPECT_EQ(text(host), text({click(true), key(EventType::KeyDown, 0x11)}));
    // A side runs ahead of the other by no more than the delay.
    g.host.send_input(4, {});
    g.host.pump(0);
    EXPECT_TRUE(g.host.ready(4) && g.host.ready(5));
    EXPECT_FALSE(g.host.ready(6)) << "frame 6 waits for the guest's events of its frame 4";
}

TEST(NetSession, AMotionBeyondWhatAMessageCarriesIsPlayedAsItArrivesOnBothSides) {
    Game g;
    g.play(1, {test_events::motion(kMaxMotion + 1, -2'000'000'000), test_events::motion(-7, 8)}, {});
    g.play(2, {}, {});
    const auto [host, guest] = g.play(3, {}, {});
    ASSERT_EQ(host.size(), 2u);
    ASSERT_EQ(guest.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(host[i].dx, guest[i].dx) << i;
        EXPECT_EQ(host[i].dy, guest[i].dy) << i;
    }
    EXPECT_EQ(host[0].dx, kMaxMotion);
    EXPECT_EQ(host[0].dy, -kMaxMotion);
    EXPECT_EQ(host[1].dx, -7) << "a motion within the bound goes as it was made";
    EXPECT_EQ(host[1].dy, 8);
}

TEST(NetSession, OnAMenuOnlyTheHostsPressesCountOnBothSides) {
    Game g;
    for (long f = 1; f <= 2; ++f) g.play(f, {}, {});
    // The guest's arrow, keypad arrow and Escape would move the highlight or
    // resume; its releases and its fire still count, the host's Enter too.
    const std::vector<Event> guest = {key(EventType::KeyDown, 0x26), key(EventType::KeyDown, 0x65),
                                      key(EventType::KeyDown, 0x1B), key(EventType::KeyUp, 0x25),
                                      key(EventType::KeyDown, 0x11)};
    g.send(3, {key(EventType::KeyDown, 0x0D)}, guest);
    const std::string on_menu = text({key(EventType::KeyDown, 0x0D), key(EventType::KeyUp, 0x25),
                                      key(EventType::KeyDown, 0x11)});
    EXPECT_EQ(text(g.host.take(5, true)), on_menu);
    EXPECT_EQ(text(g.guest.take(5, true)), on_menu);

    // In play the guest's presses all count.
    g.send(4, {}, guest);
    EXPECT_EQ(text(g.host.take(6, false)), text(guest));
}

// Each side's events of frame F must be played, once, in order, on frame
// F + the delay in force: through lost messages, a delay that grows (the
// frames it skips are empty) and one that shrinks (events wait a frame).
TEST(NetSession, LostMessagesAndDelayChangesLoseNoEventAndMoveNone) {
    Game g;
    int sent = 0;
    g.wire->lose = [&sent] { return ++sent % 3 != 0; };  // two of every three inputs lost
    std::string host_played, guest_played, host_sent, guest_sent;
    for (long f = 1; f <= 60; ++f) {
        // The host moves the guest's delay up at 20 and down at 40.
        if (f == 20 || f == 40) {
            const int delay = f == 20 ? 5 : 1;
            g.wire->to[1].push_back(encode(DelayChange{static_cast<uint32_t>(f), static_cast<uint8_t>(delay)}));
            g.guest.pump(0);
        }
        const std::vector<Event> h = {key(EventType::KeyDown, 'A' + static_cast<int>(f % 20))};
        const std::vector<Event> gu = {key(EventType::KeyDown, f % 2 ? 0x25 : 0x27)};
        host_sent += text(h);
        guest_sent += text(gu);
        const auto [host, guest] = g.play(f, h, gu);
        EXPECT_EQ(text(host), text(guest)) << "frame " << f;
        for (const Event& e : host) (belongs_to(Role::Host, e) ? host_played : guest_played) += text({e});
    }
    EXPECT_EQ(g.guest.delay_at(41), 1);
    EXPECT_EQ(host_sent.substr(0, host_played.size()), host_played) << "the host's events, in order, none twice";
    EXPECT_EQ(guest_sent.substr(0, guest_played.size()), guest_played) << "the guest's events, in order, none twice";
    EXPECT_GT(guest_played.size(), guest_sent.size() * 9 / 10) << "all but the last few frames' are played";
}

TEST(NetSession, GamesThatDifferStopBothSidesWithBothStates) {
    Game g;
    g.play_digesting(1, 3 * kDigestInterval, [](long f, int side) {
        return f < 2 * kDigestInterval ? 100 : 100 + static_cast<uint64_t>(side);
    });
    for (int i = 0; i < 3; ++i) {
        g.host.pump(0);
        g.guest.pump(0);
    }
    for (Session* s : {&g.host, &g.guest}) {
        EXPECT_EQ(s->ending(), Ending::Desync);
        EXPECT_TRUE(s->over(3 * kDigestInterval + 1));
        EXPECT_EQ(s->desync_frame(), 2 * kDigestInterval);
        EXPECT_EQ(s->ending_text(), "the two games differ at frame 22");
    }
    EXPECT_EQ(g.host.local_state(), "host 22\n");
    EXPECT_EQ(g.host.remote_state(), "guest 22\n");
    EXPECT_EQ(g.guest.remote_state(), "host 22\n");

    TempDir dir;
    const auto written = write_desync_states(dir.file("cfg"), 22, Role::Guest, g.guest.local_state(),
                                             std::string(kMaxStateBytes + 500, 'x'));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_NE(written[0].find("-frame22-guest.txt"), std::string::npos);
    EXPECT_NE(written[1].find("-frame22-host.txt"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(written[1]), kMaxStateBytes) << "the other side's text is capped";
}

// A peer that plays along but never sends its digest: out of step once the
// frame it should have covered lies kDigestGraceFrames + the delay behind,
// counted in frames played, never in time.
TEST(NetSession, ADigestThatNeverComesEndsTheGameAfterTwoSecondsOfPlay) {
    Game g;
    const long due = kDigestInterval + kDigestGraceFrames + 2;
    for (long f = 1; f < due; ++f) {
        g.play(f, {}, {});
        g.host.after_frame(f, [] { return 7; }, [f] { return "host " + std::to_string(f) + "\n"; });
        g.now_ms += 10000;  // a long pause changes nothing
    }
    EXPECT_EQ(g.host.ending(), Ending::None);
    g.play(due, {}, {});
    g.host.after_frame(due, [] { return 7; }, [] { return std::string(); });
    EXPECT_EQ(g.host.ending(), Ending::OutOfStep);
    EXPECT_EQ(g.host.ending_text(), "the other player's game stopped reporting (frame 11)");
    EXPECT_EQ(g.host.local_state(), "host 11\n");
    g.guest.pump(0);
    EXPECT_EQ(g.guest.ending(), Ending::OutOfStep) << "the game ends for both";
    EXPECT_EQ(g.guest.ending_text(), "the other player's game found the two games out of step");
    EXPECT_EQ(g.guest.remote_state(), "host 11\n");
}

TEST(NetSession, ALeavingPeersInputIsPlayedOutBeforeTheGameEnds) {
    Game g;
    for (long f = 1; f <= 3; ++f) g.play(f, {}, {});
    g.wire->lose = [] { return true; };  // its last input goes with the goodbye, reliably
    g.guest.send_input(4, {key(EventType::KeyDown, 0x27)});
    g.guest.leave(ByeReason::Quit);
    g.host.send_input(4, {});
    g.host.pump(0);
    EXPECT_FALSE(g.host.over(4));
    EXPECT_FALSE(g.host.over(6)) << "the guest's events for frame 6 came before it left";
    g.host.take(4);
    g.host.take(5);
    EXPECT_EQ(text(g.host.take(6)), text({key(EventType::KeyDown, 0x27)}));
    EXPECT_TRUE(g.host.over(7));
    EXPECT_EQ(g.host.ending_text(), "the other player left the game");
}

// A wait of kStallMs or more is a stall, unless this side's own frame before
// it was long (a level loading here): then the other side was only slower.
TEST(NetSession, WaitsAfterALongFrameHereAreNoStalls) {
    Game g;
    for (long f = 1; f <= 3; ++f) g.play(f, {}, {});
    auto waited_frame = [&](long f, uint64_t frame_ms, uint64_t wait_ms) {
        g.now_ms += frame_ms;
        g.host.send_input(f, {});
        g.host.begin_frame(f);
        g.now_ms += wait_ms;
        g.guest.send_input(f, {});
        g.host.pump(0);
        g.guest.pump(0);
        ASSERT_TRUE(g.host.ready(f));
        g.host.take(f);
        g.guest.begin_frame(f);
        g.guest.take(f);
    };
    waited_frame(4, 46, kStallMs - 1);
    EXPECT_EQ(g.host.figures().stalls, 0);
    waited_frame(5, 46, kStallMs);
    EXPECT_EQ(g.host.figures().stalls, 1);
    waited_frame(6, kLongFrameMs + 1, 400);
    EXPECT_EQ(g.host.figures().stalls, 1) << "after a long frame here";
    EXPECT_EQ(g.host.figures().longest_wait_ms, 400u);
}

TEST(NetSession, SilenceIsALostConnectionOnlyAfterFiveSeconds) {
    Game starting;  // nothing heard yet: the other side is still opening its window
    starting.host.send_input(1, {});
    starting.now_ms += kSilenceMs;
    starting.host.check_silence();
    EXPECT_FALSE(starting.host.over(3));
    starting.now_ms += kStartSilenceMs - kSilenceMs;
    starting.host.check_silence();
    EXPECT_TRUE(starting.host.over(3));

    Game g;
    g.play(1, {}, {});
    g.host.send_input(2, {});
    g.now_ms += kSilenceMs - 1;
    g.host.check_silence();
    EXPECT_FALSE(g.host.over(5));
    g.now_ms += 1;
    g.host.check_silence();
    EXPECT_TRUE(g.host.over(5));
    EXPECT_EQ(g.host.ending_text(), "connection lost");
}

TEST(NetSession, WhatNoGameSendsEndsTheGameAtOnceAndHoldsNothing) {
    struct Case {
        std::vector<uint8_t> bytes;
        const char* says;
    };
    std::vector<std::vector<Event>> far(kMaxFramesPerInput, std::vector<Event>(255, key(EventType::KeyDown, 0x11)));
    const std::vector<Case> cases = {
        {encode(Input{2, 0, 0, 4, far}), "input for frame 67, beyond frame 14 the input delay allows"},
        {encode(Input{2, 0, 0, 7, {{}}}), "input for frame 7 where frame 4 was due"},
        {encode(Input{40, 0, 0, 3, {}}), "acknowledgement of frame 40, never sent"},
        {encode(Input{2, 0, 0, 4, {{click(true)}}}), "input of the other player's controls"},
        {encode(Input{2, 23, 5, 4, {}}), "state digest for frame 23 out of turn"},
        {encode(Hello{"", "1.0.0", 1, 1}), "a start-up message in the middle of the game"},
        {encode(DelayChange{10, 3}), "a delay change from the guest"},
        {{0x56, kFormatVersion, 4}, "cut short in acknowledged frame"},
    };
    for (const Case& c : cases) {
        Game g;
        g.play(1, {}, {});
        g.wire->to[0].push_back(c.bytes);  // as if the guest had sent it
        g.host.pump(0);
        EXPECT_EQ(g.host.ending(), Ending::BadMessage) << c.says;
        EXPECT_TRUE(g.host.over(2)) << "even with frame 2's input held: " << c.says;
        EXPECT_EQ(g.host.ending_text(),
                  std::string("the other player sent a bad message (") + c.says + "); disconnected");
        EXPECT_LT(g.host.held(), 10u) << "nothing of it kept: " << c.says;
    }
}

}  // namespace
