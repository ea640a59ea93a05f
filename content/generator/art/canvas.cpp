#include "generator/art/canvas.h"

#include "generator/art/prelude.h"
#include <algorithm>
#include <cmath>
#include <utility>

namespace art {

namespace {

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

void add_stops(cairo_pattern_t* pattern, const std::vector<Stop>& stops) {
    for (const Stop& s : stops)
        cairo_pattern_add_color_stop_rgba(pattern, clamp01(s.at), clamp01(s.color.r), clamp01(s.color.g),
                                          clamp01(s.color.b), clamp01(s.color.a));
}

uint32_t pack(const Color& c) {
    const double a = clamp01(c.a);
    const auto channel = [a](double v) { return uint32_t(std::lround(clamp01(v) * a * 255.0)); };
    return uint32_t(std::lround(a * 255.0)) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

Color unpack(uint32_t v) {
    const uint32_t a = v >> 24;
    if (a == 0) return Color{0, 0, 0, 0};
    const double k = 1.0 / double(a);
    return Color{double(v >> 16 & 0xFF) * k, double(v >> 8 & 0xFF) * k, double(v & 0xFF) * k, a / 255.0};
}
}  // namespace

// ---------------------------------------------------------------- Paint

Paint Paint::solid(const Color& color) {
    Paint p;
    p.color_ = color;
    return p;
}

Paint Paint::linear(Pt from, Pt to, std::vector<Stop> stops) {
    Paint p;
    p.kind_ = Kind::Linear;
    p.p0_ = from;
    p.p1_ = to;
    p.stops_ = std::move(stops);
    return p;
}

Paint Paint::radial(Pt centre, double r0, double r1, std::vector<Stop> stops) {
    return radial(centre, r0, centre, r1, std::move(stops));
}

Paint Paint::radial(Pt c0, double r0, Pt c1, double r1, std::vector<Stop> stops) {
    Paint p;
    p.kind_ = Kind::Radial;
    p.p0_ = c0;
    p.p1_ = c1;
    p.r0_ = r0;
    p.r1_ = r1;
    p.stops_ = std::move(stops);
    return p;
}

Paint Paint::ramp(const Ramp& ramp, Pt lit, Pt unlit) {
    return linear(lit, unlit, {{0.0, ramp.light}, {0.45, ramp.mid}, {1.0, ramp.dark}});
}

void Paint::apply(cairo_t* cr) const {
    if (kind_ == Kind::Solid) {
        cairo_set_source_rgba(cr, clamp01(color_.r), clamp01(color_.g), clamp01(color_.b), clamp01(color_.a));
        return;
    }
    cairo_pattern_t* pattern = kind_ == Kind::Linear
                                   ? cairo_pattern_create_linear(p0_.x, p0_.y, p1_.x, p1_.y)
                                   : cairo_pattern_create_radial(p0_.x, p0_.y, r0_, p1_.x, p1_.y, r1_);
    add_stops(pattern, stops_);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

// ---------------------------------------------------------------- Canvas

Canvas::Canvas(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_);
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), cr_(other.cr_) {
    other.surface_ = nullptr;
    other.cr_ = nullptr;
}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = other.width_;
        height_ = other.height_;
        surface_ = std::exchange(other.surface_, nullptr);
        cr_ = std::exchange(other.cr_, nullptr);
    }
    return *this;
}

Canvas Canvas::clone() const {
    Canvas copy(width_, height_);
    copy.draw(*this, 0, 0);
    return copy;
}

Canvas& Canvas::rect(double x, double y, double w, double h) {
    cairo_rectangle(cr_, x, y, w, h);
    return *this;
}

Canvas& Canvas::rounded_rect(double x, double y, double w, double h, double radius) {
    const double r = std::max(0.0, std::min({radius, w / 2, h / 2}));
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr_, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr_, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr_);
    return *this;
}

Canvas& Canvas::circle(double cx, double cy, double r) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, std::max(0.0, r), 0, 2 * kPi);
    cairo_close_path(cr_);
    return *this;
}

Canvas& Canvas::ellipse(double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return *this;
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, rx, ry);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * kPi);
    cairo_close_path(cr_);
    cairo_restore(cr_);
    return *this;
}

