// When the sprites a level places are on screen, assuming the level scrolls
// without pause at its world's layer speeds (state/world_list.h). Frames count the rebuilds
// of the active list, from 1 (the one made when the level is loaded). A sprite
// is on screen while its first image (the drawing offsets aside) overlaps the
// 640 screen columns.
#pragma once

#include <climits>
#include <vector>

#include "sprites/layers.h"

namespace level_timeline {

constexpr int kScreenWidth = 640;

// The frames a sprite is on screen, first to last; empty when it never is.
// A sprite that does not scroll and starts on screen stays: last is LLONG_MAX.
struct Span {
    long long first = 0;
    long long last = -1;
    bool empty() const { return last < first; }
};
Span on_screen(int x, int layer, int width, const layers::Speeds& speeds);

// Where a sprite stands at frame `frame`, in pixels from the screen's left edge.
long long x_at(int x, int layer, long long frame, const layers::Speeds& speeds);

// The most spans that hold one frame, and the first frame they do.
struct Peak {
    long long count = 0;
    long long frame = 0;
};
Peak busiest(const std::vector<Span>& spans);

}  // namespace level_timeline
