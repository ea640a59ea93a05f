// The crystal gauntlet: two openers close the level for a fixed time while
// one of them releases crystals that sweep the screen, changing between a
// vertical and a horizontal form to cut across the ships' paths.
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

constexpr const char* kSilverVertical = "crystalbosssilververticle";
constexpr const char* kSilverHorizontal = "crystalbosssilverhorizontal";
constexpr const char* kRedVertical = "crystalbossredverticle";
constexpr const char* kRedHorizontal = "crystalbossredhorizontal";

constexpr int kCrystalStep = 4;
constexpr int kBandWidth = 35;  // a crystal's reach across its path

bool six_in_thirteen() { return game_rand() % 13 > 6; }

// The gate closes as the opener passes `close_at` and opens when its hit
// points, which run down one a frame, are gone: shots do not shorten it.
void gate_timer(Sprite* s, int close_at) {
    if (s->state == 0 && s->x < close_at) {
        s->state = 1;
        scroll -= 1;
    }
    s->hitpoints -= 1;
    if (s->hitpoints < 1) {
        scroll += 1;
        bossexplode(s, true);
    }
}

void release_crystal(Sprite* s) {
    const bool red = six_in_thirteen();
    Sprite* c = spawn_part(s, red ? kRedVertical : kSilverVertical, s->x + 7, s->y, 0, kLevelFront);
    if (c == nullptr) return;
    c->hitpoints = 4 * basehitpoints + totalpoweruplevel;
    if (red) {
        c->param1 = 45;  // sinks 180 pixels out of the opener first
        c->state = 0;
    } else {
        c->param1 = 15;
        c->param2 = 2;
    }
}

// The crystal becomes its other form, spawned at its own place with its hit
// points; `setup` chooses the new form's course.
template <class Setup>
void turn_into(Sprite* s, const char* form, Setup setup) {
    if (Sprite* c = spawn_part(s, form, s->x, s->y, s->layer, kLevelBack)) {
        c->hitpoints = s->hitpoints;
        c->param1 = 0;
        setup(*c);
    }
    s->hitpoints = 0;
}

void crystal_damage(Sprite* s) {
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) explode(s, true, 0);
}

// Released crystals first leave the opener: param1 < 0 rises, > 0 sinks,
// one count a frame.
void leave_opener(Sprite* s) {
    if (s->param1 < 0) {
        s->y -= kCrystalStep;
        animateloop(s);
        s->param1 += 1;
    } else if (s->param1 > 0) {
        s->y += kCrystalStep;
        animateloopbackwards(s);
        s->param1 -= 1;
    }
}

void rise(Sprite* s) {
    s->y -= kCrystalStep;
    animateloop(s);
}

void sink(Sprite* s) {
    s->y += kCrystalStep;
    animateloopbackwards(s);
}

// States 1 (rising, turning down near the top) and 2 (sinking): true when a
// sinking shard has passed `bottom`, for the caller to decide what follows.
bool sweep_vertically(Sprite* s, int bottom) {
    if (s->state == 1) {
        rise(s);
        if (s->y < 50) s->state = 2;
        return false;
    }
    sink(s);
    return s->y > bottom;
}

}  // namespace

void movecrystalopenerdown(Sprite* s) {
    animatebackandforth(s);
    // Like a hatch, it counts its frames on the open image in `reverse` and
    // releases on the second.
    if (s->curframe == s->lastframe) {
        if (s->reverse == 1) {
            s->reverse = 0;
            release_crystal(s);
        }
        s->reverse += 1;
    }
    gate_timer(s, 10);
}

void movecrystalopenerup(Sprite* s) {
    animatebackandforth(s);
    gate_timer(s, 500);
}

void movecrystalbosssilverhorizontal(Sprite* s) {
    const bool leftward = s->state == 0;
    if (leftward) {
        animateloopbackwards(s);
        s->x -= 5;
    } else {
        animateloop(s);
        s->x += 5;
    }
    if (leftward ? s->x < 20 : s->x > 600) {
        turn_into(s, kSilverVertical, [](Sprite& c) { c.state = six_in_thirteen() ? 2 : 1; });
        return;
    }
    crystal_damage(s);
}

void movecrystalbossredhorizontal(Sprite* s) {
    if (s->state == 1) {
        s->x -= kCrystalStep;
        animateloop(s);
        if (s->x < 10) s->state = 2;
    } else if (s->state == 2) {
        s->x += kCrystalStep;
        animateloopbackwards(s);
        if (s->x > 600) s->state = 1;
    }
    const Target t = nearer_player(s->x, s->y);
    if (t.h > s->x && t.h < s->x + kBandWidth) {
        const int course = s->y > t.v ? 1 : 2;  // rise toward a ship above, sink toward one below
        turn_into(s, kRedVertical, [course](Sprite& c) { c.state = course; });
        return;
    }
    if (s->state != 0) crystal_damage(s);
}

void movecrystalbosssilververticle(Sprite* s) {
    leave_opener(s);
    if (s->param1 != 0) return;
    switch (s->state) {
        case 0: s->state = s->param2; return;
        case 1:
        case 2:
            if (sweep_vertically(s, 280)) s->state = 1;
            break;
        default: break;
    }
    if (s->state == 1 || s->state == 2) {
        const Target t = nearer_player(s->x, s->y);
        if (t.v > s->y && t.v < s->y + kBandWidth) {
            const int course = s->x > t.h ? 0 : 1;  // toward the ship's side
            turn_into(s, kSilverHorizontal, [course](Sprite& c) { c.state = course; });
            return;
        }
    }
    crystal_damage(s);
}

void movecrystalbossredverticle(Sprite* s) {
    leave_opener(s);
    if (s->param1 != 0) return;
    switch (s->state) {
        case 0: {
            const int course = s->x > nearer_player(s->x, s->y).h ? 1 : 2;
            turn_into(s, kRedHorizontal, [course](Sprite& c) { c.state = course; });
            return;
        }
        case 1:
        case 2:
            if (sweep_vertically(s, 270)) {
                turn_into(s, kRedHorizontal,
                          [](Sprite& c) { c.state = game_rand() % 13 > 5 ? 1 : 2; });
                return;
            }
            break;
        default: break;
    }
    crystal_damage(s);
}
