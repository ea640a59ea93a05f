// The mountain boss: a wandering body carrying a core, three eyes under
// lids, two indicators, four cannons and three energy beams. Hitting both
// lower (trigger) eyes lights them and exposes the top (target) eye; three
// hits on the exposed target eye end the boss.
#include "audio/Sample.h"
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

enum BodyState { kNew = 0, kComing = 1, kCore = 2, kChooseLeg = 3, kLeg = 4 };
constexpr int kIndicatorDone = 4;

struct Part {
    const char* name;
    int dx, dy;
    int state;
    int param3;
};
// Each eye comes immediately before its lid, so the lid is the eye's next
// sprite in the chain.
constexpr Part kParts[] = {
    {"mountainbosseye", -18, 12, 0, 1},   {"mountainbosseyelid", -20, 12, 0, 1},
    {"mountainbosseye", 23, 130, 0, 0},   {"mountainbosseyelid", 21, 130, 0, 0},
    {"mountainbosseye", -17, 250, 1, 0},  {"mountainbosseyelid", -19, 250, 0, 1},
    {"mountainbosseyetwo", 17, 15, 0, 0}, {"mountainbosseyetwo", 17, 252, 1, 0},
    {"mountainbosscannonup", -43, -35, 0, 0},   {"mountainbosscannonup", -42, 203, 0, 0},
    {"mountainbosscannondown", -42, 37, 0, 0},  {"mountainbosscannondown", -41, 275, 0, 0},
    {"mountainbossenergyhorizontal", 138, 127, 0, 0},
    {"mountainbossenergyverticle", 177, 78, 0, 0}, {"mountainbossenergyverticle", 177, 197, 1, 0},
};

void spawn_parts(Sprite* body) {
    if (Sprite* core = spawn_child_part(body, "mountainboss", body->x + 130, body->y - 25, body->layer)) {
        core->state = kCore;
        core->param1 = 130;
        core->param2 = -25;
    }
    for (const Part& p : kParts) {
        Sprite* part = spawn_child_part(body, p.name, body->x + p.dx, body->y + p.dy, body->layer);
        if (part == nullptr) continue;
        part->param1 = p.dx;
        part->param2 = p.dy;
        part->state = p.state;
        part->param3 = p.param3;
    }
}

void end_boss(Sprite* body) {
    body->hitpoints = 0;
    for (Sprite* c = body->nextchild; c != nullptr; c = c->nextchild) c->hitpoints = 0;
}

void core(Sprite* s) {
    Sprite* body = s->parent;
    if (body == nullptr) return;
    s->x = body->x + 130;
    s->y = body->y - 25;
    if (body->param4 != 1) return;
    setframe(s, 3);
    scroll += 1;
    // The dying body lurches.
    body->x += 3;
    body->y += 1;
    if (body->x > 360) body->x -= 2;
    s->hitpoints = 1;
}

// Every part rides on the body at its offset (param1, param2). Returns the
// body, or null for a part without one.
Sprite* ride_on_body(Sprite* s) {
    Sprite* body = s->parent;
    if (body != nullptr) {
        s->x = body->x + s->param1;
        s->y = body->y + s->param2;
    }
    return body;
}

// Lid steps, paced by the lid's own delay and count.
void lid_forward(Sprite* lid) {
    if (lid->framecount >= lid->framedelay) {
        lid->framecount = 0;
        changeframe(lid, 1);
    } else {
        lid->framecount += 1;
    }
}

void lid_back(Sprite* lid) {
    if (lid->framecount > lid->framedelay) {
        lid->framecount = 0;
        changeframe(lid, -1);
    } else {
        lid->framecount += 1;
    }
}

Sprite* lid_of(const Sprite* eye) {
    Sprite* next = eye->nextchild;
    return next != nullptr && next->behavior == movemountainbosseyelid ? next : nullptr;
}

bool hit(Sprite* s) {
    if (s->hitsomthing(kHitPlayerShot) == 0) return false;
    thesample.play("g3");
    return true;
}

void trigger_eye(Sprite* s, Sprite* body, Sprite* lid) {
    int& lit = s->state == 0 ? body->param1 : body->param2;
    if (lid == nullptr || lid->curframe == lid->firstframe) {
        animateloop(s);
        if (hit(s)) lit = 1;
    }
    if (lid == nullptr) return;
    if (lit == 1) lid_back(lid);
    else animatebackandforth(lid);
}

