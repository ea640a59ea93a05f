#include "audio/wave.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "util/file_read.h"

// Chunk sizes in a file are not trusted: every search and read is bounded by
// the enclosing chunk and by the end of the file, in 64-bit arithmetic.

struct WaveFile {
    std::FILE* file = nullptr;
    uint64_t file_size = 0;
};

namespace {

constexpr uint32_t fourcc(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

constexpr uint32_t kRiff = fourcc("RIFF");
constexpr uint32_t kWave = fourcc("WAVE");
constexpr uint32_t kFmt = fourcc("fmt ");
constexpr uint32_t kData = fourcc("data");
constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kPcmFormatBytes = 16;
constexpr uint32_t kExtendedFormatBytes = 18;

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool seek(WaveFile* w, uint64_t offset) {
    return offset <= w->file_size && std::fseek(w->file, long(offset), SEEK_SET) == 0;
}

bool read_exact(WaveFile* w, void* dest, size_t count) {
    return std::fread(dest, 1, count, w->file) == count;
}

// End of a chunk's contents as far as the file holds them.
uint64_t contents_end(const WaveFile* w, const WaveChunk& chunk) {
    const uint64_t end = uint64_t(chunk.data_offset) + chunk.size;
    return end < w->file_size ? end : w->file_size;
}

// Where sub-chunks of the RIFF chunk may lie. Streaming writers leave its size
// 0 (unknown): the file's end is then the only bound.
uint64_t riff_end(const WaveFile* w, const WaveChunk& riff) {
    return riff.size < 4 ? w->file_size : contents_end(w, riff);
}

// Finds the sub-chunk `id` between `from` and `limit`. On success the file is
// positioned at its contents.
bool find_chunk(WaveFile* w, uint32_t id, uint64_t from, uint64_t limit, WaveChunk* out) {
    uint64_t pos = from;
    while (pos + 8 <= limit) {
        uint8_t header[8];
        if (!seek(w, pos) || !read_exact(w, header, sizeof header)) return false;
        const uint32_t size = le32(header + 4);
        if (le32(header) == id) {
            out->id = id;
            out->size = size;
            out->data_offset = long(pos + 8);
            return true;
        }
        pos += 8 + uint64_t(size) + (size & 1);  // chunks are padded to even sizes
    }
    return false;
}

int fail(WaveFile** handle, WAVEFORMATEX** format, int error, std::string* why = nullptr, std::string reason = {}) {
    WaveCloseReadFile(handle, format);
    if (why != nullptr) *why = std::move(reason);
    return error;
}

const char* const kFmt16 = "the 16 bytes of a wave format";

}  // namespace

int WaveOpenFile(const char* name, WaveFile** handle, WAVEFORMATEX** format, WaveChunk* riffchunk, std::string* why) {
    *handle = nullptr;
    *format = nullptr;
    std::FILE* f = name != nullptr ? file_read::fopen_regular(name) : nullptr;
    if (f == nullptr) return WAVE_ERR_CANNOTOPEN;
    WaveFile* w = new (std::nothrow) WaveFile;
    if (w == nullptr) {
        std::fclose(f);
        return WAVE_ERR_NOMEM;
    }
    w->file = f;
    *handle = w;
    if (std::fseek(f, 0, SEEK_END) != 0) return fail(handle, format, WAVE_ERR_CANNOTOPEN);
    const long size = std::ftell(f);
    if (size < 0) return fail(handle, format, WAVE_ERR_CANNOTOPEN);
    w->file_size = uint64_t(size);

    uint8_t riff[12];
    if (!seek(w, 0) || !read_exact(w, riff, sizeof riff) || le32(riff) != kRiff || le32(riff + 8) != kWave)
        return fail(handle, format, WAVE_ERR_NOTWAVE, why, "not a RIFF WAVE file");
    riffchunk->id = kRiff;
    riffchunk->size = le32(riff + 4);
    riffchunk->data_offset = 8;

    WaveChunk fmt;
    if (!find_chunk(w, kFmt, 12, riff_end(w, *riffchunk), &fmt))
        return fail(handle, format, WAVE_ERR_NOTWAVE, why, "no \"fmt \" chunk");
    if (fmt.size < kPcmFormatBytes)
        return fail(handle, format, WAVE_ERR_NOTWAVE, why,
                    "its \"fmt \" chunk has " + std::to_string(fmt.size) + " bytes, fewer than " + kFmt16);
    uint8_t pcm[kPcmFormatBytes];
    if (!read_exact(w, pcm, sizeof pcm))
        return fail(handle, format, WAVE_ERR_READFORMAT, why, std::string("the file ends inside ") + kFmt16);

    // A non-PCM format names its extra bytes; a 16-byte chunk has room for none.
    uint16_t extra = 0;
    if (le16(pcm) != kFormatPcm && fmt.size >= kExtendedFormatBytes) {
        uint8_t count[2];
        if (!read_exact(w, count, sizeof count))
            return fail(handle, format, WAVE_ERR_READFORMAT, why, "the file ends inside its count of extra format bytes");
        extra = le16(count);
        if (extra > fmt.size - kExtendedFormatBytes)
            return fail(handle, format, WAVE_ERR_NOTWAVE, why,
                        "its format names " + std::to_string(extra) + " extra bytes, but its \"fmt \" chunk has room for " +
                            std::to_string(fmt.size - kExtendedFormatBytes));
    }

    auto* record = static_cast<uint8_t*>(std::calloc(1, sizeof(WAVEFORMATEX) + extra));
    if (record == nullptr) return fail(handle, format, WAVE_ERR_NOMEM);
    *format = reinterpret_cast<WAVEFORMATEX*>(record);
    std::memcpy(record, pcm, sizeof pcm);
    std::memcpy(record + kPcmFormatBytes, &extra, sizeof extra);
    if (extra > 0 && !read_exact(w, record + sizeof(WAVEFORMATEX), extra))
        return fail(handle, format, WAVE_ERR_NOTWAVE, why,
                    "the file ends inside the " + std::to_string(extra) + " extra bytes of its format");
    return 0;
}

int WaveStartDataRead(WaveFile** handle, WaveChunk* datachunk, WaveChunk* riffchunk) {
    WaveFile* w = *handle;
    if (w == nullptr) return WAVE_ERR_CORRUPT;
    const uint64_t start = uint64_t(riffchunk->data_offset) + 4;
    if (!find_chunk(w, kData, start, riff_end(w, *riffchunk), datachunk)) return WAVE_ERR_CORRUPT;
    return 0;
}

int WaveReadFile(WaveFile* handle, uint32_t count, uint8_t* dest, WaveChunk* datachunk, uint32_t* actual) {
    *actual = 0;
    if (handle == nullptr) return WAVE_ERR_CORRUPT;
    if (count > datachunk->size) count = datachunk->size;
    const size_t got = count > 0 ? std::fread(dest, 1, count, handle->file) : 0;
    datachunk->size -= uint32_t(got);
    *actual = uint32_t(got);
    return got < count ? WAVE_ERR_CORRUPT : 0;
}

int WaveCloseReadFile(WaveFile** handle, WAVEFORMATEX** format) {
    if (format != nullptr) {
        std::free(*format);
        *format = nullptr;
    }
    if (handle != nullptr && *handle != nullptr) {
        std::fclose((*handle)->file);
        delete *handle;
        *handle = nullptr;
    }
    return 0;
}
