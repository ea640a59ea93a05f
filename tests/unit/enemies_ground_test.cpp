// The floor turret: a frame per direction, and no shot at a ship below it.
#include <cmath>

#include "enemies_fixture.h"

namespace {

struct Offset {
    int dx, dy;
};

// Puts player one in the middle of direction d's sector as seen from (x, y).
void put_player_toward(int d, int x, int y) {
    const double a = (d - 1) * 22.5 * M_PI / 180.0;  // clockwise from left
    player1h = x + int(std::lround(-std::cos(a) * 1000));
    player1v = y + int(std::lround(-std::sin(a) * 1000));
}

}  // namespace

class Ground : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        master("enemyshot");
        master("silvercannonup", 9, 60, 20);
        set_behaviors();
    }

    // One frame of turret t at (300, 300) with the gate open, facing d; the
    // shot it fired, if any.
    static const Sprite* fire_turret(Sprite* t, int d) {
        put_player_toward(d, 330, 310);
        const size_t before = copies_of("enemyshot").size();
        ready_to_fire(t);
        run(t);
        return copies_of("enemyshot").size() > before ? copies_of("enemyshot").back() : nullptr;
    }
};

TEST_F(Ground, FloorTurretFacesEveryDirectionAndNeverFiresDown) {
    const Offset muzzle[10] = {{},        {-15, 5},  {-15, 0},  {-5, -5}, {20, -50},
                               {35, -50}, {45, -40}, {95, -30}, {95, 0},  {100, 0}};
    Sprite* t = place("silvercannonup", 300, 300);
    for (int d = 1; d <= 16; ++d) {
        const Sprite* shot = fire_turret(t, d);
        EXPECT_EQ(t->framenumber, std::min(d, 9)) << d;  // the last frame for a ship below
        if (d >= 10) {
            EXPECT_EQ(shot, nullptr) << d;
            continue;
        }
        ASSERT_NE(shot, nullptr) << d;
        EXPECT_EQ(shot->x - 300, muzzle[d].dx) << d;
        EXPECT_EQ(shot->y - 300, muzzle[d].dy) << d;
    }
}

