// Recordings (input scripts of version 2) and the options of test runs.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/options.h"
#include "app/run_control.h"

namespace {
bool parse(const std::string& text, std::vector<ScriptedEvent>& out, ScriptSettings& settings,
           std::string& error) {
    std::istringstream in(text);
    return parse_input_script(in, out, settings, error);
}

bool parse_args(std::vector<const char*> args, LaunchOptions& out, std::string& error) {
    args.insert(args.begin(), "velmora");
    return parse_launch_options(static_cast<int>(args.size()), args.data(), out, error);
}
}  // namespace

TEST(ReplayScript, VersionTwoCarriesSettingsAndClockReadings) {
    std::vector<ScriptedEvent> ev;
    ScriptSettings settings;
    std::string error;
    ASSERT_TRUE(parse("velmora-input 2\nseed 4294967295\nstart-level 7\ngod\n"
                      "2 clock 1000\n1 clock 0\n2 mouse button 0 down\n",
                      ev, settings, error))
        << error;
    EXPECT_TRUE(settings.seed_given);
    EXPECT_EQ(settings.seed, 4294967295u);
    EXPECT_EQ(settings.start_level, 7);
    EXPECT_TRUE(settings.god);
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_TRUE(ev[0].is_clock);
    EXPECT_EQ(ev[0].frame, 1);
    EXPECT_EQ(ev[1].clock_us, 1000u);
    EXPECT_FALSE(ev[2].is_clock);
    EXPECT_EQ(format_clock_line(2, 1000), "2 clock 1000");

    // Version 1 knows neither settings nor clocks; version 1 files still read.
    EXPECT_FALSE(parse("velmora-input 1\nseed 3\n", ev, settings, error));
    EXPECT_FALSE(parse("velmora-input 1\n5 clock 10\n", ev, settings, error));
    EXPECT_TRUE(parse("velmora-input 1\n5 key down 0x20\n", ev, settings, error));
    EXPECT_FALSE(settings.seed_given);
}

TEST(ReplayScript, MalformedSettingsAndClocksAreRefusedWithTheirLine) {
    std::vector<ScriptedEvent> ev;
    ScriptSettings settings;
    std::string error;
    for (const char* line : {"seed", "seed -1", "seed 4294967296", "start-level 0", "start-level 11",
                             "god yes", "autofire on", "5 clock", "5 clock -3", "5 clock 1e6",
                             "5 clock 9999999999999999999", "fly 3"}) {
        EXPECT_FALSE(parse(std::string("velmora-input 2\n# settings\n") + line + "\n", ev, settings, error))
            << line;
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << line << " -> " << error;
    }
    EXPECT_FALSE(parse("velmora-input 2\n4 quit\nseed 1\n", ev, settings, error));
    EXPECT_NE(error.find("before the first event"), std::string::npos) << error;
    EXPECT_FALSE(parse("velmora-input 3\n", ev, settings, error));
}

TEST(ReplayScript, AutopilotAndLevelOptions) {
    LaunchOptions o;
    std::string error;
    ASSERT_TRUE(parse_args({"--autopilot", "--start-level", "10", "--stop-at-level=11", "--trace", "t.txt"}, o,
                           error))
        << error;
    EXPECT_EQ(o.autopilot, 1);
    EXPECT_EQ(o.start_level, 10);
    EXPECT_EQ(o.stop_at_level, 11);
    EXPECT_EQ(o.trace_file, "t.txt");
    ASSERT_TRUE(parse_args({"--autopilot=2"}, o, error)) << error;
    EXPECT_EQ(o.autopilot, 2);

    const std::vector<std::vector<const char*>> bad = {
        {"--autopilot=3"}, {"--autopilot="}, {"--autopilot", "--input", "x.txt"}, {"--start-level", "0"},
        {"--start-level", "11"}, {"--stop-at-level", "12"}, {"--trace"},
    };
    for (const auto& args : bad) EXPECT_FALSE(parse_args(args, o, error)) << args[0];
    // "--autopilot 2" is the option and a stray argument, not two players.
    EXPECT_FALSE(parse_args({"--autopilot", "2"}, o, error));
}
