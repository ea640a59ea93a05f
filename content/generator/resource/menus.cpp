// The options screen's pieces and the continue screen's, all on black.
//
// Options: arrows at x 90 and 488, rows y 150 and 300; the volume bar's steps
// every 36 pixels from x 129, ten of them ending at 453 + 30 = 483, clear of
// the right arrow; a left arrow 34 wide ends at 124, clear of the first step.
// The labels stand at (165, 95) and (126, 245): their widths (282 and 360)
// centre both on x 306, the middle of the rows. OK at (560, 400) must end by
// x 640, so it is 72 wide. Continue screen: the question at (170, 180) is 300
// wide, centred on the screen, and at most 80 high so it ends above the
// buttons; Cancel at (330, 260) is 104 wide and ends before OK at (450, 260).
//
// They carry the title's finish: chrome lettering with its blue glow and
// shadow, the bright rule that fades out at both ends under the title's
// buttons, and its amber tagline.
#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"

namespace resource {

namespace {

constexpr int kArrow = 34;

Canvas arrow(bool right, bool pressed) {
    Canvas c = black(kArrow, kArrow);
    const art::Ramp face{Color::hex(0x141a2e), Color::hex(0x34446a), Color::hex(0x90a8d8)};
    const double o = pressed ? 1 : 0;
    c.circle(17 + o, 17 + o, 15.5);
    c.fill_outlined(Paint::vertical(1, 33, pressed ? std::vector<art::Stop>{{0, face.dark}, {1, face.mid}}
                                                    : std::vector<art::Stop>{{0, face.light}, {0.3, face.mid}, {1, face.dark}}),
                    Color::hex(0x05070e), 1.2);
    c.circle(17 + o, 17 + o, 12.5);
    c.stroke(Paint::solid(pressed ? Color::hex(0x40c8ff, 0.7) : Color{1, 1, 1, 0.18}), 1.2);
    const double s = right ? 1 : -1;
    c.polygon({{17 + o - 5 * s, 9 + o}, {17 + o + 7 * s, 17 + o}, {17 + o - 5 * s, 25 + o}});
    c.fill_outlined(Paint::vertical(9, 25, pressed ? std::vector<art::Stop>{{0, Color::hex(0xe8ffff)}, {1, Color::hex(0x40c8ff)}}
                                                    : std::vector<art::Stop>{{0, Color{1, 1, 1}}, {1, Color::hex(0xa8bce0)}}),
                    Color::hex(0x05070e), 1.2);
    return c;
}

// One step of a volume bar: a lit red cell.
Canvas red_bar() {
    Canvas c = black(30, 34);
    c.rounded_rect(2.5, 1.5, 25, 31, 4);
    c.fill_outlined(Paint::vertical(1, 33, {{0, Color::hex(0xffc0a0)}, {0.2, Color::hex(0xff3a20)}, {0.75, Color::hex(0xb00808)},
                                            {1, Color::hex(0x500404)}}),
                    Color::hex(0x200202), 1.2);
    c.highlight(11, 7, 7, 2.5, 0.7);
    return c;
}

// The rule under the title's button strip: bright in the middle, fading out.
void rule(Canvas& c, double y, double from, double to) {
    c.rect(from, y, to - from, 1);
    c.fill(Paint::linear({from, 0}, {to, 0}, {{0, Color::hex(0x40a0ff, 0)}, {0.5, Color::hex(0x80d0ff, 0.9)},
                                             {1, Color::hex(0x40a0ff, 0)}}));
}

art::TextStyle glowing_chrome(double height) {
    art::TextStyle s = chrome_style(height);
    s.glow = Color::hex(0x3ca0ff, 0.75);
    s.glow_radius = std::max(4.0, height / 5);
    s.shadow = Color{0, 0, 0, 0.7};
    s.shadow_dx = std::max(1.0, height / 14);
    s.shadow_dy = std::max(1.5, height / 11);
    return s;
}

Canvas label(int width, const std::string& text) {
    Canvas c = black(width, 40);
    art::TextStyle s = glowing_chrome(20);
    s.slant = 0.1;
    s.tracking = 1.3;
    art::draw_text(c, width / 2.0, 6, text, s, art::Align::Centre);
    rule(c, 35, width / 2.0 - 140, width / 2.0 + 140);  // one length under both labels
    return c;
}

// The continue question, with a tagline in the title's amber under a rule.
Canvas question() {
    Canvas c = black(300, 76);
    art::draw_text(c, 150, 6, "CONTINUE?", glowing_chrome(34), art::Align::Centre);
    rule(c, 50, 20, 280);
    art::TextStyle tag;
    tag.height = 9;
    tag.weight = 1.0;
    tag.tracking = 3.4;
    tag.outline_width = 1.5;
    tag.outline = Color::hex(0x02040c);
    tag.fill = {{0, Color::hex(0xfff0c8)}, {1, Color::hex(0xffa040)}};
    const std::string line = "ANOTHER SHIP IS READY";
    while (art::text_width(line, tag) > 270 && tag.tracking > 1.2) tag.tracking -= 0.2;
    art::draw_text(c, 150, 59, line, tag, art::Align::Centre);
    return c;
}

}  // namespace

void write_menus(art::Output& out) {
    for (bool pressed : {false, true}) {
        const std::string state = pressed ? "down" : "up";
        out.picture(resource_path("left_arrow_" + state), art::flat_image(arrow(false, pressed)), art::Depth::Indexed8);
        out.picture(resource_path("right_arrow_" + state), art::flat_image(arrow(true, pressed)), art::Depth::Indexed8);
        out.picture(resource_path("ok_" + state), art::flat_image(button(black(72, 40), "OK", pressed)),
                    art::Depth::Indexed8);
        out.picture(resource_path("cancel_" + state), art::flat_image(button(black(104, 40), "CANCEL", pressed)),
                    art::Depth::Indexed8);
    }
    out.picture(resource_path("red_bar"), art::flat_image(red_bar()), art::Depth::Indexed8);
    out.picture(resource_path("fx_volume"), art::flat_image(label(282, "EFFECTS VOLUME")), art::Depth::Indexed8);
    out.picture(resource_path("music_volume"), art::flat_image(label(360, "MUSIC VOLUME")), art::Depth::Indexed8);

    out.picture(resource_path("continue"), art::flat_image(question()), art::Depth::Indexed8);
}

}  // namespace resource
