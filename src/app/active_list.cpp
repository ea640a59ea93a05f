// The per-frame active list: scroll the whole level, drop the dead, collect
// what overlaps the screen columns; then run and draw only those.
#include <iterator>
#include <vector>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "sprites/contact_index.h"
#include "sprites/layers.h"
#include "state/globals.h"
#include "state/world_list.h"

namespace {

constexpr int kScreenWidth = 640;

void scroll_with_chain(Sprite* top, const layers::Speeds& speeds) {
    for (Sprite* s = top; s != nullptr; s = s->nextchild) s->x -= layers::scroll_speed(s->layer, speeds);
}

// Visibility goes by the width of the first frame, not the current one, and
// ignores the drawing offsets. A sprite without frames is never on screen.
bool on_screen(const Sprite* s) {
    if (s->frames.empty() || s->frames.front() == nullptr) return false;
    const int width = s->frames.front()->rect.right;
    return s->x < kScreenWidth && s->x + width > 0;
}

void prune_dead_children(Sprite* top) {
    Sprite* c = top->nextchild;
    while (c != nullptr) {
        Sprite* next = c->nextchild;
        if (c->hitpoints < 1) Sprite::retire_child(top, c);
        c = next;
    }
}

}  // namespace

void Velmora_Win::make_sprite_active_list() {
    if (Sprite::list_of_active_sprites == nullptr)
        Sprite::list_of_active_sprites = new std::vector<Sprite*>;
    std::vector<Sprite*>& active = *Sprite::list_of_active_sprites;
    active.clear();
    if (Sprite::the_level == nullptr) return;

    std::list<Sprite*>& level = *Sprite::the_level;
    const layers::Speeds& speeds = world_list::speeds_of_level(loaded_level);
    for (auto it = level.begin(); it != level.end();) {
        Sprite* s = *it;
        if (s->hitpoints < 1) {
            Sprite::destroy_chain(s);
            delete s;
            it = level.erase(it);
            continue;
        }
        if (scroll > 0) scroll_with_chain(s, speeds);
        if (on_screen(s)) {
            active.push_back(s);
            prune_dead_children(s);
        }
        ++it;
    }
}

void Velmora_Win::move_sprite_active_list() {
    if (Sprite::list_of_active_sprites == nullptr) return;
    // Behaviours only add to the level list, never to the active list, so
    // walking it by index is stable; a child appended to a chain during the
    // walk is reached through the live links and runs in this pass.
    const std::vector<Sprite*>& active = *Sprite::list_of_active_sprites;
    contact_index::Pass contacts;
    for (size_t i = 0; i < active.size(); ++i) {
        contacts.chain_runs(i);
        for (Sprite* s = active[i]; s != nullptr; s = s->nextchild)
            if (s->behavior != nullptr) s->behavior(s);
    }
}

void Velmora_Win::draw_sprite_active_list() {
    if (Sprite::list_of_active_sprites == nullptr) return;
    const std::vector<Sprite*>& active = *Sprite::list_of_active_sprites;
    for (int layer = 3; layer >= 0; --layer)
        for (Sprite* top : active)
            for (Sprite* s = top; s != nullptr; s = s->nextchild)
                if (s->layer == layer) s->draw(&playfield_rect);
}
