// The data checker gives the true reason for each refusal and what follows
// from it: bitmaps other tools write by default, files that are no files,
// the preferences file, and levels that place what only the game places or
// keep too many sprites on screen.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "app/level_records.h"
#include "app/options.h"
#include "comforts_data_fixture.h"
#include "sprites/Sprite.h"
#include "support/fixture_world.h"
#include "support/hostile_data.h"
#include "support/temp_dir.h"
#include "tools/bitmap_refusal.h"
#include "tools/data_check.h"

namespace {

using comforts_fixture::findings_on;

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// The headers of a 4 x 4 bitmap of `bits` per pixel, with `info_size` bytes of
// info header (124 for the newest form), then zero pixels.
std::vector<uint8_t> bitmap(uint16_t bits, uint32_t compression, uint32_t info_size = 40, int32_t height = 4) {
    std::vector<uint8_t> b(14 + info_size + 64, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(b.size()));
    put32(b, 10, 14 + info_size);
    put32(b, 14, info_size);
    put32(b, 18, 4);
    put32(b, 22, uint32_t(height));
    b[26] = 1;
    b[28] = uint8_t(bits);
    put32(b, 30, compression);
    return b;
}

using ComfortsDataCheckReasons = comforts_fixture::CompleteData;

}  // namespace

TEST(ComfortsBitmapRefusal, EachRefusedBitmapGetsItsOwnReasonAndFix) {
    using data_check::bitmap_refusal;
    // ImageMagick's default for a picture with alpha: 32 bits with colour masks.
    const std::string argb = bitmap_refusal(bitmap(32, 3, 124));
    EXPECT_EQ(argb.find("compressed"), std::string::npos) << argb;
    EXPECT_NE(argb.find("32 bits per pixel with colour masks"), std::string::npos) << argb;
    EXPECT_NE(argb.find("BMP3:"), std::string::npos) << argb;
    EXPECT_NE(argb.find("-alpha off"), std::string::npos) << argb;
    const std::string rgb565 = bitmap_refusal(bitmap(16, 3, 56));
    EXPECT_EQ(rgb565.find("compressed"), std::string::npos) << rgb565;
    EXPECT_NE(rgb565.find("16 bits per pixel with colour masks (RGB565)"), std::string::npos) << rgb565;
    EXPECT_NE(rgb565.find("-type TrueColor"), std::string::npos) << rgb565;
    EXPECT_NE(bitmap_refusal(bitmap(32, 0)).find("32 bits per pixel"), std::string::npos);
    EXPECT_NE(bitmap_refusal(bitmap(4, 0)).find("4 bits per pixel"), std::string::npos);
    EXPECT_NE(bitmap_refusal(bitmap(8, 1)).find("run-length"), std::string::npos);
    EXPECT_NE(bitmap_refusal(bitmap(24, 0, 40, -4)).find("top-down"), std::string::npos);
    EXPECT_NE(bitmap_refusal(bitmap(24, 0, 12)).find("OS/2"), std::string::npos);
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_NE(bitmap_refusal(png).find("a PNG picture"), std::string::npos);
    EXPECT_NE(bitmap_refusal({'B', 'M', 0, 0}).find("cut short"), std::string::npos);
}

TEST_F(ComfortsDataCheckReasons, MenuPicturesSayWhyAndOnlyTheCursorStopsTheGame) {
    const std::string ok_up = "Levels/Resource/ok_up.BMP", ok_down = "Levels/Resource/ok_down.BMP";
    const std::string about = "Levels/Resource/aboutup.BMP", cursor = "Levels/Resource/cursor_08.BMP";
    ASSERT_TRUE(writers::write_file(root + "/" + ok_up, bitmap(32, 3, 124)));
    ASSERT_TRUE(writers::write_file(root + "/" + ok_down, bitmap(8, 1)));
    std::filesystem::remove(root + "/" + about);
    std::filesystem::remove(root + "/" + cursor);
    const CheckReport report = check_data(root);

    const std::string up = findings_on(report, ok_up), down = findings_on(report, ok_down);
    EXPECT_NE(up.find("32 bits per pixel"), std::string::npos) << up;
    EXPECT_NE(down.find("run-length"), std::string::npos) << down;
    for (const std::string& text : {up, down, findings_on(report, about)}) {
        EXPECT_NE(text.find("draws nothing in its place"), std::string::npos) << text;
        EXPECT_EQ(text.find("stop"), std::string::npos) << text;
    }
    const std::string missing_cursor = findings_on(report, cursor);
    EXPECT_NE(missing_cursor.find("error: missing: the game stops"), std::string::npos) << missing_cursor;
}

