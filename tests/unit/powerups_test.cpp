// A power-up taken by a ship and a drone in the same frame.
#include "players_fixture.h"

namespace {

using PowerUps = PlayField;

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
