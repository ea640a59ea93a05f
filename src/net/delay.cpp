#include "net/delay.h"

#include <algorithm>
#include <cmath>

#include "app/clock.h"
#include "app/options.h"

namespace net {
namespace {
constexpr double kFrameMs = PlayFrameSchedule::kPeriodMs;
// Besides the frame a lost message costs: the sides' own work between
// receiving input and using it, and the jitter the probes did not catch.
constexpr double kMarginMs = 10;
constexpr size_t kHistory = std::max(DelayTuner::kStallWindow, 8 * DelayTuner::kCalmIntervals);
}  // namespace

int delay_for_round_trip(double round_trip_ms) {
    const double frames = std::ceil((std::max(0.0, round_trip_ms) / 2 + kFrameMs + kMarginMs) / kFrameMs);
    return static_cast<int>(std::clamp(frames, double(kMinAutoDelay), double(kMaxNetDelay)));
}

double round_trip_to_cover(std::vector<double> samples_ms) {
    if (samples_ms.empty()) return -1;
    std::sort(samples_ms.begin(), samples_ms.end());
    if (samples_ms.size() < 3) return samples_ms.back();
    const double median = samples_ms[samples_ms.size() / 2];
    return median + (median - samples_ms.front());
}

DelayTuner::DelayTuner(int delay, int max_delay) : delay_(delay), max_delay_(max_delay) {}

void DelayTuner::add_own(const IntervalTiming& t) {
    own_.push_back(t);
    if (own_.size() > kHistory) own_.pop_front();
    ++since_change_;
    ++since_shrink_;
}

void DelayTuner::add_other(const IntervalTiming& t) {
    other_.push_back(t);
    if (other_.size() > kHistory) other_.pop_front();
}

int DelayTuner::stalls_in(const std::deque<IntervalTiming>& history, size_t last) {
    int stalls = 0;
    for (size_t i = history.size() > last ? history.size() - last : 0; i < history.size(); ++i)
        stalls += history[i].stalls;
    return stalls;
}

bool DelayTuner::calm(const std::deque<IntervalTiming>& history, size_t intervals, int& worst_slack) {
    if (history.size() < intervals) return false;
    worst_slack = 1 << 30;
    for (size_t i = history.size() - intervals; i < history.size(); ++i) {
        if (history[i].stalls > 0) return false;
        worst_slack = std::min(worst_slack, history[i].slack_ms);
    }
    return true;
}

std::optional<int> DelayTuner::decide() {
    if (since_change_ < kSettleIntervals) return std::nullopt;
    const size_t window = std::min(kStallWindow, since_change_);
    if (stalls_in(own_, window) + stalls_in(other_, window) >= kStallsToRaise && delay_ < max_delay_) {
        // Shrinking was a mistake if the link cannot hold it: wait longer next time.
        if (shrunk_ && since_shrink_ < 2 * calm_needed_) calm_needed_ = std::min(calm_needed_ * 2, 8 * kCalmIntervals);
        shrunk_ = false;
        ++delay_;
        since_change_ = 0;
        own_.clear();
        other_.clear();
        return delay_;
    }
    // Each side's slack depends on how far its clock runs ahead of the
    // other's; their sum does not: it is what a frame less would take away
    // twice.
    int own_slack = 0, other_slack = 0;
    if (delay_ > kMinAutoDelay && since_change_ >= calm_needed_ && calm(own_, calm_needed_, own_slack) &&
        calm(other_, calm_needed_, other_slack) &&
        own_slack + other_slack >= 2 * (static_cast<int>(kFrameMs) + kShrinkMarginMs)) {
        --delay_;
        since_change_ = 0;
        since_shrink_ = 0;
        shrunk_ = true;
        own_.clear();
        other_.clear();
        return delay_;
    }
    return std::nullopt;
}

}  // namespace net
