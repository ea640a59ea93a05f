#include "generator/art/lettering.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace art {

namespace {

struct Glyph {
    char c;
    double width;       // in grid units
    const char* path;   // M x y | L x y | Q cx cy x y
};

// Rounded-square letterforms; corners have a radius of 1.5 units.
const Glyph kGlyphs[] = {
    {'A', 4, "M0 6 L0 1.5 Q0 0 1.5 0 L2.5 0 Q4 0 4 1.5 L4 6 M0 3.6 L4 3.6"},
    {'B', 4, "M0 3 L0 0 L2.4 0 Q3.7 0 3.7 1.4 L3.7 1.6 Q3.7 3 2.4 3 L0 3 L0 6 L2.5 6 Q4 6 4 4.5 "
             "L4 4.4 Q4 3 2.6 3"},
    {'C', 4, "M4 0 L1.5 0 Q0 0 0 1.5 L0 4.5 Q0 6 1.5 6 L4 6"},
    {'D', 4, "M0 0 L2.5 0 Q4 0 4 1.5 L4 4.5 Q4 6 2.5 6 L0 6 L0 0"},
    {'E', 4, "M4 0 L0 0 L0 6 L4 6 M0 3 L3 3"},
    {'F', 4, "M4 0 L0 0 L0 6 M0 3 L3 3"},
    {'G', 4, "M4 0 L1.5 0 Q0 0 0 1.5 L0 4.5 Q0 6 1.5 6 L2.5 6 Q4 6 4 4.5 L4 3.2 L2.2 3.2"},
    {'H', 4, "M0 0 L0 6 M4 0 L4 6 M0 3 L4 3"},
    {'I', 0, "M0 0 L0 6"},
    {'J', 4, "M4 0 L4 4.5 Q4 6 2.5 6 L1.5 6 Q0 6 0 4.5"},
    {'K', 4, "M0 0 L0 6 M0 3.2 L1.4 3.2 L4 0 M1.4 3.2 L4 6"},
    {'L', 4, "M0 0 L0 6 L4 6"},
    {'M', 5, "M0 6 L0 0 L2.5 3.4 L5 0 L5 6"},
    {'N', 4, "M0 6 L0 0 L4 6 L4 0"},
    {'O', 4, "M1.5 0 L2.5 0 Q4 0 4 1.5 L4 4.5 Q4 6 2.5 6 L1.5 6 Q0 6 0 4.5 L0 1.5 Q0 0 1.5 0"},
    {'P', 4, "M0 6 L0 0 L2.6 0 Q4 0 4 1.4 L4 1.8 Q4 3.2 2.6 3.2 L0 3.2"},
    {'Q', 4, "M1.5 0 L2.5 0 Q4 0 4 1.5 L4 4.5 Q4 6 2.5 6 L1.5 6 Q0 6 0 4.5 L0 1.5 Q0 0 1.5 0 "
             "M2.6 4.4 L4.3 6.3"},
    {'R', 4, "M0 6 L0 0 L2.6 0 Q4 0 4 1.4 L4 1.8 Q4 3.2 2.6 3.2 L0 3.2 M2.2 3.2 L4 6"},
    {'S', 4, "M4 0 L1.5 0 Q0 0 0 1.5 Q0 3 1.5 3 L2.5 3 Q4 3 4 4.5 Q4 6 2.5 6 L0 6"},
    {'T', 4, "M0 0 L4 0 M2 0 L2 6"},
    {'U', 4, "M0 0 L0 4.5 Q0 6 1.5 6 L2.5 6 Q4 6 4 4.5 L4 0"},
    {'V', 4, "M0 0 L2 6 L4 0"},
    {'W', 5.4, "M0 0 L1.3 6 L2.7 2.4 L4.1 6 L5.4 0"},
    {'X', 4, "M0 0 L4 6 M4 0 L0 6"},
    {'Y', 4, "M0 0 L2 3 L4 0 M2 3 L2 6"},
    {'Z', 4, "M0 0 L4 0 L0 6 L4 6"},
    {'0', 4, "M1.5 0 L2.5 0 Q4 0 4 1.5 L4 4.5 Q4 6 2.5 6 L1.5 6 Q0 6 0 4.5 L0 1.5 Q0 0 1.5 0 "
             "M2.6 1.9 L1.4 4.1"},
    {'1', 2.4, "M0 1.4 L2 0 L2 6"},
    {'2', 4, "M0 1.2 Q0.4 0 1.6 0 L2.5 0 Q4 0 4 1.5 Q4 2.6 2.9 3.3 L0 6 L4 6"},
    {'3', 4, "M0 0 L4 0 L1.8 2.6 L2.5 2.6 Q4 2.6 4 4.3 Q4 6 2.5 6 L0 6"},
    {'4', 4, "M3 6 L3 0 L0 4.2 L4 4.2"},
    {'5', 4, "M4 0 L0.2 0 L0 2.7 L2.5 2.7 Q4 2.7 4 4.35 Q4 6 2.5 6 L0 6"},
    {'6', 4, "M3.6 0 L1.5 0 Q0 0 0 1.5 L0 4.5 Q0 6 1.5 6 L2.5 6 Q4 6 4 4.5 Q4 3 2.5 3 L0 3"},
    {'7', 4, "M0 0 L4 0 L1.4 6"},
    {'8', 4, "M1.6 3 L2.4 3 Q3.7 3 3.7 1.5 Q3.7 0 2.4 0 L1.6 0 Q0.3 0 0.3 1.5 Q0.3 3 1.6 3 "
             "L2.5 3 Q4 3 4 4.5 Q4 6 2.5 6 L1.5 6 Q0 6 0 4.5 Q0 3 1.6 3"},
    {'9', 4, "M0.4 6 L2.5 6 Q4 6 4 4.5 L4 1.5 Q4 0 2.5 0 L1.5 0 Q0 0 0 1.5 Q0 3 1.5 3 L4 3"},
    {'?', 4, "M0 1.4 Q0.3 0 1.6 0 L2.5 0 Q4 0 4 1.5 Q4 2.7 2.7 3.2 Q2 3.5 2 4.3 M2 5.95 L2 6"},
    {'!', 0, "M0 0 L0 4.2 M0 5.95 L0 6"},
    {'.', 0, "M0 5.95 L0 6"},
    {',', 0.6, "M0.6 5.6 L0 6.8"},
    {':', 0, "M0 1.95 L0 2 M0 5.95 L0 6"},
    {'-', 3, "M0 3 L3 3"},
    {'+', 4, "M0 3 L4 3 M2 1 L2 5"},
    {'\'', 0, "M0 0 L0 1.6"},
    {'&', 4.4, "M4.4 6 L0.9 2.3 Q0.3 1.6 0.6 0.8 Q1 0 2 0 Q3 0 3.2 0.9 Q3.3 1.8 2.3 2.6 L0.9 3.6 "
               "Q0 4.3 0.3 5.2 Q0.7 6 1.8 6 Q3.2 6 4.2 3.8"},
    {'/', 3, "M0 6 L3 0"},
};

const Glyph* find_glyph(char c) {
    const char up = char(std::toupper(static_cast<unsigned char>(c)));
    for (const Glyph& g : kGlyphs)
        if (g.c == up) return &g;
    return nullptr;
}

constexpr double kSpaceWidth = 2.2;

double advance_units(const std::string& text, double tracking) {
    double w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = find_glyph(text[i]);
        w += g ? g->width : kSpaceWidth;
        if (i + 1 < text.size()) w += tracking;
    }
    return w;
}

