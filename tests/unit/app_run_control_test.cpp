// Input scripts (recordings are version 3: settings, clock readings and the
// control rules of their day) and the state dump.
#include <gtest/gtest.h>

#include <fstream>
#include <list>
#include <sstream>

#include "app/Velmora_Win.h"
#include "app/options.h"
#include "app/run_control.h"
#include "app/state_dump.h"
#include "behaviours/player_state.h"
#include "display/DirectDrawApp.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/temp_dir.h"

namespace {
bool parse(const std::string& text, InputScript& out, std::string& error) {
    std::istringstream in(text);
    ScriptSettings settings;
    return parse_input_script(in, out, settings, error);
}
}  // namespace

TEST(AppInputScript, ReadsEventsInFrameOrderAndRoundTrips) {
    const std::string text =
        "velmora-input 1\n# a comment\n\n"
        "121 key up 0x20\n"
        "120 key down 0x20   # trailing comment\n"
        "120\tkey down 27 repeat\n"
        "130 mouse move 5 -3\r\n"
        "131 mouse button 1 up\n"
        "200 focus lost\n"
        "400 quit\n";
    InputScript ev;
    std::string error;
    ASSERT_TRUE(parse(text, ev, error)) << error;
    std::string again = std::string(kInputScriptHeader) + "\n";
    for (const ScriptedEvent& e : ev) again += format_input_event(e.frame(), e.event()) + "\n";
    EXPECT_EQ(again,
              "velmora-input 1\n120 key down 0x20\n120 key down 0x1B repeat\n121 key up 0x20\n"
              "130 mouse move 5 -3\n131 mouse button 1 up\n200 focus lost\n400 quit\n");
    InputScript round;
    ASSERT_TRUE(parse(again, round, error)) << error;
    EXPECT_EQ(round.size(), ev.size());
}

TEST(AppInputScript, VersionsTwoAndThreeCarrySettingsAndClockReadings) {
    InputScript ev;
    ScriptSettings settings;
    std::string error;
    std::istringstream three("velmora-input 3\nnetwork\n1 quit\n");
    ASSERT_TRUE(parse_input_script(three, ev, settings, error)) << error;
    EXPECT_EQ(settings.version, 3);
    EXPECT_TRUE(settings.network);
    std::istringstream in("velmora-input 2\nseed 4294967295\nstart-level 7\ngod\n"
                          "2 clock 1000\n1 clock 0\n2 mouse button 0 down\n");
    ASSERT_TRUE(parse_input_script(in, ev, settings, error)) << error;
    EXPECT_EQ(settings.version, 2);
    EXPECT_FALSE(settings.network);
    EXPECT_TRUE(settings.seed_given);
    EXPECT_EQ(settings.seed, 4294967295u);
    EXPECT_EQ(settings.start_level, 7);
    EXPECT_TRUE(settings.god);
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_TRUE(ev[0].is_clock());
    EXPECT_EQ(ev[0].frame(), 1);
    EXPECT_EQ(ev[1].clock_us(), 1000u);
    EXPECT_FALSE(ev[2].is_clock());
    EXPECT_EQ(format_clock_line(2, 1000), "2 clock 1000");
}

TEST(AppInputScript, MalformedLinesAreReportedWithTheirNumber) {
    InputScript ev;
    std::string error;
    // Version 1 knows neither settings nor clocks; settings come before the first event.
    for (const char* text : {"", "velmora-input 4\n", "1 key down 0x20\n", "velmora-input 2\nnetwork\n", "velmora-input 1\nseed 3\n",
                             "velmora-input 1\n5 clock 10\n", "velmora-input 2\n4 quit\nseed 1\n"})
        EXPECT_FALSE(parse(text, ev, error)) << text;
    EXPECT_NE(error.find("before the first event"), std::string::npos) << error;
    for (const char* line : {"x quit", "0 quit", "5 key down", "5 key down 0x1FF", "5 key down 0xZZ",
                             "5 key up 0x20 repeat", "5 mouse move 1", "5 mouse move 200000 0",
                             "5 mouse button 0 held", "5 quit now", "5 jump", "99999999999999999999 quit"}) {
        EXPECT_FALSE(parse(std::string("velmora-input 1\n# ok\n") + line + "\n", ev, error)) << line;
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << line << " -> " << error;
    }
    for (const char* line : {"seed", "seed -1", "seed 4294967296", "start-level 0", "start-level 11", "god yes",
                             "autofire on", "autofire 3", "autofire 1 2", "5 clock", "5 clock -3", "5 clock 1e6",
                             "5 clock 9999999999999999999", "fly 3"}) {
        EXPECT_FALSE(parse(std::string("velmora-input 2\n# settings\n") + line + "\n", ev, error)) << line;
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << line << " -> " << error;
    }
}

