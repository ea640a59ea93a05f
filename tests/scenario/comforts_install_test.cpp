// Installing into a fresh prefix gives a game that finds its own data, writes
// its settings under the user's XDG directories, and comes with its man page,
// desktop entry, icons and metainfo. Also the modding tools from the command
// line.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

namespace {

namespace fs = std::filesystem;

// Runs the installed game in `dir` with exactly the environment `env`, as an
// ordinary user: root drops to nobody, so the installed files are read-only
// to the game as they are on a player's machine.
scenario::RunResult run_as_player(const std::string& binary, const std::vector<std::string>& args,
                                  const std::string& dir, const std::map<std::string, std::string>& env) {
    scenario::RunOptions options;
    options.as_player = true;
    options.dir = dir;
    options.env = env;
    return scenario::run_program(binary, args, options);
}

// A directory anyone may use (the player may be nobody).
std::string open_dir(const std::string& path) {
    fs::create_directories(path);
    ::chmod(path.c_str(), 0777);
    return path;
}

}  // namespace

TEST(ComfortsInstall, InstalledGameFindsItsDataAndKeepsSettingsUnderXdg) {
    TempDir tmp;
    ::chmod(tmp.path().c_str(), 0755);
    const std::string prefix = tmp.file("prefix");
    const std::string build_dir = fs::path(VELMORA_DATA).parent_path().string();
    const std::string log = tmp.file("install.log");
    const std::string command =
        "cmake --install '" + build_dir + "' --prefix '" + prefix + "' >'" + log + "' 2>&1";
    // Volumes saved while playing from the build tree, and what a killed save
    // left there, are that player's: never installed as everyone's defaults.
    // Other tests play from the same data at the same time, so what is planted
    // holds the volumes they would read anyway (full, as with no file).
    std::vector<std::string> planted;
    fs::create_directories(std::string(VELMORA_DATA) + "/Other");
    for (const char* name : {"Other/Preferences.txt", "Other/Preferences.txt.Ab12Cd"}) {
        const std::string path = std::string(VELMORA_DATA) + "/" + name;
        if (!fs::exists(path) && writers::write_text(path, "10\n10\n")) planted.push_back(path);
    }
    const int installed = std::system(command.c_str());
    for (const std::string& path : planted) fs::remove(path);
    ASSERT_EQ(installed, 0) << scenario::read_file(log);
    EXPECT_FALSE(fs::exists(prefix + "/share/velmora/Other/Preferences.txt"));
    EXPECT_FALSE(fs::exists(prefix + "/share/velmora/Other/Preferences.txt.Ab12Cd"));

    // Where a desktop looks for each piece.
    for (const char* rel : {"bin/velmora", "share/velmora/Levels/Standard/Sprites/playerone.SPT",
                            "share/velmora/Levels/Resource/cursor_08.BMP", "share/man/man6/velmora.6",
                            "share/applications/org.velmora.Velmora.desktop",
                            "share/metainfo/org.velmora.Velmora.metainfo.xml",
                            "share/icons/hicolor/48x48/apps/velmora.png",
                            "share/icons/hicolor/256x256/apps/velmora.png"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + rel)) << rel;
    EXPECT_FALSE(fs::exists(prefix + "/share/velmora/.generated"));
    const std::string desktop = scenario::read_file(prefix + "/share/applications/org.velmora.Velmora.desktop");
    EXPECT_NE(desktop.find("\nExec=velmora\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=velmora\n"), std::string::npos);

    // A player's run: no VELMORA_DATA, nothing beside the program, a home of
    // its own. It plays a few frames and closes the window at frame 5.
    const std::string home = open_dir(tmp.file("home"));
    const std::string config = open_dir(tmp.file("home/.config"));
    const std::string run_dir = open_dir(tmp.file("run"));
    ASSERT_TRUE(scenario::write_input_script(tmp.file("run/quit.txt"), {"5 quit"}));
    ::chmod(tmp.file("run/quit.txt").c_str(), 0644);
    if (::geteuid() != 0) {
        // Not root: make the installed data read-only as a system install is.
        for (const auto& entry : fs::recursive_directory_iterator(prefix + "/share/velmora"))
            fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        fs::permissions(prefix + "/share/velmora", fs::perms::owner_write, fs::perm_options::remove);
    }
    // The data ships default volumes; they must stay as installed.
    const std::string shipped_prefs = prefix + "/share/velmora/Other/Preferences.txt";
    const bool ships_prefs = fs::exists(shipped_prefs);
    const auto shipped_time = ships_prefs ? fs::last_write_time(shipped_prefs) : fs::file_time_type{};
    const scenario::RunResult run =
        run_as_player(prefix + "/bin/velmora",
                      {"--headless", "--frames", "40", "--input", "quit.txt", "--dump-state", "4:" + run_dir + "/state.txt"},
                      run_dir, {{"HOME", home}, {"XDG_CONFIG_HOME", config}, {"PATH", "/usr/bin:/bin"}});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_FALSE(scenario::read_state_dump(run_dir + "/state.txt").empty()) << run.output;
    // The volumes went to the user's configuration, not into the installation.
    EXPECT_EQ(scenario::read_file(config + "/velmora/Preferences.txt"), "10\n10\n") << run.output;
    EXPECT_EQ(fs::exists(shipped_prefs), ships_prefs);
    if (ships_prefs) {
        EXPECT_EQ(fs::last_write_time(shipped_prefs), shipped_time);
    }
    // A headless run leaves the player's settings file alone.
    EXPECT_FALSE(fs::exists(config + "/velmora/velmora.cfg"));

    // The installed tools run on the installed data too.
    const scenario::RunResult render =
        run_as_player(prefix + "/bin/velmora", {"--render-level", "1", run_dir + "/space.png"}, run_dir, {{"HOME", home}});
    EXPECT_EQ(render.exit_code, 0) << render.output;
    EXPECT_TRUE(fs::is_regular_file(run_dir + "/space.png"));
}

// What the checker finds is its unit tests' and the special-files scenario's
// (which runs it on the command line); here, a tool asked wrongly.
TEST(ComfortsInstall, ToolsAskedWronglyEndWithTheUsageStatus) {
    TempDir tmp;
    EXPECT_EQ(scenario::run_velmora({"--check-data"}).exit_code, 2);
    EXPECT_EQ(scenario::run_velmora({"--render-level", "12", tmp.file("x.png")}).exit_code, 2);
}
