// The data checker on the damaged files of the robustness tests: the game
// survives every one of them, and the checker names every one, including those
// the game quietly reads as far as they go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comforts_data_fixture.h"
#include "support/hostile_data.h"
#include "support/temp_dir.h"
#include "tools/data_check.h"
#include "tools/data_layout.h"

namespace {

using comforts_fixture::findings_on;

// Plants `samples` into the files `slots`, as many rounds as it takes, and
// checks that each one draws a finding on its file.
void expect_each_found(const std::string& root, const std::vector<std::string>& slots,
                       const std::vector<hostile::Sample>& samples) {
    ASSERT_FALSE(slots.empty());
    for (size_t first = 0; first < samples.size(); first += slots.size()) {
        ASSERT_TRUE(comforts_fixture::write_complete_data(root));
        for (size_t k = 0; k < slots.size() && first + k < samples.size(); ++k)
            ASSERT_TRUE(hostile::put(root + "/" + slots[k], samples[first + k].bytes));
        const CheckReport report = check_data(root);
        for (size_t k = 0; k < slots.size() && first + k < samples.size(); ++k)
            EXPECT_FALSE(findings_on(report, slots[k]).empty())
                << samples[first + k].label << " in " << slots[k] << " was not reported\n" << findings_on(report);
        // The complete data around them stays clean.
        for (const Finding& f : report.findings) {
            bool planted = false;
            for (size_t k = 0; k < slots.size() && first + k < samples.size(); ++k) planted |= f.file == slots[k];
            EXPECT_TRUE(planted) << format_finding(f);
        }
    }
}

}  // namespace

TEST(ComfortsDataCheckHostile, EveryDamagedWaveAndModuleIsReported) {
    TempDir dir;
    expect_each_found(dir.path(), data_layout::sound_files(), hostile::damaged_waves());
    expect_each_found(dir.path(), data_layout::music_files(), hostile::damaged_modules());
}

TEST(ComfortsDataCheckHostile, EveryDamagedBitmapAndDefinitionAndOddRecordIsReported) {
    TempDir dir;
    const std::string& root = dir.path();
    ASSERT_TRUE(comforts_fixture::write_complete_data(root));
    const std::string space = root + "/Levels/Space/";
    const std::string level = space + "Levels/NORMAL.LVL";
    const std::string records = hostile::add_damaged_sprites(space);
    const std::string odd = hostile::odd_level_records();
    const std::string head = writers::encode_lvl({{20, 200, 0, "entranceportal"},
                                                  {700, 100, 1, comforts_fixture::rock_of("Space")},
                                                  {1400, 200, 0, "exitportal"}});
    ASSERT_TRUE(hostile::put(level, head + records + odd));
    const CheckReport report = check_data(root);

    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const std::string file = "Levels/Space/Bitmaps/hostile" + std::to_string(i + 1) + "1.BMP";
        EXPECT_FALSE(findings_on(report, file).empty()) << bitmaps[i].label << " was not reported";
    }
    const std::vector<hostile::Sample> definitions = hostile::damaged_definitions();
    for (size_t i = 0; i < definitions.size(); ++i) {
        if (definitions[i].label == "integer limits") continue;  // four good numbers
        const std::string file = "Levels/Space/Sprites/oddtext" + std::to_string(i + 1) + ".SPT";
        EXPECT_FALSE(findings_on(report, file).empty()) << definitions[i].label << " was not reported";
    }

    // The first eight odd records name nothing or sit outside the layers; each
    // is reported on its own line.
    auto lines_in = [](const std::string& text) {
        int n = 0;
        for (char c : text) n += c == '\n' ? 1 : 0;
        return n;
    };
    const int first_odd = lines_in(head) + lines_in(records) + 1;
    for (int line = first_odd; line < first_odd + 8; ++line) {
        bool found = false;
        for (const Finding& f : report.findings) found |= f.file == "Levels/Space/Levels/NORMAL.LVL" && f.line == line;
        EXPECT_TRUE(found) << "odd record on line " << line << " was not reported\n"
                           << findings_on(report, "Levels/Space/Levels/NORMAL.LVL");
    }
}

TEST(ComfortsDataCheckHostile, DamageTheGameToleratesIsNamedForWhatItIs) {
    // The messages tell a modder what the game will do with the file.
    TempDir dir;
    const std::string& root = dir.path();
    ASSERT_TRUE(comforts_fixture::write_complete_data(root));
    auto sample = [](const std::vector<hostile::Sample>& all, const std::string& label) {
        for (const hostile::Sample& s : all)
            if (s.label == label) return s.bytes;
        ADD_FAILURE() << "no sample " << label;
        return std::vector<uint8_t>{};
    };
    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    const std::string ok_up = "Levels/Resource/ok_up.BMP", ok_down = "Levels/Resource/ok_down.BMP";
    ASSERT_TRUE(hostile::put(root + "/" + ok_up, sample(bitmaps, "image size larger than the file")));
    ASSERT_TRUE(hostile::put(root + "/" + ok_down, sample(bitmaps, "16 colours, pixels beyond them")));
    const std::string g3 = "Sound/g3.WAV";
    ASSERT_TRUE(hostile::put(root + "/" + g3, sample(hostile::damaged_waves(), "channels 65535")));
    const std::string tune = data_layout::music_files().front();
    ASSERT_TRUE(hostile::put(root + "/" + tune, sample(hostile::damaged_modules(), "cut in half")));
    const CheckReport report = check_data(root);

    // A size field that only overstates is harmless: a warning.
    const std::string up = findings_on(report, ok_up);
    EXPECT_NE(up.find("warning: its header gives the pixels 1048576 bytes"), std::string::npos) << up;
    // A table that claims more colours than the file holds moves the pixels.
    const std::string down = findings_on(report, ok_down);
    EXPECT_NE(down.find("error: its file header puts the pixels at byte 62, but the game reads them from byte 118"),
              std::string::npos)
        << down;
    const std::string wave = findings_on(report, g3);
    EXPECT_NE(wave.find("error: its 4000 bytes of sound hold no whole frame of 65535 channels"), std::string::npos)
        << wave;
    const std::string module = findings_on(report, tune);
    EXPECT_NE(module.find("warning: sample 1"), std::string::npos) << module;
    EXPECT_NE(module.find("runs past the end of the file"), std::string::npos) << module;
}
