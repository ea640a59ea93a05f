// The two volumes, kept between runs in a small text file: the effect volume
// and the music volume, one decimal number a line.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <filesystem>
#include <system_error>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "util/file_read.h"

namespace {
const char* const kDataPrefs = "Other/Preferences.txt";

bool is_directory(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// The data directory (the current directory) can hold the file: "Other" is a
// writable directory, or is missing and can be made.
bool data_dir_writable() {
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
    return base + "/velmora/Preferences.txt";
}

bool write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes the volumes to a sibling temporary file, flushes it to the disk and
// renames it over `path`, so the old file stays whole until the new one is
// complete.
bool replace_prefs_file(const std::string& path) {
    const std::string text = std::to_string(fxvolume) + "\n" + std::to_string(musicvolume) + "\n";
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, 0644) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const std::string dir = std::filesystem::path(path).parent_path().string();
    const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
}  // namespace

std::string Velmora_Win::prefs_path() {
    if (data_dir_writable()) return kDataPrefs;
    std::string config = config_prefs_path();
    return config.empty() ? kDataPrefs : config;
}

void Velmora_Win::load_prefs() {
    std::string path = prefs_path();
    // A read-only data set may ship its own defaults beside the game's data.
    std::error_code ec;
    if (path != kDataPrefs && !std::filesystem::exists(path, ec)) path = kDataPrefs;

    file_read::InputFile in(path, file_read::kMaxLineBytes);
    if (!in.is_open() || is_directory(path.c_str())) {
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
    const std::string path = prefs_path();
    const std::filesystem::path dir = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    // A file that cannot be written loses the change silently.
    replace_prefs_file(path);
}
