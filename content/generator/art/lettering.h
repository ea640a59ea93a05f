// Lettering drawn from our own stroke letterforms (A-Z, 0-9 and a few signs),
// so no system font enters the data. Letters are rounded-square strokes on a
// 4 x 6 grid; `height` is the cap height in pixels.
//
//   art::TextStyle s;
//   s.height = 40;
//   s.fill = {{0, white}, {0.5, steel}, {1, navy}};  // top to bottom of the caps
//   art::draw_text(canvas, 320, 60, "VELMORA", s, art::Align::Centre);
#pragma once

#include <string>
#include <vector>

#include "generator/art/canvas.h"

namespace art {

enum class Align { Left, Centre, Right };

struct TextStyle {
    double height = 12;        // cap height in pixels
    double weight = 0.9;       // stroke width in grid units (a cell is 4 x 6 units)
    double tracking = 1.6;     // space between letters in grid units
    double slant = 0.0;        // shear: 0.2 leans the letters right
    std::vector<Stop> fill{{0, Color{1, 1, 1}}, {1, Color{0.7, 0.7, 0.75}}};  // top to bottom of the caps
    Color outline{0.05, 0.05, 0.1};
    double outline_width = 2.0;   // pixels added around the stroke; 0 for none
    Color shadow{0, 0, 0, 0.6};
    double shadow_dx = 0, shadow_dy = 0;  // no shadow when both are 0
    Color glow{0, 0, 0, 0};      // soft light behind the letters (pictures only)
    double glow_radius = 0;
    bool sheen = false;          // a bright line along the upper part of each stroke
};

// Width in pixels of `text` drawn in `style` (strokes included).
double text_width(const std::string& text, const TextStyle& style);

// Adds the letters' centre lines to the canvas path, top of the caps at y.
void text_path(Canvas& canvas, double x, double y, const std::string& text, const TextStyle& style);

// Draws `text` with its caps from y to y + height; x is the left edge, the
// centre or the right edge as `align` says.
void draw_text(Canvas& canvas, double x, double y, const std::string& text, const TextStyle& style,
               Align align = Align::Left);

}  // namespace art
