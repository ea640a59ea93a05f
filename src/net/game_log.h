// The game as the host played it, for those who join it late: the merged
// input of every frame from frame 1 (the host's own record, never filled by a
// peer) with the host's state digests, served in feed messages; and, on the
// other end, the frames of a feed held until they are played. A spectator and
// a guest that comes back after a drop both catch up from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "net/message.h"
#include "platform/platform.h"

namespace net {

class GameLog {
public:
    // A long two-player game takes a few bytes a frame: 400,000 frames are
    // five hours of play. Past either cap the log stops; nobody can join the
    // game late any more (it goes on for its players).
    static constexpr size_t kMaxFrames = 400000;
    static constexpr size_t kMaxBytes = 8u << 20;

    // The merged input of `frame`, which must be through() + 1 (anything
    // else, or a full log, is not kept). False once the log is full.
    bool add(long frame, const std::vector<platform::Event>& events);
    // The host's state digest after `frame` (one every digest interval).
    void add_digest(long frame, uint64_t digest);
    long through() const { return static_cast<long>(starts_.size()); }
    bool full() const { return full_; }
    size_t bytes() const { return bytes_.size() + starts_.size() * sizeof(uint32_t); }

    // A feed of the frames from `first` (at most through `last`), within
    // kFeedBudgetBytes, with the digests of those frames. Empty frames when
    // `first` is past through().
    Feed feed(long first, long last) const;

private:
    std::vector<uint8_t> bytes_;     // each frame's events as the input message writes them
    std::vector<uint32_t> starts_;   // where each frame's bytes start
    std::map<long, uint64_t> digests_;
    bool full_ = false;
};

// The receiving end: the frames of a feed in order, waiting to be played, and
// the host's digests to check the state against.
class FeedQueue {
public:
    // Frames and digests past what was played, at most.
    static constexpr size_t kMaxHeld = GameLog::kMaxFrames;

    // False with `error` when the feed does not follow on (a gap, too much).
    bool add(const Feed& feed, std::string& error);
    // The last frame received (every earlier one too).
    long through() const { return next_ - 1; }
    bool has(long frame) const { return frame < next_; }
    // The input of `frame`; frames are taken in order.
    std::vector<platform::Event> take(long frame);
    // The host's digest after `frame`, when it came; 0 otherwise.
    bool digest(long frame, uint64_t& out) const;

private:
    std::deque<std::vector<platform::Event>> frames_;  // from taken_ + 1
    std::map<long, uint64_t> digests_;
    long next_ = 1;
    long taken_ = 0;
};

}  // namespace net
