// A drawing surface at native pixel size, over a cairo image surface.
//
// Build a path with the shape calls (they add to the current path), then paint
// it with one of the painting calls (they use it up; the *_keep forms keep it).
// Coordinates are pixels, y down; (0, 0) is the top-left corner of pixel
// (0, 0), so a 1-pixel line along the middle of row 5 is at y = 5.5.
//
//   art::Canvas c(40, 20);
//   c.ellipse(20, 10, 16, 6).shade(hull, outline);                // lit body, outlined
//   c.circle(26, 8, 3).fill(art::Paint::solid(glass));             // flat fill
//   c.highlight(24, 7, 2, 1);                                      // specular spot
//
// The raw cairo context is there (cr()) for anything the helpers lack.
#pragma once

#include <cairo.h>

#include <functional>
#include <vector>

#include "generator/art/color.h"

namespace art {

struct Pt {
    double x = 0, y = 0;
};

struct Stop {
    double at = 0;  // 0..1 along the gradient
    Color color;
};

// What a painting call fills or strokes with.
class Paint {
public:
    static Paint solid(const Color& color);
    static Paint linear(Pt from, Pt to, std::vector<Stop> stops);
    static Paint vertical(double top, double bottom, std::vector<Stop> stops) {
        return linear({0, top}, {0, bottom}, std::move(stops));
    }
    // Circles around one centre, from radius r0 (stop 0) to r1 (stop 1).
    static Paint radial(Pt centre, double r0, double r1, std::vector<Stop> stops);
    // A two-point radial gradient: from the circle (c0, r0) to (c1, r1).
    static Paint radial(Pt c0, double r0, Pt c1, double r1, std::vector<Stop> stops);
    // The ramp laid from `lit` (light) to `unlit` (dark), mid at 45 %.
    static Paint ramp(const Ramp& ramp, Pt lit, Pt unlit);

    void apply(cairo_t* cr) const;

private:
    enum class Kind { Solid, Linear, Radial } kind_ = Kind::Solid;
    Color color_;
    Pt p0_, p1_;
    double r0_ = 0, r1_ = 0;
    std::vector<Stop> stops_;
};

// Screen angle in degrees (clockwise from "right") of the game's direction
// numbers: 1 left, 5 up, 9 right, 13 down, 16 steps clockwise. Use it to draw
// one frame per direction.
inline double direction_degrees(int direction) { return 180.0 + (direction - 1) * 22.5; }

class Canvas {
public:
    Canvas(int width, int height);  // fully transparent
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas clone() const;

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }

    // ---- shapes: add to the current path ----
    Canvas& rect(double x, double y, double w, double h);
    Canvas& rounded_rect(double x, double y, double w, double h, double radius);
    Canvas& circle(double cx, double cy, double r);
    Canvas& ellipse(double cx, double cy, double rx, double ry);
    Canvas& polygon(const std::vector<Pt>& points);  // closed
    Canvas& polyline(const std::vector<Pt>& points);  // open
    // A smooth closed (or open) curve through the points (Catmull-Rom).
    Canvas& smooth(const std::vector<Pt>& points, bool closed = true);
    Canvas& star(double cx, double cy, int points, double outer, double inner,
                 double rotation_deg = -90);
    Canvas& line(Pt a, Pt b);
    Canvas& arc(double cx, double cy, double r, double from_deg, double to_deg);
    Canvas& new_path();

    // ---- painting ----
    void fill(const Paint& paint);
    void fill_keep(const Paint& paint);
    void stroke(const Paint& paint, double width, bool round = true);
    void stroke_keep(const Paint& paint, double width, bool round = true);
    // Fill, then an outline of `width` pixels centred on the edge.
    void fill_outlined(const Paint& paint, const Color& outline, double width = 1.0);
    // The standard sprite look: the ramp across the path's extents, lit from
    // `light_deg` (90 = from above, 135 = from the top left), then an outline.
    // An outline width of 0 leaves the outline off.
    void shade(const Ramp& ramp, const Color& outline, double outline_width = 1.0,
               double light_deg = 110);
    void shade_keep(const Ramp& ramp, double light_deg = 110);
    // The current path's bounding box (user space).
    void extents(double& x0, double& y0, double& x1, double& y1) const;

    // ---- light ----
    // Soft additive light with alpha falloff. Meant for pictures: in a sprite,
    // pixels under half coverage become transparent (see output.h).
    void glow(double cx, double cy, double r, const Color& color, double strength = 1.0);
    // An opaque disc whose colour runs from `centre` to `edge` at radius r: the
    // way to show light inside a sprite.
    void orb(double cx, double cy, double r, const Color& centre, const Color& edge);
    // A white specular spot (an ellipse fading out).
    void highlight(double cx, double cy, double rx, double ry, double alpha = 0.85);

    // ---- whole canvas ----
    void clear(const Color& color = Color{0, 0, 0, 0});
    void fill_all(const Paint& paint);
    // Draws `src` with its top-left corner at (x, y).
    void draw(const Canvas& src, double x, double y, double alpha = 1.0);
    // Draws `src` scaled by `scale` (nearest neighbour when `sharp`).
    void draw_scaled(const Canvas& src, double x, double y, double scale, bool sharp);
    Canvas crop(int x, int y, int w, int h) const;
    // A mirror image (left-right and/or top-bottom): "up" and "down" variants.
    Canvas flipped(bool left_right, bool top_bottom) const;

    // ---- state ----
    void save() { cairo_save(cr_); }
    void restore() { cairo_restore(cr_); }
    void translate(double dx, double dy) { cairo_translate(cr_, dx, dy); }
    void rotate_deg(double deg);
    void scale(double sx, double sy) { cairo_scale(cr_, sx, sy); }
    void clip() { cairo_clip(cr_); }

    // save() now, restore() when the returned object goes out of scope.
    class Scope {
    public:
        explicit Scope(Canvas& c) : c_(c) { c_.save(); }
        ~Scope() { c_.restore(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Canvas& c_;
    };
    Scope scoped() { return Scope(*this); }

    // ---- pixels (straight alpha) ----
    // Calls f(x, y, colour) for every pixel; f may change the colour.
    void map_pixels(const std::function<void(int, int, Color&)>& f);

private:
    int width_ = 0, height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace art
