// When the sprites a level places are on screen, assuming the level scrolls
// without pause: layers 0 and 1 move 3 pixels a frame, layer 2 two, layer 3
// one, other layers not at all. Frames count the rebuilds of the active list,
// from 1 (the one made when the level is loaded). A sprite is on screen while
// its first image (the drawing offsets aside) overlaps the 640 screen columns.
#pragma once

#include <climits>
#include <vector>

namespace level_timeline {

constexpr int kScreenWidth = 640;
// The layer-0 pixels a frame of scrolling moves on.
constexpr int kFrameScroll = 3;

// Pixels a frame a layer moves left while the level scrolls.
int layer_speed(int layer);

// The frames a sprite is on screen, first to last; empty when it never is.
// A sprite that does not scroll and starts on screen stays: last is LLONG_MAX.
struct Span {
    long long first = 0;
    long long last = -1;
    bool empty() const { return last < first; }
};
Span on_screen(int x, int layer, int width);

// Where a sprite stands at frame `frame`, in pixels from the screen's left edge.
long long x_at(int x, int layer, long long frame);

// The most spans that hold one frame, and the first frame they do.
struct Peak {
    long long count = 0;
    long long frame = 0;
};
Peak busiest(const std::vector<Span>& spans);

}  // namespace level_timeline
