// The settings file: reading it forgivingly, rewriting one key without
// disturbing the rest, where it lives, and the command line winning over it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/options.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

namespace {

Settings parse(const std::string& text, std::vector<std::string>* problems = nullptr) {
    std::vector<std::string> local;
    return parse_settings(text, problems != nullptr ? *problems : local);
}

}  // namespace

TEST(ComfortsConfig, ReadsEveryKeyWithCommentsSpacingAndLineEndings) {
    std::vector<std::string> problems;
    const Settings s = parse(
        "# a comment\r\n"
        "  FullScreen=no   # trailing comment\r\n"
        "display = 2\n"
        "scale = 3\n"
        "scaling = Fit\n"
        "mouse_sensitivity = 2.5\n"
        "controller = off\n"
        "controller_dead_zone = 40\n"
        "screenshot_dir = /tmp/shots#2\n"
        "renderer = Software\n",
        &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(s.renderer, platform::RendererSetting::Software);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(s.display, 2);
    EXPECT_EQ(s.scale, 3);
    EXPECT_EQ(s.scaling, platform::Scaling::Fit);
    EXPECT_DOUBLE_EQ(s.mouse_sensitivity, 2.5);
    EXPECT_FALSE(s.controller);
    EXPECT_EQ(s.controller_dead_zone, 40);
    EXPECT_EQ(s.screenshot_dir, "/tmp/shots#2");  // '#' inside a word is not a comment
}

TEST(ComfortsConfig, BadValuesFallBackToDefaultsAndUnknownKeysAreOnlyReported) {
    std::vector<std::string> problems;
    const Settings s = parse(
        "scaling = stretch\n"
        "scaling = blurry\n"  // broken: the default, not the earlier line's value
        "scale = 99\n"
        "mouse_sensitivity = nan\n"
        "controller_dead_zone = -5\n"
        "display = first\n"
        "fullscreen = maybe\n"
        "colour = purple\n"
        "just some words\n"
        "renderer = gpu\n",
        &problems);
    const Settings defaults;
    EXPECT_EQ(s.scaling, defaults.scaling);
    EXPECT_EQ(s.scale, defaults.scale);
    EXPECT_DOUBLE_EQ(s.mouse_sensitivity, defaults.mouse_sensitivity);
    EXPECT_EQ(s.controller_dead_zone, defaults.controller_dead_zone);
    EXPECT_EQ(s.display, defaults.display);
    EXPECT_EQ(s.fullscreen, defaults.fullscreen);
    EXPECT_EQ(s.renderer, platform::RendererSetting::Auto);
    ASSERT_EQ(problems.size(), 9u);
    EXPECT_EQ(problems[0].rfind("line 2: ", 0), 0u) << problems[0];
    EXPECT_NE(problems[6].find("unknown setting 'colour'"), std::string::npos) << problems[6];
    EXPECT_EQ(problems[7].rfind("line 9: ", 0), 0u) << problems[7];
}

TEST(ComfortsConfig, LastOccurrenceWinsAndIsTheOneRewrittenAndAMissingKeyIsAppended) {
    const std::string text = "fullscreen = yes\nfullscreen = no  # mine\nlook = kept\n";
    EXPECT_FALSE(parse(text).fullscreen);
    const std::string updated = set_config_value(text, "fullscreen", "yes");
    EXPECT_EQ(updated, "fullscreen = yes\nfullscreen = yes  # mine\nlook = kept\n");
    EXPECT_TRUE(parse(updated).fullscreen);
    // The rest is kept byte for byte.
    EXPECT_EQ(set_config_value("# mine\r\nodd = 1", "scale", "2"), "# mine\r\nodd = 1\r\nscale = 2\r\n");
    EXPECT_EQ(set_config_value("", "scale", "2"), "scale = 2\n");
}

// A value other than its default for every setting, as a player would write
// it. A setting of the table missing here fails the test below by name.
const char* const kChosen =
    "fullscreen = no\n"
    "display = 1\n"
    "scale = 2\n"
    "scaling = stretch\n"
    "mouse_sensitivity = 0.25\n"
    "controller = no\n"
    "controller_dead_zone = 10\n"
    "screenshot_dir = /pictures\n"
    "renderer = accelerated\n"
    "motion = original\n"
    "autofire = yes\n"
    "keys.p1_fire = Return\n"
    "keys.p2_up = W\n"
    "keys.p2_down = S\n"
    "keys.p2_left = A, Keypad 1\n"
    "keys.p2_right = D\n"
    "keys.p2_fire = Left Shift\n";

TEST(ComfortsConfig, EverySettingIsReadAndWrittenAsTheFileSaysIt) {
    std::vector<std::string> problems;
    const Settings chosen = parse(kChosen, &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    const Settings back = parse(default_config_text(chosen), &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    const std::string chosen_text = kChosen;
    for (const SettingDescriptor& setting : setting_table()) {
        SCOPED_TRACE(setting.key);
        const size_t at = chosen_text.find(setting.key + " = ");
        ASSERT_NE(at, std::string::npos) << "give it a value other than its default in kChosen";
        const size_t from = at + setting.key.size() + 3;
        const std::string written = chosen_text.substr(from, chosen_text.find('\n', from) - from);
        // The writer against the file's own words, not against itself.
        EXPECT_EQ(setting_text(chosen, setting.key), written);
        EXPECT_NE(setting_text(Settings{}, setting.key), written) << "the default: it proves nothing";
        EXPECT_EQ(setting_text(back, setting.key), written) << "through the default file's text";
    }
    EXPECT_EQ(parse(default_config_text(Settings{})).keys, Settings{}.keys);
}

TEST(ComfortsConfig, AutofireAndKeysOfYourOwnWithBadNamesReported) {
    const Settings defaults;
    EXPECT_FALSE(defaults.autofire);
    EXPECT_EQ(defaults.keys[platform::kPlayerTwoUp], "Up");
    EXPECT_EQ(defaults.keys[platform::kPlayerTwoFire], "Left Ctrl, Right Ctrl");

    std::vector<std::string> problems;
    const Settings s = parse(
        "autofire = yes\n"
        "keys.p2_up = W\n"
        "keys.p2_right = right shift,Keypad Enter\n"
        "keys.p1_fire = Frobnicate\n"
        "keys.p2_left = Escape\n"
        "keys.p2_down = ,\n"
        "keys.p2_fire = Left Shift, Bogus Key, \n",
        &problems);
    EXPECT_TRUE(s.autofire);
    EXPECT_EQ(s.keys[platform::kPlayerTwoUp], "W");
    EXPECT_EQ(s.keys[platform::kPlayerTwoRight], "right shift,Keypad Enter") << "kept as written";
    EXPECT_EQ(s.keys[platform::kPlayerTwoDown], ",");
    EXPECT_EQ(s.keys[platform::kPlayerOneFire], "Space");
    EXPECT_EQ(s.keys[platform::kPlayerTwoLeft], "Left") << "Escape belongs to the menu";
    EXPECT_EQ(s.keys[platform::kPlayerTwoFire], "Left Shift") << "an unknown name drops only itself";
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].rfind("line 4: invalid value 'Frobnicate' for keys.p1_fire (expected", 0), 0u) << problems[0];
    EXPECT_NE(problems[0].find("using Space"), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("'Escape'"), std::string::npos) << problems[1];
    EXPECT_EQ(problems[2],
              "line 7: keys.p2_fire: 'Bogus Key', an empty name left out (unknown or kept by the game); keeps Left Shift");

    problems.clear();
    const Settings shared = parse("keys.p2_fire = W\nkeys.p2_up = w\n", &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "keys.p2_fire and keys.p2_up name the same key; it does keys.p2_up");
}

TEST(ComfortsConfig, ReadingWritingAndReadingAgainKeepsTheSettings) {
    // Each text is read, every key written back with the value read, and the
    // result read again: the two readings agree, and a value never runs into
    // a comment.
    const char* const texts[] = {
        "fullscreen =#yes\n",                 // a comment right after '='
        "fullscreen =\t#yes\r\n",
        "screenshot_dir =#x\n",               // an empty value before a comment
        "screenshot_dir = a#b #c\n",          // '#' inside a value, then a comment
        "mouse_sensitivity = 0.1000000001\n",  // more digits than six
        "mouse_sensitivity = 3.14159265358979\n",
        "scale = 3\nscale = bad\n",           // the broken last line gives the default
        "display = 2 # two\nDISPLAY = 5#five\n",
        "fullscreen = no\rfullscreen = yes\n",  // a lone carriage return inside a line
    };
    const std::vector<std::string> keys = setting_keys();
    ASSERT_GE(keys.size(), 8u);
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const Settings first = parse(text);
        std::string written = text;
        for (const std::string& key : keys) written = set_config_value(written, key, setting_text(first, key));
        std::vector<std::string> problems;
        const Settings second = parse(written, &problems);
        for (const std::string& key : keys) EXPECT_EQ(setting_text(second, key), setting_text(first, key)) << key;
        EXPECT_EQ(second.mouse_sensitivity, first.mouse_sensitivity);  // not only as far as its text shows
        for (const std::string& p : problems) EXPECT_EQ(p.find("is not"), std::string::npos) << written << p;
        std::string again = written;
        for (const std::string& key : keys) again = set_config_value(again, key, setting_text(second, key));
        EXPECT_EQ(again, written) << "a second rewrite changes nothing";
    }
    EXPECT_EQ(set_config_value("fullscreen =#yes\n", "fullscreen", "no"), "fullscreen = no #yes\n");
    EXPECT_EQ(set_config_value("fullscreen = yes   # kept as it was\n", "fullscreen", "no"),
              "fullscreen = no   # kept as it was\n");
}

