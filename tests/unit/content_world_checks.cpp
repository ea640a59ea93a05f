#include "content_world_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "behaviours/registry.h"
#include "display/Surface.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace fs = std::filesystem;

namespace world_checks {

namespace {

constexpr int kFieldWidth = 640;
constexpr int kFieldHeight = 416;
constexpr int kPortalHeight = 132;

const fs::path kLevels = fs::path(VELMORA_DATA) / "Levels";

bool pixel_opaque(const Sprite::frame* f, int x, int y) {
    if (f == nullptr || f->surface == nullptr) return false;
    if (x < 0 || y < 0 || x >= f->surface->width || y >= f->surface->height) return false;
    return f->surface->get_pixel(x, y) != f->surface->get_pixel(0, 0);
}

}  // namespace

// Owns the window the sprites' surfaces were made through, and the masters.
struct WorldData::Loader {
    TestWindow win{16};
    DirectDrawWin* saved = nullptr;

    Loader() {
        saved = Sprite::orv_window;
        Sprite::set_window_ptr(&win);
    }
    ~Loader() {
        clear_sprites();
        Sprite::set_window_ptr(saved);
    }

    // Loads every definition of one world directory; returns the names.
    std::vector<std::string> load(const fs::path& dir) {
        std::vector<std::string> names;
        if (!fs::is_directory(dir / "Sprites")) return names;
        for (const auto& entry : fs::directory_iterator(dir / "Sprites"))
            if (entry.path().extension() == ".SPT") names.push_back(entry.path().stem().string());
        std::sort(names.begin(), names.end());
        for (std::string name : names) {
            std::ifstream in(dir / "Sprites" / (name + ".SPT"));
            ScopedChdir cd((dir / "Bitmaps").string());
            auto* s = new Sprite;
            s->load(&name, &in, &win);
        }
        return names;
    }
};

WorldData::WorldData(const std::string& world) : loader_(std::make_unique<Loader>()) {
    if (!loader_->win.ok || !fs::is_directory(kLevels / world)) return;
    loader_->load(kLevels / "Standard");
    world_names_ = loader_->load(kLevels / world);
    std::ifstream level(kLevels / world / "Levels" / "NORMAL.LVL");
    Record r;
    while (level >> r.x >> r.y >> r.layer >> r.name) records_.push_back(r);
    loaded_ = !world_names_.empty() && !records_.empty();
}

WorldData::~WorldData() = default;

std::vector<Record> WorldData::placed(const std::string& name) const {
    std::vector<Record> out;
    for (const Record& r : records_)
        if (r.name == name) out.push_back(r);
    return out;
}

const Sprite* WorldData::master(const std::string& name) const { return Sprite::getnamedsprite(name.c_str()); }

bool WorldData::world_has(const std::string& name) const {
    return std::find(world_names_.begin(), world_names_.end(), name) != world_names_.end();
}

const Sprite::frame* WorldData::frame_of(const std::string& name, int frame) const {
    const Sprite* s = master(name);
    if (s == nullptr || frame < 0 || frame >= s->frame_count()) return nullptr;
    return s->frames[size_t(frame)];
}

Box WorldData::box(const std::string& name, int frame, int x, int y) const {
    const Sprite::frame* f = frame_of(name, frame);
    if (f == nullptr) return {};
    return {x + f->xoffset, y + f->yoffset, x + f->xoffset + int(f->rect.right), y + f->yoffset + int(f->rect.bottom)};
}

bool WorldData::opaque(const std::string& name, int frame, int px, int py) const {
    return opaque_at(frame_of(name, frame), px, py);
}

bool WorldData::opaque_at(const Sprite::frame* f, int px, int py) {
    return f != nullptr && pixel_opaque(f, px - f->xoffset, py - f->yoffset);
}

// The first solid row from the top (floor), or the last solid row + 1 (roof).
int WorldData::solid_edge(const std::string& prefix, int level_x, bool from_top) const {
    for (const Record& r : records_) {
        if (r.layer != 1 || r.name.rfind(prefix, 0) != 0) continue;
        const Sprite* s = master(r.name);
        if (s == nullptr || s->frame_count() == 0) continue;
        const Sprite::frame* f = s->frames[0];
        const int col = level_x - (r.x + f->xoffset);
        if (col < 0 || col >= f->surface->width) continue;
        if (from_top) {
            for (int y = 0; y < f->surface->height; ++y)
                if (pixel_opaque(f, col, y)) return r.y + f->yoffset + y;
        } else {
            for (int y = f->surface->height - 1; y >= 0; --y)
                if (pixel_opaque(f, col, y)) return r.y + f->yoffset + y + 1;
        }
    }
    return -1;
}


// Of the columns' floor (roof) rows, sorted, the one three quarters (a
// quarter) of the way down; -1 without any.
int WorldData::quartile_edge(const std::string& prefix, int x0, int x1, bool from_top) const {
    std::vector<int> rows;
    for (int x = x0; x < x1; ++x)
        if (const int row = solid_edge(prefix, x, from_top); row >= 0) rows.push_back(row);
    if (rows.empty()) return -1;
    std::sort(rows.begin(), rows.end());
    return rows[from_top ? rows.size() - 1 - rows.size() / 4 : rows.size() / 4];
}

int WorldData::floor_under(const std::string& prefix, int x0, int x1) const {
    return quartile_edge(prefix, x0, x1, true);
}
int WorldData::roof_over(const std::string& prefix, int x0, int x1) const {
    return quartile_edge(prefix, x0, x1, false);
}

bool WorldData::overlaps_terrain(const Record& r, const std::vector<std::string>& prefixes) const {
    const Box b = box(r.name, 0, r.x, r.y);
    for (const Record& t : records_) {
        if (t.layer != 1) continue;
        const bool terrain = std::any_of(prefixes.begin(), prefixes.end(),
                                         [&](const std::string& p) { return t.name.rfind(p, 0) == 0; });
        if (!terrain) continue;
        const Box tb = box(t.name, 0, t.x, t.y);
        const int left = std::max(b.left, tb.left), right = std::min(b.right, tb.right);
        const int top = std::max(b.top, tb.top), bottom = std::min(b.bottom, tb.bottom);
        const Sprite::frame* mine = frame_of(r.name, 0);
        const Sprite::frame* ground = frame_of(t.name, 0);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (opaque_at(mine, x - r.x, y - r.y) && opaque_at(ground, x - t.x, y - t.y)) return true;
    }
    return false;
}


namespace {
// Rows of a placed sprite's first frame that hold art: its top and bottom.
std::pair<int, int> art_rows(const WorldData& d, const Record& r) {
    const Box b = d.box(r.name, 0, r.x, r.y);
    const Sprite::frame* f = d.frame_of(r.name, 0);
    int top = -1, bottom = -1;
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x)
            if (WorldData::opaque_at(f, x - r.x, y - r.y)) {
                if (top < 0) top = y;
                bottom = y + 1;
                break;
            }
    return {top, bottom};
}
}  // namespace

