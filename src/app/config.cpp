#include "app/config.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "app/options.h"
#include "util/atomic_write.h"
#include "util/file_read.h"
#include "util/ranged_int.h"

namespace {

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])) != 0) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])) != 0) --e;
    return s.substr(b, e - b);
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The lines of `text`, ended by a line feed, a carriage return or both (as
// editors on any system leave them); `ends`, when given, gets each line's own
// end, empty for a last line without one.
std::vector<std::string> split_lines(const std::string& text, std::vector<std::string>* ends = nullptr) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            if (ends != nullptr) ends->emplace_back();
            break;
        }
        lines.push_back(text.substr(start, end - start));
        const size_t length = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        if (ends != nullptr) ends->push_back(text.substr(end, length));
        start = end + length;
    }
    return lines;
}

// One "key = value  # comment" line taken apart. `key` is empty for blank
// lines, comment lines and lines without '='.
struct Entry {
    std::string key;
    std::string value;
    bool malformed = false;  // text that is neither a comment nor key = value
};

// A '#' starts a comment only at the start of the value or after white space,
// so a directory such as "shots#2" keeps its '#'.
size_t comment_start(const std::string& value) {
    for (size_t i = 0; i < value.size(); ++i)
        if (value[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(value[i - 1])) != 0))
            return i;
    return std::string::npos;
}

Entry parse_line(const std::string& line) {
    Entry e;
    const std::string stripped = trim(line);
    if (stripped.empty() || stripped[0] == '#' || stripped[0] == ';') return e;
    const size_t eq = stripped.find('=');
    if (eq == std::string::npos) {
        e.malformed = true;
        return e;
    }
    e.key = lower(trim(stripped.substr(0, eq)));
    std::string value = stripped.substr(eq + 1);
    const size_t hash = comment_start(value);
    if (hash != std::string::npos) value.resize(hash);
    e.value = trim(value);
    if (e.key.empty()) e.malformed = true;
    return e;
}

// What follows the '=': " value", or nothing for an empty value, so a
// rewrite never adds to the space before a comment.
std::string after_equals(const std::string& value) { return value.empty() ? std::string() : " " + value; }

bool parse_bool(const std::string& text, bool& out) {
    const std::string v = lower(text);
    if (v == "yes" || v == "true" || v == "on" || v == "1") {
        out = true;
        return true;
    }
    if (v == "no" || v == "false" || v == "off" || v == "0") {
        out = false;
        return true;
    }
    return false;
}

bool parse_real(const std::string& text, double low, double high, double& out) {
    if (text.empty() || text.size() > 32) return false;
    // The C locale's decimal point whatever the user's locale says.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    if (!(in >> v) || !in.eof() || !std::isfinite(v) || v < low || v > high) return false;
    out = v;
    return true;
}

}  // namespace

const char* motion_mode_name(MotionMode mode) { return mode == MotionMode::Original ? "original" : "smooth"; }

bool parse_motion_mode(const std::string& text, MotionMode& out) {
    const std::string v = lower(text);
    if (v == "smooth") out = MotionMode::Smooth;
    else if (v == "original") out = MotionMode::Original;
    else return false;
    return true;
}

const char* scaling_mode_name(platform::Scaling s) {
    switch (s) {
        case platform::Scaling::Fit: return "fit";
        case platform::Scaling::Stretch: return "stretch";
        case platform::Scaling::Auto: return "auto";
        default: return "integer";
    }
}

