// The preferences file: defaults, partial and out-of-range contents, where it
// lives, and where the volumes go when a write fails. (A writer killed
// mid-save and a full disk: tests/scenario/hostile_prefs_write_test.cpp.)
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "app/Velmora_Win.h"
#include "state/globals.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

using scenario::read_file;
using writers::write_text;

namespace fs = std::filesystem;

namespace {
class AppPrefs : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.file("Other"));
        fxvolume = musicvolume = 10;
        // The fallback place must never be the tester's own settings.
        env.set("XDG_CONFIG_HOME", config.path().c_str());
    }
    void TearDown() override {
        fxvolume = musicvolume = 10;
        Velmora_Win::installed_data = false;
    }
    std::string config_file() const { return config.file("velmora/Preferences.txt"); }
    static int entries(const std::string& directory) {
        int n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory)) ++n;
        return n;
    }

    TempDir dir;
    TempDir config;
    ScopedChdir here{dir.path()};
    Velmora_Win win;
    ScopedEnv env;
};
}  // namespace

TEST_F(AppPrefs, ValuesAreTakenAsStoredAndMissingOnesDefault) {
    fxvolume = 3;
    win.load_prefs();  // no file
    EXPECT_EQ(fxvolume, 10);
    win.save_prefs();
    EXPECT_EQ(read_file("Other/Preferences.txt"), "10\n10\n");

    write_text("Other/Preferences.txt", "7\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 7);
    EXPECT_EQ(musicvolume, 10);

    write_text("Other/Preferences.txt", "  15\n\n-3\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 15);
    EXPECT_EQ(musicvolume, -3);

    // Unreadable or too large for the type: left as they were, not zeroed.
    write_text("Other/Preferences.txt", "5\n99999999999999999999999\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 5);
    EXPECT_EQ(musicvolume, -3);
    write_text("Other/Preferences.txt", "abc\n7\n");  // nothing before the bad token
    win.load_prefs();
    EXPECT_EQ(fxvolume, 5);
    EXPECT_EQ(musicvolume, -3);

    write_text("Other/Preferences.txt", "9223372036854775807\n-9223372036854775808\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, LONG_MAX);
    EXPECT_EQ(musicvolume, LONG_MIN);
}

TEST_F(AppPrefs, UnusableDataDirectoryFallsBackToTheConfigDirectory) {
    fs::remove("Other");
    write_text("Other", "x");  // a plain file: unusable even for root

    EXPECT_EQ(Velmora_Win::prefs_path(), config_file());
    fxvolume = 2;
    win.save_prefs();
    fxvolume = 0;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 2);
}

TEST_F(AppPrefs, InstalledDataIsNeverWrittenEvenWhenItCouldBe) {
    Velmora_Win::installed_data = true;
    write_text("Other/Preferences.txt", "4\n6\n");  // defaults shipped with the data
    EXPECT_EQ(Velmora_Win::prefs_path(), config_file());
    win.load_prefs();
    EXPECT_EQ(fxvolume, 4);
    EXPECT_EQ(musicvolume, 6);

    fxvolume = 7;
    win.save_prefs();
    EXPECT_EQ(read_file("Other/Preferences.txt"), "4\n6\n");
    EXPECT_EQ(entries("Other"), 1);
    EXPECT_EQ(read_file(config_file()), "7\n6\n");
    fxvolume = 0;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 7) << "the player's file wins over the shipped one";

    // The same directory named by the player as their own keeps the file there.
    Velmora_Win::installed_data = false;
    EXPECT_EQ(Velmora_Win::prefs_path(), "Other/Preferences.txt");
}

TEST_F(AppPrefs, AFileThatCannotBeReplacedFallsBackTheLastSavedIsReadAndNowhereIsSaid) {
    fs::create_directories("Other/Preferences.txt");  // a directory where the file should be
    fxvolume = 3;
    testing::internal::CaptureStderr();
    win.save_prefs();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(Velmora_Win::prefs_unsaved);
    EXPECT_EQ(read_file(config_file()), "3\n10\n");
    EXPECT_NE(said.find("cannot save the volumes in " + dir.path() + "/Other/Preferences.txt"), std::string::npos)
        << said;
    EXPECT_NE(said.find("saved them in " + config_file()), std::string::npos) << said;
    EXPECT_EQ(entries("Other"), 1) << "no temporary file left beside the directory";
    fxvolume = 0;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 3);

    // A full disk leaves the old data file in place: the newer file is the one
    // saved last, whichever place holds it.
    fs::remove("Other/Preferences.txt");
    write_text("Other/Preferences.txt", "1\n1\n");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time("Other/Preferences.txt", now - std::chrono::hours(1));
    fs::last_write_time(config_file(), now);
    win.load_prefs();
    EXPECT_EQ(fxvolume, 3);
    fs::last_write_time("Other/Preferences.txt", now + std::chrono::seconds(1));
    win.load_prefs();
    EXPECT_EQ(fxvolume, 1);

    // Neither place can be written: said, with both places.
    fs::remove("Other/Preferences.txt");
    fs::create_directories("Other/Preferences.txt");
    write_text(config.file("blocked"), "a file");
    ::setenv("XDG_CONFIG_HOME", config.file("blocked").c_str(), 1);  // velmora/ cannot be made under a file
    testing::internal::CaptureStderr();
    win.save_prefs();
    const std::string nowhere = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Velmora_Win::prefs_unsaved);
    EXPECT_NE(nowhere.find("the volumes could not be saved in " + dir.path() + "/Other/Preferences.txt ("),
              std::string::npos)
        << nowhere;
    EXPECT_NE(nowhere.find("nor in " + config.file("blocked/velmora/Preferences.txt") + " ("), std::string::npos)
        << nowhere;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    win.save_prefs();
    EXPECT_FALSE(Velmora_Win::prefs_unsaved) << "a later save that works clears it";
}

