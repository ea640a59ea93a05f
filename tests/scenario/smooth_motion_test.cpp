// Smooth motion changes only what reaches the window: the same game played
// headless with pictures between the steps (--motion smooth --refresh 60) and
// without them (--motion original) goes through the same full state at every
// step, records the same input and saves the same screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;

namespace {

constexpr long kFrames = 1500;
const long kShotFrames[] = {500, 1000, 1500};

struct RunFiles {
    std::string digests, recording;
    std::vector<std::string> screenshots;
};

RunFiles play(const TempDir& out, int level, const std::vector<std::string>& motion) {
    const std::string name = motion[1] + std::to_string(level);
    std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--autopilot=2", "--god",
                                     "--start-level", std::to_string(level), "--seed", "11",
                                     "--frames", std::to_string(kFrames),
                                     "--digests", out.file(name + "-digests.txt"),
                                     "--record", out.file(name + "-input.txt")};
    args.insert(args.end(), motion.begin(), motion.end());
    for (long f : kShotFrames)
        args.insert(args.end(), {"--screenshot", std::to_string(f) + ":" + out.file(name + std::to_string(f) + ".png")});
    const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    EXPECT_EQ(r.exit_code, 0) << r.output;
    RunFiles files{read_file(out.file(name + "-digests.txt")), read_file(out.file(name + "-input.txt")), {}};
    for (long f : kShotFrames) files.screenshots.push_back(read_file(out.file(name + std::to_string(f) + ".png")));
    return files;
}

}  // namespace

TEST(SmoothMotion, BothMotionsPlayTheSameGameStepByStep) {
    // The first world, and the one with the most sprites on screen.
    for (int level : {1, 5}) {
        if (!whole_game::generated_level_present(level)) continue;
        TempDir out;
        const RunFiles smooth = play(out, level, {"--motion", "smooth", "--refresh", "60"});
        const RunFiles original = play(out, level, {"--motion", "original"});

        ASSERT_FALSE(original.digests.empty());
        const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
        EXPECT_EQ(lines(original.digests), kFrames) << "a digest after every frame";
        if (smooth.digests != original.digests) {
            // Name the first step that went another way.
            size_t at = 0;
            while (at < smooth.digests.size() && smooth.digests[at] == original.digests[at]) ++at;
            const size_t line_start = original.digests.rfind('\n', at) + 1;
            ADD_FAILURE() << "world " << level << ": the states part at '"
                          << original.digests.substr(line_start, original.digests.find('\n', at) - line_start) << "'";
        }
        EXPECT_EQ(smooth.recording, original.recording) << "world " << level;
        ASSERT_EQ(smooth.screenshots.size(), original.screenshots.size());
        for (size_t i = 0; i < smooth.screenshots.size(); ++i) {
            EXPECT_FALSE(original.screenshots[i].empty());
            EXPECT_EQ(smooth.screenshots[i], original.screenshots[i])
                << "world " << level << ": the screenshot of frame " << kShotFrames[i] << " is not the step's own";
        }
    }
}
