// Player shots: speed, sparks, scenery and the screen area; homing, star
// bursts and photons; the drones that fire them too.
#include "players_fixture.h"

namespace {

using Shots = PlayField;

Sprite* seeker(int x, int y, int vx, int vy) {
    Sprite* m = Sprite::getnamedsprite("heatseekingmissile");
    m->param1 = vx;
    m->param2 = vy;
    return place("heatseekingmissile", x, y);
}

TEST_F(Shots, BlueLaserFlies40AFrameAndSparksAtTheRightEdgeOfItsImage) {
    setframe(master("blueshot"), 3);
    master("blueshot")->frames[2]->xoffset = 6;  // frame 3 drawn 6 to the right
    Sprite* laser = place("blueshot", 100, 100);
    step(laser);
    EXPECT_EQ(laser->x, 140);
    EXPECT_EQ(count("standardexplosion"), 0);
    place("target", 190, 90);  // where the next step takes the laser's image
    step(laser);
    EXPECT_EQ(laser->x, 180);
    ASSERT_EQ(count("standardexplosion"), 1);
    const Sprite* spark = copies("standardexplosion")[0];
    EXPECT_EQ(at(spark), std::pair(180 + 6 + 20, 100));
    EXPECT_EQ(laser->hitpoints, 1) << "the laser goes on through its first enemy";
}

// Scenery (layer 1) stops a shot without a blast; enemies make it burst.
TEST_F(Shots, ShotsStopAtSceneryWithoutABlast) {
    Sprite* rock = place("target", 150, 90, 1);
    Sprite* laser = place("blueshot", 100, 100);
    Sprite* missile = place("missile", 140, 100);
    missile->param1 = 10;
    step(laser);
    step(missile);
    EXPECT_EQ(laser->hitpoints, 0);
    EXPECT_EQ(missile->hitpoints, 0);
    EXPECT_EQ(count("standardexplosion"), 0);

    rock->layer = 0;  // now an enemy in the way
    Sprite* second = place("missile", 140, 100);
    second->param1 = 10;
    step(second);
    EXPECT_EQ(second->hitpoints, 0);
    EXPECT_GT(count("standardexplosion"), 0);
}

// Shots live on x 0..640 and y 0..416 (the playfield above the status bar).
TEST_F(Shots, ShotsEndOutsideTheScreenArea) {
    const struct { int x, y; bool lives; } spots[] = {
        {0, 0, true}, {640, 416, true}, {-1, 200, false}, {641, 200, false}, {300, -1, false},
        {300, 417, false}};
    for (const auto& at : spots) {
        Sprite* missile = place("missile", at.x, at.y);  // at rest
        missile->param1 = missile->param2 = 0;
        step(missile);
        EXPECT_EQ(missile->hitpoints > 0, at.lives) << at.x << "," << at.y;
    }
}

TEST_F(Shots, HeatSeekerLeavesTheShipAt20AndTrailsSmoke) {
    Sprite* ship = place("playerone", 100, 200);
    fire_weapon(ship, kHeatSeeker, 1, kShipMuzzles);
    ASSERT_EQ(count("heatseekingmissile"), 1);
    Sprite* s = copies("heatseekingmissile")[0];
    EXPECT_EQ(at(s), std::pair(155, 205));
    step(s);  // nothing to home on
    EXPECT_EQ(at(s), std::pair(175, 205));
    ASSERT_EQ(count("smoke"), 1);
    const Sprite* puff = Sprite::the_level->front();  // drawn beneath the missile
    EXPECT_EQ(puff, copies("smoke")[0]);
    EXPECT_EQ(at(puff), std::pair(155, 205));
    step(s);
    EXPECT_EQ(count("smoke"), 2) << "one puff a frame";
}

TEST_F(Shots, HeatSeekerHomesAtUpToTenPerAxis) {
    Sprite* s = seeker(100, 100, 20, 0);
    Sprite* ahead = place("target", 400, 300);
    step(s);
    EXPECT_EQ(s->param1, 10) << "the launch speed drops at once to the homing limit";
    EXPECT_EQ(s->param2, 2);
    EXPECT_EQ(s->x, 110);
    for (int i = 0; i < 6; ++i) step(s);
    EXPECT_EQ(s->param2, 10);
    EXPECT_EQ(s->framenumber, 11);

    ahead->hitpoints = 0;
    Sprite* up = seeker(300, 300, 0, 0);
    place("target", 285, 100);  // aim point straight above
    step(up);
    EXPECT_EQ(up->param1, 0);
    EXPECT_EQ(up->framenumber, 5);
}

// Without a target the launch velocity holds and picks the frame.
TEST_F(Shots, HeatSeekerFramePerDirection) {
    const int cases[][3] = {{-10, -1, 1}, {-10, -4, 2}, {-10, -10, 3}, {-4, -10, 4}, {0, -4, 5},
                            {4, -10, 6},  {10, -10, 7}, {10, -4, 8},   {10, 0, 9},   {10, 4, 10},
                            {10, 10, 11}, {4, 10, 12},  {0, 5, 13},    {-10, 10, 14}, {-10, 6, 15},
                            {-10, 4, 16}, {0, 0, 11}};
    for (const auto& c : cases) {
        Sprite* s = seeker(320, 200, c[0], c[1]);
        step(s);
        EXPECT_EQ(s->framenumber, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(at(s), std::pair(320 + c[0], 200 + c[1]));
    }
}

TEST_F(Shots, StarBurstsIntoFragmentsHarmlessForSixFrames) {
    maxstars = 10;
    Sprite* star = place("starshot", 100, 100);
    Sprite* enemy = place("target", 120, 95);
    step(star);
    EXPECT_EQ(star->hitpoints, 0);
    std::vector<Sprite*> fragments = copies("starshot");
    std::erase(fragments, star);
    ASSERT_EQ(fragments.size(), 11u);
    for (Sprite* f : fragments) EXPECT_EQ(f->damage, 0);
    Sprite* next = place("starshot", 10, 10);
    EXPECT_EQ(next->damage, 1) << "stars fired after a burst still deal 1";

    Sprite* f = fragments.front();  // held over the enemy
    f->x = enemy->x;
    f->y = enemy->y;
    f->param2 = f->param3 = 0;
    for (int i = 0; i < 6; ++i) {
        step(f);
        EXPECT_EQ(f->damage, 0);
        EXPECT_EQ(f->hitpoints, 1);
    }
    step(f);
    EXPECT_EQ(f->damage, 4);
    EXPECT_EQ(f->hitpoints, 0);
    EXPECT_EQ(count("standardexplosion"), 1);
}

TEST_F(Shots, PhotonBurstsOnItsSecondContactIntoAFadingBlast) {
    Sprite* photon = place("photon", 100, 100);
    Sprite* enemy = place("target", 125, 100);
    step(photon);
    EXPECT_EQ(photon->hitpoints, 1);
    enemy->x += 25;
    step(photon);
    EXPECT_EQ(photon->hitpoints, 0);
    ASSERT_EQ(count("photonexplosion"), 1);
    Sprite* blast = copies("photonexplosion")[0];
    EXPECT_EQ(blast->x, 160);
    // Weaker by one each frame, and never below nothing (that would heal).
    for (int want : {4, 3, 2, 1, 0, 0, 0}) {
        movephotontorpedoex(blast);
        EXPECT_EQ(blast->damage, want);
    }
}

// Drones: following their ship, vanishing with it, firing once per press and
// upgrading independently of the ship.
class Drones : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        player1hitpoints = player2hitpoints = 100;
        player1h = 200;
        player1v = 150;
        player2h = 400;
        player2v = 300;
        p1powerupitem = p1poweruplevel = p1p1powerupitem = p1p1poweruplevel = 1;
        p1p2powerupitem = p1p2poweruplevel = 1;
    }

