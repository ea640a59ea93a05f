// SDL back end: the picture in the window. With an accelerated renderer the
// picture is a texture the graphics card scales; without one (the software
// choice) a picture enlarged by a power of two goes to the X server at its
// own size and the server enlarges it (x11_scaled_picture.h); anything else
// is written straight into the window's own surface, which X shows from
// shared memory: one pass over the screen's pixels a frame.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/frame_convert.h"
#include "platform/sdl_backend.h"
#include "platform/whole_scale.h"

namespace platform {

namespace {

// The parts of the output a picture at `place` leaves uncovered.
int uncovered(const PictureRect& place, int out_w, int out_h, SDL_Rect (&sides)[4]) {
    const int below = place.y + place.h, right = place.x + place.w;
    const SDL_Rect all[] = {{0, 0, out_w, place.y},
                            {0, below, out_w, out_h - below},
                            {0, place.y, place.x, place.h},
                            {right, place.y, out_w - right, place.h}};
    int n = 0;
    for (const SDL_Rect& r : all)
        if (r.w > 0 && r.h > 0) sides[n++] = r;
    return n;
}

// The factor when `place` holds the picture enlarged by a whole multiple.
int whole_factor(const PicturePlan& plan, int pic_w, int pic_h) {
    if (plan.sharp || pic_w <= 0 || pic_h <= 0) return 0;
    const int factor = plan.place.w / pic_w;
    return factor >= 1 && plan.place.w == factor * pic_w && plan.place.h == factor * pic_h ? factor : 0;
}

// Maps every page of a new window surface in one call. Its first picture
// would otherwise take a page fault per 4 KiB: at window scale 2, 1,200 of
// them, and a first fill of 14.6 ms on a virtual machine against 8 ms with
// this. Where the kernel cannot, the faults come as before.
void populate(const SDL_Surface& screen) {
#ifdef MADV_POPULATE_WRITE
    const long page_size = sysconf(_SC_PAGESIZE);
    if (screen.pixels == nullptr || page_size <= 0 || screen.pitch <= 0 || screen.h <= 0) return;
    const auto page = static_cast<uintptr_t>(page_size);
    const auto from = reinterpret_cast<uintptr_t>(screen.pixels);
    const uintptr_t first = from & ~(page - 1);
    const uintptr_t end = from + static_cast<size_t>(screen.pitch) * static_cast<size_t>(screen.h);
    // Writes nothing: it only maps the pages, also the one shared with
    // whatever lies before the pixels.
    madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)screen;
#endif
}

}  // namespace

void SdlBackend::present(const void* pixels, int pitch, int width, int height, const FrameFormat& format) {
    if (window_ == nullptr || pixels == nullptr || width <= 0 || height <= 0) return;
    picture_w_ = width;
    picture_h_ = height;
    // A graphics card takes the game's 5-6-5 pixels as they are; everything
    // else (our own scaling, the window's surface, a redraw after a size
    // change) works from the picture in XRGB.
    const size_t count = static_cast<size_t>(width) * height;
    if (renderer_ == nullptr && is_rgb565(format)) {
        // Rows equal to the last picture's need not reach the screen again
        // (the status bar under a scrolling game, most of a menu).
        const bool same_size = frame565_valid_ && frame565_.size() == count;
        frame565_.resize(count);
        changed_rows_.resize(static_cast<size_t>(height), 1);
        const size_t row_bytes = static_cast<size_t>(width) * 2;
        for (int y = 0; y < height; ++y) {
            uint16_t* row = &frame565_[static_cast<size_t>(y) * width];
            const auto* in = static_cast<const uint8_t*>(pixels) + static_cast<size_t>(y) * pitch;
            if (same_size && std::memcmp(row, in, row_bytes) == 0) continue;
            std::memcpy(row, in, row_bytes);
            changed_rows_[static_cast<size_t>(y)] = 1;
        }
        if (!same_size) surface_current_ = false;
        frame565_valid_ = true;
        converted_valid_ = false;
        redraw_surface(true);
        return;
    }
    frame565_valid_ = false;
    surface_current_ = false;
    const bool direct = renderer_ != nullptr && is_rgb565(format) && !current_plan().sharp;
    converted_.resize(count);
    converted_valid_ = !direct;
    if (converted_valid_) frame_to_xrgb(pixels, pitch, width, height, format, converted_.data());
    if (renderer_ != nullptr) {
        const Uint32 wanted = direct ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
        if (texture_ == nullptr || texture_w_ != width || texture_h_ != height || texture_format_ != wanted) {
            if (texture_ != nullptr) SDL_DestroyTexture(texture_);
            texture_ = SDL_CreateTexture(renderer_, wanted, SDL_TEXTUREACCESS_STREAMING, width, height);
            texture_w_ = texture_ != nullptr ? width : 0;
            texture_h_ = texture_ != nullptr ? height : 0;
            texture_format_ = texture_ != nullptr ? wanted : 0;
            if (texture_ == nullptr) return;
            SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        }
        // An XRGB picture goes to texture_ only if redraw() draws from it.
        if (direct) SDL_UpdateTexture(texture_, nullptr, pixels, pitch);
        texture_stale_ = !direct;
    }
    redraw();
}

