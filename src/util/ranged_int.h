// Whole numbers in text people write: command-line values, settings, script
// lines, data files. One rule everywhere: an optional sign, then decimal digits
// (or "0x" and hexadecimal digits where allowed); no spaces. One message for a
// value that is not such a number in its range.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ranged_int {

enum class Scan { Ok, NotANumber, OutOfRange };

// Reads a number starting at `pos`: on Ok, `out` is set and `pos` is past its
// last digit (whatever follows is left for the caller); otherwise neither
// changes. Digits beyond the range make it OutOfRange, not a shorter number.
Scan scan(std::string_view text, size_t& pos, long long low, long long high, long long& out, bool hex = false);

// The whole of `text` as a number within [low, high].
bool parse(std::string_view text, long long low, long long high, long long& out, bool hex = false);

template <typename Int>
bool parse(std::string_view text, long long low, long long high, Int& out, bool hex = false) {
    long long value = 0;
    if (!parse(text, low, high, value, hex)) return false;
    out = static_cast<Int>(value);
    return true;
}

// "0..16": how messages name a range.
std::string range_text(long long low, long long high);

// The message for a value that cannot be used:
// "invalid value 'abc' for --scale (expected 0..16)".
std::string invalid_value(std::string_view text, std::string_view what, std::string_view expected);

}  // namespace ranged_int
