#include "util/atomic_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace atomic_write {
namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

std::string directory_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "<name>." and the six characters mkstemp adds.
bool is_temporary_of(const char* entry, const std::string& name) {
    if (std::strncmp(entry, name.c_str(), name.size()) != 0 || entry[name.size()] != '.') return false;
    const char* suffix = entry + name.size() + 1;
    if (std::strlen(suffix) != 6) return false;
    for (const char* c = suffix; *c != '\0'; ++c)
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))) return false;
    return true;
}

int remove_in(const std::string& dir, const std::string& name, time_t min_age) {
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return 0;
    const time_t now = std::time(nullptr);
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(d)) {
        if (!is_temporary_of(entry->d_name, name)) continue;
        const std::string path = dir + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= min_age)
            stale.push_back(path);
    }
    ::closedir(d);
    int removed = 0;
    for (const std::string& path : stale) removed += ::unlink(path.c_str()) == 0 ? 1 : 0;
    return removed;
}

}  // namespace

std::string link_end(const std::string& path, std::string* why) {
    std::string current = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        // Missing, or not to be reached: the write that follows says why.
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) {
            if (why != nullptr) *why = std::strerror(n < 0 ? errno : (n == 0 ? ENOENT : ENAMETOOLONG));
            return {};
        }
        target.resize(static_cast<size_t>(n));
        // A relative link starts from the directory that holds it.
        if (target[0] != '/' && current.find('/') != std::string::npos) {
            const std::string dir = directory_of(current);
            target = (dir == "/" ? dir : dir + "/") + target;
        }
        current = target;
    }
    if (why != nullptr) *why = std::strerror(ELOOP);
    return {};
}

bool write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string replace_file(const std::string& path, const std::string& text) {
    std::string why;
    const std::string target = link_end(path, &why);
    if (target.empty()) return why;
    // A file the player made private stays private.
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;

    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return std::strerror(errno);
    bool ok = ::fchmod(fd, mode) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return std::strerror(error);
    }
    // Make the rename itself durable.
    const int dfd = ::open(directory_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

int remove_stale_temporaries(const std::string& path, time_t min_age) {
    int removed = remove_in(directory_of(path), name_of(path), min_age);
    const std::string end = link_end(path);
    if (!end.empty() && end != path) removed += remove_in(directory_of(end), name_of(end), min_age);
    return removed;
}

}  // namespace atomic_write
