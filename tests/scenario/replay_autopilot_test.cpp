// A recorded game replays exactly: an autopilot run on the generated first
// world is recorded, and its recording replayed twice (without the autopilot)
// gives the same state dumps and screenshots as the recorded run, byte for
// byte. With a virtual display under Xvfb, a live game on the SDL back end is
// recorded too and its replay compared in everything but the clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "state/game_states.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/virtual_x.h"
#include "whole_game_fixture.h"

using namespace scenario;

namespace {

constexpr long kFrames = 1200;
constexpr long kEvery = 100;

// A run of kFrames frames on the generated data with `args`, a state dump and
// a screenshot every kEvery frames into out/<name><frame>.txt and .png: what
// they hold, in order.
std::vector<std::string> run_with_outputs(std::vector<std::string> args, const TempDir& out, const std::string& name) {
    const std::pair<const char*, const char*> kinds[] = {{"--dump-state", ".txt"}, {"--screenshot", ".png"}};
    args.insert(args.end(), {"--headless", "--data", VELMORA_DATA, "--frames", std::to_string(kFrames)});
    for (long f = kEvery; f <= kFrames; f += kEvery)
        for (const auto& [option, ending] : kinds)
            args.insert(args.end(), {option, std::to_string(f) + ":" + out.file(name + std::to_string(f) + ending)});
    const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    EXPECT_EQ(r.exit_code, 0) << r.output;
    std::vector<std::string> files;
    for (long f = kEvery; f <= kFrames; f += kEvery)
        for (const auto& [option, ending] : kinds) files.push_back(read_file(out.file(name + std::to_string(f) + ending)));
    return files;
}

}  // namespace

TEST(ReplayAutopilot, ARecordedRunReplaysByteForByteEveryTime) {
    if (!whole_game::generated_level_present(1)) GTEST_SKIP() << "the first world is not generated yet";
    TempDir out;
    const std::vector<std::string> recorded =
        run_with_outputs({"--autopilot", "--seed", "5", "--record", out.file("rec.txt")}, out, "rec-");
    EXPECT_EQ(dump_number(read_state_dump(out.file("rec-" + std::to_string(kFrames) + ".txt")), "game_state"),
              kStatePlaying)
        << "the autopilot should be playing by then";
    const std::string script = read_file(out.file("rec.txt"));
    EXPECT_EQ(script.rfind("velmora-input 3\nseed 5\n", 0), 0u) << script.substr(0, 80);

    for (int replay = 0; replay < 2; ++replay) {
        // No --seed: the recording carries it.
        const std::vector<std::string> again =
            run_with_outputs({"--input", out.file("rec.txt")}, out, "replay" + std::to_string(replay) + "-");
        ASSERT_EQ(again.size(), recorded.size());
        for (size_t i = 0; i < again.size(); ++i) {
            ASSERT_FALSE(again[i].empty()) << i;
            EXPECT_EQ(again[i], recorded[i]) << "replay " << replay << ", output " << i << " differs";
        }
    }
}

TEST(ReplayAutopilot, ALiveGameUnderXvfbReplaysHeadless) {
    VirtualX x(800, 600);
    if (!x.ok()) GTEST_SKIP() << "no Xvfb for a live game";
    if (!whole_game::generated_level_present(1)) GTEST_SKIP() << "the first world is not generated yet";
    TempDir out;
    const std::string frames = "300";  // real time: 45 ms a play frame
    // In a sanitizer build the X, D-Bus and GL libraries that SDL loads leak a
    // few blocks at exit (some from modules already unloaded, so they cannot
    // be suppressed by name); leak checking stays on for the headless replay.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""},
                                              {"SDL_AUDIODRIVER", "dummy"}};
    const std::map<std::string, std::string> base = env;
    env["ASAN_OPTIONS"] = std::string(asan != nullptr ? asan : "") + ":detect_leaks=0";
    RunResult r = run_velmora({"--windowed", "--data", VELMORA_DATA, "--autopilot", "--frames", frames, "--record",
                               out.file("rec.txt"), "--dump-state", frames + ":" + out.file("live.txt")},
                              env);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    r = run_velmora({"--headless", "--data", VELMORA_DATA, "--frames", frames, "--input", out.file("rec.txt"),
                     "--dump-state", frames + ":" + out.file("replayed.txt")},
                    base);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    StateDump a = read_state_dump(out.file("live.txt")), b = read_state_dump(out.file("replayed.txt"));
    ASSERT_FALSE(a.empty());
    for (const char* clock : {"time_us", "frame_time"}) {  // what reads the clock differs
        a.erase(clock);
        b.erase(clock);
    }
    EXPECT_EQ(a, b);
    EXPECT_EQ(dump_number(b, "game_state"), kStatePlaying) << "the autopilot should be playing by then";
}
