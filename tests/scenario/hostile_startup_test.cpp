// Start-up, menus and quitting over damaged data: broken interface pictures,
// a data directory the settings cannot be written into, and a sprite whose
// frames claim the largest pictures the loader takes. (A broken cursor: the
// start-up errors scenario and the bitmap loader's tests; Other missing or a
// file: the preferences' unit tests.)
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "sprites/Sprite.h"
#include "support/hostile_data.h"
#include "support/test_window.h"
#include "whole_game_fixture.h"

namespace fs = std::filesystem;
using scenario::RunResult;

namespace {

class HostileStartup : public whole_game::GameRun {
protected:
    void SetUp() override { ASSERT_TRUE(hostile::make_tour_tree(data.path())); }

    // Runs until the window is closed at frame `quit_at`, with a state dump after frame 3.
    RunResult run_until(long frames, long quit_at, std::vector<std::string> input = {}) {
        input.push_back(std::to_string(quit_at) + " quit");
        return run(frames, input, {}, {3});
    }
    std::string config_prefs() { return out.file("config/velmora/Preferences.txt"); }
};

}  // namespace

TEST_F(HostileStartup, BrokenInterfacePicturesDrawNothingAndTheGameStillQuits) {
    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    size_t i = 0;
    for (const auto& entry : fs::directory_iterator(data.file("Levels/Resource"))) {
        if (entry.path().filename() == "cursor_08.BMP") continue;
        ASSERT_TRUE(hostile::put(entry.path().string(), bitmaps[i++ % bitmaps.size()].bytes));
    }
    // Clicks everywhere a button would be, on screens that have none to show.
    std::vector<std::string> input = {"3 mouse button 0 down", "5 mouse button 0 up"};
    for (int k = 0; k < 10; ++k) {
        const int f = 10 + 6 * k;
        input.push_back(std::to_string(f) + " mouse move " + std::to_string(k % 2 ? 120 : -100) + " 40");
        input.push_back(std::to_string(f + 1) + " mouse button 0 down");
        input.push_back(std::to_string(f + 2) + " mouse button 0 up");
    }
    expect_clean(run_until(200, 150, input));
    EXPECT_EQ(scenario::read_file(data.file("Other/Preferences.txt")), "10\n10\n");
}

TEST_F(HostileStartup, AReadOnlyDataDirectoryIsLeftUntouched) {
    ASSERT_TRUE(hostile::put(data.file("Other/Preferences.txt"), std::string("4\n6\n")));
    for (const std::string& dir : {data.path(), data.file("Other")}) ::chmod(dir.c_str(), 0555);
    without_override = true;
    const RunResult r = run_until(20, 10);
    for (const std::string& dir : {data.path(), data.file("Other")}) ::chmod(dir.c_str(), 0755);
    if (r.setup_refused) GTEST_SKIP() << "cannot run the game without root's override here";
    expect_clean(r);
    EXPECT_EQ(value(3, "fxvolume"), 4) << "read from the data set";
    EXPECT_EQ(scenario::read_file(data.file("Other/Preferences.txt")), "4\n6\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(data.file("Other")), fs::directory_iterator()), 1)
        << "no temporary file left in the data";
    EXPECT_EQ(scenario::read_file(config_prefs()), "4\n6\n");
}

// A few bytes of header each, 99 frames must not make the game allocate gigabytes.
TEST(HostileMemory, NinetyNineHugeEmptyFramesStayWithinTheSurfaceBudget) {
    TempDir dir;
    const std::vector<uint8_t> header = hostile::sample(hostile::damaged_bitmaps(), "largest picture, no pixels");
    ASSERT_FALSE(header.empty());
    for (int k = 1; k <= 99; ++k) ASSERT_TRUE(hostile::put(dir.file("bomb" + std::to_string(k) + ".BMP"), header));

    TestWindow win;
    ASSERT_TRUE(win.ok);
    ScopedChdir in_dir(dir.path());
    std::string name = "bomb";
    std::istringstream offsets("");
    auto* master = new Sprite;
    master->load(&name, &offsets, &win);

    size_t bytes = 0;
    for (const Surface* s : win.live_surfaces) bytes += s->pixels.size();
    EXPECT_GE(master->frame_count(), 1) << "one such picture is still a picture";
    EXPECT_LT(master->frame_count(), 99);
    EXPECT_LE(bytes, size_t(256) << 20);

    // What the budget refused becomes available again once released.
    Sprite::set_window_ptr(&win);
    Sprite::dumpall();
    Surface* again = win.CreateSurface(16384, 4096);
    EXPECT_NE(again, nullptr);
    win.ReleaseSurface(again);
    Sprite::set_window_ptr(nullptr);
}

namespace {
class HostileGiants : public whole_game::GameRun {};
}  // namespace

// Headers claiming pictures the loader refuses anyway (a depth or compression
// it never draws, more pixels than it takes) are refused before a surface
// exists: a level of forty such frames takes no more memory than one of small
// pictures. A picture cut short is still loaded, and named.
TEST_F(HostileGiants, RefusedClaimsCostNoMemoryAndACutPictureIsNamed) {
    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    const char* const kinds[] = {"beyond the pixel limit, no pixels", "32-bit giant, no pixels",
                                 "RLE8 giant, no pixels"};
    ASSERT_TRUE(whole_game::write_fixture_data(data.path(), "Space", {{"rock"}},
                                               {{20, 200, 0, "entranceportal"}, {300, 100, 1, "rock"}}));
    const std::string world = data.file("Levels/Space/");
    ASSERT_TRUE(hostile::put(world + "Sprites/cutx.SPT", std::string("0 0\n")));
    ASSERT_TRUE(hostile::put(world + "Bitmaps/cutx1.BMP", hostile::sample(bitmaps, "pixels cut short")));
    const std::vector<uint8_t> small = hostile::sample(bitmaps, "image size larger than the file");

    long peak_kb[2] = {0, 0};
    for (const bool giants : {false, true}) {
        for (int i = 0; i < 40; ++i) {
            const std::string name = "giant" + std::to_string(i) + "x";
            ASSERT_TRUE(hostile::put(world + "Sprites/" + name + ".SPT", std::string("0 0\n")));
            ASSERT_TRUE(hostile::put(world + "Bitmaps/" + name + "1.BMP",
                                     giants ? hostile::sample(bitmaps, kinds[i % 3]) : small));
        }
        const RunResult r = run(30, hostile::kStartOnePlayer, {}, {30});
        expect_clean(r);
        EXPECT_EQ(value(30, "game_state"), 8) << "the level is played";
        peak_kb[giants ? 1 : 0] = r.peak_rss_kb;
        const size_t named = r.output.find("damaged picture " + world + "Bitmaps/cutx1.BMP: the file ends");
        EXPECT_NE(named, std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("damaged picture", named + 1), std::string::npos) << "only the cut one:\n"
                                                                                  << r.output;
    }
    // One refused claim allocated would be 128 MiB.
    EXPECT_LT(peak_kb[1], peak_kb[0] + 32 * 1024) << "small pictures " << peak_kb[0] << " KiB, giants "
                                                   << peak_kb[1] << " KiB";
}
