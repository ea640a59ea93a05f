// Ready-made pieces built on the canvas: fire and explosions, energy orbs,
// space backdrops and bevelled panels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generator/art/canvas.h"
#include "generator/art/output.h"
#include "generator/art/random.h"

namespace art {

// Colour of burning matter: heat 1 is white-hot, 0.75 yellow, 0.55 orange,
// 0.35 red, 0.15 brown smoke, 0 grey smoke.
Color fire_colour(double heat);

struct ExplosionLook {
    double core_heat = 1.25;   // how hot the first frames burn
    double turbulence = 0.55;  // how ragged the edge is
    double noise_scale = 0.16; // noise lattice units per pixel
    int sparks = 0;            // flying embers
    double smoke = 1.0;        // how much dark smoke the last frames leave
    // Tints the whole ramp (1, 1, 1 leaves it fiery); for plasma or acid blasts.
    Color tint{1, 1, 1};
};

// One frame of a fireball `size` pixels square at time t (0 first frame, 1 last),
// centred in the canvas. Partly transparent at the rim: write with Edges::Dither.
Canvas explosion_frame(int size, double t, uint64_t seed, const ExplosionLook& look = {});
// `count` frames of the same fireball, centred on the sprite position.
std::vector<Frame> explosion_frames(const std::string& name, int size, int count, const ExplosionLook& look = {});

// An opaque sphere of light: white core, `mid` body, `edge` rim, with a
// swirl of brighter streaks turned by `phase` (0..1, one full turn).
void energy_orb(Canvas& c, double cx, double cy, double r, const Color& mid, const Color& edge,
                double phase, int streaks = 3);

// Backdrops for full pictures.
void space_gradient(Canvas& c, const Color& top, const Color& bottom);
// Coloured clouds: `colours` from thin to dense; density scales how much sky they cover.
void nebula(Canvas& c, const Noise& noise, const std::vector<Color>& colours, double scale, double density,
            double strength = 1.0);
// `count` stars, a few with a cross twinkle; sizes grow rarer as they grow.
void starfield(Canvas& c, Random& random, int count, double brightness = 1.0);
// A lit planet with an atmosphere rim; light comes from `light_deg`.
void planet(Canvas& c, double cx, double cy, double r, const Ramp& surface, const Color& atmosphere,
            const Noise& noise, double light_deg = 135);

// Fills the current path with a material: the ramp shaded by fractal noise
// (`scale` lattice units per pixel) and lit from `light_deg`, for rock, hull
// plating, organic walls. `contrast` 0..1 weighs noise against lighting.
void textured(Canvas& c, const Ramp& ramp, const Noise& noise, double scale, double contrast = 0.5,
              double light_deg = 110);

// A bevelled plate: the ramp from top (light) to bottom (dark), a bright upper
// edge, a dark lower edge and an outline. `pressed` sinks it: the light comes
// from below and the face is darker.
void panel(Canvas& c, double x, double y, double w, double h, double radius, const Ramp& face, const Color& outline,
           bool pressed = false);

}  // namespace art
