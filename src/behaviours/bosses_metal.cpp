// The metal world's bosses: the metal boss with three guns on a turning
// circle, and the robot with a head and a gun.
#include <algorithm>

#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/rotation.h"
#include "state/globals.h"

namespace {

constexpr int kGunsOnCircle = 3;
constexpr int kGunTurnPerFrame = 5;  // degrees: one revolution in 72 frames
constexpr int kRobotParts = 2;

// The countdown in param2 arms the boss at 1 and then rests at -1; an armed
// boss bursts as soon as the scroll gate is open again.
bool count_down_to_arming(Sprite* s) {
    s->param2 -= 1;
    if (s->param2 < 0) s->param2 = -1;
    return s->param2 == 1;
}

bool armed_and_beaten(Sprite* s) {
    if (s->param2 < 0 && scroll > 0) {
        bossexplode(s, true);
        s->hitpoints = 0;
        return true;
    }
    return false;
}

// A boss part that holds the scroll gate: it reopens one notch as it dies.
bool part_dies(Sprite* s) {
    if (s->hitpoints >= 1) return false;
    scroll += 1;
    return true;
}

}  // namespace

void movemetalboss(Sprite* s) {
    if (scroll > 0) s->x -= 1;
    if (s->param1 == 0) {
        // The placed sprite hands over to a copy on layer 2, out of reach of shots.
        s->hitpoints = 0;
        if (Sprite* boss = spawn_part(s, "metalboss", s->x, s->y, 2, 0)) boss->param1 = 1;
        return;
    }
    if (count_down_to_arming(s)) {
        scroll -= kGunsOnCircle;
        constexpr float kOffsets[kGunsOnCircle][2] = {{-125, 10}, {35, -115}, {90, 90}};
        for (const auto& o : kOffsets)
            if (Sprite* gun = spawn_part(s, "metalbossgun", s->x, s->y, 0, 0))
                put_on_circle(gun, s->x + 70, s->y + 130, o[0], o[1], 1);
    }
    armed_and_beaten(s);
}

void movemetalbossgun(Sprite* s) {
    // 40 quiet frames, then 60 firing frames.
    s->param1 -= 1;
    if (s->param1 < 1) {
        s->param2 -= 1;
        if (s->param2 > 0) {
            const bool fires = shoot(s);
            setframe(s, fires ? 2 : 1);
            if (fires) s->spawnbyname("enemyshottwo", s->x, s->y + 20, 0, 0);
        } else {
            setframe(s, 1);
            s->param1 = 40;
            s->param2 = 60;
        }
    }
    take_boss_hits(s);
    if (part_dies(s)) {
        bossexplode(s, true);
        return;
    }
    if (scroll < 1) {
        rotate_offset(s, kGunTurnPerFrame);
        stand_on_circle(s);
    }
}

void moverobot(Sprite* s) {
    if (s->param1 == 0) {
        s->param1 = 1;
        // The parts scroll with the body but must stay within reach of shots.
        const int layer = std::min(s->layer, 1);
        s->spawnbyname("robothead", s->x + 105, s->y - 30, layer, 0);
        s->spawnbyname("robotgun", s->x + 40, s->y + 100, layer, 0);
    }
    if (count_down_to_arming(s)) scroll -= kRobotParts;
    armed_and_beaten(s);
}

void moverobothead(Sprite* s) {
    if (shoot(s)) s->spawnbyname("enemyshottwo", s->x - 15, s->y + 15, 0, 0);
    // Armour holds until the robot has stopped the level.
    if (scroll < 1) take_boss_hits(s);
    if (part_dies(s)) explode(s, true, 0);
}

void moverobotgun(Sprite* s) {
    // 50 quiet frames, then 50 firing frames.
    s->param1 -= 1;
    if (s->param1 < 1) {
        s->param2 -= 1;
        if (s->param2 > 0) {
            animateloop(s);
            if (shoot(s)) s->spawnbyname("enemyshottwo", s->x, s->y + 20, 0, 0);
        } else {
            s->param1 = 50;
            s->param2 = 50;
        }
    }
    if (scroll < 1) take_boss_hits(s);
    if (part_dies(s)) explode(s, true, 0);
}
