#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fuzz {

const std::string& scratch_dir() {
    static const std::string dir = [] {
        // Memory-backed when the system has it: every input is a file write,
        // and a disk file system may flush rewritten files on close.
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                           : std::filesystem::temp_directory_path();
        std::string pattern = (base / "velmora-fuzz-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        if (made == nullptr) std::abort();  // nothing can be fuzzed without it
        return std::string(made);
    }();
    return dir;
}

bool write_bytes(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

void make_dirs(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
}

}  // namespace fuzz
