// Catching up with a game: the host's record of it travels in feed messages
// (each within the message limit, every frame and digest arriving as played)
// and stops at its cap; a feed that skips frames is refused; and a guest that
// comes back anew after frame P agrees with the host on every frame's merged
// input from P + 1 on.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "net/audience.h"
#include "net/game_log.h"
#include "net/lockstep.h"
#include "net/message.h"
#include "support/input_events.h"

namespace {
using namespace net;
using platform::Event;
using platform::EventType;
using test_events::key;

// A frame's events, some frames empty and some as full as a frame gets.
std::vector<Event> frame_events(long f) {
    std::vector<Event> events;
    const size_t count = f % 97 == 0 ? kMaxEventsPerFrame : static_cast<size_t>(f % 4);
    for (size_t i = 0; i < count; ++i)
        events.push_back(i % 3 == 0 ? test_events::motion(static_cast<int>(f % 50) - 25, static_cast<int>(i))
                                    : key(i % 2 ? EventType::KeyDown : EventType::KeyUp, 0x25 + static_cast<int>(i % 4)));
    return events;
}

std::string text(const std::vector<Event>& events) {
    std::string out;
    for (const Event& e : events)
        out += std::to_string(static_cast<int>(e.type)) + ":" + std::to_string(e.vkey) + ":" + std::to_string(e.dx) +
               ":" + std::to_string(e.dy) + " ";
    return out;
}

TEST(NetCatchUp, TheRecordTravelsWholeInFeedsWithinTheMessageLimit) {
    GameLog log;
    const long frames = 3000;
    for (long f = 1; f <= frames; ++f) {
        ASSERT_TRUE(log.add(f, frame_events(f)));
        if (f % 11 == 0) log.add_digest(f, 1000 + static_cast<uint64_t>(f));
    }
    EXPECT_TRUE(log.add(frames + 5, {})) << "a frame out of order is not kept, but the log is not full";
    EXPECT_EQ(log.through(), frames);

    FeedQueue queue;
    std::string error;
    int messages = 0;
    for (long f = 1; f <= frames; ++messages) {
        const std::vector<uint8_t> bytes = encode(log.feed(f, frames));
        ASSERT_LE(bytes.size(), kMaxMessageBytes);
        Message back;
        ASSERT_TRUE(decode(bytes.data(), bytes.size(), back, error)) << error;
        const Feed& feed = std::get<Feed>(back);
        ASSERT_FALSE(feed.frames.empty());
        ASSERT_TRUE(queue.add(feed, error)) << error;
        // The same feed again (a resend) adds nothing.
        ASSERT_TRUE(queue.add(feed, error)) << error;
        f += static_cast<long>(feed.frames.size());
    }
    EXPECT_GT(messages, 3) << "the record is cut into feeds";
    ASSERT_EQ(queue.through(), frames);
    for (long f = 1; f <= frames; ++f) {
        ASSERT_EQ(text(queue.take(f)), text(frame_events(f))) << "frame " << f;
        uint64_t digest = 0;
        EXPECT_EQ(queue.digest(f, digest), f % 11 == 0) << "frame " << f;
        if (f % 11 == 0) {
            EXPECT_EQ(digest, 1000 + static_cast<uint64_t>(f));
        }
    }
}

TEST(NetCatchUp, AFeedThatSkipsFramesIsRefusedAndTheRecordStopsAtItsCap) {
    FeedQueue queue;
    std::string error;
    Feed feed;
    feed.first = 1;
    feed.frames.resize(10);
    ASSERT_TRUE(queue.add(feed, error));
    feed.first = 12;
    EXPECT_FALSE(queue.add(feed, error));
    EXPECT_EQ(error, "a feed from frame 12 where frame 11 was due");
    EXPECT_EQ(queue.through(), 10);
    feed.first = 1000;  // an empty one too: it claims the frames between
    feed.frames.clear();
    EXPECT_FALSE(queue.add(feed, error));
    EXPECT_EQ(queue.through(), 10);

    GameLog log;
    for (long f = 1; f <= static_cast<long>(GameLog::kMaxFrames); ++f) ASSERT_TRUE(log.add(f, {}));
    EXPECT_FALSE(log.add(static_cast<long>(GameLog::kMaxFrames) + 1, {}));
    EXPECT_TRUE(log.full());
    EXPECT_EQ(log.through(), static_cast<long>(GameLog::kMaxFrames));
    EXPECT_LT(log.bytes(), GameLog::kMaxBytes);
}

// The host played through frame P with its old guest, which had sent input
// further; a guest started again holds the host's record through P. From
// P + 1 both sides play the same merged input.
TEST(NetCatchUp, AGuestBackAnewAndItsHostAgreeOnEveryFrameAfterThePause) {
    const int delay = 3;
    InputQueue host(Role::Host, delay), old_guest(Role::Guest, delay);
    auto host_event = [](long f) { return std::vector<Event>{test_events::motion(static_cast<int>(f), 1)}; };
    auto guest_event = [](long f) { return std::vector<Event>{key(EventType::KeyDown, f % 2 ? 0x25 : 0x27)}; };
    const long paused = 40;
    for (long f = 1; f <= paused + 2; ++f) {
        if (f <= paused) host.put_local(f, host_event(f));
        old_guest.put_local(f, guest_event(f));
        ASSERT_EQ(host.put_remote(old_guest.outgoing(0, 0), 1000), InputQueue::Received::Ok);
        ASSERT_EQ(old_guest.put_remote(host.outgoing(0, 0), 1000), InputQueue::Received::Ok);
        if (f <= paused) host.take(f);
    }
    ASSERT_GT(host.remote_through(), paused) << "the old guest's input went further than the host played";

    host.restart_remote(paused, delay);
    InputQueue guest(Role::Guest, delay, paused);
    std::vector<std::string> host_played, guest_played;
    for (long f = paused + 1; f <= paused + 30; ++f) {
        host.put_local(f, host_event(f));
        guest.put_local(f, guest_event(f));
        ASSERT_EQ(host.put_remote(guest.outgoing(0, 0), f + 2 * delay + 8), InputQueue::Received::Ok) << f;
        ASSERT_EQ(guest.put_remote(host.outgoing(0, 0), f + 2 * delay + 8), InputQueue::Received::Ok) << f;
        ASSERT_TRUE(host.ready(f) && guest.ready(f)) << f;
        host_played.push_back(text(host.take(f)));
        guest_played.push_back(text(guest.take(f)));
    }
    EXPECT_EQ(host_played, guest_played);
    // The new guest's first frames are empty; its input counts after the delay.
    EXPECT_EQ(guest_played[0], text(host_event(paused + 1 - delay)));
    EXPECT_EQ(guest_played[delay], text(host_event(paused + 1)) + text(guest_event(paused + 1)));
}

// The host's spectators: each is sent the record only so far ahead of what
// it played, one that stops falls behind and is dropped at 30 s of play, one
// that chatters is dropped, and what a spectator claims to have played
// cannot run ahead of what it was sent.
TEST(NetCatchUp, SpectatorsAreFedAsTheyPlayAndDroppedWhenFarBehindOrChatty) {
    GameLog log;
    long through = 0;
    auto play = [&](long frames) {
        for (long i = 0; i < frames; ++i) {
            ++through;
            log.add(through, frame_events(through));
        }
    };
    play(5000);
    Audience audience;
    std::map<uint64_t, long> sent;
    auto serve = [&](uint64_t now) {
        return audience.serve(log, now, [&](uint64_t id, const Feed& feed) {
            EXPECT_EQ(static_cast<long>(feed.first), sent[id] + 1);
            sent[id] += static_cast<long>(feed.frames.size());
        });
    };
    for (uint64_t id = 1; id <= Audience::kMaxSpectators; ++id) audience.join(id, 0);
    EXPECT_FALSE(audience.has_room());
    serve(0);
    EXPECT_EQ(sent[1], Audience::kAheadFrames) << "no further than this ahead of what it played";

    EXPECT_TRUE(audience.heard(1, 999999, 10)) << "claims are taken";
    serve(20);
    EXPECT_EQ(sent[1], 2 * Audience::kAheadFrames) << "but only as far as what it was sent";

    // Spectators 1 and 2 catch up and go live; 3 stops while catching up; 4 chatters.
    uint64_t now = 20;
    for (long n = 0; sent[1] < through || sent[2] < through; ++n, now += 50) {
        audience.heard(1, sent[1], now);
        audience.heard(2, sent[2], now);
        ASSERT_TRUE(serve(now).empty());
    }
    audience.heard(1, through, now);
    audience.heard(2, through, now);
    serve(now);  // both live now
    bool quiet = true;
    for (int i = 0; i <= Audience::kMessagesPerSecond; ++i) quiet = audience.heard(4, 0, now);
    EXPECT_FALSE(quiet);
    audience.leave(4);  // as the connection drops it

    // Spectator 2 stops; the game plays on. Just under 30 s of play behind it stays.
    const long stopped_at = through;
    std::vector<std::pair<uint64_t, std::string>> dropped;
    for (long f = 0; f <= Audience::kBehindFrames && dropped.empty(); ++f, now += 46) {
        play(1);
        audience.heard(1, through, now);
        audience.heard(3, 0, now);  // there, but stuck at its start
        dropped = serve(now);
    }
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].first, 2u);
    EXPECT_EQ(dropped[0].second, "you fell more than 30 s behind the game");
    EXPECT_LE(sent[2], stopped_at + Audience::kAheadFrames) << "the stopped one was sent no more than its share";
    EXPECT_EQ(through - stopped_at, Audience::kBehindFrames + 1) << "dropped as soon as it was 30 s behind";
    dropped = serve(now + Audience::kSilentMs);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].first, 3u) << "silent while catching up";
    EXPECT_TRUE(audience.contains(1));
    EXPECT_EQ(sent[1], through) << "the live one is fed every frame";
}

