// Meteors and blobs that break into bouncing fragments where they are hit,
// and burst into a last shower of them when destroyed.
#include <algorithm>

#include "behaviours/enemy_ships.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

constexpr int kFragmentDx = 40;
constexpr int kFragmentDy = 50;

// A fragment thrown off by a hit, with a speed of -10..10 by -8..6.
void throw_hit_fragment(const Sprite* s, const char* fragment) {
    spawn_variant(fragment, s->x + kFragmentDx, s->y + kFragmentDy, 0, kLevelBack, [](Sprite& m) {
        m.param1 = game_rand() % 21 - 10;
        m.param2 = game_rand() % 15 - 8;
    });
}

// The burst at death: the first fragment always; after fragment k a limit
// n = 3..10 is drawn and fragment k + 1 follows while k + 1 <= n, so at
// least three and at most ten.
void last_burst(const Sprite* s, const char* fragment) {
    int k = 0;
    int n = 0;
    do {
        spawn_variant(fragment, s->x + kFragmentDx, s->y + kFragmentDy, 0, kLevelBack, [](Sprite& m) {
            m.param1 = game_rand() % 17 - 8;
            m.param2 = game_rand() % 15 - 8;
        });
        ++k;
        n = 3 + game_rand() % 8;
    } while (k + 1 <= n);
}

// Moves by (param1, param2), turning back on each axis where it meets scenery.
void bounce(Sprite* s) {
    s->x += s->param1;
    if (s->hitlayer(1) != 0) {
        s->param1 = -s->param1;
        s->x += s->param1;
    }
    s->y += s->param2;
    if (s->hitlayer(1) != 0) {
        s->param2 = -s->param2;
        s->y += s->param2;
    }
}

// Legs of 7 moving frames in a random direction; one frame between legs is
// spent choosing. While the level stands still the blob stays on screen.
void blob_wander(Sprite* s) {
    animatebackandforth(s);
    if (s->param2 >= 1) {
        s->param2 = -6;
        s->param3 = game_rand() % 11 - 5;
        s->param4 = game_rand() % 13 - 5;
    } else {
        s->param2 += 1;
        movespritelayer(s, s->param3, s->param4);
    }
    if (scroll < 1) {
        s->x = std::clamp(s->x, 0, 620);
        s->y = std::clamp(s->y, 0, 420);
    }
}

}  // namespace

void movespacemeteorbig(Sprite* s) {
    if (s->state == 0) s->state = 1 + game_rand() % 2;
    if (s->state == 1)
        animateloop(s);
    else
        animateloopbackwards(s);
    const int h = s->hitsomthing(kHitPlayerShot);
    if (h > 0) {
        for (int i = 0; i < h; ++i) throw_hit_fragment(s, "spacemetiorsmall");
        s->hitpoints -= h;
    }
    if (s->hitpoints < 1) {
        last_burst(s, "spacemetiorsmall");
        explode(s, true, 0);
    }
}

// Debris: it vanishes when shot or off the screen, without an explosion.
void movespacemeteorsmall(Sprite* s) {
    animateloop(s);
    bounce(s);
    s->hitpoints -= s->hitsomthing(kHitPlayerShot);
    if (outside_shot_area(s->x, s->y)) s->hitpoints = 0;
}

void movecrystalblobbig(Sprite* s) {
    blob_wander(s);
    const int h = s->hitsomthing(kHitPlayerShot);
    if (h > 0) {
        for (int k = 1; k <= h; k += 2) throw_hit_fragment(s, "crystalblobsmall");
        s->hitpoints -= h;
    }
    if (s->hitpoints < 1) {
        last_burst(s, "crystalblobsmall");
        explode(s, true, 0);
    }
}

void movecrystalblobsmall(Sprite* s) {
    animateloop(s);
    bounce(s);
    s->hitpoints -= s->hitsomthing(kHitPlayerShot);
    if (s->hitpoints < 1) {
        explode(s, false, 0);
        return;
    }
    if (s->x > 640) s->hitpoints = 0;
}

void movewaterblob(Sprite* s) {
    blob_wander(s);
    damage_step(s);
}
