// Converting wave data to the mixer's format: 44100 Hz interleaved stereo
// signed 16-bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/wave.h"

// Longest effect kept, in mixer frames: longer data is cut there.
constexpr size_t kMaxEffectFrames = size_t(60) * 44100;

// True for formats convert_wave understands: integer PCM of 8 or 16 bits (plain
// or in an extensible record), any channel count, 1000..384000 Hz.
bool wave_format_supported(const WAVEFORMATEX& format);

// `bytes` of sample data in `format`, resampled linearly. Mono is copied to both
// sides; of more than two channels the first two are kept. Empty when the
// format is not supported.
std::vector<int16_t> convert_wave(const WAVEFORMATEX& format, const uint8_t* data, size_t bytes);
