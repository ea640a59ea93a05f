// The picture enlarged by the X server. Without a graphics card the window's
// own surface holds the picture at the window's size: at scale 2 every
// frame writes four times the picture's pixels into shared memory, and the
// server copies them all again. With the RENDER extension the picture goes
// to the server at its own size and the server enlarges it straight into the
// window, nearest pixel, in the same copy.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform::x11 {

class ScaledPicture {
public:
    ScaledPicture() = default;
    ~ScaledPicture();
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;

    // False (and closed) when the window is not an X11 window of 24-bit
    // XRGB pixels, or the server lacks shared memory or RENDER 0.6.
    bool open(SDL_Window* window);
    void close();
    bool is_open() const { return display_ != nullptr; }

    // The picture at its own size: `w` x `h` XRGB pixels, rows `pitch()`
    // bytes apart, made anew when the size changes. Null when it cannot be.
    uint32_t* pixels(int w, int h);
    size_t pitch() const { return pitch_; }

    // Rows [first, end) of the picture, enlarged `factor` times, with the
    // picture's top left corner at (x, y) in the window. Runs of rows go
    // together: `rows` has one flag per picture row (null: all of them).
    // Returns once the server has read the pixels, so they may change.
    // False when the server refused: the caller shows the picture its own
    // way from then on.
    bool show(const uint8_t* rows, int factor, int x, int y);
    // Factors show() takes: those whose inverse RENDER's fixed point holds
    // exactly (2, 4, 8, 16).
    static bool exact_factor(int factor);
    // Black over the rectangles (borders around the picture).
    void fill_black(const SDL_Rect* rects, int count);

private:
    bool make_image(int w, int h);
    void free_image();

    struct Native;  // the Xlib handles, kept out of this header
    Native* native_ = nullptr;
    void* display_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int w_ = 0, h_ = 0;
    size_t pitch_ = 0;
};

}  // namespace platform::x11