TEST(ComfortsConfig, PlacesFollowTheXdgVariables) {
    TempDir dir;
    ScopedEnv env;
    env.set("HOME", dir.path().c_str());
    env.set("XDG_CONFIG_HOME", nullptr);
    env.set("XDG_PICTURES_DIR", nullptr);
    EXPECT_EQ(config_file_path(), dir.path() + "/.config/velmora/velmora.cfg");
    EXPECT_EQ(pictures_directory(), dir.path() + "/Pictures");

    // The desktop's user-dirs file names the pictures directory.
    ASSERT_TRUE(writers::make_directories(dir.file(".config")));
    ASSERT_TRUE(writers::write_text(dir.file(".config/user-dirs.dirs"),
                                    "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n"));
    EXPECT_EQ(pictures_directory(), dir.path() + "/Bilder");

    env.set("XDG_CONFIG_HOME", dir.file("conf").c_str());
    env.set("XDG_PICTURES_DIR", "/srv/pics");
    EXPECT_EQ(config_file_path(), dir.file("conf") + "/velmora/velmora.cfg");
    EXPECT_EQ(pictures_directory(), "/srv/pics");

    // Relative values are not directories of anyone's.
    env.set("XDG_CONFIG_HOME", "relative");
    env.set("HOME", "");
    EXPECT_EQ(config_file_path(), "");
}