Canvas& Canvas::polygon(const std::vector<Pt>& points) {
    if (points.empty()) return *this;
    cairo_move_to(cr_, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
    cairo_close_path(cr_);
    return *this;
}

Canvas& Canvas::polyline(const std::vector<Pt>& points) {
    if (points.empty()) return *this;
    cairo_move_to(cr_, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
    return *this;
}

Canvas& Canvas::smooth(const std::vector<Pt>& p, bool closed) {
    const size_t n = p.size();
    if (n < 3) return closed ? polygon(p) : polyline(p);
    const auto at = [&](long i) -> const Pt& {
        if (closed) return p[size_t(((i % long(n)) + long(n)) % long(n))];
        return p[size_t(std::clamp(i, 0L, long(n) - 1))];
    };
    cairo_move_to(cr_, p[0].x, p[0].y);
    const long segments = closed ? long(n) : long(n) - 1;
    for (long i = 0; i < segments; ++i) {
        const Pt &p0 = at(i - 1), &p1 = at(i), &p2 = at(i + 1), &p3 = at(i + 2);
        cairo_curve_to(cr_, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6, p2.x - (p3.x - p1.x) / 6,
                       p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
    if (closed) cairo_close_path(cr_);
    return *this;
}

Canvas& Canvas::star(double cx, double cy, int points, double outer, double inner, double rotation_deg) {
    std::vector<Pt> pts;
    const int tips = std::max(2, points);
    for (int i = 0; i < tips * 2; ++i) {
        const double a = (rotation_deg * kPi / 180) + i * kPi / tips;
        const double r = (i % 2 == 0) ? outer : inner;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(pts);
}

Canvas& Canvas::line(Pt a, Pt b) {
    cairo_move_to(cr_, a.x, a.y);
    cairo_line_to(cr_, b.x, b.y);
    return *this;
}

Canvas& Canvas::arc(double cx, double cy, double r, double from_deg, double to_deg) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, r, from_deg * kPi / 180, to_deg * kPi / 180);
    return *this;
}

Canvas& Canvas::new_path() {
    cairo_new_path(cr_);
    return *this;
}

void Canvas::fill(const Paint& paint) {
    paint.apply(cr_);
    cairo_fill(cr_);
}

void Canvas::fill_keep(const Paint& paint) {
    paint.apply(cr_);
    cairo_fill_preserve(cr_);
}

void Canvas::stroke_keep(const Paint& paint, double width, bool round) {
    paint.apply(cr_);
    cairo_set_line_width(cr_, width);
    cairo_set_line_join(cr_, round ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(cr_, round ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_stroke_preserve(cr_);
}

void Canvas::stroke(const Paint& paint, double width, bool round) {
    stroke_keep(paint, width, round);
    cairo_new_path(cr_);
}

void Canvas::fill_outlined(const Paint& paint, const Color& outline, double width) {
    fill_keep(paint);
    if (width > 0) stroke_keep(Paint::solid(outline), width);
    cairo_new_path(cr_);
}

void Canvas::extents(double& x0, double& y0, double& x1, double& y1) const {
    cairo_path_extents(cr_, &x0, &y0, &x1, &y1);
}

void Canvas::shade_keep(const Ramp& ramp, double light_deg) {
    double x0, y0, x1, y1;
    extents(x0, y0, x1, y1);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double a = light_deg * kPi / 180;
    const double dx = std::cos(a), dy = -std::sin(a);  // towards the light
    const double half = std::abs((x1 - x0) / 2 * dx) + std::abs((y1 - y0) / 2 * dy);
    fill_keep(Paint::ramp(ramp, {cx + dx * half, cy + dy * half}, {cx - dx * half, cy - dy * half}));
}

void Canvas::shade(const Ramp& ramp, const Color& outline, double outline_width, double light_deg) {
    shade_keep(ramp, light_deg);
    if (outline_width > 0) stroke_keep(Paint::solid(outline), outline_width);
    cairo_new_path(cr_);
}

void Canvas::glow(double cx, double cy, double r, const Color& color, double strength) {
    if (r <= 0) return;
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_ADD);
    const double a = clamp01(color.a * strength);
    Paint::radial({cx, cy}, 0, r,
                  {{0, color.with_alpha(a)}, {0.35, color.with_alpha(a * 0.45)}, {1, color.with_alpha(0)}})
        .apply(cr_);
    cairo_new_path(cr_);
    cairo_arc(cr_, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void Canvas::orb(double cx, double cy, double r, const Color& centre, const Color& edge) {
    circle(cx, cy, r);
    fill(Paint::radial({cx, cy}, 0, r, {{0, centre}, {1, edge}}));
}

void Canvas::highlight(double cx, double cy, double rx, double ry, double alpha) {
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, rx, ry);
    Paint::radial({0, 0}, 0, 1, {{0, Color{1, 1, 1, alpha}}, {0.5, Color{1, 1, 1, alpha * 0.6}}, {1, Color{1, 1, 1, 0}}})
        .apply(cr_);
    cairo_new_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void Canvas::clear(const Color& color) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    Paint::solid(color).apply(cr_);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::fill_all(const Paint& paint) {
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    paint.apply(cr_);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::draw(const Canvas& src, double x, double y, double alpha) {
    cairo_save(cr_);
    cairo_set_source_surface(cr_, src.surface_, x, y);
    cairo_paint_with_alpha(cr_, clamp01(alpha));
    cairo_restore(cr_);
}

void Canvas::draw_scaled(const Canvas& src, double x, double y, double scale, bool sharp) {
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scale, scale);
    cairo_set_source_surface(cr_, src.surface_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), sharp ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    out.draw(*this, -x, -y);
    return out;
}

Canvas Canvas::flipped(bool left_right, bool top_bottom) const {
    Canvas out(width_, height_);
    cairo_save(out.cr_);
    cairo_translate(out.cr_, left_right ? width_ : 0, top_bottom ? height_ : 0);
    cairo_scale(out.cr_, left_right ? -1 : 1, top_bottom ? -1 : 1);
    cairo_set_source_surface(out.cr_, surface_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(out.cr_), CAIRO_FILTER_NEAREST);
    cairo_paint(out.cr_);
    cairo_restore(out.cr_);
    return out;
}

void Canvas::rotate_deg(double deg) { cairo_rotate(cr_, deg * kPi / 180); }

void Canvas::map_pixels(const std::function<void(int, int, Color&)>& f) {
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width_; ++x) {
            Color c = unpack(row[x]);
            f(x, y, c);
            row[x] = pack(c);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

}  // namespace art