bool SdlBackend::output_size(int& w, int& h) const {
    w = h = 0;
    // Drawable pixels, not window points: right on high-DPI screens.
    if (renderer_ != nullptr) {
        SDL_GetRendererOutputSize(renderer_, &w, &h);
    } else if (window_ != nullptr && server_scaled_.is_open()) {
        SDL_GetWindowSizeInPixels(window_, &w, &h);
    } else if (window_ != nullptr) {
        // The surface redraw_surface() draws into, whatever its size is
        // measured in where the desktop scales windows.
        if (const SDL_Surface* screen = SDL_GetWindowSurface(window_)) w = screen->w, h = screen->h;
    }
    return w > 0 && h > 0;
}

PicturePlan SdlBackend::current_plan() const {
    int out_w = 0, out_h = 0;
    output_size(out_w, out_h);
    return plan_picture(out_w, out_h, picture_w_ > 0 ? picture_w_ : 640, picture_h_ > 0 ? picture_h_ : 480,
                        scaling_);
}

void SdlBackend::redraw() {
    if (window_ == nullptr) return;
    surface_current_ = false;  // a new size, an exposed window: all of it again
    if (renderer_ != nullptr) redraw_with_renderer();
    else redraw_surface();
}

bool SdlBackend::redraw_on_server(bool changed_rows_only) {
    int out_w = 0, out_h = 0;
    SDL_GetWindowSizeInPixels(window_, &out_w, &out_h);
    if (out_w <= 0 || out_h <= 0) return false;
    if (converted_valid_) return false;  // a picture of another format: the surface's way
    if (!frame565_valid_ || picture_w_ <= 0) {
        const SDL_Rect all{0, 0, out_w, out_h};
        server_scaled_.fill_black(&all, 1);  // no picture yet
        surface_current_ = false;
        return true;
    }
    const PicturePlan plan = plan_picture(out_w, out_h, picture_w_, picture_h_, scaling_);
    const int factor = whole_factor(plan, picture_w_, picture_h_);
    if (!x11::ScaledPicture::exact_factor(factor)) return false;
    uint32_t* pixels = server_scaled_.pixels(picture_w_, picture_h_);
    if (pixels == nullptr) {
        server_scaled_.close();
        return false;
    }
    const ShownPicture now{nullptr, out_w, out_h, 0, factor, plan.place};
    const bool rows_only = changed_rows_only && surface_current_ && now == shown_;
    if (rows_only && std::find(changed_rows_.begin(), changed_rows_.end(), 1) == changed_rows_.end())
        return true;  // the window already shows this picture
    if (!rows_only) {
        SDL_Rect sides[4];
        server_scaled_.fill_black(sides, uncovered(plan.place, out_w, out_h, sides));
    }
    const uint8_t* rows = rows_only ? changed_rows_.data() : nullptr;
    scale_whole_565(frame565_.data(), picture_w_, picture_h_, 1, pixels, server_scaled_.pitch(), rows);
    surface_current_ = false;
    if (!server_scaled_.show(rows, factor, plan.place.x, plan.place.y)) {
        server_scaled_.close();
        return false;
    }
    std::fill(changed_rows_.begin(), changed_rows_.end(), 0);
    shown_ = now;
    surface_current_ = true;
    return true;
}

