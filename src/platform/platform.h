// The one interface between the game and the machine. Two implementations exist:
// an SDL2 back end (window, events, audio device, real clock) and a headless one
// (no window, no audio device, a virtual clock that jumps to every deadline).
// Nothing here knows about sprites, surfaces or game states.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/renderer_choice.h"

namespace platform {

struct DisplayInfo {
    std::string name;
    std::string description;
    bool primary = false;  // the desktop's main display
};

struct VideoMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;  // bits per pixel
};

// Layout of the pixels handed to present(). For depth 8 `palette` holds 256
// entries as 0x00RRGGBB; otherwise the masks describe the channels.
struct FrameFormat {
    int depth = 16;
    uint32_t rmask = 0xF800, gmask = 0x07E0, bmask = 0x001F;
    const uint32_t* palette = nullptr;
};

// Auto: whole multiples when they nearly fill the screen, else Fit; Fit and
// Auto draw sharp (see scaling.h). The values are stored as numbers: append only.
enum class Scaling { Integer, Fit, Stretch, Auto };

struct WindowOptions {
    int display = 0;
    bool fullscreen = true;
    Scaling scaling = Scaling::Auto;
    int scale = 0;  // window scale factor; 0 picks the largest that fits the desktop
    std::string title;
    RendererSetting renderer = RendererSetting::Auto;
};

enum class EventType {
    None,
    KeyDown,      // vkey: Windows virtual-key code; repeat set for auto-repeat
    KeyUp,        // vkey
    MouseMotion,  // dx, dy: relative motion in screen pixels of the 640x480 picture
    MouseButton,  // button 0 left, 1 right, 2.. others; pressed
    Quit,         // the window was closed
    FocusGained,
    FocusLost,
    ToggleFullscreen,  // Alt+Enter (handled by the back end, reported for completeness)
    Screenshot,        // F12
};

struct Event {
    EventType type = EventType::None;
    int vkey = 0;
    // KeyDown, KeyUp from the keyboard: the back end's own code of the key,
    // which names it (key_name, input_options.h); 0 from scripts and
    // controllers. Recordings do not hold it.
    int32_t key = 0;
    bool repeat = false;
    int dx = 0, dy = 0;
    int button = 0;
    bool pressed = false;
};

// Mixes `frames` stereo frames of signed 16-bit audio into `out` (which the
// callee must fill completely). Runs on the audio thread.
using AudioCallback = void (*)(void* userdata, int16_t* out, int frames);

class Backend {
public:
    virtual ~Backend() = default;

    virtual bool headless() const = 0;

    // Displays ("drivers") and the modes each offers. The software mode
    // 640 x 480 x 16 is always in every list.
    virtual std::vector<DisplayInfo> displays() = 0;
    virtual std::vector<VideoMode> modes(int display) = 0;
    virtual void desktop_mode(int display, VideoMode& out) = 0;

    virtual bool open_window(const WindowOptions& options) = 0;
    virtual void close_window() = 0;
    // Shows a finished picture. The back end copies the pixels before returning.
    virtual void present(const void* pixels, int pitch, int width, int height,
                         const FrameFormat& format) = 0;
    virtual void toggle_fullscreen() = 0;
    virtual void set_scaling(Scaling scaling) = 0;
    // What draws the picture in the window ("software", "opengl on ..."); empty without one.
    virtual std::string renderer_name() const { return {}; }
    // Refreshes a second of the display showing the window, as the system
    // reports it; 0 when it reports none. Headless: a virtual 60 Hz display.
    virtual int refresh_hz() { return 0; }
    // The window's icon: `width` x `height` pixels as 0xAARRGGBB, rows top
    // down. Kept for windows opened later. A back end without windows ignores it.
    virtual void set_window_icon(int /*width*/, int /*height*/, const uint32_t* /*argb*/) {}

    // Events, read on the main thread. Returns false when none is waiting.
    virtual bool poll_event(Event& event) = 0;

    // Clock: microseconds since the back end started. Waiting sleeps until
    // shortly before the deadline and spins the rest (headless: jumps to it).
    virtual uint64_t now_us() = 0;
    virtual void wait_until_us(uint64_t deadline) = 0;
    uint32_t now_ms() { return static_cast<uint32_t>(now_us() / 1000); }
    // A pause of at least `ms`: no deadline to hold, so a real back end only
    // sleeps (headless: the clock moves by exactly `ms`).
    virtual void sleep_ms(uint32_t ms) { wait_until_us(now_us() + uint64_t(ms) * 1000); }
    // Waits for `deadline` without spinning: a real back end may return a
    // little late (headless: the clock jumps there, as wait_until_us does).
    virtual void sleep_until_us(uint64_t deadline) { wait_until_us(deadline); }

    // Dialogs. Headless: written to standard error; choose() returns 0.
    virtual void message_box(const std::string& title, const std::string& text) = 0;
    // Asks `prompt` with one answer per item plus Cancel: the index chosen, or
    // -1 for Cancel.
    virtual int choose(const std::string& title, const std::string& prompt,
                       const std::vector<std::string>& items) = 0;

    // Audio device: 44100 Hz stereo signed 16-bit. Headless opens nothing and
    // returns false; the mixer is then only driven by whoever pulls it.
    virtual bool open_audio(AudioCallback callback, void* userdata, int rate,
                            int buffer_frames) = 0;
    virtual void close_audio() = 0;
    virtual void lock_audio() = 0;
    virtual void unlock_audio() = 0;
};

// The installed back end. Installing replaces (and destroys) the previous one.
Backend& backend();
bool has_backend();
void install_backend(std::unique_ptr<Backend> backend);

// Null when no display can be reached: SDL's stand-ins that show nothing (its
// offscreen and dummy video drivers) count only when SDL_VIDEODRIVER names them.
std::unique_ptr<Backend> make_sdl_backend();
// What make_sdl_backend says when it returns null.
extern const char* const kNoDisplayMessage;
std::unique_ptr<Backend> make_headless_backend();

// Text in Liberation Sans, sized so that the character cell is `cell_height`
// pixels high. The result is a coverage mask (0 transparent .. 255 opaque).
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
};
bool render_text(const std::string& text, int cell_height, TextMask& out);

}  // namespace platform
