// Shared set-up for the presentation tests: a game window on the headless
// display, solid-colour pictures and scripted left-button events.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "app/Velmora_Win.h"
#include "state/globals.h"
#include "support/test_window.h"
#include "ui/controls_screen.h"

namespace ui_test {

// Distinct 5-6-5 colours; none is black or the sprite key colour.
constexpr uint32_t kRed = 0xF800, kBlue = 0x001F, kGrey = 0x8410, kYellow = 0xFFE0,
                   kCyan = 0x07FF, kMagenta = 0xF81F, kWhite = 0xFFFF;

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        ASSERT_TRUE(setup_headless_display(win));
        Velmora_Win::mouseclickqueue.clear();
        win.mouse_down = false;
        close_controls_screen();
    }
    void TearDown() override {
        close_controls_screen();
        Velmora_Win::mouseclickqueue.clear();
        reset_globals_to_program_start();
    }

    Surface* solid(int w, int h, uint32_t colour) {
        Surface* s = win.CreateSurface(w, h);
        win.ClearSurface(s, colour);
        return s;
    }
    // Moves the cursor, then queues left-button records as the mouse thread does.
    static void mouse(int x, int y, std::initializer_list<bool> presses = {}) {
        Velmora_Win::curx = x;
        Velmora_Win::cury = y;
        for (bool pressed : presses) Velmora_Win::mouseclickqueue.push_front({x, y, 0, pressed});
    }
    uint32_t back(int x, int y) const { return win.backsurf->get_pixel(x, y); }

    Velmora_Win win;
};

}  // namespace ui_test
