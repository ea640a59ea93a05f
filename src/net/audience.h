// The host's spectators, as bookkeeping apart from the connection: who is
// watching, how much of the host's record each has been sent and has played,
// what to send each now, and whom to drop. A spectator is sent the record
// from frame 1 as fast as it plays it, at most kAheadFrames past what it said
// it played, so one that stops costs the host a bounded amount; one that
// falls more than 30 s of play behind the game (or says nothing for 30 s
// while it catches up) is dropped. Nothing a spectator sends reaches the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "net/game_log.h"

namespace net {

class Audience {
public:
    static constexpr size_t kMaxSpectators = 4;
    // Frames sent beyond what a spectator played.
    static constexpr long kAheadFrames = 1500;
    // A spectator this far behind the record, once it was live, is dropped:
    // 30 s of play at 46 ms a frame.
    static constexpr long kBehindFrames = 30000 / 46;
    // Within this of the record's end a spectator counts as live.
    static constexpr long kLiveFrames = 22;
    // A spectator catching up that says nothing this long is dropped.
    static constexpr uint64_t kSilentMs = 30000;
    // Feed messages sent to one spectator in one call of serve().
    static constexpr int kFeedsPerServe = 8;
    // Messages a spectator may send in a second.
    static constexpr int kMessagesPerSecond = 60;

    bool has_room() const { return members_.size() < kMaxSpectators; }
    size_t size() const { return members_.size(); }
    // `id`: the connection's, unique among the members.
    void join(uint64_t id, uint64_t now_ms);
    void leave(uint64_t id);
    bool contains(uint64_t id) const;
    // The spectator says it played through `frame`. False when it sends more
    // than its share of messages (it is to be dropped).
    bool heard(uint64_t id, long frame, uint64_t now_ms);

    // Sends each member the feeds due (through `send`) and returns the members
    // to drop, each with the reason to tell it; they are no longer members.
    std::vector<std::pair<uint64_t, std::string>> serve(const GameLog& log, uint64_t now_ms,
                                                        const std::function<void(uint64_t, const Feed&)>& send);
    // The game is over: sends every member the rest of the record, however
    // far behind it is (the record is capped), so each plays the whole game.
    void serve_rest(const GameLog& log, const std::function<void(uint64_t, const Feed&)>& send);

private:
    struct Member {
        uint64_t id = 0;
        long sent = 0;    // the record sent through this frame
        long played = 0;  // what it said it played
        bool live = false;
        uint64_t heard_ms = 0;
        uint64_t second_ms = 0;  // the second its messages are counted in
        int messages = 0;
    };
    Member* find(uint64_t id);
    std::vector<Member> members_;
};

}  // namespace net
