// The cave boss: a spinning wheel that rides up and down between obstacles.
// A level may hold several; each holds the scroll gate by one.
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

constexpr int kSpinForwards = 1;
constexpr int kGoingUp = 1;

void arrive(Sprite* s) {
    // One that comes on screen after another boss stopped the level starts
    // its spin at a random pace, so the wheels do not turn in step.
    if (s->x >= 400) {
        if (scroll >= 1) return;
        s->framedelay = game_rand() % 2;
    }
    scroll -= 1;
    s->state = 1;
    s->param1 = 1 + game_rand() % 2;
    s->param2 = 1 + game_rand() % 2;
}

void spin(Sprite* s) {
    if (s->param1 == kSpinForwards) animateloop(s);
    else animateloopbackwards(s);
    // A shot on every frame that shows the first image.
    if (s->curframe == s->firstframe)
        s->spawnbyname("enemyshottwo", s->x - 40, s->y + 10, 0, 0);
}

// Two pixels, one at a time; touching another enemy turns it back.
void ride(Sprite* s) {
    if (s->param2 != 1 && s->param2 != 2) return;
    for (int i = 0; i < 2; ++i) {
        const int dy = s->param2 == kGoingUp ? -1 : 1;
        s->y += dy;
        if (s->hitsomthing(kHitEnemy) != 0) {
            s->y -= dy;
            s->param2 = s->param2 == kGoingUp ? 2 : 1;
        }
    }
}

}  // namespace

void movecaveboss(Sprite* s) {
    if (s->state == 0) arrive(s);
    if (s->state == 1) spin(s);
    // A wheel under fire holds still.
    if (take_boss_hits(s) == 0) ride(s);
    if (s->hitpoints < 1) {
        scroll += 1;
        explode(s, true, 0);
    }
}
