// The last boss stays on the field: its rams and retreats never carry the
// shell past the right edge, where it would stop acting and hold the level
// still for good.
#include <algorithm>

#include "bosses_fixture.h"

class FinalBossField : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"finalbossshell"}, 1, 180, 230);
        masters({"finalbossgunone", "finalbossguntwo", "finalbossgunthree", "finalbossgunfour",
                 "finalbossgunfive", "finalbossshotone", "finalbossshottwo", "citybossshotone"});
        set_behaviors();
    }
    // Makes the shell's next move a fresh ram whenever it is about to choose.
    static void ram_when_choosing(Sprite* shell) {
        if (shell->state != 1) return;
        shell->state = 2;
        shell->param1 = 0;
    }
};

TEST_F(FinalBossField, RamsFromBeyondTheRetreatLineDoNotWalkTheShellOffTheField) {
    // The ship waits up and left of the shell: every ram is a step left and a
    // retreat right, which used to gain a few pixels each time.
    player1h = 100;
    player1v = 40;
    Sprite* shell = place("finalbossshell", 390, 150);
    frames();  // arrives, arms its guns, holds the scroll
    ASSERT_EQ(scroll, 0);
    shell->x = 510;  // where a retreat from the left can end
    shell->state = 1;
    int furthest = shell->x;
    for (int f = 0; f < 4000; ++f) {
        ram_when_choosing(shell);
        frames();
        furthest = std::max(furthest, shell->x);
    }
    EXPECT_LE(furthest, 516);
    // Still on the field and acting: a ram now carries it toward the ship.
    shell->state = 2;
    shell->param1 = 0;
    shell->x = 400;
    frames(3);
    EXPECT_LT(shell->x, 400);
}

TEST_F(FinalBossField, ARamTowardAShipAtTheRightEdgeStopsShortOfIt) {
    player1h = 580;
    player1v = 150;
    Sprite* shell = place("finalbossshell", 390, 150);
    frames();
    int furthest = shell->x;
    for (int f = 0; f < 2000; ++f) {
        ram_when_choosing(shell);
        frames();
        furthest = std::max(furthest, shell->x);
    }
    EXPECT_LE(furthest, 516);
    EXPECT_GE(furthest, 500);  // it still rams and retreats all the way to the line
}
