// Hatches in the floor and ceiling that open, release a ship and close.
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"

namespace {

struct Release {
    const char* ship;
    int push;  // the ship's param1: frames it rises (< 0) or sinks (> 0)
    int dx, dy;
};

// The hatch counts its frames on the open image in `reverse`: the first
// sets it to 1, and the ship leaves on the next (the animation reads the
// same 1 as "going back", which it is about to do anyway).
void hatch(Sprite* s, const Release& r) {
    animatebackandforth(s);
    if (s->curframe == s->lastframe) {
        if (s->reverse == 1) {
            s->reverse = 0;
            spawn_variant(r.ship, s->x + r.dx, s->y + r.dy, 0, kLevelFront,
                          [&](Sprite& m) { m.param1 = r.push; });
        }
        s->reverse += 1;
    }
    damage_step(s);
}

}  // namespace

void movemetalopenerup(Sprite* s) { hatch(s, {"metalgreenship", -11, 20, 0}); }
void movemetalopenerdown(Sprite* s) { hatch(s, {"metalgreenship", 11, 20, 10}); }
void movecaveopenerup(Sprite* s) { hatch(s, {"caveredship", -11, 20, 0}); }
void movecaveopenerdown(Sprite* s) { hatch(s, {"caveredship", 12, 20, 20}); }
