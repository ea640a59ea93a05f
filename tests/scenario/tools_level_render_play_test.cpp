// The level picture against the play: a world of plain blocks on every layer
// is played headless with a screenshot every frame, and each block must stand
// in the picture where the screenshots first show it, counted in the pixels
// layer 0 has scrolled by then.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture_world.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

namespace {

constexpr int kPlayTop = 32;
constexpr long kFrames = 180;

// The leftmost column holding `c` in rows [top, bottom), or -1.
int leftmost(const Picture& p, writers::Rgb c, int top, int bottom) {
    for (int x = 0; x < p.width; ++x)
        for (int y = top; y < bottom && y < p.height; ++y)
            if (p.is(x, y, c)) return x;
    return -1;
}

struct Block {
    const char* name;
    int x, y, layer;
    writers::Rgb colour;
};

// Three come on screen in the first frame, three later: layer 0's first, as in
// play, although all three stand at about the same x in the file.
const Block kBlocks[] = {
    {"floorlate", 760, 330, 0, {200, 0, 200}}, {"hilllate", 760, 230, 2, {0, 200, 200}},
    {"moonlate", 700, 130, 3, {200, 200, 0}},  {"moonnow", 200, 40, 3, {120, 0, 240}},
    {"hillnow", 300, 180, 2, {240, 120, 0}},   {"floornow", 400, 280, 0, {0, 120, 240}},
};
constexpr int kBlockWidth = 30, kBlockHeight = 20;

}  // namespace

TEST(ToolsLevelRenderPlay, EveryBlockStandsWhereThePlayFirstShowsIt) {
    TempDir data, out;
    std::vector<FixtureSprite> sprites;
    std::vector<writers::LevelRecord> records;
    for (const Block& b : kBlocks) {
        sprites.push_back({b.name, kBlockWidth, kBlockHeight, 1, b.colour});
        records.push_back({b.x, b.y, b.layer, b.name});
    }
    ASSERT_TRUE(write_fixture_data(data.path(), fixture_world::kName, sprites, records));

    const RunResult render = run_velmora({"--render-level", "1", out.file("level.png"), "--data", data.path()});
    ASSERT_EQ(render.exit_code, 0) << render.output;
    Picture strip;
    ASSERT_TRUE(read_png(out.file("level.png"), strip));

    // Played by the autopilot (which starts the game from the title menu);
    // no portal brings a ship in, so only the blocks move.
    std::vector<std::string> args = autopilot_args(data.path(), out.file("trace.txt"), 1, kFrames);
    args.insert(args.end(), {"--start-level", "1"});
    for (long f = 1; f <= kFrames; ++f)
        args.insert(args.end(), {"--screenshot", std::to_string(f) + ":" + out.file(std::to_string(f) + ".png")});
    const RunResult play = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    ASSERT_EQ(play.exit_code, 0) << play.output;

    // Each block's first frame in the screenshots, its left edge there and in the picture.
    struct Seen {
        long frame = -1;
        int screen_x = -1, strip_x = -1;
    };
    std::vector<Seen> seen(std::size(kBlocks));
    for (long f = 1; f <= kFrames; ++f) {
        Picture shot;
        ASSERT_TRUE(read_png(out.file(std::to_string(f) + ".png"), shot)) << f;
        for (size_t i = 0; i < std::size(kBlocks); ++i) {
            const Block& b = kBlocks[i];
            const int x = leftmost(shot, b.colour, kPlayTop + b.y, kPlayTop + b.y + kBlockHeight);
            if (seen[i].frame < 0 && x >= 0) seen[i] = {f, x, leftmost(strip, b.colour, b.y, b.y + kBlockHeight)};
        }
    }
    for (size_t i = 0; i < std::size(kBlocks); ++i) {
        ASSERT_GE(seen[i].frame, 0) << kBlocks[i].name << " never came on screen";
        ASSERT_GE(seen[i].strip_x, 0) << kBlocks[i].name << " is not in the picture";
    }

    // Layer 0 scrolls 3 pixels a frame: a block seen at column X in frame F
    // belongs 3 * F + X from where the screenshots' counting starts. Measured
    // from the first block, the picture must agree for every other one.
    const Seen& ref = seen[0];
    for (size_t i = 1; i < std::size(kBlocks); ++i) {
        const Seen& s = seen[i];
        EXPECT_EQ(s.strip_x - ref.strip_x, 3 * (s.frame - ref.frame) + s.screen_x - ref.screen_x)
            << kBlocks[i].name << ": first seen in frame " << s.frame << " at column " << s.screen_x;
    }
    // The three far ones come on screen at the right edge, the floor first.
    EXPECT_LT(seen[0].frame, seen[1].frame);
    EXPECT_LT(seen[0].strip_x, seen[1].strip_x);
    EXPECT_LT(seen[1].strip_x, seen[2].strip_x);
    for (size_t i = 0; i < 3; ++i) EXPECT_GE(seen[i].screen_x, 637) << kBlocks[i].name;
    // The other three share the level's first frame.
    EXPECT_EQ(seen[3].frame, seen[4].frame);
    EXPECT_EQ(seen[4].frame, seen[5].frame);
}
