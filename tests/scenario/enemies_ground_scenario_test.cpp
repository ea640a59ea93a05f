// The enemies that need more of a world than empty space, met by the autopilot
// in god mode: ground units on a floor with a step in it, hatches that let out
// ships, structures that burn where they are hit, the catapult and the wizard,
// and the crusher. The worlds are plain one-colour shapes over a sky that
// stays put, so a screenshot tells where each kind of sprite is by its colour;
// a state dump after every frame counts the live sprites per collision class,
// so no enemy shot goes unseen however soon the ship's stream of shots takes
// it out. (Hives and bees: their unit tests and the Hive golden.)
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

namespace {

using writers::LevelRecord;
using writers::Rgb;

constexpr int kScreenWidth = 640;
constexpr int kPlayTop = 32;  // the play area's first row on the screen
constexpr int kPlayHeight = 416;
constexpr int kScroll = 3;  // pixels per frame that layers 0 and 1 scroll
constexpr long kMenuFrames = 8;  // the autopilot's way through the menus

constexpr int kFloorTop = 360;
constexpr int kStepX = 380, kStepWidth = 160, kStepTop = kFloorTop - 40;

constexpr Rgb kMagenta{255, 0, 255}, kCyan{0, 255, 255}, kYellow{255, 255, 0};

FixtureSprite shape(const std::string& name, int w, int h, int frames, Rgb colour) {
    return {name, w, h, frames, colour, false};
}

// The level and the sprites it needs, besides the entrance portal; to begin
// with a sky that keeps its place ("background" drifts right as fast as its
// layer scrolls left) and covers the play area, so nothing old stays on the
// screen.
struct World {
    std::vector<FixtureSprite> sprites{shape("background", kScreenWidth + 20, kPlayHeight, 1, {8, 8, 40})};
    std::vector<LevelRecord> records{{-10, 0, 3, "background"}};
    long scenery = 1;  // enemy-class pieces that nothing destroys (sky, ground)

    void add(const FixtureSprite& s) { sprites.push_back(s); }
    void place(int x, int y, const std::string& name, int layer = 0) { records.push_back({x, y, layer, name}); }
};

// Solid ground on layer 1 from x 0 to 4480, its top at kFloorTop, with a step
// on it 40 pixels high from kStepX.
World world_with_floor() {
    World w;
    w.add(shape("groundslab", kScreenWidth, kPlayHeight - kFloorTop, 1, {96, 72, 48}));
    w.add(shape("groundstep", kStepWidth, kFloorTop - kStepTop, 1, {96, 72, 48}));
    for (int x = 0; x < 4480; x += kScreenWidth) w.place(x, kFloorTop, "groundslab", 1);
    w.place(kStepX, kStepTop, "groundstep", 1);
    w.scenery += 4480 / kScreenWidth + 1;
    return w;
}

// A screenshot, read in play-area rows.
struct Shot : Picture {
    long play_frame = 0;

    bool at(int x, int y, Rgb c) const { return is(x, y + kPlayTop, c); }
    // Pixels of colour c in the box [left, right) x [top, bottom), clipped to the play area.
    long count(Rgb c, int left = 0, int top = 0, int right = kScreenWidth, int bottom = kPlayHeight) const {
        long n = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, kPlayHeight); ++y)
            for (int x = std::max(left, 0); x < std::min(right, width); ++x) n += at(x, y, c) ? 1 : 0;
        return n;
    }
};

// One run of the autopilot through a world: a state dump after every play
// frame and screenshots every few frames.
struct Play {
    std::vector<std::string> dumps;  // [k - 1]: after play frame k
    std::vector<Shot> pictures;

    long at(size_t k, const char* name) const { return dumped(dumps[k - 1], name); }
    long last(const char* name) const { return at(dumps.size(), name); }
    long most(const char* name) const {
        long m = 0;
        for (size_t k = 1; k <= dumps.size(); ++k) m = std::max(m, at(k, name));
        return m;
    }
    // The first play frame whose dump has `name` above 0, or 0.
    long first_nonzero(const char* name) const {
        for (size_t k = 1; k <= dumps.size(); ++k)
            if (at(k, name) > 0) return long(k);
        return 0;
    }
    // Every tenth value, for failure messages.
    std::string series(const char* name) const {
        std::string s;
        for (size_t k = 10; k <= dumps.size(); k += 10) s += ' ' + std::to_string(at(k, name));
        return s;
    }
};

