#include "platform/renderer_choice.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace platform {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool usable(const std::string& path) { return ::access(path.c_str(), R_OK | W_OK) == 0; }

}  // namespace

bool parse_renderer_setting(const std::string& text, RendererSetting& out) {
    const std::string v = lower(text);
    if (v == "auto") out = RendererSetting::Auto;
    else if (v == "software") out = RendererSetting::Software;
    else if (v == "accelerated") out = RendererSetting::Accelerated;
    else return false;
    return true;
}

const char* renderer_setting_name(RendererSetting setting) {
    switch (setting) {
        case RendererSetting::Software: return "software";
        case RendererSetting::Accelerated: return "accelerated";
        default: return "auto";
    }
}

bool is_software_rasteriser(const std::string& gl_renderer) {
    const std::string r = lower(gl_renderer);
    return r.find("llvmpipe") != std::string::npos || r.find("softpipe") != std::string::npos ||
           r.find("swrast") != std::string::npos || r.find("software rasterizer") != std::string::npos;
}

RendererKind create_renderer(RendererSetting setting, RendererFactory& factory) {
    const auto software_first = [&factory] {
        if (factory.create_software()) return RendererKind::Software;
        return factory.create_accelerated() ? RendererKind::Accelerated : RendererKind::None;
    };
    if (setting == RendererSetting::Software) return software_first();
    if (setting == RendererSetting::Auto && !factory.gpu_available()) return software_first();

    if (!factory.create_accelerated())
        return factory.create_software() ? RendererKind::Software : RendererKind::None;
    if (setting == RendererSetting::Accelerated || !is_software_rasteriser(factory.gl_renderer()))
        return RendererKind::Accelerated;
    // A GPU is there but OpenGL ended on the processor anyway (no driver for
    // it, a remote display): the software renderer draws the same for less.
    factory.destroy();
    if (factory.create_software()) return RendererKind::Software;
    return factory.create_accelerated() ? RendererKind::Accelerated : RendererKind::None;
}

bool software_gl_forced(const char* libgl_always_software, const char* gallium_driver) {
    if (libgl_always_software != nullptr && *libgl_always_software != '\0' &&
        std::string(libgl_always_software) != "0")
        return true;
    if (gallium_driver == nullptr) return false;
    const std::string driver = lower(gallium_driver);
    return driver == "llvmpipe" || driver == "softpipe" || driver == "swrast";
}

bool gpu_device_present() {
    // Render nodes first (what Mesa opens), then the primary nodes, then the
    // proprietary driver's own device.
    for (int i = 128; i < 136; ++i)
        if (usable("/dev/dri/renderD" + std::to_string(i))) return true;
    for (int i = 0; i < 8; ++i)
        if (usable("/dev/dri/card" + std::to_string(i))) return true;
    return usable("/dev/nvidia0");
}

}  // namespace platform
