// Enemy helicopters of the helicopter family: one airframe, drawn facing left,
// painted per world. The family fires from (x, y + 20): the airframe's gun
// muzzle sits at (4, 24) of its 80 x 42 canvas, so offsets (-4, -4) put the
// shot at the muzzle.
#pragma once

#include <cstdint>
#include <vector>

#include "generator/art/art.h"

namespace worlds {

struct RotorcraftLook {
    art::Ramp hull;                 // fuselage
    art::Ramp trim;                 // tail fin, engine cowl, stub wings
    art::Ramp glass;                // canopy
    art::Ramp metal;                // skids, gun, rotor hub
    art::Color outline;
    std::vector<art::Color> camo;   // blotches over the hull; empty for none
    art::Color marking{0, 0, 0, 0}; // a band on the tail boom; alpha 0 for none
    art::Color blade{0.15, 0.15, 0.17};
    uint64_t seed = 1;
};

inline constexpr int kRotorcraftWidth = 80;
inline constexpr int kRotorcraftHeight = 42;
inline constexpr int kRotorcraftXOffset = -4;
inline constexpr int kRotorcraftYOffset = -4;

// The airframe with its rotors turned by `phase` (0..1, a half turn of the
// two-bladed main rotor).
art::Canvas draw_helicopter(const RotorcraftLook& look, double phase);

// `count` frames of one rotor half turn, offsets (-4, -4).
std::vector<art::Frame> helicopter_frames(const RotorcraftLook& look, int count = 4);

}  // namespace worlds
