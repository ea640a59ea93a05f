// The one sprite record: a master (definition loaded from a .SPT file and its
// numbered bitmaps) or a live copy of a master that moves, collides and draws.
#pragma once

#include <cstdint>
#include <istream>
#include <list>
#include <string>
#include <vector>

#include "display/types.h"
#include "sprites/hit_class.h"

class DirectDrawWin;
struct Surface;
class Sprite;

using Behavior = void (*)(Sprite*);

struct Point {
    int x = 0;
    int y = 0;
};

class Sprite {
public:
    // One animation image. Owned by its master; shared by every copy.
    struct frame {
        int xoffset = 0;
        int yoffset = 0;
        Surface* surface = nullptr;
        RECT rect{};
    };

    Sprite() = default;
    virtual ~Sprite() = default;
    virtual void Update() {}

    // ---- fields, in declaration order ----
    int x = 0;
    int y = 0;
    int hitclass = 0;
    int layer = 0;
    int damage = 1;
    int hitpoints = 1;
    int firedelay = 0;
    int firecount = 10;
    int framedelay = 0;
    int framecount = 0;
    int framenumber = 1;
    int state = 0;
    int param1 = 0, param2 = 0, param3 = 0, param4 = 0, param5 = 0, param6 = 0, param7 = 0,
        param8 = 0, param9 = 0;
    int reverse = 0;
    float dirx = 0, diry = 0;
    std::vector<frame*> frames;  // references into the master's frames
    int curframe = 0;            // index into `frames`
    int firstframe = 0;
    int lastframe = -1;          // -1 when there are no frames
    Sprite* parent = nullptr;
    Sprite* nextchild = nullptr;
    Sprite* prevchild = nullptr;
    Behavior behavior = nullptr;
    float posx = 0, posy = 0, velx = 0, vely = 0, accx = 0, accy = 0;

    // Identity of a live sprite, unique for the run (masters keep 0). Used where
    // one sprite remembers another (the last power-up collected, in param3):
    // an address may be reused by a later sprite, a serial never is.
    uint32_t serial = 0;
    // Which master this is or was copied from: its place in the master list,
    // from 1 (0: made by hand, not from a definition).
    uint32_t kind = 0;

    // The frame that is drawn and tested; null when the sprite has no frames.
    frame* current_frame() const {
        return (curframe >= 0 && curframe < static_cast<int>(frames.size())) ? frames[curframe]
                                                                             : nullptr;
    }
    int frame_count() const { return static_cast<int>(frames.size()); }

    // ---- definitions (sprite_load.cpp) ----
    // Fills this new sprite from the definition stream and the bitmaps
    // <name>1.BMP, <name>2.BMP, ... of the current directory, then registers it
    // in the master lists. `name` is lower-cased in place.
    void load(std::string* name, std::istream* in, DirectDrawWin* win);
    static void set_window_ptr(DirectDrawWin* win);

    // ---- spawning and lists (spawn.cpp) ----
    // A new live sprite with every field of this one, a fresh serial and its
    // own frames list (same frame references).
    Sprite* make_copy() const;
    void spawn(int x, int y, int layer, int where);
    void spawnbyname(const char* name, int x, int y, int layer, int where);
    void spawnchildbyname(Sprite* parent, const char* name, int x, int y, int layer);
    void spawnchildbynametwo(Sprite* parent, const char* name, int x, int y, int layer);
    static Sprite* getnamedsprite(const char* name);
    static void dumpall();
    // Destroys the level list with every sprite and child chain in it.
    static void destroy_level();
    // Destroys a top-level sprite's whole child chain (not the sprite itself).
    static void destroy_chain(Sprite* top);
    // Unlinks a dead child from `top`'s chain and destroys it; one that another
    // member of the chain still names as `parent` is kept allocated (out of the
    // chain) until `top`'s chain is destroyed.
    static void retire_child(Sprite* top, Sprite* child);

    // ---- collision (collision.cpp) ----
    int hitsomthing(HitClass hitclass);
    int hitsomthing2(HitClass hitclass);
    int hitsomthingwhere(HitClass hitclass);
    int hitlayer(int layer);
    Point findclosestsprite(int layer, HitClass hitclass);

    // ---- drawing (draw.cpp) ----
    void draw(const RECT* view);   // onto the back buffer
    void draw2(const RECT* view);  // onto the front surface

    // ---- statics ----
    static std::vector<Sprite*> list_of_master_sprites;
    static std::vector<std::string> list_of_master_sprite_names;
    static std::list<Sprite*>* the_level;                 // owning
    static std::vector<Sprite*>* list_of_active_sprites;  // non-owning, top-level only
    static Sprite* g_sprite;
    static DirectDrawWin* orv_window;
    static uint32_t next_serial;
};

// The point a quarter of the way into the last box overlap found by hitsomthingwhere.
extern int hitx;
extern int hity;
