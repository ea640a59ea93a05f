#include "app/fire_taps.h"

#include "app/Velmora_Win.h"
#include "behaviours/player_state.h"
#include "state/game_states.h"
#include "state/globals.h"

namespace {
constexpr int kSpaceSlot = 4;
constexpr int kCtrlSlot = 13;

bool g_pressed[2] = {false, false};  // Space's slot, Ctrl's slot

bool in_a_game(int game_state) {
    return game_state >= kStateNewGame && game_state <= kStateLevelEnded;
}
}  // namespace

void note_fire_press(int slot, int game_state) {
    if (!control_rules.taps_held || !in_a_game(game_state)) return;
    if (slot == kSpaceSlot) g_pressed[0] = true;
    if (slot == kCtrlSlot) g_pressed[1] = true;
}

void forget_fire_presses() { g_pressed[0] = g_pressed[1] = false; }

int kept_fire_presses() { return (g_pressed[0] ? 1 : 0) | (g_pressed[1] ? 2 : 0); }

PlayFireControls::PlayFireControls(Velmora_Win& window) {
    bool mouse_pressed = false;
    window.drain_play_clicks(g_themousebutton, mouse_pressed);
    if (!control_rules.taps_held) return;
    mouse_raised_ = mouse_pressed && !g_themousebutton;
    space_raised_ = g_pressed[0] && !keycodes[kSpaceSlot];
    ctrl_raised_ = g_pressed[1] && !keycodes[kCtrlSlot];
    forget_fire_presses();
    if (mouse_raised_) g_themousebutton = true;
    if (space_raised_) keycodes[kSpaceSlot] = true;
    if (ctrl_raised_) keycodes[kCtrlSlot] = true;
}

PlayFireControls::~PlayFireControls() {
    // The release had arrived: what was shown held is up again.
    if (mouse_raised_) g_themousebutton = false;
    if (space_raised_) keycodes[kSpaceSlot] = false;
    if (ctrl_raised_) keycodes[kCtrlSlot] = false;
}
