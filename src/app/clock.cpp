#include "app/clock.h"

#include <cstdint>

#include "app/Velmora_Win.h"
#include "platform/platform.h"

uint32_t now_ms() { return platform::backend().now_ms(); }

void wait_until_ms(uint32_t deadline_ms) {
    platform::Backend& clock = platform::backend();
    const uint64_t now_us = clock.now_us();
    const auto now = static_cast<uint32_t>(now_us / 1000);
    // Signed distance: a deadline set just before the counter wraps is still
    // in the future after the wrap.
    const auto ahead = static_cast<int32_t>(deadline_ms - now);
    if (ahead <= 0) return;
    clock.wait_until_us((now_us / 1000 + static_cast<uint64_t>(ahead)) * 1000);
}

uint32_t PlayFrameSchedule::next_deadline(uint32_t now) {
    const uint32_t carried = last_deadline_ + kPeriodMs;
    // Signed: the millisecond count wraps after 49 days.
    const bool stalled = static_cast<int32_t>(now - carried) > 0;
    last_deadline_ = running_ && !stalled ? carried : now + kFirstFrameMs;
    running_ = true;
    return last_deadline_;
}
