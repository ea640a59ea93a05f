// F12 pictures land in the pictures directory under fresh names, and the
// full-screen choice made with Alt+Enter is written to the settings file at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/config.h"
#include "app/options.h"
#include "app/player_comforts.h"
#include "display/DirectDrawApp.h"
#include "support/temp_dir.h"
#include "support/test_window.h"
#include "writers/data_writers.h"

namespace {

class ComfortsScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        env_.set("HOME", home_.path().c_str());
        env_.set("XDG_CONFIG_HOME", nullptr);
        env_.set("XDG_PICTURES_DIR", nullptr);
    }
    TempDir home_;
    ScopedEnv env_;
};

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

platform::Event event_of(platform::EventType type) {
    platform::Event e;
    e.type = type;
    return e;
}

}  // namespace

TEST_F(ComfortsScreenshot, NamesCarryTheTimeAndNeverOverwrite) {
    const std::time_t when = 1700000000;
    const std::string first = screenshot_path(home_.path(), when);
    std::tm local{};
    ASSERT_NE(localtime_r(&when, &local), nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    EXPECT_EQ(first, home_.path() + "/velmora-" + stamp + ".png");
    ASSERT_TRUE(writers::write_text(first, "taken"));
    const std::string second = screenshot_path(home_.path(), when);
    EXPECT_EQ(second, home_.path() + "/velmora-" + stamp + "-2.png");
    ASSERT_TRUE(writers::write_text(second, "taken"));
    EXPECT_EQ(screenshot_path(home_.path(), when), home_.path() + "/velmora-" + stamp + "-3.png");
}

TEST_F(ComfortsScreenshot, DirectoryIsTheChosenOneThenPicturesThenTheSettingsDirectory) {
    Settings s;
    EXPECT_EQ(screenshot_directory(s), home_.path() + "/Pictures/velmora");
    EXPECT_TRUE(std::filesystem::is_directory(home_.path() + "/Pictures/velmora"));

    s.screenshot_dir = home_.file("mine/shots");
    EXPECT_EQ(screenshot_directory(s), s.screenshot_dir);

    // A pictures "directory" that is a file: the settings directory instead.
    s.screenshot_dir.clear();
    ASSERT_TRUE(writers::write_text(home_.file("blocked"), "a file"));
    ::setenv("XDG_PICTURES_DIR", home_.file("blocked").c_str(), 1);
    EXPECT_EQ(screenshot_directory(s), home_.path() + "/.config/velmora");
}

TEST_F(ComfortsScreenshot, ChosenDirectoryStartsAtHomeAndOneThatCannotBeMadeGivesTheDefault) {
    const std::string home = home_.path();
    EXPECT_EQ(expand_user_dir("~"), home);
    EXPECT_EQ(expand_user_dir("~/shots/x"), home + "/shots/x");
    EXPECT_EQ(expand_user_dir("shots"), home + "/shots") << "not the data directory the game runs in";
    EXPECT_EQ(expand_user_dir("/srv/shots"), "/srv/shots");
    EXPECT_EQ(expand_user_dir("~root/shots"), "/root/shots");
    EXPECT_EQ(expand_user_dir("~no-such-user-here/shots"), "");
    ::unsetenv("HOME");
    EXPECT_EQ(expand_user_dir("~/shots"), "") << "no home, no guess";
    ::setenv("HOME", home.c_str(), 1);

    Settings s;
    s.screenshot_dir = "~/Shots";
    EXPECT_EQ(screenshot_directory(s), home + "/Shots");
    EXPECT_TRUE(std::filesystem::is_directory(home + "/Shots"));

    ASSERT_TRUE(writers::write_text(home_.file("file"), "not a directory"));
    s.screenshot_dir = "file/shots";
    testing::internal::CaptureStderr();
    EXPECT_EQ(screenshot_directory(s), home + "/Pictures/velmora");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot make the screenshot directory '" + home + "/file/shots'"), std::string::npos) << said;
}

TEST_F(ComfortsScreenshot, F12SavesAfterTheFrameAndTheEarlierHooksStillRun) {
    TestWindow window;
    ASSERT_TRUE(window.ok);
    DirectDrawApp app;
    app.ddwin = &window;
    int earlier_events = 0, earlier_frames = 0;
    app.on_event = [&](long, const platform::Event&) { ++earlier_events; };
    app.after_frame = [&](long) {
        ++earlier_frames;
        return true;
    };
    PlayerComforts comforts(Settings{});
    comforts.attach(app);

    app.on_event(1, event_of(platform::EventType::KeyDown));
    EXPECT_TRUE(app.after_frame(1));
    const std::string dir = home_.path() + "/Pictures/velmora";
    EXPECT_FALSE(std::filesystem::exists(dir));

    app.on_event(2, event_of(platform::EventType::Screenshot));
    EXPECT_TRUE(app.after_frame(2));
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        pictures += entry.path().extension() == ".png" ? 1 : 0;
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(earlier_events, 1);  // F12 is ours alone
    EXPECT_EQ(earlier_frames, 2);
    app.ddwin = nullptr;
}

TEST_F(ComfortsScreenshot, AltEnterIsWrittenAtOnceKeepingTheFilesComments) {
    const std::string path = config_file_path();
    ASSERT_TRUE(writers::make_directories(std::filesystem::path(path).parent_path().string()));
    ASSERT_TRUE(writers::write_text(path, "# mine\nfullscreen = yes  # kept\nodd = 1\n"));
    set_choices_file(path);
    choices() = Settings{};
    launch_options().fullscreen = true;
    DirectDrawApp app;
    PlayerComforts comforts(Settings{});
    comforts.attach(app);
    app.on_event(1, event_of(platform::EventType::ToggleFullscreen));
    EXPECT_EQ(file_text(path), "# mine\nfullscreen = no  # kept\nodd = 1\n");
    app.on_event(2, event_of(platform::EventType::ToggleFullscreen));
    EXPECT_EQ(file_text(path), "# mine\nfullscreen = yes  # kept\nodd = 1\n");
    set_choices_file("");
    launch_options() = LaunchOptions{};
}
