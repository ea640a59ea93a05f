#include "audio/music.h"

#include <mikmod.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "audio/mixer.h"
#include "state/game_states.h"
#include "state/world_list.h"
#include "util/file_read.h"
#include "util/ranged_int.h"

// libmikmod mixes into our own output driver; the audio device's callback
// pulls that mix through music_mix. The driver itself never touches a device.

namespace {

constexpr int kDefaultFragmentLog2 = 16;
constexpr int kMaxModuleChannels = 16;
// Far beyond any tracker module (an S3M tops out near 16 MB); a bigger file
// is not a tune and is not read into memory.
constexpr size_t kMaxModuleBytes = size_t{64} << 20;

MODULE* g_module = nullptr;
std::string g_module_path;  // the file g_module was loaded from
bool g_registered = false;
bool g_initialised = false;
int g_player_volume = -1;  // -1: never set; modules keep their own volume
// Read by the audio thread under libmikmod's lock, written by the driver
// entries libmikmod calls under the same lock; atomic for the direct callers.
std::atomic<bool> g_playing{false};
std::atomic<int> g_fragsize{1 << kDefaultFragmentLog2};

// ---- the output driver ----

void out_command_line(const CHAR* options) { music_parse_options(options); }
BOOL out_is_present() { return 1; }

int out_init() {
    // The device takes 44100 Hz stereo 16-bit; the software mixer must match.
    md_mixfreq = mixer::kRate;
    md_mode = UWORD((md_mode | DMODE_16BITS | DMODE_STEREO | DMODE_SOFT_MUSIC | DMODE_SOFT_SNDFX) &
                    ~DMODE_FLOAT);
    return VC_Init();
}

void out_exit() {
    g_playing = false;
    VC_Exit();
}

int out_play_start() {
    const int result = VC_PlayStart();
    if (result == 0) g_playing = true;
    return result;
}

void out_play_stop() {
    g_playing = false;
    VC_PlayStop();
}

// The audio callback does the mixing; nothing to do per update.
void out_update() {}
void out_pause() {}

MDRIVER g_output_driver = {
    nullptr,
    "Game mixer",
    "Game mixer output v1.0",
    0,
    255,
    "mixer",
    "buffer:r:12,19,16:Fragment size as a power of two\n",
    out_command_line,
    out_is_present,
    VC_SampleLoad,
    VC_SampleUnload,
    VC_SampleSpace,
    VC_SampleLength,
    out_init,
    out_exit,
    nullptr,
    VC_SetNumVoices,
    out_play_start,
    out_play_stop,
    out_update,
    out_pause,
    VC_VoiceSetVolume,
    VC_VoiceGetVolume,
    VC_VoiceSetFrequency,
    VC_VoiceGetFrequency,
    VC_VoiceSetPanning,
    VC_VoiceGetPanning,
    VC_VoicePlay,
    VC_VoiceStop,
    VC_VoiceStopped,
    VC_VoiceGetPosition,
    VC_VoiceRealVolume,
};

void free_module() {
    Player_Stop();
    if (g_module != nullptr) {
        Player_Free(g_module);
        g_module = nullptr;
    }
    g_module_path.clear();
}

// The settings the game's music was made for.
void apply_library_settings() {
    md_device = 0;  // the first driver present: ours, the only one registered
    md_mixfreq = mixer::kRate;
    md_mode = DMODE_16BITS | DMODE_STEREO | DMODE_SURROUND | DMODE_SOFT_MUSIC | DMODE_SOFT_SNDFX;
    md_volume = 96;
    md_musicvolume = 128;
    md_sndfxvolume = 128;
    md_reverb = 6;
    md_pansep = 128;
}

}  // namespace

void music_register_all() {
    if (g_registered) return;  // libmikmod's lists must not hold a driver or loader twice
    g_registered = true;
    MikMod_InitThreads();
    MikMod_RegisterDriver(&g_output_driver);
    MikMod_RegisterAllLoaders();
}

bool music_init() {
    music_register_all();
    if (g_initialised) music_shutdown();
    apply_library_settings();
    g_initialised = MikMod_Init("") == 0;
    return g_initialised;
}

void music_shutdown() {
    // The module goes before the library: freeing it afterwards touches freed state.
    free_module();
    if (g_initialised) {
        MikMod_Exit();
        g_initialised = false;
    }
}

