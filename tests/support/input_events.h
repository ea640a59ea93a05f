// Input events as the platform delivers them, made in one line for tests.
#pragma once

#include "platform/platform.h"

namespace test_events {

inline platform::Event key(platform::EventType type, int vkey, bool repeat = false) {
    platform::Event e;
    e.type = type;
    e.vkey = vkey;
    e.repeat = repeat;
    return e;
}

inline platform::Event motion(int dx, int dy) {
    platform::Event e;
    e.type = platform::EventType::MouseMotion;
    e.dx = dx;
    e.dy = dy;
    return e;
}

inline platform::Event button(int number, bool pressed) {
    platform::Event e;
    e.type = platform::EventType::MouseButton;
    e.button = number;
    e.pressed = pressed;
    return e;
}

}  // namespace test_events
