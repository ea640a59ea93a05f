// Enemy ships and what they fire: hunters, pattern fliers, the special ships,
// the enemy shot, and the meteors and blobs that split.
#pragma once

#include "sprites/Sprite.h"

// enemy_ships_hunters.cpp
void movecavehelicopter(Sprite* s);
void movecitybluehelicopter(Sprite* s);
void movecitywhiteship(Sprite* s);
void movecrystalwhitehelicopter(Sprite* s);
void movecrystalwhiteship(Sprite* s);
void movehiveorangeship(Sprite* s);
void movemetalbluehelicopter(Sprite* s);
void movemountaincamohelicopter(Sprite* s);
void movespacewhiteship(Sprite* s);
void movewateryellowsub(Sprite* s);

// enemy_ships_patterns.cpp
void moveblimp(Sprite* s);
void movecaveredship(Sprite* s);
void movecityfrogship(Sprite* s);
void movecitygreenship(Sprite* s);
void movecrystalredship(Sprite* s);
void movehivegreenship(Sprite* s);
void movemagiccarpet(Sprite* s);
void movemetalgreenship(Sprite* s);
void movereddragonflying(Sprite* s);
void movespacefrogship(Sprite* s);
void movespacegreenship(Sprite* s);

// enemy_ships_specials.cpp
void movecityblimp(Sprite* s);
void movecrystalyellowship(Sprite* s);
void moverocketship(Sprite* s);
void movespacesatalite(Sprite* s);
void movewatergreysub(Sprite* s);
void movewaterkewlphish(Sprite* s);
void movewaterpurplefish(Sprite* s);
void movewateryellowfish(Sprite* s);

// enemy_shot.cpp
void moveenemyshot(Sprite* s);

// splitters.cpp
void movecrystalblobbig(Sprite* s);
void movecrystalblobsmall(Sprite* s);
void movespacemeteorbig(Sprite* s);
void movespacemeteorsmall(Sprite* s);
void movewaterblob(Sprite* s);
