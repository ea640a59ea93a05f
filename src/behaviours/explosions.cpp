// Turning destroyed sprites into blasts and loot. These only spawn and play
// sounds; the dying sprite's own behaviour sets its hit points.
#include <algorithm>

#include "audio/Sample.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "util/random.h"

namespace {

// The dying sprite's current image: offsets and size (all 0 without frames).
struct Extent {
    int xoffset = 0;
    int yoffset = 0;
    int w = 0;
    int h = 0;
};

Extent extent_of(const Sprite* s) {
    Extent e;
    if (const Sprite::frame* f = s->current_frame()) {
        e.xoffset = f->xoffset;
        e.yoffset = f->yoffset;
        e.w = std::max(0, static_cast<int>(f->rect.right));
        e.h = std::max(0, static_cast<int>(f->rect.bottom));
    }
    return e;
}

// Weapon power-ups by drop number: blue 8 chances in 26, missile, heat-seeker
// and photon 4 each, star 6.
const char* weapon_drop() {
    static const char* const kNames[] = {"bluepowerup", "missilepowerup", "heatseekerpowerup",
                                         "photonpowerup", "starpowerup"};
    const int k = std::clamp((game_rand() % 26) / 4, 1, 5);
    return kNames[k - 1];
}

// 100 chances in 1001 of a weapon power-up, 400 of a score power-up.
const char* choose_drop() {
    const int r = game_rand() % 1001;
    if (r > 900) return weapon_drop();
    if (r > 500) return "powerup";
    return nullptr;
}

// A blast starts on the frame its master shows, so the master is set first.
void spawn_blast(Sprite* master, int frame, int x, int y) {
    setframe(master, frame);
    master->spawn(x, y, 0, 0);
}

}  // namespace

void explode(Sprite* s, bool drop, int size) {
    const Extent e = extent_of(s);
    if (drop) {
        thesample.play("g3");
        if (const char* name = choose_drop())
            s->spawnbyname(name, s->x + e.xoffset + e.w / 2, s->y + e.yoffset + e.h / 2 - 10, 0, 1);
    }
    if (size == 1) {
        Sprite* small = Sprite::getnamedsprite("standardexplosion");
        if (small == nullptr) return;
        for (int i = 1; i < e.h; i += 10) spawn_blast(small, 1, s->x + game_rand() % (e.w + 1), s->y + i);
        return;
    }
    if (Sprite* big = Sprite::getnamedsprite("standardexplosionbig"))
        spawn_blast(big, 1, s->x + e.xoffset + e.w / 2, s->y + e.yoffset + e.h / 2);
}

void bossexplode(Sprite* s, bool drop) {
    const Extent e = extent_of(s);
    Sprite* small_blast = Sprite::getnamedsprite("standardexplosion");
    Sprite* powerup = Sprite::getnamedsprite("powerup");
    Sprite* big_blast = Sprite::getnamedsprite("standardexplosionbig");
    bool small = false;
    for (int i = 1; i < e.h; i += 6) {
        small = !small;
        const int y = s->y + i;
        if (drop && powerup != nullptr) powerup->spawn(s->x + game_rand() % (e.w + 1), y, 0, 0);
        // Random starting frames make the blasts end at different times.
        if (small) {
            if (small_blast != nullptr) {
                const int frame = std::max(game_rand() % 21 - 5, 1);
                spawn_blast(small_blast, frame, s->x + game_rand() % (e.w + 1), y);
            }
        } else if (big_blast != nullptr) {
            const int frame = std::max(game_rand() % 14 - 5, 1);
            spawn_blast(big_blast, frame, s->x + game_rand() % (e.w + 1), y);
        }
    }
    thesample.play("ex9");
}

void moveexplosion(Sprite* s) { animateterminate(s); }

// Absorbs shots until its hit points run out, then crumbles once; hits during
// the crumbling hold it at 1 so it lasts to its last frame.
void moverockexplosion(Sprite* s) {
    s->hitpoints -= s->hitsomthing(kHitPlayerShot);
    if (s->hitpoints < 1) {
        s->hitpoints = 1;
        s->state = 1;
    }
    if (s->state == 1) animateterminate(s);
}
