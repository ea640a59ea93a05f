// What two machines settle before a network game: the command line, the data
// digest and the agreement on program and data.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/options.h"
#include "net/agreement.h"
#include "net/data_digest.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

namespace {
using namespace net;

bool put(const std::string& path, const std::string& text) {
    return writers::make_directories(std::filesystem::path(path).parent_path().string()) &&
           writers::write_text(path, text);
}

bool parse(std::vector<const char*> args, LaunchOptions& out, std::string& error) {
    args.insert(args.begin(), "velmora");
    return parse_launch_options(static_cast<int>(args.size()), args.data(), out, error);
}

TEST(NetStart, HostJoinAndDelayOptions) {
    LaunchOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--host", "--windowed"}, o, error)) << error;
    EXPECT_EQ(o.host_port, kDefaultPort);
    EXPECT_FALSE(o.fullscreen) << "an option after --host is not its port";
    ASSERT_TRUE(parse({"--host", "0", "--net-delay", "0", "--seed", "5"}, o, error)) << error;
    EXPECT_EQ(o.host_port, 0);
    EXPECT_EQ(o.net_delay, 0);
    ASSERT_TRUE(parse({"--join", "example.org"}, o, error)) << error;
    EXPECT_EQ(o.join_host, "example.org");
    EXPECT_EQ(o.join_port, kDefaultPort);
    ASSERT_TRUE(parse({"--join=10.0.0.2:4000"}, o, error)) << error;
    EXPECT_EQ(o.join_host, "10.0.0.2");
    EXPECT_EQ(o.join_port, 4000);

    const std::vector<std::pair<std::vector<const char*>, std::string>> bad = {
        {{"--host", "65536"}, "expected a UDP port"},
        {{"--host="}, "needs a value"},
        {{"--join", ":4000"}, "expected HOST or HOST:PORT"},
        {{"--join", "h:0"}, "expected HOST or HOST:PORT"},
        {{"--host", "--join", "h"}, "cannot go together"},
        {{"--join", "h", "--net-delay", "3"}, "the host chooses the input delay"},
        {{"--join", "h", "--start-level", "3"}, "the host chooses the seed"},
        {{"--net-delay", "2"}, "goes with --host"},
        {{"--host", "--net-delay", "11"}, "0..10 frames"},
    };
    for (const auto& [args, says] : bad) {
        LaunchOptions r;
        EXPECT_FALSE(parse(args, r, error)) << args[0];
        EXPECT_NE(error.find(says), std::string::npos) << error;
    }
}

TEST(NetStart, TheDataDigestSeesEveryFileButThePlayersOwn) {
    TempDir dir;
    const std::string a = dir.file("a");
    ASSERT_TRUE(put(a + "/Levels/Space/NORMAL.LVL", "10 20 1 rock\n"));
    ASSERT_TRUE(put(a + "/Sound/boom.WAV", "RIFF"));
    auto digest = [](const std::string& d) {
        DataDigest out;
        std::string error;
        EXPECT_TRUE(digest_data_dir(d, out, error)) << error;
        return out;
    };
    const DataDigest before = digest(a);
    EXPECT_EQ(before.files, 2u);
    EXPECT_EQ(before.bytes, 17u);

    // The volumes file, its temporaries and hidden files are the player's.
    ASSERT_TRUE(put(a + "/Other/Preferences.txt", "3\n4\n"));
    ASSERT_TRUE(put(a + "/Other/Preferences.txt.Ab12Cd", "3\n"));
    ASSERT_TRUE(put(a + "/.generated", ""));
    ASSERT_TRUE(put(a + "/.cache/x", "y"));
    EXPECT_EQ(digest(a).digest, before.digest);

    // A changed byte, a renamed file, one more file: each another data set.
    ASSERT_TRUE(put(a + "/Sound/boom.WAV", "RIFX"));
    const uint64_t changed = digest(a).digest;
    EXPECT_NE(changed, before.digest);
    std::filesystem::rename(a + "/Sound/boom.WAV", a + "/Sound/bang.WAV");
    const uint64_t renamed = digest(a).digest;
    EXPECT_NE(renamed, changed);
    ASSERT_TRUE(put(a + "/Other/readme.txt", ""));
    EXPECT_NE(digest(a).digest, renamed);
    EXPECT_EQ(digest(a).files, 3u);

    DataDigest none;
    std::string error;
    EXPECT_FALSE(digest_data_dir(dir.file("missing"), none, error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(NetStart, ARefusalNamesEveryDifference) {
    const Hello host{"1.0.0", 0xAAAA, 3116};
    EXPECT_FALSE(judge_guest(host, host));

    const auto version = judge_guest(host, Hello{"1.1.0", 0xAAAA, 3116});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->reason, RefuseReason::ProgramVersion);
    EXPECT_EQ(version->text, "the programs differ: the host runs velmora 1.0.0, the guest velmora 1.1.0");

    // (A data set that differs alone: tests/scenario/netplay_test.cpp.)
    EXPECT_EQ(judge_guest(host, Hello{"1.0.0", 0xBBBB, 3116}).value().reason, RefuseReason::DataSet);
    const auto both = judge_guest(host, Hello{"0.9", 0xAAAA, 12});
    ASSERT_TRUE(both);
    EXPECT_NE(both->text.find("velmora 0.9; the data sets differ"), std::string::npos) << both->text;
}

}  // namespace
