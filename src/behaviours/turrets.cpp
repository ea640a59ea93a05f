// Turrets that turn to face the nearer ship: one frame per direction, and a
// muzzle position per frame where the shot leaves the barrel.
#include <algorithm>

#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"

namespace {

struct Offset {
    int dx, dy;
};

// Floor turret, by direction 1 (left) .. 9 (right) through 5 (up).
constexpr Offset kFloorMuzzle[10] = {{0, 0},     {-15, 5},  {-15, 0},  {-5, -5}, {20, -50},
                                     {35, -50},  {45, -40}, {95, -30}, {95, 0},  {100, 0}};

// Ceiling turret, by frame 1 (left) .. 8 through 5 (down).
constexpr Offset kCeilingMuzzle[9] = {{0, 0},    {-15, 20}, {-15, 20}, {-10, 35}, {20, 50},
                                      {35, 65},  {45, 60},  {95, 35},  {95, 30}};

// Frame of the ceiling turret for directions 1..16: a ship above is answered
// with the mirrored downward frame.
constexpr int kCeilingFrame[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 7, 6, 5, 4, 3, 2};

int aim_direction(const Sprite* s) {
    return std::clamp(findangletoplayer(s->x + 30, s->y + 10), 1, 16);
}

void fire_from(Sprite* s, const Offset& muzzle) {
    fire_shot(s, "enemyshot", s->x + muzzle.dx, s->y + muzzle.dy);
}

}  // namespace

// A ship below the floor turret (directions 10..16) is out of its reach.
void movesilvercannonup(Sprite* s) {
    const int d = aim_direction(s);
    setframe(s, d);
    damage_step(s);
    if (shoot(s) && d <= 9) fire_from(s, kFloorMuzzle[d]);
}

void movesilvercannondown(Sprite* s) {
    const int f = kCeilingFrame[aim_direction(s)];
    setframe(s, f);
    damage_step(s);
    if (shoot(s)) fire_from(s, kCeilingMuzzle[f]);
}

void movehovertank(Sprite* s) {
    const int d = std::min(aim_direction(s), 6);
    setframe(s, d);
    if (shoot(s)) fire_from(s, kFloorMuzzle[d]);
    movealongground(s, s->x > 600 ? -8 : -5);
    damage_step(s);
}
