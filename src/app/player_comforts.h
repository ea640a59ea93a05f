// What a live game does for the player beyond the game itself: F12 pictures
// saved in the user's pictures directory, and the full-screen choice made with
// Alt+Enter remembered in the settings file for the next run.
#pragma once

#include <ctime>
#include <string>

#include "app/config.h"

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
    PlayerComforts(Settings settings, std::string config_path, bool start_fullscreen);

    // Takes over F12 on `app` (the picture is saved after the frame) and
    // watches full-screen toggles; events go on to the hooks already installed.
    void attach(DirectDrawApp& app);
    // Stores the full-screen choice when the player changed it this run.
    void remember_choices();

    bool fullscreen() const { return fullscreen_; }

private:
    void save_screenshot(DirectDrawApp& app);

    Settings settings_;
    std::string config_path_;
    bool start_fullscreen_;
    bool fullscreen_;
    bool screenshot_requested_ = false;
};
