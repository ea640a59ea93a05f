// A few bytes of bitmap header can claim the largest picture the loader takes;
// a sprite of 99 such frames must not make the game allocate gigabytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "sprites/Sprite.h"
#include "support/hostile_data.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

TEST(HostileMemory, NinetyNineHugeEmptyFramesStayWithinTheSurfaceBudget) {
    TempDir dir;
    // 54 bytes each: 16384 x 4096 pixels of 24 bits, no pixel data.
    std::vector<uint8_t> header(54, 0);
    auto put32 = [&header](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(14, 40);
    put32(18, 16384);
    put32(22, 4096);
    header[26] = 1;
    header[28] = 24;
    for (int k = 1; k <= 99; ++k) ASSERT_TRUE(hostile::put(dir.file("bomb" + std::to_string(k) + ".BMP"), header));

    TestWindow win;
    ASSERT_TRUE(win.ok);
    ScopedChdir in_dir(dir.path());
    std::string name = "bomb";
    std::istringstream offsets("");
    auto* master = new Sprite;
    master->load(&name, &offsets, &win);

    size_t bytes = 0;
    for (const Surface* s : win.live_surfaces) bytes += s->pixels.size();
    EXPECT_GE(master->frame_count(), 1) << "one such picture is still a picture";
    EXPECT_LT(master->frame_count(), 99);
    EXPECT_LE(bytes, size_t(256) << 20);

    // What the budget refused becomes available again once released.
    Sprite::set_window_ptr(&win);
    Sprite::dumpall();
    Surface* again = win.CreateSurface(16384, 4096);
    EXPECT_NE(again, nullptr);
    win.ReleaseSurface(again);
    Sprite::set_window_ptr(nullptr);
}
