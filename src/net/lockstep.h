// The rules of lockstep play. The input of frame F is, on both machines, the
// host's events for F followed by the guest's; a side sends the events it
// gathered while running frame F as its input for frame F + delay, and runs
// frame F only once it holds both sides' input for it. Frames 1 .. delay have
// no input from either side.
#pragma once

#include <deque>
#include <vector>

#include "platform/platform.h"

namespace net {

enum class Role { Host, Guest };

inline Role other_side(Role role) { return role == Role::Host ? Role::Guest : Role::Host; }
inline const char* side_name(Role role) { return role == Role::Host ? "host" : "guest"; }

// Whether a local event is this side's to play. The host plays player one and
// drives the menus: the mouse and every key but player two's. The guest plays
// player two: player two's keys (keyboard, keypad, controller) and Escape.
// Nothing else (window, focus, screenshots) leaves the machine.
bool belongs_to(Role role, const platform::Event& event);

// Whether the guest's event reaches the game while a menu screen shows. The
// host alone drives the menus, so the guest's presses there (its arrows move
// the highlight, its Escape would resume) are dropped; its releases still
// count, so no key stays down.
bool guest_plays_on_menu(const platform::Event& event);

class InputQueue {
public:
    InputQueue(Role role, int delay) : role_(role), delay_(delay), next_local_(delay + 1), next_remote_(delay + 1) {}

    int delay() const { return delay_; }
    // This side's events for `frame`; frames must come in order, each once.
    void put_local(long frame, std::vector<platform::Event> events);
    // The other side's events for `frame`. False, storing nothing, unless it is
    // the frame after the last one received (the first is delay + 1).
    bool put_remote(long frame, std::vector<platform::Event> events);
    // Both sides' input for `frame` is held.
    bool ready(long frame) const;
    // The input of `frame`: the host's events, then the guest's. Frames are
    // taken in order; an earlier frame's input is dropped with it. With
    // `menu_showing` (the same on both sides: the state before the frame) the
    // guest's events pass guest_plays_on_menu().
    std::vector<platform::Event> take(long frame, bool menu_showing = false);
    // The last frame whose input from the other side has arrived.
    long remote_through() const { return next_remote_ - 1; }

private:
    struct Frame {
        long number;
        std::vector<platform::Event> events;
    };
    static std::vector<platform::Event> pop(std::deque<Frame>& queue, long frame);

    Role role_;
    int delay_;
    std::deque<Frame> local_;
    std::deque<Frame> remote_;
    long next_local_;   // the frame the next local events are for
    long next_remote_;  // the frame the next remote events must be for
};

}  // namespace net
