// The players' ships and their drones, drawn at any scale: the play sprites,
// the status-bar icons and the title picture all use these.
#pragma once

#include "generator/art/art.h"

namespace standard {

struct ShipLook {
    art::Ramp hull;     // body plates
    art::Ramp stripe;   // the player's colour
    art::Ramp fin;      // fins and wings
    art::Ramp glass;    // canopy
    art::Color engine;  // exhaust colour
    art::Color outline;
};

ShipLook player_one_look();  // silver and blue
ShipLook player_two_look();  // graphite and crimson

// The ship faces right inside a 60 x 21 box (scaled by `scale`) whose top-left
// corner is at (x, y); its centre line is y + 11 * scale, its nose at x + 59.5.
// `roll` from -1 (belly towards the viewer) through 0 (level) to 1 (top deck
// towards the viewer) banks it. `flame` adds the exhaust at the tail.
void draw_ship(art::Canvas& c, const ShipLook& look, double x, double y, double scale, double roll,
               bool flame = true);

// The drone pod inside a 20 x 20 box; `phase` (0..1) turns its light band.
void draw_drone(art::Canvas& c, double x, double y, double scale, double phase);

}  // namespace standard
