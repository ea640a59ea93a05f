#include "app/player_comforts.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "app/choices.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "display/screenshot.h"
#include "platform/platform.h"

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

constexpr uint64_t kNoticeMs = 10000;
constexpr int kNoticeCell = 18;
constexpr int kNoticeMargin = 8;

int text_width(const std::string& text) {
    platform::TextMask mask;
    return platform::render_text(text, kNoticeCell, mask) ? mask.width : static_cast<int>(text.size()) * kNoticeCell / 2;
}

// The words of `text` in lines no wider than `width`.
std::vector<std::string> wrapped(const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line, word;
    std::istringstream words(text);
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && text_width(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// A dark band across the top of the picture with the notice in it.
void draw_settings_notice(DirectDrawWin& window, Surface& picture, const std::vector<std::string>& lines) {
    const int height = kNoticeMargin * 2 + kNoticeCell * static_cast<int>(lines.size());
    const RECT band{0, 0, picture.width, height};
    window.ClearSurface(&picture, 24, 16, 48, &band);
    for (size_t i = 0; i < lines.size(); ++i)
        window.DrawText(&picture, kNoticeMargin, kNoticeMargin + kNoticeCell * static_cast<int>(i), lines[i], 255, 220,
                        96, kNoticeCell);
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

PlayerComforts::PlayerComforts(Settings settings) : settings_(std::move(settings)) {}

void PlayerComforts::attach(DirectDrawApp& app) {
    auto previous_event = std::move(app.on_event);
    app.on_event = [this, previous_event](long frame, const platform::Event& event) {
        if (event.type == platform::EventType::Screenshot) {
            screenshot_requested_ = true;
            return;  // ours alone: the picture goes to the pictures directory
        }
        if (event.type == platform::EventType::ToggleFullscreen) switch_fullscreen(true);
        if (previous_event) previous_event(frame, event);
    };
    auto previous_after = std::move(app.after_frame);
    app.after_frame = [this, &app, previous_after](long frame) {
        if (screenshot_requested_) save_screenshot(app);
        show_settings_notice(app);
        return !previous_after || previous_after(frame);
    };
}

void PlayerComforts::show_settings_notice(DirectDrawApp& app) {
    DirectDrawWin* window = app.ddwin;
    if (window == nullptr || notice_done_ || !platform::has_backend() || platform::backend().headless()) return;
    const uint64_t now = platform::backend().now_us() / 1000;
    if (notice_.empty()) {
        notice_ = take_settings_notice();
        if (notice_.empty()) return;
        notice_until_ms_ = now + kNoticeMs;
    }
    if (now >= notice_until_ms_) {
        overlay_.release(*window);
        notice_done_ = true;  // once a run
        return;
    }
    // While another user holds the slot the notice waits its turn.
    const std::vector<std::string> lines = wrapped(notice_, 640 - 2 * kNoticeMargin);
    overlay_.take(*window, [window, lines](Surface& picture) { draw_settings_notice(*window, picture, lines); });
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