// Traces one glyph's path in grid units through `put(x, y)` points.
void trace(cairo_t* cr, const Glyph& g, double ox, double oy, double unit, double slant) {
    std::istringstream in(g.path);
    const auto X = [&](double gx, double gy) { return ox + (gx + (6 - gy) * slant) * unit; };
    const auto Y = [&](double gy) { return oy + gy * unit; };
    char op;
    double lx = 0, ly = 0;
    while (in >> op) {
        if (op == 'M' || op == 'L') {
            double x, y;
            in >> x >> y;
            if (op == 'M')
                cairo_move_to(cr, X(x, y), Y(y));
            else
                cairo_line_to(cr, X(x, y), Y(y));
            lx = x;
            ly = y;
        } else if (op == 'Q') {
            double cx, cy, x, y;
            in >> cx >> cy >> x >> y;
            // Quadratic to cubic.
            const double c1x = lx + 2.0 / 3 * (cx - lx), c1y = ly + 2.0 / 3 * (cy - ly);
            const double c2x = x + 2.0 / 3 * (cx - x), c2y = y + 2.0 / 3 * (cy - y);
            cairo_curve_to(cr, X(c1x, c1y), Y(c1y), X(c2x, c2y), Y(c2y), X(x, y), Y(y));
            lx = x;
            ly = y;
        }
    }
}

}  // namespace

double text_width(const std::string& text, const TextStyle& style) {
    const double unit = style.height / 6.0;
    return (advance_units(text, style.tracking) + style.weight + std::abs(style.slant) * 6) * unit +
           style.outline_width * 2;
}

void text_path(Canvas& canvas, double x, double y, const std::string& text, const TextStyle& style) {
    const double unit = style.height / 6.0;
    double pen = x + (style.weight / 2) * unit + style.outline_width;
    for (char c : text) {
        const Glyph* g = find_glyph(c);
        if (g) {
            trace(canvas.cr(), *g, pen, y, unit, style.slant);
            pen += (g->width + style.tracking) * unit;
        } else {
            pen += (kSpaceWidth + style.tracking) * unit;
        }
    }
}

void draw_text(Canvas& canvas, double x, double y, const std::string& text, const TextStyle& style,
               Align align) {
    const double width = text_width(text, style);
    double left = x;
    if (align == Align::Centre) left = x - width / 2;
    if (align == Align::Right) left = x - width;
    const double unit = style.height / 6.0;
    const double stroke = style.weight * unit;

    canvas.new_path();
    if (style.glow_radius > 0 && style.glow.a > 0) {
        // Soft light: the strokes widened in steps, each faint.
        for (int i = 6; i >= 1; --i) {
            text_path(canvas, left, y, text, style);
            canvas.stroke(Paint::solid(style.glow.with_alpha(style.glow.a * 0.12)),
                          stroke + style.glow_radius * i / 3.0);
        }
    }
    if (style.shadow_dx != 0 || style.shadow_dy != 0) {
        text_path(canvas, left + style.shadow_dx, y + style.shadow_dy, text, style);
        canvas.stroke(Paint::solid(style.shadow), stroke + style.outline_width * 2);
    }
    if (style.outline_width > 0) {
        text_path(canvas, left, y, text, style);
        canvas.stroke(Paint::solid(style.outline), stroke + style.outline_width * 2);
    }
    text_path(canvas, left, y, text, style);
    canvas.stroke(Paint::vertical(y - stroke / 2, y + style.height + stroke / 2, style.fill), stroke);
    if (style.sheen) {
        canvas.save();
        canvas.rect(0, 0, canvas.width(), y + style.height * 0.45).clip();
        text_path(canvas, left, y - stroke * 0.22, text, style);
        canvas.stroke(Paint::solid(Color{1, 1, 1, 0.45}), stroke * 0.3);
        canvas.restore();
    }
}

}  // namespace art
