// Player ships: fire gate, weapons, pick-ups, steering, damage and death.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "players_fixture.h"

namespace {

class Ships : public PlayField {
protected:
    Sprite* ship = nullptr;

    // Ship one at rest at (100, 200), the mouse on the neutral point.
    void SetUp() override {
        PlayField::SetUp();
        player1 = playersdie = true;
        player1hitpoints = 100;
        p1powerupitem = p1poweruplevel = 1;
        p1_positionX = 100;
        p1_positionY = 200;
        p1_lastMouseX = g_themouse_h = p2_lastMouseX = 320;
        p1_lastMouseY = g_themouse_v = p2_lastMouseY = 240;
        ship = place("playerone", 100, 200);
    }

    // One press of Space: held for `frames` frames, then released for one.
    void press(int frames = 1) {
        keycodes[4] = true;
        for (int i = 0; i < frames; ++i) step(ship);
        keycodes[4] = false;
        step(ship);
    }

    int presses_until_star() {
        const int before = count("starshot");
        for (int n = 1; n <= 20; ++n) {
            press();
            if (count("starshot") != before) return n;
        }
        return -1;
    }
};

TEST_F(Ships, FireGateReleasesOneShotPerPress) {
    press();
    EXPECT_EQ(count("blueshot"), 0) << "a fresh ship fires on its second press";
    press();
    EXPECT_EQ(count("blueshot"), 1);
    press(6);
    EXPECT_EQ(count("blueshot"), 2) << "holding fire releases one shot";
    p1poweruplevel = 5;
    press();
    Sprite* shot = copies("blueshot").back();  // the laser enters at the back
    EXPECT_EQ(shot->damage, 5);
    EXPECT_EQ(shot->framenumber, 5);
    EXPECT_EQ(at(shot), std::pair(142, 206));
}

TEST_F(Ships, StarReloadShortensWithLevel) {
    p1powerupitem = 5;
    press();
    press();
    ASSERT_EQ(count("starshot"), 1);
    EXPECT_EQ(presses_until_star(), 10);
    EXPECT_EQ(presses_until_star(), 10);
    p1poweruplevel = 5;
    EXPECT_EQ(presses_until_star(), 10) << "the delay left by the last shot still holds";
    EXPECT_EQ(presses_until_star(), 2);
    EXPECT_EQ(presses_until_star(), 2);
}

TEST_F(Ships, MissileFanAtEveryLevel) {
    struct Missile { int dy, vx, vy; };  // in the order they are fired
    const Missile a{0, 30, 0}, b{2, 29, -2}, c{-2, 29, 2}, d{4, 28, -4}, e{-4, 28, 4};
    const std::vector<std::vector<Missile>> fans = {{a}, {b, c}, {a, b, c}, {b, c, d, e},
                                                    {a, b, c, d, e}};
    for (int level = 1; level <= 5; ++level) {
        SCOPED_TRACE(level);
        for (Sprite* s : copies("missile")) {
            Sprite::the_level->remove(s);
            delete s;
        }
        fire_weapon(ship, 2, level, kShipMuzzles);
        const std::vector<Sprite*> fired = copies("missile");  // newest first
        const std::vector<Missile>& want = fans[level - 1];
        ASSERT_EQ(fired.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            const Sprite* m = fired[fired.size() - 1 - i];
            EXPECT_EQ(at(m), std::pair(150, 209 + want[i].dy));
            EXPECT_EQ(m->param1, want[i].vx);
            EXPECT_EQ(m->param2, want[i].vy);
        }
    }
}

TEST_F(Ships, WeaponPowerUpChangesKindAndCarriesTheLevel) {
    p1poweruplevel = 3;
    Sprite* missiles = place("missilepowerup", 110, 205);
    step(ship);
    EXPECT_EQ(p1powerupitem, 2);
    EXPECT_EQ(p1poweruplevel, 4);
    EXPECT_TRUE(updatepowerupbar);
    step(ship);
    EXPECT_EQ(p1poweruplevel, 4) << "the same power-up counts once";

    missiles->hitpoints = 0;
    place("photonpowerup", 110, 205);
    p1poweruplevel = 5;
    step(ship);
    EXPECT_EQ(p1powerupitem, 4);
    EXPECT_EQ(p1poweruplevel, 5);
}

TEST_F(Ships, PowerUpAtAReusedAddressIsStillNew) {
    Sprite* taken = place("starpowerup", 110, 205);
    step(ship);
    ASSERT_EQ(p1poweruplevel, 2);
    // The collected power-up is destroyed and a new one is made in its memory.
    Sprite* fresh = master("bluepowerup")->make_copy();
    const Sprite replacement = *fresh;
    delete fresh;
    std::destroy_at(taken);
    std::construct_at(taken, replacement);
    taken->x = 110;
    taken->y = 205;
    step(ship);
    EXPECT_EQ(p1powerupitem, 1);
    EXPECT_EQ(p1poweruplevel, 3);
}

TEST_F(Ships, BonusGivesTwoShieldUpToAHundredAndAScoreOf100To500) {
    player1hitpoints = 50;
    place("powerup", 110, 205);  // taken again every frame it is touched
    step(ship);
    EXPECT_EQ(player1hitpoints, 52);
    player1hitpoints = 99;
    step(ship);
    EXPECT_EQ(player1hitpoints, 100);
    long low = 1000, high = 0;
    for (int i = 0; i < 400; ++i) {
        const long before = player1score;
        step(ship);
        low = std::min(low, player1score - before);
        high = std::max(high, player1score - before);
    }
    EXPECT_EQ(player1hitpoints, 100);
    EXPECT_GE(low, 100);
    EXPECT_LE(low, 110);
    EXPECT_LE(high, 500);
    EXPECT_GE(high, 490);
}

TEST_F(Ships, ShipAreaClampZeroesOnlyTheBlockedAxis) {
    p1_positionX = 575;
    p1_velocityX = 20;
    p1_velocityY = 4;
    step(ship);
    EXPECT_EQ(ship->x, 580);
    EXPECT_EQ(p1_velocityX, 0.0f);
    EXPECT_FLOAT_EQ(p1_velocityY, 2.0f);
}

TEST_F(Ships, MouseSteersRelativeToTheNeutralPoint) {
    g_themouse_h = 360;  // 40 pixels right in one frame
    step(ship);
    EXPECT_EQ(ship->x, 110);
    EXPECT_FLOAT_EQ(p1_velocityX, 5.0f);
    EXPECT_EQ(Velmora_Win::curx, 320);
    step(ship);  // no mouse events: the ship coasts, no new impulse
    EXPECT_EQ(ship->x, 115);
    EXPECT_EQ(player1h, 135);
    EXPECT_EQ(player1v, 210);
    g_themouse_h = 320 + 400;
    step(ship);
    EXPECT_EQ(ship->x, 140) << "speed capped at 25";
}

TEST_F(Ships, DamageFlashesTheShieldAndTheLastDeathEndsTheGame) {
    player2 = true;
    player2hitpoints = 100;
    place("enemyshot", 110, 205);
    step(ship);
    EXPECT_EQ(player1hitpoints, 95);
    ASSERT_EQ(count("shield"), 1);
    const Sprite* flash = copies("shield")[0];
    EXPECT_EQ(ship->nextchild, flash);
    EXPECT_EQ(at(flash), std::pair(90, 185));  // over the ship, which is 20 smaller each way

    player1hitpoints = 5;
    step(ship);
    EXPECT_EQ(ship->hitpoints, 0);
    EXPECT_EQ(player1h, -10000);
    EXPECT_EQ(count("gameover"), 0) << "player two still flies";

    p2_positionX = 300;
    p2_positionY = 100;
    player2hitpoints = 3;
    Sprite* two = place("playertwo", 300, 100);
    place("enemyshot", 310, 105);
    step(two);
    EXPECT_EQ(two->hitpoints, 0);
    ASSERT_EQ(count("gameover"), 1);
    EXPECT_EQ(copies("gameover")[0]->x, 140);
}

TEST_F(Ships, SoleDeathOfAOnePlayerGameEndsIt) {
    player1hitpoints = 5;
    place("enemyshot", 110, 205);
    step(ship);
    EXPECT_EQ(count("gameover"), 1);
    EXPECT_EQ(count("standardexplosionbig"), 1);
}

TEST_F(Ships, KeyRampRisesOncePerFrame) {
    Sprite* two = place("playertwo", 300, 100);
    p2acceleration = 1.0f;
    keycodes[11] = keycodes[10] = true;  // two keys, still one rise a frame
    for (float want : {5, 9, 13, 17, 21, 23, 23}) {
        step(two);
        EXPECT_FLOAT_EQ(p2acceleration, want);
    }
    keycodes[11] = keycodes[10] = false;
    step(two);
    EXPECT_FLOAT_EQ(p2acceleration, 1.0f);
}

TEST_F(Ships, AlonePlayerOneAnswersTheKeysWithItsOwnRamp) {
    step(ship);  // no key: the ramp rests
    EXPECT_FLOAT_EQ(p1acceleration, 1.0f);
    keycodes[11] = true;  // right
    for (float want : {5, 9, 13}) {
        step(ship);
        EXPECT_FLOAT_EQ(p1acceleration, want);
    }
    EXPECT_GT(ship->x, 105);
    EXPECT_FLOAT_EQ(p2acceleration, 0.0f) << "player two's ramp is its own";
    keycodes[11] = false;

    // Two players, or a recording of before: the keys are player two's alone.
    for (bool two_players : {true, false}) {
        SCOPED_TRACE(two_players);
        player2 = two_players;
        control_rules.keys_steer_player_one = two_players;
        p1_velocityX = p1_velocityY = 0;
        const int x = ship->x;
        const float ramp = p1acceleration;
        keycodes[11] = true;
        step(ship);
        keycodes[11] = false;
        EXPECT_EQ(ship->x, x);
        EXPECT_FLOAT_EQ(p1acceleration, ramp);
    }
}

// Tilt: frame 3 is level flight. Player one tilts by its vertical motion,
// player two by the up and down keys, one frame step every third frame; with
// no motion the ship eases back one frame every sixth frame.
class Tilt : public Ships {
protected:
    std::vector<int> frames_while(Sprite* s, int frames, const std::function<void()>& each) {
        std::vector<int> seen;
        for (int i = 0; i < frames; ++i) {
            each();
            step(s);
            seen.push_back(s->framenumber);
        }
        return seen;
    }
};

TEST_F(Tilt, ShipOneTiltsByItsVerticalMotion) {
    ship->framedelay = 1000;  // no easing back in this test
    setframe(ship, 3);
    player1v = ship->y + 10;
    EXPECT_EQ(frames_while(ship, 6, [] { p1_velocityY = 10; }), (std::vector<int>{3, 3, 2, 2, 2, 1}))
        << "moving down";
    EXPECT_EQ(frames_while(ship, 6, [] { p1_velocityY = -10; }), (std::vector<int>{1, 1, 2, 2, 2, 3}))
        << "moving up";
    EXPECT_EQ(frames_while(ship, 4, [] { p1_velocityY = 0; }), (std::vector<int>{3, 3, 3, 3}))
        << "level";
}

TEST_F(Tilt, ShipTwoTiltsByTheKeys) {
    Sprite* two = place("playertwo", 300, 100);
    p2_positionX = 300;
    p2_positionY = 100;
    two->framedelay = 1000;
    setframe(two, 3);
    const auto hold = [&](int key, int frames) {
        keycodes[key] = true;
        const std::vector<int> seen = frames_while(two, frames, [] {});
        keycodes[key] = false;
        return seen;
    };
    EXPECT_EQ(hold(12, 6), (std::vector<int>{3, 3, 4, 4, 4, 5})) << "down";
    EXPECT_EQ(hold(10, 6), (std::vector<int>{5, 5, 4, 4, 4, 3})) << "up";
    EXPECT_EQ(hold(11, 6), (std::vector<int>{3, 3, 3, 3, 3, 3})) << "right";
}

TEST_F(Tilt, KeysAndMouseInOneFrameAddUpUnderTheKeysTiltRule) {
    ship->framedelay = 1000;
    setframe(ship, 3);
    player1v = ship->y + 10;
    p1acceleration = 1.0f;
    keycodes[11] = true;
    g_themouse_h = 360;  // the mouse 40 to the right as well
    step(ship);
    EXPECT_FLOAT_EQ(p1_velocityX, (5 + 40) / 4.0f * 0.5f);
    EXPECT_EQ(Velmora_Win::curx, 320) << "the cursor goes back to the neutral point";
    keycodes[11] = false;

    // Down held while the mouse pulls up harder: the ship rises, but tilts by
    // the key, never by its motion in the same frame.
    keycodes[12] = true;
    const std::vector<int> seen = frames_while(ship, 6, [] { g_themouse_v = 240 - 60; });
    keycodes[12] = false;
    EXPECT_LT(ship->y, 200);
    EXPECT_EQ(seen, (std::vector<int>{3, 3, 4, 4, 4, 5}));
}

TEST_F(Tilt, ShipEasesBackToLevelFlight) {
    player1v = ship->y + 10;  // at rest
    for (int start : {1, 5}) {
        SCOPED_TRACE(start);
        setframe(ship, start);
        ship->framecount = 0;
        const int toward = start < 3 ? 1 : -1;
        std::vector<int> want(5, start);
        want.insert(want.end(), 6, start + toward);
        want.insert(want.end(), 8, 3);
        EXPECT_EQ(frames_while(ship, 19, [] {}), want);
    }
}

}  // namespace
