// The status bands: shield bars, score digits and power-up slots, drawn onto
// both buffers. Every fixture frame has its own colour, so what was drawn
// where is read back from the surfaces.
#include <climits>
#include <string>
#include <vector>

#include "support/sprite_fixtures.h"
#include "ui_test_helpers.h"

using namespace ui_test;

namespace {

uint32_t digit_colour(int d) { return 0x0841u * static_cast<uint32_t>(d + 1); }

// A master whose frame i is painted colours[i] (its top-left pixel stays the key).
void master(const std::string& name, int w, int h, std::vector<uint32_t> colours) {
    Sprite* m = make_master(name, static_cast<int>(colours.size()), w, h);
    for (size_t i = 0; i < colours.size(); ++i) {
        Surface* s = m->frames[i]->surface;
        for (int p = 1; p < w * h; ++p) s->put_pixel(p % w, p / w, colours[i]);
    }
}

class StatusBarTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Sprite::set_window_ptr(&win);
        std::vector<uint32_t> digits;
        for (int d = 0; d < 10; ++d) digits.push_back(digit_colour(d));
        master("score", 10, 12, digits);
        master("shieldbar", 1, 2, {kWhite, kWhite, kRed});  // frame 3: one column at row y + 1
        master("photonicon", 12, 12, {kMagenta});
        master("blueicon", 12, 12, {kBlue});
        for (const char* name : {"bar", "bar2", "buble"}) master(name, 32, 31, {kGrey});
        win.load_power_up_icons();
        player1score = player2score = win.shownscore1 = win.shownscore2 = 0;
        player1hitpoints = player2hitpoints = win.shownhitpoints1 = win.shownhitpoints2 = 4;
        win.prep_shield_bars();
        win.prep_score_bar();
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(nullptr);  // the window ends with the test
        UiTest::TearDown();
    }

    // The digit in each of the seven cells from `left` (-1: none), on both buffers.
    std::vector<int> cells(int left) const {
        std::vector<int> shown;
        for (int cell = 0; cell < 7; ++cell) {
            const int x = left + 13 * cell + 5;
            int digit = -1;
            for (int d = 0; d < 10; ++d)
                if (back(x, 12) == digit_colour(d) && win.primsurf->get_pixel(x, 12) == digit_colour(d)) digit = d;
            shown.push_back(digit);
        }
        return shown;
    }
    // Columns where the shield's frame 3 was drawn since the band was cleared.
    std::vector<int> shield_change(int player, int hitpoints) {
        win.ClearSurface(win.backsurf, 0u, &win.statusbar_rect);
        win.ClearSurface(win.primsurf, 0u, &win.statusbar_rect);
        (player == 1 ? player1hitpoints : player2hitpoints) = hitpoints;
        win.update_status_bar();
        std::vector<int> xs;
        for (int x = 0; x < 640; ++x)
            if (back(x, 8) == kRed && win.primsurf->get_pixel(x, 8) == kRed) xs.push_back(x);
        return xs;
    }
    static std::vector<int> run(int from, int to) {
        std::vector<int> xs;
        for (int x = from; x <= to; ++x) xs.push_back(x);
        return xs;
    }
};

TEST_F(StatusBarTest, ScoreDigitsAreRightAlignedInSevenCellsAndRedrawnWhenChangedOrForced) {
    const int _ = -1;
    for (const auto& [score, shown] : std::vector<std::pair<long, std::vector<int>>>{
             {1234, {_, _, _, 1, 2, 3, 4}},  // x 251, 264, 277, 290
             {1005, {_, _, _, 1, 0, 0, 5}},
             {12345678, {2, 3, 4, 5, 6, 7, 8}},
             {0, {_, _, _, _, _, _, _}}}) {
        player1score = player2score = score;
        win.update_status_bar();
        EXPECT_EQ(cells(212), shown) << score;
        EXPECT_EQ(cells(530), shown) << score;
    }
    // An unchanged score is not drawn again until forced.
    player1score = 1234;
    win.update_status_bar();
    const RECT last_digit{290, 7, 300, 19};
    win.ClearSurface(win.backsurf, 0u, &last_digit);
    win.update_status_bar();
    EXPECT_EQ(back(295, 12), 0u);
    win.shownscore1 = -1;
    win.update_status_bar();
    EXPECT_EQ(back(295, 12), digit_colour(4));
}

TEST_F(StatusBarTest, ShieldBarsGrowAndShrinkOneColumnPerUnit) {
    EXPECT_EQ(shield_change(1, 10), run(9, 14));
    EXPECT_EQ(shield_change(1, 7), run(13, 15));
    EXPECT_EQ(shield_change(1, 7), std::vector<int>{});
    EXPECT_EQ(shield_change(1, 1), run(9, 12));  // never below 3 units
    EXPECT_EQ(win.shownhitpoints1, 3);
    EXPECT_EQ(shield_change(1, 1), std::vector<int>{});

    EXPECT_EQ(shield_change(2, 10), run(329, 335));  // player two draws one column more
    EXPECT_EQ(shield_change(2, 5), run(331, 335));
    EXPECT_EQ(win.shownhitpoints2, 5);

    EXPECT_EQ(shield_change(1, INT_MAX), run(8, 639));  // a wild value stays in the band
    EXPECT_EQ(shield_change(1, 630), run(636, 639));
}

TEST_F(StatusBarTest, PowerUpSlotShowsIconAndLevelDigit) {
    p1p1powerupitem = p2p2powerupitem = 4;
    p1p1poweruplevel = p2p2poweruplevel = 2;
    p1powerupitem = 9;  // no such weapon: background only
    win.prep_power_up_bar();
    const int top = win.powerupbar_rect.top;
    for (const Surface* s : {win.backsurf, win.primsurf}) {
        EXPECT_EQ(s->get_pixel(112 + 5, top + 5), kMagenta);
        EXPECT_EQ(s->get_pixel(112 + 12 + 5, top + 12), digit_colour(2));
        EXPECT_EQ(s->get_pixel(592 + 5, top + 5), kMagenta);
        EXPECT_EQ(s->get_pixel(592 + 10 + 5, top + 12), digit_colour(2));
        EXPECT_EQ(s->get_pixel(48 + 5, top + 5), kGrey);
        EXPECT_EQ(s->get_pixel(48 + 12 + 5, top + 12), kGrey);
    }
}

}  // namespace
