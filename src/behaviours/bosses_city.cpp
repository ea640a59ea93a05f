// The city boss: a body that wanders on random legs and, between legs, opens
// one eye for a moment. Only shots into an open eye hurt the body. Also the
// squirming shot that some of its eyes fire.
#include "audio/Sample.h"
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

enum CityState { kArriving = 0, kNewLeg = 1, kWalking = 2, kOpening = 3, kWatching = 4 };
constexpr int kFirstEye = 5;
constexpr int kEyeKinds = 4;
constexpr int kOpenFrame = 4;

struct Eye {
    const char* name;
    const char* left_shot;
    int left_dy;
    const char* right_shot;
    int right_dy;
};
constexpr Eye kEyes[kEyeKinds] = {
    {"citybosseyesone", "enemyshottwo", 50, "enemyshottwo", 50},
    {"citybosseyestwo", "citybossshotone", 50, "citybossshotfour", 5},
    {"citybosseyesthree", "citybossshotfour", 5, "citybossshotone", 50},
    {"citybosseyesfour", "enemyshottwo", 50, "enemyshottwo", 50},
};
constexpr int kRightShotFrom = 335;  // the eye sees past this much of the body

// The body's art is drawn from a point (110, 90) inside its frames. The
// frames are shared with the master, so the shift is made once per master,
// which records it in param9.
void shift_frames_once(Sprite* body) {
    for (Sprite* m : Sprite::list_of_master_sprites) {
        if (m->frames.empty() || body->frames.empty() || m->frames[0] != body->frames[0]) continue;
        if (m->param9 != 0) return;
        m->param9 = 1;
        for (Sprite::frame* f : m->frames) {
            f->xoffset += 110;
            f->yoffset += 90;
        }
        return;
    }
}

void walk(Sprite* s) {
    s->x += s->param2;
    s->y += s->param3;
    animateloop(s);
    s->param1 -= 1;
    if (s->param1 < 1) s->state = kOpening;
    bounce(s->x, s->param2, 0, 620);
    bounce(s->y, s->param3, 0, 350);
}

void open_eye(Sprite* s) {
    if (s->framenumber != 1) {
        animateloop(s);
        return;
    }
    s->state = kWatching;
    const int k = game_rand() % kEyeKinds;
    if (Sprite* eye = spawn_child_part(s, kEyes[k].name, s->x - 63, s->y + 27, s->layer))
        eye->state = kFirstEye + k;
}

void eye(Sprite* s) {
    const Eye& kind = kEyes[s->state - kFirstEye];
    const Target t = nearer_player(s->x, s->y);
    if (t.h < s->x && shoot(s)) s->spawnbyname(kind.left_shot, s->x - 15, s->y + kind.left_dy, 0, 0);
    if (t.h > s->x + kRightShotFrom && shoot(s))
        s->spawnbyname(kind.right_shot, s->x + 340, s->y + kind.right_dy, 0, 0);

    // The eye's hit points are its timer: it opens, stays open while they
    // run down, then closes and is gone.
    if (s->hitpoints == 1) {
        if (s->framenumber == 1) s->hitpoints = 0;
        animateloopbackwards(s);
    } else {
        if (s->framenumber != kOpenFrame) animateloop(s);
        s->hitpoints -= 1;
    }

    const int n = s->hitsomthing(kHitPlayerShot);
    Sprite* body = s->parent;
    if (n == 0 || body == nullptr) return;
    thesample.play("g3");
    const bool was_alive = body->hitpoints >= 1;
    body->hitpoints -= n;
    if (was_alive && body->hitpoints < 1) {
        bossexplode(body, true);
        scroll += 1;
    }
}

}  // namespace

void movecityboss(Sprite* s) {
    switch (s->state) {
        case kArriving:
            if (s->param4 == 0) {
                s->param4 = 1;
                shift_frames_once(s);
            }
            if (s->x < 400) {
                scroll -= 1;
                s->state = kNewLeg;
            }
            break;
        case kNewLeg:
            s->param1 = 30 + game_rand() % 51;
            s->param2 = game_rand() % 21 - 10;
            s->param3 = game_rand() % 21 - 10;
            s->state = kWalking;
            break;
        case kWalking: walk(s); break;
        case kOpening: open_eye(s); break;
        case kWatching:
            if (!has_living_children(s)) s->state = kNewLeg;
            break;
        default:
            if (s->state >= kFirstEye && s->state < kFirstEye + kEyeKinds) eye(s);
            break;
    }
}

void movesqurmyshot(Sprite* s) {
    const Target t = nearer_player(s->x, s->y);
    s->x += t.h > s->x ? 5 : -5;
    s->y += t.v > s->y ? 5 : -5;
    damage_step(s);
    animatebackandforth(s);
}
