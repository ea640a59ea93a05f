#include "platform/sdl_renderer.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

class SdlRendererFactory final : public RendererFactory {
public:
    explicit SdlRendererFactory(SDL_Window* window) : window_(window) {}

    SDL_Renderer* renderer = nullptr;

    bool gpu_available() override {
        return !software_gl_forced(std::getenv("LIBGL_ALWAYS_SOFTWARE"), std::getenv("GALLIUM_DRIVER")) &&
               gpu_device_present();
    }

    bool create_accelerated() override {
        renderer = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        return renderer != nullptr;
    }

    std::string gl_renderer() override {
        SDL_RendererInfo info{};
        if (renderer == nullptr || SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr ||
            std::strncmp(info.name, "opengl", 6) != 0 || SDL_GL_GetCurrentContext() == nullptr)
            return {};
        using GetString = const unsigned char* (*)(unsigned);
        auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned char* name = get_string != nullptr ? get_string(kGlRenderer) : nullptr;
        return name != nullptr ? std::string(reinterpret_cast<const char*>(name)) : std::string();
    }

    void destroy() override {
        if (renderer != nullptr) SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }

    // No SDL renderer at all: the picture is written into the window's own
    // surface, which is what SDL's software renderer draws into anyway, less
    // its texture and the copy from it.
    bool create_software() override {
        // Otherwise SDL may back the window's surface with an accelerated
        // texture, loading the very OpenGL this choice is there to avoid.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        return SDL_GetWindowSurface(window_) != nullptr;
    }

private:
    SDL_Window* window_;
};

}  // namespace

bool create_window_renderer(SDL_Window* window, RendererSetting setting, SDL_Renderer*& renderer,
                            std::string& description) {
    SdlRendererFactory factory(window);
    const RendererKind kind = create_renderer(setting, factory);
    renderer = factory.renderer;
    description.clear();
    if (kind == RendererKind::None) return false;
    if (kind == RendererKind::Software) {
        description = "software";
        return true;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(factory.renderer, &info) == 0 && info.name != nullptr) description = info.name;
    const std::string gl = factory.gl_renderer();
    if (!gl.empty()) description += " on " + gl;
    return true;
}

}  // namespace platform
