// Text data files (sprite definitions, level layouts) and wave files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

// A sprite definition: one (xoffset, yoffset) pair per frame, one pair a line.
struct FrameOffset {
    int x = 0;
    int y = 0;
};
std::string encode_spt(const std::vector<FrameOffset>& offsets);

// One level record: x, y, layer, sprite name.
struct LevelRecord {
    int x = 0;
    int y = 0;
    int layer = 0;
    std::string name;
};
std::string encode_lvl(const std::vector<LevelRecord>& records);

// PCM wave file. `samples` are interleaved by channel. 8-bit data is written
// unsigned as the format requires (the caller gives signed values -128..127).
struct WaveOptions {
    int channels = 1;
    int rate = 22050;
    int bits = 16;                // 8 or 16
    bool extensible_fmt = false;  // write an 18-byte (cbSize 0) "fmt " chunk, tag 1
    int fmt_extra_bytes = -1;     // >= 0: a non-PCM tag 0xFFFE with this many extra bytes
    int32_t data_size_override = -1;  // lie about the data chunk's size
};
std::vector<uint8_t> encode_wav(const std::vector<int16_t>& samples, const WaveOptions& options = {});

bool write_text(const std::string& path, const std::string& text);
// Creates a directory and its parents; true when it exists afterwards.
bool make_directories(const std::string& path);

}  // namespace writers
