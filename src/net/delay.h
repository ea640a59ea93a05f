// The input delay that fits the link. At the start the host measures the
// round trip and takes the smallest delay that covers half of it (each side's
// input has the delay's frames to cross), its jitter included, with a frame to
// spare for a lost message and a margin for the sides' own work. During play, when this side or the other
// had to wait for input again and again, the delay grows by a frame; when both
// sides have had input early enough for a long while, it shrinks by one.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace net {

// A wait shorter than this the frame schedule makes up (app/clock.h); a
// longer one costs the game time.
constexpr int kStallMs = 40;
constexpr int kMinAutoDelay = 1;

// The delay for a link whose round trip is at worst `round_trip_ms`.
int delay_for_round_trip(double round_trip_ms);

// The round trip a delay must cover, from those measured: the median and as
// much again as the fastest was below it (the jitter), so a machine too busy
// to answer one probe or two at once does not count as a slow link; the
// slowest when there are fewer than three; negative when there are none.
double round_trip_to_cover(std::vector<double> samples_ms);

// What one side saw over a digest interval of real-time play.
struct IntervalTiming {
    int stalls = 0;     // frames that waited kStallMs or more
    int slack_ms = 0;   // how early the other side's input arrived at best; negative: waited
};

class DelayTuner {
public:
    // Intervals of the window in which recurring stalls raise the delay.
    static constexpr size_t kStallWindow = 40;  // 20 s at 11 frames an interval
    static constexpr int kStallsToRaise = 2;
    // Intervals without a stall, on both sides, before the delay may shrink.
    static constexpr size_t kCalmIntervals = 60;  // 30 s
    // Intervals after a change before another: it takes effect a few frames later.
    static constexpr size_t kSettleIntervals = 6;
    // Shrinking leaves each side at least this much more than a frame of slack.
    static constexpr int kShrinkMarginMs = 10;

    DelayTuner(int delay, int max_delay);

    // This side's figures for its latest interval, and the other side's.
    void add_own(const IntervalTiming& t);
    void add_other(const IntervalTiming& t);
    // The delay to move to now, if any; taking it resets the windows.
    std::optional<int> decide();
    int delay() const { return delay_; }

private:
    static int stalls_in(const std::deque<IntervalTiming>& history, size_t last);
    static bool calm(const std::deque<IntervalTiming>& history, size_t intervals, int& worst_slack);

    int delay_;
    int max_delay_;
    std::deque<IntervalTiming> own_, other_;
    size_t since_change_ = 0;
    size_t calm_needed_ = kCalmIntervals;
    size_t since_shrink_ = 0;  // intervals since the last shrink (a raise soon after doubles the calm needed)
    bool shrunk_ = false;
};

}  // namespace net
