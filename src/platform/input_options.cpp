#include "platform/input_options.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {
InputOptions g_options;
// Key code -> game code, from g_options.keys.
std::vector<std::pair<int32_t, int>> g_key_jobs;

constexpr KeyJobInfo kJobs[kKeyJobCount] = {
    {"keys.p1_fire", "Space", 0x20},
    {"keys.p2_up", "Up", 0x26},
    {"keys.p2_down", "Down", 0x28},
    {"keys.p2_left", "Left", 0x25},
    {"keys.p2_right", "Right", 0x27},
    {"keys.p2_fire", "Left Ctrl, Right Ctrl", 0x11},
};

void build_key_jobs() {
    g_key_jobs.clear();
    for (int job = 0; job < kKeyJobCount; ++job) {
        std::vector<int32_t> codes;
        std::string bad;
        // Names the settings reader let through are good; anything else falls
        // back to the job's own keys.
        if (!key_codes_for_names(g_options.keys[size_t(job)], codes, bad)) {
            codes.clear();
            key_codes_for_names(kJobs[job].default_keys, codes, bad);
        }
        for (int32_t code : codes) {
            const bool taken = std::any_of(g_key_jobs.begin(), g_key_jobs.end(),
                                           [code](const auto& entry) { return entry.first == code; });
            if (!taken) g_key_jobs.emplace_back(code, kJobs[job].game_vkey);
        }
    }
}
}  // namespace

const KeyJobInfo& key_job(int job) { return kJobs[std::clamp(job, 0, kKeyJobCount - 1)]; }

std::array<std::string, kKeyJobCount> default_key_names() {
    std::array<std::string, kKeyJobCount> names;
    for (int job = 0; job < kKeyJobCount; ++job) names[size_t(job)] = kJobs[job].default_keys;
    return names;
}

void set_input_options(const InputOptions& options) {
    g_options = options;
    // Whatever the caller read from a file: a usable speed and dead zone.
    if (!std::isfinite(g_options.mouse_sensitivity)) g_options.mouse_sensitivity = 1.0;
    g_options.mouse_sensitivity = std::clamp(g_options.mouse_sensitivity, 0.1, 10.0);
    g_options.controller_dead_zone = std::clamp(g_options.controller_dead_zone, 0, 90);
    build_key_jobs();
}

const InputOptions& input_options() { return g_options; }

int job_vkey_for_key(int32_t sdl_keycode) {
    for (const auto& [code, vkey] : g_key_jobs)
        if (code == sdl_keycode) return vkey;
    return 0;
}

}  // namespace platform
