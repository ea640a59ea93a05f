// Bitmap files into surfaces of every display depth the loader converts to.
// Any claim goes: what the loader refuses, it refuses from the headers before
// anything is allocated, and what it takes is at most 8 M pixels.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "display/bitmap_header.h"
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
            by_depth[i]->name_damaged_pictures = false;
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Windows windows;
    static const std::string path = fuzz::scratch_dir() + "/picture.BMP";
    if (!fuzz::write_bytes(path, data, size)) return 0;

    for (auto& win : windows.by_depth) {
        const size_t before = win->live_surfaces.size();
        // Palettes are installed only from 8-bit displays' point of view.
        Surface* s = win->CreateSurface(path.c_str(), win->displaydepth == 8 ? 1 : 0, 0);
        // The headers alone decide: nothing else refuses a picture the budget
        // has room for (one at a time here).
        const bool loadable = bitmap_header::judge(data, size, win->displaydepth) == bitmap_header::Verdict::Loadable;
        if ((s != nullptr) != loadable) std::abort();
        if (s == nullptr) {
            // A failure leaves nothing behind.
            if (win->live_surfaces.size() != before) std::abort();
            continue;
        }
        int w = 0, h = 0;
        if (!DirectDrawWin::GetBmpDimensions(path.c_str(), w, h) || s->width != w || s->height != h ||
            int64_t{w} * h > bitmap_header::kMaxPixels)
            std::abort();
        win->ReleaseSurface(s);
    }
    return 0;
}
