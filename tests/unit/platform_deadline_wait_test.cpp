// The sleep-then-spin deadline wait against a scripted clock: it never
// returns early, sleeps only while more than the margin is left, and copes
// with sleeps that end early or late.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/deadline_wait.h"

namespace {

// A clock that moves 1 us per reading (spinning) and to a sleep's wake time plus
// a scripted error (wake-up latency, or an early return when negative).
struct ScriptedClock {
    uint64_t t = 0;
    std::vector<int64_t> sleep_errors;
    std::vector<uint64_t> requests;
    int pumps = 0;
    uint64_t readings = 0;

    uint64_t now() {
        ++readings;
        return t++;
    }
    void sleep_until(uint64_t wake) {
        requests.push_back(wake);
        const size_t i = requests.size() - 1;
        const int64_t error = i < sleep_errors.size() ? sleep_errors[i] : 0;
        if (wake > t) t = uint64_t(int64_t(wake) + error);
    }
};

constexpr uint64_t kMargin = 500;

uint64_t wait(ScriptedClock& c, uint64_t deadline) {
    platform::wait_until_deadline(
        deadline, [&] { return c.now(); }, [&](uint64_t wake) { c.sleep_until(wake); }, [&] { ++c.pumps; }, kMargin);
    return c.t;
}

TEST(DeadlineWait, SleepsUpToTheMarginThenSpins) {
    ScriptedClock c;
    c.sleep_errors = {80};  // a typical late wake-up
    const uint64_t end = wait(c, 45000);
    ASSERT_EQ(c.requests.size(), 1u);
    EXPECT_EQ(c.requests[0], 45000u - kMargin);
    EXPECT_EQ(c.pumps, 1);
    EXPECT_GE(end, 45000u);
    EXPECT_LE(end, 45002u);  // spun, not overslept
    EXPECT_LT(c.readings, kMargin);
}

TEST(DeadlineWait, AnEarlyWakeSleepsAgainAndALateOneReturnsAtOnce) {
    ScriptedClock early;
    early.sleep_errors = {-20000};  // interrupted far from the deadline
    wait(early, 45000);
    ASSERT_EQ(early.requests.size(), 2u);
    EXPECT_GE(early.t, 45000u);

    ScriptedClock late;
    late.sleep_errors = {3000};  // the scheduler kept the thread away
    wait(late, 45000);
    EXPECT_EQ(late.requests.size(), 1u);
    EXPECT_EQ(late.readings, 2u);  // one look at the clock after the sleep, no more waiting
}

TEST(DeadlineWait, ShortOrPassedDeadlinesOnlySpin) {
    ScriptedClock c;
    c.t = 1000;
    wait(c, 1300);
    EXPECT_TRUE(c.requests.empty());
    EXPECT_EQ(c.pumps, 0);
    EXPECT_GE(c.t, 1300u);

    ScriptedClock passed;
    passed.t = 9000;
    EXPECT_EQ(wait(passed, 100), 9001u);
    EXPECT_TRUE(passed.requests.empty());
}

}  // namespace
