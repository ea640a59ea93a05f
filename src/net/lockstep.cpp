#include "net/lockstep.h"

#include <algorithm>
#include <iterator>

#include "app/Velmora_Win.h"
#include "ui/menu_navigation.h"

namespace net {
namespace {
using platform::Event;
using platform::EventType;

constexpr unsigned kEscape = 0x1B;

// The keys the game gives to player two (the slots of its four directions
// and its fire button).
bool player_two_key(int vkey) {
    const int slot = Velmora_Win::key_slot(static_cast<unsigned>(vkey));
    return slot >= 9 && slot <= 13;
}
}  // namespace

bool belongs_to(Role role, const Event& e) {
    switch (e.type) {
        case EventType::KeyDown:
        case EventType::KeyUp:
            if (e.vkey == static_cast<int>(kEscape)) return true;  // either player may pause
            return player_two_key(e.vkey) == (role == Role::Guest);
        case EventType::MouseMotion:
        case EventType::MouseButton: return role == Role::Host;
        default: return false;
    }
}

bool guest_plays_on_menu(const Event& e) {
    if (e.type != EventType::KeyDown) return true;
    return e.vkey != static_cast<int>(kEscape) && !menu_command_for_key(static_cast<unsigned>(e.vkey));
}

InputQueue::InputQueue(Role role, int delay, long start)
    : role_(role), next_local_(start + delay + 1), next_remote_(start == 0 ? delay + 1 : start + 1),
      acked_(start + delay), taken_(start) {
    delays_[start + 1] = delay;
}

void InputQueue::restart_remote(long played, int delay) {
    remote_.clear();
    next_remote_ = played + delay + 1;
    acked_ = played;
    taken_ = std::max(taken_, played);
}

int InputQueue::delay_at(long frame) const {
    auto it = delays_.upper_bound(frame);
    return it == delays_.begin() ? delays_.begin()->second : std::prev(it)->second;
}

void InputQueue::change_delay(long from, int delay) {
    // Later plans than this one are replaced by it.
    delays_.erase(delays_.lower_bound(from), delays_.end());
    delays_[from] = delay;
}

int InputQueue::largest_delay() const {
    int largest = 0;
    for (const auto& [from, delay] : delays_) largest = std::max(largest, delay);
    return largest;
}

void InputQueue::put_local(long frame, std::vector<Event> events) {
    waiting_.insert(waiting_.end(), std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
    // Changes past hold no more: frames come in order.
    while (delays_.size() > 1 && std::next(delays_.begin())->first <= frame) delays_.erase(delays_.begin());
    const long target = frame + delay_at(frame);
    while (next_local_ <= target) {
        Frame f{next_local_++, {}};
        if (!waiting_.empty()) {
            // Only what travels counts against the cap: the rest never leaves.
            size_t carried = 0, n = 0;
            while (n < waiting_.size() && carried < kMaxEventsPerFrame) {
                if (travels(waiting_[n])) ++carried;
                ++n;
            }
            f.events.assign(waiting_.begin(), waiting_.begin() + static_cast<long>(n));
            waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<long>(n));
        }
        local_.push_back(std::move(f));
    }
}

Input InputQueue::outgoing(uint32_t digest_frame, uint64_t digest) const {
    Input m;
    m.ack = static_cast<uint32_t>(std::max(0L, remote_through()));
    m.digest_frame = digest_frame;
    m.digest = digest_frame == 0 ? 0 : digest;
    m.first = static_cast<uint32_t>(acked_ + 1);
    size_t bytes = 0;
    for (const Frame& f : local_) {
        if (f.number <= acked_) continue;
        const size_t size = encoded_frame_bytes(f.events);
        if (m.frames.size() == kMaxFramesPerInput || (!m.frames.empty() && bytes + size > kInputBudgetBytes)) break;
        m.frames.push_back(f.events);
        bytes += size;
    }
    return m;
}

InputQueue::Received InputQueue::put_remote(const Input& m, long limit) {
    if (static_cast<long>(m.ack) > next_local_ - 1) return Received::BadAck;
    const long first = m.first;
    const long last = first + static_cast<long>(m.frames.size()) - 1;
    if (!m.frames.empty() && first > next_remote_) return Received::Gap;
    if (last > limit) return Received::TooFar;
    if (static_cast<long>(m.ack) > acked_) {
        acked_ = m.ack;
        trim_local();
    }
    for (long f = std::max(first, next_remote_); f <= last; ++f) {
        remote_.push_back(Frame{f, m.frames[static_cast<size_t>(f - first)]});
        ++next_remote_;
    }
    return Received::Ok;
}

bool InputQueue::ready(long frame) const {
    return frame < next_local_ && frame < next_remote_;
}

std::vector<Event> InputQueue::pop(std::deque<Frame>& queue, long frame) {
    std::vector<Event> events;
    while (!queue.empty() && queue.front().number <= frame) {
        if (queue.front().number == frame) events = std::move(queue.front().events);
        queue.pop_front();
    }
    return events;
}

void InputQueue::trim_local() {
    // A frame goes once it is played here and held there.
    while (!local_.empty() && local_.front().number <= std::min(taken_, acked_)) local_.pop_front();
}

std::vector<Event> InputQueue::take(long frame, bool menu_showing) {
    taken_ = std::max(taken_, frame);
    std::vector<Event> mine;
    for (const Frame& f : local_)
        if (f.number == frame) mine = f.events;  // kept until acknowledged
    trim_local();
    std::vector<Event> theirs = pop(remote_, frame);
    std::vector<Event>& host = role_ == Role::Host ? mine : theirs;
    std::vector<Event>& guest = role_ == Role::Host ? theirs : mine;
    if (menu_showing)
        guest.erase(std::remove_if(guest.begin(), guest.end(), [](const Event& e) { return !guest_plays_on_menu(e); }),
                    guest.end());
    host.insert(host.end(), guest.begin(), guest.end());
    return std::move(host);
}

}  // namespace net
