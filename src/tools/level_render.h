// velmora --render-level N PATH: the whole level of world N as one picture,
// for level designers.
//
// The strip is the play area's height (416 rows, row 0 is y = 0 of the level
// file) and as wide as the level, measured in the pixels layers 0 and 1
// scroll: column x is where a layer-0 sprite placed at x stands. Every sprite
// is drawn where the play shows it in the frame it comes on screen. The far
// layers scroll slower (by default layer 2 two pixels a frame, layer 3 one, against
// three), so a layer-3 sprite placed at x comes into view 3 * (x - 640) + 640
// columns in, and the background stretches over the level as the player sees
// it pass. Column 0 of the strip is the leftmost thing drawn or the level's
// start (x = 0), whichever lies further left; the first screen is the 640
// columns from the level's start.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sprites/layers.h"

// Where a sprite placed at `x` on `layer`, its first image `width` wide,
// appears in the strip relative to the level's start. False for a sprite the
// play never shows (one that starts and stays off the screen's left edge, or
// lies on a layer outside 0..3). `speeds` are the layer speeds of its world.
bool level_strip_x(int x, int layer, int width, const layers::Speeds& speeds, long long& column);

struct LevelPicture {
    int width = 0;
    int height = 0;
    int start_column = 0;      // the strip column of the level's start (x = 0)
    std::vector<uint8_t> rgb;  // width * height * 3, rows top-down
    int sprites_drawn = 0;
    int sprites_never_shown = 0;  // placed, but never on screen in play
};

// Wider than any level needs; keeps a stray coordinate from asking for gigabytes.
constexpr long long kMaxStripWidth = 1 << 18;

// Loads world `level` (from 1) of the data directory `data_dir` (Standard first,
// then the world, as the game does), reads its level file and draws it; a
// picture wider than `max_width` is refused. The current directory is
// restored before returning.
bool render_level(const std::string& data_dir, int level, LevelPicture& out, std::string& error,
                  long long max_width = kMaxStripWidth);

// The command: renders and writes a PNG. Returns the exit status (0 or 1);
// messages go to `log`.
int run_render_level(const std::string& data_dir, int level, const std::string& png_path, std::FILE* log);
