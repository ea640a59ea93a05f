// The mouse cursor: an 8-bit picture whose black is transparent. Its
// top-left corner is the point that clicks (the menus hit-test the cursor's
// top-left position), so the arrow's tip is there.
#include "generator/resource/resource_art.h"

namespace resource {

using art::Canvas;
using art::Color;
using art::Paint;

void write_cursor(art::Output& out) {
    Canvas c(18, 24);
    const std::vector<art::Pt> arrow = {{0.6, 0.6}, {0.6, 18.5}, {5.0, 14.6}, {8.3, 21.8},
                                        {11.6, 20.4}, {8.4, 13.4}, {14.2, 13.4}};
    c.polygon(arrow);
    c.fill_outlined(Paint::linear({0, 0}, {10, 20}, {{0, Color{1, 1, 1}}, {0.6, Color::hex(0xc8eaff)}, {1, Color::hex(0x5aa8e8)}}),
                    Color::hex(0x141c34), 1.3);
    c.line({2.2, 3.5}, {2.2, 13.5});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.9}), 0.8);
    // Black is the transparent colour: keep the key exact and everything else
    // clear of it. The tip pixel stays: the cursor is never collision-tested.
    const writers::Image image = art::keyed_image(c, art::kBlack, art::Edges::Threshold, false);
    out.picture(resource_path("cursor_08"), image, art::Depth::Indexed8, {art::kBlack});
}

}  // namespace resource
