// The level renderer: the input is the level file of a small world (a wide
// and a tall sprite, one without images, one with a far drawing offset); the
// picture, when it can be drawn, covers the first screen and places the
// level's start inside it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "sprites/Sprite.h"
#include "tools/level_render.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

// A fuzzer's picture stays small; the command's own limit is far wider.
constexpr long long kMaxWidth = 4096;

std::string prepare_world() {
    const std::string root = fuzz::scratch_dir() + "/render";
    for (const char* d : {"/Levels/Standard/Sprites", "/Levels/Standard/Bitmaps", "/Levels/Space/Sprites",
                          "/Levels/Space/Bitmaps", "/Levels/Space/Levels"})
        fuzz::make_dirs(root + d);
    struct Picture {
        const char* world;
        const char* name;
        int w, h;
        const char* offsets;
    };
    const Picture pictures[] = {{"Standard", "block", 64, 8, "-3 -4"},
                                {"Space", "tower", 6, 120, "0 0 2 2"},
                                {"Space", "far", 5, 5, "-900000 300"}};
    for (const Picture& p : pictures) {
        writers::Image image(p.w, p.h, writers::Rgb{90, 90, 120});
        image.at(0, 0) = writers::Rgb{0, 255, 0};
        const std::vector<uint8_t> bytes = writers::encode_bmp24(image);
        const std::string base = root + "/Levels/" + p.world + "/";
        fuzz::write_bytes(base + "Bitmaps/" + p.name + "1.BMP", bytes.data(), bytes.size());
        writers::write_text(base + "Sprites/" + p.name + ".SPT", p.offsets);
    }
    writers::write_text(root + "/Levels/Space/Sprites/ghost.SPT", "1 1");
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = prepare_world();
    if (!fuzz::write_bytes(root + "/Levels/Space/Levels/NORMAL.LVL", data, size)) std::abort();
    LevelPicture picture;
    std::string error;
    if (!render_level(root, 1, picture, error, kMaxWidth)) {
        if (error.empty()) std::abort();
    } else if (picture.width < 640 || picture.width > kMaxWidth || picture.height != 416 ||
               picture.start_column < 0 || picture.start_column + 640 > picture.width ||
               picture.rgb.size() != size_t(picture.width) * 416 * 3 || picture.sprites_drawn < 0) {
        std::abort();
    }
    // Nothing outlives the rendering.
    if (Sprite::the_level != nullptr || !Sprite::list_of_master_sprites.empty()) std::abort();
    return 0;
}
