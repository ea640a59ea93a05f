// Velmora_Win's sound effects and music: loading the effects, picking and
// restarting the tune of each state, start-up and shutdown of libmikmod.
#include <sys/stat.h>

#include <string>

#include "app/Velmora_Win.h"
#include "audio/Sample.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "platform/platform.h"
#include "state/globals.h"

namespace {

const char* const kEffectNames[] = {"g3",    "g4",   "g5",   "g9",    "ex9",  "scream",
                                    "yeah",  "drip", "trap", "click", "tick", "orchit"};

// What a module file looked like when loading it failed.
struct FileSignature {
    bool exists = false;
    long long size = 0;
    long long mtime_ns = 0;
    bool operator==(const FileSignature&) const = default;
};

FileSignature signature_of(const char* path) {
    struct stat st {};
    if (path == nullptr || ::stat(path, &st) != 0) return {};
    return {true, static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

// The last tune that could not be loaded. The keep-alive asks for it again
// every frame; until the file changes, another attempt would fail the same
// way, so it costs one stat() instead of a libmikmod restart and a file open.
struct FailedTune {
    bool any = false;
    std::string path;  // empty: the state has no tune
    FileSignature signature;

    bool same(const char* file) const {
        return any && path == (file != nullptr ? file : "") && signature == signature_of(file);
    }
};
FailedTune g_failed_tune;

}  // namespace

void Velmora_Win::load_sounds() {
    Sample::release_all();  // a second call replaces the set instead of doubling it
    auto* first = new Sample;
    first->init_sound();
    first->load(kEffectNames[0]);
    for (size_t i = 1; i < sizeof kEffectNames / sizeof kEffectNames[0]; ++i) (new Sample)->load(kEffectNames[i]);
}

void Velmora_Win::dump_sounds() {
    // The samples live until the program ends; only the device stops pulling.
    mixer::close_device();
}

const char* Velmora_Win::music_for_state() const { return music_file_for(game_state, currentlevel); }

void Velmora_Win::load_music() {
    const char* file = music_for_state();
    // The state's tune is the one in memory (it ended, or is asked for
    // again): from its start, without reading the file.
    if (music_restart(file)) return;
    if (!music_loaded() && g_failed_tune.same(file)) return;

    music_shutdown();
    music_init();
    g_failed_tune = FailedTune{};
    if (file == nullptr) {
        g_failed_tune = FailedTune{true, "", {}};
        return;
    }
    const FileSignature before = signature_of(file);
    if (music_load(file)) {
        music_start();
    } else {
        g_failed_tune = FailedTune{true, file, before};
    }
}

void Velmora_Win::keep_music_alive() {
    // Without an audio device the back end's clock drives the mixer, so tunes
    // still end and restart.
    if (!mixer::device_open() && platform::has_backend()) mixer::advance_without_device(platform::backend().now_us());
    // Left for another state (the about screen for the title, a level paused
    // with Escape), a looping tune plays on to its jump back and ends there.
    music_loop_only(music_for_state());
    if (music_active()) {
        music_update();
    } else {
        load_music();
    }
}

void Velmora_Win::start_music_system() {
    // The effects were loaded with the window, before the preferences were
    // read: they take the stored volume now, before anything plays.
    Sample::set_volume();
    music_register_all();
    music_init();
    music_set_volume(music_volume_for(musicvolume));
    if (music_load("MUSIC/ASTROV2.S3M")) music_start();
}

void Velmora_Win::stop_music_system() { music_shutdown(); }
