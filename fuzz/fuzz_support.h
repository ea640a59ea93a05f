// Shared pieces of the fuzz targets: a scratch directory that lives as long as
// the process, and whole-file writes into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A private directory made on first use, in memory where possible (and left
// for the system's temporary-file cleaning: a fuzzer ends by exit).
const std::string& scratch_dir();

// Writes `size` bytes to `path` (truncating). False when it could not.
bool write_bytes(const std::string& path, const uint8_t* data, size_t size);

// Makes `path` and its parents.
void make_dirs(const std::string& path);

}  // namespace fuzz
