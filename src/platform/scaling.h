// Where the picture goes in the window's drawable area.
#pragma once

#include "platform/platform.h"

namespace platform {

struct PictureRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Integer: the largest whole multiple that fits (falls back to Fit when even
// 1x does not); Fit: as large as fits with the aspect kept; Stretch: all of it.
// Centred; the rest is letterbox.
PictureRect place_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling);

// The largest whole window scale for a picture on a desktop area (at least 1).
int largest_scale(int area_w, int area_h, int pic_w, int pic_h);

}  // namespace platform
