// The art kit: everything a content module needs to draw the game's pictures
// in code and write them in the game's formats. Include this one header.
//
// Pieces
//   color.h     Color, Ramp (dark / mid / light shades of one material).
//   canvas.h    Canvas: a cairo image surface at native pixel size with shape,
//               gradient, outline, shading, highlight and glow helpers; crop,
//               flipped (up/down variants), rotate_deg (direction frames:
//               draw the art pointing right, turned by direction_degrees(d)).
//   lettering.h Our own stroke letterforms for titles, buttons and digits.
//   effects.h   Ready-made pieces: fireballs and explosion frames, energy orbs,
//               starfields, nebulae, planets, bevelled panels, noise-textured
//               materials (rock, plating), the fire colour ramp.
//   random.h    Random (seeded; never the clock) and Noise (smooth, fractal).
//   dither.h    Ordered dithering to the 16-bit display's colour grid, for
//               pictures with gradients (backdrops and full pictures get it).
//   output.h    Output: writes sprites (<name>N.BMP + <name>.SPT) and pictures,
//               resolves antialiased edges against the key colour, and makes a
//               preview sheet per module when VELMORA_PREVIEWS is set.
//
// A sprite, start to finish
//   const art::Ramp hull = art::Ramp::of(art::Color::hex(0x8c9ab4));
//   std::vector<art::Frame> frames;
//   for (int i = 0; i < 4; ++i) {
//       art::Canvas c(24, 16);                     // native size, transparent
//       c.ellipse(12, 8, 10, 5).shade(hull, art::Color::hex(0x10131f));
//       c.orb(18, 8, 2.5, art::Color{1, 1, 1}, art::Color::hex(0x7fe3ff));
//       frames.push_back({.image = std::move(c), .xoffset = -12, .yoffset = -8});  // centred on x, y
//   }
//   out.sprite("Levels/Space", "spaceprobe", frames);
//
// Rules the game imposes (the kit enforces the first three)
//   - Pure green (0, 255, 0) is transparent; no other pixel may come close to
//     it (a 16-bit display would merge them). keyed_image() takes care of it.
//   - The top-left pixel of each sprite image must be the key colour: the
//     collision test reads it as "empty". It is forced; keep art off it.
//   - No partial transparency: choose Edges::Threshold for crisp shapes,
//     Edges::Dither for smoke and fading light.
//   - Offsets place the image relative to the sprite's x, y; the behaviours
//     fix x, y (muzzles, spawn points), so fit sizes and offsets to them.
//   - Same sources, same bytes: seed every Random and Noise from a name.
//
// Style of the shared sprites (match it in the worlds)
//   Light from the upper left (shade() default 110 degrees), a one-pixel
//   outline in the palette's outline colour around every silhouette, a bright
//   specular highlight on curved metal and glass, energy drawn as opaque
//   orbs (white core to saturated edge), and dithered edges only on smoke.
#pragma once

#include "generator/art/canvas.h"
#include "generator/art/color.h"
#include "generator/art/dither.h"
#include "generator/art/effects.h"
#include "generator/art/frames.h"
#include "generator/art/lettering.h"
#include "generator/art/output.h"
#include "generator/art/random.h"
