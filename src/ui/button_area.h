// Hit testing for the menu buttons.
#pragma once

#include <cstddef>  // Surface.h uses size_t

#include "display/Surface.h"

// True when the cursor (cx, cy) lies on the button whose top-left corner is at
// (x, y) and whose area is measured with `reference`: x .. x + width and
// y .. y + height, both ends inclusive. A missing reference picture has no area.
inline bool cursor_on_button(const Surface* reference, int x, int y, int cx, int cy) {
    if (reference == nullptr) return false;
    return cx >= x && cx <= x + reference->width && cy >= y && cy <= y + reference->height;
}
