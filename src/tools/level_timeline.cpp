#include "tools/level_timeline.h"

#include <algorithm>
#include <utility>

namespace level_timeline {

namespace {

long long floor_div(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long ceil_div(long long a, long long b) { return -floor_div(-a, b); }

}  // namespace

Span on_screen(int x, int layer, int width, const layers::Speeds& speeds) {
    Span span;
    if (width <= 0) return span;
    const long long speed = layers::scroll_speed(layer, speeds);
    if (speed == 0) {
        if (x < kScreenWidth && static_cast<long long>(x) + width > 0) span = {1, LLONG_MAX};
        return span;
    }
    // On screen at frame k while x - k * speed < 640 and x - k * speed + width > 0.
    span.first = std::max(1LL, floor_div(static_cast<long long>(x) - kScreenWidth, speed) + 1);
    span.last = ceil_div(static_cast<long long>(x) + width, speed) - 1;
    return span;
}

long long x_at(int x, int layer, long long frame, const layers::Speeds& speeds) {
    return x - frame * layers::scroll_speed(layer, speeds);
}

Peak busiest(const std::vector<Span>& spans) {
    // +1 where a span starts, -1 after it ends; at one frame the ends first.
    std::vector<std::pair<long long, int>> events;
    for (const Span& s : spans) {
        if (s.empty()) continue;
        events.emplace_back(s.first, 1);
        if (s.last != LLONG_MAX) events.emplace_back(s.last + 1, -1);
    }
    std::sort(events.begin(), events.end());
    Peak peak;
    long long count = 0;
    for (size_t i = 0; i < events.size();) {
        const long long frame = events[i].first;
        for (; i < events.size() && events[i].first == frame; ++i) count += events[i].second;
        if (count > peak.count) peak = {count, frame};
    }
    return peak;
}

}  // namespace level_timeline
