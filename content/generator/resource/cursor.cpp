// The mouse cursor: an 8-bit picture whose black is transparent. The menus
// hit-test the cursor's top-left position, so the arrow's tip is one pixel
// in from that corner, which stays black like the rest of the background.
#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"

namespace resource {

void write_cursor(art::Output& out) {
    Canvas c(18, 24);
    const std::vector<art::Pt> arrow = {{1.5, 1.5}, {1.5, 19.0}, {5.8, 15.2}, {9.0, 22.4},
                                        {12.2, 21.0}, {9.1, 14.0}, {14.8, 14.0}};
    c.polygon(arrow);
    c.fill_outlined(Paint::linear({0, 0}, {10, 20}, {{0, Color{1, 1, 1}}, {0.6, Color::hex(0xc8eaff)}, {1, Color::hex(0x5aa8e8)}}),
                    Color::hex(0x141c34), 1.3);
    c.line({3.0, 4.5}, {3.0, 14.0});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.9}), 0.8);
    // Black is the transparent colour: keep it exact and everything else clear of it.
    const writers::Image image = art::keyed_image(c, art::kBlack, art::Edges::Threshold, true);
    out.picture(resource_path("cursor_08"), image, art::Depth::Indexed8, {art::kBlack});
}

}  // namespace resource
