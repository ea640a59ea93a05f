#include "world_play_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

namespace world_play {

namespace {
constexpr long kFrameLimit = 20000;
constexpr long kFewestFrames = 4000;  // three minutes of 45 ms frames
constexpr long kMostFrames = 6700;    // five minutes
constexpr long kDumpEvery = 50;

// The number after `key` in a trace line, or -1000000 when it is not there.
long number_after(const std::string& text, const std::string& key) {
    const size_t at = text.find(" " + key + " ");
    if (at == std::string::npos) return -1000000;
    return std::strtol(text.c_str() + at + key.size() + 2, nullptr, 10);
}
// The value of `key` in a state dump (one "key value" a line), or -1000000.
long value_of(const std::string& dump, const std::string& key) {
    const std::string line = "\n" + key + " ";
    const size_t at = ("\n" + dump).find(line);
    if (at == std::string::npos) return -1000000;
    return std::strtol(dump.c_str() + at + key.size() + 1, nullptr, 10);
}
}  // namespace

void expect_played_through(int level) {
    if (!whole_game::generated_level_present(level))
        GTEST_SKIP() << whole_game::world_name(level) << " is not generated";
    TempDir out;
    std::vector<std::string> args =
        whole_game::autopilot_args(VELMORA_DATA, out.file("trace.txt"), 1, kFrameLimit);
    for (const std::string& a : {std::string("--god"), std::string("--start-level"), std::to_string(level),
                                 std::string("--stop-at-level"), std::to_string(level + 1)})
        args.push_back(a);
    // The samples come every 500 frames; a boss beaten quickly holds the
    // scroll between two of them, so the state is also dumped every 50.
    for (long f = kDumpEvery; f <= kMostFrames + 100; f += kDumpEvery) {
        args.push_back("--dump-state");
        args.push_back(std::to_string(f) + ":" + out.file("state-" + std::to_string(f)));
    }
    const scenario::RunResult r =
        scenario::run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}}, 600);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string trace = scenario::read_file(out.file("trace.txt"));
    const std::string n = std::to_string(level);

    bool started = false, held = false;
    long frames = -1;
    for (const whole_game::TraceLine& t : whole_game::trace_lines(trace)) {
        if (t.text.rfind("start level " + n + " ", 0) == 0) started = true;
        if (t.text.rfind("sample level " + n + " ", 0) == 0) {
            const long scroll = number_after(t.text, "scroll");
            if (scroll < 1) held = true;
        }
        if (t.text.rfind("end level " + n + " ", 0) == 0) {
            EXPECT_NE(t.text.find(" exit "), std::string::npos) << t.text;
            frames = number_after(t.text, "frames");
        }
    }
    for (long f = kDumpEvery; f <= kMostFrames + 100 && !held; f += kDumpEvery) {
        const std::string dump = scenario::read_file(out.file("state-" + std::to_string(f)));
        held = value_of(dump, "game_state") == 8 && value_of(dump, "currentlevel") == level &&
               value_of(dump, "scroll") < 1;
    }
    EXPECT_TRUE(started) << trace;
    EXPECT_TRUE(held) << "the boss never held the level still\n" << trace;
    ASSERT_GE(frames, 0) << "the level did not end within " << kFrameLimit << " frames\n" << trace;
    EXPECT_GE(frames, kFewestFrames) << trace;
    EXPECT_LE(frames, kMostFrames) << trace;
}

}  // namespace world_play