void WorldData::expect_against(const std::vector<std::string>& names, const std::string& prefix, int gap, int sink,
                               bool floor) const {
    ASSERT_TRUE(loaded_);
    for (const std::string& name : names)
        for (const Record& r : placed(name)) {
            if (r.layer > 1) continue;  // on the far wall, not on this ground
            const Box b = box(name, 0, r.x, r.y);
            const auto [top, foot] = art_rows(*this, r);
            // How far the art stands off the ground (negative: sunk into it).
            const int ground = floor ? floor_under(prefix, b.left + 4, b.right - 4)
                                     : roof_over(prefix, b.left + 4, b.right - 4);
            const int off = floor ? ground - foot : top - ground;
            ASSERT_GE(ground, 0) << name << " at " << r.x << " has no " << (floor ? "floor under" : "roof over") << " it";
            EXPECT_GE(off, -sink) << name << " at " << r.x << " is buried";
            EXPECT_LE(off, gap) << name << " at " << r.x << (floor ? " floats above the floor" : " hangs from nothing");
        }
}

void WorldData::expect_standing(const std::vector<std::string>& names, const std::string& prefix, int gap,
                                int sink) const {
    expect_against(names, prefix, gap, sink, true);
}

void WorldData::expect_hanging(const std::vector<std::string>& names, const std::string& prefix, int gap,
                               int sink) const {
    expect_against(names, prefix, gap, sink, false);
}

void WorldData::expect_clear_of(const std::vector<std::string>& names, const std::vector<std::string>& prefixes) const {
    ASSERT_TRUE(loaded_);
    for (const std::string& name : names)
        for (const Record& r : placed(name)) {
            EXPECT_FALSE(overlaps_terrain(r, prefixes)) << name << " at " << r.x << ", " << r.y;
        }
}

void WorldData::expect_every_record_resolves() const {
    ASSERT_TRUE(loaded_);
    std::set<std::string> missing;
    for (const Record& r : records_) {
        EXPECT_TRUE(r.layer >= 0 && r.layer <= 3) << r.name << " at " << r.x << " on layer " << r.layer;
        const Sprite* s = master(r.name);
        if (s == nullptr || s->frame_count() == 0) missing.insert(r.name);
    }
    for (const std::string& name : missing) ADD_FAILURE() << "the level places " << name << ", which has no frames";
}

