// Writing 8-bit RGB pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width * height pixels of 3 bytes (red, green, blue), rows top-down.
bool write_png_rgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
