// Back end for tests, benchmarks and --headless runs: no window, no audio
// device, and a virtual clock that only moves when someone waits.
#include <cstdio>

#include "platform/platform.h"

namespace platform {
namespace {

// What a test of pictures paced to the display sees as the refresh.
constexpr int kVirtualRefreshHz = 60;

class HeadlessBackend final : public Backend {
public:
    bool headless() const override { return true; }

    std::vector<DisplayInfo> displays() override {
        DisplayInfo d;
        d.name = "Headless display";
        d.description = "Headless display";
        d.primary = true;
        return {d};
    }

    std::vector<VideoMode> modes(int display) override {
        if (display != 0) return {};
        // Deliberately unsorted: the display layer sorts what it is given.
        return {{800, 600, 16}, {640, 480, 32}, {320, 200, 8},   {640, 480, 16},
                {640, 480, 8},  {1024, 768, 32}, {640, 480, 24}, {640, 480, 15},
                {800, 600, 32}};
    }

    void desktop_mode(int, VideoMode& out) override { out = {1024, 768, 32}; }

    bool open_window(const WindowOptions&) override { return true; }
    void close_window() override {}
    // The display layer owns the pixels; nothing is kept here.
    void present(const void*, int, int, int, const FrameFormat&) override {}
    void toggle_fullscreen() override {}
    void set_scaling(Scaling) override {}
    int refresh_hz() override { return kVirtualRefreshHz; }

    // Scripted input is injected by the application loop itself.
    bool poll_event(Event&) override { return false; }

    uint64_t now_us() override { return clock_us_; }
    void wait_until_us(uint64_t deadline) override {
        if (deadline > clock_us_) clock_us_ = deadline;
    }

    void message_box(const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    int choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return 0; }

    bool open_audio(AudioCallback, void*, int, int) override { return false; }
    void close_audio() override {}
    void lock_audio() override {}
    void unlock_audio() override {}

private:
    uint64_t clock_us_ = 0;
};

}  // namespace

std::unique_ptr<Backend> make_headless_backend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace platform
