#include "support/temp_dir.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made ? made : "";
}

TempDir::~TempDir() {
    if (!path_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
}

ScopedChdir::ScopedChdir(const std::string& dir) {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
    if (::chdir(dir.c_str()) != 0) previous_.clear();
}

ScopedChdir::~ScopedChdir() {
    if (!previous_.empty() && ::chdir(previous_.c_str()) != 0) {
        // Nothing sensible to do in a destructor; the next test starts from wherever we are.
    }
}

void ScopedEnv::set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
    if (value != nullptr) ::setenv(name, value, 1);
    else ::unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->had) ::setenv(it->name.c_str(), it->value.c_str(), 1);
        else ::unsetenv(it->name.c_str());
    }
}
