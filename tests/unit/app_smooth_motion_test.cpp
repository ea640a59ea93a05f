// Smooth motion: the blend arithmetic, the pictures shown between play steps
// on a virtual 60 Hz display (where each sprite is drawn, which sprites are
// not blended, whose status bar they show) and their pacing (never faster
// than the refresh, never making a step late).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/motion_blend.h"
#include "app/options.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"

using motion_blend::kWholeStep;

TEST(MotionBlend, SharesOfAStepAndPositionsBetweenTwoSteps) {
    using motion_blend::blend;
    using motion_blend::step_fraction;
    // The share runs from the last step's deadline to this one's and stops
    // there: a picture never shows more than the step (a network game waiting).
    EXPECT_EQ(step_fraction(54000, 100000, 46000), 0);
    EXPECT_EQ(step_fraction(1000, 100000, 46000), 0);
    EXPECT_EQ(step_fraction(77000, 100000, 46000), kWholeStep / 2);
    EXPECT_EQ(step_fraction(100000, 100000, 46000), kWholeStep);
    EXPECT_EQ(step_fraction(190000, 100000, 46000), kWholeStep);

    EXPECT_EQ(blend(100, 120, 0), 100);
    EXPECT_EQ(blend(100, 120, kWholeStep), 120);
    EXPECT_EQ(blend(100, 120, kWholeStep / 2), 110);
    EXPECT_EQ(blend(100, 97, kWholeStep / 2), 99) << "98.5 rounds up";
    EXPECT_EQ(blend(100, 97, kWholeStep / 4), 99) << "99.25 rounds to the nearest";
    // Things that move alike are drawn alike wherever they are, off the left
    // edge too: a layer does not tear apart into pieces one pixel apart.
    for (int fraction = 0; fraction <= kWholeStep; fraction += 997)
        for (int dx : {-3, -2, -1, 7, 40}) {
            const int offset = blend(0, dx, fraction);
            for (int from = -700; from <= 700; from += 13)
                ASSERT_EQ(blend(from, from + dx, fraction) - from, offset) << from << " by " << dx;
            EXPECT_LE(std::abs(offset), std::abs(dx));
        }
    // The blue laser's 40 pixels a step (37 with the scroll) is motion; a
    // jump of 48 on either axis is not.
    EXPECT_TRUE(motion_blend::is_motion(37, 0));
    EXPECT_TRUE(motion_blend::is_motion(-40, 25));
    EXPECT_FALSE(motion_blend::is_motion(48, 0));
    EXPECT_FALSE(motion_blend::is_motion(0, -48));
    EXPECT_FALSE(motion_blend::is_motion(-460, 3));
}

namespace {

// A headless-like back end that keeps every picture it is given.
class PictureBackend final : public RecordingBackend {
public:
    struct Picture {
        uint64_t at_us = 0;
        std::vector<uint16_t> pixels;  // 640 x 480, 5-6-5
        uint16_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * 640 + x]; }
    };
    std::vector<Picture> pictures;
    bool keep = true;

    void present(const void* pixels, int pitch, int width, int height, const platform::FrameFormat& format) override {
        if (!keep) {
            RecordingBackend::present(pixels, pitch, width, height, format);
            return;
        }
        Picture p{clock_us, std::vector<uint16_t>(static_cast<size_t>(width) * height)};
        for (int y = 0; y < height; ++y)
            std::memcpy(&p.pixels[static_cast<size_t>(y) * width], static_cast<const uint8_t*>(pixels) + y * pitch,
                        static_cast<size_t>(width) * 2);
        pictures.push_back(std::move(p));
        RecordingBackend::present(pixels, pitch, width, height, format);
    }
};

constexpr uint16_t kBackdrop = 0x0841, kScroller = 0xF800, kRunner = 0x001F, kWrapper = 0xFFE0,
                   kEntering = 0xFFFF, kNewcomer = 0xF81F;
constexpr int kSize = 8;

