// Sound effects through the game's wave reader and converter, music modules
// through libmikmod.
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/convert.h"
#include "audio/music.h"
#include "audio/wave.h"
#include "tools/check_context.h"
#include "tools/data_layout.h"
#include "tools/file_damage.h"

namespace data_check {

namespace {

uint64_t file_size(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? uint64_t(st.st_size) : 0;
}

std::string wave_error(int code) {
    switch (code) {
        case WAVE_ERR_CORRUPT: return "no \"data\" chunk where its chunk sizes lead";
        case WAVE_ERR_NOMEM: return "too large to read";
        default: return "cannot be opened";
    }
}

// What keeps the effect from playing, or damage it plays despite.
std::vector<Damage> wave_problems(const std::string& path) {
    WaveFile* file = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff;
    WaveChunk data;
    std::vector<Damage> out;
    auto fault = [&out](Severity s, const std::string& message) { out.push_back({s, message}); };
    std::string why;
    int code = WaveOpenFile(path.c_str(), &file, &format, &riff, &why);
    if (code == 0) code = WaveStartDataRead(&file, &data, &riff);
    const uint64_t size = file_size(path);
    if (code != 0) {
        fault(Severity::Error, "the wave reader refuses it: " + (why.empty() ? wave_error(code) : why) +
                                   "; this effect stays silent");
    } else if (format == nullptr || !wave_format_supported(*format)) {
        fault(Severity::Error, "a format the mixer cannot play (8- or 16-bit integer PCM, 1000..384000 Hz only); "
                               "this effect stays silent");
    } else {
        // The reader trusts no size field past the file's end: it plays what is there.
        const uint64_t data_at = uint64_t(data.data_offset);
        const uint64_t held = data_at < size ? std::min<uint64_t>(data.size, size - data_at) : 0;
        const uint64_t frame_bytes = uint64_t(format->wBitsPerSample / 8) * format->nChannels;
        if (riff.size == 0) {
            fault(Severity::Warning, "its RIFF size is 0 (left unwritten); the game reads to the end of the file");
        } else if (uint64_t(riff.size) + 8 != size) {
            fault(Severity::Warning, "its RIFF size says " + std::to_string(riff.size) + " bytes, the file holds " +
                                         std::to_string(size >= 8 ? size - 8 : 0) + " after its first 8");
        }
        if (held < data.size)
            fault(Severity::Warning, "its data chunk claims " + std::to_string(data.size) + " bytes, the file holds " +
                                         std::to_string(held) + "; the effect plays what is there");
        if (format->nChannels > 2)
            fault(Severity::Warning, std::to_string(format->nChannels) + " channels; only the first two are heard");
        if (held / frame_bytes == 0)
            fault(Severity::Error, held == 0 ? std::string("no sound data; this effect stays silent")
                                             : "its " + std::to_string(held) + " bytes of sound hold no whole frame of " +
                                                   std::to_string(format->nChannels) + " channels; this effect stays silent");
    }
    WaveCloseReadFile(&file, &format);
    return out;
}

}  // namespace

void check_sounds(Context& ctx) {
    if (!is_directory(ctx.path("Sound"))) {
        ctx.error("Sound", 0, "missing directory: the sound effects (*.WAV) go here");
        return;
    }
    for (const std::string& rel : data_layout::sound_files()) {
        const file_read::OpenError why = openable(ctx.path(rel));
        if (why != file_read::OpenError::None) {
            ctx.error(rel, 0, std::string(file_read::describe(why)) + ": this effect stays silent");
            continue;
        }
        report_damage(ctx, rel, wave_problems(ctx.path(rel)));
    }
}

void check_music(Context& ctx) {
    if (!is_directory(ctx.path("MUSIC"))) {
        ctx.error("MUSIC", 0, "missing directory: the music modules (*.S3M) go here");
        return;
    }
    const bool library = music_init();
    for (const std::string& rel : data_layout::music_files()) {
        const file_read::OpenError why = openable(ctx.path(rel));
        if (why != file_read::OpenError::None) {
            ctx.error(rel, 0, std::string(file_read::describe(why)) + ": no music plays where the game wants this tune");
            continue;
        }
        if (!library) continue;
        std::string refusal;
        if (!music_load(ctx.path(rel).c_str(), &refusal)) {
            ctx.error(rel, 0, "the game cannot load this module: " + refusal +
                                  "; no music plays where the game wants this tune");
            // The library names the part it stopped at; the bytes may say what is wrong there.
            report_damage(ctx, rel, s3m_damage(read_bytes(ctx.path(rel), kMaxInspectedBytes)));
            continue;
        }
        // libmikmod plays a module cut short; say what is missing.
        report_damage(ctx, rel, s3m_damage(read_bytes(ctx.path(rel), kMaxInspectedBytes)));
    }
    if (library) {
        music_shutdown();
    } else {
        ctx.warning("MUSIC", 0, "libmikmod could not start; the modules were not tried");
    }
}

}  // namespace data_check
