// Small helpers for drawing a sprite's frames: a painter called once per
// frame on a fresh canvas, with the origin moved to a chosen point and
// optionally turned (vector drawing, so outlines stay crisp when turned).
#pragma once

#include <functional>
#include <vector>

#include "generator/art/canvas.h"
#include "generator/art/output.h"

namespace art {

struct FrameBox {
    int width = 0, height = 0;          // image size
    int xoffset = 0, yoffset = 0;       // .SPT offsets
    double origin_x = 0, origin_y = 0;  // where the painter's (0, 0) lies in the image
};

// paint(canvas, index) for index 0 .. count - 1, origin moved to the box's origin.
std::vector<Frame> frames_of(const FrameBox& box, int count, const std::function<void(Canvas&, int index)>& paint,
                             Edges edges = Edges::Threshold);

// As frames_of, with the drawing turned by angles[index] degrees (clockwise on
// screen) about the origin.
std::vector<Frame> turned_frames(const FrameBox& box, const std::vector<double>& angles,
                                 const std::function<void(Canvas&, int index)>& paint);

// Rounds every colour to the display's 5-6-5 precision (what a 16-bit screen
// shows anyway), or with `levels` to that many steps per channel: large
// pictures then hold far fewer distinct colours, which keeps palettising them
// cheap.
void posterize(Canvas& c, int levels = 0);

// n angles from `first` to `last` evenly.
std::vector<double> angle_steps(int n, double first, double last);
// A left-facing craft pitched frame by frame: frame k (1..count) turned by
// (level - k) * step degrees, so frame `level` flies level and the earlier
// ones lift the nose.
std::vector<double> pitches(int count, int level, double step);

}  // namespace art
