#include "util/ranged_int.h"

#include <limits>

namespace ranged_int {

namespace {
int digit_value(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

Scan scan(std::string_view text, size_t& pos, long long low, long long high, long long& out, bool hex) {
    size_t i = pos;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    int base = 10;
    if (hex && i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        digit_value(text[i + 2], 16) >= 0) {
        base = 16;
        i += 2;
    }
    if (i == text.size() || digit_value(text[i], base) < 0) return Scan::NotANumber;
    // The magnitude in unsigned arithmetic, so the most negative value fits.
    const unsigned long long limit = negative ? 0ULL - static_cast<unsigned long long>(std::numeric_limits<long long>::min())
                                              : static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    unsigned long long magnitude = 0;
    bool over = false;
    for (int d = 0; i < text.size() && (d = digit_value(text[i], base)) >= 0; ++i) {
        const auto digit = static_cast<unsigned long long>(d);
        if (magnitude > (limit - digit) / static_cast<unsigned long long>(base)) over = true;
        if (!over) magnitude = magnitude * static_cast<unsigned long long>(base) + digit;
    }
    if (over) return Scan::OutOfRange;
    const long long value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
    if (value < low || value > high) return Scan::OutOfRange;
    out = value;
    pos = i;
    return Scan::Ok;
}

bool parse(std::string_view text, long long low, long long high, long long& out, bool hex) {
    size_t pos = 0;
    long long value = 0;
    if (scan(text, pos, low, high, value, hex) != Scan::Ok || pos != text.size()) return false;
    out = value;
    return true;
}

std::string range_text(long long low, long long high) { return std::to_string(low) + ".." + std::to_string(high); }

std::string invalid_value(std::string_view text, std::string_view what, std::string_view expected) {
    return "invalid value '" + std::string(text) + "' for " + std::string(what) + " (expected " +
           std::string(expected) + ")";
}

}  // namespace ranged_int
