#include "support/test_window.h"

#include <memory>
#include <utility>

#include "platform/platform.h"

void ensure_headless_backend() {
    if (!platform::has_backend()) platform::install_backend(platform::make_headless_backend());
}

bool setup_headless_display(DirectDrawWin& win, int depth) {
    ensure_headless_backend();
    win.ddraw = std::make_unique<DisplayDevice>();
    win.modes[0] = DisplayModeInfo{640, 480, static_cast<uint32_t>(depth)};
    win.nummodes = 1;
    return win.ActivateDisplayMode(0) != 0;
}

std::vector<platform::VideoMode> RecordingBackend::modes(int display) {
    if (display < 0 || display >= static_cast<int>(mode_lists.size())) return {};
    return mode_lists[static_cast<size_t>(display)];
}

bool RecordingBackend::open_window(const platform::WindowOptions& options) {
    windows_opened.push_back(options);
    window_is_open = true;
    return true;
}

void RecordingBackend::present(const void*, int, int width, int height,
                               const platform::FrameFormat& format) {
    present_times_us.push_back(clock_us);
    const size_t n = static_cast<size_t>(presents);
    clock_us += n < present_costs_us.size() ? present_costs_us[n] : present_cost_us;
    ++presents;
    last_format = format;
    last_width = width;
    last_height = height;
    last_palette.clear();
    if (format.palette != nullptr) last_palette.assign(format.palette, format.palette + 256);
    last_format.palette = nullptr;
}

ScopedRecordingBackend::ScopedRecordingBackend() {
    auto owned = std::make_unique<RecordingBackend>();
    backend_ = owned.get();
    platform::install_backend(std::move(owned));
}

ScopedRecordingBackend::~ScopedRecordingBackend() {
    platform::install_backend(platform::make_headless_backend());
}