TEST_F(ComfortsDataCheckReasons, FilesThatAreNoFilesAreNamedSo) {
    // FIFOs where a frame, a definition, an effect and the level are read: the
    // check must neither block on them nor call them missing.
    const std::string frame = fixture_world::kDir + "/Bitmaps/rockspace1.BMP";
    const std::string definition = "Levels/Metal/Sprites/rockmetal.SPT";
    const std::string effect = "Sound/g4.WAV", level = "Levels/Hive/Levels/NORMAL.LVL";
    for (const std::string& rel : {frame, definition, effect, level}) {
        std::filesystem::remove(root + "/" + rel);
        ASSERT_EQ(::mkfifo((root + "/" + rel).c_str(), 0644), 0) << rel;
    }
    const CheckReport report = check_data(root);
    for (const std::string& rel : {frame, definition, effect, level}) {
        const std::string text = findings_on(report, rel);
        EXPECT_NE(text.find("not a regular file (a FIFO, device or socket)"), std::string::npos) << rel << "\n"
                                                                                                 << text;
    }
    // A definition the game cannot open defines nothing: the record placing
    // it names no sprite.
    EXPECT_NE(findings_on(report, "Levels/Metal/Levels/NORMAL.LVL").find("no sprite named 'rockmetal'"),
              std::string::npos);
    EXPECT_NE(findings_on(report, frame).find("the sprite's frames end before it"), std::string::npos);

    // Not a directory at all.
    const CheckReport passwd = check_data("/etc/passwd");
    ASSERT_EQ(passwd.findings.size(), 1u);
    EXPECT_EQ(passwd.findings[0].message, "'/etc/passwd' is not a directory");
    EXPECT_EQ(check_data(root + "/none").findings[0].message, "'" + root + "/none' does not exist");
    LaunchOptions options;
    options.data_dir = "/etc/passwd";
    std::string error;
    EXPECT_EQ(find_data_dir(options, DataDirPlaces{}, error), "");
    EXPECT_EQ(error, "data directory '/etc/passwd' (from --data) is not a directory; name the directory "
                     "that holds the game's Levels, Sound and MUSIC directories");
}

