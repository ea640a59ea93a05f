#include "net/catch_up_backend.h"

#include <cstring>

namespace net {

void CatchUpBackend::present(const void* pixels, int pitch, int width, int height,
                             const platform::FrameFormat& format) {
    if (fast_ && !show_next_) return;
    show_next_ = false;
    inner_->present(pixels, pitch, width, height, format);
}

void CatchUpBackend::wait_until_us(uint64_t deadline) {
    const uint64_t now = now_us();
    if (fast_) {
        if (deadline > now) ahead_us_ += deadline - now;
        return;
    }
    if (deadline > ahead_us_) inner_->wait_until_us(deadline - ahead_us_);
}

void CatchUpBackend::sleep_until_us(uint64_t deadline) {
    if (fast_) return wait_until_us(deadline);
    if (deadline > ahead_us_) inner_->sleep_until_us(deadline - ahead_us_);
}

bool CatchUpBackend::open_audio(platform::AudioCallback callback, void* userdata, int rate, int buffer_frames) {
    callback_ = callback;
    userdata_ = userdata;
    return inner_->open_audio(&CatchUpBackend::mix, this, rate, buffer_frames);
}

// On the audio thread: the mixer runs as ever (its voices end in their time),
// but nothing of the catch-up is heard.
void CatchUpBackend::mix(void* self, int16_t* out, int frames) {
    auto* me = static_cast<CatchUpBackend*>(self);
    me->callback_(me->userdata_, out, frames);
    if (me->fast_) std::memset(out, 0, static_cast<size_t>(frames) * 2 * sizeof(int16_t));
}

}  // namespace net