namespace {

bool parse_scaling(const std::string& text, platform::Scaling& out) {
    const std::string v = lower(text);
    if (v == "auto") out = platform::Scaling::Auto;
    else if (v == "integer") out = platform::Scaling::Integer;
    else if (v == "fit") out = platform::Scaling::Fit;
    else if (v == "stretch") out = platform::Scaling::Stretch;
    else return false;
    return true;
}

// The shortest text that reads back as the same number.
std::string real_text(double value) {
    char digits[32];
    const auto done = std::to_chars(digits, digits + sizeof digits, value);
    std::string t(digits, done.ptr);
    if (t.find('.') == std::string::npos && t.find('e') == std::string::npos) t += ".0";
    return t;
}

// The names of a key list, as written between its commas. A name that holds
// a comma itself ("," or "Keypad ,") is the whole list or nothing.
std::vector<std::string> key_names_of(const std::string& list) {
    std::vector<int32_t> codes;
    std::string bad;
    const std::string whole = trim(list);
    if (platform::key_codes_for_names(whole, codes, bad) && codes.size() == 1) return {whole};
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        const size_t comma = whole.find(',', start);
        names.push_back(trim(whole.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) return names;
        start = comma + 1;
    }
}

// A key list keeps the names SDL knows; an unknown one (or one the game keeps
// for itself) is left out and named in `note`. Nothing usable: false.
bool parse_key_list(const std::string& text, std::string& kept, std::string& note) {
    std::vector<std::string> good, dropped;
    for (const std::string& name : key_names_of(text)) {
        std::vector<int32_t> codes;
        std::string bad;
        if (!name.empty() && platform::key_codes_for_names(name, codes, bad)) good.push_back(name);
        else dropped.push_back(name.empty() ? "an empty name" : "'" + name + "'");
    }
    if (good.empty()) {
        note = dropped.empty() ? std::string() : dropped.front() + " is unknown or kept by the game";
        return false;
    }
    kept.clear();
    if (dropped.empty()) kept = trim(text);  // as written
    else
        for (const std::string& name : good) kept += (kept.empty() ? "" : ", ") + name;
    note.clear();
    for (const std::string& name : dropped) note += (note.empty() ? "" : ", ") + name;
    if (!note.empty()) note += " left out (unknown or kept by the game); keeps " + kept;
    return true;
}

using Parse = std::function<bool(const std::string&, Settings&, std::string&)>;
using Print = std::function<std::string(const Settings&)>;

SettingDescriptor yes_no(const char* key, const char* comment, bool Settings::*member) {
    return {key, comment, "yes or no",
            [member](const std::string& text, Settings& s, std::string&) { return parse_bool(text, s.*member); },
            [member](const Settings& s) { return std::string(s.*member ? "yes" : "no"); }};
}

SettingDescriptor whole_number(const char* key, const char* comment, int low, int high, int Settings::*member,
                               const std::string& what = {}) {
    return {key, comment, (what.empty() ? "" : what + " ") + ranged_int::range_text(low, high),
            [=](const std::string& text, Settings& s, std::string&) { return ranged_int::parse(text, low, high, s.*member); },
            [member](const Settings& s) { return std::to_string(s.*member); }};
}

std::vector<SettingDescriptor> make_table() {
    std::vector<SettingDescriptor> t;
    t.push_back(yes_no("fullscreen",
                       "Full screen (yes) or a window (no). Alt+Enter and the options screen switch it\n"
                       "and keep the choice here.",
                       &Settings::fullscreen));
    t.push_back({"display",
                 "The display to play on, counted from 0 as --display counts; 'ask' offers a\n"
                 "choice when there are several, and the display chosen there is kept here.",
                 "ask or a display number " + ranged_int::range_text(0, 63),
                 [](const std::string& text, Settings& s, std::string&) {
                     if (lower(text) == "ask") {
                         s.display = -1;
                         return true;
                     }
                     return ranged_int::parse(text, 0, 63, s.display);
                 },
                 [](const Settings& s) { return s.display < 0 ? std::string("ask") : std::to_string(s.display); }});
    t.push_back(whole_number("scale",
                             "Window size as a multiple of 640 x 480; 0 takes the largest that fits the\n"
                             "display with the window's frame. A larger one than fits is lowered.",
                             0, 16, &Settings::scale));
    t.push_back({"scaling",
                 "How the picture fills the window or screen, always keeping its shape but in\n"
                 "stretch: auto (whole multiples of 640 x 480 when they fill at least 85% of\n"
                 "the height, else as large as fits), integer (whole multiples only, sharpest,\n"
                 "wider black borders), fit (as large as fits) or stretch (all of it). Sizes\n"
                 "between whole multiples are drawn sharp: enlarged by a whole multiple, then\n"
                 "smoothed down, so every pixel keeps the same width. The options screen sets it.",
                 "auto, integer, fit or stretch",
                 [](const std::string& text, Settings& s, std::string&) { return parse_scaling(text, s.scaling); },
                 [](const Settings& s) { return std::string(scaling_mode_name(s.scaling)); }});
    t.push_back({"mouse_sensitivity", "Mouse speed for player one, 0.1 to 10.", "a number from 0.1 to 10",
                 [](const std::string& text, Settings& s, std::string&) {
                     return parse_real(text, kMinMouseSensitivity, kMaxMouseSensitivity, s.mouse_sensitivity);
                 },
                 [](const Settings& s) { return real_text(s.mouse_sensitivity); }});
    t.push_back(yes_no("controller",
                       "A game controller steers player two, or player one when playing alone: yes or no.",
                       &Settings::controller));
    t.push_back(whole_number("controller_dead_zone", "How far (percent) a stick must lean before it counts, 0 to 90.",
                             0, kMaxDeadZone, &Settings::controller_dead_zone, "a percentage"));
    t.push_back({"screenshot_dir",
                 "Where F12 pictures go; empty: the pictures directory's velmora folder.\n"
                 "~ is your home directory, and a relative path starts there.",
                 "a directory, or nothing",
                 [](const std::string& text, Settings& s, std::string&) {
                     s.screenshot_dir = text;
                     return true;
                 },
                 [](const Settings& s) { return s.screenshot_dir; }});
    t.push_back({"renderer",
                 "What draws the picture: auto (the accelerated renderer on a GPU, the\n"
                 "software one where OpenGL would run on the processor), software or accelerated.",
                 "auto, software or accelerated",
                 [](const std::string& text, Settings& s, std::string&) {
                     return platform::parse_renderer_setting(text, s.renderer);
                 },
                 [](const Settings& s) { return std::string(platform::renderer_setting_name(s.renderer)); }});
    t.push_back({"motion",
                 "Motion: smooth draws a picture at every refresh of the display, with every\n"
                 "moving thing placed between its last two positions; original shows one\n"
                 "picture per game step (21.7 a second). The game plays the same in both.\n"
                 "The options screen's Smooth motion row sets it.",
                 "smooth or original",
                 [](const std::string& text, Settings& s, std::string&) { return parse_motion_mode(text, s.motion); },
                 [](const Settings& s) { return std::string(motion_mode_name(s.motion)); }});
    t.push_back(yes_no("autofire",
                       "\n"
                       "Firing: the ships fire once per press of the fire control (mouse button or\n"
                       "Space for player one, Ctrl, keypad 0 or a controller's A or right trigger for\n"
                       "player two, and for player one too in a game for one), so tap it; shots with\n"
                       "a reload need several presses. With autofire = yes a held fire control taps\n"
                       "by itself as fast as the game allows. The options screen sets it.",
                       &Settings::autofire));
    for (int job = 0; job < platform::kKeyJobCount; ++job) {
        const bool first = job == 0;
        t.push_back({platform::key_job(job).setting,
                     first ? "Keys of your own, by SDL key name (Up, W, Return, Left Shift, Keypad 0, ...;\n"
                             "several separated by commas), also chosen on the options screen's Controls.\n"
                             "A key named here does that job; keys named nowhere keep theirs, and the\n"
                             "keypad and a controller always work. Player two's keys steer player one\n"
                             "too in a game for one."
                           : "",
                     "a list of SDL key names",
                     [job](const std::string& text, Settings& s, std::string& note) {
                         return parse_key_list(text, s.keys[size_t(job)], note);
                     },
                     [job](const Settings& s) { return s.keys[size_t(job)]; }});
    }
    return t;
}

}  // namespace

