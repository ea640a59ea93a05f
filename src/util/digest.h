// A fast 64-bit digest of bytes, the same on every machine (bytes are read
// little-endian whatever the processor). For telling data sets and game
// states apart, not for security.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

uint64_t digest_bytes(const void* data, size_t size, uint64_t seed = 0);
inline uint64_t digest_text(const std::string& text, uint64_t seed = 0) {
    return digest_bytes(text.data(), text.size(), seed);
}

// Sixteen lower-case hexadecimal digits.
std::string digest_hex(uint64_t digest);

