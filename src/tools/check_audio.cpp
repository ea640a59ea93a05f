// Sound effects through the game's wave reader and converter, music modules
// through libmikmod.
#include <mikmod.h>

#include <string>

#include "audio/convert.h"
#include "audio/music.h"
#include "audio/wave.h"
#include "tools/check_context.h"
#include "tools/data_layout.h"

namespace data_check {

namespace {

std::string wave_error(int code) {
    switch (code) {
        case WAVE_ERR_NOTWAVE: return "not a RIFF WAVE file";
        case WAVE_ERR_READFORMAT: return "its format chunk cannot be read";
        case WAVE_ERR_CORRUPT: return "its chunks are damaged";
        case WAVE_ERR_NOMEM: return "too large to read";
        default: return "cannot be opened";
    }
}

// Empty when the effect will play; otherwise why not.
std::string wave_problem(const std::string& path) {
    WaveFile* file = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff;
    WaveChunk data;
    std::string problem;
    int code = WaveOpenFile(path.c_str(), &file, &format, &riff);
    if (code == 0) code = WaveStartDataRead(&file, &data, &riff);
    if (code != 0) {
        problem = "the wave reader refuses it: " + wave_error(code);
    } else if (format == nullptr || !wave_format_supported(*format)) {
        problem = "a format the mixer cannot play (8- or 16-bit integer PCM, 1000..384000 Hz only)";
    } else if (data.size == 0) {
        problem = "no sound data";
    }
    WaveCloseReadFile(&file, &format);
    return problem;
}

}  // namespace

void check_sounds(Context& ctx) {
    if (!is_directory(ctx.path("Sound"))) {
        ctx.error("Sound", 0, "missing directory: the sound effects (*.WAV) go here");
        return;
    }
    for (const std::string& rel : data_layout::sound_files()) {
        if (!is_file(ctx.path(rel))) {
            ctx.error(rel, 0, std::string(exists(ctx.path(rel)) ? "not a plain file" : "missing") +
                                  ": this effect stays silent");
            continue;
        }
        const std::string problem = wave_problem(ctx.path(rel));
        if (!problem.empty()) ctx.error(rel, 0, problem + "; this effect stays silent");
    }
}

void check_music(Context& ctx) {
    if (!is_directory(ctx.path("MUSIC"))) {
        ctx.error("MUSIC", 0, "missing directory: the music modules (*.S3M) go here");
        return;
    }
    const bool library = music_init();
    for (const std::string& rel : data_layout::music_files()) {
        if (!is_file(ctx.path(rel))) {
            ctx.error(rel, 0, std::string(exists(ctx.path(rel)) ? "not a plain file" : "missing") +
                                  ": no music plays where the game wants this tune");
            continue;
        }
        if (!library) continue;
        if (!music_load(ctx.path(rel).c_str())) {
            const char* why = MikMod_strerror(MikMod_errno);
            ctx.error(rel, 0, std::string("libmikmod refuses this module") + (why != nullptr ? ": " : "") +
                                  (why != nullptr ? why : ""));
        }
    }
    if (library) {
        music_shutdown();
    } else {
        ctx.warning("MUSIC", 0, "libmikmod could not start; the modules were not tried");
    }
}

}  // namespace data_check
