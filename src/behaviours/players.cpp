// The two player ships: drones, tilt, damped steering (mouse for player one,
// and the keys too in a game for one; keyboard for player two), pick-ups,
// damage and death, and the fire gate.
#include <algorithm>
#include <cmath>

#include "audio/Sample.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
#include "behaviours/player_state.h"
#include "state/cursor.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

constexpr int kLevelFlightFrame = 3;
constexpr int kMaxShield = 100;

// Key slots.
constexpr int kLeft = 9;
constexpr int kUp = 10;
constexpr int kRight = 11;
constexpr int kDown = 12;
constexpr int kPlayerTwoFire = 13;

// Everything that differs between the two ships: which globals they use.
struct Ship {
    bool& drone_upper;
    bool& drone_lower;
    int upper_slot;
    float& posx;
    float& posy;
    float& velx;
    float& vely;
    int& lastx;
    int& lasty;
    int& change;
    bool& fire_up;
    int& shield;
    long& score;
    int& item;
    int& level;
    int& refh;
    int& refv;
    const bool& partner_plays;
    const int& partner_shield;
};

Ship player_one() {
    return Ship{.drone_upper = p1p1, .drone_lower = p1p2, .upper_slot = 1,
                .posx = p1_positionX, .posy = p1_positionY,
                .velx = p1_velocityX, .vely = p1_velocityY,
                .lastx = p1_lastMouseX, .lasty = p1_lastMouseY,
                .change = change1, .fire_up = p1_fire_button_up,
                .shield = player1hitpoints, .score = player1score,
                .item = p1powerupitem, .level = p1poweruplevel,
                .refh = player1h, .refv = player1v,
                .partner_plays = player2, .partner_shield = player2hitpoints};
}

Ship player_two() {
    return Ship{.drone_upper = p2p1, .drone_lower = p2p2, .upper_slot = 3,
                .posx = p2_positionX, .posy = p2_positionY,
                .velx = p2_velocityX, .vely = p2_velocityY,
                .lastx = p2_lastMouseX, .lasty = p2_lastMouseY,
                .change = change2, .fire_up = p2_fire_button_up,
                .shield = player2hitpoints, .score = player2score,
                .item = p2powerupitem, .level = p2poweruplevel,
                .refh = player2h, .refv = player2v,
                .partner_plays = player1, .partner_shield = player1hitpoints};
}

// Each ship brings its two drones on its first frame in a level (the flags are
// cleared at level load and by the entrance portal).
void ensure_drone(Sprite* s, bool& spawned, int slot) {
    if (spawned) return;
    spawned = true;
    if (Sprite* drone = Sprite::getnamedsprite("drone")) drone->param2 = slot;
    s->spawnbyname("drone", s->x + 20, s->y + 40, 0, 1);
}

void relax_tilt(Sprite* s) {
    s->framecount += 1;
    if (s->framecount <= s->framedelay) return;
    s->framecount = 0;
    if (s->framenumber < kLevelFlightFrame) changeframe(s, 1);
    if (s->framenumber > kLevelFlightFrame) changeframe(s, -1);
}

// One tilt step every third call while the ship keeps moving one way.
void pace_tilt(Sprite* s, int& change, int step) {
    if (change > 1) {
        change = 0;
        changeframe(s, step);
    } else {
        change += 1;
    }
}

// Speed cap, move, damping and the ship area; the sprite takes the position.
void integrate(Sprite* s, const Ship& ship) {
    const float speed = std::sqrt(ship.velx * ship.velx + ship.vely * ship.vely);
    if (speed > player_MaxSpeed) {
        const float scale = player_MaxSpeed / speed;
        ship.velx *= scale;
        ship.vely *= scale;
    }
    ship.posx += ship.velx;
    ship.posy += ship.vely;
    ship.velx *= player_VelocityDampening;
    ship.vely *= player_VelocityDampening;
    if (ship.posx < 0) {
        ship.posx = 0;
        ship.velx = 0;
    }
    if (ship.posx > kShipMaxX) {
        ship.posx = kShipMaxX;
        ship.velx = 0;
    }
    if (ship.posy < 0) {
        ship.posy = 0;
        ship.vely = 0;
    }
    if (ship.posy > kShipMaxY) {
        ship.posy = kShipMaxY;
        ship.vely = 0;
    }
    s->x = static_cast<int>(ship.posx);
    s->y = static_cast<int>(ship.posy);
}

// The cursor goes back to the neutral point, so the next frame's offset is
// the mouse movement made since this one: the mouse acts as a relative
// controller.
void recentre_cursor(const Ship& ship) {
    place_cursor(ship.lastx, ship.lasty);
    // The published copy is re-centred too: a frame without mouse events would
    // otherwise repeat the last impulse until the mouse moved again.
    g_themouse_h = ship.lastx;
    g_themouse_v = ship.lasty;
}

// The cursor's offset from the neutral point is this frame's steering
// impulse; the ship tilts by its vertical motion.
void steer_by_mouse(Sprite* s, const Ship& ship) {
    ship.velx += static_cast<float>(g_themouse_h - ship.lastx) / player_Mass;
    ship.vely += static_cast<float>(g_themouse_v - ship.lasty) / player_Mass;
    integrate(s, ship);
    recentre_cursor(ship);

    const int d = s->y + 10;
    if (d > ship.refv) pace_tilt(s, ship.change, -1);
    if (d < ship.refv) pace_tilt(s, ship.change, 1);
}

// A ship's key ramp: player two's, or player one's own in a game for one.
struct KeyRamp {
    float& acceleration;
    bool& keydown;
};

