#include "platform/scaling.h"

#include <algorithm>

namespace platform {

PictureRect place_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling) {
    PictureRect r;
    if (out_w <= 0 || out_h <= 0 || pic_w <= 0 || pic_h <= 0) return r;
    if (scaling == Scaling::Stretch) return PictureRect{0, 0, out_w, out_h};
    const int whole = std::min(out_w / pic_w, out_h / pic_h);
    if (scaling == Scaling::Integer && whole >= 1) {
        r.w = pic_w * whole;
        r.h = pic_h * whole;
    } else if (static_cast<long long>(out_w) * pic_h <= static_cast<long long>(out_h) * pic_w) {
        r.w = out_w;  // width decides
        r.h = static_cast<int>(static_cast<long long>(out_w) * pic_h / pic_w);
    } else {
        r.h = out_h;
        r.w = static_cast<int>(static_cast<long long>(out_h) * pic_w / pic_h);
    }
    r.x = (out_w - r.w) / 2;
    r.y = (out_h - r.h) / 2;
    return r;
}

int largest_scale(int area_w, int area_h, int pic_w, int pic_h) {
    if (pic_w <= 0 || pic_h <= 0) return 1;
    return std::max(1, std::min(area_w / pic_w, area_h / pic_h));
}

}  // namespace platform
