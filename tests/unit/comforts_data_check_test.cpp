// The data checker: silent on sound data; every mistake planted in a copy
// found and put on its file (and line, for text files); the damaged files of
// the robustness tests each named, those the game reads as far as they go too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "comforts_data_fixture.h"
#include "support/fixture_world.h"
#include "support/hostile_data.h"
#include "support/temp_dir.h"
#include "tools/data_check.h"
#include "tools/data_layout.h"

namespace {

using comforts_fixture::findings_on;

bool has_finding(const CheckReport& r, Severity severity, const std::string& file, int line) {
    for (const Finding& f : r.findings)
        if (f.severity == severity && f.file == file && (line < 0 || f.line == line)) return true;
    return false;
}

std::string read_source(const std::string& relative) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/" + relative);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The text of every string literal in `text` that starts with `prefix` and
// holds only characters `keep` accepts (a plain scan: GCC's <regex> trips its
// own uninitialised-use warning in sanitizer builds).
template <typename Keep>
std::set<std::string> literals(const std::string& text, const std::string& prefix, Keep keep) {
    std::set<std::string> out;
    const std::string open = "\"" + prefix;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        const size_t end = text.find('"', at + 1);
        if (end == std::string::npos) break;
        const std::string literal = text.substr(at + 1, end - at - 1);
        if (!literal.empty() && std::all_of(literal.begin(), literal.end(), keep)) out.insert(literal);
    }
    return out;
}

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

using ComfortsDataCheck = comforts_fixture::CompleteData;

}  // namespace

TEST(ComfortsDataCheckOurs, OurGeneratedDataHasNoFindings) {
    const CheckReport report = check_data(VELMORA_DATA);
    EXPECT_TRUE(report.findings.empty()) << findings_on(report);
}

TEST_F(ComfortsDataCheck, EveryPlantedFaultIsFoundWithItsFileAndLine) {
    using namespace comforts_fixture;
    auto put = [&](const std::string& rel, const std::string& text) {
        ASSERT_TRUE(writers::write_text(root + "/" + rel, text)) << rel;
    };
    std::error_code ec;

    // Bitmaps: one the loader refuses, one without the key colour, a frame gap,
    // a name in the wrong case.
    put("Levels/Standard/Bitmaps/playerone1.BMP", "BM not really a bitmap");
    writers::Image no_key(4, 4, {10, 10, 10});
    ASSERT_TRUE(writers::write_file(root + "/Levels/Standard/Bitmaps/drone2.BMP", writers::encode_bmp24(no_key)));
    ASSERT_TRUE(writers::write_file(root + "/Levels/Metal/Bitmaps/rockmetal3.BMP",
                                    writers::encode_bmp24(sprite_image(4, 4, {1, 2, 3}))));
    ASSERT_TRUE(writers::write_file(root + "/Levels/Metal/Bitmaps/Rockmetal2.bmp",
                                    writers::encode_bmp24(sprite_image(4, 4, {1, 2, 3}))));
    // A definition with a word among its numbers, on line 2.
    put("Levels/Standard/Sprites/smoke.SPT", "0 0\n0 zero\n");
    // Level files: a bad token, a layer out of range, a name nothing defines,
    // a name in capitals, and a boss whose parts are missing.
    put(fixture_world::kDir + "/Levels/NORMAL.LVL",
        "20 200 0 entranceportal\n"
        "100 100 7 rockspace\n"
        "200 100 0 nothing\n"
        "300 100 0 ROCKSPACE\n"
        "400 100 1 spaceboss\n"
        "1400 200 0 exitportal\n"
        "500 abc 0 rockspace\n");
    ASSERT_TRUE(write_sprite(root, fixture_world::kName, "spaceboss", 1));
    // A world without its level file, a world missing altogether, a missing
    // menu picture.
    std::filesystem::remove(root + "/Levels/Water/Levels/NORMAL.LVL", ec);
    std::filesystem::remove_all(root + "/Levels/Cave", ec);
    std::filesystem::remove(root + "/Levels/Resource/ok_up.BMP", ec);
    // Sound: a damaged wave, a missing one; music: a module that is not one.
    put("Sound/g3.WAV", "RIFF....WAVEjunk");
    std::filesystem::remove(root + "/Sound/tick.WAV", ec);
    put("MUSIC/HIVE.S3M", "not a module at all, whatever the name says");

    const std::pair<std::string, int> expected[] = {
        {"Levels/Standard/Bitmaps/playerone1.BMP", 0},
        {"Levels/Standard/Bitmaps/drone2.BMP", 0},
        {"Levels/Metal/Bitmaps/rockmetal3.BMP", 0},
        {"Levels/Metal/Bitmaps/Rockmetal2.bmp", 0},
        {"Levels/Standard/Sprites/smoke.SPT", 2},
        {fixture_world::kDir + "/Levels/NORMAL.LVL", 2},  // layer 7
        {fixture_world::kDir + "/Levels/NORMAL.LVL", 3},  // "nothing"
        {fixture_world::kDir + "/Levels/NORMAL.LVL", 4},  // "ROCKSPACE"
        {fixture_world::kDir + "/Levels/NORMAL.LVL", 5},  // the boss's cannons
        {fixture_world::kDir + "/Levels/NORMAL.LVL", 7},  // "abc"
        {"Levels/Water/Levels/NORMAL.LVL", 0},
        {"Levels/Cave", 0},
        {"Levels/Resource/ok_up.BMP", 0},
        {"Sound/g3.WAV", 0},
        {"Sound/tick.WAV", 0},
        {"MUSIC/HIVE.S3M", 0},
    };
    const CheckReport report = check_data(root);
    std::set<std::string> planted_files;
    for (const auto& [file, line] : expected) {
        EXPECT_TRUE(has_finding(report, Severity::Error, file, line)) << file << ":" << line << "\n"
                                                                      << findings_on(report);
        planted_files.insert(file);
    }
    // Nothing else is blamed: every error is on a planted file.
    for (const Finding& f : report.findings) {
        if (f.severity == Severity::Error) {
            EXPECT_EQ(planted_files.count(f.file), 1u) << format_finding(f);
        }
    }
    // The boss's missing part is named, and the capitals get a hint.
    const std::string text = findings_on(report);
    EXPECT_NE(text.find("spacebosscannonup"), std::string::npos);
    EXPECT_NE(text.find("'rockspace'"), std::string::npos);
}