void WorldData::expect_frames(const Needs& needs) const {
    ASSERT_TRUE(loaded_);
    for (const auto& [name, frames] : needs) {
        const Sprite* s = master(name);
        if (s == nullptr) {
            ADD_FAILURE() << name << " is missing";
            continue;
        }
        EXPECT_GE(s->frame_count(), frames) << name;
    }
}

void WorldData::expect_backdrop_covers_field() const {
    ASSERT_TRUE(loaded_);
    const std::vector<Record> exits = placed("exitportal");
    ASSERT_FALSE(exits.empty());
    // The pieces spanning the field's height must cover it between them; a
    // smaller piece (a moon laid once over the sky) only adds to them.
    std::vector<Record> far;
    std::set<std::string> pieces;
    for (const Record& r : records_) {
        if (r.layer != 3) continue;
        const Box b = box(r.name, 0, r.x, r.y);
        if (b.top > 0 || b.bottom < kFieldHeight) continue;
        far.push_back(r);
        pieces.insert(r.name);
    }
    ASSERT_FALSE(far.empty());
    // Every piece is opaque on every row and column it shows on the field.
    for (const std::string& name : pieces) {
        const Record& r = *std::find_if(far.begin(), far.end(), [&](const Record& f) { return f.name == name; });
        const Box b = box(name, 0, r.x, r.y);
        const Sprite::frame* f = frame_of(name, 0);
        int holes = 0;
        for (int y = std::max(0, b.top); y < std::min(kFieldHeight, b.bottom); ++y)
            for (int x = b.left; x < b.right; ++x)
                if (!opaque_at(f, x - r.x, y - r.y)) ++holes;
        EXPECT_EQ(holes, 0) << name << " lets the uncleared field show through";
    }
    // Layer 3 moves one pixel a frame while the level moves three.
    std::vector<std::pair<int, int>> start;
    for (const Record& r : far) {
        const Box b = box(r.name, 0, r.x, r.y);
        start.push_back({b.left, b.right});
    }
    std::sort(start.begin(), start.end());
    const int frames = (exits.front().x - 400) / 3;
    for (int t = 0; t <= frames; ++t) {
        std::vector<std::pair<int, int>> spans = start;
        for (auto& [left, right] : spans) {
            left -= t;
            right -= t;
        }
        int covered = 0;
        for (const auto& [left, right] : spans) {
            if (left > covered) break;
            covered = std::max(covered, right);
        }
        if (covered < kFieldWidth) {
            ADD_FAILURE() << "after " << t << " frames the backdrop covers only columns 0.." << covered;
            return;
        }
    }
}

int WorldData::level_x(const Record& r) {
    const int speed = r.layer <= 1 ? 3 : r.layer == 2 ? 2 : r.layer == 3 ? 1 : 0;
    if (speed == 0 || speed == 3) return r.x;
    return kFieldWidth + (r.x - kFieldWidth) * 3 / speed;
}

void WorldData::expect_timeline(const std::string& boss) const {
    ASSERT_TRUE(loaded_);
    const std::vector<Record> entrances = placed("entranceportal"), exits = placed("exitportal"),
                              bosses = placed(boss);
    ASSERT_EQ(entrances.size(), 1u);
    ASSERT_EQ(exits.size(), 1u);
    ASSERT_EQ(bosses.size(), 1u);
    EXPECT_GE(entrances[0].x, 80);
    EXPECT_LE(entrances[0].x, 140);
    const int boss_x = level_x(bosses[0]);
    EXPECT_LT(boss_x, exits[0].x) << "the exit portal must come after the boss";
    // Both pieces of the portal on the field, where the ships fly.
    EXPECT_GE(exits[0].y, 0);
    EXPECT_LE(exits[0].y + kPortalHeight, kFieldHeight);
    const double seconds = (boss_x - kFieldWidth) / 3.0 * 0.045;
    EXPECT_GE(seconds, 120) << "the boss comes too soon";
    EXPECT_LE(seconds, 300) << "the boss comes too late";
    // Nothing of the level lies beyond the exit but scenery.
    for (const Record& r : records_) {
        if (r.layer == 0 && r.name != "exitportal") {
            EXPECT_LT(r.x, exits[0].x) << r.name;
        }
    }
}

void begin_play() {
    reset_globals_to_program_start();
    set_behaviors();
    scroll = 1;
    player1 = true;
    player1hitpoints = 100;
    player1h = 80;
    player1v = 200;
    player2h = player2v = -10000;
}

void end_play() {
    Sprite::destroy_level();
    if (Sprite::list_of_active_sprites != nullptr) Sprite::list_of_active_sprites->clear();
    scroll = 0;
}

}  // namespace world_checks
