// The bosses of the worlds and their parts (bosses_*.cpp).
#pragma once

#include "sprites/Sprite.h"

// bosses_castle.cpp
void movebossdragon(Sprite* s);
void movedragonhead(Sprite* s);
void movedragonneckone(Sprite* s);
void movehorse(Sprite* s);

// bosses_cave.cpp
void movecaveboss(Sprite* s);

// bosses_city.cpp
void movecityboss(Sprite* s);
void movesqurmyshot(Sprite* s);

// bosses_crystal.cpp
void movecrystalbossredhorizontal(Sprite* s);
void movecrystalbossredverticle(Sprite* s);
void movecrystalbosssilverhorizontal(Sprite* s);
void movecrystalbosssilververticle(Sprite* s);
void movecrystalopenerdown(Sprite* s);
void movecrystalopenerup(Sprite* s);

// bosses_final.cpp
void movefinalbossgunfive(Sprite* s);
void movefinalbossgunfour(Sprite* s);
void movefinalbossgunone(Sprite* s);
void movefinalbossgunthree(Sprite* s);
void movefinalbossguntwo(Sprite* s);
void movefinalbossshell(Sprite* s);
void movefinalbossshotthree(Sprite* s);
void movefinalbossshottwo(Sprite* s);

// bosses_hive.cpp
void movehiveboss(Sprite* s);
void movehivebossshot(Sprite* s);

// bosses_metal.cpp
void movemetalboss(Sprite* s);
void movemetalbossgun(Sprite* s);
void moverobot(Sprite* s);
void moverobotgun(Sprite* s);
void moverobothead(Sprite* s);

// bosses_mountain.cpp
void movemountainboss(Sprite* s);
void movemountainbosscannondown(Sprite* s);
void movemountainbosscannonup(Sprite* s);
void movemountainbossenergyhorizontal(Sprite* s);
void movemountainbossenergyverticle(Sprite* s);
void movemountainbosseye(Sprite* s);
void movemountainbosseyelid(Sprite* s);
void movemountainbosseyetwo(Sprite* s);

// bosses_space.cpp
void movespaceboss(Sprite* s);
void movespacebosscannondown(Sprite* s);
void movespacebosscannonup(Sprite* s);

// bosses_water.cpp
void movewaterboss(Sprite* s);
void movewaterbraincell(Sprite* s);
