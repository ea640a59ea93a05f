// Read-only looks at the level being played, for the test aids that watch or
// drive a run (the autopilot and the trace): the sprites on screen, the ships,
// and the master name a live sprite was made from.
#pragma once

#include <map>
#include <string>

#include "sprites/Sprite.h"

namespace level_view {

// Calls `visit` for every sprite of the active list and of each one's child
// chain, in drawing order of the list.
template <typename Visit>
void for_each_active(Visit&& visit) {
    if (Sprite::list_of_active_sprites == nullptr) return;
    for (Sprite* top : *Sprite::list_of_active_sprites) {
        long guard = 0;  // a broken chain must not hang a test aid
        for (Sprite* s = top; s != nullptr && guard < 100000; s = s->nextchild, ++guard) visit(s);
    }
}

// Calls `visit` for every sprite of the level list and of each one's child
// chain: unlike the active list, it already holds what was spawned this frame.
template <typename Visit>
void for_each_in_level(Visit&& visit) {
    if (Sprite::the_level == nullptr) return;
    for (Sprite* top : *Sprite::the_level) {
        long guard = 0;
        for (Sprite* s = top; s != nullptr && guard < 100000; s = s->nextchild, ++guard) visit(s);
    }
}

// The live ship of player 1 or 2 on screen, or null.
Sprite* ship_of(int player);

// The screen box of a sprite's current image; false when it has none.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};
bool box_of(const Sprite* s, Box& out);

// Names live sprites by the master whose frames they share. The table is
// rebuilt when the master list changes (each level load).
class Names {
public:
    // The master's name, or "?" for a sprite without frames or master.
    const std::string& of(const Sprite* s);
    // Drops the table; call when a level is loaded (its masters are new).
    void forget() {
        by_frame_.clear();
        masters_seen_ = 0;
        masters_data_ = nullptr;
    }

private:
    void rebuild();
    std::map<const Sprite::frame*, std::string> by_frame_;
    size_t masters_seen_ = 0;
    const void* masters_data_ = nullptr;
};

}  // namespace level_view
