#include "app/picture_pacing.h"

#include <algorithm>
#include <functional>

#include "app/Velmora_Win.h"
#include "app/clock.h"
#include "app/options.h"
#include "platform/platform.h"

namespace {

constexpr int kDefaultRefreshHz = 60;  // when the display tells none
constexpr uint64_t kPauseUs = 1000;    // the frame's pause after its flip

// Pictures between the steps are drawn only where someone sees them: a
// headless run shows nobody its pictures, so it draws them only when asked
// with --refresh (to compare the two motions, to look at the pictures).
bool smooth_pictures(platform::Backend& be) {
    const LaunchOptions& o = launch_options();
    return o.motion == MotionMode::Smooth && (!be.headless() || o.refresh_hz > 0);
}

int refresh_hz(platform::Backend& be) {
    if (launch_options().refresh_hz > 0) return launch_options().refresh_hz;
    const int reported = be.refresh_hz();
    return reported > 0 ? reported : kDefaultRefreshHz;
}

// The deadline on the microsecond clock, as wait_until_ms takes it.
uint64_t deadline_on_us_clock(uint64_t now_us, uint32_t deadline_ms) {
    const auto now_ms = static_cast<uint32_t>(now_us / 1000);
    const auto ahead = static_cast<int32_t>(deadline_ms - now_ms);  // the millisecond count wraps
    return ahead <= 0 ? now_us : (now_us / 1000 + static_cast<uint64_t>(ahead)) * 1000;
}

constexpr uint64_t kStepUs = uint64_t{PlayFrameSchedule::kPeriodMs} * 1000;

}  // namespace

void PictureSchedule::set_refresh_hz(int hz) {
    const uint64_t period = 1000000000u / uint64_t(hz > 0 ? hz : kDefaultRefreshHz);
    if (period == period_ns_) return;
    period_ns_ = period;
    anchor_us_ = next_us_;  // the next picture keeps its moment; the grid goes on from there
    count_on_grid_ = 0;
}

uint64_t PictureSchedule::slack_us() const { return std::min(kSlackUs, period_us() / 4); }

uint64_t PictureSchedule::cost_us() const {
    // The longest but one of the recent pictures: one that was held up (the
    // window's first picture, a moment the machine was busy) says nothing
    // of the next, and would keep pictures from the end of several steps.
    const size_t n = std::min(count_, costs_.size());
    if (n < 2) return n == 0 ? 0 : costs_[0];
    std::array<uint64_t, 8> recent = costs_;
    std::nth_element(recent.begin(), recent.begin() + 1, recent.begin() + static_cast<std::ptrdiff_t>(n),
                     std::greater<>());
    return recent[1];
}

uint64_t PictureSchedule::lead_us() const {
    const size_t n = std::min(drawn_count_, leads_.size());
    return n == 0 ? 0 : *std::min_element(leads_.begin(), leads_.begin() + static_cast<std::ptrdiff_t>(n));
}

bool PictureSchedule::ends_by(uint64_t start_us, uint64_t limit_us) const {
    return cost_known() && start_us + cost_us() + kMarginUs <= limit_us;
}

void PictureSchedule::place_next() {
    next_us_ = anchor_us_ + (count_on_grid_ * period_ns_ + 500) / 1000;
}

void PictureSchedule::shown(uint64_t began_us, uint64_t presented_us, uint64_t ended_us, bool drawn) {
    costs_[count_++ % costs_.size()] = ended_us >= began_us ? ended_us - began_us : 0;
    if (drawn) leads_[drawn_count_++ % leads_.size()] = presented_us >= began_us ? presented_us - began_us : 0;
    if (presented_us <= next_us_ + slack_us()) {
        ++count_on_grid_;
    } else {
        // Too late for its place (a long step, a stall, the first picture of
        // play): the grid starts again from this one, without a catch-up burst.
        anchor_us_ = presented_us;
        count_on_grid_ = 1;
    }
    place_next();
}

