// The game's millisecond clock and frame deadlines, read through the platform
// back end (real time with a window, a virtual clock headless).
#pragma once

#include <cstdint>

// Returns once now_ms() has reached `deadline_ms`: sleeps most of the way and
// spins the rest (headless: the virtual clock jumps there). A deadline already
// passed returns at once; the 32-bit wrap of the millisecond count is handled.
void wait_until_ms(uint32_t deadline_ms);

// Deadlines of consecutive play frames. The game has always run at one step
// per 46 ms: a 45 ms deadline taken at the start of the frame, then the flip
// and a 1 ms pause. Taking each deadline from the clock made every bit of
// presenting beyond that pause lengthen the step, so the game ran slower on
// a slow display. Here each deadline is the previous one plus the period,
// whatever presenting cost in between. A frame that ends more than a period
// past its deadline starts the schedule again from the clock, so the game
// does not rush to make up for a long stall.
class PlayFrameSchedule {
public:
    static constexpr uint32_t kPeriodMs = 46;
    // Work plus the wait of a frame that starts a schedule; the pause after
    // the flip completes the period.
    static constexpr uint32_t kFirstFrameMs = 45;

    // The deadline of a play frame starting at `now`.
    uint32_t next_deadline(uint32_t now);
    // The next play frame starts a fresh schedule (play was left).
    void restart() { running_ = false; }

private:
    bool running_ = false;
    uint32_t last_deadline_ = 0;
};
