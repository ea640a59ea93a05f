#include "platform/sdl_controller.h"

#include <cstdio>

#include "platform/controller_map.h"
#include "platform/input_options.h"

namespace platform {

namespace {

// SDL's controller state is process-wide; so is ours.
struct Controllers {
    bool started = false;
    SDL_GameController* active = nullptr;  // the one steering
    SDL_JoystickID active_id = -1;
    PadMapper mapper;
};
Controllers g_pads;

PadState read_state(SDL_GameController* pad) {
    PadState s;
    s.left_x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    s.left_y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    s.right_trigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    s.dpad_left = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0;
    s.dpad_up = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP) != 0;
    s.dpad_right = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0;
    s.dpad_down = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) != 0;
    s.south = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A) != 0;
    s.east = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_B) != 0;
    s.start = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_START) != 0;
    return s;
}

void take(int device_index) {
    if (g_pads.active != nullptr || !SDL_IsGameController(device_index)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(device_index);
    if (pad == nullptr) return;
    g_pads.active = pad;
    g_pads.active_id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    const char* name = SDL_GameControllerName(pad);
    std::fprintf(stderr, "velmora: controller '%s' steers player two, or player one in a game for one\n",
                 name != nullptr ? name : "?");
}

void drop_active(std::vector<Event>& out) {
    g_pads.mapper.release_all(out);
    if (g_pads.active != nullptr) SDL_GameControllerClose(g_pads.active);
    g_pads.active = nullptr;
    g_pads.active_id = -1;
}

}  // namespace

void controllers_start() {
    if (g_pads.started || !input_options().controller) return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // play on without one
    g_pads.started = true;
    g_pads.mapper.set_dead_zone(input_options().controller_dead_zone);
}

void controllers_stop() {
    if (!g_pads.started) return;
    std::vector<Event> ignored;
    drop_active(ignored);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    g_pads.started = false;
}

bool controller_event(const SDL_Event& e, std::vector<Event>& out) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (g_pads.started) take(e.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (g_pads.active != nullptr && e.cdevice.which == g_pads.active_id) {
                drop_active(out);
                // Another one still connected takes over.
                for (int i = 0; i < SDL_NumJoysticks() && g_pads.active == nullptr; ++i) take(i);
            }
            return true;
        case SDL_CONTROLLERAXISMOTION:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const SDL_JoystickID id = e.type == SDL_CONTROLLERAXISMOTION ? e.caxis.which : e.cbutton.which;
            if (g_pads.active != nullptr && id == g_pads.active_id)
                g_pads.mapper.update(read_state(g_pads.active), out);
            return true;
        }
        default:
            return false;
    }
}

void controllers_release(std::vector<Event>& out) { g_pads.mapper.release_all(out); }

}  // namespace platform