void SdlBackend::redraw_surface(bool changed_rows_only) {
    if (server_scaled_.is_open() && redraw_on_server(changed_rows_only)) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window_);  // a new one after a size change
    if (screen == nullptr) return;
    if (screen->pixels != populated_) {
        populate(*screen);
        populated_ = screen->pixels;
    }
    const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
    if (!(converted_valid_ || frame565_valid_) || picture_w_ <= 0) {
        surface_current_ = false;
        SDL_FillRect(screen, nullptr, black);
        SDL_UpdateWindowSurface(window_);
        return;
    }
    const PicturePlan plan = plan_picture(screen->w, screen->h, picture_w_, picture_h_, scaling_);
    const PictureRect& place = plan.place;
    SDL_Rect dest{place.x, place.y, place.w, place.h};
    const int factor = whole_factor(plan, picture_w_, picture_h_);
    const bool xrgb = screen->format->BytesPerPixel == 4 && screen->format->Rmask == 0xFF0000u &&
                      screen->format->Gmask == 0xFF00u && screen->format->Bmask == 0xFFu;
    const bool fused = xrgb && factor > 0 && frame565_valid_;
    const ShownPicture now{screen, screen->w, screen->h, screen->pitch, factor, place};
    if (fused && changed_rows_only && surface_current_ && now == shown_) {
        redraw_changed_rows(*screen, place, factor);
        return;
    }
    SDL_Rect sides[4];
    const int n = uncovered(place, screen->w, screen->h, sides);
    if (n > 0) SDL_FillRects(screen, sides, n, black);
    surface_current_ = false;
    if (!fused && !converted_valid_) {
        converted_.resize(frame565_.size());
        rgb565_to_xrgb(reinterpret_cast<const uint8_t*>(frame565_.data()), picture_w_ * 2, picture_w_, picture_h_,
                       converted_.data());
        converted_valid_ = true;
    }
    if (xrgb && (factor > 0 || plan.sharp) && SDL_LockSurface(screen) == 0) {
        auto* at = static_cast<uint8_t*>(screen->pixels) + static_cast<size_t>(place.y) * screen->pitch +
                   static_cast<size_t>(place.x) * 4;
        if (fused) {
            scale_whole_565(frame565_.data(), picture_w_, picture_h_, factor, reinterpret_cast<uint32_t*>(at),
                            static_cast<size_t>(screen->pitch));
            std::fill(changed_rows_.begin(), changed_rows_.end(), 0);
            shown_ = now;
            surface_current_ = true;
        } else if (factor > 0) {
            scale_whole(converted_.data(), picture_w_, picture_h_, factor, reinterpret_cast<uint32_t*>(at),
                        static_cast<size_t>(screen->pitch));
        } else {
            scaled_pixels_.resize(static_cast<size_t>(place.w) * place.h);
            sharp_.scale(converted_.data(), picture_w_, picture_h_, scaled_pixels_.data(), place.w, place.h);
            for (int y = 0; y < place.h; ++y)
                std::memcpy(at + static_cast<size_t>(y) * screen->pitch, &scaled_pixels_[static_cast<size_t>(y) * place.w],
                            static_cast<size_t>(place.w) * 4);
        }
        SDL_UnlockSurface(screen);
    } else {
        // Stretch, or a screen of another pixel format: SDL converts and
        // samples the nearest pixel; sharp places are scaled here first.
        const uint32_t* from = converted_.data();
        int from_w = picture_w_, from_h = picture_h_;
        if (plan.sharp) {
            scaled_pixels_.resize(static_cast<size_t>(place.w) * place.h);
            sharp_.scale(converted_.data(), picture_w_, picture_h_, scaled_pixels_.data(), place.w, place.h);
            from = scaled_pixels_.data();
            from_w = place.w;
            from_h = place.h;
        }
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(from), from_w, from_h, 32,
                                                                  from_w * 4, SDL_PIXELFORMAT_RGB888);
        if (picture != nullptr) {
            SDL_BlitScaled(picture, nullptr, screen, &dest);
            SDL_FreeSurface(picture);
        }
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlBackend::redraw_changed_rows(SDL_Surface& screen, const PictureRect& place, int factor) {
    // Runs of changed rows, each one rectangle for the display server.
    SDL_Rect bands[32];
    int count = 0, bands_total = 0;
    for (int y = 0; y < picture_h_;) {
        if (changed_rows_[static_cast<size_t>(y)] == 0) {
            ++y;
            continue;
        }
        int end = y;
        while (end < picture_h_ && changed_rows_[static_cast<size_t>(end)] != 0) ++end;
        ++bands_total;
        if (count < 32) bands[count++] = SDL_Rect{place.x, place.y + y * factor, place.w, (end - y) * factor};
        else bands[31].h = place.y + end * factor - bands[31].y;  // the last one reaches to here
        y = end;
    }
    if (bands_total == 0) return;  // the screen already shows this picture
    if (SDL_LockSurface(&screen) != 0) {
        surface_current_ = false;
        return;
    }
    auto* at = static_cast<uint8_t*>(screen.pixels) + static_cast<size_t>(place.y) * screen.pitch +
               static_cast<size_t>(place.x) * 4;
    scale_whole_565(frame565_.data(), picture_w_, picture_h_, factor, reinterpret_cast<uint32_t*>(at),
                    static_cast<size_t>(screen.pitch), changed_rows_.data());
    SDL_UnlockSurface(&screen);
    std::fill(changed_rows_.begin(), changed_rows_.end(), 0);
    SDL_UpdateWindowSurfaceRects(window_, bands, count);
}

