// The present path of the SDL back end: a finished 640 x 480 picture uploaded
// into the streaming texture and drawn scaled. The game's 16-bit 5-6-5
// picture is also timed at window scale 2 and with each renderer. Runs on
// SDL's dummy video driver unless SDL_VIDEODRIVER names another (an X server
// under Xvfb, for instance: there the renderers differ).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr int kW = 640, kH = 480;

// One back end for all: SDL's X11 driver does not start again once stopped.
platform::Backend* open_window(int scale = 1,
                               platform::RendererSetting renderer = platform::RendererSetting::Auto) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    static std::unique_ptr<platform::Backend> backend = platform::make_sdl_backend();
    if (!backend) return nullptr;
    platform::WindowOptions options;
    options.fullscreen = false;
    options.scale = scale;
    options.renderer = renderer;
    options.title = "present benchmark";
    if (!backend->open_window(options)) return nullptr;
    return backend.get();
}

void present(benchmark::State& state, int depth, int scale = 1,
             platform::RendererSetting renderer = platform::RendererSetting::Auto) {
    platform::Backend* backend = open_window(scale, renderer);
    if (!backend) {
        state.SkipWithError("no SDL window (video driver)");
        return;
    }
    platform::FrameFormat format;
    format.depth = depth;
    std::vector<uint32_t> palette(256);
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = uint32_t(i * 0x010203u) & 0xFFFFFFu;
    if (depth == 8) {
        format.rmask = format.gmask = format.bmask = 0;
        format.palette = palette.data();
    } else if (depth == 15) {
        format.rmask = 0x7C00, format.gmask = 0x03E0, format.bmask = 0x001F;
    } else if (depth >= 24) {
        format.rmask = 0xFF0000, format.gmask = 0x00FF00, format.bmask = 0x0000FF;
    }
    const int bpp = depth == 15 ? 2 : depth / 8;
    const int pitch = (kW * bpp + 3) & ~3;
    // Two pictures that differ in every row, as while the game scrolls
    // (an unchanged row is not written again).
    std::vector<uint8_t> pixels[2];
    for (int p = 0; p < 2; ++p) {
        pixels[p].resize(size_t(pitch) * kH);
        for (size_t i = 0; i < pixels[p].size(); ++i) pixels[p][i] = uint8_t(i * 7 + i / 640 + p);
    }
    size_t n = 0;
    for (auto _ : state) backend->present(pixels[n++ % 2].data(), pitch, kW, kH, format);
    state.SetLabel(backend->renderer_name());
    backend->close_window();
}

// Scale 1 or 2, software (0) or accelerated (1) renderer.
void BM_Present565Renderer(benchmark::State& s) {
    present(s, 16, static_cast<int>(s.range(0)),
            s.range(1) == 0 ? platform::RendererSetting::Software : platform::RendererSetting::Accelerated);
}

void BM_Present565(benchmark::State& s) { present(s, 16); }
void BM_Present555(benchmark::State& s) { present(s, 15); }
void BM_Present8Palette(benchmark::State& s) { present(s, 8); }
void BM_Present24(benchmark::State& s) { present(s, 24); }
void BM_Present32(benchmark::State& s) { present(s, 32); }

}  // namespace

BENCHMARK(BM_Present565)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present555)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present8Palette)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present565Renderer)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"scale", "accelerated"})
    ->Unit(benchmark::kMicrosecond);
