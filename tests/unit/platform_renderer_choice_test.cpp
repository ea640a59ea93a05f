// Which renderer draws the window, decided against a faked platform: what it
// offers, what fails, and which OpenGL renderer the accelerated one turns out
// to be.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/renderer_choice.h"

namespace {

using platform::RendererKind;
using platform::RendererSetting;

class FakeFactory : public platform::RendererFactory {
public:
    bool gpu = true;
    bool accelerated_works = true;
    bool software_works = true;
    std::string gl = "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)";
    std::vector<std::string> calls;
    int live = 0;  // renderers made and not destroyed

    bool gpu_available() override {
        calls.push_back("probe");
        return gpu;
    }
    bool create_accelerated() override {
        calls.push_back("accelerated");
        live += accelerated_works ? 1 : 0;
        return accelerated_works;
    }
    std::string gl_renderer() override { return gl; }
    void destroy() override {
        calls.push_back("destroy");
        --live;
    }
    bool create_software() override {
        calls.push_back("software");
        live += software_works ? 1 : 0;
        return software_works;
    }
};

using Calls = std::vector<std::string>;

TEST(RendererChoice, AutoTakesTheGpuAndNeverTouchesOpenGlWithoutOne) {
    FakeFactory gpu;
    EXPECT_EQ(create_renderer(RendererSetting::Auto, gpu), RendererKind::Accelerated);
    EXPECT_EQ(gpu.calls, (Calls{"probe", "accelerated"}));

    FakeFactory none;
    none.gpu = false;
    EXPECT_EQ(create_renderer(RendererSetting::Auto, none), RendererKind::Software);
    EXPECT_EQ(none.calls, (Calls{"probe", "software"}));
}

TEST(RendererChoice, AutoLeavesOpenGlThatRunsOnTheProcessor) {
    for (const char* gl : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer"}) {
        FakeFactory f;
        f.gl = gl;
        EXPECT_EQ(create_renderer(RendererSetting::Auto, f), RendererKind::Software) << gl;
        EXPECT_EQ(f.calls, (Calls{"probe", "accelerated", "destroy", "software"})) << gl;
        EXPECT_EQ(f.live, 1) << gl;
    }
    // Forced, it stays.
    FakeFactory forced;
    forced.gl = "llvmpipe (LLVM 15.0.6, 256 bits)";
    EXPECT_EQ(create_renderer(RendererSetting::Accelerated, forced), RendererKind::Accelerated);
    EXPECT_EQ(forced.calls, (Calls{"accelerated"}));
}

TEST(RendererChoice, ForcedChoicesAndFailuresFallBackToTheOtherKind) {
    FakeFactory software;
    EXPECT_EQ(create_renderer(RendererSetting::Software, software), RendererKind::Software);
    EXPECT_EQ(software.calls, (Calls{"software"}));

    FakeFactory no_gl;  // a GPU device, but no accelerated renderer (the dummy video driver)
    no_gl.accelerated_works = false;
    EXPECT_EQ(create_renderer(RendererSetting::Auto, no_gl), RendererKind::Software);
    EXPECT_EQ(create_renderer(RendererSetting::Accelerated, no_gl), RendererKind::Software);

    FakeFactory no_software;
    no_software.software_works = false;
    EXPECT_EQ(create_renderer(RendererSetting::Software, no_software), RendererKind::Accelerated);
    no_software.gl = "llvmpipe";
    EXPECT_EQ(create_renderer(RendererSetting::Auto, no_software), RendererKind::Accelerated)
        << "a slow renderer is better than none";

    FakeFactory nothing;
    nothing.accelerated_works = nothing.software_works = false;
    EXPECT_EQ(create_renderer(RendererSetting::Auto, nothing), RendererKind::None);
    EXPECT_EQ(nothing.live, 0);
}

TEST(RendererChoice, SettingsAndEnvironmentAreRead) {
    RendererSetting s = RendererSetting::Auto;
    EXPECT_TRUE(platform::parse_renderer_setting("Accelerated", s));
    EXPECT_EQ(s, RendererSetting::Accelerated);
    EXPECT_FALSE(platform::parse_renderer_setting("opengl", s));
    EXPECT_EQ(s, RendererSetting::Accelerated);
    EXPECT_STREQ(platform::renderer_setting_name(RendererSetting::Software), "software");

    EXPECT_TRUE(platform::software_gl_forced("1", nullptr));
    EXPECT_TRUE(platform::software_gl_forced(nullptr, "llvmpipe"));
    EXPECT_FALSE(platform::software_gl_forced("0", "radeonsi"));
    EXPECT_FALSE(platform::software_gl_forced(nullptr, nullptr));
    EXPECT_FALSE(platform::is_software_rasteriser("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
}

}  // namespace
