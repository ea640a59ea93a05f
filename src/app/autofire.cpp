#include "app/autofire.h"

#include "behaviours/player_state.h"
#include "state/globals.h"

namespace {

constexpr int kSpaceSlot = 4;       // player one's fire key
constexpr int kPlayerTwoSlot = 13;  // player two's fire key (and the pad's)

bool g_autofire[2] = {false, false};
// Whether each player's fire control was shown pressed on the last play frame.
bool g_shown_pressed[2] = {false, false};

}  // namespace

void set_autofire(bool on) { g_autofire[0] = g_autofire[1] = on; }
void set_player_autofire(int player, bool on) {
    if (player == 1 || player == 2) g_autofire[player - 1] = on;
}
bool player_autofire(int player) { return (player == 1 || player == 2) && g_autofire[player - 1]; }
void reset_autofire_taps() { g_shown_pressed[0] = g_shown_pressed[1] = false; }

HeldFireAsTaps::HeldFireAsTaps() {
    // In a game for one, player two's fire key fires for player one.
    const bool shared = player_one_on_keys();
    const bool held[2] = {player_one_fire_held(), !shared && keycodes[kPlayerTwoSlot]};
    for (int p = 0; p < 2; ++p) {
        // A fresh hold starts with a press; then released, pressed, ...
        hidden_[p] = g_autofire[p] && held[p] && g_shown_pressed[p];
        g_shown_pressed[p] = held[p] && !hidden_[p];
    }
    space_ = keycodes[kSpaceSlot];
    mouse_ = g_themousebutton;
    player_two_ = keycodes[kPlayerTwoSlot];
    if (hidden_[0]) {
        keycodes[kSpaceSlot] = false;
        g_themousebutton = false;
        if (shared) keycodes[kPlayerTwoSlot] = false;
    }
    if (hidden_[1]) keycodes[kPlayerTwoSlot] = false;
}

HeldFireAsTaps::~HeldFireAsTaps() {
    keycodes[kSpaceSlot] = space_;
    g_themousebutton = mouse_;
    keycodes[kPlayerTwoSlot] = player_two_;
}
