// A level's four layers and how far each moves to the left a frame while the
// level scrolls: 0 and 1 (the play layers and the terrain) fastest, 2 and 3
// behind them slower. The game, its tools and the content generator share it.
#pragma once

namespace layers {

inline constexpr int kCount = 4;

// Pixels a frame; 0 for a layer outside 0..3, which never scrolls.
constexpr int scroll_speed(int layer) {
    switch (layer) {
        case 0:
        case 1: return 3;
        case 2: return 2;
        case 3: return 1;
        default: return 0;
    }
}

// How far the level itself (its layer 0) advances a frame.
inline constexpr int kLevelSpeed = scroll_speed(0);

}  // namespace layers
