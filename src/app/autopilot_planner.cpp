#include "app/autopilot_planner.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "display/Surface.h"

namespace autopilot {

namespace {

constexpr float kBaseMargin = 3.f;   // pixels kept clear of anything hostile
constexpr float kHitCost = 400.f;    // per hostile met, times the square of how soon
constexpr float kTravelCost = 0.02f; // per pixel to the heading: stay calm when all is well
constexpr float kRoom = 30.f;        // distance from anything hostile the ship likes to end at
constexpr float kRoomCost = 1.5f;    // per pixel closer than that
constexpr float kFarRight = 440.f;   // beyond this the ship meets newcomers unseen
constexpr float kFarRightCost = 0.5f;
constexpr float kGameMaxSpeed = 25.f;
constexpr float kDamping = 0.5f;
constexpr float kMass = 4.f;
constexpr float kRampStep = 4.f;
constexpr float kRampCap = 23.f;
constexpr float kRampRest = 1.f;
constexpr float kKeyDeadZone = 3.f;

constexpr float kRadii[] = {12, 30, 60, 100, 160, 240};
constexpr int kDirections = 16;

float clampf(float v, float lo, float hi) { return std::min(std::max(v, lo), hi); }

// As the game clamps: hitting a side stops the motion along that axis.
void keep_in_area(ShipModel& s) {
    if (s.x < 0 || s.x > kShipMaxX) {
        s.x = clampf(s.x, 0, kShipMaxX);
        s.vx = 0;
    }
    if (s.y < 0 || s.y > kShipMaxY) {
        s.y = clampf(s.y, 0, kShipMaxY);
        s.vy = 0;
    }
}

// The ship's image box at (x, y).
Box ship_box(const ShipModel& ship, float x, float y) {
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    return Box{ix + ship.extent.left, iy + ship.extent.top, ix + ship.extent.right, iy + ship.extent.bottom};
}

bool overlap(float l1, float t1, float r1, float b1, float l2, float t2, float r2, float b2) {
    return r1 > l2 && r2 > l1 && b1 > t2 && b2 > t1;
}

// Could the mover come near anything the ship reaches in the planning window?
bool within_reach(const ShipModel& ship, const Mover& m) {
    const float reach = kMouseStep * kPlanFrames;
    const Box b = ship_box(ship, ship.x, ship.y);
    const int moving = std::max(0, kPlanFrames - m.still_frames);
    const float dx = m.vx * moving, dy = m.vy * moving;
    const float margin = kBaseMargin + m.spread * kPlanFrames;
    const float l = std::min<float>(m.box.left, m.box.left + dx) - margin;
    const float r = std::max<float>(m.box.right, m.box.right + dx) + margin;
    const float t = std::min<float>(m.box.top, m.box.top + dy) - margin;
    const float bo = std::max<float>(m.box.bottom, m.box.bottom + dy) + margin;
    return overlap(b.left - reach, b.top - reach, b.right + reach, b.bottom + reach, l, t, r, bo);
}

// How far the ship's box at the end of a path is from the nearest hostile box
// as seen now (moved on by the planning window).
float room_left(const ShipModel& ship, const std::vector<const Mover*>& near) {
    const Box s = ship_box(ship, ship.x, ship.y);
    float nearest = kRoom;
    for (const Mover* m : near) {
        const int moving = std::max(0, kPlanFrames - m->still_frames);
        const float l = m->box.left + m->vx * moving, t = m->box.top + m->vy * moving;
        const float dx = std::max({0.f, l - s.right, s.left - (l + m->box.width())});
        const float dy = std::max({0.f, t - s.bottom, s.top - (t + m->box.height())});
        nearest = std::min(nearest, std::hypot(dx, dy));
    }
    return nearest;
}

}  // namespace

float Goal::distance(float x, float y) const {
    const float dx = x < left ? left - x : (x > right ? x - right : 0);
    const float dy = y < top ? top - y : (y > bottom ? y - bottom : 0);
    return std::hypot(dx, dy);
}

Shape shape_of(const Surface& surface, int left, int top, int right, int bottom) {
    Shape shape;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, surface.width);
    bottom = std::min(bottom, surface.height);
    if (right <= left || bottom <= top || surface.pitch <= 0 ||
        surface.pixels.size() < size_t(surface.pitch) * size_t(surface.height))
        return shape;
    shape.width = right - left;
    shape.height = bottom - top;
    shape.cols = (shape.width + kShapeCell - 1) / kShapeCell;
    shape.rows = (shape.height + kShapeCell - 1) / kShapeCell;
    shape.cells.assign(size_t(shape.cols) * size_t(shape.rows), 0);
    const uint32_t empty = surface.get_pixel(left, top);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (surface.get_pixel(x, y) != empty)
                shape.cells[size_t((y - top) / kShapeCell) * size_t(shape.cols) + size_t((x - left) / kShapeCell)] = 1;
    return shape;
}

