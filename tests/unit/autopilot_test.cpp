// The autopilot's flying, closed loop: the planner's choice each frame is flown
// by the ships' own physics against hostiles moving as measured.
#include <gtest/gtest.h>

#include <vector>

#include "app/autopilot_planner.h"
#include "display/Surface.h"

using namespace autopilot;

namespace {

ShipModel ship_at(Steering steering, float x, float y) {
    ShipModel s;
    s.steering = steering;
    s.x = x;
    s.y = y;
    s.extent = Box{0, 0, 60, 21};
    return s;
}

Mover shot(int x, int y, float vx, float vy) {
    Mover m;
    m.box = Box{x, y, x + 13, y + 13};
    m.vx = vx;
    m.vy = vy;
    m.spread = 0.5f;
    return m;
}

void advance(std::vector<Mover>& movers) {
    for (Mover& m : movers) {
        const int dx = static_cast<int>(m.vx), dy = static_cast<int>(m.vy);
        m.box = Box{m.box.left + dx, m.box.top + dy, m.box.right + dx, m.box.bottom + dy};
    }
}

// Flies `frames` frames; returns the first frame the ship overlapped a mover
// (0 when never).
int fly(ShipModel& ship, std::vector<Mover> movers, const Goal& goal, int frames) {
    for (int f = 1; f <= frames; ++f) {
        const Heading h = choose_heading(ship, movers, goal);
        step_toward(ship, h.x, h.y);
        advance(movers);
        for (const Mover& m : movers) {
            Mover exact = m;
            exact.spread = 0;
            if (meets(ship, ship.x, ship.y, exact, 0)) return f;
        }
    }
    return 0;
}

}  // namespace

TEST(AutopilotPlanner, BothSteeringsReachTheirGoalSettleThereAndDodgeShots) {
    for (Steering steering : {Steering::Mouse, Steering::Keys}) {
        SCOPED_TRACE(steering == Steering::Mouse ? "mouse" : "keys");
        ShipModel ship = ship_at(steering, 40, 300);
        EXPECT_EQ(fly(ship, {}, Goal::point(400, 80, 1), 60), 0);
        EXPECT_NEAR(ship.x, 400, 6);
        EXPECT_NEAR(ship.y, 80, 6);
        // An area goal is met anywhere inside it: a ship already there stays put.
        ShipModel inside = ship_at(steering, 100, 100);
        EXPECT_EQ(fly(inside, {}, Goal::area(20, 50, 300, 150, 1), 10), 0);
        EXPECT_FLOAT_EQ(inside.x, 100);
        EXPECT_FLOAT_EQ(inside.y, 100);
        // A fan of shots converging on a ship that would like to stay put.
        ShipModel target = ship_at(steering, 200, 200);
        const std::vector<Mover> shots = {shot(500, 205, -12, 0), shot(420, 100, -8, 8), shot(330, 330, -6, -6),
                                          shot(620, 190, -12, 1)};
        EXPECT_EQ(fly(target, shots, Goal::point(200, 200, 1), 40), 0);
    }
}

TEST(AutopilotPlanner, ThreadsTheGapInAWall) {
    // A wall of big blocks sweeping left, with a gap between y 180 and 260.
    std::vector<Mover> wall;
    for (int y = 0; y < 416; y += 40) {
        if (y >= 180 && y < 260) continue;
        Mover m;
        m.box = Box{600, y, 640, y + 40};
        m.vx = -10;
        m.spread = 0.2f;
        wall.push_back(m);
    }
    ShipModel ship = ship_at(Steering::Mouse, 100, 40);
    EXPECT_EQ(fly(ship, wall, Goal::point(100, 40, 1), 70), 0);
}

TEST(AutopilotPlanner, ShapesKeepTheHolesOfAnImage) {
    // A 30 x 30 image: transparent (key in the top-left) except an 8-pixel frame
    // along the left and bottom edges.
    Surface s;
    s.width = s.height = 30;
    s.pitch = 60;
    s.pixels.assign(60 * 30, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) s.put_pixel(x, y, (x >= 8 && y < 22) || (x == 0 && y == 0) ? 0x07E0 : 0xF800);
    s.put_pixel(0, 0, 0x07E0);
    const Shape shape = shape_of(s, 0, 0, 30, 30);
    ASSERT_EQ(shape.cols, 5);
    ASSERT_EQ(shape.rows, 5);
    EXPECT_TRUE(shape.filled(0, 0) || shape.filled(0, 1));
    EXPECT_FALSE(shape.filled(4, 0));  // the open corner
    EXPECT_TRUE(shape.filled(4, 4));
    int first = 0, last = 0;
    ASSERT_TRUE(solid_rows(shape, first, last));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 4);

    // A small ship tucked in the open corner meets the box but not the shape.
    ShipModel ship = ship_at(Steering::Mouse, 0, 0);
    ship.extent = Box{0, 0, 6, 6};
    Mover m;
    m.box = Box{100, 100, 130, 130};
    m.spread = 0;
    m.shape = &shape;
    EXPECT_FALSE(meets(ship, 118, 100, m, 0));
    EXPECT_TRUE(meets(ship, 100, 118, m, 0));
    m.shape = nullptr;
    EXPECT_TRUE(meets(ship, 118, 100, m, 0));
    // Margins grow with the frames ahead; a shot that waits to aim stays put first.
    Mover late = shot(200, 100, -10, 0);
    late.still_frames = 2;
    EXPECT_FALSE(meets(ship, 180, 100, late, 1));
    EXPECT_TRUE(meets(ship, 180, 100, late, 3));
}

TEST(AutopilotPlanner, FindsAColumnBetweenShieldsWhereTheShipFitsAndTheShotsGetThrough) {
    // A cannon hanging at rows 100-142 behind a pylon that reaches down to row
    // 150: nothing fired from left of the pylon gets through.
    const Obstacle cannon{Box{400, 100, 440, 142}, nullptr};
    std::vector<Obstacle> shields = {{Box{200, 0, 240, 150}, nullptr}};
    const Box ship{0, -10, 60, 11};  // image around the ship's position; the gun line is 11 below it
    float top = 0, bottom = 0;
    ASSERT_FALSE(open_band(cannon, shields, 100, 120, top, bottom));

    // Between the pylon and the cannon there is room for the ship: it fires from
    // there, at the cannon's rows, as near the preferred column as it can.
    FiringSpot spot;
    ASSERT_TRUE(firing_spot(cannon, shields, ship, 42, 11, 20, 320, 40, 120, spot));
    EXPECT_GE(spot.x, 240);           // clear of the pylon
    EXPECT_LE(spot.x + 60, 400);      // short of the cannon
    EXPECT_LE(spot.x, 246);           // the nearest such column to the left
    EXPECT_FLOAT_EQ(spot.top, 100);
    EXPECT_FLOAT_EQ(spot.bottom, 142);

    // A second pylon leaves a gap narrower than the ship: no column will do.
    shields.push_back({Box{280, 0, 340, 150}, nullptr});
    EXPECT_FALSE(firing_spot(cannon, shields, ship, 42, 11, 20, 320, 40, 120, spot));

    // A gap whose rows are shielded lower down still serves: the ship hangs
    // below the pylons and fires along the cannon's open bottom rows.
    shields = {{Box{200, 0, 240, 124}, nullptr}};
    ASSERT_TRUE(firing_spot(cannon, shields, ship, 42, 11, 20, 320, 40, 110, spot));
    EXPECT_NEAR(spot.x, 40, 3);  // the preferred column itself
    EXPECT_FLOAT_EQ(spot.top, 124);
    EXPECT_FLOAT_EQ(spot.bottom, 142);
}
