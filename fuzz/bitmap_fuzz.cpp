// Bitmap files into surfaces of every display depth the loader converts to.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz_support.h"
#include "support/test_window.h"

namespace {

// What the loader takes at most, and what the harness lets it allocate.
constexpr int64_t kLoaderMaxSide = 16384;
constexpr int64_t kLoaderMaxPixels = int64_t(64) << 20;
constexpr int64_t kMaxPixels = int64_t(1) << 16;

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

    // A size the loader accepts (up to 64 M pixels) costs a surface of up to
    // hundreds of megabytes, filled with black beyond the few pixels an input
    // holds: such inputs are left out, so the fuzzer keeps its pace. Sizes
    // beyond the loader's limits are refused before anything is allocated and
    // stay in.
    int claimed_w = 0, claimed_h = 0;
    if (DirectDrawWin::GetBmpDimensions(path.c_str(), claimed_w, claimed_h)) {
        const int64_t pixels = int64_t(claimed_w) * claimed_h;
        const bool loadable = claimed_w > 0 && claimed_h > 0 && claimed_w <= kLoaderMaxSide &&
                              claimed_h <= kLoaderMaxSide && pixels <= kLoaderMaxPixels;
        if (loadable && pixels > kMaxPixels) return 0;
    }
    for (auto& win : windows.by_depth) {
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