void PicturePacing::wait_for_deadline(Velmora_Win& window, uint32_t deadline_ms) {
    platform::Backend& be = platform::backend();
    smooth_step_ = smooth_pictures(be) && window.backsurf != nullptr;
    if (!smooth_step_) {
        field_.forget();
        wait_until_ms(deadline_ms);
        return;
    }
    schedule_.set_refresh_hz(refresh_hz(be));
    deadline_us_ = deadline_on_us_clock(be.now_us(), deadline_ms);
    field_.prepare();
    for (;;) {
        const uint64_t now = be.now_us();
        if (now >= deadline_us_) return;
        const uint64_t start = std::max(now, schedule_.next_drawing_us());
        // Until one picture has shown what a picture costs, the step's own is
        // the first; one that would end late is left to it too.
        if (!schedule_.ends_by(start, deadline_us_)) break;
        if (now < start) be.sleep_until_us(start);
        else show_between(window, now);
    }
    wait_until_ms(deadline_ms);
}

void PicturePacing::flip(Velmora_Win& window) {
    if (!smooth_step_) {
        window.Flip();
        return;
    }
    window.SwapBuffers();
    const uint64_t now = platform::backend().now_us();
    if (now >= schedule_.next_us()) show_front(window, now);
}

void PicturePacing::pause(Velmora_Win& window) {
    platform::Backend& be = platform::backend();
    if (!smooth_step_) {
        be.sleep_ms(1);
        return;
    }
    smooth_step_ = false;
    const uint64_t end = be.now_us() + kPauseUs;
    if (schedule_.next_us() < end) {
        be.sleep_until_us(schedule_.next_us());
        show_front(window, be.now_us());
    }
    be.sleep_until_us(end);
}

const Surface& PicturePacing::draw_picture(Velmora_Win& window, int fraction) {
    const Surface& step = *window.backsurf;
    const RECT& field = window.playfield_rect;
    const bool fresh = picture_.pixels.size() != step.pixels.size() || picture_.width != step.width ||
                       picture_.pitch != step.pitch || picture_.format.depth != step.format.depth;
    if (fresh) {
        picture_ = Surface{};
        picture_.width = step.width;
        picture_.height = step.height;
        picture_.pitch = step.pitch;
        picture_.format = step.format;
        picture_.pixels = step.pixels;
    } else {
        // The step's own status and power-up bars. The play field is drawn
        // over the last picture: where no sprite covers it, it keeps what
        // was there, as the game's own buffers do (sprites cover it all but
        // a few hundred pixels of one world).
        const auto rows = [&](int from, int to) {
            const size_t begin = static_cast<size_t>(std::clamp(from, 0, step.height)) * step.pitch;
            const size_t end = static_cast<size_t>(std::clamp(to, 0, step.height)) * step.pitch;
            if (end > begin)
                std::copy(step.pixels.begin() + static_cast<std::ptrdiff_t>(begin),
                          step.pixels.begin() + static_cast<std::ptrdiff_t>(end),
                          picture_.pixels.begin() + static_cast<std::ptrdiff_t>(begin));
        };
        rows(0, field.top);
        rows(field.bottom, step.height);
    }
    picture_.pixels_changed();
    field_.draw(window, &picture_, window.playfield_rect, fraction);
    if (window.overlay) window.overlay(picture_);
    return picture_;
}

void PicturePacing::show_between(Velmora_Win& window, uint64_t began_us) {
    platform::Backend& be = platform::backend();
    // Seen once it has been drawn and handed over, on its place on the grid
    // unless drawing began late.
    const uint64_t seen = std::max(schedule_.next_us(), began_us + schedule_.lead_us());
    const int fraction = motion_blend::step_fraction(seen, deadline_us_, kStepUs);
    const Surface& picture = draw_picture(window, fraction);
    const uint64_t presented = be.now_us();
    window.PresentSurface(picture);
    schedule_.shown(began_us, presented, be.now_us(), true);
}

void PicturePacing::show_front(Velmora_Win& window, uint64_t began_us) {
    platform::Backend& be = platform::backend();
    window.ShowFront();
    schedule_.shown(began_us, began_us, be.now_us(), false);
}
