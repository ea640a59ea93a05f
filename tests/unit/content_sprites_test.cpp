// The shared sprites ("Levels/Standard") load through the game's sprite
// loader with every frame the code asks for, and their sizes and offsets fit
// the numbers the behaviours and the status bar place them by.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace fs = std::filesystem;

namespace {

const fs::path kStandard = fs::path(VELMORA_DATA) / "Levels/Standard";

struct Box {
    int left, top, right, bottom;  // of a frame placed at (x, y); right and bottom exclusive
};

class StandardSprites : public ::testing::Test {
protected:
    TestWindow win{16};
    DirectDrawWin* saved = nullptr;

    void SetUp() override {
        ASSERT_TRUE(win.ok);
        ASSERT_TRUE(fs::is_directory(kStandard / "Sprites")) << "no generated data in " << VELMORA_DATA;
        saved = Sprite::orv_window;
        Sprite::set_window_ptr(&win);
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(saved);
    }

    // A master loaded the way the level loader does it; fails the test
    // without a definition or frames.
    const Sprite& need(const std::string& name) {
        std::ifstream in(kStandard / "Sprites" / (name + ".SPT"));
        if (!in) throw std::runtime_error(name + " has no definition");
        ScopedChdir cd((kStandard / "Bitmaps").string());
        auto* s = new Sprite;
        std::string n = name;
        s->load(&n, &in, &win);
        if (s->frame_count() == 0) throw std::runtime_error(name + " has no frames");
        return *s;
    }

