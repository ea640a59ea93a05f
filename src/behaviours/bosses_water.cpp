// The water boss: a brain that sends out three waves of thirteen cells to
// circle it. Each cleared wave opens the scroll gate one notch.
#include "behaviours/bosses.h"
#include "behaviours/enemy_ships.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/rotation.h"
#include "state/globals.h"

namespace {

constexpr int kCloseAt = 80;        // frames after it comes on screen
constexpr int kFirstCellAt = 101;
constexpr int kCellsPerWave = 13;
constexpr int kCellInterval = 10;   // a cell every 11th frame
constexpr int kClosedGate = -2;     // three waves to clear
constexpr int kCellEntryStep = 46;  // degrees the cell's place is turned on spawning
constexpr int kCellTurnPerFrame = 5;
constexpr int kCellSinkEnd = 60;    // param2 counts 0, 2, ..., 60 while sinking

void spawn_cell(Sprite* boss) {
    Sprite* cell = spawn_child_part(boss, "waterbraincell", boss->x + 60, boss->y + 130, 1);
    if (cell == nullptr) return;
    // The cell sinks out of the boss first, then joins the circle; only its
    // centre and offset are set now.
    const int x = cell->x;
    const int y = cell->y;
    put_on_circle(cell, boss->x + 70, boss->y + 70, 90, 90, kCellEntryStep);
    cell->x = x;
    cell->y = y;
}

}  // namespace

void movewaterboss(Sprite* s) {
    animatebackandforth(s);
    s->param2 += 1;
    if (s->param2 == kCloseAt) scroll = kClosedGate;
    if (s->param2 < kFirstCellAt) return;

    if (s->param4 < kCellsPerWave) {
        s->param3 += 1;
        if (s->param3 > kCellInterval) {
            s->param3 = 0;
            s->param4 += 1;
            spawn_cell(s);
        }
        return;
    }
    if (has_living_children(s)) return;
    s->param4 = 0;
    scroll += 1;
    if (scroll > 0) {
        s->hitpoints = 0;
        bossexplode(s, true);
    }
}

void movewaterbraincell(Sprite* s) {
    animatebackandforth(s);
    if (s->param2 <= kCellSinkEnd) {
        s->y += 2;
        s->param2 += 2;
        return;
    }
    if (shoot(s)) s->spawnbyname("enemyshot", s->x, s->y + 20, 0, 0);
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) {
        // Shot down, it breaks loose and flies at the nearer ship.
        s->param2 = 100;
        s->hitpoints = 2;
        s->behavior = moveenemyshot;
        return;
    }
    rotate_offset(s, kCellTurnPerFrame);
    stand_on_circle(s);
}
