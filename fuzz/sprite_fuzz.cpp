// Sprite definitions: the .SPT text is the input; the first byte also decides
// how many frame bitmaps (0..4) lie beside it.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "fuzz_support.h"
#include "sprites/Sprite.h"
#include "support/test_window.h"
#include "writers/bmp_writer.h"

namespace {

constexpr int kMaxBitmaps = 4;

std::string prepare_bitmaps() {
    const std::string dir = fuzz::scratch_dir() + "/sprite";
    fuzz::make_dirs(dir);
    writers::Image image(5, 3, writers::Rgb{200, 40, 40});
    image.at(0, 0) = writers::Rgb{0, 255, 0};
    const std::vector<uint8_t> bytes = writers::encode_bmp24(image);
    for (int k = 1; k <= kMaxBitmaps; ++k)
        fuzz::write_bytes(dir + "/ship" + std::to_string(k) + ".BMP", bytes.data(), bytes.size());
    // Frame 3 is missing in the second set: the gap ends the sequence.
    fuzz::write_bytes(dir + "/gap1.BMP", bytes.data(), bytes.size());
    fuzz::write_bytes(dir + "/gap2.BMP", bytes.data(), bytes.size());
    fuzz::write_bytes(dir + "/gap4.BMP", bytes.data(), bytes.size());
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TestWindow win;
    static const std::string dir = prepare_bitmaps();
    static const bool entered = ::chdir(dir.c_str()) == 0;
    if (!win.ok || !entered) std::abort();
    Sprite::set_window_ptr(&win);

    const std::string text(reinterpret_cast<const char*>(data), size);
    const int choice = size > 0 ? data[0] % 3 : 0;
    std::string name = choice == 0 ? "SHIP" : choice == 1 ? "Gap" : "none";
    const int expected_frames = choice == 0 ? kMaxBitmaps : choice == 1 ? 2 : 0;

    std::istringstream in(text);
    auto* master = new Sprite;
    master->load(&name, &in, &win);
    if (master->frame_count() != expected_frames || Sprite::getnamedsprite(name.c_str()) != master)
        std::abort();
    for (const Sprite::frame* f : master->frames) {
        // Offsets are kept inside the bounds every later sum relies on.
        if (f->xoffset < -1000000 || f->xoffset > 1000000 || f->yoffset < -1000000 ||
            f->yoffset > 1000000 || f->rect.right != 5 || f->rect.bottom != 3)
            std::abort();
    }
    Sprite::dumpall();
    // Only the flipping pair is left: every frame image went with its master.
    if (win.live_surfaces.size() != 2) std::abort();
    return 0;
}