bool SdlBackend::draw_sharp(const PictureRect& place) {
    if (!converted_valid_) return false;
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
    if (pitch == place.w * 4) {
        sharp_.scale(converted_.data(), picture_w_, picture_h_, static_cast<uint32_t*>(out), place.w, place.h);
    } else {
        scaled_pixels_.resize(static_cast<size_t>(place.w) * place.h);
        sharp_.scale(converted_.data(), picture_w_, picture_h_, scaled_pixels_.data(), place.w, place.h);
        for (int y = 0; y < place.h; ++y)
            std::memcpy(static_cast<uint8_t*>(out) + static_cast<size_t>(y) * pitch,
                        &scaled_pixels_[static_cast<size_t>(y) * place.w], static_cast<size_t>(place.w) * 4);
    }
    SDL_UnlockTexture(scaled_);
    return true;
}

void SdlBackend::redraw_with_renderer() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);  // next to nothing for a graphics card
    if (texture_ != nullptr) {
        const PicturePlan plan = current_plan();
        const SDL_Rect dest{plan.place.x, plan.place.y, plan.place.w, plan.place.h};
        if (plan.sharp && draw_sharp(plan.place)) {
            SDL_RenderCopy(renderer_, scaled_, nullptr, &dest);  // one to one
        } else {
            // Whole multiples and stretch; also a sharp place until the next
            // picture arrives in XRGB (a size change just after a 5-6-5 one).
            if (texture_stale_ && converted_valid_ && texture_format_ == SDL_PIXELFORMAT_RGB888)
                SDL_UpdateTexture(texture_, nullptr, converted_.data(), texture_w_ * 4);
            texture_stale_ = false;
            SDL_SetTextureScaleMode(texture_, plan.sharp ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
            SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
        }
    }
    SDL_RenderPresent(renderer_);
}

}  // namespace platform