const std::vector<SettingDescriptor>& setting_table() {
    static const std::vector<SettingDescriptor> table = make_table();
    return table;
}

const SettingDescriptor* find_setting(const std::string& key) {
    const std::string wanted = lower(key);
    for (const SettingDescriptor& d : setting_table())
        if (d.key == wanted) return &d;
    return nullptr;
}

namespace {
// Two jobs naming one key: the first job has it (platform::job_vkey_for_key).
void report_shared_keys(const Settings& s, std::vector<std::string>& problems) {
    std::vector<std::pair<int32_t, int>> seen;  // key code, job
    for (int job = 0; job < platform::kKeyJobCount; ++job) {
        std::vector<int32_t> codes;
        std::string bad;
        if (!platform::key_codes_for_names(s.keys[size_t(job)], codes, bad)) continue;
        for (int32_t code : codes) {
            const auto other =
                std::find_if(seen.begin(), seen.end(), [code](const auto& e) { return e.first == code; });
            if (other == seen.end()) {
                seen.emplace_back(code, job);
            } else if (other->second != job) {
                problems.push_back(std::string(platform::key_job(job).setting) + " and " +
                                   platform::key_job(other->second).setting + " name the same key; it does " +
                                   platform::key_job(other->second).setting);
            }
        }
    }
}

std::string home_directory() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) : std::string();
}