// Screenshots every `picture_every` play frames up to `pictures_until`: they
// are the slow part of a run.
::testing::AssertionResult play(const World& w, long play_frames, long picture_every, long pictures_until,
                                Play& out) {
    TempDir data, dir;
    std::vector<LevelRecord> level = {{100, 150, 0, "entranceportal"}};
    level.insert(level.end(), w.records.begin(), w.records.end());
    if (!write_fixture_data(data.path(), "Space", w.sprites, level))
        return ::testing::AssertionFailure() << "could not write the world";
    const long frames = kMenuFrames + play_frames;
    const auto picture = [&](long f) { return f - kMenuFrames <= pictures_until && (f - kMenuFrames) % picture_every == 0; };
    std::vector<std::string> args = autopilot_args(data.path(), dir.file("trace.txt"), 1, frames);
    args.insert(args.end(), {"--god", "--start-level", "1"});
    for (long f = kMenuFrames + 1; f <= frames; ++f) {
        args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dir.file(std::to_string(f))});
        if (picture(f)) args.insert(args.end(), {"--screenshot", std::to_string(f) + ":" + dir.file(std::to_string(f) + ".png")});
    }
    const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", dir.file("config")}, {"VELMORA_DATA", ""}});
    if (r.exit_code != 0) return ::testing::AssertionFailure() << "the run failed: " << r.output;
    long start = 0;
    for (const TraceLine& t : trace_lines(read_file(dir.file("trace.txt"))))
        if (t.text.rfind("start level", 0) == 0) start = t.frame;
    if (start != kMenuFrames + 1) return ::testing::AssertionFailure() << "the level started at frame " << start;
    for (long f = kMenuFrames + 1; f <= frames; ++f) {
        out.dumps.push_back(read_file(dir.file(std::to_string(f))));
        if (out.dumps.back().empty()) return ::testing::AssertionFailure() << "no state dump after frame " << f;
        if (!picture(f)) continue;
        Shot p;
        p.play_frame = f - kMenuFrames;
        if (!read_png(dir.file(std::to_string(f) + ".png"), p) || p.width < kScreenWidth ||
            p.height < kPlayTop + kPlayHeight)
            return ::testing::AssertionFailure() << "no screenshot after frame " << f;
        out.pictures.push_back(std::move(p));
    }
    return ::testing::AssertionSuccess();
}

// Where a sprite that does not move by itself, placed at x, is after play frame k.
int carried_x(int x, long k) { return x - kScroll * int(k); }

// A sprite that does not move by itself, placed at (x, y), with its size and colour.
struct Standing {
    int x, y, width, height;
    Rgb colour;

    int left(const Shot& p) const { return carried_x(x, p.play_frame); }
    long shown(const Shot& p, Rgb c) const { return p.count(c, left(p), y, left(p) + width, y + height); }
    bool wholly_on_screen(const Shot& p) const { return left(p) >= 0 && left(p) + width <= kScreenWidth; }
};

// The picture in which it was destroyed: after pictures that showed it at its
// place, the first that shows none of its colour there while it would be
// wholly on the screen (scrolling cannot have taken it away then); or null.
const Shot* destroyed_in_view(const Play& run, const Standing& s) {
    bool seen = false;
    for (const Shot& p : run.pictures) {
        const bool shows = s.shown(p, s.colour) > 0;
        seen = seen || shows;
        if (seen && !shows && s.wholly_on_screen(p)) return &p;
    }
    return nullptr;
}

// Whether a picture shows colour c at its place while it still stands there.
bool seen_at(const Play& run, const Standing& s, Rgb c) {
    return std::any_of(run.pictures.begin(), run.pictures.end(),
                       [&](const Shot& p) { return s.shown(p, s.colour) > 0 && s.shown(p, c) > 0; });
}

// Three of a kind that stay where they are put, at height y: two on the
// screen as the level starts (they act before the ship, out of the portal at
// frame 20, can line up with them) and one that scrolls in later.
const int kStandingXs[] = {420, 580, 740};

std::vector<Standing> place_three(World& w, const FixtureSprite& kind, int y) {
    w.add(kind);
    std::vector<Standing> placed;
    for (int x : kStandingXs) {
        w.place(x, y, kind.name);
        placed.push_back({x, y, kind.width, kind.height, kind.colour});
    }
    return placed;
}

