#include "tools/tool_window.h"

#include <memory>

#include "platform/platform.h"
#include "sprites/Sprite.h"

ToolWindow::ToolWindow() {
    if (!platform::has_backend()) platform::install_backend(platform::make_headless_backend());
    ddraw = std::make_unique<DisplayDevice>();
    modes[0] = DisplayModeInfo{640, 480, 16};
    nummodes = 1;
    ready_ = ActivateDisplayMode(0) != 0;
    // Sprites loaded for a tool draw and test through this window.
    previous_sprite_window_ = Sprite::orv_window;
    Sprite::set_window_ptr(this);
}

ToolWindow::~ToolWindow() {
    if (Sprite::orv_window == this) Sprite::set_window_ptr(previous_sprite_window_);
}
