// What two machines settle before a network game: the command line, the data
// digest and the agreement on program and data.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/options.h"
#include "net/agreement.h"
#include "net/data_digest.h"
#include "net/join_code.h"
#include "support/fixture_world.h"
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
    ASSERT_TRUE(parse({"--join=10.0.0.2:4000", "--code", "k7qm-4txr"}, o, error)) << error;
    EXPECT_EQ(o.join_host, "10.0.0.2");
    EXPECT_EQ(o.join_port, 4000);
    EXPECT_EQ(o.join_code, "k7qm-4txr");
    ASSERT_TRUE(parse({"--host", "--code", "none"}, o, error)) << error;
    EXPECT_EQ(o.join_code, "none");
    ASSERT_TRUE(parse({"--join", "--code", "k7qm-4txr"}, o, error)) << error;
    EXPECT_TRUE(o.find_host) << "no address: look on the local network";
    EXPECT_TRUE(o.join_host.empty());
    ASSERT_TRUE(parse({"--watch", "10.0.0.2:4000", "--code", "x"}, o, error)) << error;
    EXPECT_TRUE(o.watch);
    EXPECT_EQ(o.join_host, "10.0.0.2");
    ASSERT_TRUE(parse({"--host", "--name", "Ada L."}, o, error)) << error;
    EXPECT_EQ(o.host_name, "Ada L.");

    const std::string long_code(33, 'A');
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
        {{"--code", "AB12"}, "goes with --host, --join or --watch"},
        {{"--join", "h", "--watch", "h"}, "--join and --watch cannot go together"},
        {{"--join", "--watch", "h"}, "--join and --watch cannot go together"},
        {{"--watch", "h", "--seed", "3"}, "the host chooses the seed"},
        {{"--host", "--watch", "h"}, "--host and --watch cannot go together"},
        {{"--join", "h", "--name", "x"}, "--name goes with --host"},
        {{"--host", "--code", "ab cd"}, "a join code of letters, digits"},
        {{"--host", "--code", long_code.c_str()}, "a join code of letters, digits"},
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
    ASSERT_EQ(before.entries.size(), 2u);
    EXPECT_EQ(before.entries[0].path, fixture_world::kDir + "/NORMAL.LVL");
    EXPECT_EQ(before.entries[1].path, "Sound/boom.WAV");

    // The volumes file, its temporaries and hidden files are the player's.
    ASSERT_TRUE(put(a + "/Other/Preferences.txt", "3\n4\n"));
    ASSERT_TRUE(put(a + "/Other/Preferences.txt.Ab12Cd", "3\n"));
    ASSERT_TRUE(put(a + "/.generated", ""));
    ASSERT_TRUE(put(a + "/.cache/x", "y"));
    EXPECT_EQ(digest(a).digest, before.digest);

    // A changed byte, a renamed file, one more file: each another data set.
    ASSERT_TRUE(put(a + "/Sound/boom.WAV", "RIFX"));
    const DataDigest after = digest(a);
    const uint64_t changed = after.digest;
    EXPECT_NE(changed, before.digest);
    EXPECT_EQ(after.entries[0].digest, before.entries[0].digest);
    EXPECT_NE(after.entries[1].digest, before.entries[1].digest);
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

TEST(NetStart, AWrongCodeIsRefusedWithNothingElse) {
    const Hello guest{"k7qm 4txr", "0.9", 0xBBBB, 12};
    EXPECT_FALSE(judge_code("K7QM-4TXR", guest)) << "case, spaces and dashes do not matter";
    EXPECT_FALSE(judge_code("", guest)) << "a host without a code takes any guest";
    for (const char* wrong : {"K7QM-4TXS", "K7QM-4TX", "K7QM-4TXRR", ""}) {
        const auto refused = judge_code("K7QM-4TXR", Hello{wrong, "1.0.0", 1, 1});
        ASSERT_TRUE(refused) << wrong;
        EXPECT_EQ(refused->reason, RefuseReason::WrongCode);
        EXPECT_EQ(refused->text, "wrong join code");
    }
}

TEST(NetStart, JoinCodesAreLongReadableAndUnforeseeable) {
    const std::string alphabet = kJoinCodeAlphabet;
    ASSERT_EQ(alphabet.size(), 32u) << "five bits a symbol";
    for (const char confusable : {'0', 'O', '1', 'I'}) EXPECT_EQ(alphabet.find(confusable), std::string::npos);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string code = make_join_code();
        ASSERT_EQ(code.size(), kJoinCodeSymbols + 1) << code;
        EXPECT_EQ(code[4], '-');
        EXPECT_TRUE(valid_join_code(code));
        EXPECT_EQ(normalized_join_code(code).find_first_not_of(alphabet), std::string::npos) << code;
        seen.insert(code);
    }
    EXPECT_EQ(seen.size(), 200u);
    EXPECT_GE(kJoinCodeSymbols * 5, 40u);
}

