// A game controller as player two's keys: the left stick and the d-pad press
// the four direction keys, the south face button or the right trigger the fire
// key, Start the Escape key. The menus also get the south (A) and east (B)
// face buttons and Start as keys of their own, the gamepad codes of the
// Windows key table. The game only ever sees key events, so recordings and
// replays hold controller play like keyboard play.
#pragma once

#include <array>
#include <vector>

#include "platform/platform.h"

namespace platform {

// The keys a controller presses (numeric keypad codes: the keyboard's arrows
// and Ctrl stay independent of the pad).
constexpr int kPadLeftKey = 0x64;
constexpr int kPadUpKey = 0x68;
constexpr int kPadRightKey = 0x66;
constexpr int kPadDownKey = 0x65;
constexpr int kPadFireKey = 0x60;
constexpr int kPadMenuKey = 0x1B;
constexpr int kPadAKey = 0xC3;
constexpr int kPadBKey = 0xC4;
constexpr int kPadStartKey = 0xCF;

// One reading of a controller. Axes run -32768..32767 (y grows downwards),
// triggers 0..32767.
struct PadState {
    int left_x = 0, left_y = 0;
    bool dpad_left = false, dpad_up = false, dpad_right = false, dpad_down = false;
    bool south = false;
    bool east = false;
    int right_trigger = 0;
    bool start = false;
};

class PadMapper {
public:
    // How far a stick axis must lean before it counts, in percent (0..90).
    void set_dead_zone(int percent);
    // Appends the key events that take the held keys to what `state` holds.
    void update(const PadState& state, std::vector<Event>& out);
    // Appends a key-up for every key held (focus lost, controller gone).
    void release_all(std::vector<Event>& out);

private:
    // Start's own key comes before its Escape.
    enum Key { Left, Up, Right, Down, Fire, ButtonA, ButtonB, ButtonStart, Menu, KeyCount };
    void set(Key key, bool down, std::vector<Event>& out);
    bool stick_leans(int value, bool negative, bool was_leaning) const;

    int threshold_ = 32767 * 25 / 100;
    std::array<bool, KeyCount> held_{};
    std::array<bool, 4> stick_{};  // Left, Up, Right, Down as the stick alone holds them
};

}  // namespace platform