TEST_F(AppPrefs, TemporaryFilesOfAKilledSaveAreRemovedAtTheNextStart) {
    fs::create_directories(config.file("velmora"));
    const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const std::string& stale : {std::string("Other/Preferences.txt.a1B2c3"),
                                     config.file("velmora/Preferences.txt.zzzzzz")}) {
        write_text(stale, "7\n");
        fs::last_write_time(stale, long_ago);
    }
    // Kept: a save in progress in another copy of the game, and files not ours.
    write_text("Other/Preferences.txt.young1", "7\n");
    for (const char* other : {"Other/Preferences.txt.old", "Other/Preferences.txt.a1B2c3d", "Other/notes.txt"}) {
        write_text(other, "x");
        fs::last_write_time(other, long_ago);
    }
    win.load_prefs();
    EXPECT_FALSE(fs::exists("Other/Preferences.txt.a1B2c3"));
    EXPECT_FALSE(fs::exists(config.file("velmora/Preferences.txt.zzzzzz")));
    for (const char* kept :
         {"Other/Preferences.txt.young1", "Other/Preferences.txt.old", "Other/Preferences.txt.a1B2c3d", "Other/notes.txt"})
        EXPECT_TRUE(fs::exists(kept)) << kept;
}

TEST_F(AppPrefs, ALinkedFileIsSavedThroughItsLinkAndItsStaleTemporariesGo) {
    fs::create_directories("kept");
    write_text("kept/volumes.txt", "4\n6\n");
    fs::create_symlink("../kept/volumes.txt", "Other/Preferences.txt");
    write_text("kept/volumes.txt.q1W2e3", "9\n");
    fs::last_write_time("kept/volumes.txt.q1W2e3", fs::file_time_type::clock::now() - std::chrono::minutes(2));
    win.load_prefs();
    EXPECT_EQ(fxvolume, 4);
    EXPECT_FALSE(fs::exists("kept/volumes.txt.q1W2e3"));
    fxvolume = 8;
    win.save_prefs();
    EXPECT_TRUE(fs::is_symlink("Other/Preferences.txt"));
    EXPECT_EQ(read_file("kept/volumes.txt"), "8\n6\n");
    EXPECT_EQ(entries("kept"), 1);
}
