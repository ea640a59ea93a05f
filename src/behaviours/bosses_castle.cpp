// The castle's bosses: the horse gate (a body with a head and a back that
// must both fall), and the dragon with three heads on long necks.
#include <cmath>
#include <cstdlib>

#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

// ---- horse ----
enum HorsePiece { kHorseNew = 0, kHorseComing = 1, kHorseHead = 2, kHorseBack = 3, kHorseHolding = 4 };

void horse_piece(Sprite* s, int muzzle_dx, int muzzle_dy) {
    animatebackandforth(s);
    if (shoot(s)) s->spawnbyname("enemyshottwo", s->x + muzzle_dx, s->y + muzzle_dy, 0, 0);
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) scroll += 1;
}

// ---- dragon heads ----
enum HeadState { kArriving = 0, kIdle = 1, kLunge = 2, kUp = 3, kDown = 4, kLeft = 5, kRight = 6 };

constexpr int kHeadStep = 4;
constexpr int kLungeSpeed = 4;

struct NeckKind {
    const char* name;
    int count;
    int state;
};
// Spawned in this order, each directly after the head: the first lies next
// to the head, the last two are the fixed base of the neck.
constexpr NeckKind kNeck[] = {{"neckone", 4, 1}, {"necktwo", 5, 2}, {"neckthree", 10, 3}, {"neckfour", 5, 4}};
constexpr int kNeckSegments = 24;

void build_neck(Sprite* head) {
    int n = 0;
    for (const NeckKind& kind : kNeck) {
        for (int i = 0; i < kind.count; ++i, ++n) {
            Sprite* seg = spawn_child_part_after(head, kind.name, head->x, head->y, head->layer);
            if (seg == nullptr) continue;
            seg->state = n == 0 ? 0 : kind.state;
            if (n >= kNeckSegments - 2) seg->param1 = 1;
        }
    }
}

void drift_in(Sprite* s) {
    switch (s->param1) {
        case 1: s->x -= 2; s->y -= 2; break;
        case 2: s->x -= 1; s->y -= 1; break;
        case 3: s->x -= 2; s->y += 1; break;
        default: break;
    }
    if (s->x < 40) s->state = kIdle;
}

void idle(Sprite* s) {
    animatebackandforth(s);
    // A shot on every frame that shows the last image; back on the first, a
    // new move.
    if (s->curframe == s->lastframe) {
        s->spawnbyname("enemyshottwo", s->x - 5, s->y + 25, 0, 0);
        s->param3 = 1;
    }
    if (s->curframe == s->firstframe && s->param3 == 1) {
        s->param3 = 0;
        s->state = 1 + game_rand() % 6;
        s->param1 = 20 + game_rand() % 31;
    }
}

void end_lunge(Sprite* s) {
    s->param2 = 0;
    s->state = kIdle;
}

// The aim of a lunge: the nearer ship's middle; equal distances take player two.
bool aim_lunge(Sprite* s) {
    const long d1 = std::labs(long(player1h) - s->x) + std::labs(long(player1v) - s->y);
    const long d2 = std::labs(long(player2h) - s->x) + std::labs(long(player2v) - s->y);
    const bool one = d1 < d2;
    return aim_at(s, (one ? player1h : player2h) + 35, (one ? player1v : player2v) + 5);
}

void lunge(Sprite* s) {
    if (s->param2 == 0) {
        // Wind up: to the top, then to the middle of the screen.
        if (s->y > 25) s->y -= kHeadStep;
        else if (s->x < 280) s->x += kHeadStep;
        else {
            s->param2 = 1;
            s->param1 = 0;
        }
        return;
    }
    if (s->param1 < 1) {
        s->param1 = 1;
        // A ship exactly at the aim point leaves nothing to lunge at.
        if (!aim_lunge(s)) end_lunge(s);
        return;
    }
    s->x = static_cast<int>(std::trunc(s->x + kLungeSpeed * s->dirx));
    s->y = static_cast<int>(std::trunc(s->y + kLungeSpeed * s->diry));
    if (s->y > 380) {
        s->y = 380;
        end_lunge(s);
    }
    if (s->y < 20) s->y = 20;
    if (s->x > 320 || s->x < 50) end_lunge(s);
    // The jaws open as it goes and stay open.
    if (s->framecount >= s->framedelay) {
        s->framecount = 0;
        if (s->curframe != s->lastframe) changeframe(s, 1);
    } else {
        s->framecount += 1;
    }
}

