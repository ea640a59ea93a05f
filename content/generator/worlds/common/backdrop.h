// Parallax backdrops on layers 2 and 3: a picture that repeats every
// `period` pixels, cut into tiles and laid along the layer far enough to
// cover the whole level at that layer's slower speed.
//
// The play area is never cleared between frames, so the layer-3 backdrop must
// cover all of it at all times: paint it opaque (every pixel) and give it the
// full field height. (Each tile hangs one row above its place, that row a copy
// of the first, so the forced key-colour pixel in its corner is off the field.)
// Layer-2 tiles may be partly transparent; a tile left completely empty is
// not written. The picture is dithered to the display's 16-bit colour grid
// before it is cut (its period a multiple of 8, so the pattern repeats whole).
//
//   worlds::Backdrop far{.prefix = "spacesky", .paint = paint_sky};
//   worlds::lay_backdrop(world, far, 3, 0, level_length);
#pragma once

#include <functional>
#include <string>

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace worlds {

// Something the picture shows only once in the whole level (a moon): the
// picture painted with it, the box around it cut out and laid once over the
// strip, on the same layer right after the tiles, where the `repeat`-th
// repetition of the picture passes. Beyond the feature the piece is the
// picture itself, so it joins the tiles under it without a trace.
struct Once {
    std::string name;            // the piece's sprite name
    int x = 0, y = 0;            // its box in the picture
    int width = 0, height = 0;
    int repeat = 1;              // which pass of the picture shows it
    std::function<void(art::Canvas&)> paint;  // the whole picture with the feature
};

struct Backdrop {
    std::string prefix;  // tiles are "<prefix>a", "<prefix>b", ...
    int period = 1280;   // width of the repeating picture
    int tile_width = 320;
    int height = kFieldHeight;
    // Paints the whole period on a canvas `period` x `height`. What crosses the
    // right edge must continue at the left (see wrap_x and periodic_noise).
    std::function<void(art::Canvas&)> paint;
    art::Edges edges = art::Edges::Threshold;
    Once once = {};  // none when its name is empty
};

// Writes the tiles and places them on `layer` at field row `y`, from level x 0
// until the layer has covered `level_length` layer-0 pixels of scrolling.
// Returns the number of placements.
int lay_backdrop(World& world, const Backdrop& backdrop, int layer, int y, int level_length);

// Fractal noise that repeats every `period` units in x (4 octaves).
double periodic_noise(const art::Noise& noise, double x, double y, int period, int octaves = 4);
// The same along a picture `period` pixels wide, at pixel column `x`, about
// `per_pixel` noise units a pixel: the rate is rounded so a whole number of
// units spans the period, so the picture joins where it repeats. `y` is in
// noise units.
double periodic_noise_px(const art::Noise& noise, double x, double y, int period, double per_pixel, int octaves = 4);

// Calls draw(dx) for dx = -period, 0, +period: a shape near an edge of a
// periodic picture is drawn on both sides.
void wrap_x(int period, const std::function<void(double dx)>& draw);

}  // namespace worlds
