// What stands in the level or walks its ground: turrets, walkers, hatches,
// gates, buildings and towers with their fire, hives and their bees, the
// crusher and the drifting background.
#pragma once

#include "sprites/Sprite.h"

// crusher.cpp
void movebackground(Sprite* s);
void movecrusher(Sprite* s);

// gates.cpp
void movebluebossleft(Sprite* s);
void movebluebossright(Sprite* s);
void movebosscannonleft(Sprite* s);
void movebosscannonright(Sprite* s);
void moveredbossleft(Sprite* s);
void moveshieldleft(Sprite* s);
void moveshieldshotleft(Sprite* s);

// ground_units.cpp
void movecavetank(Sprite* s);
void movegreendragon(Sprite* s);
void movelandwalker(Sprite* s);
void movereddragonwalking(Sprite* s);

// hatches.cpp
void movecaveopenerdown(Sprite* s);
void movecaveopenerup(Sprite* s);
void movemetalopenerdown(Sprite* s);
void movemetalopenerup(Sprite* s);

// hives.cpp
void movehivebeeblueattack(Sprite* s);
void movehivebeebluefly(Sprite* s);
void movehivebeeyellow(Sprite* s);
void movehivebeeyellowattack(Sprite* s);
void movehivedown(Sprite* s);
void movehivetendralsdown(Sprite* s);
void movehivetendralsup(Sprite* s);
void movehiveup(Sprite* s);

// structures.cpp
void movebigtower(Sprite* s);
void movebuildinglights(Sprite* s);
void movebuildingone(Sprite* s);
void movecatapult(Sprite* s);
void movefire(Sprite* s);
void movehouse(Sprite* s);
void moveradar(Sprite* s);
void movesmalltower(Sprite* s);
void movewaterbuilding(Sprite* s);
void movewizard(Sprite* s);

// turrets.cpp
void movehovertank(Sprite* s);
void movesilvercannondown(Sprite* s);
void movesilvercannonup(Sprite* s);
