// A level's four layers and how far each moves to the left a frame while the
// level scrolls: 0 and 1 (the play layers and the terrain) with the level,
// 2 and 3 behind them slower. These are the speeds of every world that does
// not give its far layers speeds of its own (state/world_list.h). The game,
// its tools and the content generator share them.
#pragma once

#include <array>
#include <cstddef>

namespace layers {

inline constexpr int kCount = 4;

// Pixels a frame, layer by layer.
using Speeds = std::array<int, kCount>;
inline constexpr Speeds kDefaultSpeeds = {3, 3, 2, 1};

// Pixels a frame; 0 for a layer outside 0..3, which never scrolls.
constexpr int scroll_speed(int layer, const Speeds& speeds = kDefaultSpeeds) {
    return layer >= 0 && layer < kCount ? speeds[static_cast<std::size_t>(layer)] : 0;
}

// How far the level itself (its layer 0) advances a frame, in every world:
// the behaviours that keep pace with the ground count on it.
inline constexpr int kLevelSpeed = scroll_speed(0);

}  // namespace layers
