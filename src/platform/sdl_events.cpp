// SDL back end: window, keyboard and mouse events in the game's terms.
#include <cmath>
#include <vector>

#include "platform/input_options.h"
#include "platform/scaling.h"
#include "platform/sdl_backend.h"
#include "platform/sdl_controller.h"
#include "platform/sdl_keymap.h"
#include "platform/stop_signals.h"

namespace platform {

namespace {
// Mouse buttons (bit n: button n) the game was told are down. SDL releases
// held keys itself when the focus goes, but not buttons.
unsigned g_buttons_down = 0;

void release_buttons(std::deque<Event>& queue) {
    for (int b = 0; b < 32 && g_buttons_down != 0; ++b) {
        if ((g_buttons_down & (1u << b)) == 0) continue;
        Event up;
        up.type = EventType::MouseButton;
        up.button = b;
        up.pressed = false;
        queue.push_back(up);
        g_buttons_down &= ~(1u << b);
    }
}
}  // namespace

bool SdlBackend::poll_event(Event& event) {
    if (take_stop_request()) {
        event = Event{};
        event.type = EventType::Quit;  // SIGINT or SIGTERM: as if the window were closed
        return true;
    }
    if (!pending_.empty()) {
        event = pending_.front();
        pending_.pop_front();
        return true;
    }
    if (!video_) return false;
    if (controllers_due_ && picture_w_ > 0) {
        controllers_due_ = false;
        controllers_start();
    }
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        if (translate(e, event)) return true;
    }
    return false;
}

bool SdlBackend::translate(const SDL_Event& in, Event& out) {
    out = Event{};
    std::vector<Event> pad_keys;
    if (controller_event(in, pad_keys)) {
        if (pad_keys.empty()) return false;
        out = pad_keys.front();
        pending_.insert(pending_.end(), pad_keys.begin() + 1, pad_keys.end());
        return true;
    }
    switch (in.type) {
        case SDL_QUIT:
            out.type = EventType::Quit;
            return true;
        case SDL_WINDOWEVENT:
            switch (in.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    out.type = EventType::Quit;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    capture_mouse(true);
                    out.type = EventType::FocusGained;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST: {
                    capture_mouse(false);
                    out.type = EventType::FocusLost;
                    // Nothing stays held while the player is elsewhere.
                    release_buttons(pending_);
                    std::vector<Event> keys;
                    controllers_release(keys);
                    pending_.insert(pending_.end(), keys.begin(), keys.end());
                    return true;
                }
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    on_window_changed(true);
                    return false;
                case SDL_WINDOWEVENT_DISPLAY_CHANGED:  // another display may scale differently
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_MOVED:
                    on_window_changed(false);
                    return false;
                default:
                    return false;
            }
        case SDL_KEYDOWN:
            return translate_key(in.key, true, out);
        case SDL_KEYUP:
            return translate_key(in.key, false, out);
        case SDL_MOUSEMOTION:
            return translate_motion(in.motion, out);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type = EventType::MouseButton;
            out.pressed = in.type == SDL_MOUSEBUTTONDOWN;
            switch (in.button.button) {
                case SDL_BUTTON_LEFT: out.button = 0; break;
                case SDL_BUTTON_RIGHT: out.button = 1; break;
                case SDL_BUTTON_MIDDLE: out.button = 2; break;
                default: out.button = 2 + (in.button.button - SDL_BUTTON_MIDDLE); break;
            }
            if (out.button >= 0 && out.button < 32) {
                if (out.pressed) g_buttons_down |= 1u << out.button;
                else g_buttons_down &= ~(1u << out.button);
            }
            return true;
        default:
            return false;
    }
}

bool SdlBackend::translate_key(const SDL_KeyboardEvent& key, bool down, Event& out) {
    const bool enter = key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER;
    if (enter && down && (key.keysym.mod & KMOD_ALT) != 0) {
        // Alt+Enter belongs to the window; the game sees only the report.
        swallow_enter_up_ = true;
        if (key.repeat != 0) return false;
        toggle_fullscreen();
        out.type = EventType::ToggleFullscreen;
        return true;
    }
    if (enter && !down && swallow_enter_up_) {
        swallow_enter_up_ = false;
        return false;
    }
    // Keys the player named for a job arrive as that job's code.
    const int vkey = game_vkey_for(key.keysym.scancode, key.keysym.sym);
    if (vkey == 0) return false;
    out.type = down ? EventType::KeyDown : EventType::KeyUp;
    out.vkey = vkey;
    out.key = key.keysym.sym;
    out.repeat = key.repeat != 0;
    if (down && !out.repeat && key.keysym.scancode == SDL_SCANCODE_F12) {
        Event shot;
        shot.type = EventType::Screenshot;
        pending_.push_back(shot);
    }
    return true;
}

bool SdlBackend::translate_motion(const SDL_MouseMotionEvent& motion, Event& out) {
    if (SDL_GetRelativeMouseMode() != SDL_TRUE || window_ == nullptr) return false;
    // Motion arrives in window points; the game wants pixels of its picture.
    double factor = 1.0;
    int win_w = 0, win_h = 0, out_w = 0, out_h = 0;
    SDL_GetWindowSize(window_, &win_w, &win_h);
    output_size(out_w, out_h);
    const int pic_w = picture_w_ > 0 ? picture_w_ : 640, pic_h = picture_h_ > 0 ? picture_h_ : 480;
    const PictureRect r = place_picture(out_w, out_h, pic_w, pic_h, scaling_);
    if (win_w > 0 && r.w > 0) factor = (double(out_w) / win_w) * (double(pic_w) / r.w);
    // Scaled here, before the game or a recording sees it.
    factor *= input_options().mouse_sensitivity;
    motion_rest_x_ += motion.xrel * factor;
    motion_rest_y_ += motion.yrel * factor;
    const double dx = std::trunc(motion_rest_x_), dy = std::trunc(motion_rest_y_);
    motion_rest_x_ -= dx;
    motion_rest_y_ -= dy;
    if (dx == 0 && dy == 0) return false;
    out.type = EventType::MouseMotion;
    out.dx = static_cast<int>(dx);
    out.dy = static_cast<int>(dy);
    return true;
}

}  // namespace platform
