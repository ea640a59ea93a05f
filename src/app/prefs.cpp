// The two volumes, kept between runs in a small text file: the effect volume
// and the music volume, one decimal number a line.
//
// Two places can hold it: "Other/Preferences.txt" in the data directory, for a
// data directory of the player's own (given with --data or VELMORA_DATA, or
// data/ beside the program) that can be written; and
// $XDG_CONFIG_HOME/velmora/Preferences.txt, for the installed data (never
// written, even by root) and whenever the data directory's file cannot be
// written. Where both exist, the one saved last holds the volumes.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/Velmora_Win.h"
#include "platform/platform.h"
#include "state/globals.h"
#include "util/atomic_write.h"
#include "util/file_read.h"

bool Velmora_Win::installed_data = false;
bool Velmora_Win::prefs_unsaved = false;

namespace {
const char* const kDataPrefs = "Other/Preferences.txt";
const char* const kPrefsName = "Preferences.txt";

bool regular_file(const std::string& path, struct stat* out = nullptr) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (out != nullptr) *out = st;
    return true;
}

// The data directory (the current directory) may hold the file: it is not
// the installed data, and "Other" is a writable directory, or is missing and
// can be made.
bool data_dir_usable() {
    if (Velmora_Win::installed_data) return false;
    struct stat st {};
    if (::stat("Other", &st) == 0) return S_ISDIR(st.st_mode) && ::access("Other", W_OK) == 0;
    return errno == ENOENT && ::access(".", W_OK) == 0;
}

// $XDG_CONFIG_HOME/velmora/Preferences.txt (default ~/.config); empty when
// neither variable gives an absolute directory.
std::string config_prefs_path() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return {};
        base = std::string(home) + "/.config";
    }
    return base + "/velmora/" + kPrefsName;
}

// The path as a player can find it (the data file is relative to the data
// directory the program runs in), and where it leads when it is a link.
std::string shown_path(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string shown = ec ? path : absolute.string();
    const std::string end = atomic_write::link_end(path);
    return end.empty() || end == path ? shown : shown + " (a link to " + end + ")";
}

// Writes the volumes to a sibling temporary file and renames it over `path`
// (through a symbolic link, to the file it ends at), so the old file stays
// whole until the new one is complete. Returns the reason it failed, or the
// empty string.
std::string replace_prefs_file(const std::string& path) {
    const std::filesystem::path dir = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    return atomic_write::replace_file(path, std::to_string(fxvolume) + "\n" + std::to_string(musicvolume) + "\n");
}

bool newer(const struct stat& a, const struct stat& b) {
    if (a.st_mtim.tv_sec != b.st_mtim.tv_sec) return a.st_mtim.tv_sec > b.st_mtim.tv_sec;
    return a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

// What could not be saved, on standard error and, with a window, in a box.
void report_unsaved(const std::string& text) {
    Velmora_Win::prefs_unsaved = true;
    if (platform::has_backend() && !platform::backend().headless()) {
        std::string sentence = text;
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
        platform::backend().message_box("Velmora", sentence);  // also on standard error
    } else {
        std::fprintf(stderr, "velmora: %s\n", text.c_str());
    }
}
}  // namespace

std::string Velmora_Win::prefs_path() {
    if (data_dir_usable()) return kDataPrefs;
    std::string config = config_prefs_path();
    if (!config.empty() || installed_data) return config;
    return kDataPrefs;
}

std::string Velmora_Win::prefs_read_path() {
    const std::string config = config_prefs_path();
    struct stat data_st {}, config_st {};
    const bool data_ok = regular_file(kDataPrefs, &data_st);
    const bool config_ok = !config.empty() && regular_file(config, &config_st);
    if (data_dir_usable()) {
        // A save that could not replace the data directory's file went to the
        // configuration directory: the newer of the two is the last one saved.
        if (config_ok && (!data_ok || newer(config_st, data_st))) return config;
        return data_ok ? kDataPrefs : std::string();
    }
    // A read-only data set may ship its own defaults beside the game's data.
    if (config_ok) return config;
    return data_ok ? kDataPrefs : std::string();
}

void Velmora_Win::load_prefs() {
    if (data_dir_usable()) atomic_write::remove_stale_temporaries(kDataPrefs);
    const std::string config = config_prefs_path();
    if (!config.empty()) atomic_write::remove_stale_temporaries(config);

    const std::string path = prefs_read_path();
    file_read::InputFile in(path, file_read::kMaxLineBytes);
    if (path.empty() || !in.is_open()) {
        fxvolume = 10;
        musicvolume = 10;
        return;
    }
    // A value that cannot be read leaves the variable (and the next one) as it
    // was. Read into a temporary: a failed extraction would store 0 or a limit.
    long value = 0;
    if (!(in >> value)) return;
    fxvolume = value;
    if (!(in >> value)) return;
    musicvolume = value;
}

void Velmora_Win::save_prefs() {
    prefs_unsaved = false;
    std::vector<std::string> places;
    if (data_dir_usable()) places.emplace_back(kDataPrefs);
    const std::string config = config_prefs_path();
    if (!config.empty()) places.push_back(config);
    if (places.empty()) {
        report_unsaved(installed_data ? "the volumes could not be saved: no home directory (set HOME or XDG_CONFIG_HOME)"
                                      : "the volumes could not be saved: no home directory and no writable "
                                        "Other directory in the data directory");
        return;
    }
    std::string failures;
    for (const std::string& path : places) {
        const std::string error = replace_prefs_file(path);
        if (error.empty()) {
            if (!failures.empty())
                std::fprintf(stderr, "velmora: cannot save the volumes in %s; saved them in %s\n", failures.c_str(),
                             shown_path(path).c_str());
            return;
        }
        if (!failures.empty()) failures += "; nor in ";
        failures += shown_path(path) + " (" + error + ")";
    }
    report_unsaved("the volumes could not be saved in " + failures +
                   ". Free some disk space or make one of these writable; until then the game starts with the "
                   "volumes saved before.");
}
