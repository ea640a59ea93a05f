#include "net/lockstep.h"

#include <algorithm>

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

void InputQueue::put_local(long frame, std::vector<Event> events) {
    if (frame != next_local_) return;  // the caller numbers frames; a slip must not reorder input
    local_.push_back(Frame{frame, std::move(events)});
    ++next_local_;
}

bool InputQueue::put_remote(long frame, std::vector<Event> events) {
    if (frame != next_remote_) return false;
    remote_.push_back(Frame{frame, std::move(events)});
    ++next_remote_;
    return true;
}

bool InputQueue::ready(long frame) const {
    if (frame <= delay_) return true;
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

std::vector<Event> InputQueue::take(long frame, bool menu_showing) {
    std::vector<Event> mine = pop(local_, frame);
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
