// Where the picture goes in the window's drawable area, how it is drawn there,
// and how large a window may be on a display.
#pragma once

#include "platform/platform.h"

namespace platform {

struct PictureRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PictureRect&) const = default;
};

// Auto takes whole multiples only while they are at least this share (percent)
// of the largest picture that fits; below it the black borders outweigh
// the sharpness of whole multiples.
constexpr int kAutoWholeShare = 85;

// Integer: the largest whole multiple that fits (falls back to Fit when even
// 1x does not); Fit: as large as fits with the shape kept; Auto: Integer when
// that fills at least kAutoWholeShare percent of Fit, else Fit; Stretch: all
// of it. Centred; the rest is letterbox.
PictureRect place_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling);

// How the picture reaches its place: `sharp` when the place is not a whole
// multiple of it, so it is scaled sharp (sharp_scale.h) to the place's size;
// otherwise (whole multiples, and Stretch, which keeps nearest sampling) the
// picture goes there as it is with nearest sampling.
struct PicturePlan {
    PictureRect place;
    bool sharp = false;
};
PicturePlan plan_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling);

// The frame a window manager draws around a window, in pixels.
struct Borders {
    int top = 0, left = 0, bottom = 0, right = 0;
};

// A window's client area: where and how large, and the whole scale it has
// (0 when the area is too small even for 1x and the client is a smaller 4:3).
struct WindowFit {
    PictureRect client;
    int scale = 0;
    bool lowered = false;  // a requested scale did not fit and was lowered
};

// The window for a picture in a display's usable area, client and borders
// together inside it and centred there. `requested` 0 takes the largest
// whole scale that fits; a larger request than fits is lowered.
WindowFit fit_window(const PictureRect& usable, const Borders& borders, int pic_w, int pic_h, int requested);

}  // namespace platform
