// A recorded game replays exactly: an autopilot run on the generated first
// world is recorded, and its recording replayed twice (without the autopilot)
// gives the same state dumps and screenshots as the recorded run, byte for
// byte. With a virtual display under Xvfb, a live game on the SDL back end is
// recorded too and its replay compared in everything but the clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/virtual_x.h"
#include "whole_game_fixture.h"

using namespace scenario;

namespace {

constexpr long kFrames = 1200;
constexpr long kEvery = 100;

// Dump and screenshot options every kEvery frames, into files named by `prefix`.
std::vector<std::string> outputs(const std::string& prefix, long frames) {
    std::vector<std::string> args;
    for (long f = kEvery; f <= frames; f += kEvery) {
        args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + prefix + std::to_string(f) + ".txt"});
        args.insert(args.end(), {"--screenshot", std::to_string(f) + ":" + prefix + std::to_string(f) + ".png"});
    }
    return args;
}

std::vector<std::string> read_outputs(const std::string& prefix, long frames) {
    std::vector<std::string> files;
    for (long f = kEvery; f <= frames; f += kEvery) {
        files.push_back(read_file(prefix + std::to_string(f) + ".txt"));
        files.push_back(read_file(prefix + std::to_string(f) + ".png"));
    }
    return files;
}

// A dump without the entries that read the clock.
StateDump without_clock(StateDump dump) {
    dump.erase("time_us");
    dump.erase("frame_time");
    return dump;
}

}  // namespace

TEST(ReplayAutopilot, ARecordedRunReplaysByteForByteEveryTime) {
    if (!whole_game::generated_level_present(1)) GTEST_SKIP() << "the first world is not generated yet";
    TempDir out;
    const std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};

    std::vector<std::string> record = {"--headless", "--data", VELMORA_DATA, "--autopilot", "--seed", "5",
                                       "--frames", std::to_string(kFrames), "--record", out.file("rec.txt")};
    const std::vector<std::string> first_out = outputs(out.file("rec-"), kFrames);
    record.insert(record.end(), first_out.begin(), first_out.end());
    RunResult r = run_velmora(record, env);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::vector<std::string> recorded = read_outputs(out.file("rec-"), kFrames);
    EXPECT_EQ(dump_number(read_state_dump(out.file("rec-" + std::to_string(kFrames) + ".txt")), "game_state"), 8)
        << "the autopilot should be playing by then";
    const std::string script = read_file(out.file("rec.txt"));
    EXPECT_EQ(script.rfind("velmora-input 2\nseed 5\n", 0), 0u) << script.substr(0, 80);

    for (int replay = 0; replay < 2; ++replay) {
        const std::string prefix = out.file("replay" + std::to_string(replay) + "-");
        // No --seed: the recording carries it.
        std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--frames",
                                         std::to_string(kFrames), "--input", out.file("rec.txt")};
        const std::vector<std::string> o = outputs(prefix, kFrames);
        args.insert(args.end(), o.begin(), o.end());
        r = run_velmora(args, env);
        ASSERT_EQ(r.exit_code, 0) << r.output;
        const std::vector<std::string> again = read_outputs(prefix, kFrames);
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
    const StateDump a = read_state_dump(out.file("live.txt")), b = read_state_dump(out.file("replayed.txt"));
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(without_clock(a), without_clock(b));
    EXPECT_EQ(dump_number(b, "game_state"), 8) << "the autopilot should be playing by then";
}
