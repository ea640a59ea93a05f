// A long headless run on random (seeded) input through the menus and every
// world: it must end cleanly, without a sanitizer report, and its memory must
// stay flat. VELMORA_SOAK_FRAMES sets the length (200000 for the full soak).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/hostile_data.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

namespace {

constexpr long kDefaultFrames = 20000;
constexpr long kDumpStep = 250;
constexpr uint32_t kInputSeed = 20240601;

long soak_frames() {
    const char* text = std::getenv("VELMORA_SOAK_FRAMES");
    const long n = text != nullptr ? std::atol(text) : 0;
    return n > 0 ? n : kDefaultFrames;
}

// Places a click can aim at: the title buttons but Quit, the options arrows
// and OK, the continue screen's OK and Cancel, and open ground.
struct Target {
    int x, y;
};
constexpr Target kTargets[] = {{60, 445},  {190, 445}, {310, 445}, {430, 445}, {110, 165},
                               {110, 315}, {505, 165}, {505, 315}, {580, 415}, {470, 275},
                               {350, 275}, {320, 240}, {40, 40},   {600, 100}};

// Random play: steering, firing, both players' keys, Escape now and then,
// clicks aimed at absolute places (the cursor is first pushed into the
// top-left corner), and lost focus.
std::vector<std::string> random_input(long frames) {
    std::mt19937 rng(kInputSeed);
    auto chance = [&rng](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const int keys[] = {0x20, 0x11, 0x25, 0x26, 0x27, 0x28, 0x60, 0x64, 0x65, 0x66, 0x68};
    std::set<int> held;
    bool button = false;
    long busy_until = 0;  // frames of an aimed click or a focus loss
    std::vector<std::string> lines;
    for (long f = 1; f <= frames; ++f) {
        const std::string at = std::to_string(f) + " ";
        if (f <= busy_until) continue;
        if (chance(0.004)) {
            const Target& t = kTargets[pick(0, int(std::size(kTargets)) - 1)];
            if (button) lines.push_back(at + "mouse button 0 up");
            button = false;
            lines.push_back(at + "mouse move -100000 -100000");
            lines.push_back(std::to_string(f + 1) + " mouse move " + std::to_string(t.x) + " " + std::to_string(t.y));
            lines.push_back(std::to_string(f + 2) + " mouse button 0 down");
            lines.push_back(std::to_string(f + 3) + " mouse button 0 up");
            busy_until = f + 3;
            continue;
        }
        if (chance(0.0004)) {
            const long back = f + pick(5, 60);
            lines.push_back(at + "focus lost");
            lines.push_back(std::to_string(back) + " focus gained");
            busy_until = back;
            continue;
        }
        if (chance(0.0015)) {
            lines.push_back(at + "key down 0x1B");
            lines.push_back(at + "key up 0x1B");
        }
        if (chance(0.3)) lines.push_back(at + "mouse move " + std::to_string(pick(-30, 30)) + " " + std::to_string(pick(-30, 30)));
        if (chance(0.03)) {
            button = !button;
            lines.push_back(at + (button ? "mouse button 0 down" : "mouse button 0 up"));
        }
        if (chance(0.003)) {
            lines.push_back(at + "mouse button 1 down");
            lines.push_back(at + "mouse button 1 up");
        }
        if (chance(0.05)) {
            const int key = keys[pick(0, int(std::size(keys)) - 1)];
            const bool down = held.insert(key).second;
            if (!down) held.erase(key);
            lines.push_back(at + "key " + (down ? "down " : "up ") + std::to_string(key) + (down && chance(0.1) ? " repeat" : ""));
        }
    }
    return lines;
}

// One seeded random run of `frames` frames over the tour tree; checks that it
// ends cleanly, dumps after every step, plays and visits the menu, sees at
// least `levels` worlds and keeps its memory flat, and prints its figures.
void soak_run(const std::string& name, long frames, bool god, size_t levels) {
    SCOPED_TRACE(name);
    TempDir data, out;
    // Each world ends about 700 frames in, if a ship lives that long.
    EXPECT_TRUE(hostile::make_tour_tree(data.path(), 700, {}, true));
    // The Quit button never acts (its picture is gone), so the run lasts.
    EXPECT_TRUE(hostile::put(data.file("Levels/Resource/quitdown.BMP"), std::string()));
    EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), random_input(frames)));

    std::vector<std::string> args = {"--headless", "--data", data.path(), "--seed", "11",
                                     "--frames", std::to_string(frames), "--input", out.file("in.txt")};
    if (god) args.push_back("--god");
    for (long f = kDumpStep; f <= frames; f += kDumpStep)
        args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + out.file(std::to_string(f) + ".txt")});
    scenario::RunOptions options;
    options.env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};
    // Freed memory a sanitizer holds back would look like growth: keep its
    // quarantine small so what grows is ours.
    const char* asan = std::getenv("ASAN_OPTIONS");
    options.env["ASAN_OPTIONS"] = std::string(asan != nullptr ? asan : "") + ":quarantine_size_mb=16";
    options.timeout_seconds = 3600;
    const auto start = std::chrono::steady_clock::now();
    const scenario::RunResult r = scenario::run_program(VELMORA_BINARY, args, options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(r.exit_code, 0) << r.output.substr(0, 4000);
    EXPECT_FALSE(scenario::sanitizer_reported(r.output)) << r.output.substr(0, 4000);

    std::set<long long> played, seen;
    long dumps = 0;
    for (long f = kDumpStep; f <= frames; f += kDumpStep) {
        const scenario::StateDump dump = scenario::read_state_dump(out.file(std::to_string(f) + ".txt"));
        if (dump.empty()) continue;
        ++dumps;
        const long long state = scenario::dump_number(dump, "game_state");
        seen.insert(state);
        if (state == 8) played.insert(scenario::dump_number(dump, "loaded_level"));
    }
    EXPECT_EQ(dumps, frames / kDumpStep) << "a dump after every step";
    EXPECT_TRUE(seen.count(8) && seen.count(4)) << "played and visited the menu";
    EXPECT_GE(played.size(), levels);

    // Flat: the last quarter of the run needs no more than the second quarter
    // did, give or take what one level's pictures take.
    const std::vector<long>& rss = r.rss_samples_kb;
    long second_quarter = 0, last_quarter = 0;
    for (size_t i = rss.size() / 4; i < rss.size() / 2; ++i) second_quarter = std::max(second_quarter, rss[i]);
    for (size_t i = rss.size() * 3 / 4; i < rss.size(); ++i) last_quarter = std::max(last_quarter, rss[i]);
    if (rss.size() >= 8) {
        EXPECT_LE(last_quarter, second_quarter + second_quarter / 5 + 32L * 1024);
    }
    std::cout << "soak " << name << ": " << frames << " frames in " << seconds << " s; peak RSS "
              << r.peak_rss_kb / 1024 << " MiB, final RSS " << r.last_rss_kb / 1024 << " MiB, second-quarter max "
              << second_quarter / 1024 << " MiB, last-quarter max " << last_quarter / 1024 << " MiB; levels played "
              << played.size() << ", states seen " << seen.size() << std::endl;
    ::testing::Test::RecordProperty(name + "_peak_rss_kb", std::to_string(r.peak_rss_kb));
    ::testing::Test::RecordProperty(name + "_final_rss_kb", std::to_string(r.last_rss_kb));
}

}  // namespace

// Two runs share the frames: one in which the ships cannot die, so the tour
// goes on through every world (about 700 frames each, with menus between: a
// long run sees them all, a short one the first few), the ending and new
// games; and one in which they can, so the continue screen and the game-over
// path are soaked too.
TEST(Soak, RandomPlayThroughMenusAndWorldsStaysCleanAndFlat) {
    const long frames = soak_frames();
    soak_run("god", frames / 2, true, frames / 2 >= 50000 ? 10 : 3);
    soak_run("mortal", frames - frames / 2, false, 0);
}
