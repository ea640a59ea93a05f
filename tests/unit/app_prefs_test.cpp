// The preferences file: defaults, partial and out-of-range contents, where it
// lives, and that a failed write never damages the old file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

using scenario::read_file;
using writers::write_text;

namespace {
class AppPrefs : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.file("Other"));
        fxvolume = musicvolume = 10;
    }
    void TearDown() override { fxvolume = musicvolume = 10; }
    TempDir dir;
    ScopedChdir here{dir.path()};
    Velmora_Win win;
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
}

TEST_F(AppPrefs, AFailedWriteLeavesTheOldFileWhole) {
    write_text("Other/Preferences.txt", "3\n4\n");
    fxvolume = 123456;
    // The child may write at most one byte to any file, so the new contents
    // cannot be completed (permissions would not stop root).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1, 1};
        setrlimit(RLIMIT_FSIZE, &limit);
        win.save_prefs();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(read_file("Other/Preferences.txt"), "3\n4\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Other")) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST_F(AppPrefs, UnusableDataDirectoryFallsBackToTheConfigDirectory) {
    std::filesystem::remove("Other");
    write_text("Other", "x");  // a plain file: unusable even for root
    TempDir config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    EXPECT_EQ(Velmora_Win::prefs_path(), config.path() + "/velmora/Preferences.txt");
    fxvolume = 2;
    win.save_prefs();
    fxvolume = 0;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 2);

    if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}
