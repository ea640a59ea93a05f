// Where a sprite's image is in a picture handed to the window: what the
// pacing run's motion trace and its mouse-to-ship lag read, from the pixels a
// player would see rather than from the game's own numbers.
#pragma once

#include <cstdint>

class Sprite;

namespace bench {

// A 16-bit picture as present() receives it.
struct PresentedPicture {
    const uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
};

struct ImageMatch {
    bool found = false;
    int x = 0, y = 0;        // the sprite's position (its x and y, before the frame's offsets)
    double mismatch = 1.0;   // share of the image's opaque pixels that differ there
};

// Searches x in [x0, x1] and y in [y0, y1] (sprite coordinates: y from the
// play field's top) for the sprite's current image, comparing its opaque
// pixels inside the play field. Found when the best place differs in at most
// `tolerance` of them.
ImageMatch find_sprite(const PresentedPicture& picture, const Sprite& sprite, int x0, int x1, int y0, int y1,
                       double tolerance = 0.15);

}  // namespace bench
