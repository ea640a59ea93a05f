#include "audio/convert.h"

#include <algorithm>

#include "audio/mixer.h"

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint16_t kExtensibleExtraBytes = 22;
constexpr size_t kSubFormatOffset = 6;  // within the extra bytes: valid bits (2), channel mask (4)
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 384000;

bool integer_pcm(const WAVEFORMATEX& f) {
    if (f.wFormatTag == kFormatPcm) return true;
    if (f.wFormatTag != kFormatExtensible || f.cbSize < kExtensibleExtraBytes) return false;
    const auto* extra = reinterpret_cast<const uint8_t*>(&f) + sizeof(WAVEFORMATEX);
    // The sub-format identifier begins with the plain format tag.
    return (extra[kSubFormatOffset] | extra[kSubFormatOffset + 1] << 8) == kFormatPcm;
}

int16_t sample_at(const uint8_t* p, int bits) {
    if (bits == 8) return int16_t((int(p[0]) - 128) * 256);
    return int16_t(uint16_t(p[0] | p[1] << 8));
}

}  // namespace

bool wave_format_supported(const WAVEFORMATEX& f) {
    return integer_pcm(f) && (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nChannels >= 1 &&
           f.nSamplesPerSec >= kMinRate && f.nSamplesPerSec <= kMaxRate;
}

std::vector<int16_t> convert_wave(const WAVEFORMATEX& f, const uint8_t* data, size_t bytes) {
    if (!wave_format_supported(f)) return {};
    const int bits = f.wBitsPerSample;
    const size_t sample_bytes = size_t(bits / 8);
    // The frame size follows from channels and bits; nBlockAlign is not trusted.
    const size_t frame_bytes = sample_bytes * f.nChannels;
    const size_t in_frames = bytes / frame_bytes;
    if (in_frames == 0) return {};
    const size_t right_offset = f.nChannels >= 2 ? sample_bytes : 0;

    const uint64_t rate = f.nSamplesPerSec;
    size_t out_frames = size_t((uint64_t(in_frames) * mixer::kRate + rate - 1) / rate);
    out_frames = std::min(out_frames, kMaxEffectFrames);

    std::vector<int16_t> out(out_frames * 2);
    // Source position in 32.32 fixed point.
    const uint64_t step = (rate << 32) / uint64_t(mixer::kRate);
    uint64_t pos = 0;
    const size_t last = in_frames - 1;
    for (size_t i = 0; i < out_frames; ++i, pos += step) {
        const size_t at = std::min(size_t(pos >> 32), last);
        const size_t next = std::min(at + 1, last);
        const int64_t frac = int64_t(pos & 0xFFFFFFFFu);
        for (size_t side = 0; side < 2; ++side) {
            const size_t offset = side == 0 ? 0 : right_offset;
            const int64_t a = sample_at(data + at * frame_bytes + offset, bits);
            const int64_t b = sample_at(data + next * frame_bytes + offset, bits);
            out[2 * i + side] = int16_t(a + (((b - a) * frac) >> 32));
        }
    }
    return out;
}
