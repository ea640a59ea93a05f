// The look shared by the interface pictures: buttons, chrome lettering.
#pragma once

#include <string>

#include "generator/art/art.h"

namespace resource {

// A button picture the size of `backdrop`, drawn over it (buttons are copied
// without a colour key, so their corners show the backdrop they stand on).
art::Canvas button(const art::Canvas& backdrop, const std::string& label, bool pressed);

// Polished-metal lettering with a horizon line across the middle, as on the
// game's logo; `height` is the cap height in pixels.
art::TextStyle chrome_style(double height);

// A canvas of `w` x `h` filled with black (the menus' background).
art::Canvas black(int w, int h);

// Where a picture goes: Levels/Resource/<name>.BMP.
std::string resource_path(const std::string& name);

// The pictures, by screen.
void write_logos(art::Output& out);   // ferrolux_logo, quornash_logo
void write_title(art::Output& out);   // titlescreen and its five buttons
void write_menus(art::Output& out);   // options pieces, OK, Cancel, continue
void write_ending(art::Output& out);  // ending
void write_cursor(art::Output& out);  // cursor_08

}  // namespace resource
