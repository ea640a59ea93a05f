// Copies of masters, the level list and the child chains, and the release of
// every master between levels.
#include <cstring>
#include <unordered_map>
#include <vector>

#include "display/DirectDrawWin.h"
#include "sprites/Sprite.h"

namespace {

// Dead children that a living member of their chain still names as `parent`.
// They are out of the chain (never run, drawn or tested) but stay allocated
// until the chain's top-level sprite goes, so reading `parent->hitpoints` or
// `parent->x` stays safe. Keyed by the top-level sprite.
std::unordered_map<Sprite*, std::vector<Sprite*>>& retired_children() {
    static std::unordered_map<Sprite*, std::vector<Sprite*>> retired;
    return retired;
}

void free_retired(Sprite* top) {
    auto& retired = retired_children();
    auto it = retired.find(top);
    if (it == retired.end()) return;
    for (Sprite* s : it->second) delete s;
    retired.erase(it);
}

bool named_as_parent(const Sprite* top, const Sprite* child) {
    for (const Sprite* c = top->nextchild; c != nullptr; c = c->nextchild)
        if (c->parent == child) return true;
    return false;
}

}  // namespace

Sprite* Sprite::make_copy() const {
    auto* copy = new Sprite(*this);
    copy->serial = next_serial++;
    if (next_serial == 0) next_serial = 1;  // 0 stays the masters' mark
    return copy;
}

void Sprite::spawn(int px, int py, int new_layer, int where) {
    if (the_level == nullptr || (where != 0 && where != 1)) return;
    Sprite* copy = make_copy();
    copy->x = px;
    copy->y = py;
    copy->layer = new_layer;
    if (where == 0)
        the_level->push_back(copy);
    else
        the_level->push_front(copy);
}

void Sprite::spawnbyname(const char* name, int px, int py, int new_layer, int where) {
    Sprite* master = getnamedsprite(name);
    if (master != nullptr) master->spawn(px, py, new_layer, where);
}

namespace {
// A copy of the named master at (px, py) on `new_layer`, belonging to
// `parent`; null when either is missing. The caller links it into the chain.
Sprite* child_copy(Sprite* parent, const char* name, int px, int py, int new_layer) {
    Sprite* master = Sprite::getnamedsprite(name);
    if (master == nullptr || parent == nullptr) return nullptr;
    Sprite* copy = master->make_copy();
    copy->x = px;
    copy->y = py;
    copy->layer = new_layer;
    copy->parent = parent;
    return copy;
}
}  // namespace

void Sprite::spawnchildbyname(Sprite* parent_sprite, const char* name, int px, int py,
                              int new_layer) {
    Sprite* copy = child_copy(parent_sprite, name, px, py, new_layer);
    if (copy == nullptr) return;
    // At the end of the parent's chain.
    Sprite* last = parent_sprite;
    while (last->nextchild != nullptr) last = last->nextchild;
    last->nextchild = copy;
    copy->prevchild = last;
}

void Sprite::spawnchildbynametwo(Sprite* parent_sprite, const char* name, int px, int py,
                                 int new_layer) {
    Sprite* copy = child_copy(parent_sprite, name, px, py, new_layer);
    if (copy == nullptr) return;
    // Right after the parent.
    copy->nextchild = parent_sprite->nextchild;
    copy->prevchild = parent_sprite;
    if (parent_sprite->nextchild != nullptr) parent_sprite->nextchild->prevchild = copy;
    parent_sprite->nextchild = copy;
}

Sprite* Sprite::getnamedsprite(const char* name) {
    if (name == nullptr) return nullptr;
    const size_t n = list_of_master_sprite_names.size();
    for (size_t i = 0; i < n && i < list_of_master_sprites.size(); ++i)
        if (list_of_master_sprite_names[i] == name) return list_of_master_sprites[i];
    return nullptr;
}

void Sprite::dumpall() {
    for (Sprite* master : list_of_master_sprites) {
        for (frame* f : master->frames) {
            if (f == nullptr) continue;
            if (f->surface != nullptr) {
                if (orv_window != nullptr)
                    orv_window->ReleaseSurface(f->surface);
                else
                    delete f->surface;
            }
            delete f;
        }
        master->frames.clear();
        delete master;
    }
    list_of_master_sprites.clear();
    list_of_master_sprite_names.clear();
}

void Sprite::destroy_chain(Sprite* top) {
    if (top == nullptr) return;
    Sprite* c = top->nextchild;
    while (c != nullptr) {
        Sprite* next = c->nextchild;
        delete c;
        c = next;
    }
    top->nextchild = nullptr;
    free_retired(top);
}

void Sprite::retire_child(Sprite* top, Sprite* child) {
    if (top == nullptr || child == nullptr || child == top) return;
    if (child->prevchild != nullptr) child->prevchild->nextchild = child->nextchild;
    if (child->nextchild != nullptr) child->nextchild->prevchild = child->prevchild;
    child->nextchild = nullptr;
    child->prevchild = nullptr;
    if (named_as_parent(top, child))
        retired_children()[top].push_back(child);
    else
        delete child;
}

void Sprite::destroy_level() {
    if (list_of_active_sprites != nullptr) list_of_active_sprites->clear();
    g_sprite = nullptr;
    if (the_level == nullptr) return;
    for (Sprite* s : *the_level) {
        destroy_chain(s);
        delete s;
    }
    delete the_level;
    the_level = nullptr;
    // Anything left belonged to sprites that were never in this level list.
    for (auto& [top, children] : retired_children())
        for (Sprite* s : children) delete s;
    retired_children().clear();
}
