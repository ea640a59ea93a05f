#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "behaviours/helpers.h"
#include "support/sprite_fixtures.h"

namespace {

class HelpersAnimation : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        make_master("three", 3, 4, 4);
        make_master("four", 4, 4, 4);
        make_master("five", 5, 4, 4);
        make_master("one", 1, 4, 4);
        make_master("none", 0, 4, 4);
    }
    void TearDown() override { clear_sprites(); }

    static Sprite* fresh(const char* name, int framedelay = 0) {
        Sprite* s = place(name, 0, 0);
        s->framedelay = framedelay;
        return s;
    }

    // The frame number after each of `calls` calls; checks that the frame
    // position and the number stay in step.
    static std::vector<int> run(Sprite* s, const std::function<void(Sprite*)>& f, int calls) {
        std::vector<int> out;
        for (int i = 0; i < calls; ++i) {
            f(s);
            EXPECT_EQ(s->curframe - s->firstframe + 1, s->framenumber);
            out.push_back(s->framenumber);
        }
        return out;
    }
};

TEST_F(HelpersAnimation, ClocksHoldEachImageFramedelayPlusTwoCallsAndTerminateOne) {
    EXPECT_EQ(run(fresh("three"), animateloop, 8), (std::vector<int>{1, 2, 2, 3, 3, 1, 1, 2}));
    EXPECT_EQ(run(fresh("three", 1), animateloop, 7), (std::vector<int>{1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(run(fresh("three"), animateloopbackwards, 6), (std::vector<int>{1, 3, 3, 2, 2, 1}));
    // Ping-pong: the first frame is held for two periods, the last for one.
    Sprite* s = fresh("three");
    EXPECT_EQ(run(s, animatebackandforth, 14),
              (std::vector<int>{1, 2, 2, 3, 3, 2, 2, 1, 1, 1, 1, 2, 2, 3}));
    EXPECT_EQ(run(fresh("one"), animatebackandforth, 6), (std::vector<int>(6, 1)));

    // Terminate holds framedelay + 1 and kills after the last frame.
    s = fresh("three");
    animateterminate(s);
    EXPECT_EQ(s->framenumber, 2);
    animateterminate(s);
    EXPECT_EQ(s->framenumber, 3);
    EXPECT_EQ(s->hitpoints, 1);
    animateterminate(s);
    EXPECT_EQ(s->hitpoints, 0);
    EXPECT_EQ(s->framenumber, 3);  // still shows its last frame

    Sprite* slow = fresh("three", 2);
    EXPECT_EQ(run(slow, animateterminate, 6), (std::vector<int>{1, 1, 2, 2, 2, 3}));
}

TEST_F(HelpersAnimation, SetChangeAndCentreFrameStayInsideTheSequence) {
    Sprite* s = fresh("four");
    std::vector<int> shown;
    const auto show = [&](auto&& step) {
        step();
        shown.push_back(s->framenumber);
        EXPECT_EQ(s->curframe - s->firstframe + 1, s->framenumber);
    };
    for (int n : {0, 3, 1, 99, 2147483647}) show([&] { setframe(s, n); });
    for (int d : {-2, -2147483647 - 1, 0, 10}) show([&] { changeframe(s, d); });
    EXPECT_EQ(shown, (std::vector<int>{1, 3, 1, 4, 4, 2, 1, 1, 4}));

    // Centring moves one frame per call towards the target.
    s = fresh("five");  // middle is 5 / 2 = 2
    setframe(s, 5);
    EXPECT_EQ(run(s, centerframe, 4), (std::vector<int>{4, 3, 2, 2}));
    setframe(s, 1);
    EXPECT_EQ(run(s, centerframe, 2), (std::vector<int>{2, 2}));
    EXPECT_EQ(run(s, [](Sprite* t) { centeronframe(t, 5); }, 4), (std::vector<int>{3, 4, 5, 5}));
    EXPECT_EQ(run(s, [](Sprite* t) { centeronframe(t, 9); }, 1), (std::vector<int>{5}));
}

TEST_F(HelpersAnimation, SpritesWithoutFramesAreLeftAlone) {
    Sprite* s = fresh("none");
    for (auto f : {animateloop, animateloopbackwards, animatebackandforth, centerframe})
        for (int i = 0; i < 4; ++i) f(s);
    setframe(s, 3);
    changeframe(s, 2);
    EXPECT_EQ(s->current_frame(), nullptr);
}

}  // namespace
