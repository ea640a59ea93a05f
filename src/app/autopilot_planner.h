// The autopilot's flying: where a ship should head this frame so that over
// the next few frames it meets nothing hostile and ends near its goal. Pure
// arithmetic on a snapshot of the screen, so it can be tested without a game.
#pragma once

#include <cstdint>
#include <vector>

#include "app/level_view.h"

struct Surface;

namespace autopilot {

using level_view::Box;

// A sprite image's opaque pixels, coarsely: one flag per kShapeCell square.
constexpr int kShapeCell = 6;
struct Shape {
    int width = 0, height = 0;  // image size in pixels
    int cols = 0, rows = 0;
    std::vector<uint8_t> cells;  // rows * cols; 1 where an opaque pixel lies
    bool filled(int col, int row) const { return cells[size_t(row) * size_t(cols) + size_t(col)] != 0; }
};

// The shape of the part `rect` of a surface; the colour of the part's
// top-left pixel is the transparent one (as the collision test reads it).
Shape shape_of(const Surface& surface, int left, int top, int right, int bottom);

// The first and last rows of cells that hold anything; false for an empty shape.
bool solid_rows(const Shape& shape, int& first, int& last);

// Something solid: the ship's shots stop at the first one they touch.
struct Obstacle {
    Box box;
    const Shape* shape = nullptr;  // null: the whole box is solid
};

// Of the target's solid rows, the band (screen rows [top, bottom)) that shots
// flying right from column `from_x` reach without touching anything in the
// way first: the run of open rows nearest to row `gun_y`. False when no row is
// open (or the target has no solid rows).
bool open_band(const Obstacle& target, const std::vector<Obstacle>& in_the_way, float from_x, float gun_y,
               float& top, float& bottom);

// A column the ship can fire from when its own is shielded: the ship's x and
// the band of screen rows its gun line should cross there.
struct FiringSpot {
    float x = 0;
    float top = 0, bottom = 0;
};

// Where a ship standing between the target's shields can fire: of the ship
// columns in [min_x, max_x] (in steps of kShapeCell), the one nearest to
// `prefer_x` (counting the climb to the band too) from whose muzzle (x +
// `muzzle`) open_band finds rows, with the ship's image (`extent` around x
// and the gun line less `gun_line`) clear of every obstacle there. False when
// no column works.
bool firing_spot(const Obstacle& target, const std::vector<Obstacle>& in_the_way, const Box& extent,
                 float muzzle, float gun_line, float min_x, float max_x, float prefer_x, float gun_y,
                 FiringSpot& out);

// Something hostile whose path matters: where its image is now and how it moves.
struct Mover {
    Box box;                       // screen box of the image now
    const Shape* shape = nullptr;  // its opaque cells, origin at box's corner; null: the whole box
    float vx = 0, vy = 0;          // pixels per frame
    float spread = 1;              // extra margin per frame ahead, for how unsure the motion is
    int still_frames = 0;          // frames before it starts to move (a shot that aims first)
};

enum class Steering { Mouse, Keys };

// One ship, as the game moves it.
struct ShipModel {
    Steering steering = Steering::Mouse;
    float x = 0, y = 0;    // exact position
    float vx = 0, vy = 0;  // velocity left from the last frame (already damped)
    float ramp = 1;        // the keyboard ship's key ramp
    Box extent;            // its image relative to (x, y)
};

// Where the ship's position should end up: anywhere in a rectangle (a point
// when the bounds meet), at a cost per pixel of distance left outside it.
struct Goal {
    bool set = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    float weight = 1;

    static Goal point(float x, float y, float weight) { return Goal{true, x, y, x, y, weight}; }
    static Goal area(float left, float top, float right, float bottom, float weight) {
        return Goal{true, left, top, right, bottom, weight};
    }
    // Distance from (x, y) to the nearest point of the rectangle.
    float distance(float x, float y) const;
};

struct Heading {
    float x = 0, y = 0;  // the point the ship flies toward this frame
    float cost = 0;
    bool threatened = false;  // every choice met something
};

constexpr int kPlanFrames = 10;     // frames looked ahead
constexpr float kMouseStep = 24.f;  // the mouse ship's chosen speed limit (the game's is 25)
constexpr int kShipMaxX = 580;
constexpr int kShipMaxY = 395;

// Picks the heading among a fan of points around the ship, the goal and the
// spot where it is: the one whose path meets hostiles least and latest, then
// ends nearest the goal.
Heading choose_heading(const ShipModel& ship, const std::vector<Mover>& hostiles, const Goal& goal);

// Keys per axis (-1, 0, 1: left/up, none, right/down) the keyboard ship
// presses this frame to fly toward (tx, ty).
struct Keys {
    int x = 0, y = 0;
};
Keys keys_toward(const ShipModel& ship, float tx, float ty);

// Advances the model one frame toward (tx, ty) by the ship's own physics.
void step_toward(ShipModel& ship, float tx, float ty);

// True when the ship at (x, y) overlaps the mover `frames` frames ahead.
bool meets(const ShipModel& ship, float x, float y, const Mover& m, int frames);

}  // namespace autopilot
