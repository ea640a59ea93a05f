// What a player is told when the start goes wrong: the file the game could
// not load and how to mend it, and a warning naming the package when the
// credits' font is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "whole_game_fixture.h"
#include "writers/data_writers.h"

using namespace scenario;

namespace {

class ComfortsStartupErrors : public whole_game::GameRun {
protected:
    void SetUp() override { ASSERT_TRUE(write_minimal_data_tree(data.path())); }
    static bool says(const RunResult& r, const std::string& text) { return r.output.find(text) != std::string::npos; }
};

}  // namespace

TEST_F(ComfortsStartupErrors, AMissingOrDamagedCursorKeepsItsMessageAndNamesTheFile) {
    const std::string cursor = data.file("Levels/Resource/cursor_08.BMP");
    const std::string named = "cannot load " + cursor + ": ";
    const std::string fix = "Check the data with 'velmora --check-data " + data.path() + "'";

    ASSERT_TRUE(writers::write_text(cursor, "not a picture"));
    RunResult r = run(5);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(says(r, "Can't findCursor 8Bit")) << r.output;
    EXPECT_TRUE(says(r, named + "it is not a bitmap the game can read. " + fix)) << r.output;

    std::filesystem::remove(cursor);
    r = run(5);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(says(r, named + "it is missing")) << r.output;

    r = run_velmora({"--headless", "--data", data.file("nowhere")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(says(r, data.file("nowhere"))) << r.output;
}

TEST_F(ComfortsStartupErrors, WithoutTheFontTheCreditsAreBlankAndThePackageIsNamed) {
    const std::string refused = mount_private_tmpfs("/usr/share/fonts", "64k");
    if (!refused.empty()) GTEST_SKIP() << refused << " (to hide the fonts)";
    // To the about screen with the keyboard, where the text is drawn.
    const RunResult r = run(330, {"300 key down 0x27", "302 key down 0x25", "304 key down 0x0D"});
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_TRUE(says(r, "warning: no Liberation Sans font")) << r.output;
    EXPECT_TRUE(says(r, "Install the package fonts-liberation.")) << r.output;
}

TEST_F(ComfortsStartupErrors, AnUnwritableSettingsDirectoryIsSaidAtStartWithItsRealReason) {
    TempDir home;
    const std::string config = home.file("config");
    ASSERT_TRUE(writers::make_directories(config));
    const std::string refused = mount_private_tmpfs(config, "64k", true);
    if (!refused.empty()) GTEST_SKIP() << refused << " (to make a read-only file system)";
    // A game with a window (SDL's offscreen one); the run ends before any quit.
    const RunResult r = run_velmora({"--windowed", "--data", data.path(), "--frames", "3"},
                                    {{"SDL_VIDEODRIVER", "offscreen"}, {"HOME", home.path()},
                                     {"XDG_CONFIG_HOME", config}, {"VELMORA_DATA", ""}});
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_TRUE(says(r, "velmora: cannot save settings in " + config +
                            "/velmora: Read-only file system; choices made in the game last only for this run"))
        << r.output;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("velmora:", 0) == 0) {
            EXPECT_EQ(line.find("No such file"), std::string::npos) << line;
        }
    }
}
