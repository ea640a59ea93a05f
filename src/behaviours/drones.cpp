// The drones: two per ship, hanging above-behind and below-behind it, firing
// their own weapon once per press of their owner's fire control and upgrading
// only from the power-ups they touch themselves.
#include <algorithm>
#include <optional>

#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
#include "behaviours/player_state.h"
#include "state/globals.h"

namespace {

constexpr int kDroneMaxX = 620;
constexpr int kDroneMaxY = 395;

// The globals of one drone slot (1, 2 follow player one; 3, 4 player two).
struct DroneSlot {
    int owner_h;
    int owner_v;
    int owner_shield;
    bool upper;
    bool fire_held;
    bool& released;
    int& item;
    int& level;
};

std::optional<DroneSlot> slot_for(int slot) {
    const bool p1_fire = player_one_fire_held();
    const bool p2_fire = keycodes[13];
    switch (slot) {
    case 1:
        return DroneSlot{player1h, player1v, player1hitpoints, true, p1_fire,
                         p1p1_fire_button_up, p1p1powerupitem, p1p1poweruplevel};
    case 2:
        return DroneSlot{player1h, player1v, player1hitpoints, false, p1_fire,
                         p1p2_fire_button_up, p1p2powerupitem, p1p2poweruplevel};
    case 3:
        return DroneSlot{player2h, player2v, player2hitpoints, true, p2_fire,
                         p2p1_fire_button_up, p2p1powerupitem, p2p1poweruplevel};
    case 4:
        return DroneSlot{player2h, player2v, player2hitpoints, false, p2_fire,
                         p2p2_fire_button_up, p2p2powerupitem, p2p2poweruplevel};
    default:
        return std::nullopt;
    }
}

// Fires only on the first frame of a press, then through the drone's own
// reload count.
void fire_drone(Sprite* s, const DroneSlot& slot) {
    if (!slot.fire_held) {
        slot.released = true;
        return;
    }
    if (!slot.released) return;
    slot.released = false;
    if (slot.level == 0) return;
    if (s->firecount == s->firedelay) {
        s->firecount = 0;
        fire_weapon(s, slot.item, slot.level, kDroneMuzzles);
    } else {
        s->firecount += 1;
    }
}

}  // namespace

void movedrone(Sprite* s) {
    const std::optional<DroneSlot> slot = slot_for(s->param2);
    if (!slot) return;
    if (slot->upper)
        animateloop(s);
    else
        animateloopbackwards(s);
    s->x = slot->owner_h - 45;
    s->y = slot->upper ? slot->owner_v - 50 : slot->owner_v + 33;
    // Lives exactly as long as its ship has shield energy.
    s->hitpoints = slot->owner_shield;
    s->y = std::clamp(s->y, 0, kDroneMaxY);
    s->x = std::clamp(s->x, 0, kDroneMaxX);

    fire_drone(s, *slot);

    if (s->hitsomthing2(kHitWeaponPowerup) != 0 && Sprite::g_sprite != nullptr)
        collect_weapon_powerup(s, Sprite::g_sprite, slot->item, slot->level);
}