void target_eye(Sprite* s, Sprite* body, Sprite* lid) {
    if (body->param1 != 1 || body->param2 != 1) {
        if (lid != nullptr) lid_back(lid);
        return;
    }
    if (lid != nullptr) lid_forward(lid);
    setframe(s, 5);
    // One hit point per opening, whatever the shot's damage; the trigger
    // eyes must be lit again for the next.
    if (!hit(s)) return;
    body->param1 = 0;
    body->param2 = 0;
    s->hitpoints -= 1;
    if (s->hitpoints < 1) body->param4 = 1;
}

struct CannonAim {
    int frame;
    bool fires;
    int dx, dy;
};
// By direction 1..16 (index d - 1).
constexpr CannonAim kCannonAims[16] = {
    {3, true, -15, 5}, {2, true, -15, 0}, {2, true, -5, -5}, {1, true, 20, -50},
    {1, false, 0, 0},  {1, false, 0, 0},  {1, false, 0, 0},  {1, false, 0, 0},
    {1, false, 0, 0},  {5, false, 0, 0},  {5, false, 0, 0},  {5, true, 20, 20},
    {5, true, 20, 20}, {4, true, 20, 20}, {4, true, 20, 20}, {3, true, 20, 20},
};

void cannon(Sprite* s) {
    ride_on_body(s);
    if (s->hitpoints < 1) {
        explode(s, true, 0);
        return;
    }
    const CannonAim& a = kCannonAims[(findangletoplayer(s->x, s->y + 10) - 1) & 15];
    setframe(s, a.frame);
    if (a.fires && shoot(s)) s->spawnbyname("enemyshot", s->x + a.dx, s->y + a.dy, 0, 0);
}

// Lids, indicators and beams burst when the body ends the boss.
bool burst_when_dead(Sprite* s) {
    if (s->hitpoints >= 1) return false;
    bossexplode(s, true);
    return true;
}

}  // namespace

void movemountainboss(Sprite* s) {
    switch (s->state) {
        case kCore: core(s); return;
        case kNew:
            s->state = kComing;
            spawn_parts(s);
            break;
        case kComing:
            if (s->x < 350) {
                scroll -= 1;
                s->state = kChooseLeg;
            }
            break;
        case kChooseLeg:
            s->state = kLeg;
            s->param6 = 30 + game_rand() % 51;
            s->param7 = game_rand() % 21 - 10;
            s->param8 = game_rand() % 21 - 10;
            break;
        case kLeg:
            s->x += s->param7;
            s->y += s->param8;
            s->param6 -= 1;
            if (s->param6 < 1) s->state = kChooseLeg;
            bounce(s->x, s->param7, 55, 620);
            bounce(s->y, s->param8, -150, 370);
            break;
        default: break;
    }
    if (s->param4 == 1) end_boss(s);
    if (s->hitpoints < 1) bossexplode(s, true);
}

void movemountainbosseye(Sprite* s) {
    Sprite* body = ride_on_body(s);
    if (body == nullptr || s->hitpoints < 1) return;
    if (s->param3 > 0) target_eye(s, body, lid_of(s));
    else trigger_eye(s, body, lid_of(s));
}

void movemountainbosseyetwo(Sprite* s) {
    Sprite* body = ride_on_body(s);
    if (burst_when_dead(s) || body == nullptr) return;
    switch (s->state) {
        case 0:
        case 1: {
            // The placed indicator hands its lights over to a copy of its own.
            const int watches = s->state == 0 ? 2 : 3;
            s->state = kIndicatorDone;
            setframe(s, 1);
            if (Sprite* copy = spawn_child_part(body, "mountainbosseyetwo", s->x, s->y, s->layer)) {
                copy->param1 = s->param1;
                copy->param2 = s->param2;
                copy->state = watches;
            }
            break;
        }
        case 2: setframe(s, body->param1 == 1 ? 3 : 2); break;
        case 3: setframe(s, body->param2 == 1 ? 3 : 2); break;
        default: break;
    }
}

void movemountainbosseyelid(Sprite* s) {
    ride_on_body(s);
    burst_when_dead(s);
}

void movemountainbosscannonup(Sprite* s) { cannon(s); }
void movemountainbosscannondown(Sprite* s) { cannon(s); }

void movemountainbossenergyhorizontal(Sprite* s) {
    ride_on_body(s);
    if (burst_when_dead(s)) return;
    animateloopbackwards(s);
}

void movemountainbossenergyverticle(Sprite* s) {
    ride_on_body(s);
    if (burst_when_dead(s)) return;
    if (s->state != 0) animateloop(s);
    else animateloopbackwards(s);
}
