// Our own settings file, velmora.cfg: display, mouse, controller, screenshot,
// firing and key choices, as readable "key = value" lines with comments. The two
// volumes stay in the game's own preferences file; nothing of theirs is here.
//
// Unknown keys and comments survive a rewrite untouched; a bad value is
// reported and its default used. When a key appears twice the last one counts.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/input_options.h"
#include "platform/platform.h"

struct LaunchOptions;

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

// Reads settings from the text of a config file. Problems (bad values,
// unknown keys, lines without '=') go to `problems` as "line N: ..." and never
// stop the reading.
Settings parse_settings(const std::string& text, std::vector<std::string>& problems);

// The text of a new config file holding `settings`, every key explained.
std::string default_config_text(const Settings& settings);

// `text` with `key` set to `value`: the key's last line is rewritten in place,
// keeping its trailing comment; a key not present is appended. Everything
// else stays byte for byte.
std::string set_config_value(const std::string& text, const std::string& key, const std::string& value);

// The text form a setting is written in ("yes", "fit", "ask", ...).
std::string setting_text(const Settings& settings, const std::string& key);

// Every key the default text holds, in its order.
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
// over the old one. False when it cannot be written.
bool store_setting(const std::string& path, const Settings& settings, const std::string& key);

// The option names ("--scale", without any "=value") on a command line.
std::vector<std::string> options_given(int argc, const char* const* argv);

// Copies the display settings into `options` for every option that is not
// among `given` (the command line wins for its run).
void apply_settings(const Settings& settings, const std::vector<std::string>& given, LaunchOptions& options);

// ---- choices the player makes inside the game, kept for the next run ----
// The settings file of this run: set for a live game; empty (the default,
// and so in headless runs and tests) keeps every such choice to the run.
void set_choices_file(const std::string& path);
const std::string& choices_file();
// Writes "display = N" into that file. False when there is none or it
// cannot be written.
bool remember_display(int display);
