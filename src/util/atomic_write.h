// Replacing a small file whole: the settings file and the volumes' file are
// written to a temporary file beside the one they replace and renamed over it,
// so a crash, a kill or a full disk leaves the old file or the new one, never
// a part. A file that is a symbolic link (as dotfile managers make) stays one:
// the file it ends at is the one replaced.
#pragma once

#include <ctime>
#include <string>

namespace atomic_write {

// How old a temporary file must be before it is taken for a killed writer's:
// a younger one may belong to another copy of the game saving at this moment.
constexpr time_t kStaleSeconds = 60;

// The file that writing `path` changes: where its chain of symbolic links
// ends (a link relative to its own directory), or `path` itself when it is
// not a link. A missing end is returned as it is: writing creates it. Empty,
// with the reason in `*why`, for a loop of links or an unreadable one.
std::string link_end(const std::string& path, std::string* why = nullptr);

// Writes all of `text` to `fd`; false with errno set (a write of nothing is
// taken for a full disk).
bool write_all(int fd, const std::string& text);

// Makes the file at the end of `path`'s links hold `text`, through a
// temporary file "<name>.XXXXXX" beside it that is flushed and renamed over
// it. An existing file keeps its permissions; a new one gets 0644. The
// reason it failed (strerror's text), or empty; on failure the old file is
// untouched and no temporary file is left.
std::string replace_file(const std::string& path, const std::string& text);

// Removes the temporary files writers killed before their rename left beside
// `path` and beside the end of its links: regular files named "<name>." and
// six letters or digits, at least `min_age` seconds old. How many went.
int remove_stale_temporaries(const std::string& path, time_t min_age = kStaleSeconds);

}  // namespace atomic_write
