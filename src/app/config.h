// Our own settings file, velmora.cfg: display, mouse, controller, screenshot,
// firing and key choices, as readable "key = value" lines with comments. The two
// volumes stay in the game's own preferences file; nothing of theirs is here.
//
// Unknown keys and comments survive a rewrite untouched; a bad value is
// reported and its default used. When a key appears twice the last one counts.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/input_options.h"
#include "platform/platform.h"

struct LaunchOptions;

// "auto", "integer", "fit" or "stretch".
const char* scaling_mode_name(platform::Scaling scaling);

enum class MotionMode { Smooth, Original };
const char* motion_mode_name(MotionMode mode);
// "smooth" or "original" (any case); false for anything else.
bool parse_motion_mode(const std::string& text, MotionMode& out);

struct Settings {
    bool fullscreen = true;
    int display = -1;  // -1: ask when there are several
    int scale = 0;     // window scale; 0: the largest that fits
    platform::Scaling scaling = platform::Scaling::Auto;
    double mouse_sensitivity = 1.0;
    bool controller = true;
    int controller_dead_zone = 25;  // percent of full stick deflection
    std::string screenshot_dir;     // as written; empty: the pictures directory (expand_user_dir)
    platform::RendererSetting renderer = platform::RendererSetting::Auto;
    // Pictures at the display's refresh with moving things placed between two
    // game steps (smooth), or one picture per game step (original). The game
    // itself plays the same either way.
    MotionMode motion = MotionMode::Smooth;

    // ---- firing and keys ----
    bool autofire = false;  // a held fire control taps for the player
    // SDL key names per job, as written ("Left Ctrl, Right Ctrl").
    std::array<std::string, platform::kKeyJobCount> keys = platform::default_key_names();
};

// Limits of the numeric settings.
constexpr double kMinMouseSensitivity = 0.1;
constexpr double kMaxMouseSensitivity = 10.0;
constexpr int kMaxDeadZone = 90;

// One setting of velmora.cfg. The reader, the writer, the default file and
// --help's list are all made from the table of these (setting_table()). A
// setting's default is what `print` gives for Settings{}: the member
// initialisers above are its one place.
struct SettingDescriptor {
    std::string key;
    // The lines written above the key in a new file, without their "# "; an
    // empty line stays empty (it starts a group of settings).
    std::string comment;
    // The values it takes, as messages and --help quote them.
    std::string expected;
    // Sets the value from text; false when the text is unusable. `note`, when
    // set on success, says what part of the text was left out.
    std::function<bool(const std::string& text, Settings& s, std::string& note)> parse;
    std::function<std::string(const Settings& s)> print;
};

// Every setting, in the order of the default file.
const std::vector<SettingDescriptor>& setting_table();
// The descriptor of `key` (any case), or null.
const SettingDescriptor* find_setting(const std::string& key);

// Reads settings from the text of a config file. Problems (bad values,
// unknown keys, lines without '=', names left out of key lists) go to
// `problems` as "line N: ..." and never stop the reading.
Settings parse_settings(const std::string& text, std::vector<std::string>& problems);

// The text of a new config file holding `settings`, every key explained.
std::string default_config_text(const Settings& settings);

// --help's list: one line per key with its default and the values it takes.
std::string settings_help();

// `text` with `key` set to `value`: the key's last line is rewritten in place,
// keeping its trailing comment; a key not present is appended. Everything
// else stays byte for byte.
std::string set_config_value(const std::string& text, const std::string& key, const std::string& value);

// The text form a setting is written in ("yes", "fit", "ask", ...); empty
// for a key that is not a setting.
std::string setting_text(const Settings& settings, const std::string& key);

// Every key of the table, in its order.
std::vector<std::string> setting_keys();

// Places, from the environment: empty when no absolute directory results.
// $XDG_CONFIG_HOME/velmora (default ~/.config/velmora).
std::string config_directory();
// config_directory() + "/velmora.cfg".
std::string config_file_path();
// The user's pictures directory: $XDG_PICTURES_DIR, else the entry in
// ~/.config/user-dirs.dirs, else ~/Pictures.
std::string pictures_directory();

// A directory named in the settings as an absolute path: "~" and "~/..." are
// in the home directory, "~name/..." in that user's, and a relative path is
// taken from the home directory. Empty when there is no such home.
std::string expand_user_dir(const std::string& value);

// Reads the config file at `path` (a missing file gives the defaults).
// Problems are written to standard error naming the file.
Settings load_settings(const std::string& path);

// Sets one key in the file at `path`, creating the directory and the file
// (from the default text) when needed. Written to a temporary file and renamed
// over the old one; a symbolic link stays, and the file it ends at is the one
// rewritten. Each line keeps its own end (line feed, carriage return or both).
// False when it cannot be written, with the real reason in `why` ("Read-only
// file system", "Permission denied", ...); the old file is then untouched.
bool store_setting(const std::string& path, const Settings& settings, const std::string& key,
                   std::string* why = nullptr);

// At start: removes the temporary files a killed writer left beside the
// settings file (and beside the end of its link), then writes the file with
// its defaults when there is none, so there is one to find and edit. A
// failure is said on standard error and in the window with the file and the
// reason, unless the directory itself cannot be written (the start-up check,
// settings_place_problem, says that).
void prepare_settings_file(const std::string& path);

// Why nothing can be written in the directory `dir` (made when missing), by
// writing and removing a file there; empty when it can be.
std::string directory_write_problem(const std::string& dir);

// The option names ("--scale", without any "=value") on a command line.
std::vector<std::string> options_given(int argc, const char* const* argv);

// Copies the display settings into `options` for every option that is not
// among `given` (the command line wins for its run).
void apply_settings(const Settings& settings, const std::vector<std::string>& given, LaunchOptions& options);

// ---- choices the player makes inside the game, kept for the next run ----
// The settings of this run as the player changes them (the options screen,
// the Controls screen, Alt+Enter, the display chooser).
Settings& choices();
// The settings file they are written to at once: set for a game with a
// window; empty (the default, and so in headless runs and tests) keeps every
// change to the run.
void set_choices_file(const std::string& path);
const std::string& choices_file();
// Writes `key` of choices() to that file. Without a file, true (nothing to
// keep). A failure is said on standard error with the file, the reason and
// what was kept, and the first one of the run also in the window
// (take_settings_notice).
bool remember_choice(const std::string& key);
// choices().display = display, remembered. False when there is no file or it
// cannot be written.
bool remember_display(int display);

// A problem with the settings the player should see in the window: the first
// one posted in the run, handed out once.
void post_settings_notice(const std::string& text);
std::string take_settings_notice();
