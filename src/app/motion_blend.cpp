#include "app/motion_blend.h"

#include <algorithm>
#include <cstdlib>

#include "display/DirectDrawWin.h"
#include "sprites/Sprite.h"
#include "state/world_list.h"

namespace motion_blend {

namespace {
constexpr int kScreenWidth = 640;

// The farthest a sprite off the right edge can scroll in one step: only
// those may enter the screen at the next step, all others keep out of it.
constexpr int kEntering = world_list::fastest_layer_speed();
}  // namespace

int step_fraction(uint64_t seen_us, uint64_t deadline_us, uint64_t period_us) {
    if (period_us == 0 || seen_us >= deadline_us) return kWholeStep;
    const uint64_t left = deadline_us - seen_us;
    if (left >= period_us) return 0;
    return static_cast<int>((period_us - left) * kWholeStep / period_us);
}

int blend(int from, int to, int fraction) {
    const int64_t part = (int64_t(to) - from) * fraction + kWholeStep / 2;
    // An arithmetic shift floors, so halves round up on both sides of zero.
    return static_cast<int>(from + (part >> 16));
}

bool is_motion(int dx, int dy) { return std::abs(dx) < kJump && std::abs(dy) < kJump; }

void Playfield::forget() {
    last_.clear();
    last_valid_ = false;
}

void Playfield::note(const Sprite* top) {
    for (const Sprite* s = top; s != nullptr; s = s->nextchild) last_[s->serial] = {s->x, s->y};
}

void Playfield::prepare() {
    items_.clear();
    const std::vector<Sprite*>* active = Sprite::list_of_active_sprites;
    if (active == nullptr || Sprite::the_level == nullptr) {
        forget();
        return;
    }
    // In the order the step draws: layer 3 first, the list's order within a
    // layer, each top sprite before its chain.
    for (int layer = layers::kCount - 1; layer >= 0; --layer)
        for (const Sprite* top : *active)
            for (const Sprite* s = top; s != nullptr; s = s->nextchild) {
                if (s->layer != layer) continue;
                Item item{s, {s->x, s->y}, false};
                if (last_valid_) {
                    const auto it = last_.find(s->serial);
                    if (it != last_.end() && is_motion(s->x - it->second.x, s->y - it->second.y)) {
                        item.from = it->second;
                        item.moves = item.from.x != s->x || item.from.y != s->y;
                    }
                }
                items_.push_back(item);
            }

    last_.clear();
    for (const Sprite* top : *active) note(top);
    for (const Sprite* top : *Sprite::the_level)
        if (top->hitpoints >= 1 && top->x >= kScreenWidth && top->x < kScreenWidth + kEntering) note(top);
    last_valid_ = true;
}

void Playfield::draw(DirectDrawWin& window, Surface* target, const RECT& view, int fraction) const {
    for (const Item& item : items_) {
        const Sprite& s = *item.sprite;
        const Sprite::frame* f = s.current_frame();
        if (f == nullptr) continue;
        const int x = item.moves ? blend(item.from.x, s.x, fraction) : s.x;
        const int y = item.moves ? blend(item.from.y, s.y, fraction) : s.y;
        window.BltSurface(target, f->surface, x + f->xoffset, y + f->yoffset, 1, &view);
    }
}

size_t Playfield::blended() const {
    return static_cast<size_t>(std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.moves; }));
}

}  // namespace motion_blend
