// A reader for RIFF WAVE files: the format chunk and the data chunk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

constexpr int WAVE_ERR_NOMEM = 0xE000;
constexpr int WAVE_ERR_CANNOTOPEN = 0xE100;
constexpr int WAVE_ERR_NOTWAVE = 0xE101;
constexpr int WAVE_ERR_READFORMAT = 0xE102;
constexpr int WAVE_ERR_CORRUPT = 0xE103;

// The 18-byte extended wave format followed by cbSize extra bytes.
#pragma pack(push, 1)
struct WAVEFORMATEX {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize;
};
#pragma pack(pop)

struct WaveChunk {
    uint32_t id = 0;
    uint32_t size = 0;         // bytes of the chunk's contents (remaining, for data)
    long data_offset = 0;      // file offset of the chunk's contents
};

struct WaveFile;  // an open file

// `why`, when given, gets what is wrong with a file refused with
// WAVE_ERR_NOTWAVE or WAVE_ERR_READFORMAT, in words (the codes cover several
// faults each).
int WaveOpenFile(const char* name, WaveFile** handle, WAVEFORMATEX** format, WaveChunk* riffchunk,
                 std::string* why = nullptr);
int WaveStartDataRead(WaveFile** handle, WaveChunk* datachunk, WaveChunk* riffchunk);
int WaveReadFile(WaveFile* handle, uint32_t count, uint8_t* dest, WaveChunk* datachunk,
                 uint32_t* actual);
int WaveCloseReadFile(WaveFile** handle, WAVEFORMATEX** format);
