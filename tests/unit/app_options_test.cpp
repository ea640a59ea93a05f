// The command line and the data directory search.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/options.h"
#include "support/temp_dir.h"

namespace {
bool parse(std::vector<const char*> args, LaunchOptions& out, std::string& error) {
    args.insert(args.begin(), "velmora");
    return parse_launch_options(static_cast<int>(args.size()), args.data(), out, error);
}

std::string error_of(std::vector<const char*> args) {
    LaunchOptions o;
    std::string error;
    EXPECT_FALSE(parse(args, o, error)) << "accepted";
    return error;
}
}  // namespace

TEST(AppOptions, ParsesEveryOptionInBothSpellings) {
    LaunchOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--headless", "--frames", "300", "--seed=4294967295", "--data", "/d",
                       "--windowed", "--scale=3", "--display", "1", "--scaling", "fit",
                       "--input", "in.txt", "--record=out.txt", "--screenshot", "10:a.png",
                       "--screenshot=20:b:c.png", "--dump-state", "5:s.txt", "--god"},
                      o, error))
        << error;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.frames, 300);
    EXPECT_TRUE(o.seed_given);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.data_dir, "/d");
    EXPECT_FALSE(o.fullscreen);
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.display, 1);
    EXPECT_EQ(o.scaling, platform::Scaling::Fit);
    EXPECT_EQ(o.input_file, "in.txt");
    EXPECT_EQ(o.record_file, "out.txt");
    ASSERT_EQ(o.screenshots.size(), 2u);
    EXPECT_EQ(o.screenshots[1].frame, 20);
    EXPECT_EQ(o.screenshots[1].path, "b:c.png");  // only the first colon separates
    ASSERT_EQ(o.dumps.size(), 1u);
    EXPECT_EQ(o.dumps[0].frame, 5);
    EXPECT_TRUE(o.god);

    LaunchOptions defaults;
    ASSERT_TRUE(parse({}, defaults, error));
    EXPECT_TRUE(defaults.fullscreen);
    EXPECT_FALSE(defaults.headless);
    EXPECT_EQ(defaults.frames, 0);
    EXPECT_EQ(defaults.display, -1);
}

TEST(AppOptions, RejectsBadInputWithAReason) {
    EXPECT_NE(error_of({"--frames"}).find("needs a value"), std::string::npos);
    EXPECT_NE(error_of({"--bogus"}).find("unknown option"), std::string::npos);
    EXPECT_NE(error_of({"stray"}).find("unexpected argument"), std::string::npos);
    EXPECT_NE(error_of({"--god=yes"}).find("takes no value"), std::string::npos);
    for (const char* bad : {"0", "-5", "12abc", "", "99999999999999999999999", "2147483648"})
        EXPECT_FALSE(error_of({"--frames", bad}).empty()) << bad;
    EXPECT_FALSE(error_of({"--seed", "4294967296"}).empty());
    EXPECT_FALSE(error_of({"--seed", "-1"}).empty());
    EXPECT_FALSE(error_of({"--scale", "17"}).empty());
    EXPECT_FALSE(error_of({"--scaling", "smooth"}).empty());
    for (const char* bad : {"x:a.png", "10:", ":a.png", "10", "0:a.png"})
        EXPECT_FALSE(error_of({"--screenshot", bad}).empty()) << bad;
}

TEST(AppOptions, HelpListsEveryOption) {
    const std::string help = launch_usage();
    for (const char* name : {"--help", "--version", "--data", "--windowed", "--fullscreen", "--scale",
                             "--display", "--scaling", "--headless", "--frames", "--seed", "--input",
                             "--record", "--screenshot", "--dump-state", "--god"})
        EXPECT_NE(help.find(name), std::string::npos) << name;
}

TEST(AppOptions, DataDirectoryIsSearchedInOrder) {
    TempDir root;
    const std::string exe_dir = root.file("bin");
    const std::string share = root.file("share");
    std::filesystem::create_directories(exe_dir + "/data");
    std::filesystem::create_directories(share);
    std::filesystem::create_directories(root.file("env"));
    std::string error;
    LaunchOptions o;

    EXPECT_EQ(find_data_dir(o, {root.file("env").c_str(), exe_dir, share}, error), root.file("env"));
    EXPECT_EQ(find_data_dir(o, {"", exe_dir, share}, error), exe_dir + "/data");
    EXPECT_EQ(find_data_dir(o, {nullptr, root.file("nowhere"), share}, error), share);

    o.data_dir = root.file("missing");
    EXPECT_EQ(find_data_dir(o, {root.file("env").c_str(), exe_dir, share}, error), "");
    EXPECT_NE(error.find("--data"), std::string::npos);

    o.data_dir.clear();
    EXPECT_EQ(find_data_dir(o, {root.file("gone").c_str(), exe_dir, share}, error), "");
    EXPECT_NE(error.find("VELMORA_DATA"), std::string::npos);
    EXPECT_EQ(find_data_dir(o, {nullptr, root.file("nowhere"), root.file("noshare")}, error), "");
    EXPECT_FALSE(error.empty());
}
