// Parts that circle a centre: the centre is kept in param4, param5 and the
// offset from it in dirx, diry; the offset turns one degree per step.
#pragma once

#include "sprites/Sprite.h"

// One step, in radians. Positive steps turn clockwise on screen (y down).
constexpr double kRotationStep = 0.0174532;

// Turns the offset (dirx, diry) by `steps` one-degree steps, one at a time.
void rotate_offset(Sprite* s, int steps);

// Stands the part at the centre plus its offset, truncated toward zero.
void stand_on_circle(Sprite* s);

// Starts a part on a circle: centre (cx, cy), offset (ox, oy) turned by
// `steps`, and the part placed there.
void put_on_circle(Sprite* s, int cx, int cy, float ox, float oy, int steps);