// A move lasts param1 frames; at the edge of its range it turns round instead.
void count_down_move(Sprite* s) {
    s->param1 -= 1;
    if (s->param1 < 1) s->state = kIdle;
}

// ---- neck segments ----
struct Band {
    int lo, hi, step;
};
constexpr Band kBands[] = {{15, 17, 4}, {-7, 7, 4}, {-10, 10, 4}, {-16, 16, 4}, {-22, 22, 2}};
constexpr Band kBandsVertical[] = {{5, 15, 4}, {-7, 7, 4}, {-10, 10, 4}, {-16, 16, 4}, {-22, 22, 2}};

int follow(int own, int leader, const Band& b) {
    if (own < leader + b.lo) return b.step;
    if (own > leader + b.hi) return -b.step;
    return 0;
}

}  // namespace

void movehorse(Sprite* s) {
    switch (s->state) {
        case kHorseNew:
            s->state = kHorseComing;
            if (Sprite* head = spawn_child_part(s, "horsehead", s->x - 77, s->y + 2, s->layer))
                head->state = kHorseHead;
            if (Sprite* back = spawn_child_part(s, "horseback", s->x + 152, s->y + 82, s->layer))
                back->state = kHorseBack;
            break;
        case kHorseComing:
            if (s->x < 400) {
                s->state = kHorseHolding;
                scroll -= 2;
            }
            break;
        case kHorseHead: horse_piece(s, 5, 65); break;
        case kHorseBack: horse_piece(s, -70, -45); break;
        case kHorseHolding:
            if (scroll > 0) s->hitpoints = 0;
            break;
        default: break;
    }
    if (s->hitpoints < 1) bossexplode(s, true);
}

void movebossdragon(Sprite* s) {
    if (s->state == 0) {
        s->state = 2;
        // The heads rise from the body, within reach of shots whatever layer
        // the body is drawn on.
        for (int head = 1; head <= 3; ++head)
            if (Sprite* h = spawn_part(s, "bossdragonhead", s->x, s->y, 0, 0)) h->param1 = head;
        scroll -= 3;
        return;
    }
    if (scroll > 0) {
        bossexplode(s, true);
        s->hitpoints = 0;
    }
}

void movedragonhead(Sprite* s) {
    if (s->param4 == 0) {
        s->param4 = 1;  // the neck is built once
        build_neck(s);
    }
    switch (s->state) {
        case kArriving: drift_in(s); return;
        case kIdle: idle(s); break;
        case kLunge: lunge(s); break;
        case kUp:
            s->y -= kHeadStep;
            count_down_move(s);
            if (s->y < 0) s->state = kDown;
            break;
        case kDown:
            s->y += kHeadStep;
            count_down_move(s);
            if (s->y > 300) s->state = kUp;
            break;
        case kLeft:
            s->x -= kHeadStep;
            count_down_move(s);
            if (s->x < 30) s->state = kRight;
            break;
        case kRight:
            s->x += kHeadStep;
            count_down_move(s);
            if (s->x > 310) s->state = kLeft;
            break;
        default: break;
    }
    take_boss_hits(s);
    if (s->hitpoints >= 1) return;
    scroll += 1;
    bossexplode(s, true);
    // The neck goes with the head, as debris without loot.
    for (Sprite* seg = s->nextchild; seg != nullptr; seg = seg->nextchild) bossexplode(seg, false);
}

void movedragonneckone(Sprite* s) {
    Sprite* leader = s->nextchild != nullptr ? s->nextchild : s->parent;
    if (leader != nullptr) {
        const Centre own = centre_of(s);
        const Centre lead = centre_of(leader);
        const int k = (s->state >= 0 && s->state <= 4) ? s->state : 1;
        const bool fixed = s->state == 4 && s->param1 == 1;  // the base of the neck
        if (!fixed) {
            s->x += follow(own.x, lead.x, kBands[k]);
            s->y += follow(own.y, lead.y, kBandsVertical[k]);
        }
        int d = findangletosprite(lead.x, lead.y, own.x, own.y);
        if (d > 12) d = 1;
        setframe(s, d);
    }
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) explode(s, true, 0);
}
