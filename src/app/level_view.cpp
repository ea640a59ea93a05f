#include "app/level_view.h"

#include "behaviours/player_side.h"

namespace level_view {

Sprite* ship_of(int player) {
    const Behavior wanted = player == 1 ? &moveplayer1 : &moveplayer2;
    Sprite* found = nullptr;
    for_each_active([&](Sprite* s) {
        if (found == nullptr && s->behavior == wanted && s->hitpoints >= 1) found = s;
    });
    return found;
}

bool box_of(const Sprite* s, Box& out) {
    const Sprite::frame* f = s->current_frame();
    if (f == nullptr) return false;
    out.left = s->x + f->xoffset + f->rect.left;
    out.top = s->y + f->yoffset + f->rect.top;
    out.right = s->x + f->xoffset + f->rect.right;
    out.bottom = s->y + f->yoffset + f->rect.bottom;
    return out.right > out.left && out.bottom > out.top;
}

const std::string& Names::of(const Sprite* s) {
    static const std::string unknown = "?";
    if (Sprite::list_of_master_sprites.size() != masters_seen_ ||
        static_cast<const void*>(Sprite::list_of_master_sprites.data()) != masters_data_)
        rebuild();
    if (s == nullptr || s->frames.empty()) return unknown;
    const auto it = by_frame_.find(s->frames.front());
    return it == by_frame_.end() ? unknown : it->second;
}

void Names::rebuild() {
    by_frame_.clear();
    const auto& masters = Sprite::list_of_master_sprites;
    const auto& names = Sprite::list_of_master_sprite_names;
    for (size_t i = 0; i < masters.size() && i < names.size(); ++i)
        if (masters[i] != nullptr && !masters[i]->frames.empty())
            by_frame_.emplace(masters[i]->frames.front(), names[i]);
    masters_seen_ = masters.size();
    masters_data_ = masters.data();
}

}  // namespace level_view