// 20 pixels right a step, with the scroll.
void run_right(Sprite* s) { s->x += 23; }
// 33 to the left a step with the scroll, and back in from the right below 100.
void wrap_left(Sprite* s) {
    s->x -= 30;
    if (s->x < 100) s->x += 460;
}
// What the status and power-up bars do: show something of this step.
int g_steps = 0;
void number_the_bars(Sprite*) {
    ++g_steps;
    Surface* back = Sprite::orv_window->backsurf;
    back->put_pixel(3, 3, static_cast<uint32_t>(g_steps));
    back->put_pixel(3, 470, static_cast<uint32_t>(g_steps));
}

class SmoothPictures : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = launch_options();
        launch_options().motion = MotionMode::Smooth;
        launch_options().refresh_hz = 60;  // a headless run draws them only when asked
        auto owned = std::make_unique<PictureBackend>();
        be = owned.get();
        platform::install_backend(std::move(owned));
        reset_globals_to_program_start();
        g_steps = 0;
        ASSERT_TRUE(setup_headless_display(win));
        Sprite::set_window_ptr(&win);
        // A backdrop wider than the screen covers the play field throughout.
        paint_frames(make_master("backdrop", 1, 700, 416), kBackdrop);
        for (auto [name, colour] : {std::pair{"scroller", kScroller}, {"runner", kRunner}, {"wrapper", kWrapper},
                                    {"entering", kEntering}, {"newcomer", kNewcomer}})
            paint_frames(make_master(name, 1, kSize, kSize), colour);
        place("backdrop", 0, 0, 3);
        place("scroller", 300, 20, 1)->behavior = number_the_bars;
        place("runner", 40, 80, 0)->behavior = run_right;
        place("wrapper", 400, 140, 0)->behavior = wrap_left;
        place("entering", 650, 200, 0);
        scroll = 1;
        currentlevel = win.loaded_level = 1;
        win.game_state = kStatePlaying;
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(nullptr);
        reset_globals_to_program_start();
        platform::install_backend(platform::make_headless_backend());
        launch_options() = saved_;
    }

    // Where a sprite of `colour` is drawn in the play field (its top-left),
    // or nothing when it is not in the picture.
    static std::optional<int> x_of(const PictureBackend::Picture& p, uint16_t colour, int y) {
        for (int x = 0; x < 640; ++x)
            for (int row = 32 + y; row < 32 + y + kSize; ++row)
                if (p.at(x, row) == colour) return x;
        return std::nullopt;
    }

    LaunchOptions saved_;
    PictureBackend* be = nullptr;
    Velmora_Win win;
};

constexpr size_t kWrapStep = 9;

struct Step {
    uint64_t start_us = 0, deadline_us = 0;
    std::map<uint16_t, int> x;  // each sprite's x after the step, by colour
};

}  // namespace

