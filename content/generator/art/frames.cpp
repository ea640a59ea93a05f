#include "generator/art/frames.h"

#include <cmath>

namespace art {

std::vector<Frame> frames_of(const FrameBox& box, int count, const std::function<void(Canvas&, int)>& paint,
                             Edges edges) {
    std::vector<Frame> frames;
    for (int i = 0; i < count; ++i) {
        Canvas c(box.width, box.height);
        {
            auto scope = c.scoped();
            c.translate(box.origin_x, box.origin_y);
            paint(c, i);
        }
        frames.push_back({.image = std::move(c), .xoffset = box.xoffset, .yoffset = box.yoffset, .edges = edges});
    }
    return frames;
}

std::vector<Frame> turned_frames(const FrameBox& box, const std::vector<double>& angles,
                                 const std::function<void(Canvas&, int)>& paint) {
    return frames_of(box, int(angles.size()), [&](Canvas& c, int i) {
        c.rotate_deg(angles[size_t(i)]);
        paint(c, i);
    });
}

void posterize(Canvas& c, int levels) {
    const double r = levels > 1 ? levels - 1 : 31, g = levels > 1 ? levels - 1 : 63, b = r;
    c.map_pixels([=](int, int, Color& p) {
        p.r = std::round(p.r * r) / r;
        p.g = std::round(p.g * g) / g;
        p.b = std::round(p.b * b) / b;
    });
}

std::vector<double> angle_steps(int n, double first, double last) {
    std::vector<double> a;
    for (int i = 0; i < n; ++i) a.push_back(n == 1 ? first : first + (last - first) * i / (n - 1));
    return a;
}

std::vector<double> pitches(int count, int level, double step) {
    std::vector<double> a;
    for (int k = 1; k <= count; ++k) a.push_back((level - k) * step);
    return a;
}

}  // namespace art
