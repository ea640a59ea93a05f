#include "util/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace file_read {

namespace {

constexpr size_t kChunk = size_t{64} << 10;

OpenError from_errno(int e) {
    switch (e) {
        case ENOENT:
        case ENOTDIR: return OpenError::Missing;
        case EACCES:
        case EPERM: return OpenError::Permission;
        case EISDIR: return OpenError::Directory;
        default: return OpenError::Other;
    }
}

OpenError from_mode(mode_t mode) {
    if (S_ISREG(mode)) return OpenError::None;
    return S_ISDIR(mode) ? OpenError::Directory : OpenError::NotRegular;
}

}  // namespace

const char* describe(OpenError error) {
    switch (error) {
        case OpenError::None: return "readable";
        case OpenError::Missing: return "missing";
        case OpenError::Directory: return "a directory, not a file";
        case OpenError::NotRegular: return "not a regular file (a FIFO, device or socket)";
        case OpenError::Permission: return "cannot be read (permission)";
        default: return "cannot be read";
    }
}

int open_regular(const std::string& path, OpenError* why) {
    OpenError unused;
    OpenError& error = why != nullptr ? *why : unused;
    // Looked at before opening: opening some devices does something.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = from_errno(errno);
        return -1;
    }
    if ((error = from_mode(st.st_mode)) != OpenError::None) return -1;
    // Non-blocking, in case it became a FIFO since; checked again once open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = from_errno(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || (error = from_mode(st.st_mode)) != OpenError::None) {
        if (error == OpenError::None) error = OpenError::Other;
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    error = OpenError::None;
    return fd;
}

std::FILE* fopen_regular(const std::string& path, OpenError* why) {
    const int fd = open_regular(path, why);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "rb");
    if (f == nullptr) {
        ::close(fd);
        if (why != nullptr) *why = OpenError::Other;
    }
    return f;
}

std::string long_line_message(long line, size_t max_line) {
    return "line " + std::to_string(line) + " is longer than " + std::to_string(max_line) +
           " bytes; the file is read only up to that line";
}

FileBuf::~FileBuf() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileBuf::open(const std::string& path, size_t max_line) {
    fd_ = open_regular(path, &error_);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && st.st_size > 0) size_ = uint64_t(st.st_size);
    max_line_ = max_line;
    // Most of the game's files are small: no more buffer than they need.
    buf_.resize(static_cast<size_t>(std::clamp<uint64_t>(size_ + 1, 4096, kChunk)));
    setg(buf_.data(), buf_.data(), buf_.data());
    return true;
}

bool FileBuf::fill_more() {
    if (at_end_) return false;
    if (filled_ == buf_.size()) buf_.resize(std::max(buf_.size() * 2, filled_ + kChunk));
    for (;;) {
        const ssize_t n = ::read(fd_, buf_.data() + filled_, buf_.size() - filled_);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {  // the end, or an error that ends the reading the same way
            at_end_ = true;
            return false;
        }
        filled_ += static_cast<size_t>(n);
        return true;
    }
}

FileBuf::int_type FileBuf::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (fd_ < 0) return traits_type::eof();
    if (max_line_ > 0) return underflow_capped();
    filled_ = 0;
    if (!fill_more()) return traits_type::eof();
    setg(buf_.data(), buf_.data(), buf_.data() + filled_);
    return traits_type::to_int_type(*gptr());
}

// Hands out whole lines only, so a line that proves too long is never partly
// read: the bytes before it are all the stream holds.
FileBuf::int_type FileBuf::underflow_capped() {
    if (too_long_) return traits_type::eof();
    // Drop what was handed out; the partial line moves to the front.
    const size_t handed = static_cast<size_t>(egptr() - eback());
    if (handed > 0) {
        std::memmove(buf_.data(), buf_.data() + handed, filled_ - handed);
        filled_ -= handed;
        scanned_ = 0;
    }
    for (;;) {
        // Complete lines at the front, each within the cap, end at `start`.
        size_t start = 0;
        bool over = false;
        for (;;) {
            const size_t from = start == 0 ? scanned_ : start;
            const void* nl = from < filled_ ? std::memchr(buf_.data() + from, '\n', filled_ - from) : nullptr;
            if (nl == nullptr) {
                over = filled_ - start > max_line_;
                break;
            }
            const size_t at = static_cast<size_t>(static_cast<const char*>(nl) - buf_.data());
            if (at - start > max_line_) {
                over = true;
                break;
            }
            ++lines_passed_;
            start = at + 1;
        }
        if (over) {
            too_long_ = true;
            long_line_ = lines_passed_ + 1;
        }
        // The last line, without a line feed, once the file has ended.
        const size_t give = !over && start == 0 && at_end_ ? filled_ : start;
        if (give > 0) {
            setg(buf_.data(), buf_.data(), buf_.data() + give);
            return traits_type::to_int_type(*gptr());
        }
        if (over || at_end_) {
            setg(buf_.data(), buf_.data(), buf_.data());
            return traits_type::eof();
        }
        scanned_ = filled_;  // the partial line holds no line feed so far
        fill_more();
    }
}

FileBuf::pos_type FileBuf::seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) {
    if (fd_ < 0 || max_line_ > 0 || (which & std::ios_base::in) == 0) return pos_type(off_type(-1));
    if (dir == std::ios_base::cur) off -= static_cast<off_type>(egptr() - gptr());
    const int whence = dir == std::ios_base::beg ? SEEK_SET : dir == std::ios_base::cur ? SEEK_CUR : SEEK_END;
    const off_t at = ::lseek(fd_, static_cast<off_t>(off), whence);
    if (at < 0) return pos_type(off_type(-1));
    filled_ = 0;
    at_end_ = false;
    setg(buf_.data(), buf_.data(), buf_.data());
    return pos_type(static_cast<off_type>(at));
}

FileBuf::pos_type FileBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
    return seekoff(off_type(pos), std::ios_base::beg, which);
}

InputFile::InputFile(const std::string& path, size_t max_line) : std::istream(nullptr) {
    const bool opened = buf_.open(path, max_line);
    rdbuf(&buf_);
    if (!opened) setstate(std::ios_base::failbit);
}

bool warn_if_cut(const std::string& path, const InputFile& in) {
    if (!in.line_too_long()) return false;
    std::fprintf(stderr, "velmora: %s: %s\n", path.c_str(), long_line_message(in.long_line(), in.max_line()).c_str());
    return true;
}

bool read_prefix(const std::string& path, uint64_t limit, std::vector<uint8_t>& out, OpenError* why) {
    out.clear();
    const int fd = open_regular(path, why);
    if (fd < 0) return false;
    uint8_t chunk[kChunk];
    while (out.size() < limit) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, limit - out.size()));
        const ssize_t n = ::read(fd, chunk, want);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.insert(out.end(), chunk, chunk + n);
    }
    ::close(fd);
    return true;
}

}  // namespace file_read
