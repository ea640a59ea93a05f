// How the player's devices are read: mouse speed and the game controller. Set
// once at start-up from the settings; the SDL back end reads them as it
// translates events, so what the game sees (and a recording holds) is already
// scaled, and a replay does not depend on the machine's settings.
#pragma once

namespace platform {

struct InputOptions {
    double mouse_sensitivity = 1.0;  // multiplies relative mouse motion
    bool controller = true;          // a game controller steers player two
    int controller_dead_zone = 25;   // percent of full stick deflection
};

void set_input_options(const InputOptions& options);
const InputOptions& input_options();

}  // namespace platform