    static Sprite* drone(int slot) {
        master("drone")->param2 = slot;
        return place("drone", 0, 0);
    }
};

TEST_F(Drones, FollowTheirShipAndVanishWithIt) {
    Sprite* upper = drone(1);
    Sprite* lower = drone(2);
    Sprite* theirs = drone(4);
    step(upper);
    step(lower);
    step(theirs);
    EXPECT_EQ(at(upper), std::pair(155, 100));
    EXPECT_EQ(lower->y, 183);
    EXPECT_EQ(theirs->y, 333);
    player1h = 700;
    player1v = 390;
    step(lower);
    EXPECT_EQ(at(lower), std::pair(620, 395));

    player1hitpoints = 0;
    step(upper);
    step(theirs);
    EXPECT_LT(upper->hitpoints, 1);
    EXPECT_EQ(theirs->hitpoints, 100);
}

TEST_F(Drones, FireOncePerPressOfTheirOwnersControl) {
    Sprite* upper = drone(1);
    Sprite* theirs = drone(3);
    g_themousebutton = true;
    for (int i = 0; i < 4; ++i) {
        step(upper);
        step(theirs);
    }
    ASSERT_EQ(count("blueshot"), 1);
    EXPECT_EQ(copies("blueshot")[0]->x, upper->x + 10);
    g_themousebutton = false;
    step(upper);
    g_themousebutton = true;
    step(upper);
    EXPECT_EQ(count("blueshot"), 2);
}

TEST_F(Drones, UpgradeOnlyFromWhatTheyTouch) {
    Sprite* upper = drone(1);
    step(upper);
    place("starpowerup", upper->x + 2, upper->y + 2);
    step(upper);
    step(upper);
    EXPECT_EQ(p1p1powerupitem, 5);
    EXPECT_EQ(p1p1poweruplevel, 2) << "the same power-up counts once";
    EXPECT_EQ(p1powerupitem, 1) << "the ship keeps its weapon";
    EXPECT_EQ(p1p2poweruplevel, 1) << "the other drone keeps its weapon";

    keycodes[4] = true;
    step(upper);
    EXPECT_EQ(count("starshot"), 1);
    EXPECT_EQ(count("blueshot"), 0);
}

}  // namespace
