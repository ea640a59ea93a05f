// Full runs: the autopilot starts a game from the title menu, plays all ten
// worlds in order in god mode, sees the ending, clicks back to the title and
// quits; alone and with two players. Each world's length is printed (a world
// is made for three to five minutes, 4,000 to 6,700 frames). A sanitizer build
// skips these long runs; scripts/full-run does the same by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/world_list.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr long kFrameLimit = 150000;

// The trace without its hits and samples, to show on a failure.
std::string outline(const std::string& trace) {
    std::string out;
    for (const TraceLine& t : trace_lines(trace))
        if (t.text.rfind("hit ", 0) != 0 && t.text.rfind("sample ", 0) != 0)
            out += std::to_string(t.frame) + " " + t.text + "\n";
    return out;
}

class FullRun : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(FullRun, AllTenWorldsTheEndingAndBackToTheTitle) {
    if (kSanitized) GTEST_SKIP() << "too long under a sanitizer; run scripts/full-run";
    for (int level = 1; level <= world_list::kCount; ++level)
        if (!generated_level_present(level)) GTEST_SKIP() << world_name(level) << " is not generated yet";
    TempDir out;
    std::vector<std::string> args = autopilot_args(VELMORA_DATA, out.file("trace.txt"), GetParam(), kFrameLimit);
    args.push_back("--god");
    const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}}, 1800);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string trace = read_file(out.file("trace.txt"));

    // Each world started and left by its exit portal, in order.
    std::vector<std::string> expected, got;
    for (int level = 1; level <= world_list::kCount; ++level) {
        expected.push_back("start level " + std::to_string(level));
        expected.push_back("end level " + std::to_string(level) + " exit");
    }
    for (const std::string& e : trace_events(trace)) {
        // Their first three or four words: the scores and shields vary.
        if (e.rfind("start level", 0) == 0) got.push_back(e.substr(0, e.find(' ', 12)));
        if (e.rfind("end level", 0) == 0) got.push_back(e.substr(0, e.find(' ', e.find(' ', 10) + 1)));
    }
    EXPECT_EQ(got, expected) << outline(trace);

    const std::vector<std::string> all = trace_events(trace);
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(all.end() - 4, all.end()),
              (std::vector<std::string>{"ending", "title", "quit", "end-of-run quit"}))
        << outline(trace);

    for (const std::string& e : trace_events(trace, "end level")) std::printf("  %s\n", e.c_str());
}

INSTANTIATE_TEST_SUITE_P(Players, FullRun, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? std::string("OnePlayer") : std::string("TwoPlayers");
                         });
