#include "app/player_comforts.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "display/screenshot.h"

namespace {

bool make_directory(const std::string& dir) {
    if (dir.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string screenshot_directory(const Settings& settings) {
    if (!settings.screenshot_dir.empty()) {
        const std::string chosen = expand_user_dir(settings.screenshot_dir);
        if (make_directory(chosen)) return chosen;
        std::fprintf(stderr, "velmora: cannot make the screenshot directory '%s' (screenshot_dir in the settings); "
                     "using the default\n", chosen.empty() ? settings.screenshot_dir.c_str() : chosen.c_str());
    }
    const std::string pictures = pictures_directory();
    if (!pictures.empty() && make_directory(pictures + "/velmora")) return pictures + "/velmora";
    const std::string config = config_directory();
    if (make_directory(config)) return config;
    return {};
}

std::string screenshot_path(const std::string& dir, std::time_t when) {
    char stamp[32] = "picture";
    std::tm local{};
    if (localtime_r(&when, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = dir + "/velmora-" + stamp;
    std::string path = base + ".png";
    // Bounded: a directory full of same-second pictures is not worth a hang.
    for (int n = 2; exists(path) && n < 1000; ++n) path = base + "-" + std::to_string(n) + ".png";
    return path;
}

PlayerComforts::PlayerComforts(Settings settings, std::string config_path, bool start_fullscreen)
    : settings_(std::move(settings)),
      config_path_(std::move(config_path)),
      start_fullscreen_(start_fullscreen),
      fullscreen_(start_fullscreen) {}

void PlayerComforts::attach(DirectDrawApp& app) {
    auto previous_event = std::move(app.on_event);
    app.on_event = [this, previous_event](long frame, const platform::Event& event) {
        if (event.type == platform::EventType::Screenshot) {
            screenshot_requested_ = true;
            return;  // ours alone: the picture goes to the pictures directory
        }
        if (event.type == platform::EventType::ToggleFullscreen) fullscreen_ = !fullscreen_;
        if (previous_event) previous_event(frame, event);
    };
    auto previous_after = std::move(app.after_frame);
    app.after_frame = [this, &app, previous_after](long frame) {
        if (screenshot_requested_) save_screenshot(app);
        return !previous_after || previous_after(frame);
    };
}

void PlayerComforts::save_screenshot(DirectDrawApp& app) {
    screenshot_requested_ = false;
    const DirectDrawWin* window = app.ddwin;
    if (window == nullptr || window->primsurf == nullptr) return;
    const std::string dir = screenshot_directory(settings_);
    if (dir.empty()) {
        std::fprintf(stderr, "velmora: no directory to save the screenshot in\n");
        return;
    }
    const std::string path = screenshot_path(dir, std::time(nullptr));
    // A picture taken by hand is a convenience: a failure is reported, not fatal.
    if (save_surface_png(*window->primsurf, window->palette, path))
        std::fprintf(stderr, "velmora: screenshot %s\n", path.c_str());
    else
        std::fprintf(stderr, "velmora: cannot write screenshot '%s'\n", path.c_str());
}

void PlayerComforts::remember_choices() {
    if (fullscreen_ == start_fullscreen_ || config_path_.empty()) return;
    settings_.fullscreen = fullscreen_;
    if (!store_setting(config_path_, settings_, "fullscreen"))
        std::fprintf(stderr, "velmora: cannot write '%s'\n", config_path_.c_str());
}