void raise_key_ramp(const KeyRamp& ramp) {
    if (ramp.keydown) return;
    ramp.keydown = true;
    ramp.acceleration = std::min(ramp.acceleration + accelerationrate, kKeyRampCap);
}

bool direction_key_held() { return keycodes[kUp] || keycodes[kDown] || keycodes[kLeft] || keycodes[kRight]; }

// The held arrow keys put a target point off the neutral point by a ramp that
// grows once per frame however many keys are down; up and down tilt the ship.
Point key_target(Sprite* s, const Ship& ship, const KeyRamp& ramp) {
    Point target{kNeutralX, kNeutralY};
    if (keycodes[kUp]) {
        raise_key_ramp(ramp);
        target.y = static_cast<int>(kNeutralY - ramp.acceleration);
        pace_tilt(s, ship.change, -1);
    }
    if (keycodes[kDown]) {
        raise_key_ramp(ramp);
        target.y = static_cast<int>(kNeutralY + ramp.acceleration);
        pace_tilt(s, ship.change, 1);
    }
    if (!ramp.keydown) ship.change = 0;
    if (keycodes[kLeft]) {
        raise_key_ramp(ramp);
        target.x = static_cast<int>(kNeutralX - ramp.acceleration);
    }
    if (keycodes[kRight]) {
        raise_key_ramp(ramp);
        target.x = static_cast<int>(kNeutralX + ramp.acceleration);
    }
    if (!ramp.keydown) ramp.acceleration = kKeyRampRest;
    ramp.keydown = false;
    return target;
}

void steer_by_keys(Sprite* s, const Ship& ship) {
    const Point target = key_target(s, ship, KeyRamp{p2acceleration, p2keydown});
    ship.velx += static_cast<float>(target.x - ship.lastx) / player_Mass;
    ship.vely += static_cast<float>(target.y - ship.lasty) / player_Mass;
    integrate(s, ship);
}

// Player one alone on one machine answers the mouse and player two's keys.
// One rule a frame: while a direction key is held the keys' rule steers and
// tilts, and a mouse movement in the same frame adds its offset to the keys'
// target (both are offsets from the neutral point); otherwise the mouse's
// rule does, and the key ramp rests as it does between presses.
void steer_player_one(Sprite* s, const Ship& ship) {
    if (!player_one_on_keys()) {
        steer_by_mouse(s, ship);
        return;
    }
    const KeyRamp ramp{p1acceleration, p1keydown};
    if (!direction_key_held()) {
        ramp.acceleration = kKeyRampRest;
        ramp.keydown = false;
        steer_by_mouse(s, ship);
        return;
    }
    const Point target = key_target(s, ship, ramp);
    ship.velx += static_cast<float>(target.x - ship.lastx + g_themouse_h - ship.lastx) / player_Mass;
    ship.vely += static_cast<float>(target.y - ship.lasty + g_themouse_v - ship.lasty) / player_Mass;
    integrate(s, ship);
    recentre_cursor(ship);
}

void collect_bonus(Sprite* s, const Ship& ship) {
    if (s->hitsomthing(kHitScorePowerup) == 0) return;
    ship.score += 100 + game_rand() % 401;
    ship.shield = std::min(ship.shield + 2, kMaxShield);
}

void take_damage(Sprite* s, const Ship& ship) {
    int dmg = s->hitsomthing(kHitEnemy);
    if (dmg == 0) dmg = s->hitsomthing(kHitEnemyShot);
    if (dmg == 0) return;
    thesample.play("trap");
    if (playersdie && !god_mode) ship.shield -= dmg;
    s->spawnchildbyname(s, "shield", s->x - 10, s->y - 15, 0);
    if (ship.shield >= 1) return;

    thesample.play("scream");
    explode(s, true, 0);
    s->hitpoints = 0;
    ship.refh = kDeadReference;
    ship.refv = kDeadReference;
    if (!ship.partner_plays || ship.partner_shield < 1) s->spawnbyname("gameover", 140, 180, 0, 0);
}

void collect_weapon(Sprite* s, const Ship& ship) {
    if (s->hitsomthing2(kHitWeaponPowerup) == 0 || Sprite::g_sprite == nullptr) return;
    collect_weapon_powerup(s, Sprite::g_sprite, ship.item, ship.level);
}

// Each new press adds one to the count; the press at which the count equals
// the delay left by the previous shot fires. Held frames after the first
// leave the count where it is.
void fire_gate(Sprite* s, const Ship& ship, bool held) {
    if (!held) {
        ship.fire_up = true;
        return;
    }
    if (ship.fire_up)
        ship.fire_up = false;
    else
        s->firecount -= 1;
    if (s->firecount == s->firedelay) {
        fire_weapon(s, ship.item, ship.level, kShipMuzzles);
        thesample.play("g4");
        s->firecount = 0;
    } else {
        s->firecount += 1;
    }
}

enum class Steering { player_one, keys };

void move_ship(Sprite* s, const Ship& ship, Steering steering, bool fire_held) {
    ensure_drone(s, ship.drone_upper, ship.upper_slot);
    ensure_drone(s, ship.drone_lower, ship.upper_slot + 1);
    relax_tilt(s);
    if (steering == Steering::player_one)
        steer_player_one(s, ship);
    else
        steer_by_keys(s, ship);
    ship.refh = s->x + 20;
    ship.refv = s->y + 10;
    collect_bonus(s, ship);
    take_damage(s, ship);
    collect_weapon(s, ship);
    fire_gate(s, ship, fire_held);
}

}  // namespace

void moveplayer1(Sprite* s) {
    move_ship(s, player_one(), Steering::player_one, player_one_fire_held());
}

void moveplayer2(Sprite* s) { move_ship(s, player_two(), Steering::keys, keycodes[kPlayerTwoFire]); }
