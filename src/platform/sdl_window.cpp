// SDL back end: the window and the picture in it.
#include <cstdio>
#include <cstring>

#include "platform/frame_convert.h"
#include "platform/scaling.h"
#include "platform/sdl_backend.h"
#include "platform/sdl_controller.h"
#include "platform/sdl_renderer.h"
#include "platform/sdl_x11.h"
#include "platform/whole_scale.h"

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
    renderer_ = create_window_renderer(window_, options.renderer, renderer_description_);
    if (renderer_ == nullptr) {
        std::fprintf(stderr, "velmora: no renderer: %s\n", SDL_GetError());
        close_window();
        return false;
    }
    if (options.fullscreen) cover_display();
    else place_windowed();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    SDL_RaiseWindow(window_);
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0) capture_mouse(true);
    controllers_start();
    return true;
}

void SdlBackend::close_window() {
    capture_mouse(false);
    controllers_stop();
    if (scaled_ != nullptr) SDL_DestroyTexture(scaled_);
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    scaled_ = nullptr;
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    scaled_w_ = scaled_h_ = 0;
    texture_w_ = texture_h_ = 0;
    converted_valid_ = false;
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

void SdlBackend::present(const void* pixels, int pitch, int width, int height,
                         const FrameFormat& format) {
    if (renderer_ == nullptr || pixels == nullptr || width <= 0 || height <= 0) return;
    // SDL's software renderer stretches quickly only between pixels of one
    // format; a 5-6-5 texture drawn into a 32-bit window goes through its
    // slowest blitter (14 ms a frame at scale 2). Converting first costs less.
    const bool direct = is_rgb565(format) && renderer_description_ != "software";
    const Uint32 wanted = direct ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    if (texture_ == nullptr || texture_w_ != width || texture_h_ != height || texture_format_ != wanted) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, wanted, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (texture_ == nullptr) return;
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        texture_w_ = width;
        texture_h_ = height;
        texture_format_ = wanted;
    }
    // Our own scaling and the redraw after a size change work from the
    // picture in XRGB; a 5-6-5 picture is converted only when that is needed.
    converted_.resize(static_cast<size_t>(width) * height);
    converted_valid_ = !direct || current_plan().sharp;
    if (converted_valid_) frame_to_xrgb(pixels, pitch, width, height, format, converted_.data());
    // An XRGB picture goes to texture_ only if redraw() draws from it.
    if (direct) SDL_UpdateTexture(texture_, nullptr, pixels, pitch);
    texture_stale_ = !direct;
    redraw();
}

PicturePlan SdlBackend::current_plan() const {
    int out_w = 0, out_h = 0;
    // Drawable pixels, not window points: right on high-DPI screens.
    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    return plan_picture(out_w, out_h, texture_w_, texture_h_, scaling_);
}

bool SdlBackend::draw_scaled(const PicturePlan& plan) {
    const PictureRect& place = plan.place;
    // SDL's software renderer enlarges a pixel at a time and its copies one
    // to one are row copies: whole multiples are cheaper made here.
    const int factor = texture_w_ > 0 ? place.w / texture_w_ : 0;
    const bool whole = !plan.sharp && renderer_description_ == "software" && factor > 1 &&
                       place.w == factor * texture_w_ && place.h == factor * texture_h_;
    if (!converted_valid_ || !(plan.sharp || whole)) return false;
    if (scaled_ == nullptr || scaled_w_ != place.w || scaled_h_ != place.h) {
        if (scaled_ != nullptr) SDL_DestroyTexture(scaled_);
        scaled_w_ = scaled_h_ = 0;
        scaled_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, place.w, place.h);
        if (scaled_ == nullptr) return false;
        scaled_w_ = place.w;
        scaled_h_ = place.h;
    }
    void* out = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(scaled_, nullptr, &out, &pitch) != 0) return false;
    if (whole) {
        scale_whole(converted_.data(), texture_w_, texture_h_, factor, static_cast<uint32_t*>(out),
                    static_cast<size_t>(pitch));
    } else if (pitch == place.w * 4) {
        sharp_.scale(converted_.data(), texture_w_, texture_h_, static_cast<uint32_t*>(out), place.w, place.h);
    } else {
        scaled_pixels_.resize(static_cast<size_t>(place.w) * place.h);
        sharp_.scale(converted_.data(), texture_w_, texture_h_, scaled_pixels_.data(), place.w, place.h);
        for (int y = 0; y < place.h; ++y)
            std::memcpy(static_cast<uint8_t*>(out) + static_cast<size_t>(y) * pitch,
                        &scaled_pixels_[static_cast<size_t>(y) * place.w], static_cast<size_t>(place.w) * 4);
    }
    SDL_UnlockTexture(scaled_);
    return true;
}

void SdlBackend::draw_borders(const PictureRect& place) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    // A graphics card clears the whole target for next to nothing; the
    // software renderer would fill every pixel only to draw over most.
    if (renderer_description_ != "software") {
        SDL_RenderClear(renderer_);
        return;
    }
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    const int below = place.y + place.h, right = place.x + place.w;
    const SDL_Rect sides[] = {{0, 0, out_w, place.y},
                              {0, below, out_w, out_h - below},
                              {0, place.y, place.x, place.h},
                              {right, place.y, out_w - right, place.h}};
    for (const SDL_Rect& r : sides)
        if (r.w > 0 && r.h > 0) SDL_RenderFillRect(renderer_, &r);
}

void SdlBackend::redraw() {
    if (renderer_ == nullptr) return;
    if (texture_ == nullptr) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    } else {
        const PicturePlan plan = current_plan();
        const SDL_Rect dest{plan.place.x, plan.place.y, plan.place.w, plan.place.h};
        draw_borders(plan.place);
        if (draw_scaled(plan)) {
            SDL_RenderCopy(renderer_, scaled_, nullptr, &dest);  // one to one
        } else {
            // Whole multiples and stretch; also a sharp place until the next
            // picture arrives in XRGB (a size change just after a 5-6-5 one).
            if (texture_stale_ && converted_valid_)
                SDL_UpdateTexture(texture_, nullptr, converted_.data(), texture_w_ * 4);
            texture_stale_ = false;
            SDL_SetTextureScaleMode(texture_, plan.sharp ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
            SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
        }
    }
    SDL_RenderPresent(renderer_);
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
