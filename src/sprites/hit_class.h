// The collision classes (`Sprite::hitclass`): the collision tests ask for one
// class at a time. The numbers are fixed: definition files, state dumps and
// digests hold them.
#pragma once

enum HitClass : int {
    kHitDrone = 1,
    kHitPlayerShip = 2,
    kHitPlayerShot = 3,
    kHitScorePowerup = 4,
    kHitWeaponPowerup = 5,
    kHitEnemy = 6,  // what set_behaviors gives every master first
    kHitEnemyShot = 7,
    kHitHarmless = 8,  // no collision test asks for it: effects, portals, the shield
};
