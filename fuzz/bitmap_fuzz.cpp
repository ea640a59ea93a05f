// Bitmap files into surfaces of every display depth the loader converts to.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz_support.h"
#include "support/test_window.h"

namespace {

struct Windows {
    std::unique_ptr<TestWindow> by_depth[5];
    Windows() {
        const int depths[5] = {8, 15, 16, 24, 32};
        for (int i = 0; i < 5; ++i) {
            by_depth[i] = std::make_unique<TestWindow>(depths[i]);
            if (!by_depth[i]->ok) std::abort();
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Windows windows;
    static const std::string path = fuzz::scratch_dir() + "/picture.BMP";
    if (!fuzz::write_bytes(path, data, size)) return 0;

    // Claimed sizes up to the loader's limit cost a surface of hundreds of
    // megabytes each: those are loaded on one display only, to keep the pace.
    int claimed_w = 0, claimed_h = 0;
    const bool huge = DirectDrawWin::GetBmpDimensions(path.c_str(), claimed_w, claimed_h) &&
                      int64_t(claimed_w) * claimed_h > (int64_t(1) << 20);
    for (auto& win : windows.by_depth) {
        if (huge && win->displaydepth != 16) continue;
        const size_t before = win->live_surfaces.size();
        // Palettes are installed only from 8-bit displays' point of view.
        Surface* s = win->CreateSurface(path.c_str(), win->displaydepth == 8 ? 1 : 0, 0);
        if (s == nullptr) {
            // A failure leaves nothing behind.
            if (win->live_surfaces.size() != before) std::abort();
            continue;
        }
        int w = 0, h = 0;
        if (!DirectDrawWin::GetBmpDimensions(path.c_str(), w, h) || s->width != w || s->height != h)
            std::abort();
        win->ReleaseSurface(s);
    }
    return 0;
}
