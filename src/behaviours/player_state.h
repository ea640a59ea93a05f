// Motion and fire state of the two ships and their drones, the ships' tuning
// constants, and the one routine that turns a weapon item and level into shots
// (shared by ships and drones, which differ only in their muzzle points).
#pragma once

#include "sprites/Sprite.h"

// ---- ship motion (one set per player) ----
extern float p1_positionX, p1_positionY;
extern float p1_velocityX, p1_velocityY;
extern int p1_lastMouseX, p1_lastMouseY;  // neutral point of the steering input
extern float p2_positionX, p2_positionY;
extern float p2_velocityX, p2_velocityY;
extern int p2_lastMouseX, p2_lastMouseY;
extern float p2acceleration;  // player two's key ramp
extern bool p2keydown;        // a direction key was handled in this frame
extern float p1acceleration;  // player one's own key ramp and key flag, when
extern bool p1keydown;        // the keys steer it (a game for one)
extern int change1, change2;  // pace the tilt steps

// What the controls mean in play. A replay of a recording made before these
// rules keeps the ones it was made under (app/run_control.cpp).
struct ControlRules {
    // In a game for one on one machine, player two's keys and controller
    // steer player one too, and player two's fire fires for player one.
    bool keys_steer_player_one = true;
    // A fire press released again before the next play frame read the
    // controls counts as held for that frame (app/fire_taps.h).
    bool taps_held = true;
};
extern ControlRules control_rules;

// Player two's keys and controller steer player one in this game.
bool player_one_on_keys();
// Player one's fire control is held: Space or the mouse button, and player
// two's fire key or button when player_one_on_keys().
bool player_one_fire_held();

// ---- fire controls: released since the last press ----
extern bool p1_fire_button_up, p2_fire_button_up;
extern bool p1p1_fire_button_up, p1p2_fire_button_up, p2p1_fire_button_up, p2p2_fire_button_up;

// ---- tuning ----
extern float player_Mass;
extern float player_MaxSpeed;
extern float player_VelocityDampening;
extern float accelerationrate;

constexpr float kKeyRampCap = 23.0f;
constexpr float kKeyRampRest = 1.0f;
constexpr int kNeutralX = 320;
constexpr int kNeutralY = 240;
constexpr int kShipMaxX = 580;
constexpr int kShipMaxY = 395;
constexpr int kDeadReference = -10000;  // reference point of a dead or absent ship

// Weapon items.
constexpr int kBlueLaser = 1;
constexpr int kMissiles = 2;
constexpr int kHeatSeeker = 3;
constexpr int kPhoton = 4;
constexpr int kStar = 5;
constexpr int kMaxWeaponLevel = 5;

// Where each weapon leaves a firer, relative to the firer's (x, y).
struct Muzzles {
    Point blue;
    int blue_where;  // level-list end for the blue shot: 0 back, 1 front
    Point missile;   // centre of the missile fan
    Point seeker;
    Point photon;
    Point star;
};

extern const Muzzles kShipMuzzles;
extern const Muzzles kDroneMuzzles;

// Spawns the shots of weapon `item` at `level` from `firer` and gives the firer
// the reload that weapon needs (its new `firedelay`). An unknown item fires
// nothing and leaves the reload alone.
void fire_weapon(Sprite* firer, int item, int level, const Muzzles& muzzles);

// A collector's weapon after touching weapon power-up `powerup`: the power-up's
// kind, one level up (at most 5). Returns false (and changes nothing) when
// `powerup` is the one this collector took last.
bool collect_weapon_powerup(Sprite* collector, const Sprite* powerup, int& item, int& level);

// Back to the values at program start, the control rules included.
void reset_player_state();
