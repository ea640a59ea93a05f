#include "support/test_window.h"

#include <memory>

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
