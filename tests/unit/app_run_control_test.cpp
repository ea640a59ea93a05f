// Input scripts and the state dump.
#include <gtest/gtest.h>

#include <list>
#include <map>
#include <sstream>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "app/run_control.h"
#include "app/state_dump.h"
#include "sprites/Sprite.h"

namespace {
using platform::EventType;

bool parse(const std::string& text, std::vector<ScriptedEvent>& out, std::string& error) {
    std::istringstream in(text);
    return parse_input_script(in, out, error);
}

std::string error_of(const std::string& text) {
    std::vector<ScriptedEvent> events;
    std::string error;
    EXPECT_FALSE(parse(text, events, error)) << text;
    return error;
}
}  // namespace

TEST(AppInputScript, ReadsEveryEventKindOrderedByFrame) {
    const std::string text =
        "velmora-input 1\n"
        "# a comment\n"
        "\n"
        "121 key up 0x20\n"
        "120 key down 0x20   # trailing comment\n"
        "120\tkey down 27 repeat\n"
        "130 mouse move 5 -3\r\n"
        "131 mouse button 0 down\n"
        "131 mouse button 1 up\n"
        "200 focus lost\n"
        "400 quit\n";
    std::vector<ScriptedEvent> ev;
    std::string error;
    ASSERT_TRUE(parse(text, ev, error)) << error;
    ASSERT_EQ(ev.size(), 8u);
    EXPECT_EQ(ev[0].frame, 120);
    EXPECT_EQ(ev[0].event.vkey, 0x20);
    EXPECT_EQ(ev[1].event.vkey, 27);  // same frame: file order kept
    EXPECT_TRUE(ev[1].event.repeat);
    EXPECT_EQ(ev[2].event.type, EventType::KeyUp);
    EXPECT_EQ(ev[3].event.dx, 5);
    EXPECT_EQ(ev[3].event.dy, -3);
    EXPECT_TRUE(ev[4].event.pressed);
    EXPECT_EQ(ev[5].event.button, 1);
    EXPECT_FALSE(ev[5].event.pressed);
    EXPECT_EQ(ev[6].event.type, EventType::FocusLost);
    EXPECT_EQ(ev[7].event.type, EventType::Quit);

    // What a recording writes reads back as the same events.
    std::string again = std::string(kInputScriptHeader) + "\n";
    for (const ScriptedEvent& e : ev) again += format_input_event(e.frame, e.event) + "\n";
    std::vector<ScriptedEvent> round;
    ASSERT_TRUE(parse(again, round, error)) << error;
    ASSERT_EQ(round.size(), ev.size());
    for (size_t i = 0; i < ev.size(); ++i)
        EXPECT_EQ(format_input_event(round[i].frame, round[i].event),
                  format_input_event(ev[i].frame, ev[i].event));
}

TEST(AppInputScript, MalformedLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(error_of(""), "line 1: expected 'velmora-input 1'");
    EXPECT_NE(error_of("velmora-input 2\n").find("version"), std::string::npos);
    EXPECT_NE(error_of("1 key down 0x20\n").find("line 1"), std::string::npos);
    const char* bad_lines[] = {
        "x key down 0x20", "0 quit", "5 key down", "5 key sideways 0x20", "5 key down 0x1FF",
        "5 key down 0xZZ", "5 key up 0x20 repeat", "5 mouse move 1", "5 mouse move 1 2 3",
        "5 mouse move 200000 0", "5 mouse button 0 held", "5 mouse button -1 down", "5 quit now",
        "5 jump", "5", "99999999999999999999 quit", "5 focus away",
    };
    for (const char* line : bad_lines) {
        const std::string error = error_of(std::string("velmora-input 1\n# ok\n") + line + "\n");
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << line << " -> " << error;
    }
}

TEST(AppStateDump, SortedCompleteAndCountingLiveSpritesByClass) {
    reset_globals_to_program_start();
    Velmora_Win win;
    win.game_state = 8;
    currentlevel = 3;
    player1score = 1500;

    auto* level = new std::list<Sprite*>;
    Sprite ship, shot, dead, child, part;
    ship.hitclass = 2;
    shot.hitclass = 3;
    dead.hitclass = 6;
    dead.hitpoints = 0;
    child.hitclass = 6;  // a live child counts as a live sprite of the level
    part.hitclass = 6;
    part.hitpoints = 0;
    ship.nextchild = &child;
    child.nextchild = &part;
    level->push_back(&ship);
    level->push_back(&shot);
    level->push_back(&dead);
    Sprite::the_level = level;

    const std::string dump = format_state_dump(win, 77);
    const std::string again = format_state_dump(win, 77);
    Sprite::the_level = nullptr;
    delete level;

    std::istringstream in(dump);
    std::string line, previous;
    std::map<std::string, std::string> values;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        ASSERT_NE(space, std::string::npos) << line;
        const std::string key = line.substr(0, space);
        EXPECT_LT(previous, key) << "keys are sorted and unique";
        previous = key;
        values[key] = line.substr(space + 1);
    }
    EXPECT_EQ(values["frame"], "77");
    EXPECT_EQ(values["game_state"], "8");
    EXPECT_EQ(values["currentlevel"], "3");
    EXPECT_EQ(values["player1score"], "1500");
    EXPECT_EQ(values["level_sprites"], "3");
    EXPECT_EQ(values["live_hitclass2"], "1");
    EXPECT_EQ(values["live_hitclass3"], "1");
    EXPECT_EQ(values["live_hitclass6"], "1");
    for (const char* key : {"p2p2poweruplevel", "p1p1", "curx", "cury", "fxvolume", "musicvolume",
                            "scroll", "gameover", "player2hitpoints", "time_us", "active_sprites"})
        EXPECT_EQ(values.count(key), 1u) << key;
    EXPECT_EQ(dump, again);
}
