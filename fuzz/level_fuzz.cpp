// Level layout files: the records are read into the level list, which is then
// scrolled and drawn for a few frames through a headless display.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "app/Velmora_Win.h"
#include "app/level_records.h"
#include "fuzz_support.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/test_window.h"
#include "writers/bmp_writer.h"

namespace {

// Masters the records may name: two with images (one wide, one tall) and one
// without any.
void load_masters(Velmora_Win& win) {
    const std::string dir = fuzz::scratch_dir() + "/level";
    fuzz::make_dirs(dir);
    if (::chdir(dir.c_str()) != 0) std::abort();
    const std::pair<const char*, writers::Image> pictures[] = {
        {"block1.BMP", writers::Image(64, 8, writers::Rgb{90, 90, 120})},
        {"tower1.BMP", writers::Image(6, 120, writers::Rgb{120, 90, 90})},
    };
    for (const auto& [file, image] : pictures) {
        const std::vector<uint8_t> bytes = writers::encode_bmp24(image);
        fuzz::write_bytes(dir + "/" + file, bytes.data(), bytes.size());
    }
    for (const char* n : {"block", "tower", "ghost"}) {
        std::string name = n;
        std::istringstream offsets("-3 -4");
        (new Sprite)->load(&name, &offsets, &win);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Velmora_Win win;
    static const bool ready = [] {
        if (!setup_headless_display(win)) return false;
        Sprite::set_window_ptr(&win);
        load_masters(win);
        return true;
    }();
    if (!ready) std::abort();

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Sprite::the_level = new std::list<Sprite*>;
    read_level_records(in);
    for (const Sprite* s : *Sprite::the_level) {
        if (s->x < -1000000 || s->x > 1000000 || s->y < -1000000 || s->y > 1000000) std::abort();
    }

    scroll = 1;
    for (int frame = 0; frame < 3; ++frame) {
        win.make_sprite_active_list();
        win.draw_sprite_active_list();
    }
    Sprite::destroy_level();
    return 0;
}
