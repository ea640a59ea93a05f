// Damage inside files the game still loads: size fields that lie, tables
// and pixels cut short, colour indices with no colour, modules whose samples
// or patterns run past the end. The game copes with all of these (it reads
// what is there), so only a close look at the bytes finds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/data_check.h"

namespace data_check {

struct Context;

struct Damage {
    Severity severity = Severity::Warning;
    std::string message;
};

// A bitmap the game's loader accepted (8- or 24-bit, uncompressed), as the
// loader reads it: colour table after the info header, pixels after the table.
std::vector<Damage> bitmap_damage(const std::vector<uint8_t>& file);

// A module with the "SCRM" signature; nothing for other formats.
std::vector<Damage> s3m_damage(const std::vector<uint8_t>& file);

// Files larger than this are looked at only this far (no picture or module
// the game can use comes near it).
constexpr uint64_t kMaxInspectedBytes = uint64_t{256} << 20;

// The first `limit` bytes of a file (empty when it cannot be read).
std::vector<uint8_t> read_bytes(const std::string& path, uint64_t limit);

// Puts each damage on `rel` in the report.
void report_damage(Context& ctx, const std::string& rel, const std::vector<Damage>& found);

}  // namespace data_check
