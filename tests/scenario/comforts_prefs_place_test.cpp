// Where the volumes are kept: never in the installed data, even when the
// player is root and could write there; in the data directory when the
// player named it (--data, VELMORA_DATA) or put it beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class ComfortsPrefsPlace : public ::testing::Test {
protected:
    void SetUp() override {
        // A program with installed data laid out as `cmake --install` does,
        // and one with data/ beside it.
        const std::string bin = tmp.file("prefix/bin");
        fs::create_directories(bin);
        fs::copy_file(VELMORA_BINARY, bin + "/velmora");
        installed = fs::weakly_canonical(fs::path(bin) / VELMORA_SHARE_FROM_BIN).string();
        ASSERT_TRUE(scenario::write_minimal_data_tree(installed));
        fs::create_directories(tmp.file("beside"));
        fs::copy_file(VELMORA_BINARY, tmp.file("beside/velmora"));
        ASSERT_TRUE(scenario::write_minimal_data_tree(tmp.file("beside/data")));
        ASSERT_TRUE(scenario::write_minimal_data_tree(tmp.file("mine")));
        ASSERT_TRUE(scenario::write_input_script(tmp.file("quit.txt"), {"10 quit"}));
    }

    // Runs the copy `program` until it quits at frame 10 (saving the volumes),
    // with a configuration directory of its own.
    void run(const std::string& program, std::vector<std::string> args, const std::string& env_data = "") {
        ++runs;
        config = tmp.file("config" + std::to_string(runs));
        args.insert(args.end(), {"--headless", "--frames", "30", "--input", tmp.file("quit.txt")});
        const scenario::RunResult r = scenario::run_velmora_at(
            program, args, {{"XDG_CONFIG_HOME", config}, {"HOME", tmp.path()}, {"VELMORA_DATA", env_data}});
        ASSERT_EQ(r.exit_code, 0) << r.output;
    }
    std::string saved_in_config() const { return scenario::read_file(config + "/velmora/Preferences.txt"); }
    static bool saved_in(const std::string& data) { return fs::exists(data + "/Other/Preferences.txt"); }

    TempDir tmp;
    std::string installed;
    std::string config;
    int runs = 0;
};

}  // namespace

TEST_F(ComfortsPrefsPlace, InstalledDataIsNeverWrittenButDataThePlayerChoseKeepsThem) {
    const std::string program = tmp.file("prefix/bin/velmora");
    // Found relative to the program, named on the command line or in the
    // environment: it is still the installation.
    for (const auto& [args, env_data] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, ""}, {{"--data", installed}, ""}, {{}, installed + "/."}}) {
        run(program, args, env_data);
        EXPECT_EQ(saved_in_config(), "10\n10\n");
        EXPECT_TRUE(fs::is_empty(installed + "/Other")) << "not even a temporary file";
    }

    run(program, {"--data", tmp.file("mine")});
    EXPECT_EQ(scenario::read_file(tmp.file("mine/Other/Preferences.txt")), "10\n10\n");
    EXPECT_FALSE(fs::exists(config + "/velmora/Preferences.txt"));
    fs::remove(tmp.file("mine/Other/Preferences.txt"));
    run(program, {}, tmp.file("mine"));
    EXPECT_TRUE(saved_in(tmp.file("mine"))) << "from VELMORA_DATA";

    run(tmp.file("beside/velmora"), {});
    EXPECT_EQ(scenario::read_file(tmp.file("beside/data/Other/Preferences.txt")), "10\n10\n");
    EXPECT_FALSE(fs::exists(config + "/velmora/Preferences.txt"));
}