// The value of XDG_PICTURES_DIR in a user-dirs.dirs file: a shell assignment
// whose value may start with $HOME.
std::string pictures_from_user_dirs(const std::string& path, const std::string& home) {
    file_read::InputFile in(path, file_read::kMaxLineBytes);
    std::string line;
    while (std::getline(in, line)) {
        const std::string t = trim(line);
        const std::string prefix = "XDG_PICTURES_DIR=";
        if (t.rfind(prefix, 0) != 0) continue;
        std::string v = t.substr(prefix.size());
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        if (v.rfind("$HOME", 0) == 0) {
            if (home.empty()) return {};
            v = home + v.substr(5);
        }
        // The desktop's way of saying "no pictures directory" is $HOME itself.
        if (v.empty() || v[0] != '/' || v == home || v == home + "/") return {};
        return v;
    }
    return {};
}

// Makes `dir` and its parents; the reason it could not, or empty. The
// reason is the first directory's own: a read-only file system is said as
// such, not as the missing file that follows from it.
std::string make_directories(const std::string& dir) {
    if (dir.empty()) return {};
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return ec.message();
    if (!std::filesystem::is_directory(dir, ec)) return "not a directory";
    return {};
}

enum class ConfigRead { Whole, Missing, Cut, Unreadable };

// The text of the settings file; `problem` says why when it is not Whole (a
// Cut text holds what came before the cut).
ConfigRead read_config_text(const std::string& path, std::string& text, std::string& problem) {
    // A settings file is a few hundred bytes; a huge one is not ours.
    constexpr size_t kMaxBytes = size_t{1} << 20;
    text.clear();
    // No cap on a line: the cap on the whole bounds it, and a file ended by
    // carriage returns alone is one long line to the line cap.
    file_read::InputFile in(path);
    if (!in.is_open()) {
        if (in.error() == file_read::OpenError::Missing) return ConfigRead::Missing;
        problem = file_read::describe(in.error());
        return ConfigRead::Unreadable;
    }
    text.resize(kMaxBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    if (text.size() > kMaxBytes) {
        text.resize(kMaxBytes);
        problem = "larger than " + std::to_string(kMaxBytes) + " bytes; only the start is read";
        return ConfigRead::Cut;
    }
    return ConfigRead::Whole;
}

bool has(const std::vector<std::string>& given, const char* name) {
    return std::find(given.begin(), given.end(), name) != given.end();
}

}  // namespace

Settings parse_settings(const std::string& text, std::vector<std::string>& problems) {
    Settings s;
    const std::vector<std::string> lines = split_lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        const Entry e = parse_line(lines[i]);
        if (e.malformed) {
            problems.push_back(where + "not a 'key = value' line; ignored");
            continue;
        }
        if (e.key.empty()) continue;
        const SettingDescriptor* setting = find_setting(e.key);
        if (setting == nullptr) {
            problems.push_back(where + "unknown setting '" + e.key + "'; ignored");
            continue;
        }
        Settings attempt = s;
        std::string note;
        if (!setting->parse(e.value, attempt, note)) {
            // The default, not whatever an earlier line said: a broken line
            // must not silently resurrect an older choice.
            const Settings defaults;
            std::string unused;
            setting->parse(setting->print(defaults), s, unused);
            const std::string expected = note.empty() ? setting->expected : setting->expected + " (" + note + ")";
            problems.push_back(where + ranged_int::invalid_value(e.value, e.key, expected) + "; using " +
                               setting->print(defaults));
            continue;
        }
        if (!note.empty()) problems.push_back(where + e.key + ": " + note);
        s = attempt;
    }
    report_shared_keys(s, problems);
    return s;
}

std::string setting_text(const Settings& s, const std::string& key) {
    const SettingDescriptor* setting = find_setting(key);
    return setting != nullptr ? setting->print(s) : std::string();
}

std::string default_config_text(const Settings& s) {
    std::string text =
        "# Velmora settings: \"key = value\" lines; '#' starts a comment.\n"
        "# Options given on the command line win over these for that run.\n"
        "# The volumes are kept in the game's own preferences file, not here.\n"
        "# The game writes a choice made on its options screen here at once.\n"
        "\n";
    for (const SettingDescriptor& setting : setting_table()) {
        for (const std::string& line : split_lines(setting.comment)) text += line.empty() ? "\n" : "# " + line + "\n";
        text += setting.key + " =" + after_equals(setting.print(s)) + "\n";
    }
    return text;
}

std::string settings_help() {
    const Settings defaults;
    std::string text;
    for (const SettingDescriptor& setting : setting_table()) {
        std::string line = "  " + setting.key + " = " + setting.print(defaults);
        line.resize(std::max<size_t>(line.size() + 1, 40), ' ');
        text += line + setting.expected + "\n";
    }
    return text;
}

