#include "app/choices.h"

#include <cstdint>
#include <filesystem>
#include <vector>

#include "app/autofire.h"
#include "app/options.h"
#include "display/DirectDrawWin.h"
#include "platform/input_options.h"
#include "platform/platform.h"

namespace {

// The window keeps its own copy for when it is opened again.
DirectDrawWin* window() { return DirectDrawWin::thisptr; }

// The codes of every key a job's list names.
std::vector<int32_t> codes_of(const std::string& names) {
    std::vector<int32_t> codes;
    std::string bad;
    if (!platform::key_codes_for_names(names, codes, bad)) codes.clear();
    return codes;
}

// `path` lies in `dir` (both as given, made absolute).
bool inside(const std::string& path, const std::string& dir) {
    if (path.empty() || dir.empty()) return false;
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec).parent_path();
    return !ec && p == std::filesystem::absolute(dir, ec);
}

}  // namespace

bool network_run() {
    const LaunchOptions& o = launch_options();
    return o.host_port >= 0 || !o.join_host.empty();
}

bool fullscreen_now() { return launch_options().fullscreen; }

void switch_fullscreen(bool already_switched) {
    LaunchOptions& o = launch_options();
    o.fullscreen = !o.fullscreen;
    if (window() != nullptr) window()->start_fullscreen = o.fullscreen;
    if (!already_switched && platform::has_backend()) platform::backend().toggle_fullscreen();
    choices().fullscreen = o.fullscreen;
    remember_choice("fullscreen");
}

platform::Scaling scaling_now() { return launch_options().scaling; }

platform::Scaling next_scaling(platform::Scaling scaling, int step) {
    // The order a player reads them in, not the stored numbers.
    constexpr platform::Scaling kOrder[] = {platform::Scaling::Auto, platform::Scaling::Integer,
                                            platform::Scaling::Fit, platform::Scaling::Stretch};
    constexpr int kCount = 4;
    int at = 0;
    for (int i = 0; i < kCount; ++i)
        if (kOrder[i] == scaling) at = i;
    return kOrder[((at + step) % kCount + kCount) % kCount];
}

void choose_scaling(platform::Scaling scaling) {
    launch_options().scaling = scaling;
    if (window() != nullptr) window()->scaling_mode = static_cast<int>(scaling);
    if (platform::has_backend()) platform::backend().set_scaling(scaling);
    choices().scaling = scaling;
    remember_choice("scaling");
}

MotionMode motion_now() { return launch_options().motion; }

void choose_motion(MotionMode motion) {
    launch_options().motion = motion;  // read by the frame loop every step
    choices().motion = motion;
    remember_choice("motion");
}

bool autofire_now() { return player_autofire(1); }

void choose_autofire(bool on) {
    set_autofire(on);
    choices().autofire = on;
    remember_choice("autofire");
}

const char* key_job_label(int job) {
    switch (job) {
        case platform::kPlayerOneFire: return "Player one fire";
        case platform::kPlayerTwoUp: return "Player two up";
        case platform::kPlayerTwoDown: return "Player two down";
        case platform::kPlayerTwoLeft: return "Player two left";
        case platform::kPlayerTwoRight: return "Player two right";
        case platform::kPlayerTwoFire: return "Player two fire";
        default: return "";
    }
}

int job_using_key(const std::string& name, int job) {
    const std::vector<int32_t> wanted = codes_of(name);
    if (wanted.size() != 1) return -1;
    for (int other = 0; other < platform::kKeyJobCount; ++other) {
        if (other == job) continue;
        for (int32_t code : codes_of(choices().keys[size_t(other)]))
            if (code == wanted.front()) return other;
    }
    return -1;
}

void choose_key(int job, const std::string& name) {
    if (job < 0 || job >= platform::kKeyJobCount) return;
    choices().keys[size_t(job)] = name;
    platform::InputOptions input = platform::input_options();
    input.keys = choices().keys;
    platform::set_input_options(input);
    remember_choice(platform::key_job(job).setting);
}

std::string settings_place_problem(const std::string& config_path, const std::string& volumes_path) {
    const std::string dir = config_path.empty() ? std::string() : std::filesystem::path(config_path).parent_path().string();
    const std::string why = directory_write_problem(dir);
    if (why.empty()) return {};
    const bool volumes_too = volumes_path.empty() || inside(volumes_path, dir);
    return "cannot save settings in " + (dir.empty() ? std::string("a settings directory") : dir) + ": " + why +
           "; choices made in the game" + (volumes_too ? " and the volumes" : "") + " last only for this run";
}
