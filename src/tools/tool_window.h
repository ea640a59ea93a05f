// A display without a window for the command-line tools: the headless back end
// and a 640 x 480 screen in the game's 16-bit format, so bitmaps load through
// the game's own loader exactly as they would in play.
#pragma once

#include "display/DirectDrawWin.h"

class ToolWindow : public DirectDrawWin {
public:
    ToolWindow();
    ~ToolWindow() override;
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    void DrawScene() override {}
    int SelectInitialDisplayMode() override { return 0; }
    BOOL CreateCustomSurfaces() override { return 1; }
    void RestoreSurfaces() override {}

    // False when the display could not be set up.
    bool ready() const { return ready_; }

private:
    bool ready_ = false;
    DirectDrawWin* previous_sprite_window_ = nullptr;
};
