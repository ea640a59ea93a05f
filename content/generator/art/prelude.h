// What every drawing file of the generator starts from: the art kit, the
// names it is written in, and pi.
#pragma once

#include <numbers>

#include "generator/art/art.h"

using art::Canvas;
using art::Color;
using art::Frame;
using art::Paint;
using art::Pt;
using art::Ramp;

inline constexpr double kPi = std::numbers::pi;
