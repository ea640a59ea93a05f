#include "util/digest.h"

#include <cstdio>

namespace {
constexpr uint64_t kP1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kP3 = 0x165667B19E3779F9ULL;
constexpr uint64_t kP4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t kP5 = 0x27D4EB2F165667C5ULL;

uint64_t rotl(uint64_t v, int r) { return (v << r) | (v >> (64 - r)); }

uint64_t read64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= uint64_t(p[i]) << (8 * i);
    return v;
}

uint64_t round(uint64_t acc, uint64_t word) { return rotl(acc + word * kP2, 31) * kP1; }
}  // namespace

uint64_t digest_bytes(const void* data, size_t size, uint64_t seed) {
    const auto* p = static_cast<const uint8_t*>(data);
    const uint8_t* const end = p + size;
    uint64_t h = 0;
    if (size >= 32) {
        // Four independent lanes keep the multiplier busy.
        uint64_t v[4] = {seed + kP1 + kP2, seed + kP2, seed, seed - kP1};
        for (; end - p >= 32; p += 32)
            for (int i = 0; i < 4; ++i) v[i] = round(v[i], read64(p + 8 * i));
        h = rotl(v[0], 1) + rotl(v[1], 7) + rotl(v[2], 12) + rotl(v[3], 18);
        for (const uint64_t lane : v) h = (h ^ round(0, lane)) * kP1 + kP4;
    } else {
        h = seed + kP5;
    }
    h += static_cast<uint64_t>(size);
    for (; end - p >= 8; p += 8) h = rotl(h ^ round(0, read64(p)), 27) * kP1 + kP4;
    for (; p < end; ++p) h = rotl(h ^ (uint64_t(*p) * kP5), 11) * kP1;
    h ^= h >> 33;
    h *= kP2;
    h ^= h >> 29;
    h *= kP3;
    h ^= h >> 32;
    return h;
}

std::string digest_hex(uint64_t digest) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
    return text;
}

