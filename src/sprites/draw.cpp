// A sprite draws its current frame through the display window, clipped to a
// view whose top-left corner is the origin of the sprite's coordinates.
#include "display/DirectDrawWin.h"
#include "sprites/Sprite.h"

namespace {

void draw_onto(const Sprite& s, Surface* target, const RECT* view) {
    const Sprite::frame* f = s.current_frame();
    if (f == nullptr || Sprite::orv_window == nullptr || view == nullptr) return;
    Sprite::orv_window->BltSurface(target, f->surface, s.x + f->xoffset, s.y + f->yoffset, 1, view);
}

}  // namespace

void Sprite::draw(const RECT* view) {
    if (orv_window != nullptr) draw_onto(*this, orv_window->backsurf, view);
}

void Sprite::draw2(const RECT* view) {
    if (orv_window != nullptr) draw_onto(*this, orv_window->primsurf, view);
}
