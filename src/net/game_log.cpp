#include "net/game_log.h"

#include <algorithm>

namespace net {
using platform::Event;

bool GameLog::add(long frame, const std::vector<Event>& events) {
    if (full_ || frame != through() + 1) return !full_;
    const size_t before = bytes_.size();
    append_frame(bytes_, events);
    if (starts_.size() >= kMaxFrames || bytes_.size() > kMaxBytes) {
        bytes_.resize(before);
        full_ = true;
        return false;
    }
    starts_.push_back(static_cast<uint32_t>(before));
    return true;
}

void GameLog::add_digest(long frame, uint64_t digest) {
    if (!full_ && frame >= 1 && frame <= through()) digests_[frame] = digest;
}

Feed GameLog::feed(long first, long last) const {
    Feed out;
    out.first = static_cast<uint32_t>(std::max(1L, first));
    last = std::min(last, through());
    size_t budget = 0;
    for (long f = out.first; f <= last && out.frames.size() < kMaxFramesPerFeed; ++f) {
        const size_t begin = starts_[static_cast<size_t>(f - 1)];
        const size_t end = static_cast<size_t>(f) < starts_.size() ? starts_[static_cast<size_t>(f)] : bytes_.size();
        if (!out.frames.empty() && budget + (end - begin) > kFeedBudgetBytes) break;
        budget += end - begin;
        std::vector<Event> events;
        read_frame(bytes_.data() + begin, end - begin, events);  // written by append_frame: always reads
        out.frames.push_back(std::move(events));
    }
    const long feed_last = static_cast<long>(out.first) + static_cast<long>(out.frames.size()) - 1;
    for (auto it = digests_.lower_bound(out.first); it != digests_.end() && it->first <= feed_last; ++it) {
        if (out.digests.size() == kMaxDigestsPerFeed) break;
        out.digests.emplace_back(static_cast<uint32_t>(it->first), it->second);
    }
    return out;
}

bool FeedQueue::add(const Feed& feed, std::string& error) {
    const long first = feed.first;
    const long last = first + static_cast<long>(feed.frames.size()) - 1;
    if (first > next_) {  // even empty: no host sends one, and it claims frames never sent
        error = "a feed from frame " + std::to_string(first) + " where frame " + std::to_string(next_) + " was due";
        return false;
    }
    if (last - taken_ > static_cast<long>(kMaxHeld)) {
        error = "a feed reaching frame " + std::to_string(last) + ", too far ahead";
        return false;
    }
    for (const auto& [frame, digest] : feed.digests)
        if (static_cast<long>(frame) > taken_ && static_cast<long>(frame) <= std::max(last, through()) &&
            digests_.size() < kMaxHeld / 8)
            digests_[frame] = digest;
    for (long f = std::max(first, next_); f <= last; ++f) {
        frames_.push_back(feed.frames[static_cast<size_t>(f - first)]);
        ++next_;
    }
    return true;
}

std::vector<Event> FeedQueue::take(long frame) {
    std::vector<Event> events;
    while (!frames_.empty() && taken_ < frame) {
        if (taken_ + 1 == frame) events = std::move(frames_.front());
        frames_.pop_front();
        ++taken_;
    }
    // Digests of frames played and checked are not needed again.
    while (!digests_.empty() && digests_.begin()->first < frame) digests_.erase(digests_.begin());
    return events;
}

bool FeedQueue::digest(long frame, uint64_t& out) const {
    const auto it = digests_.find(frame);
    if (it == digests_.end()) return false;
    out = it->second;
    return true;
}

}  // namespace net
