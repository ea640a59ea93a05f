#include "behaviours/rotation.h"

#include <cmath>

void rotate_offset(Sprite* s, int steps) {
    static const double c = std::cos(kRotationStep);
    static const double n = std::sin(kRotationStep);
    for (int i = 0; i < steps; ++i) {
        const double x = s->dirx;
        const double y = s->diry;
        s->dirx = static_cast<float>(x * c - y * n);
        s->diry = static_cast<float>(x * n + y * c);
    }
}

void stand_on_circle(Sprite* s) {
    s->x = static_cast<int>(std::trunc(static_cast<double>(s->param4) + s->dirx));
    s->y = static_cast<int>(std::trunc(static_cast<double>(s->param5) + s->diry));
}

void put_on_circle(Sprite* s, int cx, int cy, float ox, float oy, int steps) {
    s->param4 = cx;
    s->param5 = cy;
    s->dirx = ox;
    s->diry = oy;
    rotate_offset(s, steps);
    stand_on_circle(s);
}
