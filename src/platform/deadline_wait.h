// Holding a deadline closely without holding the processor: sleep to a short
// margin before it, then spin. A sleep may end late by the scheduler's wake-up
// latency; the spin absorbs that, so the margin is what a wait costs in
// processor time.
#pragma once

#include <cstdint>

namespace platform {

// With the timer slack of the waiting thread lowered to a microsecond, an
// absolute sleep on an idle machine ends 10 to 80 us after the time asked for;
// 100 us covers that and costs about 0.1 % of a core at the 46 ms play frame
// (docs/performance.md).
constexpr uint64_t kSpinMarginUs = 100;

// Returns once now() >= deadline. `now` gives microseconds;
// `sleep_until(t)` sleeps until about time t (it may return early or late);
// `pump()` runs before each sleep (event handling).
template <class Now, class SleepUntil, class Pump>
void wait_until_deadline(uint64_t deadline, Now&& now, SleepUntil&& sleep_until, Pump&& pump,
                         uint64_t spin_margin_us = kSpinMarginUs) {
    for (;;) {
        const uint64_t t = now();
        if (t >= deadline) return;
        if (deadline - t > spin_margin_us) {
            pump();
            sleep_until(deadline - spin_margin_us);
        }
    }
}

}  // namespace platform
