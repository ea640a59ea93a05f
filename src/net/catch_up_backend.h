// The back end of a window that catches up with a network game: while fast,
// the game's waits take no time (its clock jumps to each deadline, as a
// headless clock does, and stays ahead of the real one from then on), its
// pictures are not shown but for the progress the catch-up asks to show, and
// its sound is mixed and thrown away. Otherwise it is the back end it wraps.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace net {

class CatchUpBackend final : public platform::Backend {
public:
    explicit CatchUpBackend(std::unique_ptr<platform::Backend> inner) : inner_(std::move(inner)) {}

    void set_fast(bool fast) { fast_ = fast; }
    bool fast() const { return fast_; }
    // The next picture is shown even while fast (the progress).
    void show_next() { show_next_ = true; }

    bool headless() const override { return inner_->headless(); }
    std::vector<platform::DisplayInfo> displays() override { return inner_->displays(); }
    std::vector<platform::VideoMode> modes(int display) override { return inner_->modes(display); }
    void desktop_mode(int display, platform::VideoMode& out) override { inner_->desktop_mode(display, out); }
    bool open_window(const platform::WindowOptions& options) override { return inner_->open_window(options); }
    void close_window() override { inner_->close_window(); }
    void present(const void* pixels, int pitch, int width, int height, const platform::FrameFormat& format) override;
    void toggle_fullscreen() override { inner_->toggle_fullscreen(); }
    void set_scaling(platform::Scaling scaling) override { inner_->set_scaling(scaling); }
    std::string renderer_name() const override { return inner_->renderer_name(); }
    int refresh_hz() override { return inner_->refresh_hz(); }
    void set_window_icon(int width, int height, const uint32_t* argb) override {
        inner_->set_window_icon(width, height, argb);
    }
    bool poll_event(platform::Event& event) override { return inner_->poll_event(event); }
    uint64_t now_us() override { return inner_->now_us() + ahead_us_; }
    void wait_until_us(uint64_t deadline) override;
    void sleep_ms(uint32_t ms) override { wait_until_us(now_us() + uint64_t(ms) * 1000); }
    void sleep_until_us(uint64_t deadline) override;
    void message_box(const std::string& title, const std::string& text) override { inner_->message_box(title, text); }
    int choose(const std::string& title, const std::string& prompt, const std::vector<std::string>& items) override {
        return inner_->choose(title, prompt, items);
    }
    bool open_audio(platform::AudioCallback callback, void* userdata, int rate, int buffer_frames) override;
    void close_audio() override { inner_->close_audio(); }
    void lock_audio() override { inner_->lock_audio(); }
    void unlock_audio() override { inner_->unlock_audio(); }

private:
    static void mix(void* self, int16_t* out, int frames);

    std::unique_ptr<platform::Backend> inner_;
    std::atomic<bool> fast_{false};
    bool show_next_ = false;
    uint64_t ahead_us_ = 0;  // how far the game's clock ran ahead of the real one
    platform::AudioCallback callback_ = nullptr;
    void* userdata_ = nullptr;
};

}  // namespace net
