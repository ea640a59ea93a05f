// Display set-up for tests: the headless back end and a 640 x 480 flipping pair
// in the chosen depth, without opening any window.
#pragma once

#include <string>
#include <vector>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

// Installs the headless back end if none is installed.
void ensure_headless_backend();

// Gives `win` a display device and activates 640 x 480 at `depth` bits
// (8, 15, 16, 24 or 32). Returns false if the mode could not be activated.
bool setup_headless_display(DirectDrawWin& win, int depth = 16);

// A bare window for display-layer and sprite tests.
class TestWindow : public DirectDrawWin {
public:
    explicit TestWindow(int depth = 16) { ok = setup_headless_display(*this, depth); }
    void DrawScene() override {}
    int SelectInitialDisplayMode() override { return 0; }
    BOOL CreateCustomSurfaces() override { return 1; }
    void RestoreSurfaces() override {}
    bool ok = false;
};

// A headless-like back end whose displays and modes a test chooses, and which
// records what the display layer does with it (messages, dialogs, windows,
// presented pictures). The clock is virtual, like the headless one's.
class RecordingBackend : public platform::Backend {
public:
    std::vector<platform::DisplayInfo> display_list{{"Headless display", "Headless display", true}};
    std::vector<std::vector<platform::VideoMode>> mode_lists{{{640, 480, 16}}};
    platform::VideoMode desktop{1024, 768, 32};
    int choice = 0;  // what choose() answers

    std::vector<std::string> messages;
    std::vector<std::vector<std::string>> dialogs;
    std::vector<std::string> dialog_texts;  // title and prompt of each dialog
    std::vector<platform::WindowOptions> windows_opened;
    bool window_is_open = false;
    int icon_size = 0;
    std::vector<uint32_t> icon;  // the last icon given, 0xAARRGGBB
    int presents = 0;
    platform::FrameFormat last_format;
    std::vector<uint32_t> last_palette;  // copied when a palette came with the picture
    int last_width = 0, last_height = 0;
    uint64_t clock_us = 0;
    // Presenting takes time on a slow display: the n-th present (from 0)
    // moves the clock by present_costs_us[n], later ones by present_cost_us.
    uint64_t present_cost_us = 0;
    std::vector<uint64_t> present_costs_us;
    std::vector<uint64_t> present_times_us;  // when each present began

    bool headless() const override { return true; }
    std::vector<platform::DisplayInfo> displays() override { return display_list; }
    std::vector<platform::VideoMode> modes(int display) override;
    void desktop_mode(int, platform::VideoMode& out) override { out = desktop; }
    bool open_window(const platform::WindowOptions& options) override;
    void close_window() override { window_is_open = false; }
    void present(const void* pixels, int pitch, int width, int height,
                 const platform::FrameFormat& format) override;
    void toggle_fullscreen() override {}
    void set_scaling(platform::Scaling) override {}
    void set_window_icon(int width, int height, const uint32_t* argb) override {
        icon_size = width == height ? width : -1;
        icon.assign(argb, argb + static_cast<size_t>(width) * height);
    }
    bool poll_event(platform::Event&) override { return false; }
    uint64_t now_us() override { return clock_us; }
    void wait_until_us(uint64_t deadline) override {
        if (deadline > clock_us) clock_us = deadline;
    }
    void message_box(const std::string&, const std::string& text) override { messages.push_back(text); }
    int choose(const std::string& title, const std::string& prompt,
               const std::vector<std::string>& items) override {
        dialogs.push_back(items);
        dialog_texts.push_back(title + "\n" + prompt);
        return choice;
    }
    bool open_audio(platform::AudioCallback, void*, int, int) override { return false; }
    void close_audio() override {}
    void lock_audio() override {}
    void unlock_audio() override {}
};

// Installs a RecordingBackend for the lifetime of the object, then puts a
// fresh headless back end back.
class ScopedRecordingBackend {
public:
    ScopedRecordingBackend();
    ~ScopedRecordingBackend();
    ScopedRecordingBackend(const ScopedRecordingBackend&) = delete;
    ScopedRecordingBackend& operator=(const ScopedRecordingBackend&) = delete;
    RecordingBackend& operator*() { return *backend_; }
    RecordingBackend* operator->() { return backend_; }

private:
    RecordingBackend* backend_;
};
