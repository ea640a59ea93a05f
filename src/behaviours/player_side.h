// The players' side: the two ships, their drones, shots and power-ups, and
// the portals that bring them in and take them out.
#pragma once

#include "sprites/Sprite.h"

// drones.cpp
void movedrone(Sprite* s);

// players.cpp
void moveplayer1(Sprite* s);
void moveplayer2(Sprite* s);

// portals.cpp
void moveentranceportal(Sprite* s);
void moveexitportal(Sprite* s);
void movegameover(Sprite* s);

// powerups.cpp
void movepowerup(Sprite* s);
void moveweaponpowerup(Sprite* s);

// weapons.cpp
void movebluelaser(Sprite* s);
void moveheatseekingmissile(Sprite* s);
void movephoton(Sprite* s);
void movephotontorpedoex(Sprite* s);
void moveredlaser(Sprite* s);
void moveshield(Sprite* s);
void movestarshot(Sprite* s);
