// The S3M writer: what libmikmod and a second, independent player read back,
// and the checks that catch modules players would reject.
#include <gtest/gtest.h>

#include <mikmod.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/music.h"
#include "music_modules.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

TEST(S3mWriter, LibmikmodReadsWhatWasWritten) {
    TempDir dir;
    writers::S3mModule m = music_fixtures::looping_tune();
    m.samples.push_back(music_fixtures::tone(true));
    const std::string path = dir.file("t.s3m");
    ASSERT_TRUE(writers::write_file(path, writers::encode_s3m(m)));

    ASSERT_TRUE(music_init());
    MODULE* mod = Player_Load(path.c_str(), 16, 0);
    ASSERT_NE(mod, nullptr);
    EXPECT_EQ(mod->numpos, 2);
    EXPECT_EQ(mod->numchn, 2);
    EXPECT_EQ(mod->initspeed, 3);
    EXPECT_EQ(mod->inittempo, 125);
    ASSERT_EQ(mod->numsmp, 2);
    EXPECT_EQ(mod->samples[0].length, 64u);
    EXPECT_EQ(mod->samples[0].loopend, 64u);
    EXPECT_TRUE(mod->samples[0].flags & SF_LOOP);
    EXPECT_TRUE(mod->samples[1].flags & SF_16BITS);
    Player_Free(mod);
    music_shutdown();
}

TEST(S3mWriter, ChecksWhatPlayersReject) {
    EXPECT_TRUE(writers::check_s3m(music_fixtures::looping_tune()).empty());
    using Edit = void (*)(writers::S3mModule&);
    const Edit faults[] = {
        [](writers::S3mModule& m) { m.patterns[1].at(1, 0).info = 2; },  // Bxx past the orders
        [](writers::S3mModule& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x64}; },  // row 64
        [](writers::S3mModule& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x0A}; },  // not decimal
        [](writers::S3mModule& m) { m.initial_speed = 0; },
        [](writers::S3mModule& m) { m.initial_tempo = 20; },
        [](writers::S3mModule& m) { m.global_volume = 0; },
        [](writers::S3mModule& m) { m.orders.push_back(7); },
        [](writers::S3mModule& m) { m.samples[0].loop_end = 65; },
        [](writers::S3mModule& m) { m.patterns[0].at(0, 0).instrument = 3; },
    };
    for (size_t i = 0; i < std::size(faults); ++i) {
        writers::S3mModule m = music_fixtures::looping_tune();
        faults[i](m);
        EXPECT_EQ(writers::check_s3m(m).size(), 1u) << i;
    }
}

TEST(S3mWriter, SecondPlayerReadsTheTunesToTheirLength) {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) GTEST_SKIP() << "openmpt123 not installed";
    TempDir dir;
    for (const writers::S3mModule& tune : {music_fixtures::short_tune(), music_fixtures::looping_tune()}) {
        const std::string path = dir.file("t.s3m");
        ASSERT_TRUE(writers::write_file(path, writers::encode_s3m(tune)));
        std::string info;
        if (FILE* p = ::popen(("openmpt123 --info '" + path + "' 2>&1").c_str(), "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, p) != nullptr) info += line;
            ::pclose(p);
        }
        EXPECT_NE(info.find("Duration...: 00:00.240"), std::string::npos) << info;
        EXPECT_NE(info.find("Samples....: 1"), std::string::npos) << info;
    }
}
