// Checks on a generated world ("Levels/<World>" of the build's data): its
// sprites loaded the way the level loader loads them (the shared sprites
// first, then the world's), its level file, and questions about both: what a
// placed sprite covers, where the ground is, what the backdrop covers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sprites/Sprite.h"

namespace world_checks {

struct Record {
    int x = 0, y = 0, layer = 0;
    std::string name;
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// Frames a name needs at least.
using Needs = std::vector<std::pair<std::string, int>>;

class WorldData {
public:
    explicit WorldData(const std::string& world);  // "Space", "Metal", ...
    ~WorldData();
    WorldData(const WorldData&) = delete;
    WorldData& operator=(const WorldData&) = delete;

    bool loaded() const { return loaded_; }
    // Where on layer 0 a placement would come into view on the same frame
    // (a sprite on a slower layer comes in later for its x).
    static int level_x(const Record& r);
    const std::vector<Record>& records() const { return records_; }
    std::vector<Record> placed(const std::string& name) const;
    // The master the game would copy for a name: the shared one first.
    const Sprite* master(const std::string& name) const;
    bool world_has(const std::string& name) const;

    // The image rectangle of frame `frame` (from 0) of `name` at (x, y).
    Box box(const std::string& name, int frame, int x, int y) const;
    // Whether the frame's pixel at (x + px, y + py) of a sprite at (x, y) is opaque.
    bool opaque(const std::string& name, int frame, int px, int py) const;
    // The same on a frame looked up once (null: nothing is opaque).
    const Sprite::frame* frame_of(const std::string& name, int frame) const;
    static bool opaque_at(const Sprite::frame* f, int px, int py);

    // Terrain made of layer-1 pieces whose names start with `prefix`: the
    // ground under (over) the span [x0, x1), read past the dressing that
    // grows on it (weed, crystals, eggs): the row that three quarters of the
    // columns' floors reach down to (roofs reach up to); -1 without ground.
    int floor_under(const std::string& prefix, int x0, int x1) const;
    int roof_over(const std::string& prefix, int x0, int x1) const;
    // Whether a sprite placed by `r` overlaps an opaque pixel of the terrain
    // pieces with these prefixes (both scroll alike, so this holds until it moves).
    bool overlaps_terrain(const Record& r, const std::vector<std::string>& prefixes) const;

    // ---- checks that report through gtest ----
    // Each placement of these names rests on the floor pieces `prefix` (the
    // lowest row of its first frame between `sink` rows above and `gap` rows
    // below the ground under it), or hangs from the roof alike; placements
    // on the far layers 2 and 3 are left out.
    void expect_standing(const std::vector<std::string>& names, const std::string& prefix, int gap = 8,
                         int sink = 4) const;
    void expect_hanging(const std::vector<std::string>& names, const std::string& prefix, int gap = 8,
                        int sink = 4) const;
    // No placement of these names starts inside the terrain.
    void expect_clear_of(const std::vector<std::string>& names, const std::vector<std::string>& prefixes) const;
    void expect_every_record_resolves() const;
    void expect_frames(const Needs& needs) const;
    // The layer-3 pieces spanning the field's height cover the whole play field
    // with opaque pixels at every frame of scrolling until the exit portal has
    // come in to x = 400 (smaller pieces only lie over them).
    void expect_backdrop_covers_field() const;
    // Entrance near the start, the boss before the exit portal, the portal
    // within the ships' reach, and 120 to 300 seconds of scrolling to the boss
    // (the fight takes the level to its three to five minutes).
    void expect_timeline(const std::string& boss) const;

private:
    int solid_edge(const std::string& prefix, int level_x, bool from_top) const;
    int quartile_edge(const std::string& prefix, int x0, int x1, bool from_top) const;
    void expect_against(const std::vector<std::string>& names, const std::string& prefix, int gap, int sink,
                        bool floor) const;

    struct Loader;
    std::unique_ptr<Loader> loader_;
    bool loaded_ = false;
    std::vector<Record> records_;
    std::vector<std::string> world_names_;
};

// A suite over one world, loaded once for the suite: the sprite registry
// holds one world at a time. `using CaveWorld = WorldSuite<"Cave">;`
template <size_t N>
struct WorldName {
    char text[N];
    constexpr WorldName(const char (&s)[N]) { std::copy_n(s, N, text); }  // NOLINT(google-explicit-constructor)
};

template <WorldName World>
class WorldSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData(World.text); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static inline WorldData* data = nullptr;
};

// Readies the field for running behaviours over the loaded world's masters:
// the program's globals, the registry bound, the level scrolling, player one
// at (80, 200) and player two away. `end_play` empties the level again.
void begin_play();
void end_play();

// A world suite whose tests run its behaviours (`begin_play` before each,
// `end_play` after).
template <WorldName World>
class WorldPlaySuite : public WorldSuite<World> {
protected:
    void SetUp() override { begin_play(); }
    void TearDown() override { end_play(); }
};

}  // namespace world_checks
