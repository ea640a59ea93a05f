// SDL back end: the window and the picture in it.
#include <cstdio>

#include "platform/frame_convert.h"
#include "platform/scaling.h"
#include "platform/sdl_backend.h"
#include "platform/sdl_controller.h"
#include "platform/sdl_renderer.h"

namespace platform {

bool SdlBackend::open_window(const WindowOptions& options) {
    close_window();
    if (!ensure_video()) return false;
    const int display = valid_display(options.display);
    scaling_ = options.scaling;

    SDL_Rect area{0, 0, 640, 480};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0) SDL_GetDisplayBounds(display, &area);
    const int scale = options.scale > 0 ? options.scale : largest_scale(area.w, area.h, 640, 480);
    windowed_w_ = 640 * scale;
    windowed_h_ = 480 * scale;

    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int pos = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    window_ = SDL_CreateWindow(options.title.c_str(), pos, pos, windowed_w_, windowed_h_, flags);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmora: no window: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    renderer_ = create_window_renderer(window_, options.renderer, renderer_description_);
    if (renderer_ == nullptr) {
        std::fprintf(stderr, "velmora: no renderer: %s\n", SDL_GetError());
        close_window();
        return false;
    }
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
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    texture_w_ = texture_h_ = 0;
    texture_format_ = 0;
    pending_.clear();
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
    if (direct) {
        SDL_UpdateTexture(texture_, nullptr, pixels, pitch);
    } else {
        converted_.resize(static_cast<size_t>(width) * height);
        frame_to_xrgb(pixels, pitch, width, height, format, converted_.data());
        SDL_UpdateTexture(texture_, nullptr, converted_.data(), width * 4);
    }
    redraw();
}

void SdlBackend::redraw() {
    if (renderer_ == nullptr) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (texture_ != nullptr) {
        int out_w = 0, out_h = 0;
        // Drawable pixels, not window points: right on high-DPI screens.
        SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
        const PictureRect r = place_picture(out_w, out_h, texture_w_, texture_h_, scaling_);
        const SDL_Rect dest{r.x, r.y, r.w, r.h};
        SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
    }
    SDL_RenderPresent(renderer_);
}

void SdlBackend::toggle_fullscreen() {
    if (window_ == nullptr) return;
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (full) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowed_w_, windowed_h_);
    } else {
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    redraw();
}

void SdlBackend::set_scaling(Scaling scaling) {
    scaling_ = scaling;
    redraw();
}

}  // namespace platform
