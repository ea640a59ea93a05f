// Sprites for tests, built in memory: no files and no window needed.
#pragma once

#include <cstdint>
#include <string>

#include "sprites/Sprite.h"

// A master sprite named `name` with `frames` frames of w x h pixels, each a
// 16-bit 5-6-5 image that is opaque everywhere except its top-left pixel (the
// key colour, pure green). Registered at the end of the master lists.
Sprite* make_master(const std::string& name, int frames, int w, int h, int xoffset = 0,
                    int yoffset = 0);

// Makes pixel (px, py) of every frame of `master` transparent (key colour).
void make_transparent(Sprite* master, int px, int py);

// Makes the pixels of [left, right) x [top, bottom) of every frame transparent.
void make_transparent_rect(Sprite* master, int left, int top, int right, int bottom);

// Paints every opaque pixel of every frame of `master` in a 5-6-5 colour.
void paint_frames(Sprite* master, uint32_t colour565);

// Creates an empty level list if there is none.
void ensure_level();

// A copy of the named master appended to the level list at (x, y) on `layer`;
// null when no master has that name.
Sprite* place(const std::string& name, int x, int y, int layer = 0);

// The active list becomes every living top-level sprite of the level, in level
// order, without scrolling (what behaviours and collisions look at).
void activate_all();

// Destroys the level and every master; resets the active list.
void clear_sprites();
