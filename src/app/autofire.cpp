#include "app/autofire.h"

#include "app/globals.h"

namespace {

constexpr int kSpaceSlot = 4;       // player one's fire key
constexpr int kPlayerTwoSlot = 13;  // player two's fire key (and the pad's)

bool g_autofire = false;
// Whether each player's fire control was shown pressed on the last play frame.
bool g_shown_pressed[2] = {false, false};

}  // namespace

void set_autofire(bool on) { g_autofire = on; }
bool autofire() { return g_autofire; }
void reset_autofire_taps() { g_shown_pressed[0] = g_shown_pressed[1] = false; }

HeldFireAsTaps::HeldFireAsTaps() {
    if (!g_autofire) return;
    const bool held[2] = {keycodes[kSpaceSlot] || g_themousebutton, keycodes[kPlayerTwoSlot]};
    for (int p = 0; p < 2; ++p) {
        // A fresh hold starts with a press; then released, pressed, ...
        hidden_[p] = held[p] && g_shown_pressed[p];
        g_shown_pressed[p] = held[p] && !hidden_[p];
    }
    if (hidden_[0]) {
        space_ = keycodes[kSpaceSlot];
        mouse_ = g_themousebutton;
        keycodes[kSpaceSlot] = false;
        g_themousebutton = false;
    }
    if (hidden_[1]) {
        player_two_ = keycodes[kPlayerTwoSlot];
        keycodes[kPlayerTwoSlot] = false;
    }
}

HeldFireAsTaps::~HeldFireAsTaps() {
    if (hidden_[0]) {
        keycodes[kSpaceSlot] = space_;
        g_themousebutton = mouse_;
    }
    if (hidden_[1]) keycodes[kPlayerTwoSlot] = player_two_;
}