// The control rules a replay plays by come from its version, a network game
// has today's taps and keeps player two's keys to player two, and a replay
// recorded again keeps its version.
TEST(AppInputScript, TheVersionChoosesTheControlRulesAndIsKeptWhenRecordedAgain) {
    struct Case {
        int version;
        bool networked;
        bool keys, taps;             // the rules played by
        const char* recorded;        // the recording's first line
        bool network_line;
    };
    const Case cases[] = {{3, false, true, true, "velmora-input 3", false},
                          {1, false, false, false, "velmora-input 2", false},
                          {2, true, false, true, "velmora-input 3", true},
                          {3, true, false, true, "velmora-input 3", true}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << (c.networked ? " networked" : ""));
        std::ofstream(dir.file("in.txt")) << "velmora-input " << c.version << "\n5 quit\n";
        LaunchOptions options;
        options.headless = true;
        options.input_file = dir.file("in.txt");
        options.record_file = dir.file("again.txt");
        if (c.networked) options.host_port = 0;  // prepare() opens no connection
        std::string error;
        {
            RunControl control;
            ASSERT_TRUE(control.prepare(options, error)) << error;
            EXPECT_EQ(control_rules.keys_steer_player_one, c.keys);
            EXPECT_EQ(control_rules.taps_held, c.taps);
            DirectDrawApp app;
            control.attach(app);
        }
        std::ifstream again(options.record_file);
        std::string header, all, line;
        std::getline(again, header);
        while (std::getline(again, line)) all += line + "\n";
        EXPECT_EQ(header, c.recorded);
        EXPECT_EQ(all.find("network\n") != std::string::npos, c.network_line);
    }
    control_rules = ControlRules{};
}

TEST(AppStateDump, SortedAndCountingLiveSpritesByClass) {
    reset_globals_to_program_start();
    Velmora_Win win;
    player1score = 1500;
    std::list<Sprite*> level;
    Sprite ship, shot, dead, child, dead_child;
    ship.hitclass = kHitPlayerShip;
    shot.hitclass = kHitPlayerShot;
    dead.hitclass = child.hitclass = dead_child.hitclass = kHitEnemy;
    dead.hitpoints = dead_child.hitpoints = 0;
    ship.nextchild = &child;  // live children count as live sprites of the level
    child.nextchild = &dead_child;
    level = {&ship, &shot, &dead};
    Sprite::the_level = &level;
    const std::string dump = format_state_dump(win, 77);
    const std::string again = format_state_dump(win, 77);
    Sprite::the_level = nullptr;

    EXPECT_EQ(dump, again);
    std::istringstream in(dump);
    std::string key, value, previous;
    std::map<std::string, std::string> values;
    while (in >> key >> value) {
        EXPECT_LT(previous, key) << "sorted and unique";
        previous = key;
        values[key] = value;
    }
    EXPECT_EQ(values["frame"], "77");
    EXPECT_EQ(values["player1score"], "1500");
    EXPECT_EQ(values["level_sprites"], "3");
    EXPECT_EQ(values["live_hitclass2"], "1");
    EXPECT_EQ(values["live_hitclass3"], "1");
    EXPECT_EQ(values["live_hitclass6"], "1");
}
