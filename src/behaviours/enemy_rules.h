// Rules every enemy shares: taking hits, choosing which ship to turn to,
// firing, entering from the right, aiming a shot, and spawning copies of a
// master with a few fields changed.
#pragma once

#include <functional>

#include "sprites/Sprite.h"

// The reference point of the ship an enemy turns to.
struct Target {
    int h = 0;
    int v = 0;
    bool player_two = false;
};

// The nearer ship by Manhattan distance from (x, y); ties go to player one.
Target nearer_player(int x, int y);

// hitpoints -= the player shots touching s; out of hit points it explodes
// with a chance of a drop. Returns true while s is still alive.
bool damage_step(Sprite* s);

// A shot spawned by name at (x, y), layer 0, at the back of the level list.
void fire_shot(Sprite* s, const char* shot, int x, int y);
// Asks the fire-rate gate (once) and fires the named shot when it opens.
bool fire_when_ready(Sprite* s, const char* shot, int x, int y);

// Entry from the right: moves (speed, 0) while x is beyond `edge`.
void enter_from_right(Sprite* s, int speed, int edge = 600);

// Points dirx, diry at the nearer ship's reference point + (35, 5), the
// larger component +-1. A target exactly on the sprite gives no direction:
// returns false and leaves dirx, diry as they were.
bool aim_at_nearer_player(Sprite* s);
// One frame along the aimed direction: 12 pixels, truncated toward zero,
// plus the 3 pixels the scroll takes from layer 0 while the level scrolls.
void fly_along_aim(Sprite* s);

// One frame of the dodge that follows a shot (param2 = 1): counts param3
// down to the attack phase (param2 = 0), keeps 200 pixels right of the
// nearer ship and slides up or down (param4) within 40 pixels of its height,
// turning at a limit only once the attack phase is back. Ships that bank
// step their frame with the slide.
void dodge_step(Sprite* s, bool bank);

// True when (x, y) lies outside the play area an enemy shot lives in.
bool outside_shot_area(int x, int y);

// Copies of a master that differ from it in a few fields. The master is
// changed only for the copy and restored at once, so every later copy (and
// every other spawner of the same master) still starts from the registered
// values. Nothing happens when no master has the name.
using MasterTweak = std::function<void(Sprite&)>;
void spawn_variant(const char* name, int x, int y, int layer, int where, const MasterTweak& tweak);
void spawn_child_variant(Sprite* parent, const char* name, int x, int y, int layer,
                         const MasterTweak& tweak);

// Where a spawn puts the copy in the level list.
constexpr int kLevelBack = 0;
constexpr int kLevelFront = 1;