TEST(ComfortsConfig, StoringCreatesTheFileThenChangesOnlyItsKey) {
    TempDir dir;
    const std::string path = dir.file("deep/velmora/velmora.cfg");
    Settings s;
    s.fullscreen = false;
    ASSERT_TRUE(store_setting(path, s, "fullscreen"));
    EXPECT_FALSE(load_settings(path).fullscreen);

    ASSERT_TRUE(writers::write_text(path, "# hand-edited\nscaling = fit\nfullscreen = no # later\nmine = 7\n"));
    s.fullscreen = true;
    ASSERT_TRUE(store_setting(path, s, "fullscreen"));
    std::string text;
    {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        char buffer[512];
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, f));
        std::fclose(f);
    }
    EXPECT_EQ(text, "# hand-edited\nscaling = fit\nfullscreen = yes # later\nmine = 7\n");

    // A failed write says the real reason, not what follows from it.
    std::string why;
    EXPECT_FALSE(store_setting(dir.file("deep/velmora/velmora.cfg/not-a-dir/x.cfg"), s, "fullscreen", &why));
    EXPECT_EQ(why, "Not a directory");
    EXPECT_EQ(directory_write_problem(dir.file("deep/velmora/velmora.cfg/sub")), "Not a directory");
    EXPECT_EQ(directory_write_problem(dir.file("fresh/velmora")), "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("fresh/velmora"))) << "the probe leaves nothing behind";

    // A file that cannot be read whole is left as it is, and what it held
    // before an over-long line still counts.
    const std::string long_line = "scale = 2\nfullscreen = no\n" + std::string(2 << 20, 'x') + "\n";
    ASSERT_TRUE(writers::write_text(path, long_line));
    EXPECT_FALSE(load_settings(path).fullscreen);
    EXPECT_EQ(load_settings(path).scale, 2);
    EXPECT_FALSE(store_setting(path, s, "fullscreen", &why));
    EXPECT_NE(why.find("cannot be read whole"), std::string::npos) << why;
    EXPECT_EQ(std::filesystem::file_size(path), long_line.size());
    const std::string fifo = dir.file("fifo.cfg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_TRUE(load_settings(fifo).fullscreen);  // the defaults, without waiting for a writer
    EXPECT_FALSE(store_setting(fifo, s, "fullscreen"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(ComfortsConfig, TheWrittenFileIsExactlyThisAndTheManualNamesEveryKey) {
    Settings chosen;
    chosen.keys[platform::kPlayerTwoFire] = "Left Shift";
    EXPECT_EQ(default_config_text(chosen), R"(# Velmora settings: "key = value" lines; '#' starts a comment.
# Options given on the command line win over these for that run.
# The volumes are kept in the game's own preferences file, not here.
# The game writes a choice made on its options screen here at once.

# Full screen (yes) or a window (no). Alt+Enter and the options screen switch it
# and keep the choice here.
fullscreen = yes
# The display to play on, counted from 0 as --display counts; 'ask' offers a
# choice when there are several, and the display chosen there is kept here.
display = ask
# Window size as a multiple of 640 x 480; 0 takes the largest that fits the
# display with the window's frame. A larger one than fits is lowered.
scale = 0
# How the picture fills the window or screen, always keeping its shape but in
# stretch: auto (whole multiples of 640 x 480 when they fill at least 85% of
# the height, else as large as fits), integer (whole multiples only, sharpest,
# wider black borders), fit (as large as fits) or stretch (all of it). Sizes
# between whole multiples are drawn sharp: enlarged by a whole multiple, then
# smoothed down, so every pixel keeps the same width. The options screen sets it.
scaling = auto
# Mouse speed for player one, 0.1 to 10.
mouse_sensitivity = 1.0
# A game controller steers player two, or player one when playing alone: yes or no.
controller = yes
# How far (percent) a stick must lean before it counts, 0 to 90.
controller_dead_zone = 25
# Where F12 pictures go; empty: the pictures directory's velmora folder.
# ~ is your home directory, and a relative path starts there.
screenshot_dir =
# What draws the picture: auto (the accelerated renderer on a GPU, the
# software one where OpenGL would run on the processor), software or accelerated.
renderer = auto
# Motion: smooth draws a picture at every refresh of the display, with every
# moving thing placed between its last two positions; original shows one
# picture per game step (21.7 a second). The game plays the same in both.
# The options screen's Smooth motion row sets it.
motion = smooth

# Firing: the ships fire once per press of the fire control (mouse button or
# Space for player one, Ctrl, keypad 0 or a controller's A or right trigger for
# player two, and for player one too in a game for one), so tap it; shots with
# a reload need several presses. With autofire = yes a held fire control taps
# by itself as fast as the game allows. The options screen sets it.
autofire = no
# Keys of your own, by SDL key name (Up, W, Return, Left Shift, Keypad 0, ...;
# several separated by commas), also chosen on the options screen's Controls.
# A key named here does that job; keys named nowhere keep theirs, and the
# keypad and a controller always work. Player two's keys steer player one
# too in a game for one.
keys.p1_fire = Space
keys.p2_up = Up
keys.p2_down = Down
keys.p2_left = Left
keys.p2_right = Right
keys.p2_fire = Left Shift
)");
    std::ifstream manual(std::string(VELMORA_SOURCE_DIR) + "/packaging/velmora.6");
    std::ostringstream page;
    page << manual.rdbuf();
    ASSERT_FALSE(page.str().empty());
    for (const std::string& key : setting_keys())
        EXPECT_NE(page.str().find(".B " + key + "\n"), std::string::npos) << key << " is not in the manual's SETTINGS";
}

TEST(ComfortsConfig, TheCommandLineWinsOverTheFileForTheRun) {
    Settings file;
    file.fullscreen = false;
    file.display = 1;
    file.scale = 3;
    file.scaling = platform::Scaling::Fit;
    file.renderer = platform::RendererSetting::Software;

    const char* plain[] = {"velmora"};
    LaunchOptions o;
    std::string error;
    ASSERT_TRUE(parse_launch_options(1, plain, o, error));
    apply_settings(file, options_given(1, plain), o);
    EXPECT_FALSE(o.fullscreen);
    EXPECT_EQ(o.display, 1);
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.scaling, platform::Scaling::Fit);
    EXPECT_EQ(o.renderer, platform::RendererSetting::Software);

    const char* given[] = {"velmora", "--fullscreen", "--scaling=stretch", "--display", "0"};
    LaunchOptions g;
    ASSERT_TRUE(parse_launch_options(5, given, g, error));
    apply_settings(file, options_given(5, given), g);
    EXPECT_TRUE(g.fullscreen);
    EXPECT_EQ(g.scaling, platform::Scaling::Stretch);
    EXPECT_EQ(g.display, 0);
    EXPECT_EQ(g.scale, 3);  // not given: the file's
}
