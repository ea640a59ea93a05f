// The command line (test runs' options too) and the data directory search.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/options.h"
#include "support/temp_dir.h"

namespace {
bool parse(std::vector<const char*> args, LaunchOptions& out) {
    args.insert(args.begin(), "velmora");
    std::string error;
    return parse_launch_options(static_cast<int>(args.size()), args.data(), out, error);
}
}  // namespace

TEST(AppOptions, ParsesBothSpellingsAndRepeats) {
    LaunchOptions o;
    ASSERT_TRUE(parse({"--headless", "--frames", "300", "--seed=4294967295", "--windowed",
                       "--scaling", "fit", "--screenshot", "10:a.png", "--screenshot=20:b:c.png",
                       "--dump-state", "5:s.txt", "--god"},
                      o));
    EXPECT_TRUE(o.headless && o.god && !o.fullscreen);
    EXPECT_EQ(o.frames, 300);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.scaling, platform::Scaling::Fit);
    ASSERT_EQ(o.screenshots.size(), 2u);
    EXPECT_EQ(o.screenshots[1].frame, 20);
    EXPECT_EQ(o.screenshots[1].path, "b:c.png");
    EXPECT_EQ(o.dumps.at(0).frame, 5);
    ASSERT_TRUE(parse({"--autopilot", "--start-level", "10", "--stop-at-level=11", "--trace", "t.txt"}, o));
    EXPECT_EQ(o.autopilot, 1);
    EXPECT_EQ(o.start_level, 10);
    EXPECT_EQ(o.stop_at_level, 11);
    EXPECT_EQ(o.trace_file, "t.txt");
    ASSERT_TRUE(parse({"--autopilot=2"}, o));
    EXPECT_EQ(o.autopilot, 2);

    // Unset, --autofire alone and --autofire=no are three different answers.
    EXPECT_EQ(o.autofire, -1);
    for (const auto& [arg, value] : {std::pair{"--autofire", 1}, {"--autofire=yes", 1}, {"--autofire=no", 0}}) {
        LaunchOptions a;
        ASSERT_TRUE(parse({arg}, a)) << arg;
        EXPECT_EQ(a.autofire, value) << arg;
    }
}

TEST(AppOptions, RejectsMissingValuesAndNumbersOutOfRange) {
    const std::vector<std::vector<const char*>> bad = {
        {"--frames"}, {"--bogus"}, {"stray"}, {"--god=yes"}, {"--frames", "0"},
        {"--frames", "12abc"}, {"--frames", ""}, {"--frames", "99999999999999999999999"},
        {"--seed", "4294967296"}, {"--seed", "-1"}, {"--scale", "17"}, {"--scaling", "smooth"},
        {"--screenshot", "x:a.png"}, {"--screenshot", "10:"}, {"--dump-state", "10"},
        {"--autofire=on"}, {"--autopilot=3"}, {"--autopilot="}, {"--autopilot", "--input", "x.txt"},
        {"--start-level", "0"}, {"--start-level", "11"}, {"--stop-at-level", "12"}, {"--trace"},
        {"--autopilot", "2"},  // the option and a stray argument, not two players
    };
    for (const auto& args : bad) {
        LaunchOptions o;
        EXPECT_FALSE(parse(args, o)) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
}

TEST(AppOptions, DataDirectoryIsSearchedInOrder) {
    TempDir root;
    const std::string exe = root.file("bin"), share = root.file("share"), env = root.file("env");
    for (const std::string& d : {exe + "/data", share, env}) std::filesystem::create_directories(d);
    std::string error;
    LaunchOptions o;
    EXPECT_EQ(find_data_dir(o, {env.c_str(), exe, share}, error), env);
    EXPECT_EQ(find_data_dir(o, {"", exe, share}, error), exe + "/data");
    EXPECT_EQ(find_data_dir(o, {nullptr, root.file("none"), share}, error), share);
    EXPECT_EQ(find_data_dir(o, {nullptr, root.file("none"), root.file("none")}, error), "");

    // A directory named explicitly must exist; no quiet fall-through.
    const std::string gone = root.file("gone");
    EXPECT_EQ(find_data_dir(o, {gone.c_str(), exe, share}, error), "");
    o.data_dir = gone;
    EXPECT_EQ(find_data_dir(o, {env.c_str(), exe, share}, error), "");
    EXPECT_NE(error.find("--data"), std::string::npos);
}
