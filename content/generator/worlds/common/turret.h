// Turrets for the two shared turret behaviours, drawn one frame per aim.
//
// Floor turret (the "...cannonup" names): 9 frames, frame d aims in direction
// d, 1 left through 5 up to 9 right; a ship below it shows frame 9. The
// behaviour aims from (x + 30, y + 10) and fires from muzzles about 55 pixels
// from (x + 40, y + 5), so the barrel turns about (x + 40, y + 8) and the base
// stands with its foot 30 rows below y: place it at y = floor surface - 30.
//
// Ceiling turret (the "...cannondown" names): 8 frames, frame 1 aims left,
// frames 2..8 down-left through down (frame 5) to a little below right
// (directions 16, 15, ... 10). The barrel turns about (x + 40, y + 22); the
// mount's top is row y: place it at y = roof surface - 2.
#pragma once

#include <functional>
#include <vector>

#include "generator/art/art.h"

namespace worlds {

// A turret's frames: the box's origin is where the barrel turns.
inline constexpr art::FrameBox kFloorTurret{
    .width = 88, .height = 66, .xoffset = -4, .yoffset = -34, .origin_x = 44, .origin_y = 42};
inline constexpr art::FrameBox kCeilingTurret{.width = 88, .height = 70, .xoffset = -4, .origin_x = 44, .origin_y = 22};

// Screen angles (clockwise from right) of each frame.
std::vector<double> floor_turret_angles();
std::vector<double> ceiling_turret_angles();

// Draws the whole turret aiming at `angle_deg`; the pivot is given in image pixels.
using TurretPainter = std::function<void(art::Canvas&, double pivot_x, double pivot_y, double angle_deg)>;

std::vector<art::Frame> turret_frames(const art::FrameBox& box, const std::vector<double>& angles,
                                      const TurretPainter& paint);

// A ready-made turret: a plated dome on a foot plate and a twin-banded barrel.
struct TurretStyle {
    art::Ramp dome, barrel, foot;
    art::Color outline;
    art::Color light;  // the sensor eye on the dome
    double barrel_length = 34;
    double barrel_width = 7;
    double dome_width = 21, dome_height = 20;  // half-axes; at most 30 and 28
};
TurretPainter dome_turret(const TurretStyle& style, bool ceiling);

}  // namespace worlds
