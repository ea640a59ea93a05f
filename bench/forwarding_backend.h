// A back end that hands every call to another one. The benchmarks' back ends
// derive from it and override only what they measure or stand in for.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace bench {

class ForwardingBackend : public platform::Backend {
public:
    explicit ForwardingBackend(std::unique_ptr<platform::Backend> inner) : inner_(std::move(inner)) {}

    bool headless() const override { return inner_->headless(); }
    std::vector<platform::DisplayInfo> displays() override { return inner_->displays(); }
    std::vector<platform::VideoMode> modes(int d) override { return inner_->modes(d); }
    void desktop_mode(int d, platform::VideoMode& out) override { inner_->desktop_mode(d, out); }
    bool open_window(const platform::WindowOptions& o) override { return inner_->open_window(o); }
    void close_window() override { inner_->close_window(); }
    void present(const void* p, int pitch, int w, int h, const platform::FrameFormat& f) override {
        inner_->present(p, pitch, w, h, f);
    }
    std::string renderer_name() const override { return inner_->renderer_name(); }
    int refresh_hz() override { return inner_->refresh_hz(); }
    void toggle_fullscreen() override { inner_->toggle_fullscreen(); }
    void set_scaling(platform::Scaling s) override { inner_->set_scaling(s); }
    void set_window_icon(int w, int h, const uint32_t* argb) override { inner_->set_window_icon(w, h, argb); }
    bool poll_event(platform::Event& e) override { return inner_->poll_event(e); }
    uint64_t now_us() override { return inner_->now_us(); }
    void wait_until_us(uint64_t deadline) override { inner_->wait_until_us(deadline); }
    void sleep_ms(uint32_t ms) override { inner_->sleep_ms(ms); }
    void sleep_until_us(uint64_t deadline) override { inner_->sleep_until_us(deadline); }
    void message_box(const std::string& t, const std::string& m) override { inner_->message_box(t, m); }
    int choose(const std::string& t, const std::string& p, const std::vector<std::string>& items) override {
        return inner_->choose(t, p, items);
    }
    bool open_audio(platform::AudioCallback cb, void* u, int rate, int frames) override {
        return inner_->open_audio(cb, u, rate, frames);
    }
    void close_audio() override { inner_->close_audio(); }
    void lock_audio() override { inner_->lock_audio(); }
    void unlock_audio() override { inner_->unlock_audio(); }

protected:
    platform::Backend& inner() { return *inner_; }

private:
    std::unique_ptr<platform::Backend> inner_;
};

}  // namespace bench
