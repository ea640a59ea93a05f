#include "behaviours/bosses_common.h"

#include <algorithm>
#include <cstdlib>

#include "audio/Sample.h"

int take_boss_hits(Sprite* s) {
    const int n = s->hitsomthing(kHitPlayerShot);
    if (n != 0) {
        thesample.play("g3");
        s->hitpoints -= n;
    }
    return n;
}

bool has_living_children(const Sprite* s) {
    for (const Sprite* c = s->nextchild; c != nullptr; c = c->nextchild)
        if (c->hitpoints >= 1) return true;
    return false;
}

Sprite* spawn_part(Sprite* s, const char* name, int x, int y, int layer, int where) {
    if (Sprite::getnamedsprite(name) == nullptr || Sprite::the_level == nullptr) return nullptr;
    if (where != 0 && where != 1) return nullptr;
    const size_t before = Sprite::the_level->size();
    s->spawnbyname(name, x, y, layer, where);
    if (Sprite::the_level->size() == before) return nullptr;
    return where == 0 ? Sprite::the_level->back() : Sprite::the_level->front();
}

Sprite* spawn_child_part(Sprite* parent, const char* name, int x, int y, int layer) {
    if (Sprite::getnamedsprite(name) == nullptr) return nullptr;
    parent->spawnchildbyname(parent, name, x, y, layer);
    Sprite* last = parent;
    while (last->nextchild != nullptr) last = last->nextchild;
    return last == parent ? nullptr : last;
}

Sprite* spawn_child_part_after(Sprite* parent, const char* name, int x, int y, int layer) {
    if (Sprite::getnamedsprite(name) == nullptr) return nullptr;
    Sprite* const old_next = parent->nextchild;
    parent->spawnchildbynametwo(parent, name, x, y, layer);
    return parent->nextchild != old_next ? parent->nextchild : nullptr;
}

void bounce(int& v, int& speed, int lo, int hi) {
    if (v < lo) {
        v = lo;
        speed = -speed;
    } else if (v > hi) {
        v = hi;
        speed = -speed;
    }
}

bool aim_at(Sprite* s, int tx, int ty) {
    const long dx = long(tx) - s->x;
    const long dy = long(ty) - s->y;
    const long m = std::max(std::labs(dx), std::labs(dy));
    if (m == 0) return false;
    s->dirx = float(dx) / float(m);
    s->diry = float(dy) / float(m);
    return true;
}

Centre centre_of(const Sprite* s) {
    Centre c{s->x, s->y};
    if (const Sprite::frame* f = s->current_frame()) {
        c.x += f->xoffset + static_cast<int>(f->rect.right) / 2;
        c.y += f->yoffset + static_cast<int>(f->rect.bottom) / 2;
    }
    return c;
}