bool solid_rows(const Shape& shape, int& first, int& last) {
    first = -1;
    for (int r = 0; r < shape.rows; ++r)
        for (int c = 0; c < shape.cols; ++c)
            if (shape.filled(c, r)) {
                if (first < 0) first = r;
                last = r;
                break;
            }
    return first >= 0;
}

namespace {
// Does the obstacle hold anything solid in screen rows [y0, y1) and columns [x0, x1)?
bool solid_in(const Obstacle& o, float x0, float x1, float y0, float y1) {
    if (!overlap(x0, y0, x1, y1, o.box.left, o.box.top, o.box.right, o.box.bottom)) return false;
    if (o.shape == nullptr || o.shape->cols == 0) return true;
    const int c0 = std::max(0, static_cast<int>(std::floor((x0 - o.box.left) / kShapeCell)));
    const int c1 = std::min(o.shape->cols - 1, static_cast<int>(std::floor((x1 - 1 - o.box.left) / kShapeCell)));
    const int r0 = std::max(0, static_cast<int>(std::floor((y0 - o.box.top) / kShapeCell)));
    const int r1 = std::min(o.shape->rows - 1, static_cast<int>(std::floor((y1 - 1 - o.box.top) / kShapeCell)));
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (o.shape->filled(c, r)) return true;
    return false;
}
}  // namespace

bool open_band(const Obstacle& target, const std::vector<Obstacle>& in_the_way, float from_x, float gun_y,
               float& top, float& bottom) {
    const int rows = target.shape != nullptr && target.shape->cols > 0
                         ? target.shape->rows
                         : (target.box.height() + kShapeCell - 1) / kShapeCell;
    std::vector<bool> open(static_cast<size_t>(std::max(rows, 0)), false);
    for (int r = 0; r < rows; ++r) {
        const float y0 = static_cast<float>(target.box.top + r * kShapeCell), y1 = y0 + kShapeCell;
        // The first solid column of the target in this row is where the shot lands.
        float hit_x = -1;
        if (target.shape == nullptr || target.shape->cols == 0) {
            hit_x = static_cast<float>(target.box.left);
        } else {
            for (int c = 0; c < target.shape->cols && hit_x < 0; ++c)
                if (target.shape->filled(c, r)) hit_x = static_cast<float>(target.box.left + c * kShapeCell);
        }
        if (hit_x < 0 || hit_x <= from_x) continue;
        bool clear = true;
        for (const Obstacle& o : in_the_way)
            if (solid_in(o, from_x, hit_x, y0, y1)) {
                clear = false;
                break;
            }
        open[static_cast<size_t>(r)] = clear;
    }
    int best = -1;
    float best_distance = 0;
    for (int r = 0; r < rows; ++r) {
        if (!open[static_cast<size_t>(r)]) continue;
        const float centre = static_cast<float>(target.box.top + r * kShapeCell) + kShapeCell / 2.f;
        const float d = std::fabs(centre - gun_y);
        if (best < 0 || d < best_distance) {
            best = r;
            best_distance = d;
        }
    }
    if (best < 0) return false;
    int first = best, last = best;
    while (first > 0 && open[static_cast<size_t>(first - 1)]) --first;
    while (last + 1 < rows && open[static_cast<size_t>(last) + 1]) ++last;
    top = static_cast<float>(target.box.top + first * kShapeCell);
    bottom = static_cast<float>(target.box.top + (last + 1) * kShapeCell);
    return true;
}

bool firing_spot(const Obstacle& target, const std::vector<Obstacle>& in_the_way, const Box& extent,
                 float muzzle, float gun_line, float min_x, float max_x, float prefer_x, float gun_y,
                 FiringSpot& out) {
    bool found = false;
    float best_cost = 0;
    for (float x = min_x; x <= max_x; x += kShapeCell) {
        float top = 0, bottom = 0;
        if (!open_band(target, in_the_way, x + muzzle, gun_y, top, bottom)) continue;
        // The gun line nearest the current one that keeps inside the band.
        const float line = clampf(gun_y, top + 1, std::max(top + 1, bottom - 1));
        const float y = line - gun_line;
        const float l = x + static_cast<float>(extent.left), r = x + static_cast<float>(extent.right);
        const float t = y + static_cast<float>(extent.top), b = y + static_cast<float>(extent.bottom);
        if (solid_in(target, l, r, t, b)) continue;
        bool clear = true;
        for (const Obstacle& o : in_the_way)
            if (solid_in(o, l, r, t, b)) {
                clear = false;
                break;
            }
        if (!clear) continue;
        const float cost = std::fabs(x - prefer_x) + std::fabs(line - gun_y);
        if (!found || cost < best_cost) {
            out = FiringSpot{x, top, bottom};
            best_cost = cost;
            found = true;
        }
    }
    return found;
}

