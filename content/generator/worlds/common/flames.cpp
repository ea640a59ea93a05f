#include "generator/worlds/common/flames.h"

#include <cmath>

namespace worlds {

std::vector<art::Frame> flame_frames(int count, double heat) {
    constexpr art::FrameBox kFlame{.width = 16, .height = 22, .xoffset = -3, .yoffset = -12};
    return art::frames_of(kFlame, count, [&](art::Canvas& c, int f) {
        const double sway = std::sin(f * 1.1) * 1.6;
        // Three tongues, each hotter and smaller than the one behind it.
        for (int layer = 0; layer < 3; ++layer) {
            const double w = 7 - layer * 2, h = 19 - layer * 5 - (f % 3);
            c.smooth({{8 - w, 21}, {8 - w * 0.6 + sway * 0.3, 21 - h * 0.5}, {8 + sway, 21 - h},
                      {8 + w * 0.6 + sway * 0.3, 21 - h * 0.45}, {8 + w, 21}});
            c.fill(art::Paint::solid(art::fire_colour(heat + layer * 0.22)));
        }
    });
}

}  // namespace worlds
