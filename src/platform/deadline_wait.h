// Holding a deadline closely without holding the processor: sleep until a
// short margin before it, then spin. A sleep may overshoot by the scheduler's
// wake-up latency; the spin absorbs that, so the margin is what a wait costs
// in processor time.
#pragma once

#include <cstdint>

namespace platform {

// On Linux a sleep typically wakes 50..100 us late (the default timer slack
// plus the wake-up), and rarely more than 0.4 ms unless the machine is
// overloaded. One millisecond of spin covers that and costs about 2 % of a
// core at the 46 ms play frame (docs/performance.md).
constexpr uint64_t kSpinMarginUs = 1000;

// Returns once now() >= deadline. `now` gives microseconds; `sleep(us)` sleeps
// about that long (it may return early or late); `pump()` runs before each
// sleep (event handling).
template <class Now, class Sleep, class Pump>
void wait_until_deadline(uint64_t deadline, Now&& now, Sleep&& sleep, Pump&& pump,
                         uint64_t spin_margin_us = kSpinMarginUs) {
    for (;;) {
        const uint64_t t = now();
        if (t >= deadline) return;
        const uint64_t left = deadline - t;
        if (left > spin_margin_us) {
            pump();
            sleep(left - spin_margin_us);
        }
    }
}

}  // namespace platform