// ---------------------------------------------------------------------------
// Ground units, put a little above the floor, fall onto it and walk along it,
// climbing the step on their way; they fire up at a ship ahead of them (all
// but the cave tank, which never fires) and are shot down. The first two walk
// on as the level starts and pass their firing delay before the ship, out of the portal at frame 20, can line up
// with them: the autopilot takes a unit out within 10 to 20 frames of its
// coming on screen, sooner than the 25 to 35 frames a unit waits to fire.

constexpr int kDrop = 30;  // how far above the floor the units are put

// Runs of columns in which a colour's lowest row is the same: the feet of
// whatever of that colour stands there.
struct Footing {
    int left = 0, right = 0;  // right exclusive
    int row = 0;
};

std::vector<Footing> footings(const Shot& p, Rgb c) {
    std::vector<Footing> out;
    for (int x = 0; x < kScreenWidth; ++x) {
        int row = kPlayHeight - 1;
        while (row >= 0 && !p.at(x, row, c)) --row;
        if (row < 0) continue;
        if (out.empty() || out.back().right != x || out.back().row != row) out.push_back({x, x, row});
        out.back().right = x + 1;
    }
    return out;
}

struct GroundUnitCase {
    const char* label;
    FixtureSprite unit;
    bool fires;
};

void PrintTo(const GroundUnitCase& c, std::ostream* os) { *os << c.label; }

class GroundUnit : public ::testing::TestWithParam<GroundUnitCase> {};

TEST_P(GroundUnit, WalksTheGroundFiresAndIsShotDown) {
    const GroundUnitCase& c = GetParam();
    World w = world_with_floor();
    w.add(c.unit);
    for (int x : {560, 630, 1160}) w.place(x, kFloorTop - c.unit.height - kDrop, c.unit.name);
    Play run;
    ASSERT_TRUE(play(w, 450, 6, 150, run));

    // Feet on the floor (where they fell) or on the step, never sunk into
    // either (a unit is drawn over the ground).
    bool on_floor = false, on_step = false;
    for (const Shot& p : run.pictures) {
        const int step_left = carried_x(kStepX, p.play_frame);
        for (const Footing& f : footings(p, c.unit.colour)) {
            EXPECT_LT(f.row, kFloorTop) << c.label << " sank into the ground at frame " << p.play_frame;
            if (f.right - f.left < c.unit.width / 3) continue;  // mostly hidden by a blast or a shot
            if (f.row == kFloorTop - 1) on_floor = true;
            // 8 columns of slack: a blast may hide the toes that rest on the step's edge.
            if (f.row == kStepTop - 1 && f.right > step_left && f.left < step_left + kStepWidth + 8)
                on_step = true;
        }
    }
    EXPECT_TRUE(on_floor) << c.label << " never stood on the floor";
    EXPECT_TRUE(on_step) << c.label << " never climbed the step";

    if (c.fires) {
        EXPECT_GT(run.most("live_hitclass7"), 0) << c.label << " never fired";
    } else {
        EXPECT_EQ(run.most("live_hitclass7"), 0) << c.label << " fired";
    }
    // Off the screen a unit lives on, so the count falls back to the
    // scenery's only when all three were shot down. (The score is no measure:
    // it grows only by the power-ups that some kills drop.)
    EXPECT_EQ(run.last("live_hitclass6"), w.scenery)
        << c.label << " not all shot down; live enemies every 10 frames:" << run.series("live_hitclass6");
}

const GroundUnitCase kGroundUnits[] = {
    {"LandWalker", shape("landwalker", 60, 60, 6, kMagenta), true},
    {"HoverTank", shape("hovertank", 96, 72, 6, kMagenta), true},
    {"CaveTank", shape("cavetank", 88, 46, 4, kMagenta), false},
    {"GreenDragon", shape("greendragon", 78, 52, 8, kMagenta), true},
    {"RedDragon", shape("reddragonwalking", 78, 52, 8, kMagenta), true},
};

INSTANTIATE_TEST_SUITE_P(EnemyGround, GroundUnit, ::testing::ValuesIn(kGroundUnits),
                         [](const ::testing::TestParamInfo<GroundUnitCase>& info) { return info.param.label; });

// ---------------------------------------------------------------------------
// Hatches open, let a ship out and close again, and are shot down.

struct HatchCase {
    const char* label;
    FixtureSprite hatch;
    int y;
    FixtureSprite ship;
};

