#include "support/sprite_fixtures.h"

#include <vector>

#include "display/Surface.h"

namespace {
constexpr uint32_t kKey565 = 0x07E0;
constexpr uint32_t kWhite565 = 0xFFFF;

Surface* make_surface(int w, int h) {
    auto* s = new Surface;
    s->width = w;
    s->height = h;
    s->format = PixelFormat{16, 0xF800, 0x07E0, 0x001F};
    s->pitch = w * 2;
    s->pixels.assign(size_t(s->pitch) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->put_pixel(x, y, kWhite565);
    s->put_pixel(0, 0, kKey565);
    s->has_colorkey = true;
    s->colorkey = kKey565;
    return s;
}
}  // namespace

Sprite* make_master(const std::string& name, int frames, int w, int h, int xoffset, int yoffset) {
    auto* s = new Sprite;
    for (int i = 0; i < frames; ++i) {
        auto* f = new Sprite::frame;
        f->xoffset = xoffset;
        f->yoffset = yoffset;
        f->surface = make_surface(w, h);
        f->rect = RECT{0, 0, w, h};
        s->frames.push_back(f);
    }
    s->curframe = 0;
    s->firstframe = 0;
    s->lastframe = frames - 1;
    s->kind = static_cast<uint32_t>(Sprite::list_of_master_sprites.size() + 1);
    Sprite::list_of_master_sprites.push_back(s);
    Sprite::list_of_master_sprite_names.push_back(name);
    return s;
}

void make_transparent(Sprite* master, int px, int py) {
    for (Sprite::frame* f : master->frames) f->surface->put_pixel(px, py, kKey565);
}

void make_transparent_rect(Sprite* master, int left, int top, int right, int bottom) {
    for (Sprite::frame* f : master->frames)
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (x >= 0 && y >= 0 && x < f->surface->width && y < f->surface->height)
                    f->surface->put_pixel(x, y, kKey565);
}

void paint_frames(Sprite* master, uint32_t colour565) {
    for (Sprite::frame* f : master->frames)
        for (int y = 0; y < f->surface->height; ++y)
            for (int x = 0; x < f->surface->width; ++x)
                if (f->surface->get_pixel(x, y) != kKey565) f->surface->put_pixel(x, y, colour565);
}

void ensure_level() {
    if (Sprite::the_level == nullptr) Sprite::the_level = new std::list<Sprite*>;
}

Sprite* place(const std::string& name, int x, int y, int layer) {
    ensure_level();
    Sprite* master = Sprite::getnamedsprite(name.c_str());
    if (master == nullptr) return nullptr;
    Sprite* copy = master->make_copy();
    copy->x = x;
    copy->y = y;
    copy->layer = layer;
    Sprite::the_level->push_back(copy);
    return copy;
}

void activate_all() {
    if (Sprite::list_of_active_sprites == nullptr) Sprite::list_of_active_sprites = new std::vector<Sprite*>;
    Sprite::list_of_active_sprites->clear();
    if (Sprite::the_level == nullptr) return;
    for (Sprite* s : *Sprite::the_level)
        if (s->hitpoints >= 1) Sprite::list_of_active_sprites->push_back(s);
}

void clear_sprites() {
    Sprite::destroy_level();
    Sprite::dumpall();
    if (Sprite::list_of_active_sprites != nullptr) Sprite::list_of_active_sprites->clear();
}
