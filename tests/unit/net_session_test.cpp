// Lockstep play between two sessions joined in memory: whose input counts,
// the merged input both sides play, the state comparison and the ways a
// network game ends. The clock is the test's.
#include <gtest/gtest.h>

#include <deque>
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

// Two ends of a connection in memory; either may be cut.
struct Wire {
    std::deque<std::vector<uint8_t>> to[2];
    bool closed = false;
};

class MemoryLink final : public Transport {
public:
    MemoryLink(std::shared_ptr<Wire> wire, int side) : wire_(std::move(wire)), side_(side) {}
    void send(const std::vector<uint8_t>& bytes) override {
        if (!wire_->closed) wire_->to[1 - side_].push_back(bytes);
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
    // ... and play it; the input each played.
    std::pair<std::vector<Event>, std::vector<Event>> play(long frame, std::vector<Event> host_events,
                                                           std::vector<Event> guest_events) {
        send(frame, std::move(host_events), std::move(guest_events));
        EXPECT_TRUE(host.ready(frame) && guest.ready(frame)) << "frame " << frame;
        return {host.take(frame), guest.take(frame)};
    }
};

std::string text(const std::vector<Event>& events) {
    std::string out;
    for (const Event& e : events)
        out += std::to_string(static_cast<int>(e.type)) + ":" + std::to_string(e.vkey) + ":" +
               std::to_string(e.pressed) + " ";
    return out;
}

std::string state(long frame, int score, int clock) {
    return "frame " + std::to_string(frame) + "\nfxvolume " + std::to_string(clock % 11) + "\nplayer1score " +
           std::to_string(score) + "\ntime_us " + std::to_string(clock) + "\n";
}

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

TEST(NetSession, GamesThatDifferStopBothSidesWithBothStates) {
    Game g;
    for (long f = 1; f <= 2 * kDigestInterval; ++f) {
        g.play(f, {}, {});
        const int guest_score = f < 2 * kDigestInterval ? 100 : 150;
        g.host.after_frame(f, [f] { return state(f, 100, 1000); });
        g.guest.after_frame(f, [&] { return state(f, guest_score, 2000); });
        g.host.pump(0);
        g.guest.pump(0);
        if (f == kDigestInterval) {
            EXPECT_EQ(g.host.ending(), Ending::None) << "the same play, other clocks and volumes";
        }
    }
    g.host.pump(0);
    for (Session* s : {&g.host, &g.guest}) {
        EXPECT_EQ(s->ending(), Ending::Desync);
        EXPECT_TRUE(s->over(2 * kDigestInterval + 1));
        EXPECT_EQ(s->desync_frame(), 2 * kDigestInterval);
        EXPECT_EQ(s->ending_text(), "the two games differ at frame 44");
    }
    EXPECT_EQ(g.host.local_state(), state(44, 100, 1000));
    EXPECT_EQ(g.host.remote_state(), state(44, 150, 2000));
    EXPECT_EQ(g.guest.remote_state(), state(44, 100, 1000));

    TempDir dir;
    const auto written = write_desync_states(dir.file("cfg"), 44, Role::Guest, g.guest.local_state(),
                                             g.guest.remote_state());
    ASSERT_EQ(written.size(), 2u);
    EXPECT_NE(written[0].find("-frame44-guest.txt"), std::string::npos);
    EXPECT_NE(written[1].find("-frame44-host.txt"), std::string::npos);
}

TEST(NetSession, ALeavingPeersInputIsPlayedOutBeforeTheGameEnds) {
    Game g;
    for (long f = 1; f <= 3; ++f) g.play(f, {}, {});
    g.guest.send_input(4, {key(EventType::KeyDown, 0x27)});
    g.guest.leave(ByeReason::Quit);
    g.host.send_input(4, {});
    g.host.pump(0);
    EXPECT_FALSE(g.host.over(4));
    EXPECT_FALSE(g.host.over(6)) << "the guest's events for frame 6 came before it left";
    EXPECT_EQ(text(g.host.take(6)), text({key(EventType::KeyDown, 0x27)}));
    EXPECT_TRUE(g.host.over(7));
    EXPECT_EQ(g.host.ending_text(), "the other player left the game");
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

TEST(NetSession, WhatNoGameSendsEndsTheGameAtOnce) {
    struct Case {
        std::vector<uint8_t> bytes;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{0x56, kFormatVersion, 4, 7, 0, 0, 0, 0}, "input for frame 7 where frame 4 was due"},
        {encode(Input{4, {click(true)}}), "input of the other player's controls"},
        {encode(Hello{"1.0.0", 1, 1}), "a start-up message in the middle of the game"},
        {encode(StateHash{23, 5}), "state digest for frame 23 out of turn"},
        {{0x56, kFormatVersion, 4}, "cut short in input frame"},
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
    }
}

}  // namespace
