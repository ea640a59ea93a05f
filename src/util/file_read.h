// Opening files for reading, for everything the game and its tools read.
//
// Only regular files are opened: a FIFO blocks the open (or the first read)
// until a writer comes, a device such as /dev/zero never ends, and a directory
// reads as nothing. Text files are also read with a cap on the length of one
// line, so a file that is one endless line cannot grow memory without bound:
// reading ends before the first line longer than the cap, and the stream says
// so, for a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <streambuf>
#include <string>
#include <vector>

namespace file_read {

// Why a file could not be opened.
enum class OpenError {
    None,
    Missing,     // nothing there (or a path through a non-directory)
    Directory,
    NotRegular,  // a FIFO, a device or a socket
    Permission,
    Other,       // an I/O error, a loop of links, a name too long...
};

// "missing", "a directory", ..., for messages.
const char* describe(OpenError error);

// A read-only descriptor of the regular file at `path`, or -1 with the reason
// in `*why`. Never blocks, whatever `path` is.
int open_regular(const std::string& path, OpenError* why = nullptr);

// The same as a stdio stream ("rb"); null on failure.
std::FILE* fopen_regular(const std::string& path, OpenError* why = nullptr);

// The longest line the game's text files may hold (settings, preferences,
// input scripts, sprite definitions, levels). A level may be written on one
// line, so it is generous.
constexpr size_t kMaxLineBytes = size_t{1} << 20;

// "line N is longer than M bytes; ..." for a stream that stopped at it.
std::string long_line_message(long line, size_t max_line);

// The stream buffer of InputFile.
class FileBuf : public std::streambuf {
public:
    FileBuf() = default;
    ~FileBuf() override;
    FileBuf(const FileBuf&) = delete;
    FileBuf& operator=(const FileBuf&) = delete;

    bool open(const std::string& path, size_t max_line);
    bool is_open() const { return fd_ >= 0; }
    OpenError error() const { return error_; }
    bool line_too_long() const { return too_long_; }
    long long_line() const { return long_line_; }
    size_t max_line() const { return max_line_; }
    uint64_t size() const { return size_; }

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    // Reads more bytes after `filled_`; false at the end of the file.
    bool fill_more();
    int_type underflow_capped();

    int fd_ = -1;
    OpenError error_ = OpenError::None;
    size_t max_line_ = 0;  // 0: no cap, and the stream can seek
    uint64_t size_ = 0;
    std::vector<char> buf_;
    size_t filled_ = 0;   // bytes of buf_ holding file data
    size_t scanned_ = 0;  // of the partial line at buf_[0], how much holds no line feed
    bool at_end_ = false;
    bool too_long_ = false;
    long lines_passed_ = 0;  // line feeds handed out so far
    long long_line_ = 0;
};

// An input stream over a regular file, optionally with a cap on line length.
// Fails to open (and reads nothing, with failbit set) for anything else.
class InputFile : public std::istream {
public:
    explicit InputFile(const std::string& path, size_t max_line = 0);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool is_open() const { return buf_.is_open(); }
    OpenError error() const { return buf_.error(); }
    // Reading stopped before line long_line(), which is longer than the cap.
    bool line_too_long() const { return buf_.line_too_long(); }
    long long_line() const { return buf_.long_line(); }
    size_t max_line() const { return buf_.max_line(); }
    uint64_t size() const { return buf_.size(); }

private:
    FileBuf buf_;
};

// When `in` stopped at an over-long line: says so on standard error, naming
// `path`, and returns true.
bool warn_if_cut(const std::string& path, const InputFile& in);

// Up to `limit` bytes of the regular file at `path`; false (with the reason)
// when it cannot be opened.
bool read_prefix(const std::string& path, uint64_t limit, std::vector<uint8_t>& out, OpenError* why = nullptr);

}  // namespace file_read