std::vector<std::string> setting_keys() {
    std::vector<std::string> keys;
    for (const SettingDescriptor& setting : setting_table()) keys.push_back(setting.key);
    return keys;
}

std::string set_config_value(const std::string& text, const std::string& key, const std::string& value) {
    std::vector<std::string> ends;
    std::vector<std::string> lines = split_lines(text, &ends);
    const std::string wanted = lower(key);
    for (size_t i = lines.size(); i-- > 0;) {
        const Entry e = parse_line(lines[i]);
        if (e.key != wanted) continue;
        std::string& line = lines[i];
        const size_t eq = line.find('=');
        std::string rest = line.substr(eq + 1);
        const size_t hash = comment_start(rest);
        std::string comment;
        if (hash != std::string::npos) {
            // Keep the white space in front of the comment as it was.
            size_t from = hash;
            while (from > 0 && std::isspace(static_cast<unsigned char>(rest[from - 1])) != 0) --from;
            comment = rest.substr(from);
        }
        // "key =#note" has no space before its comment: one is put there, or
        // the new value and the comment would read as one value.
        if (!comment.empty() && std::isspace(static_cast<unsigned char>(comment[0])) == 0) comment.insert(0, " ");
        line = line.substr(0, eq + 1) + after_equals(value) + comment;
        std::string out;
        for (size_t k = 0; k < lines.size(); ++k) out += lines[k] + ends[k];
        return out;
    }
    // A new key ends its line as the file's last ended line does.
    std::string end = "\n";
    for (size_t k = ends.size(); k-- > 0;) {
        if (ends[k].empty()) continue;
        end = ends[k];
        break;
    }
    std::string out = text;
    if (!ends.empty() && ends.back().empty()) out += end;
    return out + key + " =" + after_equals(value) + end;
}

std::string config_directory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/velmora";
    const std::string home = home_directory();
    return home.empty() ? std::string() : home + "/.config/velmora";
}

std::string config_file_path() {
    const std::string dir = config_directory();
    return dir.empty() ? std::string() : dir + "/velmora.cfg";
}

std::string pictures_directory() {
    const char* env = std::getenv("XDG_PICTURES_DIR");
    if (env != nullptr && env[0] == '/') return env;
    const std::string home = home_directory();
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string config_home =
        xdg != nullptr && xdg[0] == '/' ? std::string(xdg) : (home.empty() ? "" : home + "/.config");
    if (!config_home.empty()) {
        const std::string from_file = pictures_from_user_dirs(config_home + "/user-dirs.dirs", home);
        if (!from_file.empty()) return from_file;
    }
    return home.empty() ? std::string() : home + "/Pictures";
}

// ---- directories named in the settings ----

std::string expand_user_dir(const std::string& value) {
    if (value.empty()) return {};
    if (value[0] == '/') return value;
    std::string rest = value;
    if (value[0] == '~') {
        const size_t slash = value.find('/');
        const std::string user = value.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
        rest = slash == std::string::npos ? std::string() : value.substr(slash + 1);
        if (!user.empty()) {
            // ~name: that user's home.
            const passwd* entry = ::getpwnam(user.c_str());
            if (entry == nullptr || entry->pw_dir == nullptr || entry->pw_dir[0] != '/') return {};
            return rest.empty() ? std::string(entry->pw_dir) : std::string(entry->pw_dir) + "/" + rest;
        }
    }
    // Relative paths start at the home directory, not wherever the game runs.
    const std::string home = home_directory();
    if (home.empty()) return {};
    return rest.empty() ? home : home + "/" + rest;
}

// ---- the file ----

Settings load_settings(const std::string& path) {
    if (path.empty()) return {};
    std::string text, problem;
    if (read_config_text(path, text, problem) != ConfigRead::Whole) {
        if (!problem.empty()) std::fprintf(stderr, "velmora: %s: %s\n", path.c_str(), problem.c_str());
        // What was read before a cut still counts.
        if (text.empty()) return {};
    }
    std::vector<std::string> problems;
    Settings s = parse_settings(text, problems);
    for (const std::string& p : problems) std::fprintf(stderr, "velmora: %s: %s\n", path.c_str(), p.c_str());
    return s;
}

