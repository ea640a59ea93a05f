// The preferences file: whatever it holds is read; what is then saved reads
// back as the same two volumes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/Velmora_Win.h"
#include "fuzz_support.h"
#include "state/globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Velmora_Win win;
    static const bool entered = [] {
        const std::string dir = fuzz::scratch_dir() + "/prefs";
        fuzz::make_dirs(dir + "/Other");
        // The fallback place must never be the tester's own settings.
        ::setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
        return ::chdir(dir.c_str()) == 0;
    }();
    if (!entered || !fuzz::write_bytes("Other/Preferences.txt", data, size)) std::abort();

    fxvolume = 10;
    musicvolume = 10;
    win.load_prefs();
    const long fx = fxvolume, music = musicvolume;
    win.save_prefs();
    fxvolume = musicvolume = -12345;
    win.load_prefs();
    if (fxvolume != fx || musicvolume != music) std::abort();
    return 0;
}
