// Wave files: read, converted to the mixer's format, played and mixed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "audio/Sample.h"
#include "audio/mixer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool entered = [] {
        const std::string dir = fuzz::scratch_dir() + "/wave";
        fuzz::make_dirs(dir + "/Sound");
        return ::chdir(dir.c_str()) == 0;
    }();
    if (!entered || !fuzz::write_bytes("Sound/effect.WAV", data, size)) std::abort();

    auto* sample = new Sample;
    sample->load("effect");
    if (sample->name != "effect" || Sample::listofsamples.size() != 1) std::abort();
    if (sample->voice >= 0) {
        sample->play("effect");
        int16_t out[2 * 1500];
        mixer::mix(out, 1500);  // more than one device buffer
    }
    Sample::release_all();
    return 0;
}