void PrintTo(const HatchCase& c, std::ostream* os) { *os << c.label; }

class Hatch : public ::testing::TestWithParam<HatchCase> {};

TEST_P(Hatch, LetsShipsOutAndIsShotDown) {
    const HatchCase& c = GetParam();
    World w;
    w.add(c.ship);
    const std::vector<Standing> hatches = place_three(w, c.hatch, c.y);
    Play run;
    ASSERT_TRUE(play(w, 400, 8, 248, run));

    // The ships come out of the hatches, not in from the edge of the screen.
    // A ship rises or sinks out of its hatch: look where the hatch stands and
    // as far again above and below.
    bool let_out = false;
    for (Standing h : hatches) {
        h.y -= h.height;
        h.height *= 3;
        let_out = let_out || seen_at(run, h, c.ship.colour);
    }
    EXPECT_TRUE(let_out) << c.label << ": no ship seen at a hatch";
    EXPECT_GT(run.most("live_hitclass6") - w.scenery, long(hatches.size()))
        << c.label << " let nothing out; live enemies every 10 frames:" << run.series("live_hitclass6");
    // The autopilot does not always get all three before they scroll away.
    long destroyed = 0;
    for (const Standing& h : hatches)
        if (destroyed_in_view(run, h) != nullptr) ++destroyed;
    EXPECT_GT(destroyed, 0) << c.label << ": no hatch shot down";
}

const HatchCase kHatches[] = {
    {"MetalFloor", shape("metalopenerup", 92, 84, 12, kMagenta), kPlayHeight - 84,
     shape("metalgreenship", 58, 40, 5, kCyan)},
    {"MetalCeiling", shape("metalopenerdown", 92, 84, 12, kMagenta), 0, shape("metalgreenship", 58, 40, 5, kCyan)},
    {"CaveFloor", shape("caveopenerup", 66, 32, 6, kMagenta), kPlayHeight - 32, shape("caveredship", 50, 28, 4, kCyan)},
    // Under a roof, as in the cave: the autopilot does not line up with a
    // hatch this flat at the very top of the screen.
    {"CaveCeiling", shape("caveopenerdown", 66, 32, 6, kMagenta), 40, shape("caveredship", 50, 28, 4, kCyan)},
};

INSTANTIATE_TEST_SUITE_P(EnemyGround, Hatch, ::testing::ValuesIn(kHatches),
                         [](const ::testing::TestParamInfo<HatchCase>& info) { return info.param.label; });

// ---------------------------------------------------------------------------
// Structures: houses and towers catch fire where they are hit, and the fire
// goes with them; the catapult burns too and throws when its arm has wound to
// the end of its swing; the wizard casts at the end of each swing and does not
// burn. All are shot down.

struct StructureCase {
    const char* label;
    FixtureSprite structure;
    int swing_frames;  // frames until its first swing ends; 0: it never fires
    bool burns;
    long picture_every = 8;  // short-lived fires need closer pictures
};

void PrintTo(const StructureCase& c, std::ostream* os) { *os << c.label; }

class Structure : public ::testing::TestWithParam<StructureCase> {};

TEST_P(Structure, BurnsOrFiresAndIsShotDown) {
    const StructureCase& c = GetParam();
    const FixtureSprite fire = shape("fire", 16, 22, 6, kYellow);
    World w;
    w.add(fire);
    const std::vector<Standing> structures = place_three(w, c.structure, kPlayHeight - c.structure.height);
    Play run;
    ASSERT_TRUE(play(w, 400, c.picture_every, 248, run));

    long burning = 0, destroyed = 0, fire_left_behind = 0;
    for (const Standing& s : structures) {
        if (seen_at(run, s, fire.colour)) ++burning;
        const Shot* end = destroyed_in_view(run, s);
        if (end == nullptr) continue;
        ++destroyed;
        for (const Shot& p : run.pictures)
            if (p.play_frame >= end->play_frame) fire_left_behind += s.shown(p, fire.colour);
    }
    if (c.burns) {
        EXPECT_GT(burning, 0) << c.label << " never caught fire";
        EXPECT_EQ(fire_left_behind, 0) << c.label << ": fire outlived what burned";
    } else {
        long fire_anywhere = 0;
        for (const Shot& p : run.pictures) fire_anywhere += p.count(fire.colour);
        EXPECT_EQ(fire_anywhere, 0) << c.label << " caught fire";
    }

    const long first_shot = run.first_nonzero("live_hitclass7");
    if (c.swing_frames > 0) {
        EXPECT_GT(first_shot, 0) << c.label << " never fired";
        // It stands on the screen from the first frame.
        EXPECT_GE(first_shot, c.swing_frames) << c.label << " fired before its swing could end";
    } else {
        EXPECT_EQ(first_shot, 0) << c.label << " fired";
    }
    EXPECT_GT(destroyed, 0) << c.label << ": none shot down";
}

