#include "behaviours/player_state.h"

#include <algorithm>

#include "behaviours/helpers.h"
#include "state/globals.h"

float p1_positionX = 0, p1_positionY = 0;
float p1_velocityX = 0, p1_velocityY = 0;
int p1_lastMouseX = 0, p1_lastMouseY = 0;
float p2_positionX = 0, p2_positionY = 0;
float p2_velocityX = 0, p2_velocityY = 0;
int p2_lastMouseX = 0, p2_lastMouseY = 0;
float p2acceleration = 0;
bool p2keydown = false;
float p1acceleration = 0;
bool p1keydown = false;
int change1 = 0, change2 = 0;

ControlRules control_rules;

namespace {
constexpr int kSpaceSlot = 4;
constexpr int kPlayerTwoFireSlot = 13;
}  // namespace

bool player_one_on_keys() { return control_rules.keys_steer_player_one && player1 && !player2; }

bool player_one_fire_held() {
    return keycodes[kSpaceSlot] || g_themousebutton || (player_one_on_keys() && keycodes[kPlayerTwoFireSlot]);
}

bool p1_fire_button_up = true, p2_fire_button_up = true;
bool p1p1_fire_button_up = true, p1p2_fire_button_up = true, p2p1_fire_button_up = true,
     p2p2_fire_button_up = true;

float player_Mass = 4.0f;
float player_MaxSpeed = 25.0f;
float player_VelocityDampening = 0.5f;
float accelerationrate = 4.0f;

const Muzzles kShipMuzzles{{42, 6}, 0, {50, 9}, {55, 5}, {45, 0}, {45, -12}};
const Muzzles kDroneMuzzles{{10, 7}, 1, {20, 9}, {20, 8}, {10, 2}, {15, -12}};

namespace {

constexpr int kSeekerLaunchSpeed = 20;
constexpr int kMissileSpeed = 30;

// Reload of the slower weapons: fewer presses per shot as the level rises.
int reload_for(int level) { return 11 - 2 * level; }

// Level L fires L missiles: one straight ahead for odd L, then pairs that start
// 2i pixels off the centre line and cross it at vertical speed 2i.
void fire_missile_fan(Sprite* master, int cx, int cy, int level) {
    master->param1 = kMissileSpeed;
    master->param2 = 0;
    if (level % 2 != 0) master->spawn(cx, cy, 0, 1);
    for (int i = 1; i <= level / 2; ++i) {
        master->param1 = kMissileSpeed - i;
        master->param2 = -2 * i;
        master->spawn(cx, cy + 2 * i, 0, 1);
        master->param2 = 2 * i;
        master->spawn(cx, cy - 2 * i, 0, 1);
    }
}

}  // namespace

void fire_weapon(Sprite* firer, int item, int level, const Muzzles& m) {
    const int x = firer->x;
    const int y = firer->y;
    switch (item) {
    case kBlueLaser:
        firer->firedelay = 0;
        if (Sprite* shot = Sprite::getnamedsprite("blueshot")) {
            // The shot's strength and look are the level; copies take both from the master.
            shot->damage = level;
            setframe(shot, level);
            shot->spawn(x + m.blue.x, y + m.blue.y, 0, m.blue_where);
        }
        break;
    case kMissiles:
        firer->firedelay = 0;
        if (Sprite* missile = Sprite::getnamedsprite("missile"))
            fire_missile_fan(missile, x + m.missile.x, y + m.missile.y, level);
        break;
    case kHeatSeeker:
        firer->firedelay = reload_for(level);
        if (Sprite* seeker = Sprite::getnamedsprite("heatseekingmissile")) {
            seeker->param1 = kSeekerLaunchSpeed;
            seeker->spawn(x + m.seeker.x, y + m.seeker.y, 0, 1);
        }
        break;
    case kPhoton:
        firer->firedelay = reload_for(level);
        firer->spawnbyname("photon", x + m.photon.x, y + m.photon.y, 0, 1);
        break;
    case kStar:
        firer->firedelay = reload_for(level);
        firer->spawnbyname("starshot", x + m.star.x, y + m.star.y, 0, 1);
        break;
    default:
        break;
    }
}

bool collect_weapon_powerup(Sprite* collector, const Sprite* powerup, int& item, int& level) {
    // Remembered by serial, not address: a later sprite may be allocated where
    // a collected one was destroyed, and must still count as new.
    const int id = static_cast<int>(powerup->serial);
    if (id == collector->param3) return false;
    item = powerup->param2;
    level = std::min(level + 1, kMaxWeaponLevel);
    collector->param3 = id;
    updatepowerupbar = true;
    return true;
}

void reset_player_state() {
    p1_positionX = p1_positionY = p1_velocityX = p1_velocityY = 0;
    p2_positionX = p2_positionY = p2_velocityX = p2_velocityY = 0;
    p1_lastMouseX = p1_lastMouseY = p2_lastMouseX = p2_lastMouseY = 0;
    control_rules = ControlRules{};
    p2acceleration = p1acceleration = 0;
    p2keydown = p1keydown = false;
    change1 = change2 = 0;
    p1_fire_button_up = p2_fire_button_up = true;
    p1p1_fire_button_up = p1p2_fire_button_up = p2p1_fire_button_up = p2p2_fire_button_up = true;
    player_Mass = 4.0f;
    player_MaxSpeed = 25.0f;
    player_VelocityDampening = 0.5f;
    accelerationrate = 4.0f;
}