TEST_F(SmoothPictures, EachSpriteIsDrawnBetweenItsTwoPositionsUnlessNewOrJumping) {
    const std::map<uint16_t, int> rows = {{kScroller, 20}, {kRunner, 80}, {kWrapper, 140}, {kEntering, 200},
                                          {kNewcomer, 260}};
    std::vector<Step> steps;
    for (int i = 0; i < 14; ++i) {
        if (i == 6) place("newcomer", 300, 260, 0);
        Step s;
        s.start_us = be->clock_us;
        win.DrawScene();
        s.deadline_us = uint64_t{win.frame_time} * 1000;
        for (Sprite* sprite : *Sprite::the_level) {
            const Sprite::frame* f = sprite->current_frame();
            if (f != nullptr && f->rect.right == kSize) s.x[static_cast<uint16_t>(f->surface->get_pixel(1, 1))] = sprite->x;
        }
        steps.push_back(s);
    }
    ASSERT_EQ(steps[kWrapStep].x.at(kWrapper) - steps[kWrapStep - 1].x.at(kWrapper), 427) << "it wraps once";

    bool seen_half_step = false;
    size_t between = 0;
    for (const auto& picture : be->pictures) {
        size_t k = 0;
        while (k + 1 < steps.size() && steps[k + 1].start_us <= picture.at_us) ++k;
        const Step& step = steps[k];
        // Shown during the step's wait, the step's own picture comes at its
        // deadline or in the pause after it.
        const bool own = picture.at_us >= step.deadline_us;
        const int fraction = motion_blend::step_fraction(picture.at_us, step.deadline_us, 46000);
        between += own ? 0 : 1;
        EXPECT_EQ(picture.at(3, 3), k + 1) << "the status bar of the step, at " << picture.at_us;
        EXPECT_EQ(picture.at(3, 470), k + 1) << "the power-up bar of the step, at " << picture.at_us;
        for (const auto& [colour, y] : rows) {
            const auto now = step.x.find(colour);
            if (now == step.x.end()) continue;
            // New (not in the step before) or wrapping: drawn where it is.
            const auto before = k > 0 ? steps[k - 1].x.find(colour) : step.x.end();
            const bool wraps = colour == kWrapper && k == kWrapStep;
            int expected = now->second;
            if (!own && k > 0 && before != steps[k - 1].x.end() && !wraps)
                expected = motion_blend::blend(before->second, now->second, fraction);
            const std::optional<int> drawn = x_of(picture, colour, y);
            if (expected >= 640) {
                EXPECT_FALSE(drawn) << "colour " << colour << " at " << picture.at_us;
                continue;
            }
            ASSERT_TRUE(drawn) << "colour " << colour << " at " << picture.at_us;
            EXPECT_EQ(*drawn, std::max(expected, 0)) << "colour " << colour << " at " << picture.at_us << ", step "
                                                       << k << ", fraction " << fraction;
            if (colour == kRunner && !own && k > 0 && std::abs(fraction - kWholeStep / 2) < kWholeStep / 10) {
                seen_half_step = true;
                EXPECT_NEAR(*drawn, (steps[k - 1].x.at(kRunner) + now->second) / 2.0, 2.0) << "halfway";
            }
        }
    }
    EXPECT_TRUE(seen_half_step);
    // 60 pictures a second: 46 ms steps show 2 or 3 pictures each (the first
    // step, whose pictures' cost is not known yet, only its own).
    EXPECT_GE(between, 13u * 2);
}

TEST_F(SmoothPictures, PicturesNeverComeFasterThanTheRefreshNorMakeAStepLate) {
    struct Case {
        int refresh_hz;
        uint64_t cost_us;  // what handing a picture to the window takes
    };
    be->keep = false;
    for (const Case c : {Case{60, 0}, Case{60, 4000}, Case{60, 12000}, Case{144, 0}, Case{144, 5000}}) {
        launch_options().refresh_hz = c.refresh_hz;
        be->present_cost_us = c.cost_us;
        be->present_times_us.clear();
        win.play_schedule.restart();
        const uint64_t period = 1000000 / c.refresh_hz;
        // A picture late by less than the slack keeps the grid, the next one
        // on time follows it by less than a refresh; anything later restarts it.
        const uint64_t slack = win.pictures.schedule().slack_us();
        for (int i = 0; i < 40; ++i) {
            win.game_loop();
            ASSERT_EQ(be->clock_us, uint64_t{win.frame_time} * 1000)
                << "a step ended late with pictures costing " << c.cost_us << " us at " << c.refresh_hz << " Hz";
            win.pictures.flip(win);
            win.pictures.pause(win);
        }
        const std::vector<uint64_t>& t = be->present_times_us;
        for (size_t i = 1; i < t.size(); ++i)
            ASSERT_GE(t[i] - t[i - 1], period - slack)
                << c.refresh_hz << " Hz, " << c.cost_us << " us a picture, picture " << i;
        if (c.cost_us == 0) {
            // As many as the refresh allows over 40 steps (the first shows only its own).
            const double expected = 39 * 46000.0 / double(period);
            EXPECT_GE(double(t.size()), expected - 2) << c.refresh_hz << " Hz";
        }
    }

    // Original motion: one picture a step, the step's own at its deadline.
    launch_options().motion = MotionMode::Original;
    be->present_cost_us = 0;
    be->present_times_us.clear();
    for (int i = 0; i < 10; ++i) win.DrawScene();
    ASSERT_EQ(be->present_times_us.size(), 10u);
    for (size_t i = 1; i < 10; ++i) EXPECT_EQ(be->present_times_us[i] - be->present_times_us[i - 1], 46000u);
}
