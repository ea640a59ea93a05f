// What the two machines of a network game compare before they start: one
// digest over every file of the data directory, and the list of files it
// was made from, for naming the first that differs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "net/message.h"

namespace net {

struct DataDigest {
    uint64_t digest = 0;
    uint32_t files = 0;
    uint64_t bytes = 0;
    // Every file in path order: its path and the digest of its path, size
    // and contents (what the agreement names a differing file by).
    std::vector<DataEntry> entries;
};

// Every regular file under `dir`, by its path relative to `dir` in byte order:
// the path, the size and the contents. Left out: hidden names (starting with
// '.') and the volumes file the game writes into its data directory
// ("Other/Preferences.txt" and its temporaries), which differ between players
// and which play does not read. False with `error` when a file cannot be read.
bool digest_data_dir(const std::string& dir, DataDigest& out, std::string& error);

}  // namespace net
