// Pictures of surfaces as PNG files (screenshots, test evidence).
#pragma once

#include <string>

#include "display/Surface.h"

// Writes `surface` as an RGB PNG; 8-bit surfaces are looked up in `palette`
// (a grey ramp when it is null). False when the file can't be written.
bool save_surface_png(const Surface& surface, const Palette* palette, const std::string& path);
