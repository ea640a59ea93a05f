// Which of SDL's renderers draws the picture. On a machine without a usable
// GPU, SDL's accelerated renderer is OpenGL on a rasteriser that runs on the
// processor (Mesa's llvmpipe or softpipe): it costs twice the processor time
// of SDL's own software renderer, four times the memory (the compiler it
// loads) and a quarter of a second at start-up. `Auto` takes the software
// renderer there and the accelerated one on a real GPU.
#pragma once

#include <string>

namespace platform {

enum class RendererSetting { Auto, Software, Accelerated };

// "auto", "software" or "accelerated", in any case; false for anything else.
bool parse_renderer_setting(const std::string& text, RendererSetting& out);
const char* renderer_setting_name(RendererSetting setting);

// A GL_RENDERER string naming a rasteriser that runs on the processor.
bool is_software_rasteriser(const std::string& gl_renderer);

// The platform's side of creating a renderer for a window: SDL's, or a fake.
class RendererFactory {
public:
    virtual ~RendererFactory() = default;
    // Whether OpenGL could reach a GPU at all (a device node the user may
    // open, and no variable forcing Mesa onto the processor). Asked before
    // anything loads OpenGL, which is what costs the memory and the time.
    virtual bool gpu_available() = 0;
    virtual bool create_accelerated() = 0;
    // The GL_RENDERER string of the accelerated renderer just made; empty
    // when it does not draw through OpenGL.
    virtual std::string gl_renderer() = 0;
    virtual void destroy() = 0;
    virtual bool create_software() = 0;
};

enum class RendererKind { None, Software, Accelerated };

// Creates the renderer the setting asks for through `factory`, falling back
// to the other kind when the one wanted cannot be made.
RendererKind create_renderer(RendererSetting setting, RendererFactory& factory);

// Whether the environment sends Mesa's OpenGL to the processor whatever the
// hardware (LIBGL_ALWAYS_SOFTWARE, GALLIUM_DRIVER); null means unset.
bool software_gl_forced(const char* libgl_always_software, const char* gallium_driver);

// True when a GPU device node exists that this user may open.
bool gpu_device_present();

}  // namespace platform
