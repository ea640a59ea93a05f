// Explosions and what they drop: the helpers every enemy dies through and the
// explosions' own behaviours.
#pragma once

#include "sprites/Sprite.h"

void explode(Sprite* s, bool drop, int size);
void bossexplode(Sprite* s, bool drop);
void moveexplosion(Sprite* s);
void moverockexplosion(Sprite* s);