TEST_F(ComfortsDataCheck, ShortDefinitionsAndDuplicatesAreWarningsNotErrors) {
    ASSERT_TRUE(writers::write_text(dir.file("Levels/Standard/Sprites/bar.SPT"), "3\n"));
    ASSERT_TRUE(writers::write_text(dir.file("Levels/Metal/Sprites/ROCKMETAL.spt"), "0 0\n"));
    const CheckReport report = check_data(root);
    EXPECT_EQ(report.errors(), 0) << findings_on(report);
    EXPECT_TRUE(has_finding(report, Severity::Warning, "Levels/Standard/Sprites/bar.SPT", -1));
    EXPECT_TRUE(has_finding(report, Severity::Warning, "Levels/Metal/Sprites/rockmetal.SPT", -1) ||
                has_finding(report, Severity::Warning, "Levels/Metal/Sprites/ROCKMETAL.spt", -1))
        << findings_on(report);
}

TEST(ComfortsDataCheckOurs, ItsListsMatchWhatTheGameReads) {
    // The checker keeps its own lists of the game's pictures and sounds;
    // compare them with the names written in the game's code (the worlds and
    // tunes both take from the one world list).
    std::set<std::string> pictures;
    for (const std::string& p : data_layout::interface_pictures()) pictures.insert(p);
    for (const char* source : {"src/ui/interface_pictures.cpp", "src/app/input.cpp"})
        for (const std::string& p : literals(read_source(source), "Levels/Resource/", [](char) { return true; }))
            if (ends_with(p, ".BMP")) {
                EXPECT_EQ(pictures.count(p), 1u) << p;
            }

    const std::string sounds = read_source("src/app/sound_music.cpp");
    const size_t table = sounds.find("kEffectNames[]");
    ASSERT_NE(table, std::string::npos);
    const std::set<std::string> effects =
        literals(sounds.substr(table, sounds.find(';', table) - table), "", [](char c) {
            return std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
        });
    EXPECT_EQ(effects.size(), data_layout::sound_files().size());
    for (const std::string& e : effects)
        EXPECT_NE(std::find(data_layout::sound_files().begin(), data_layout::sound_files().end(), "Sound/" + e + ".WAV"),
                  data_layout::sound_files().end())
            << e;
}

TEST_F(ComfortsDataCheck, ACompleteSetGivesNoFindingsAndTheCommandLineReportsAndFails) {
    const CheckReport report = check_data(root);
    EXPECT_TRUE(report.findings.empty()) << findings_on(report);
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(run_check_data(root, out), 0);
    std::filesystem::remove(dir.file("Levels/Last/Levels/NORMAL.LVL"));
    EXPECT_EQ(run_check_data(root, out), 1);
    std::rewind(out);
    char buffer[4096] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, out);
    std::fclose(out);
    const std::string text(buffer, n);
    EXPECT_NE(text.find(": 0 errors, 0 warnings"), std::string::npos) << text;
    EXPECT_NE(text.find("Levels/Last/Levels/NORMAL.LVL: error: missing"), std::string::npos) << text;
    EXPECT_NE(text.find(": 1 error, 0 warnings"), std::string::npos) << text;
}

namespace {

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

TEST_F(ComfortsDataCheck, EveryDamagedBitmapAndDefinitionAndOddRecordIsReported) {
    const std::string space = root + "/" + fixture_world::kDir + "/";
    const std::string level = space + "Levels/NORMAL.LVL";
    const std::string records = hostile::add_damaged_sprites(space);
    const std::string odd = hostile::odd_level_records();
    const std::string head = writers::encode_lvl({{20, 200, 0, "entranceportal"},
                                                  {700, 100, 1, comforts_fixture::rock_of(fixture_world::kName)},
                                                  {1400, 200, 0, "exitportal"}});
    ASSERT_TRUE(hostile::put(level, head + records + odd));
    const CheckReport report = check_data(root);

    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const std::string file = fixture_world::kDir + "/Bitmaps/hostile" + std::to_string(i + 1) + "1.BMP";
        EXPECT_FALSE(findings_on(report, file).empty()) << bitmaps[i].label << " was not reported";
    }
    const std::vector<hostile::Sample> definitions = hostile::damaged_definitions();
    for (size_t i = 0; i < definitions.size(); ++i) {
        if (definitions[i].label == "integer limits") continue;  // four good numbers
        const std::string file = fixture_world::kDir + "/Sprites/oddtext" + std::to_string(i + 1) + ".SPT";
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
        for (const Finding& f : report.findings) found |= f.file == fixture_world::kDir + "/Levels/NORMAL.LVL" && f.line == line;
        EXPECT_TRUE(found) << "odd record on line " << line << " was not reported\n"
                           << findings_on(report, fixture_world::kDir + "/Levels/NORMAL.LVL");
    }
}

TEST_F(ComfortsDataCheck, DamageTheGameToleratesIsNamedForWhatItIs) {
    // The messages tell a modder what the game will do with the file.
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
