// Master sprites from definition files: the frame offsets come from the .SPT
// stream, the images from <name>1.BMP, <name>2.BMP, ... of the current directory.
#include <cctype>
#include <istream>
#include <string>

#include "display/DirectDrawWin.h"
#include "sprites/Sprite.h"
#include "sprites/limits.h"

namespace {

constexpr int kMaxFrames = 99;  // a three-digit frame number is never formed

// The next number of the definition, or 0 once the numbers run out or a token
// is not a number or does not fit (which ends the reading for good).
int next_offset(std::istream* in) {
    if (in == nullptr) return 0;
    int value = 0;
    if (!(*in >> value)) return 0;
    return clamp_coordinate(value);
}

}  // namespace

void Sprite::load(std::string* name, std::istream* in, DirectDrawWin* win) {
    *this = Sprite{};
    for (char& c : *name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    if (win != nullptr) {
        for (int k = 1; k <= kMaxFrames; ++k) {
            const std::string file = *name + std::to_string(k) + ".BMP";
            Surface* surface = win->CreateSurface(file.c_str(), 0, 0);
            if (surface == nullptr) break;
            // Pure green (the format's green mask) is transparent.
            win->SetColorKey(surface, surface->format.gmask);
            auto* f = new frame;
            f->surface = surface;
            f->xoffset = next_offset(in);
            f->yoffset = next_offset(in);
            RECT rect{};
            if (win->GetSurfaceRect(surface, rect)) f->rect = rect;
            frames.push_back(f);
        }
    }

    firstframe = 0;
    curframe = 0;
    lastframe = frame_count() - 1;
    kind = static_cast<uint32_t>(list_of_master_sprites.size() + 1);
    list_of_master_sprites.push_back(this);
    list_of_master_sprite_names.push_back(*name);
}

void Sprite::set_window_ptr(DirectDrawWin* win) { orv_window = win; }
