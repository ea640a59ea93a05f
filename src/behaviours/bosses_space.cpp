// The space boss: a ship on the scenery layer that sweeps the screen with
// eight cannons bolted on, and flies off to burst once they are all gone.
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "state/globals.h"

namespace {

constexpr int kCannonsPerSide = 4;

enum Route { kWaiting, kRight, kDown, kLeft, kUp, kRightAgain, kDisarmed };

struct Offset {
    int dx, dy;
};

// Where each cannon sits on the ship, by slot 1..4.
constexpr Offset kUpperSlots[kCannonsPerSide] = {{43, 127}, {227, 93}, {377, 125}, {551, 126}};
constexpr Offset kLowerSlots[kCannonsPerSide] = {{97, 300}, {228, 308}, {375, 275}, {555, 278}};

// The frame that faces direction d (1..16), by index d - 1.
constexpr int kUpperFrame[16] = {1, 2, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 1, 1, 1, 1};
constexpr int kLowerFrame[16] = {1, 1, 1, 1, 1, 8, 8, 8, 7, 6, 5, 4, 3, 2, 1, 1};

// The muzzle of each frame, by index frame - 1.
constexpr Offset kUpperMuzzle[8] = {{-15, 5},  {-15, 0},  {-5, -5},  {20, -50},
                                    {35, -50}, {45, -40}, {95, -30}, {95, 0}};
constexpr Offset kLowerMuzzle[8] = {{-15, 20}, {-15, 20}, {-10, 35}, {20, 50},
                                    {35, 65},  {45, 60},  {95, 35},  {95, 30}};

struct CannonKind {
    const Offset* slots;
    const int* frame_for;
    const Offset* muzzle;
};

void arm(Sprite* boss) {
    boss->param1 = 1;
    boss->layer = 1;
    for (const char* name : {"spacebosscannonup", "spacebosscannondown"})
        for (int slot = 1; slot <= kCannonsPerSide; ++slot)
            if (Sprite* c = spawn_child_part(boss, name, boss->x, boss->y, boss->layer))
                c->reverse = slot;
}

void sweep(Sprite* s) {
    switch (s->param2) {
        case kWaiting:
            if (s->x < 25) {
                s->param2 = kRight;
                scroll -= 1;
            }
            break;
        case kRight:
        case kRightAgain:
            s->x += 6;
            if (s->x > (s->param2 == kRight ? 600 : 630)) s->param2 = kDown;
            break;
        case kDown:
            s->y += 12;
            if (s->y > 210) s->param2 = kLeft;
            break;
        case kLeft:
            s->x -= 6;
            if (s->x < -550) s->param2 = kUp;
            break;
        case kUp:
            s->y -= 12;
            if (s->y < -200) s->param2 = kRightAgain;
            break;
        default: break;
    }
}

int step_toward(int v, int target) { return v < target ? v + 3 : v - 3; }

void cannon(Sprite* s, const CannonKind& kind) {
    const Sprite* ship = s->parent;
    if (ship != nullptr && s->reverse >= 1 && s->reverse <= kCannonsPerSide) {
        const Offset at = kind.slots[s->reverse - 1];
        s->x = ship->x + at.dx;
        s->y = ship->y + at.dy;
    }
    const int d = findangletoplayer(s->x, s->y);
    const int f = kind.frame_for[(d - 1) & 15];
    setframe(s, f);

    if (take_boss_hits(s) != 0 &&
        (s->hitpoints < 1 || (ship != nullptr && ship->hitpoints < 1))) {
        explode(s, true, 0);
        if (s->hitpoints < 1) return;
    }

    if (shoot(s) && s->x < 640) {
        const Offset m = kind.muzzle[f - 1];
        s->spawnbyname("enemyshot", s->x + m.dx, s->y + m.dy, 0, 0);
    }
}

}  // namespace

void movespaceboss(Sprite* s) {
    if (s->param1 == 0) arm(s);
    sweep(s);
    if (has_living_children(s)) return;

    // All cannons gone: fly to the upper left and burst there.
    s->param2 = kDisarmed;
    s->x = step_toward(s->x, 100);
    s->y = step_toward(s->y, 100);
    if (s->x > 95 && s->x < 110 && s->y > 99 && s->y < 110) {
        bossexplode(s, true);
        s->hitpoints = 0;
        scroll += 1;
    }
}

void movespacebosscannonup(Sprite* s) { cannon(s, {kUpperSlots, kUpperFrame, kUpperMuzzle}); }
void movespacebosscannondown(Sprite* s) { cannon(s, {kLowerSlots, kLowerFrame, kLowerMuzzle}); }