const StructureCase kStructures[] = {
    {"House", shape("houseone", 100, 86, 1, kMagenta), 0, true},
    {"CityHouse", shape("housetwo", 100, 66, 1, kMagenta), 0, true},
    {"SmallTower", shape("smalltower", 72, 164, 2, kMagenta), 0, true},
    {"BigTower", shape("bigtower", 104, 226, 2, kMagenta), 0, true},
    // Six images, each held four frames (frame delay 2): wound after 20. It
    // takes six hits, so its fires last only a few frames.
    {"Catapult", shape("catapult", 110, 100, 6, kMagenta), 20, true, 3},
    // Five images held two frames each: the first swing ends after 8.
    {"Wizard", shape("wizard", 48, 72, 5, kMagenta), 8, false},
};

INSTANTIATE_TEST_SUITE_P(EnemyGround, Structure, ::testing::ValuesIn(kStructures),
                         [](const ::testing::TestParamInfo<StructureCase>& info) { return info.param.label; });

// ---------------------------------------------------------------------------
// The crusher pounds down from its housing onto whatever is below it (the
// step under the first, the floor under the others) on a shaft that grows
// behind its head, and pulls back up, again and again. Nothing in it takes
// hits, so it cannot be shot down: the three housings stand to the end while
// the ship fires at them.

TEST(EnemyGroundCrusher, PoundsOnAGrowingShaftAndIsNotShotDown) {
    constexpr int kHousingY = 40, kHeadStart = kHousingY + 24, kHeight = 22, kStroke = 7, kShotHeight = 7;
    constexpr long kEvery = 5;  // frames between pictures
    World w = world_with_floor();
    w.add(shape("crusher", 60, kHeight, 3, kMagenta));
    for (int x : kStandingXs) w.place(x, kHousingY, "crusher", 1);
    Play run;
    ASSERT_TRUE(play(w, 250, kEvery, 250, run));

    for (int x : kStandingXs) {
        // Columns where the head (x + 15 ..) and the shaft (x + 38 ..) overlap.
        const Standing column{x + 40, kHeadStart, 16, kPlayHeight - kHeadStart, kMagenta};
        const int ground = x + 40 >= kStepX && x + 56 <= kStepX + kStepWidth ? kStepTop : kFloorTop;
        int landings = 0;
        bool up = true;
        for (const Shot& p : run.pictures) {
            if (!column.wholly_on_screen(p)) continue;
            // The lowest row of the head, and the longest run of rows above
            // it, below the head's first place, that show no shaft.
            int lowest = -1, gap = 0, longest_gap = 0;
            for (int y = kHeadStart; y < kPlayHeight; ++y) {
                if (p.count(kMagenta, column.left(p), y, column.left(p) + column.width, y + 1) == 0) {
                    ++gap;
                    continue;
                }
                lowest = y;
                longest_gap = std::max(longest_gap, gap);
                gap = 0;
            }
            ASSERT_GE(lowest, kHeadStart + kHeight - 1) << "no head under the housing at " << x;
            EXPECT_LT(lowest, ground) << "the head at " << x << " went into the ground at frame " << p.play_frame;
            // The shaft fills the way from the housing to the head, but for
            // the rows a shot drawn over it hides.
            EXPECT_LE(longest_gap, kShotHeight) << "a gap in the shaft at " << x << " at frame " << p.play_frame;
            // The head moves kEvery strokes between two pictures.
            if (up && lowest >= ground - kEvery * kStroke) {
                ++landings;
                up = false;
            } else if (lowest <= kHeadStart + kHeight + 2 * kStroke) {
                up = true;
            }
        }
        EXPECT_GE(landings, 2) << "the crusher at " << x << " did not pound twice";
    }
    EXPECT_GT(run.most("live_hitclass3"), 0) << "the ship never fired";
    EXPECT_EQ(run.last("live_hitclass6"), w.scenery + 3) << "a housing was destroyed";
}

}  // namespace