TEST(NetCatchUp, AtTheGamesEndEverySpectatorIsSentTheRestOfTheRecordInOrder) {
    GameLog log;
    for (long f = 1; f <= 4000; ++f) log.add(f, frame_events(f));
    Audience audience;
    std::map<uint64_t, long> sent;
    std::map<uint64_t, FeedQueue> queues;
    auto send = [&](uint64_t id, const Feed& feed) {
        std::string error;
        EXPECT_TRUE(queues[id].add(feed, error)) << error;
        sent[id] += static_cast<long>(feed.frames.size());
    };
    audience.join(1, 0);
    audience.join(2, 0);
    audience.serve(log, 0, send);  // both at their start, a share each
    audience.heard(2, 1500, 10);
    audience.serve(log, 10, send);
    ASSERT_LT(sent[1], log.through());
    log.add(4001, frame_events(4001));  // the last frame, played after the last serve

    audience.serve_rest(log, send);
    for (const uint64_t id : {1u, 2u}) {
        EXPECT_EQ(sent[id], 4001) << "spectator " << id << ": far behind or not, every frame";
        EXPECT_TRUE(queues[id].has(4001));
        EXPECT_FALSE(queues[id].has(4002));
    }
    EXPECT_EQ(text(queues[1].take(4001)), text(frame_events(4001))) << "the last frame with its input";
}

}  // namespace
