#include "net/data_digest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "util/digest.h"

namespace net {
namespace {
namespace fs = std::filesystem;

bool left_out(const std::string& relative) {
    if (relative.rfind("Other/Preferences.txt", 0) == 0) return true;
    for (size_t start = 0; start < relative.size();) {
        if (relative[start] == '.') return true;
        const size_t slash = relative.find('/', start);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return false;
}

bool read_whole(const std::string& path, std::vector<uint8_t>& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    out.clear();
    if (ok) out.reserve(static_cast<size_t>(st.st_size));
    uint8_t buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        out.insert(out.end(), buffer, buffer + n);
    }
    ::close(fd);
    return ok;
}

// A path as it can travel and be shown: other bytes become '?'.
std::string printable_path(const std::string& relative) {
    std::string out = relative.substr(0, kMaxPathBytes);
    for (char& c : out)
        if (c < 0x20 || c > 0x7E) c = '?';
    return out;
}

void put_u64(std::vector<uint8_t>& out, uint64_t v) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

bool digest_data_dir(const std::string& dir, DataDigest& out, std::string& error) {
    std::error_code ec;
    std::vector<std::string> files;
    fs::recursive_directory_iterator it(dir, ec), end;
    if (ec) {
        error = "cannot read the data directory '" + dir + "'";
        return false;
    }
    for (; it != end; it.increment(ec)) {
        if (ec) break;
        const std::string relative = it->path().lexically_relative(dir).generic_string();
        if (left_out(relative)) {
            if (it->is_directory(ec)) it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(ec)) files.push_back(relative);
    }
    if (ec) {
        error = "cannot list the data directory '" + dir + "': " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());

    // Path, size and contents digest of every file, then one digest of that list.
    std::vector<uint8_t> listing;
    std::vector<uint8_t> contents;
    DataDigest result;
    for (const std::string& relative : files) {
        if (!read_whole(dir + "/" + relative, contents)) {
            error = "cannot read data file '" + relative + "'";
            return false;
        }
        const size_t from = listing.size();
        listing.insert(listing.end(), relative.begin(), relative.end());
        listing.push_back(0);
        put_u64(listing, contents.size());
        put_u64(listing, digest_bytes(contents.data(), contents.size()));
        result.entries.push_back(DataEntry{printable_path(relative), digest_bytes(listing.data() + from, listing.size() - from)});
        result.bytes += contents.size();
        ++result.files;
    }
    result.digest = digest_bytes(listing.data(), listing.size());
    out = result;
    return true;
}

}  // namespace net
