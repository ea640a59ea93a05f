#include "net/audience.h"

#include <algorithm>

namespace net {

void Audience::join(uint64_t id, uint64_t now_ms) {
    if (!has_room() || contains(id)) return;
    Member m;
    m.id = id;
    m.heard_ms = m.second_ms = now_ms;
    members_.push_back(m);
}

void Audience::leave(uint64_t id) {
    members_.erase(std::remove_if(members_.begin(), members_.end(), [id](const Member& m) { return m.id == id; }),
                   members_.end());
}

bool Audience::contains(uint64_t id) const {
    return std::any_of(members_.begin(), members_.end(), [id](const Member& m) { return m.id == id; });
}

Audience::Member* Audience::find(uint64_t id) {
    for (Member& m : members_)
        if (m.id == id) return &m;
    return nullptr;
}

bool Audience::heard(uint64_t id, long frame, uint64_t now_ms) {
    Member* m = find(id);
    if (m == nullptr) return false;
    if (now_ms - m->second_ms >= 1000) {
        m->second_ms = now_ms;
        m->messages = 0;
    }
    if (++m->messages > kMessagesPerSecond) return false;
    m->heard_ms = now_ms;
    // It cannot have played what it was not sent.
    m->played = std::max(m->played, std::min(frame, m->sent));
    return true;
}

std::vector<std::pair<uint64_t, std::string>> Audience::serve(const GameLog& log, uint64_t now_ms,
                                                              const std::function<void(uint64_t, const Feed&)>& send) {
    std::vector<std::pair<uint64_t, std::string>> drops;
    const long through = log.through();
    for (Member& m : members_) {
        if (m.played >= through - kLiveFrames) m.live = true;
        if (m.live && through - m.played > kBehindFrames) {
            drops.emplace_back(m.id, "you fell more than 30 s behind the game");
            continue;
        }
        if (!m.live && now_ms - m.heard_ms >= kSilentMs) {
            drops.emplace_back(m.id, "nothing heard from you for 30 s");
            continue;
        }
        for (int n = 0; n < kFeedsPerServe && m.sent < std::min(through, m.played + kAheadFrames); ++n) {
            const Feed feed = log.feed(m.sent + 1, std::min(through, m.played + kAheadFrames));
            if (feed.frames.empty()) break;
            send(m.id, feed);
            m.sent += static_cast<long>(feed.frames.size());
        }
    }
    for (const auto& [id, why] : drops) leave(id);
    return drops;
}

void Audience::serve_rest(const GameLog& log, const std::function<void(uint64_t, const Feed&)>& send) {
    for (Member& m : members_) {
        while (m.sent < log.through()) {
            const Feed feed = log.feed(m.sent + 1, log.through());
            if (feed.frames.empty()) break;
            send(m.id, feed);
            m.sent += static_cast<long>(feed.frames.size());
        }
    }
}

}  // namespace net
