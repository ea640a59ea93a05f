// What the bosses share: the scroll gate, hits that sound, the state of a
// boss's chain, and spawning parts that the spawner then sets up itself.
#pragma once

#include "sprites/Sprite.h"

// Boss parts sound on every hit. Takes the player shots touching s off its
// hit points; returns their damage (0 when nothing hit).
int take_boss_hits(Sprite* s);

// Any living sprite in s's chain after s. A dead child stays linked until the
// next rebuild of the active list prunes it; it no longer counts here.
bool has_living_children(const Sprite* s);

// A copy of the named master spawned into the level list (`where` 0 at the
// back, 1 at the front) and returned so the caller can set it up; null when
// no master has that name. Masters stay as registered.
Sprite* spawn_part(Sprite* s, const char* name, int x, int y, int layer, int where);
// A copy appended at the end of the chain that holds `parent`; null as above.
Sprite* spawn_child_part(Sprite* parent, const char* name, int x, int y, int layer);
// A copy inserted in the chain directly after `parent`; null as above.
Sprite* spawn_child_part_after(Sprite* parent, const char* name, int x, int y, int layer);

// Points dirx, diry at (tx, ty), the larger component +-1. A target exactly
// on the sprite gives no direction: returns false, dirx and diry unchanged.
bool aim_at(Sprite* s, int tx, int ty);

// The middle of a sprite's current image (its position without frames).
struct Centre {
    int x = 0;
    int y = 0;
};
Centre centre_of(const Sprite* s);

// Past a bound, `v` is set on it and `speed` turns round.
void bounce(int& v, int& speed, int lo, int hi);
