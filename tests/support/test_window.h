// Display set-up for tests: the headless back end and a 640 x 480 flipping pair
// in the chosen depth, without opening any window.
#pragma once

#include "display/DirectDrawWin.h"

// Installs the headless back end if none is installed.
void ensure_headless_backend();

// Gives `win` a display device and activates 640 x 480 at `depth` bits
// (8, 15, 16, 24 or 32). Returns false if the mode could not be activated.
bool setup_headless_display(DirectDrawWin& win, int depth = 16);

// A bare window for display-layer and sprite tests.
class TestWindow : public DirectDrawWin {
public:
    explicit TestWindow(int depth = 16) { ok = setup_headless_display(*this, depth); }
    void DrawScene() override {}
    int SelectInitialDisplayMode() override { return 0; }
    BOOL CreateCustomSurfaces() override { return 1; }
    void RestoreSurfaces() override {}
    bool ok = false;
};
