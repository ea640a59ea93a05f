#include "platform/controller_map.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int kKeys[] = {kPadLeftKey, kPadUpKey, kPadRightKey, kPadDownKey, kPadFireKey,
                         kPadAKey,    kPadBKey,  kPadStartKey, kPadMenuKey};
// The trigger fires past a third of its travel.
constexpr int kTriggerThreshold = 32767 / 3;
}  // namespace

void PadMapper::set_dead_zone(int percent) {
    threshold_ = 32767 * std::clamp(percent, 0, 90) / 100;
}

// A stick lets go a little inside the dead zone's edge, so a thumb resting on
// the edge does not chatter the key up and down.
bool PadMapper::stick_leans(int value, bool negative, bool was_leaning) const {
    const int magnitude = negative ? -value : value;
    const int edge = was_leaning ? threshold_ * 4 / 5 : threshold_;
    return magnitude > edge;
}

void PadMapper::update(const PadState& s, std::vector<Event>& out) {
    stick_[Left] = stick_leans(s.left_x, true, stick_[Left]);
    stick_[Right] = stick_leans(s.left_x, false, stick_[Right]);
    stick_[Up] = stick_leans(s.left_y, true, stick_[Up]);
    stick_[Down] = stick_leans(s.left_y, false, stick_[Down]);
    set(Left, stick_[Left] || s.dpad_left, out);
    set(Up, stick_[Up] || s.dpad_up, out);
    set(Right, stick_[Right] || s.dpad_right, out);
    set(Down, stick_[Down] || s.dpad_down, out);
    set(Fire, s.south || s.right_trigger > kTriggerThreshold, out);
    set(ButtonA, s.south, out);
    set(ButtonB, s.east, out);
    set(ButtonStart, s.start, out);
    set(Menu, s.start, out);
}

void PadMapper::release_all(std::vector<Event>& out) {
    for (int k = 0; k < KeyCount; ++k) set(static_cast<Key>(k), false, out);
    stick_ = {};
}

void PadMapper::set(Key key, bool down, std::vector<Event>& out) {
    if (held_[key] == down) return;
    held_[key] = down;
    Event e;
    e.type = down ? EventType::KeyDown : EventType::KeyUp;
    e.vkey = kKeys[key];
    out.push_back(e);
}

}  // namespace platform