    static Box box(const Sprite& s, int frame, int x, int y) {
        const Sprite::frame* f = s.frames.at(size_t(frame));  // a missing frame fails the test
        return {x + f->xoffset, y + f->yoffset, x + f->xoffset + f->rect.right, y + f->yoffset + f->rect.bottom};
    }
};

TEST_F(StandardSprites, EveryNameTheGameUsesHasTheFramesItAsksFor) {
    struct Need {
        const char* name;
        int frames;  // at least
    };
    const Need needs[] = {
        {"playerone", 5}, {"playertwo", 5},          // tilts either side of level flight (frame 3)
        {"drone", 2}, {"shield", 2}, {"smoke", 2},
        {"blueshot", 5},                              // one frame per weapon level
        {"missile", 1}, {"heatseekingmissile", 16},   // one frame per direction
        {"photon", 2}, {"photonexplosion", 2}, {"starshot", 2},
        {"enemyshot", 1}, {"enemyshottwo", 1},
        {"standardexplosion", 15},                    // boss blasts start on frames up to 15
        {"standardexplosionbig", 8},                  // ... and up to 8
        {"powerup", 6}, {"bluepowerup", 6}, {"missilepowerup", 6},  // random start on 1..6
        {"heatseekerpowerup", 6}, {"photonpowerup", 6}, {"starpowerup", 6},
        {"entranceportal", 2}, {"exitportal", 2}, {"gameover", 1},
        {"score", 10}, {"shieldbar", 3},
        {"blueicon", 1}, {"missileicon", 1}, {"heatseekericon", 1}, {"photonicon", 1}, {"staricon", 1},
        {"playeroneicon", 1}, {"playertwoicon", 1}, {"droneicon", 1}, {"bar", 1}, {"bar2", 1}, {"buble", 1},
    };
    for (const Need& n : needs) EXPECT_GE(need(n.name).frame_count(), n.frames) << n.name;
}

TEST_F(StandardSprites, ShipsDronesAndPowerUpsStayOnTheFieldAtTheirLimits) {
    // Ships move in x 0..580, y 0..395; drones in 0..620, 0..395; power-ups
    // bounce at x 620 and y 0..395. The field is 640 x 416.
    const struct {
        const char* name;
        int max_x, max_y;
    } movers[] = {{"playerone", 580, 395}, {"playertwo", 580, 395}, {"drone", 620, 395},
                  {"powerup", 620, 395},   {"bluepowerup", 620, 395}, {"starpowerup", 620, 395}};
    for (const auto& m : movers) {
        const Sprite& s = need(m.name);
        for (int f = 0; f < s.frame_count(); ++f) {
            const Box low = box(s, f, 0, 0), high = box(s, f, m.max_x, m.max_y);
            EXPECT_TRUE(low.top >= 0 && high.right <= 640 && high.bottom <= 416) << m.name << " frame " << f + 1;
        }
    }
    EXPECT_GE(box(need("playerone"), 0, 0, 0).left, 0);
}

TEST_F(StandardSprites, PortalPiecesMeetWhereTheBehavioursPutThem) {
    // The right piece stands 40 (entrance) or 30 (exit) pixels right of the left one.
    for (const auto& [name, step] : {std::pair{"entranceportal", 40}, std::pair{"exitportal", 30}}) {
        const Box left = box(need(name), 0, 0, 0), right = box(need(name), 1, step, 0);
        EXPECT_EQ(left.right, right.left) << name;
        EXPECT_EQ(left.top, right.top) << name;
        EXPECT_EQ(left.bottom, right.bottom) << name;
    }
}

TEST_F(StandardSprites, BandPiecesFillTheBandsAndTheDigitsSitInsideTheClearedScoreArea) {
    // "bar", "bar2" and "buble" are drawn at y -1 in 31-row bands; bars are
    // laid every 32 pixels.
    for (const char* name : {"bar", "bar2", "buble"}) {
        const Box b = box(need(name), 0, 0, -1);
        EXPECT_EQ(b.top, 0) << name;
        EXPECT_EQ(b.bottom, 31) << name;
        if (std::string(name) != "buble") {
            EXPECT_GE(b.right, 32) << name;
        }
    }
    // A bubble shows its right end past a bar that starts 16 pixels before
    // it, and ends inside the screen at x 608.
    const Sprite& buble = need("buble");
    EXPECT_GT(box(buble, 0, 192, -1).right, 208);
    EXPECT_LE(box(buble, 0, 608, -1).right, 640);
    // The score is cleared from x 212 to the end of the bubble drawn at 280;
    // its seventh 13-pixel cell starts at 290. Digits stand at y 7.
    const Sprite& score = need("score");
    const int cleared_right = box(buble, 0, 280, -1).right;
    for (int d = 0; d < score.frame_count(); ++d) {
        const Box first = box(score, d, 212, 7), last = box(score, d, 290, 7);
        EXPECT_TRUE(first.left >= 212 && first.right <= 212 + 13) << "digit " << d;
        EXPECT_LE(last.right, cleared_right) << "digit " << d;
        EXPECT_TRUE(first.top >= 0 && first.bottom <= 31) << "digit " << d;
    }
    // A level digit follows its weapon icon 10 pixels on (player two).
    for (const char* icon : {"blueicon", "missileicon", "heatseekericon", "photonicon", "staricon"})
        EXPECT_LE(box(need(icon), 0, 464, 0).right, box(score, 1, 474, 7).left) << icon;
}

TEST_F(StandardSprites, ShieldStepsStayInsideTheTrough) {
    const Sprite& bar = need("shieldbar");
    const Box plate = box(bar, 0, 0, 0), trough = box(bar, 1, 7, 7);
    EXPECT_LE(plate.right, 124);  // the score's bubble starts at 124
    EXPECT_GE(trough.left, plate.left);
    EXPECT_LE(trough.right, plate.right);
    // Steps are stamped from x 9 up to 104 (player one, full shield) and up to
    // 425 for player two, whose trough stands at 327.
    const Box first = box(bar, 2, 9, 7), last_one = box(bar, 2, 104, 7), last_two = box(bar, 2, 425, 7);
    const Box trough_two = box(bar, 1, 327, 7);
    EXPECT_GE(first.left, trough.left);
    EXPECT_LE(last_one.right, trough.right);
    EXPECT_LE(last_two.right, trough_two.right);
    EXPECT_GE(first.top, trough.top);
    EXPECT_LE(first.bottom, trough.bottom);
}

}  // namespace
