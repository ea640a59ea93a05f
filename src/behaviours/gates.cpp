// Small gate sprites. The red gate stops the level where it stands; the
// others are scenery that does nothing.
#include "behaviours/ground.h"
#include "state/globals.h"

void moveredbossleft(Sprite* s) {
    if (s->state == 0 && s->x < 460) {
        s->state = 1;
        scroll -= 1;
    }
}

void movebluebossright(Sprite*) {}
void movebluebossleft(Sprite*) {}
void movebosscannonright(Sprite*) {}
void movebosscannonleft(Sprite*) {}
void moveshieldleft(Sprite*) {}
void moveshieldshotleft(Sprite*) {}
