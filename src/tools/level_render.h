// velmora --render-level N PATH: the whole level of world N as one picture,
// for level designers.
//
// The strip is the play area's height (416 rows, row 0 is y = 0 of the level
// file) and as wide as the level. Layers scroll at different speeds (layers 0
// and 1 three pixels a frame, layer 2 two, layer 3 one), so each is drawn at
// its own scroll distance: a sprite on layer L at x appears at
// x * speed(L) / 3. When the view has moved on by d pixels of layer 0, a
// layer-L sprite has moved d * speed(L) / 3; the strip shows every layer
// compressed by that same factor, so the far layers keep their proportions
// relative to the start of the level. Column 0 of the strip is the leftmost
// thing in the level or the level's start (x = 0), whichever lies further left;
// the first screen is the 640 columns from the level's start.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Where a sprite placed at `x` on `layer` appears in the strip, relative to the
// level's start; layers outside 0..3 do not scroll and are not drawn.
int level_strip_x(int x, int layer);

struct LevelPicture {
    int width = 0;
    int height = 0;
    int start_column = 0;      // the strip column of the level's start (x = 0)
    std::vector<uint8_t> rgb;  // width * height * 3, rows top-down
    int sprites_drawn = 0;
};

// Loads world `level` (1..10) of the data directory `data_dir` (Standard first,
// then the world, as the game does), reads its level file and draws it. The
// current directory is restored before returning.
bool render_level(const std::string& data_dir, int level, LevelPicture& out, std::string& error);

// The command: renders and writes a PNG. Returns the exit status (0 or 1);
// messages go to `log`.
int run_render_level(const std::string& data_dir, int level, const std::string& png_path, std::FILE* log);
