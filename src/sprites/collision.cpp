// Contact between sprites: a cheap box test, then an exact test on the pixels
// of the two current frames. Only the active list is ever looked at, so nothing
// off screen collides; during the behaviour pass only the chains near the
// sprite asking are walked (contact_index.h).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "display/Surface.h"
#include "sprites/Sprite.h"
#include "sprites/contact_index.h"

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

// What one test found; the globals are set from it at the end.
struct Found {
    int total = 0;
    Sprite* last_touching = nullptr;
    bool overlapped = false;
    int overlap_x = 0, overlap_y = 0;

    bool operator==(const Found&) const = default;
};

// The test of `self` (image `a`) against one candidate.
void meet(const Placed& a, Sprite* b, Record record, Found& found) {
    Placed pb;
    if (!place_image(b, pb) || !boxes_overlap(a, pb)) return;
    if (record == Record::OverlapPoint) {
        const int il = std::max(a.left, pb.left), it = std::max(a.top, pb.top);
        const int ir = std::min(a.right, pb.right), ib = std::min(a.bottom, pb.bottom);
        found.overlapped = true;
        found.overlap_x = il + (ir - il) / 4;
        found.overlap_y = it + (ib - it) / 4;
    }
    if (!pixels_touch(a, pb)) return;
    found.last_touching = b;
    found.total += b->damage;
}

// The hit-class tests look at every member of a chain on layers 0 and 1.
void meet_chain(Sprite* self, const Placed& a, Sprite* top, int hitclass, Record record, Found& found) {
    for (Sprite* b = top; b != nullptr; b = b->nextchild)
        if (b != self && b->layer < 2 && b->hitclass == hitclass) meet(a, b, record, found);
}

void report_mismatch(const Sprite* self, const char* test, int value, const Found& near, const Found& all) {
    char what[256];
    std::snprintf(what, sizeof what,
                  "contact test %s(%d) of sprite %u at (%d, %d): %d through the grid, %d walking all "
                  "(a behaviour moved a sprite of another chain)",
                  test, value, self->serial, self->x, self->y, near.total, all.total);
    contact_index::note_mismatch(what);
}

std::vector<uint32_t>& chain_buffer() {
    static std::vector<uint32_t> chains;
    return chains;
}

int sum_touching(Sprite* self, int hitclass, Record record) {
    if (Sprite::list_of_active_sprites == nullptr) return 0;
    Placed a;
    if (!place_image(self, a)) return 0;
    const std::vector<Sprite*>& active = *Sprite::list_of_active_sprites;
    const auto walk_all = [&] {
        Found found;
        for (Sprite* top : active) meet_chain(self, a, top, hitclass, record, found);
        return found;
    };

    Found found;
    std::vector<uint32_t>& chains = chain_buffer();
    if (contact_index::chains_near({a.left, a.top, a.right, a.bottom}, contact_index::Looking::Class, hitclass,
                                   chains)) {
        for (uint32_t c : chains) meet_chain(self, a, active[c], hitclass, record, found);
        if (contact_index::checking()) {
            const Found all = walk_all();
            if (!(all == found)) {
                report_mismatch(self, "hitsomthing", hitclass, found, all);
                found = all;
            }
        }
    } else {
        found = walk_all();
    }
    if (record == Record::TouchingSprite && found.last_touching != nullptr) Sprite::g_sprite = found.last_touching;
    if (record == Record::OverlapPoint && found.overlapped) {
        hitx = found.overlap_x;
        hity = found.overlap_y;
    }
    return found.total;
}

}  // namespace

int Sprite::hitsomthing(HitClass wanted) { return sum_touching(this, wanted, Record::Nothing); }

int Sprite::hitsomthing2(HitClass wanted) { return sum_touching(this, wanted, Record::TouchingSprite); }

int Sprite::hitsomthingwhere(HitClass wanted) { return sum_touching(this, wanted, Record::OverlapPoint); }

int Sprite::hitlayer(int wanted_layer) {
    if (list_of_active_sprites == nullptr) return 0;
    Placed a;
    if (!place_image(this, a)) return 0;
    const std::vector<Sprite*>& active = *list_of_active_sprites;
    // Top-level sprites only: children are never visited.
    const auto meet_top = [&](Sprite* b, Found& found) {
        if (b != this && b->layer == wanted_layer) meet(a, b, Record::Nothing, found);
    };
    const auto walk_all = [&] {
        Found found;
        for (Sprite* b : active) meet_top(b, found);
        return found;
    };

    Found found;
    std::vector<uint32_t>& chains = chain_buffer();
    if (contact_index::chains_near({a.left, a.top, a.right, a.bottom}, contact_index::Looking::Layer,
                                   wanted_layer, chains)) {
        for (uint32_t c : chains) meet_top(active[c], found);
        if (contact_index::checking()) {
            const Found all = walk_all();
            if (!(all == found)) {
                report_mismatch(this, "hitlayer", wanted_layer, found, all);
                found = all;
            }
        }
    } else {
        found = walk_all();
    }
    return found.total;
}

Point Sprite::findclosestsprite(int wanted_layer, HitClass wanted_class) {
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
