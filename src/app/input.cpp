// Keyboard and mouse. Keys arrive as messages on the main thread; the mouse
// arrives once per frame as a batch of relative motion and button changes,
// also on the main thread, and goes through the same cursor clamp and click
// queue a separate reader thread would feed.
#include <cmath>
#include <cstdint>
#include <mutex>

#include "app/Velmora_Win.h"
#include "app/fire_taps.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/cursor.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "ui/menu_navigation.h"

namespace {
constexpr unsigned kEscape = 0x1B;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Sub-pixel motion left over from earlier batches, so slow movement at a low
// sensitivity still moves the cursor.
double carry_x = 0.0;
double carry_y = 0.0;

int scaled_step(int delta, double& carry) {
    const double total = delta * Velmora_Win::mouse_sensitivity + carry;
    if (!std::isfinite(total)) {
        carry = 0.0;
        return 0;
    }
    const double step = std::round(total);
    carry = total - step;
    // Clamp before converting: an absurd sensitivity must not overflow the cursor.
    if (step > 1e6) return 1000000;
    if (step < -1e6) return -1000000;
    return static_cast<int>(step);
}

// Keeps the cursor far from overflow however long a batch is; the screen
// clamp at the end of the batch does the real limiting.
void move_by(int& coordinate, int step) {
    constexpr int kFar = 100000000;
    coordinate += step;
    if (coordinate > kFar) coordinate = kFar;
    if (coordinate < -kFar) coordinate = -kFar;
}
}  // namespace

void place_cursor(int x, int y) {
    std::lock_guard<std::recursive_mutex> lock(Velmora_Win::critsection);
    Velmora_Win::curx = x;
    Velmora_Win::cury = y;
}

int Velmora_Win::key_slot(unsigned vkey) {
    switch (vkey) {
        case 0x20: return 4;           // Space: player one's fire
        case 0x25: case 0x64: return 9;   // left, keypad 4
        case 0x26: case 0x68: return 10;  // up, keypad 8
        case 0x27: case 0x66: return 11;  // right, keypad 6
        case 0x28: case 0x65: return 12;  // down, keypad 5
        case 0x11: case 0x60: return 13;  // Ctrl, keypad 0: player two's fire
        default: return -1;
    }
}

// `flags` is the back end's own code of the key (0 from scripts and
// controllers): the Controls screen names a key by it.
void Velmora_Win::OnKeyDown(unsigned vkey, unsigned repeat, unsigned flags) {
    // For the screen showing now, before Escape switches it.
    menu_keys().key_down(vkey, repeat != 0, game_state, menu_frame());
    menu_keys().key_typed(vkey, static_cast<int32_t>(flags), repeat != 0, game_state, menu_frame());
    const int slot = key_slot(vkey);
    if (slot >= 0) {
        keycodes[slot] = true;
        if (repeat == 0) note_fire_press(slot, game_state);
    }
    if (vkey != kEscape) return;

    if (game_state == kStatePlaying) {
        // The level stays loaded and its music keeps playing.
        game_state = kStateTitleMenu;
        forget_fire_presses();
    } else if (game_state == kStateTitleMenu && game_to_resume()) {
        black_out_ports();
        prep_shield_bars();
        prep_score_bar();
        prep_power_up_bar();
        shownhitpoints1 = shownhitpoints2 = 4;
        shownscore1 = shownscore2 = -1;
        game_state = kStatePlaying;
    }
}

void Velmora_Win::OnKeyUp(unsigned vkey, unsigned /*repeat*/, unsigned /*flags*/) {
    const int slot = key_slot(vkey);
    if (slot >= 0) keycodes[slot] = false;
}

bool Velmora_Win::InitMouse() {
    // The platform delivers relative motion and buttons through the
    // application loop (OnMouseBatch), so there is no device to create here and
    // nothing can fail; the result stays so OnCreate keeps its failure path.
    carry_x = carry_y = 0.0;
    mouse = true;
    return true;
}

void Velmora_Win::OnMouseBatch(const platform::Event* events, int count) {
    {
        std::lock_guard<std::recursive_mutex> lock(critsection);
        oldcurx = curx;
        oldcury = cury;
        for (int i = 0; events != nullptr && i < count; ++i) {
            const platform::Event& e = events[i];
            if (e.type == platform::EventType::MouseMotion) {
                move_by(curx, scaled_step(e.dx, carry_x));
                move_by(cury, scaled_step(e.dy, carry_y));
            } else if (e.type == platform::EventType::MouseButton) {
                if (e.button == 0 || e.button == 1)
                    mouseclickqueue.push_front(MouseClickData{curx, cury, e.button, e.pressed});
            }
        }
        if (curx < 0) curx = 0;
        if (cury < 0) cury = 0;
        if (curx >= kScreenWidth - cursor_width) curx = kScreenWidth - 1 - cursor_width;
        if (cury >= kScreenHeight - cursor_height) cury = kScreenHeight - 1 - cursor_height;
    }
    // Published every frame, with or without motion. Player one's steering
    // moves the cursor back to the centre each play frame, so a frame without
    // motion publishes the centre and the ship does not keep drifting on the
    // offset of the last batch that moved.
    g_themouse_h = curx;
    g_themouse_v = cury;
}

void Velmora_Win::drain_play_clicks(bool& flag, bool& press_arrived) {
    std::lock_guard<std::recursive_mutex> lock(critsection);
    press_arrived = false;
    // Only what had arrived when the drain began; oldest (the back) first.
    for (size_t n = mouseclickqueue.size(); n > 0 && !mouseclickqueue.empty(); --n) {
        const MouseClickData record = mouseclickqueue.back();
        mouseclickqueue.pop_back();
        if (record.button != 0) continue;  // the right button never acts
        flag = record.pressed;
        press_arrived = press_arrived || record.pressed;
    }
}

void Velmora_Win::drain_clicks(bool& flag, bool* left_arrived) {
    std::lock_guard<std::recursive_mutex> lock(critsection);
    if (left_arrived != nullptr) *left_arrived = false;
    // The screen showing takes the input: fire presses made here are not
    // kept for play.
    forget_fire_presses();
    for (size_t n = mouseclickqueue.size(); n > 0 && !mouseclickqueue.empty(); --n) {
        const MouseClickData record = mouseclickqueue.back();
        mouseclickqueue.pop_back();
        if (record.button != 0) continue;
        flag = record.pressed;
        if (left_arrived != nullptr) *left_arrived = true;
    }
}

void Velmora_Win::load_cursor() {
    const char* const file = "Levels/Resource/cursor_08.BMP";
    cursor = CreateSurface(file, 0, 0);
    if (cursor == nullptr) {
        report_unloadable_data_file(file);
        Fatal("Can't find" "Cursor 8Bit");
    }
    uint32_t w = 0, h = 0;
    GetSurfaceDimensions(cursor, w, h);
    cursor_width = static_cast<int>(w);
    cursor_height = static_cast<int>(h);
    SetColorKey(cursor, 0);  // black is transparent
}

void Velmora_Win::draw_mouse() {
    std::lock_guard<std::recursive_mutex> lock(critsection);
    BltSurface(backsurf, cursor, curx, cury, 1);
}
