// Helpers of the whole-game scenarios: a data tree made of the generated
// shared data and a small world written by the test, headless runs of the
// game and of the autopilot, and reading the run's trace and state dumps.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace whole_game {

// A world sprite: a rectangle in one colour.
struct FixtureSprite {
    std::string name;
    int width = 40, height = 20;
    int frames = 1;
    writers::Rgb colour{200, 60, 60};
};

// Links the generated Standard and Resource sprites, the sounds and the music
// into `dir`, and writes the world `world` ("Space" .. "Last") with its sprites
// and level records.
bool write_fixture_data(const std::string& dir, const std::string& world,
                        const std::vector<FixtureSprite>& sprites,
                        const std::vector<writers::LevelRecord>& records);

// Whether the generated data holds the level file of world `level` (1..10).
bool generated_level_present(int level);
// The world directory name of level 1..10.
const char* world_name(int level);

// The arguments of a headless autopilot run on `data` writing its trace.
std::vector<std::string> autopilot_args(const std::string& data, const std::string& trace,
                                        int players, long frame_limit);

// The trace's lines without their frame numbers (the event words only),
// optionally only those starting with `prefix`.
std::vector<std::string> trace_events(const std::string& trace_text, const std::string& prefix = "");

// Frame numbers and texts of a trace, line by line.
struct TraceLine {
    long frame = 0;
    std::string text;
};
std::vector<TraceLine> trace_lines(const std::string& trace_text);

// A screenshot or level picture read as 8-bit RGB.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    // Whether pixel (x, y) is colour c, give or take 8 on each channel.
    bool is(int x, int y, writers::Rgb c) const;
};
bool read_png(const std::string& path, Picture& p);

// A test with a data directory and an output directory of its own, running
// the game headless on the data with its configuration kept in the output.
class GameRun : public ::testing::Test {
protected:
    // Runs `frames` frames with `args`, the input script `input` (if any), a
    // trace in out/trace.txt and a state dump after each frame of `dumps`.
    scenario::RunResult run(long frames, const std::vector<std::string>& input = {},
                            std::vector<std::string> args = {}, const std::vector<long>& dumps = {});
    std::string dump_path(long frame) const { return out.file(std::to_string(frame) + ".txt"); }
    long long value(long frame, const std::string& key) const;
    // The key's values in the last run's dumps, in order (missing ones skipped).
    std::vector<long long> values(const std::string& key) const;
    // The levels the last run played (state 8 dumped with that level loaded).
    std::vector<long long> levels_played() const;
    std::string trace() const { return scenario::read_file(out.file("trace.txt")); }
    // The frame of the n-th (from 0) trace line that starts with `text`, or -1.
    long frame_of(const std::string& text, int n = 0) const;
    // Exit status and no sanitizer report.
    static void expect_clean(const scenario::RunResult& r, int exit_code = 0);

    TempDir data, out;
    long seed = 1;
    bool without_override = false;
    unsigned timeout_seconds = 600;
    int script_version = 1;  // of the input scripts run() writes
    std::vector<long> last_dumps;
};

// Frames step, 2 * step, .. up to `last`.
std::vector<long> every(long step, long last);

}  // namespace whole_game