bool meets(const ShipModel& ship, float x, float y, const Mover& m, int frames) {
    const Box s = ship_box(ship, x, y);
    const int moving = std::max(0, frames - m.still_frames);
    const float ox = m.box.left + m.vx * moving;
    const float oy = m.box.top + m.vy * moving;
    const float margin = kBaseMargin + m.spread * frames;
    if (!overlap(s.left, s.top, s.right, s.bottom, ox - margin, oy - margin,
                 ox + m.box.width() + margin, oy + m.box.height() + margin))
        return false;
    if (m.shape == nullptr || m.shape->cols == 0) return true;

    // The ship's box, grown by the margin, in the mover's image coordinates.
    const float lx0 = s.left - ox - margin, lx1 = s.right - ox + margin;
    const float ly0 = s.top - oy - margin, ly1 = s.bottom - oy + margin;
    const int c0 = std::max(0, static_cast<int>(std::floor(lx0 / kShapeCell)));
    const int c1 = std::min(m.shape->cols - 1, static_cast<int>(std::floor((lx1 - 1) / kShapeCell)));
    const int r0 = std::max(0, static_cast<int>(std::floor(ly0 / kShapeCell)));
    const int r1 = std::min(m.shape->rows - 1, static_cast<int>(std::floor((ly1 - 1) / kShapeCell)));
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (m.shape->filled(c, r)) return true;
    return false;
}

Keys keys_toward(const ShipModel& ship, float tx, float ty) {
    // Without a key the ship coasts twice its remaining velocity.
    const auto axis = [](float position, float velocity, float target) {
        const float error = target - (position + 2 * velocity);
        if (error > kKeyDeadZone) return 1;
        if (error < -kKeyDeadZone) return -1;
        return 0;
    };
    return Keys{axis(ship.x, ship.vx, tx), axis(ship.y, ship.vy, ty)};
}

void step_toward(ShipModel& ship, float tx, float ty) {
    float vx = 0, vy = 0;
    if (ship.steering == Steering::Mouse) {
        vx = tx - ship.x;
        vy = ty - ship.y;
        const float length = std::sqrt(vx * vx + vy * vy);
        if (length > kMouseStep) {
            vx *= kMouseStep / length;
            vy *= kMouseStep / length;
        }
    } else {
        const Keys k = keys_toward(ship, tx, ty);
        ship.ramp = (k.x != 0 || k.y != 0) ? std::min(ship.ramp + kRampStep, kRampCap) : kRampRest;
        const int offset = static_cast<int>(ship.ramp);
        vx = ship.vx + static_cast<float>(k.x * offset) / kMass;
        vy = ship.vy + static_cast<float>(k.y * offset) / kMass;
        const float speed = std::sqrt(vx * vx + vy * vy);
        if (speed > kGameMaxSpeed) {
            vx *= kGameMaxSpeed / speed;
            vy *= kGameMaxSpeed / speed;
        }
    }
    ship.x += vx;
    ship.y += vy;
    ship.vx = vx * kDamping;
    ship.vy = vy * kDamping;
    keep_in_area(ship);
}

Heading choose_heading(const ShipModel& ship, const std::vector<Mover>& hostiles, const Goal& goal) {
    std::vector<const Mover*> near;
    for (const Mover& m : hostiles)
        if (within_reach(ship, m)) near.push_back(&m);

    std::vector<std::pair<float, float>> candidates;
    candidates.emplace_back(ship.x, ship.y);
    if (goal.set)
        candidates.emplace_back(clampf(ship.x, goal.left, goal.right), clampf(ship.y, goal.top, goal.bottom));
    for (float r : kRadii)
        for (int d = 0; d < kDirections; ++d) {
            const double angle = 2.0 * std::numbers::pi * d / kDirections;
            candidates.emplace_back(ship.x + r * static_cast<float>(std::cos(angle)),
                                    ship.y + r * static_cast<float>(std::sin(angle)));
        }

    Heading best;
    bool first = true;
    for (auto [tx, ty] : candidates) {
        tx = clampf(tx, 0, kShipMaxX);
        ty = clampf(ty, 0, kShipMaxY);
        ShipModel sim = ship;
        float danger = 0;
        for (int t = 1; t <= kPlanFrames; ++t) {
            step_toward(sim, tx, ty);
            for (const Mover* m : near)
                if (meets(sim, sim.x, sim.y, *m, t)) {
                    const auto soon = static_cast<float>(kPlanFrames + 1 - t);
                    danger += kHitCost * soon * soon / kPlanFrames;
                }
        }
        float cost = danger + kTravelCost * std::hypot(tx - ship.x, ty - ship.y);
        if (goal.set) cost += goal.weight * goal.distance(sim.x, sim.y);
        if (sim.x > kFarRight) cost += kFarRightCost * (sim.x - kFarRight);
        cost += kRoomCost * std::max(0.f, kRoom - room_left(sim, near));
        if (first || cost < best.cost) {
            best = Heading{tx, ty, cost, danger > 0};
            first = false;
        }
    }
    return best;
}

}  // namespace autopilot
