#include "platform/input_options.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
InputOptions g_options;
}

void set_input_options(const InputOptions& options) {
    g_options = options;
    // Whatever the caller read from a file: a usable speed and dead zone.
    if (!std::isfinite(g_options.mouse_sensitivity)) g_options.mouse_sensitivity = 1.0;
    g_options.mouse_sensitivity = std::clamp(g_options.mouse_sensitivity, 0.1, 10.0);
    g_options.controller_dead_zone = std::clamp(g_options.controller_dead_zone, 0, 90);
}

const InputOptions& input_options() { return g_options; }

}  // namespace platform
