// The SDL2 back end: a window on one display showing the finished 640 x 480
// picture scaled, keyboard and mouse events, one audio device, the
// performance-counter clock and message boxes. SIGINT and SIGTERM end it as
// closing the window does (stop_signals.h).
#pragma once

#include <SDL.h>

#include <deque>
#include <vector>

#include "platform/platform.h"
#include "platform/scaling.h"
#include "platform/sharp_scale.h"
#include "platform/x11_scaled_picture.h"

namespace platform {

class SdlBackend final : public Backend {
public:
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    bool headless() const override { return false; }

    // Brings up SDL's video. False when no display can be reached (also when
    // SDL fell back to a driver that shows nothing without being asked to).
    bool start_video();

    std::vector<DisplayInfo> displays() override;
    std::vector<VideoMode> modes(int display) override;
    void desktop_mode(int display, VideoMode& out) override;

    bool open_window(const WindowOptions& options) override;
    void close_window() override;
    void present(const void* pixels, int pitch, int width, int height,
                 const FrameFormat& format) override;
    void toggle_fullscreen() override;
    void set_scaling(Scaling scaling) override;
    std::string renderer_name() const override { return renderer_description_; }
    int refresh_hz() override;
    void set_window_icon(int width, int height, const uint32_t* argb) override;

    bool poll_event(Event& event) override;

    uint64_t now_us() override;
    void wait_until_us(uint64_t deadline) override;
    void sleep_until_us(uint64_t deadline) override;
    void sleep_ms(uint32_t ms) override;

    void message_box(const std::string& title, const std::string& text) override;
    int choose(const std::string& title, const std::string& prompt,
               const std::vector<std::string>& items) override;

    bool open_audio(AudioCallback callback, void* userdata, int rate, int buffer_frames) override;
    void close_audio() override;
    void lock_audio() override;
    void unlock_audio() override;

private:
    bool ensure_video();
    int valid_display(int display);
    bool fullscreen() const;
    // Window geometry: the windowed size and place inside the display's usable
    // area (with the window manager's frame once it is known), and a
    // full-screen window made to cover its display where no window manager
    // does it.
    void place_windowed();
    void refit_once_framed();
    // Says once on standard error that a requested scale was lowered.
    void report_lowered(const WindowFit& fit);
    void cover_display();
    // A window event that may have changed its size, place or frame.
    void on_window_changed(bool resized);
    // The drawable's size in pixels; false before there is a window.
    bool output_size(int& w, int& h) const;
    // Where and how the picture goes in the drawable as it is now.
    PicturePlan current_plan() const;
    // Reads the drawable size again and draws the last picture in it.
    void redraw();
    void redraw_with_renderer();
    // No renderer: the window's own surface; after a new picture, only the
    // rows that changed when nothing else did.
    void redraw_surface(bool changed_rows_only = false);
    void redraw_changed_rows(SDL_Surface& screen, const PictureRect& place, int factor);
    // The 5-6-5 picture through the X server's enlargement (server_scaled_);
    // false when that cannot show it (the caller draws it into the surface).
    bool redraw_on_server(bool changed_rows_only);
    // The last picture scaled sharp to the place's size, into scaled_; false
    // when it cannot be (then the renderer filters it).
    bool draw_sharp(const PictureRect& place);
    void apply_icon();
    void capture_mouse(bool on);
    // One SDL event to at most one of ours (more go to pending_). False: nothing to report.
    bool translate(const SDL_Event& in, Event& out);
    bool translate_key(const SDL_KeyboardEvent& key, bool down, Event& out);
    bool translate_motion(const SDL_MouseMotionEvent& motion, Event& out);
    static void audio_trampoline(void* self, Uint8* stream, int len);

    bool video_ = false;
    bool video_failed_ = false;
    bool audio_subsystem_ = false;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;  // null: the picture goes to the window's surface
    std::string renderer_description_;
    SDL_Texture* texture_ = nullptr;
    int texture_w_ = 0, texture_h_ = 0;
    int picture_w_ = 0, picture_h_ = 0;  // the last picture presented
    Uint32 texture_format_ = 0;
    bool texture_stale_ = false;     // texture_ is behind converted_
    std::vector<uint32_t> converted_;
    bool converted_valid_ = false;   // converted_ holds the last picture
    // Without a renderer a 5-6-5 picture is kept as it came and converted
    // row by row on its way to the screen (converted_ only when needed).
    std::vector<uint16_t> frame565_;
    bool frame565_valid_ = false;
    // Rows of frame565_ the window's surface does not show yet. Only they are
    // written while the surface and the picture's place stay as they were
    // when the surface last got the whole picture (`shown_`).
    std::vector<uint8_t> changed_rows_;
    struct ShownPicture {
        const SDL_Surface* screen = nullptr;
        int w = 0, h = 0, pitch = 0, factor = 0;
        PictureRect place{};
        bool operator==(const ShownPicture&) const = default;
    };
    ShownPicture shown_{};
    bool surface_current_ = false;  // the surface holds frame565_ but changed_rows_
    const void* populated_ = nullptr;  // the surface pixels whose pages are all mapped
    // Without a renderer, on X11: whole multiples the server enlarges (`shown_`
    // then names no surface). Closed for good when the server refuses it.
    x11::ScaledPicture server_scaled_;
    SDL_Texture* scaled_ = nullptr;  // the last picture at its place's size
    int scaled_w_ = 0, scaled_h_ = 0;
    SharpScaler sharp_;
    std::vector<uint32_t> scaled_pixels_;
    Scaling scaling_ = Scaling::Auto;
    int display_ = 0;
    int requested_scale_ = 0;
    bool scale_reported_ = false;
    int windowed_w_ = 640, windowed_h_ = 480;
    int frame_checks_left_ = 0;  // window events to watch for the frame's size
    bool controllers_due_ = false;  // controllers are looked for after the first picture
    std::vector<uint32_t> icon_;
    int icon_w_ = 0, icon_h_ = 0;

    std::deque<Event> pending_;
    bool swallow_enter_up_ = false;
    double motion_rest_x_ = 0, motion_rest_y_ = 0;

    uint64_t start_ns_ = 0;  // CLOCK_MONOTONIC when the back end was made

    SDL_AudioDeviceID audio_ = 0;
    AudioCallback audio_callback_ = nullptr;
    void* audio_userdata_ = nullptr;
};

}  // namespace platform
