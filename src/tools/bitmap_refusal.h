// Why the game's bitmap loader refuses a file, told from its headers, with
// how to save a picture the game reads instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace data_check {

// The reason for the first `bytes` of a file (its headers suffice).
std::string bitmap_refusal(const std::vector<uint8_t>& bytes);

// The reason for the file at `path`, including that it cannot be opened.
std::string bitmap_refusal_of_file(const std::string& path);

}  // namespace data_check