TEST(NetStart, AnAddressIsIgnoredAfterAHandfulOfWrongCodesAndTheTableStaysSmall) {
    WrongCodes wrong;
    for (int i = 1; i < WrongCodes::kMaxWrongCodes; ++i) EXPECT_FALSE(wrong.count(0x7F000002)) << i;
    EXPECT_FALSE(wrong.ignored(0x7F000002));
    EXPECT_TRUE(wrong.count(0x7F000002));
    EXPECT_TRUE(wrong.ignored(0x7F000002));
    EXPECT_FALSE(wrong.ignored(0x7F000001)) << "other addresses are heard";
    for (uint32_t a = 1; a <= 5 * WrongCodes::kMaxAddresses; ++a) wrong.count(0x0A000000 + a);
    EXPECT_LE(wrong.size(), WrongCodes::kMaxAddresses);
    EXPECT_TRUE(wrong.ignored(0x7F000002)) << "the ignored are kept";
}

TEST(NetStart, ARefusalNamesEveryDifferenceAndTheFirstFileThatDiffers) {
    const Hello host{"", "1.0.0", 0xAAAA, 3125};
    EXPECT_FALSE(judge_guest(host, host));

    const auto version = judge_guest(host, Hello{"", "1.1.0", 0xAAAA, 3125});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->reason, RefuseReason::ProgramVersion);
    EXPECT_EQ(version->text, "the programs differ: the host runs velmora 1.0.0, the guest velmora 1.1.0");
    const auto both = judge_guest(host, Hello{"", "0.9", 0xAAAA, 12});
    ASSERT_TRUE(both);
    EXPECT_NE(both->text.find("velmora 0.9; the data sets differ: the host has 3125 files, the guest 12"),
              std::string::npos)
        << both->text;

    const std::vector<DataEntry> mine = {{"a/b", 1}, {"a/c", 2}, {"d", 3}};
    EXPECT_EQ(first_difference(mine, mine), "");
    EXPECT_EQ(first_difference(mine, {{"a/b", 1}, {"a/c", 9}, {"d", 4}}), "'a/c' (its contents differ)");
    EXPECT_EQ(first_difference(mine, {{"d", 3}, {"a/b", 1}, {"a/bb", 5}, {"a/c", 2}}), "'a/bb' (only the guest has it)")
        << "in path order, whatever order they came in";
    EXPECT_EQ(first_difference(mine, {{"a/b", 1}, {"a/c", 2}}), "'d' (only the host has it)");
    const Refuse data = data_refusal(host, Hello{"", "1.0.0", 0xBBBB, 3126}, mine, {{"a/b", 1}, {"a/c", 2}, {"d", 3}, {"e", 4}});
    EXPECT_EQ(data.reason, RefuseReason::DataSet);
    EXPECT_EQ(data.text,
              "the data sets differ: the host has 3125 files, the guest 3126; the first that differs is 'e' (only the "
              "guest has it)");
}

// A list as large as the generated data's goes in parts within the message
// limit and comes back whole; parts out of turn are refused.
TEST(NetStart, FileListsTravelInPartsWithinTheLimit) {
    std::vector<DataEntry> files;
    for (int i = 0; i < 5000; ++i)
        files.push_back({"Levels/World" + std::to_string(i % 10) + "/Bitmaps/picture" + std::to_string(i) + ".BMP",
                         static_cast<uint64_t>(i)});
    const std::vector<DataList> parts = data_list_parts(files);
    ASSERT_GT(parts.size(), 1u);
    ListGatherer gathered;
    std::string error;
    for (const DataList& part : parts) {
        const std::vector<uint8_t> bytes = encode(part);
        EXPECT_LE(bytes.size(), kMaxMessageBytes);
        Message back;
        ASSERT_TRUE(decode(bytes.data(), bytes.size(), back, error)) << error;
        EXPECT_FALSE(gathered.complete());
        ASSERT_TRUE(gathered.add(std::get<DataList>(back), error)) << error;
    }
    EXPECT_TRUE(gathered.complete());
    EXPECT_EQ(first_difference(files, gathered.entries()), "");
    EXPECT_EQ(gathered.entries().size(), files.size());

    ListGatherer out_of_turn;
    EXPECT_FALSE(out_of_turn.add(parts[1], error));
    EXPECT_EQ(error, "data list part 1 out of turn");
}

}  // namespace
