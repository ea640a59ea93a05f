// The game's icon: player one's ship in level flight on a rounded night-blue
// tile. The desktop icons installed with the game and the window's own icon
// are this one picture, drawn from the data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DirectDrawWin;

// The ship the icon shows, relative to the data directory.
constexpr const char* kIconShipBitmap = "Levels/Standard/Bitmaps/playerone3.BMP";
// The size of the window's icon.
constexpr int kWindowIconSize = 64;

// The icon, `size` x `size` pixels as 0xAARRGGBB (straight alpha), rows top
// down, drawn from the bitmap `ship_bmp` loaded through `window`. Empty when
// the bitmap cannot be loaded or has no opaque pixel.
std::vector<uint32_t> draw_game_icon(DirectDrawWin& window, const std::string& ship_bmp, int size);
