// A small but complete data set, made with the same writers as the game's own
// data: every directory and file the game reads, each sprite one or two tiny
// frames. The tools' tests damage copies of it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "music_modules.h"
#include "support/temp_dir.h"
#include "tools/data_check.h"
#include "tools/data_layout.h"
#include "tools/spawn_needs.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace comforts_fixture {

constexpr writers::Rgb kKey{0, 255, 0};

// A w x h image in `colour` with the key colour in its top-left pixel.
inline writers::Image sprite_image(int w, int h, writers::Rgb colour) {
    writers::Image image(w, h, colour);
    image.at(0, 0) = kKey;
    return image;
}

inline bool write_sprite(const std::string& root, const std::string& world, const std::string& name, int frames,
                         int w = 4, int h = 4, writers::Rgb colour = {200, 40, 40}) {
    const std::string base = root + "/Levels/" + world + "/";
    std::vector<writers::FrameOffset> offsets(static_cast<size_t>(frames));
    bool ok = writers::write_text(base + "Sprites/" + name + ".SPT", writers::encode_spt(offsets));
    for (int k = 1; k <= frames; ++k)
        ok = ok && writers::write_file(base + "Bitmaps/" + name + std::to_string(k) + ".BMP",
                                       writers::encode_bmp24(sprite_image(w, h, colour)));
    return ok;
}

// The sprite each world places besides its portals.
inline std::string rock_of(const std::string& world) {
    std::string name = "rock" + world;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

inline bool write_complete_data(const std::string& root) {
    bool ok = true;
    for (const char* d : {"Levels/Standard/Sprites", "Levels/Standard/Bitmaps", "Levels/Resource", "Sound", "MUSIC"})
        ok = ok && writers::make_directories(root + "/" + d);
    for (const std::string& name : spawn_needs::every_level())
        ok = ok && write_sprite(root, "Standard", name, 2);
    for (const std::string& world : data_layout::worlds()) {
        for (const char* d : {"Sprites", "Bitmaps", "Levels"})
            ok = ok && writers::make_directories(root + "/Levels/" + world + "/" + d);
        ok = ok && write_sprite(root, world, rock_of(world), 1);
        ok = ok && writers::write_text(root + "/Levels/" + world + "/Levels/NORMAL.LVL",
                                       writers::encode_lvl({{20, 200, 0, "entranceportal"},
                                                            {700, 100, 1, rock_of(world)},
                                                            {1400, 200, 0, "exitportal"}}));
    }
    for (const std::string& rel : data_layout::interface_pictures())
        ok = ok && writers::write_file(root + "/" + rel, writers::encode_bmp24(writers::Image(8, 8, {9, 9, 90})));
    const std::vector<int16_t> beep(400, 1000);
    for (const std::string& rel : data_layout::sound_files())
        ok = ok && writers::write_file(root + "/" + rel, writers::encode_wav(beep));
    for (const std::string& rel : data_layout::music_files())
        ok = ok && writers::write_file(root + "/" + rel, writers::encode_s3m(music_fixtures::short_tune()));
    return ok;
}

// The findings of a check, one formatted line each: all, or those on one file.
inline std::string findings_on(const CheckReport& r, const std::string& file = "") {
    std::string out;
    for (const Finding& f : r.findings)
        if (file.empty() || f.file == file) out += format_finding(f) + "\n";
    return out;
}

// A complete data set for each test to damage.
class CompleteData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(write_complete_data(root)); }
    TempDir dir;
    const std::string& root = dir.path();
};

}  // namespace comforts_fixture
