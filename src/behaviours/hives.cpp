// Hives that release bees, and the bees, which change between a flying and
// an attacking form by spawning the other form in their place; the new form
// carries on with the old one's hit points.
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

const char* pick_bee() { return game_rand() % 13 < 6 ? "hivebeebluefly" : "hivebeeyellow"; }

// Spawns `form` where s is, with s's hit points and whatever `tweak` adds,
// and retires s.
void become(Sprite* s, const char* form, const MasterTweak& tweak) {
    const int hitpoints = s->hitpoints;
    spawn_variant(form, s->x, s->y, 0, kLevelBack, [&](Sprite& m) {
        m.hitpoints = hitpoints;
        tweak(m);
    });
    s->hitpoints = 0;
}

// The drop out of a hanging hive (param1 > 0) or rise out of a standing one
// (param1 < 0). Returns true while it lasts.
bool bee_entry(Sprite* s) {
    if (s->param1 > 0) {
        movespritelayer(s, 0, 5);
        s->param1 -= 1;
        return true;
    }
    if (s->param1 < 0) {
        movespritelayer(s, 0, -5);
        s->param1 += 1;
        return true;
    }
    return false;
}

}  // namespace

void movehivedown(Sprite* s) {
    if (shoot(s)) {
        const char* bee = pick_bee();
        spawn_variant(bee, s->x + 30, s->y + 25, 0, kLevelFront, [](Sprite& m) {
            m.param1 = 15;
            m.hitpoints = basehitpoints + totalpoweruplevel;
        });
    }
    damage_step(s);
}

void movehiveup(Sprite* s) {
    if (shoot(s)) {
        const char* bee = pick_bee();
        spawn_variant(bee, s->x + 25, s->y, 0, kLevelFront, [](Sprite& m) { m.param1 = -12; });
    }
    damage_step(s);
}

void movehivebeebluefly(Sprite* s) {
    animateloop(s);
    bee_entry(s);
    if (!damage_step(s)) return;
    if (s->param2 == 1) {
        // Retreat to the right after an attack.
        movespritelayer(s, 10, 0);
        s->param3 -= 1;
        if (s->param3 < 1) s->param2 = 0;
    } else if (shoot(s)) {
        become(s, "hivebeeblueattack", [](Sprite& m) { m.param1 = 0; });
    }
}

// Runs through its frames once, aims like an enemy shot and flies straight;
// off the screen or into scenery it turns back into a fly that retreats.
void movehivebeeblueattack(Sprite* s) {
    changeframe(s, 1);
    if (s->param1 < 1) {
        s->param1 = 1;
        // Spawned right on its aim point: go straight left, as attacks do.
        if (!aim_at_nearer_player(s)) {
            s->dirx = -1.0f;
            s->diry = 0.0f;
        }
        return;
    }
    fly_along_aim(s);
    if (s->x < 0 || s->x > 620 || s->y < 0 || s->y > 416 || s->hitlayer(1) != 0) {
        become(s, "hivebeebluefly", [](Sprite& m) {
            m.param1 = 0;
            m.param2 = 1;
            m.param3 = 25;
        });
        return;
    }
    damage_step(s);
}

void movehivebeeyellow(Sprite* s) {
    animateloop(s);
    if (bee_entry(s)) {
        s->param2 = 1;
        s->param3 = 10;
    }
    if (s->param2 != 1) {
        if (!damage_step(s)) return;
        if (shoot(s)) {
            const int param4 = s->param4;
            become(s, "hivebeeyellowattack", [=](Sprite& m) { m.param4 = param4; });
        }
    } else {
        dodge_step(s, false);
        damage_step(s);
    }
}

// Never fires: once past the ship it turns back into a dodging yellow bee.
void movehivebeeyellowattack(Sprite* s) {
    animateloop(s);
    if (!damage_step(s)) return;
    const Target t = nearer_player(s->x, s->y);
    if (s->x < t.h) {
        const int param4 = s->param4;
        become(s, "hivebeeyellow", [=](Sprite& m) {
            m.param1 = 0;
            m.param2 = 1;
            m.param3 = 10;
            m.param4 = param4;
        });
    }
}

void movehivetendralsdown(Sprite* s) { animatebackandforth(s); }
void movehivetendralsup(Sprite* s) { animatebackandforth(s); }
