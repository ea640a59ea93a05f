// Contact between sprites: a cheap box test, then an exact test on the pixels
// of the two current frames. Only the active list is ever looked at, so nothing
// off screen collides.
#include <algorithm>
#include <cstdlib>

#include "display/Surface.h"
#include "sprites/Sprite.h"

namespace {

// The screen rectangle of a sprite's current image and the image itself.
struct Placed {
    int left = 0, top = 0, right = 0, bottom = 0;
    const Surface* surface = nullptr;
};

bool place_image(const Sprite* s, Placed& out) {
    const Sprite::frame* f = s->current_frame();
    if (f == nullptr) return false;
    const int ox = s->x + f->xoffset;
    const int oy = s->y + f->yoffset;
    out.left = ox + f->rect.left;
    out.right = ox + f->rect.right;
    out.top = oy + f->rect.top;
    out.bottom = oy + f->rect.bottom;
    out.surface = f->surface;
    return true;
}

bool boxes_overlap(const Placed& a, const Placed& b) {
    return a.right > b.left && b.right > a.left && a.bottom > b.top && b.bottom > a.top;
}

bool readable(const Surface* s) {
    return s != nullptr && s->width > 0 && s->height > 0 && s->pitch > 0 &&
           s->pixels.size() >= static_cast<size_t>(s->pitch) * static_cast<size_t>(s->height);
}

inline uint32_t read16(const Surface* s, int col, int row) {
    const uint8_t* p = s->row(row) + static_cast<size_t>(col) * 2;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}

// Scans the overlap of the two images top to bottom, left to right, and stops
// at the first point where both pixels differ from their image's top-left
// colour. Columns and rows outside a surface count as empty.
bool pixels_touch(const Placed& a, const Placed& b) {
    if (!readable(a.surface) || !readable(b.surface)) return false;
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min({a.right, b.right, a.left + a.surface->width, b.left + b.surface->width});
    const int bottom =
        std::min({a.bottom, b.bottom, a.top + a.surface->height, b.top + b.surface->height});
    if (right <= left || bottom <= top) return false;

    if (a.surface->bytes_per_pixel() == 2 && b.surface->bytes_per_pixel() == 2) {
        const uint32_t empty_a = read16(a.surface, 0, 0);
        const uint32_t empty_b = read16(b.surface, 0, 0);
        for (int py = top; py < bottom; ++py) {
            const uint8_t* ra = a.surface->row(py - a.top);
            const uint8_t* rb = b.surface->row(py - b.top);
            for (int px = left; px < right; ++px) {
                const uint8_t* pa = ra + static_cast<size_t>(px - a.left) * 2;
                const uint8_t* pb = rb + static_cast<size_t>(px - b.left) * 2;
                if ((uint32_t(pa[0]) | uint32_t(pa[1]) << 8) != empty_a &&
                    (uint32_t(pb[0]) | uint32_t(pb[1]) << 8) != empty_b)
                    return true;
            }
        }
        return false;
    }

    // Any other depth: compare whole pixels of that depth.
    const uint32_t empty_a = a.surface->get_pixel(0, 0);
    const uint32_t empty_b = b.surface->get_pixel(0, 0);
    for (int py = top; py < bottom; ++py)
        for (int px = left; px < right; ++px)
            if (a.surface->get_pixel(px - a.left, py - a.top) != empty_a &&
                b.surface->get_pixel(px - b.left, py - b.top) != empty_b)
                return true;
    return false;
}

enum class Record { Nothing, TouchingSprite, OverlapPoint };

// The three hit-class tests share this walk over the active list and every
// child chain.
int sum_touching(Sprite* self, int hitclass, Record record) {
    if (Sprite::list_of_active_sprites == nullptr) return 0;
    Placed a;
    if (!place_image(self, a)) return 0;
    int total = 0;
    for (Sprite* top : *Sprite::list_of_active_sprites) {
        for (Sprite* b = top; b != nullptr; b = b->nextchild) {
            if (b == self || b->layer >= 2 || b->hitclass != hitclass) continue;
            Placed pb;
            if (!place_image(b, pb) || !boxes_overlap(a, pb)) continue;
            if (record == Record::OverlapPoint) {
                const int il = std::max(a.left, pb.left), it = std::max(a.top, pb.top);
                const int ir = std::min(a.right, pb.right), ib = std::min(a.bottom, pb.bottom);
                hitx = il + (ir - il) / 4;
                hity = it + (ib - it) / 4;
            }
            if (!pixels_touch(a, pb)) continue;
            if (record == Record::TouchingSprite) Sprite::g_sprite = b;
            total += b->damage;
        }
    }
    return total;
}

}  // namespace

int Sprite::hitsomthing(int wanted) { return sum_touching(this, wanted, Record::Nothing); }

int Sprite::hitsomthing2(int wanted) { return sum_touching(this, wanted, Record::TouchingSprite); }

int Sprite::hitsomthingwhere(int wanted) { return sum_touching(this, wanted, Record::OverlapPoint); }

int Sprite::hitlayer(int wanted_layer) {
    if (list_of_active_sprites == nullptr) return 0;
    Placed a;
    if (!place_image(this, a)) return 0;
    int total = 0;
    for (Sprite* b : *list_of_active_sprites) {
        if (b == this || b->layer != wanted_layer) continue;
        Placed pb;
        if (!place_image(b, pb) || !boxes_overlap(a, pb)) continue;
        if (pixels_touch(a, pb)) total += b->damage;
    }
    return total;
}

Point Sprite::findclosestsprite(int wanted_layer, int wanted_class) {
    const frame* own = current_frame();
    const long long ox = static_cast<long long>(x) + (own != nullptr ? own->xoffset : 0);
    const long long oy = static_cast<long long>(y) + (own != nullptr ? own->yoffset : 0);
    long long best_x = 32000, best_y = 200;
    long long best_distance = std::llabs(best_x - ox) + std::llabs(best_y - oy);
    if (list_of_active_sprites != nullptr) {
        for (const Sprite* b : *list_of_active_sprites) {
            if (b->layer != wanted_layer || b->hitclass != wanted_class) continue;
            const frame* f = b->current_frame();
            const long long bx = static_cast<long long>(b->x) + (f != nullptr ? f->xoffset : 0);
            const long long by = static_cast<long long>(b->y) + (f != nullptr ? f->yoffset : 0);
            const long long d = std::llabs(bx - ox) + std::llabs(by - oy);
            if (d < best_distance) {
                best_distance = d;
                best_x = bx;
                best_y = by;
            }
        }
    }
    return Point{static_cast<int>(best_x + 15), static_cast<int>(best_y + 15)};
}
