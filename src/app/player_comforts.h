// What a live game does for the player beyond the game itself: F12 pictures
// saved in the user's pictures directory, the full-screen choice made with
// Alt+Enter written to the settings file at once, and a settings problem shown
// in the window for a while.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "app/config.h"
#include "display/overlay_hold.h"

class DirectDrawApp;

// The directory F12 pictures go to: the configured one (~ and relative paths
// from the home directory), else <pictures>/velmora, else the settings
// directory. Created when missing; a configured one that cannot be made is
// reported. Empty when none can be made.
std::string screenshot_directory(const Settings& settings);

// A free name in `dir` for a picture taken at `when`:
// velmora-YYYYMMDD-HHMMSS.png, then -2, -3, ... for more in the same second.
std::string screenshot_path(const std::string& dir, std::time_t when);

class PlayerComforts {
public:
    explicit PlayerComforts(Settings settings);

    // Takes over F12 on `app` (the picture is saved after the frame), keeps
    // Alt+Enter's choice, and shows the settings notice (config.h) over the
    // picture; events go on to the hooks already installed.
    void attach(DirectDrawApp& app);

private:
    void save_screenshot(DirectDrawApp& app);
    void show_settings_notice(DirectDrawApp& app);

    Settings settings_;
    bool screenshot_requested_ = false;
    std::string notice_;           // over the picture until notice_until_ms_
    uint64_t notice_until_ms_ = 0;
    OverlayHold overlay_;          // the notice's hold on the window's overlay
    bool notice_done_ = false;     // a run shows one
};
