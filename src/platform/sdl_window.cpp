// SDL back end: the window and the picture in it.
#include <cstdio>
#include <cstring>

#include "platform/scaling.h"
#include "platform/sdl_backend.h"
#include "platform/sdl_controller.h"
#include "platform/sdl_renderer.h"
#include "platform/sdl_x11.h"

namespace platform {

namespace {
constexpr int kPictureW = 640, kPictureH = 480;
// Window events to wait for the window manager's frame before giving up on
// it: the frame's size arrives some time after the window is shown.
constexpr int kFrameChecks = 64;

PictureRect usable_area(int display) {
    SDL_Rect area{0, 0, kPictureW, kPictureH};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0) SDL_GetDisplayBounds(display, &area);
    return PictureRect{area.x, area.y, area.w, area.h};
}

Borders frame_of(SDL_Window* window) {
    Borders b;
    if (SDL_GetWindowBordersSize(window, &b.top, &b.left, &b.bottom, &b.right) != 0) return Borders{};
    return b;
}

bool has_frame(const Borders& b) { return b.top > 0 || b.left > 0 || b.bottom > 0 || b.right > 0; }
}  // namespace

bool SdlBackend::open_window(const WindowOptions& options) {
    close_window();
    if (!ensure_video()) return false;
    display_ = valid_display(options.display);
    scaling_ = options.scaling;
    requested_scale_ = options.scale;
    scale_reported_ = false;

    // The frame is not known before the window exists: place_windowed() fits
    // the window again once it is.
    const WindowFit fit = fit_window(usable_area(display_), Borders{}, kPictureW, kPictureH, options.scale);
    windowed_w_ = fit.client.w;
    windowed_h_ = fit.client.h;
    if (options.fullscreen) report_lowered(fit);  // a window comes only with Alt+Enter

    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(options.title.c_str(), fit.client.x, fit.client.y, windowed_w_, windowed_h_, flags);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmora: no window: %s\n", SDL_GetError());
        return false;
    }
    apply_icon();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    if (!create_window_renderer(window_, options.renderer, renderer_, renderer_description_)) {
        std::fprintf(stderr, "velmora: no renderer: %s\n", SDL_GetError());
        close_window();
        return false;
    }
    if (renderer_ == nullptr) server_scaled_.open(window_);
    if (options.fullscreen) cover_display();
    else place_windowed();
    redraw();  // black until the first picture
    SDL_RaiseWindow(window_);
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0) capture_mouse(true);
    // Looking for controllers takes tens of milliseconds (device scans):
    // once the first picture is up (poll_event), not before it.
    controllers_due_ = true;
    return true;
}

void SdlBackend::close_window() {
    capture_mouse(false);
    controllers_due_ = false;
    controllers_stop();
    if (scaled_ != nullptr) SDL_DestroyTexture(scaled_);
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    server_scaled_.close();  // its pictures name the window
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    scaled_ = nullptr;
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    populated_ = nullptr;
    scaled_w_ = scaled_h_ = 0;
    texture_w_ = texture_h_ = 0;
    picture_w_ = picture_h_ = 0;
    converted_valid_ = false;
    frame565_valid_ = false;
    texture_format_ = 0;
    frame_checks_left_ = 0;
    pending_.clear();
}

bool SdlBackend::fullscreen() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlBackend::report_lowered(const WindowFit& fit) {
    if (!fit.lowered || scale_reported_) return;
    scale_reported_ = true;
    const PictureRect area = usable_area(display_);
    std::fprintf(stderr, "velmora: window scale %d (%d x %d) does not fit display %d (%d x %d usable); using %d x %d\n",
                 requested_scale_, kPictureW * requested_scale_, kPictureH * requested_scale_, display_, area.w, area.h,
                 fit.client.w, fit.client.h);
}

void SdlBackend::place_windowed() {
    if (window_ == nullptr || fullscreen()) return;
    const Borders frame = frame_of(window_);
    const WindowFit fit = fit_window(usable_area(display_), frame, kPictureW, kPictureH, requested_scale_);
    windowed_w_ = fit.client.w;
    windowed_h_ = fit.client.h;
    SDL_SetWindowSize(window_, windowed_w_, windowed_h_);
    SDL_SetWindowPosition(window_, fit.client.x, fit.client.y);
    // Without a frame yet, a window manager may still be about to add one:
    // fitted again then, and a lowered scale reported once the size is final.
    frame_checks_left_ = !has_frame(frame) && x11::frame_may_come(window_) ? kFrameChecks : 0;
    if (frame_checks_left_ == 0) report_lowered(fit);
}

void SdlBackend::refit_once_framed() {
    if (frame_checks_left_ <= 0 || window_ == nullptr) return;
    if (fullscreen()) {
        frame_checks_left_ = 0;
        return;
    }
    if (has_frame(frame_of(window_)) || --frame_checks_left_ == 0) place_windowed();
}

void SdlBackend::cover_display() {
    if (!fullscreen() || x11::manager_does_fullscreen(window_)) return;
    // Nobody carries out the full-screen request: SDL already believes the
    // window covers the display, so make it true.
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(display_, &bounds) != 0) return;
    SDL_Rect real{};
    if (x11::real_geometry(window_, real) && SDL_RectEquals(&real, &bounds) == SDL_TRUE) return;
    x11::place(window_, bounds);
}

void SdlBackend::on_window_changed(bool resized) {
    if (resized && fullscreen()) cover_display();
    refit_once_framed();
    redraw();
}

void SdlBackend::set_window_icon(int width, int height, const uint32_t* argb) {
    if (argb == nullptr || width <= 0 || height <= 0) return;
    icon_.assign(argb, argb + static_cast<size_t>(width) * height);
    icon_w_ = width;
    icon_h_ = height;
    apply_icon();
}

void SdlBackend::apply_icon() {
    if (window_ == nullptr || icon_.empty()) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon_.data(), icon_w_, icon_h_, 32, icon_w_ * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return;
    SDL_SetWindowIcon(window_, s);  // copied by SDL
    SDL_FreeSurface(s);
}

void SdlBackend::capture_mouse(bool on) {
    if (!video_) return;
    // Relative mode hides the pointer and gives raw motion; only while focused,
    // so the desktop gets its pointer back when the player leaves.
    SDL_SetRelativeMouseMode(on && window_ != nullptr ? SDL_TRUE : SDL_FALSE);
}

void SdlBackend::toggle_fullscreen() {
    if (window_ == nullptr) return;
    if (fullscreen()) {
        SDL_SetWindowFullscreen(window_, 0);
        place_windowed();
    } else {
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        cover_display();
    }
    redraw();
}

void SdlBackend::set_scaling(Scaling scaling) {
    scaling_ = scaling;
    redraw();
}

}  // namespace platform
