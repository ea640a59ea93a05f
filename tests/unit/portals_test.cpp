// Entrance and exit portals, and the game-over picture.
#include "players_fixture.h"

namespace {

class Portals : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        player1 = true;
        player1hitpoints = 100;
    }
};

TEST_F(Portals, EntranceBringsTheShipsInOnItsTwentiethFrame) {
    p1p1 = p1p2 = p2p1 = p2p2 = true;
    p1_velocityX = 7;
    g_themouse_h = 500;
    Velmora_Win::curx = 10;
    Sprite* portal = place("entranceportal", 100, 100);
    for (int i = 1; i < 20; ++i) step(portal);
    EXPECT_EQ(count("playerone"), 0);
    step(portal);
    ASSERT_EQ(count("playerone"), 1);
    EXPECT_FALSE(p1p1 || p1p2 || p2p1 || p2p2);
    EXPECT_EQ(Velmora_Win::curx, 320);
    EXPECT_EQ(g_themouse_h, 320);
    EXPECT_EQ(p2_lastMouseY, 240);
    EXPECT_EQ(p1_velocityX, 0.0f);
    EXPECT_EQ(p2_positionX, 120.0f);
    EXPECT_EQ(player2h, -10000) << "a player who does not take part gets no aim point";
    Sprite* ship = copies("playerone")[0];
    step(ship);  // its first frame of flight starts where it was put
    EXPECT_EQ(at(ship), std::pair(120, 155));

    // The second piece shows frame 2 beside the portal and never brings ships.
    Sprite* piece = portal->nextchild;
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->framenumber, 2);
    EXPECT_EQ(master("entranceportal")->param1, 20) << "the master is left as it was";
    portal->x = 90;
    for (int i = 0; i < 40; ++i) {
        step(portal);
        piece->behavior(piece);
    }
    EXPECT_EQ(piece->x, 130);
    EXPECT_EQ(count("playerone"), 1);
}

TEST_F(Portals, OnlyLivingTakingPartPlayersComeIn) {
    player2 = true;
    player2h = 77;
    Sprite* portal = place("entranceportal", 600, 380);
    portal->param1 = 1;
    step(portal);
    EXPECT_EQ(count("playerone"), 1);
    EXPECT_EQ(count("playertwo"), 0);
    EXPECT_EQ(player2h, 77) << "a downed player's aim point stays as it was";
    EXPECT_EQ(p1_positionX, 580.0f) << "ships start inside the ship area";
    EXPECT_EQ(p1_positionY, 395.0f);
}

TEST_F(Portals, OnlyTheExitsRightPieceEndsTheLevel) {
    currentlevel = 3;
    Sprite* exit = place("exitportal", 300, 100);
    step(exit);
    Sprite* piece = exit->nextchild;
    ASSERT_NE(piece, nullptr);
    Sprite* ship = place("playerone", 290, 130);  // over the left piece only
    step(exit);
    step(piece);
    EXPECT_EQ(piece->x, 330);
    EXPECT_EQ(currentlevel, 3);
    ship->x = 345;
    step(piece);
    EXPECT_EQ(currentlevel, 4);
}

TEST_F(Portals, GameOverEndsOnFireFromItsSixteenthFrameOrByItself) {
    scroll = 3;
    Sprite* over = place("gameover", 140, 180);
    keycodes[13] = true;
    for (int i = 1; i < 16; ++i) step(over);
    EXPECT_FALSE(gameover);
    EXPECT_EQ(scroll, -1);
    step(over);
    EXPECT_TRUE(gameover);

    gameover = keycodes[13] = false;
    Sprite* idle = place("gameover", 140, 180);
    for (int i = 1; i < 631; ++i) step(idle);
    EXPECT_FALSE(gameover);
    step(idle);
    EXPECT_TRUE(gameover);
}

}  // namespace
