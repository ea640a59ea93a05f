// Music modules through libmikmod: loaded as the game loads them, started and
// mixed for a while. libmikmod is not instrumented, so the fuzzer's guide is
// the data check's own look at the bytes, which follows the module's tables.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/music.h"
#include "fuzz_support.h"
#include "tools/file_damage.h"

namespace {

constexpr int kChunkFrames = 1024;
constexpr int kChunks = 24;  // about half a second of music

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = music_init();
    static const std::string path = fuzz::scratch_dir() + "/tune.S3M";
    if (!started || !fuzz::write_bytes(path, data, size)) std::abort();

    for (const data_check::Damage& d : data_check::s3m_damage(std::vector<uint8_t>(data, data + size)))
        if (d.message.empty()) std::abort();

    if (music_load(path.c_str())) {
        music_start();
        int16_t out[2 * kChunkFrames];
        for (int i = 0; i < kChunks && music_active(); ++i) {
            music_update();
            music_mix(out, kChunkFrames);
        }
        music_shutdown();  // frees the module; the next input starts afresh
        if (!music_init()) std::abort();
    }
    return 0;
}
