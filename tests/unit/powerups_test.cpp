// Power-ups: their drifting, bouncing, swinging path, and a power-up taken by
// a ship and a drone in the same frame.
#include <algorithm>

#include "players_fixture.h"

namespace {

using PowerUps = PlayField;

// A power-up already set up, at (x, y) with this velocity and no swing.
Sprite* drifting(const char* name, float x, float y, float vx, float vy) {
    Sprite* p = place(name, 0, 0);
    p->param1 = 1;
    p->posx = x;
    p->posy = y;
    p->velx = vx;
    p->vely = vy;
    p->accx = p->accy = 0;
    return p;
}

TEST_F(PowerUps, DriftWithTheScrollAndBounceOffEveryWallButTheLeft) {
    Sprite* still = drifting("powerup", 300, 200, 0, 0);
    for (int i = 0; i < 3; ++i) movepowerup(still);
    EXPECT_EQ(at(still), std::pair(285, 200));

    const struct { float x, y, vx, vy; int want_x, want_y; } walls[] = {
        {630, 200, 3, 0, 620 - 3 - 5, 200},  // right
        {300, 400, 0, 2, 295, 395 - 2},      // bottom
        {300, -3, 0, -2, 295, 2},            // top
        {-10, 200, -3, 0, -18, 200},         // none on the left
    };
    for (const auto& w : walls) {
        Sprite* p = drifting("bluepowerup", w.x, w.y, w.vx, w.vy);
        moveweaponpowerup(p);
        EXPECT_EQ(p->x, w.want_x) << w.x << "," << w.y;
        EXPECT_EQ(p->y, w.want_y) << w.x << "," << w.y;
    }
}

// The drift speed starts at -8..5 across and sweeps back and forth between -8
// and 8 on each axis, 0.15 a frame.
TEST_F(PowerUps, SpeedStartsAtRandomAndSwingsBetweenMinusAndPlusEight) {
    float first_low = 100, first_high = -100;
    for (int i = 0; i < 300; ++i) {
        Sprite* p = place("powerup", 300, 200);
        movepowerup(p);
        first_low = std::min(first_low, p->velx - 0.15f);
        first_high = std::max(first_high, p->velx - 0.15f);
        p->hitpoints = 0;
    }
    EXPECT_FLOAT_EQ(first_low, -8);
    EXPECT_FLOAT_EQ(first_high, 5);

    Sprite* p = place("powerup", 300, 200);
    movepowerup(p);
    p->velx = 0;
    p->accx = 0.15f;
    movepowerup(p);
    EXPECT_FLOAT_EQ(p->velx, 0.15f);
    float low = 0, high = 0;
    for (int i = 0; i < 300; ++i) {
        movepowerup(p);
        low = std::min(low, p->velx);
        high = std::max(high, p->velx);
    }
    EXPECT_GT(high, 8);
    EXPECT_LE(high, 8.15f + 1e-4f);
    EXPECT_LT(low, -8);
    EXPECT_GE(low, -8.15f - 1e-4f);
}

TEST_F(PowerUps, ShipAndDroneTakeTheSamePowerUpInOneFrame) {
    player1hitpoints = 100;
    p1powerupitem = p1poweruplevel = p1p1powerupitem = p1p1poweruplevel = 1;
    p1_positionX = 100;
    p1_positionY = 200;
    p1_lastMouseX = g_themouse_h = 320;
    p1_lastMouseY = g_themouse_v = 240;
    p1p1 = p1p2 = true;  // the drone is placed by hand
    Sprite* ship = place("playerone", 100, 200);
    master("drone")->param2 = 1;
    Sprite* drone = place("drone", 110, 190);
    player1h = 155;  // last frame's reference point keeps the drone at (110, 190)
    player1v = 240;
    Sprite* p = place("heatseekerpowerup", 0, 0);
    p->param1 = 1;  // already set up, held still over both
    p->posx = 117;
    p->posy = 192;
    p->velx = p->vely = p->accx = p->accy = 0;

    activate_all();  // one frame in list order
    moveweaponpowerup(p);
    movedrone(drone);
    moveplayer1(ship);
    EXPECT_EQ(p->hitpoints, -1);
    EXPECT_EQ(p1powerupitem, 3);
    EXPECT_EQ(p1poweruplevel, 2);
    EXPECT_EQ(p1p1powerupitem, 3);
    EXPECT_EQ(p1p1poweruplevel, 2);
}

}  // namespace