bool music_load(const char* path, std::string* why) {
    const auto refuse = [why](std::string reason) {
        if (why != nullptr) *why = std::move(reason);
        return false;
    };
    free_module();
    if (!g_initialised) return refuse("libmikmod is not running");
    if (path == nullptr) return refuse("no file named");
    // Read whole, then decoded from memory: the library's file reader takes
    // the module a byte at a time through stdio, a third slower (3.4 against
    // 2.1 ms for a 900 KB tune). Only a regular file is read, so a FIFO or a
    // device named like a module never blocks. A file too large is refused
    // by its size, not read: a failed load is tried again every frame.
    struct stat st {};
    if (::stat(path, &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) > kMaxModuleBytes)
        return refuse(std::to_string(st.st_size) + " bytes, more than the " + std::to_string(kMaxModuleBytes >> 20) +
                      " MiB the game reads for a tune");
    std::vector<uint8_t> bytes;
    file_read::OpenError open_error = file_read::OpenError::None;
    if (!file_read::read_prefix(path, kMaxModuleBytes + 1, bytes, &open_error))
        return refuse(file_read::describe(open_error));
    if (bytes.empty()) return refuse("the file is empty");
    if (bytes.size() > kMaxModuleBytes)
        return refuse("more than the " + std::to_string(kMaxModuleBytes >> 20) + " MiB the game reads for a tune");
    // The library keeps its last error until another replaces it.
    MikMod_errno = 0;
    g_module = Player_LoadMem(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                              kMaxModuleChannels, 0);
    if (g_module == nullptr) {
        const int error = MikMod_errno;
        const char* text = error != 0 ? MikMod_strerror(error) : nullptr;
        return refuse(text != nullptr ? std::string("libmikmod refuses it: ") + text
                                      : std::string("libmikmod refuses it without a reason"));
    }
    g_module_path = path;
    // The library's own `loop` stays on: a tune that jumps back with Bxx
    // loops as it was written (until music_loop_only says otherwise); one
    // that runs off its end stops, and the game restarts it (music_restart).
    if (g_player_volume >= 0) g_module->volume = g_module->initvolume = UBYTE(g_player_volume);
    return true;
}

bool music_restart(const char* path) {
    if (g_module == nullptr || path == nullptr || g_module_path != path) return false;
    // Position 0 sets the module up as a load does (speed, tempo, volume,
    // channels), from what is already in memory.
    Player_Start(g_module);
    Player_SetPosition(0);
    return Player_Active() != 0;
}

void music_start() {
    if (g_module != nullptr) Player_Start(g_module);
}

bool music_loaded() { return g_module != nullptr; }

void music_loop_only(const char* path) {
    if (g_module == nullptr) return;
    // With `loop` off the library takes a jump back as the end of the song.
    const BOOL loop = path != nullptr && g_module_path == path ? 1 : 0;
    if (g_module->loop == loop) return;
    MikMod_Lock();  // the audio thread reads it while it mixes
    g_module->loop = loop;
    MikMod_Unlock();
}

bool music_active() { return Player_Active() != 0; }

void music_update() { MikMod_Update(); }

void music_set_volume(int volume) {
    g_player_volume = std::clamp(volume, 0, 128);
    Player_SetVolume(SWORD(g_player_volume));  // the module playing, if any
    if (g_module != nullptr) {
        // Also a module loaded but not started yet.
        MikMod_Lock();
        g_module->volume = g_module->initvolume = UBYTE(g_player_volume);
        MikMod_Unlock();
    }
}

int music_volume_for(long musicvolume) {
    return int(std::clamp(musicvolume, 0L, 10L) * 128 / 10);
}

const char* music_file_for(int game_state, int level) {
    if (game_state == kStatePlaying) {
        if (level == world_list::kEndingLevel) return world_list::kEndingTune;
        const world_list::Entry* world = world_list::of_level(level);
        return world != nullptr ? world->tune : nullptr;
    }
    if (game_state == kStateAbout) return "MUSIC/DILEMMA.S3M";
    return "MUSIC/ASTROV2.S3M";
}

void music_mix(int16_t* out, int frames) {
    if (frames <= 0) return;
    const size_t bytes = size_t(frames) * 2 * sizeof(int16_t);
    // Only the lock and the software mixer here: every Player_* and most
    // MikMod_* calls take the lock themselves and would deadlock.
    MikMod_Lock();
    if (g_playing) {
        auto* p = reinterpret_cast<SBYTE*>(out);
        const size_t fragment = size_t(g_fragsize.load());
        for (size_t done = 0; done < bytes;) {
            const size_t n = std::min(bytes - done, fragment);
            VC_WriteBytes(p + done, ULONG(n));
            done += n;
        }
    } else {
        std::memset(out, 0, bytes);
    }
    MikMod_Unlock();
}

int music_fragsize() { return g_fragsize; }

void music_parse_options(const char* options) {
    // "name=value" pairs separated by commas; only "buffer" is ours.
    if (options == nullptr) return;
    const std::string text(options);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        const size_t eq = item.find('=');
        const std::string key = item.substr(0, eq);
        if (key == "buffer") {
            int log2 = kDefaultFragmentLog2;
            if (eq != std::string::npos) ranged_int::parse(std::string_view(item).substr(eq + 1), 12, 19, log2);
            g_fragsize = 1 << log2;
        }
        start = end + 1;
    }
}
