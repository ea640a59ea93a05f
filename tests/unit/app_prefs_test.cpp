// The preferences file: defaults, partial and out-of-range contents, where it
// lives, and that a failed write never damages the old file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "support/temp_dir.h"

namespace {
std::string read_text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_text(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

class AppPrefs : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.file("Other"));
        fxvolume = 10;
        musicvolume = 10;
    }
    void TearDown() override {
        fxvolume = 10;
        musicvolume = 10;
    }
    TempDir dir;
    ScopedChdir here{dir.path()};
    Velmora_Win win;
};
}  // namespace

TEST_F(AppPrefs, MissingFileGivesDefaultsAndQuittingWritesThem) {
    fxvolume = 3;
    musicvolume = 4;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 10);
    EXPECT_EQ(musicvolume, 10);
    EXPECT_EQ(Velmora_Win::prefs_path(), "Other/Preferences.txt");
    win.save_prefs();
    EXPECT_EQ(read_text("Other/Preferences.txt"), "10\n10\n");
}

TEST_F(AppPrefs, ValuesAreTakenAsStoredAndUnreadableOnesLeftAlone) {
    write_text("Other/Preferences.txt", "7\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 7);
    EXPECT_EQ(musicvolume, 10);

    write_text("Other/Preferences.txt", "  15\n\n-3\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 15);
    EXPECT_EQ(musicvolume, -3);
    win.save_prefs();
    EXPECT_EQ(read_text("Other/Preferences.txt"), "15\n-3\n");

    // Garbage and numbers too large for the type leave the values as they were.
    write_text("Other/Preferences.txt", "loud\n2\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 15);
    EXPECT_EQ(musicvolume, -3);
    write_text("Other/Preferences.txt", "5\n99999999999999999999999\n");
    win.load_prefs();
    EXPECT_EQ(fxvolume, 5);
    EXPECT_EQ(musicvolume, -3);
}

TEST_F(AppPrefs, AFailedWriteLeavesTheOldFileWhole) {
    write_text("Other/Preferences.txt", "3\n4\n");
    fxvolume = 123456;
    musicvolume = 7;
    // The child may write at most one byte to any file, so the new contents
    // cannot be written completely.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1, 1};
        setrlimit(RLIMIT_FSIZE, &limit);
        win.save_prefs();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(read_text("Other/Preferences.txt"), "3\n4\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Other")) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST_F(AppPrefs, UnwritableDataDirectoryUsesTheConfigDirectory) {
    // "Other" being a plain file makes the data directory unusable even for root.
    std::filesystem::remove("Other");
    write_text("Other", "");
    TempDir config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    EXPECT_EQ(Velmora_Win::prefs_path(), config.path() + "/velmora/Preferences.txt");
    fxvolume = 2;
    musicvolume = 9;
    win.save_prefs();
    EXPECT_EQ(read_text(config.path() + "/velmora/Preferences.txt"), "2\n9\n");
    fxvolume = musicvolume = 0;
    win.load_prefs();
    EXPECT_EQ(fxvolume, 2);
    EXPECT_EQ(musicvolume, 9);

    if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}
