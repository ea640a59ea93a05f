#include "platform/scaling.h"

#include <algorithm>

namespace platform {

namespace {
// The largest picture of the same shape inside out_w x out_h, centred.
PictureRect fit_rect(int out_w, int out_h, int pic_w, int pic_h) {
    PictureRect r;
    if (static_cast<long long>(out_w) * pic_h <= static_cast<long long>(out_h) * pic_w) {
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

PictureRect whole_rect(int out_w, int out_h, int pic_w, int pic_h, int whole) {
    PictureRect r;
    r.w = pic_w * whole;
    r.h = pic_h * whole;
    r.x = (out_w - r.w) / 2;
    r.y = (out_h - r.h) / 2;
    return r;
}
}  // namespace

PictureRect place_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling) {
    if (out_w <= 0 || out_h <= 0 || pic_w <= 0 || pic_h <= 0) return {};
    if (scaling == Scaling::Stretch) return PictureRect{0, 0, out_w, out_h};
    const int whole = std::min(out_w / pic_w, out_h / pic_h);
    const PictureRect fit = fit_rect(out_w, out_h, pic_w, pic_h);
    if (whole < 1 || scaling == Scaling::Fit) return fit;
    if (scaling == Scaling::Auto &&
        static_cast<long long>(pic_h) * whole * 100 < static_cast<long long>(fit.h) * kAutoWholeShare)
        return fit;
    return whole_rect(out_w, out_h, pic_w, pic_h, whole);
}

PicturePlan plan_picture(int out_w, int out_h, int pic_w, int pic_h, Scaling scaling) {
    PicturePlan plan;
    plan.place = place_picture(out_w, out_h, pic_w, pic_h, scaling);
    const PictureRect& p = plan.place;
    if (p.w <= 0 || p.h <= 0 || scaling == Scaling::Stretch) return plan;
    plan.sharp = !(p.w % pic_w == 0 && p.h % pic_h == 0 && p.w / pic_w == p.h / pic_h);  // not a whole multiple
    return plan;
}

WindowFit fit_window(const PictureRect& usable, const Borders& borders, int pic_w, int pic_h, int requested) {
    WindowFit fit;
    // Never less than one pixel of room: a silly frame must not give a silly window.
    const int room_w = std::max(1, usable.w - std::max(0, borders.left) - std::max(0, borders.right));
    const int room_h = std::max(1, usable.h - std::max(0, borders.top) - std::max(0, borders.bottom));
    const int whole = pic_w > 0 && pic_h > 0 ? std::min(room_w / pic_w, room_h / pic_h) : 0;
    if (whole >= 1) {
        fit.scale = requested > 0 ? std::min(requested, whole) : whole;
        fit.lowered = requested > whole;
        fit.client.w = pic_w * fit.scale;
        fit.client.h = pic_h * fit.scale;
    } else {
        // Not even 1x fits: the largest picture of the same shape that does.
        const PictureRect r = pic_w > 0 && pic_h > 0 ? fit_rect(room_w, room_h, pic_w, pic_h)
                                                     : PictureRect{0, 0, room_w, room_h};
        fit.lowered = requested > 0;
        fit.client.w = std::max(1, r.w);
        fit.client.h = std::max(1, r.h);
    }
    fit.client.x = usable.x + std::max(0, borders.left) + (room_w - fit.client.w) / 2;
    fit.client.y = usable.y + std::max(0, borders.top) + (room_h - fit.client.h) / 2;
    return fit;
}

}  // namespace platform
