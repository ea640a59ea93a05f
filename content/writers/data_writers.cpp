#include "writers/data_writers.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "writers/bmp_writer.h"

namespace writers {

std::string encode_spt(const std::vector<FrameOffset>& offsets) {
    std::string out;
    for (const FrameOffset& o : offsets) out += std::to_string(o.x) + " " + std::to_string(o.y) + "\n";
    return out;
}

std::string encode_lvl(const std::vector<LevelRecord>& records) {
    std::string out;
    for (const LevelRecord& r : records)
        out += std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.layer) + " " +
               r.name + "\n";
    return out;
}

namespace {
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void put_tag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> encode_wav(const std::vector<int16_t>& samples, const WaveOptions& o) {
    std::vector<uint8_t> data;
    if (o.bits == 8) {
        for (int16_t s : samples) data.push_back(uint8_t(int(s) + 128));
    } else {
        for (int16_t s : samples) put16(data, uint16_t(s));
    }
    const int block = o.channels * (o.bits / 8);
    std::vector<uint8_t> fmt;
    const bool non_pcm = o.fmt_extra_bytes >= 0;
    put16(fmt, non_pcm ? 0xFFFE : 1);
    put16(fmt, uint32_t(o.channels));
    put32(fmt, uint32_t(o.rate));
    put32(fmt, uint32_t(o.rate * block));
    put16(fmt, uint32_t(block));
    put16(fmt, uint32_t(o.bits));
    if (non_pcm) {
        put16(fmt, uint32_t(o.fmt_extra_bytes));
        for (int i = 0; i < o.fmt_extra_bytes; ++i) fmt.push_back(uint8_t(i));
    } else if (o.extensible_fmt) {
        put16(fmt, 0);
    }

    std::vector<uint8_t> out;
    put_tag(out, "RIFF");
    const uint32_t data_field = o.data_size_override >= 0 ? uint32_t(o.data_size_override) : uint32_t(data.size());
    const uint32_t riff_size = 4 + 8 + uint32_t(fmt.size()) + (fmt.size() & 1) + 8 + uint32_t(data.size()) + (data.size() & 1);
    put32(out, riff_size);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, uint32_t(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    if (fmt.size() & 1) out.push_back(0);
    put_tag(out, "data");
    put32(out, data_field);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1) out.push_back(0);
    return out;
}

bool write_text(const std::string& path, const std::string& text) {
    return write_file(path, std::vector<uint8_t>(text.begin(), text.end()));
}

bool make_directories(const std::string& path) {
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && partial != "/") {
                if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
            }
        }
        if (i < path.size()) partial += path[i];
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace writers