bool store_setting(const std::string& path, const Settings& settings, const std::string& key, std::string* why) {
    std::string reason;
    const auto fail = [&](const std::string& text) {
        if (why != nullptr) *why = text;
        return false;
    };
    if (path.empty()) return fail("no settings file (neither XDG_CONFIG_HOME nor HOME names a directory)");
    reason = make_directories(std::filesystem::path(path).parent_path().string());
    if (!reason.empty()) return fail(reason);
    if (atomic_write::link_end(path, &reason).empty()) return fail(reason);
    std::string text, problem;
    switch (read_config_text(path, text, problem)) {
        case ConfigRead::Whole: break;
        case ConfigRead::Missing: text = default_config_text(settings); break;
        // A file that cannot be read whole is not replaced by a part of it.
        default: return fail("it cannot be read whole (" + problem + ")");
    }
    reason = atomic_write::replace_file(path, set_config_value(text, key, setting_text(settings, key)));
    return reason.empty() || fail(reason);
}

namespace {
// The file as the player named it, and where its link ends when it is one.
std::string file_as_shown(const std::string& path) {
    const std::string end = atomic_write::link_end(path);
    return end.empty() || end == path ? path : path + " (a link to " + end + ")";
}

// What a write that failed left behind: it never touches the old file.
std::string what_was_kept(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec) ? "the file keeps the settings it held" : "no file was made";
}
}  // namespace

void prepare_settings_file(const std::string& path) {
    if (path.empty()) return;
    atomic_write::remove_stale_temporaries(path);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) return;
    std::string why;
    if (store_setting(path, Settings{}, "fullscreen", &why)) return;
    // A directory that cannot be written at all is said by the start-up
    // check (settings_place_problem), once for the settings and the volumes.
    if (!directory_write_problem(std::filesystem::path(path).parent_path().string()).empty()) return;
    const std::string text = "cannot create " + file_as_shown(path) + ": " + why +
                             "; the game starts with its default settings and choices made in the game last "
                             "only for this run";
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    std::string sentence = text + ".";
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    post_settings_notice(sentence);
}

std::string directory_write_problem(const std::string& dir) {
    if (dir.empty()) return "no such directory (neither XDG_CONFIG_HOME nor HOME names one)";
    const std::string made = make_directories(dir);
    if (!made.empty()) return made;
    std::string probe = dir + "/.velmora-probe.XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return std::strerror(errno);
    const bool ok = atomic_write::write_all(fd, "probe\n");
    const int error = errno;
    ::close(fd);
    ::unlink(probe.c_str());
    return ok ? std::string() : std::strerror(error);
}

std::vector<std::string> options_given(int argc, const char* const* argv) {
    std::vector<std::string> names;
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) == 0) names.push_back(arg.substr(0, arg.find('=')));
    }
    return names;
}

void apply_settings(const Settings& s, const std::vector<std::string>& given, LaunchOptions& options) {
    if (!has(given, "--windowed") && !has(given, "--fullscreen")) options.fullscreen = s.fullscreen;
    if (!has(given, "--display")) options.display = s.display;
    if (!has(given, "--scale")) options.scale = s.scale;
    if (!has(given, "--scaling")) options.scaling = s.scaling;
    options.renderer = s.renderer;
    if (!has(given, "--motion")) options.motion = s.motion;
}

namespace {
std::string& choices_path() {
    static std::string path;
    return path;
}

struct Notice {
    std::string text;
    bool posted = false;
};
Notice& settings_notice() {
    static Notice notice;
    return notice;
}
}  // namespace

Settings& choices() {
    static Settings settings;
    return settings;
}

void set_choices_file(const std::string& path) { choices_path() = path; }

const std::string& choices_file() { return choices_path(); }

bool remember_choice(const std::string& key) {
    if (choices_path().empty()) return true;
    const std::string& path = choices_path();
    std::string why;
    if (store_setting(path, choices(), key, &why)) return true;
    const std::string text = "cannot write " + key + " =" + after_equals(setting_text(choices(), key)) + " to " +
                             file_as_shown(path) + ": " + why + "; " + what_was_kept(path) +
                             " and the choice lasts only for this run";
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    post_settings_notice("Settings not saved: " + text);
    return false;
}

bool remember_display(int display) {
    if (choices_path().empty() || display < 0) return false;
    choices().display = display;
    return remember_choice("display");
}

void post_settings_notice(const std::string& text) {
    Notice& notice = settings_notice();
    if (notice.posted) return;
    notice.posted = true;
    notice.text = text;
}

std::string take_settings_notice() {
    std::string text;
    std::swap(text, settings_notice().text);
    return text;
}
