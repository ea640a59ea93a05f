// The title and options menus: hit areas, presses that follow the cursor,
// actions on release, volume steps and bars.
#include <mikmod.h>

#include <vector>

#include "audio/music.h"
#include "music_modules.h"
#include "state/game_states.h"
#include "support/temp_dir.h"
#include "ui_test_helpers.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

using namespace ui_test;

namespace {

class MenuTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        win.titlescreen = solid(640, 480, kGrey);
        // Title buttons: normal 100 x 30, pressed 110 x 40 (the area's measure).
        Surface* Velmora_Win::*ups[] = {&Velmora_Win::about_up, &Velmora_Win::oneplayer_up,
                                        &Velmora_Win::twoplayer_up, &Velmora_Win::options_up,
                                        &Velmora_Win::quit_up};
        Surface* Velmora_Win::*downs[] = {&Velmora_Win::about_down, &Velmora_Win::oneplayer_down,
                                          &Velmora_Win::twoplayer_down, &Velmora_Win::options_down,
                                          &Velmora_Win::quit_down};
        const uint32_t pressed[] = {kYellow, kCyan, kMagenta, kWhite, kWhite};
        for (int i = 0; i < 5; ++i) {
            win.*ups[i] = solid(100, 30, kBlue);
            win.*downs[i] = solid(110, 40, pressed[i]);
        }
        // Options: the pressed pictures are larger; the areas use the normal ones.
        win.left_arrow_up = win.right_arrow_up = solid(30, 30, kBlue);
        win.left_arrow_down = win.right_arrow_down = solid(40, 40, kYellow);
        win.ok_up = solid(60, 30, kCyan);
        win.ok_down = solid(70, 40, kMagenta);
        win.red_bar = solid(10, 10, kRed);
        win.game_state = kStateTitleMenu;
        player1 = player2 = false;
    }

    void click_title(int x, int y) {
        mouse(x, y, {true, false});
        win.draw_user_interface();
    }
    void click_options(int x, int y) {
        mouse(x, y, {true, false});
        win.draw_option_interface();
    }
    // Left edges of the red bars in the row at y.
    std::vector<int> bars(int y) const {
        std::vector<int> lefts;
        for (int x = 1; x < 640; ++x)
            if (back(x, y) == kRed && back(x - 1, y) != kRed) lefts.push_back(x);
        return lefts;
    }
};

TEST_F(MenuTest, TitleAreasIncludeBothEdgesOfThePressedPicture) {
    for (auto [x, y, acts] : {std::tuple{24, 428, true}, {134, 468, true}, {135, 468, false},
                              {134, 469, false}, {23, 428, false}, {24, 427, false}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        win.game_state = kStateTitleMenu;
        win.creditscroll = 0;
        click_title(x, y);
        EXPECT_EQ(win.game_state, acts ? kStateAbout : kStateTitleMenu);
        EXPECT_EQ(win.creditscroll, acts ? 260 : 0);
    }
    win.about_down = nullptr;  // no reference picture, no area
    click_title(30, 430);
    EXPECT_EQ(win.game_state, kStateTitleMenu);
}

TEST_F(MenuTest, PressedPictureFollowsTheCursorAndTheReleaseDecides) {
    mouse(150, 430, {true});
    win.draw_user_interface();
    EXPECT_EQ(back(150, 465), kCyan);  // 1 Player pressed (taller than its normal picture)

    mouse(280, 430);  // held, now over 2 Player
    win.draw_user_interface();
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    EXPECT_EQ(back(150, 465), kGrey);
    EXPECT_EQ(back(280, 465), kMagenta);

    mouse(280, 430, {false});
    win.draw_user_interface();
    EXPECT_EQ(win.game_state, kStateNewGame);
    EXPECT_EQ(currentlevel, 1);
    EXPECT_TRUE(player1 && player2);
}

TEST_F(MenuTest, ReleaseThatOpensTheOptionsDoesNotActThere) {
    win.right_arrow_up = solid(100, 140, kBlue);  // music up reaches under Options
    musicvolume = 5;
    click_title(495, 435);
    ASSERT_EQ(win.game_state, kStateOptions);
    win.draw_option_interface();
    EXPECT_EQ(musicvolume, 5);
    click_options(495, 435);  // a release of its own does act
    EXPECT_EQ(musicvolume, 6);
}

TEST_F(MenuTest, BarsShowTheVolumeBeforeTheFramesClick) {
    const std::vector<int> ten = {129, 165, 201, 237, 273, 309, 345, 381, 417, 453};
    fxvolume = 10;
    musicvolume = 0;
    win.draw_option_interface();
    EXPECT_EQ(bars(155), ten);
    EXPECT_TRUE(bars(305).empty());

    fxvolume = 1000;  // beyond the scale: still ten bars, none over the arrow
    musicvolume = 5;
    click_options(488 + 30, 330);  // music up's corner, measured with its normal picture
    EXPECT_EQ(bars(155), ten);
    EXPECT_EQ(bars(305).size(), 5u);
    EXPECT_EQ(musicvolume, 6);
    win.draw_option_interface();
    EXPECT_EQ(bars(305).size(), 6u);

    click_options(95, 155);  // effects down steps from the top of the scale
    EXPECT_EQ(fxvolume, 9);
    win.game_state = kStateOptions;
    click_options(519, 330);  // just off music up
    click_options(625, 435);  // on OK's pressed picture only
    EXPECT_EQ(musicvolume, 6);
    EXPECT_EQ(win.game_state, kStateOptions);
    click_options(620, 430);  // OK's corner
    EXPECT_EQ(win.game_state, kStateTitleMenu);
}

TEST_F(MenuTest, MusicArrowsSetThePlayerVolume) {
    TempDir dir;
    ScopedChdir in(dir.path());
    ASSERT_TRUE(writers::write_file("TUNE.S3M", writers::encode_s3m(music_fixtures::looping_tune())));
    ASSERT_TRUE(music_init() && music_load("TUNE.S3M"));
    music_start();
    MODULE* playing = Player_GetModule();
    ASSERT_NE(playing, nullptr);

    for (auto [from, x, to, volume] : {std::tuple{4L, 490, 5L, 64}, {6L, 490, 7L, 89}, {9L, 490, 10L, 128},
                                       {10L, 490, 10L, 128}, {0L, 95, 0L, 0}}) {
        musicvolume = from;
        click_options(x, 305);
        EXPECT_EQ(musicvolume, to);
        EXPECT_EQ(playing->volume, volume) << "music volume " << to;
    }
    music_shutdown();
    music_set_volume(128);
}

}  // namespace
