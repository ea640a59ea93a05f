// How the player's devices are read: mouse speed, the game controller, and the
// keys of the ships' jobs. Set once at start-up from the settings; the SDL back
// end reads them as it translates events, so what the game sees (and a
// recording holds) is already scaled and already in the game's own key codes,
// and a replay does not depend on the machine's settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The jobs a player can give keys of their own (velmora.cfg: keys.*).
enum KeyJob { kPlayerOneFire, kPlayerTwoUp, kPlayerTwoDown, kPlayerTwoLeft, kPlayerTwoRight, kPlayerTwoFire,
              kKeyJobCount };

struct KeyJobInfo {
    const char* setting;       // "keys.p2_up"
    const char* default_keys;  // SDL key names, comma separated
    int game_vkey;             // the code the game reads for the job
};
const KeyJobInfo& key_job(int job);
std::array<std::string, kKeyJobCount> default_key_names();

struct InputOptions {
    double mouse_sensitivity = 1.0;  // multiplies relative mouse motion
    bool controller = true;          // a game controller steers player two
    int controller_dead_zone = 25;   // percent of full stick deflection
    // SDL key names for each job; a key named here is delivered as the job's
    // code. Keys named nowhere keep their own codes (so the arrows still work
    // in the menus), and the keypad and a controller keep theirs.
    std::array<std::string, kKeyJobCount> keys = default_key_names();
};

void set_input_options(const InputOptions& options);
const InputOptions& input_options();

// The SDL key codes of a list of SDL key names ("Up", "W", "Left Ctrl",
// "Keypad 0"; several separated by commas). False, with `bad` set to the
// first name that is unknown or that the game keeps for itself (Escape, F12),
// when the list cannot be used.
bool key_codes_for_names(const std::string& names, std::vector<int32_t>& codes, std::string& bad);
// The SDL name of a key a player pressed: from the back end's code of it
// (Event::key) when there is one, else from the game's code `vkey` (the
// first key that gives it: "Left Ctrl" for 0x11). Empty for a key without a
// name, and for Escape and F12, which the game keeps.
std::string key_name(int vkey, int32_t key);

// The game code a key named in the options stands for, or 0 for a key named
// for no job. Where a key is named for two jobs the first job in KeyJob order
// has it.
int job_vkey_for_key(int32_t sdl_keycode);

}  // namespace platform