TEST_F(ComfortsDataCheckReasons, ThePreferencesFileIsReadAsTheGameReadsIt) {
    const std::string prefs = "Other/Preferences.txt";
    ASSERT_TRUE(writers::make_directories(root + "/Other"));
    struct Case {
        std::string text;
        std::string expected;  // empty: no finding
    };
    const Case cases[] = {
        {"7\n10\n", ""},
        {"4 6 and more\n", ""},  // the game reads two numbers and no further
        {"loud\n3\n", "Other/Preferences.txt:1: warning: 'loud' is not a whole number; the game stops reading "
                      "here and uses 10 for the effect volume and the music volume"},
        {"15\n-3\n", "the music volume -3 is outside 0..10; the game plays it as 0"},
        {"6\n", "no music volume; the game uses 10"},
        {"99999999999999999999\n", "does not fit a long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(writers::write_text(root + "/" + prefs, c.text));
        const std::string text = findings_on(check_data(root), prefs);
        if (c.expected.empty()) {
            EXPECT_EQ(text, "");
        } else {
            EXPECT_NE(text.find(c.expected), std::string::npos) << text;
            EXPECT_EQ(text.find("error"), std::string::npos) << "the game starts either way";
        }
    }
    std::filesystem::remove(root + "/" + prefs);
    std::filesystem::create_directory(root + "/" + prefs);
    EXPECT_NE(findings_on(check_data(root), prefs).find("warning: a directory, not a file: the game cannot read it"),
              std::string::npos);
}

TEST_F(ComfortsDataCheckReasons, LevelsThatPlaceTheGamesOwnSpritesOrTooManyAtOnce) {
    const std::string rel = fixture_world::kDir + "/Levels/NORMAL.LVL";
    std::vector<writers::LevelRecord> records = {{20, 200, 0, "entranceportal"},
                                                 {300, 100, 0, "gameover"},
                                                 {320, 100, 0, "playertwo"},
                                                 {340, 100, 0, "score"},
                                                 {360, 100, 0, "gameover"},  // warned about once
                                                 {1400, 200, 0, "exitportal"}};
    // 1000 rocks (each 4 wide) within 604 columns from x = 2000: all on
    // screen together, the most a level should keep busy.
    for (int i = 0; i < 1000; ++i) records.push_back({2000 + i % 600, 50 + i % 300, 0, "rockspace"});
    ASSERT_TRUE(writers::write_text(root + "/" + rel, writers::encode_lvl(records)));
    std::string text = findings_on(check_data(root), rel);
    EXPECT_NE(text.find(":2: warning: \"gameover\" is the game-over text, which only the game places; placed by a "
                        "level it stops the scrolling and ends the game"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(":3: warning: \"playertwo\" is player two's ship"), std::string::npos) << text;
    EXPECT_NE(text.find(":4: warning: \"score\" is a piece of the status bars"), std::string::npos) << text;
    EXPECT_EQ(text.find(":5:"), std::string::npos) << text;
    EXPECT_EQ(text.find("on screen at once"), std::string::npos) << text;

    // One more in the same stretch: 1001 at once.
    records.push_back({2300, 10, 0, "rockspace"});
    ASSERT_TRUE(writers::write_text(root + "/" + rel, writers::encode_lvl(records)));
    text = findings_on(check_data(root), rel);
    EXPECT_NE(text.find("warning: 1001 of its sprites are on screen at once"), std::string::npos) << text;
}

TEST_F(ComfortsDataCheckReasons, ALineLongerThanTheGameReadsIsReportedWhereItIs) {
    const std::string level = "Levels/City/Levels/NORMAL.LVL", definition = "Levels/City/Sprites/rockcity.SPT";
    const std::string endless(2 << 20, '7');
    ASSERT_TRUE(writers::write_text(root + "/" + level, "20 200 0 entranceportal\n1400 200 0 exitportal\n" + endless +
                                                            "\n700 100 1 rockcity\n"));
    ASSERT_TRUE(writers::write_text(root + "/" + definition, "0 0\n" + endless));
    const CheckReport report = check_data(root);
    const std::string text = findings_on(report, level);
    EXPECT_NE(text.find(":3: error: line 3 is longer than 1048576 bytes; the file is read only up to that line; the "
                        "game places none of the records from there on"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("'7777"), std::string::npos) << "the cut line is not read as a token";
    EXPECT_NE(findings_on(report, definition).find(":2: error: line 2 is longer than"), std::string::npos);
}

TEST_F(ComfortsDataCheckReasons, TheCheckerReadsALevelExactlyAsTheGameDoes) {
    // A number that runs into a word is read as the number, the word as the
    // next item (found by fuzzing the two readers against each other); a name
    // with a zero byte in it is no name the game has.
    const std::string rel = fixture_world::kDir + "/Levels/NORMAL.LVL";
    const std::string level = std::string("20 200 0 entranceportal\n"
                                          "0 0 4+rockspace\n"     // layer 4, name "+rockspace": skipped
                                          "5 0 0rockspace\n"      // layer 0, name "rockspace": placed
                                          "7 7 0 rockspace") +
                              '\0' + "x\n" +                      // not "rockspace"
                              "1400 200 0 exitportal\n";
    ASSERT_TRUE(writers::write_text(root + "/" + rel, level));
    const std::string text = findings_on(check_data(root), rel);
    EXPECT_EQ(text.find("stops reading"), std::string::npos) << text;
    EXPECT_NE(text.find(":2: error: no sprite named '+rockspace'"), std::string::npos) << text;
    EXPECT_NE(text.find(":3: warning: '0rockspace': the game reads 0 as the layer of a record and what follows as "
                        "the next item"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(":4: error: no sprite named 'rockspace\\x00x'"), std::string::npos) << text;
    EXPECT_EQ(text.find("exitportal"), std::string::npos) << "the records after them are read: " << text;

    // The game places the same three.
    for (const char* name : {"entranceportal", "rockspace", "exitportal"}) {
        std::string n = name;
        (new Sprite)->load(&n, nullptr, nullptr);
    }
    Sprite::the_level = new std::list<Sprite*>;
    std::istringstream in(level);
    read_level_records(in);
    std::vector<int> xs;
    for (const Sprite* s : *Sprite::the_level) xs.push_back(s->x);
    Sprite::destroy_level();
    Sprite::dumpall();
    EXPECT_EQ(xs, (std::vector<int>{20, 5, 1400}));
}

// Tunes and effects the game cannot load are refused for their own reason:
// neither an empty nor an oversized tune borrows the library's last error,
// and a wave format that is too short is not "not a wave".
TEST_F(ComfortsDataCheckReasons, TunesAndEffectsTheGameCannotLoadSayWhy) {
    const std::vector<std::string> tunes = data_layout::music_files();
    ASSERT_GE(tunes.size(), 4u);
    const std::vector<hostile::Sample> modules = hostile::damaged_modules();
    // The text goes first: it leaves the library an error of its own.
    ASSERT_TRUE(writers::write_file(root + "/" + tunes[0], hostile::sample(modules, "text")));
    ASSERT_TRUE(writers::write_file(root + "/" + tunes[1], {}));
    ASSERT_TRUE(writers::write_file(root + "/" + tunes[2], {'S'}));
    std::filesystem::resize_file(root + "/" + tunes[2], (uint64_t{64} << 20) + 1);
    ASSERT_TRUE(writers::write_file(root + "/" + tunes[3], hostile::sample(modules, "counts far beyond the file")));

    const std::vector<std::string> effects = data_layout::sound_files();
    std::vector<uint8_t> short_format = writers::encode_wav(std::vector<int16_t>(100, 5));
    put32(short_format, 16, 12);  // the "fmt " chunk's size
    writers::WaveOptions extended;
    extended.fmt_extra_bytes = 4;
    std::vector<uint8_t> lying_extra = writers::encode_wav(std::vector<int16_t>(100, 5), extended);
    lying_extra[36] = 200;  // the count of extra bytes, after the 16 of the format
    ASSERT_TRUE(writers::write_file(root + "/" + effects[0], short_format));
    ASSERT_TRUE(writers::write_file(root + "/" + effects[1], lying_extra));

    const CheckReport report = check_data(root);
    const std::string silent = "; no music plays where the game wants this tune";
    const struct {
        std::string file, says;
    } expected[] = {
        {tunes[0], "error: the game cannot load this module: libmikmod refuses it: Module format not recognized" + silent},
        {tunes[1], "error: the game cannot load this module: the file is empty" + silent},
        {tunes[2], "error: the game cannot load this module: 67108865 bytes, more than the 64 MiB the game reads "
                   "for a tune" + silent},
        {tunes[3], "error: the game cannot load this module: libmikmod refuses it: Failure loading module header" +
                       silent},
        {tunes[3], "error: the file ends inside its tables (255 orders, 255 instruments, 255 patterns)"},
        {effects[0], "error: the wave reader refuses it: its \"fmt \" chunk has 12 bytes, fewer than the 16 bytes "
                     "of a wave format; this effect stays silent"},
        {effects[1], "error: the wave reader refuses it: its format names 200 extra bytes, but its \"fmt \" chunk "
                     "has room for 4; this effect stays silent"},
    };
    for (const auto& e : expected) {
        const std::string text = findings_on(report, e.file);
        EXPECT_NE(text.find(e.file + ": " + e.says), std::string::npos) << text;
    }
    EXPECT_EQ(findings_on(report).find("No error"), std::string::npos);
}
