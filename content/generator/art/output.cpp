#include "generator/art/output.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "generator/art/dither.h"
#include "writers/data_writers.h"

namespace art {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const uint32_t* words(const Canvas& canvas) {
    cairo_surface_flush(canvas.surface());
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(canvas.surface()));
}
int stride_words(const Canvas& canvas) { return cairo_image_surface_get_stride(canvas.surface()) / 4; }

uint8_t to_byte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

}  // namespace

writers::Image keyed_image(const Canvas& canvas, writers::Rgb key, Edges edges, bool key_corner) {
    return resolve_coverage(words(canvas), canvas.width(), canvas.height(), stride_words(canvas), key, edges,
                            key_corner);
}

writers::Image flat_image(const Canvas& canvas, const Color& background) {
    return flatten(words(canvas), canvas.width(), canvas.height(), stride_words(canvas),
                   writers::Rgb{to_byte(background.r), to_byte(background.g), to_byte(background.b)});
}

Output::Output(const content::Context& context, std::string module)
    : context_(context), module_(std::move(module)) {}

void Output::sprite(const std::string& dir, const std::string& raw_name, const std::vector<Frame>& frames,
                    Depth depth) {
    const std::string name = lower(raw_name);
    // The loader stops at the first missing number and reads two digits at most.
    if (frames.empty() || frames.size() > 99) {
        std::fprintf(stderr, "velmora-content: sprite %s has %zu frames\n", name.c_str(), frames.size());
        ok_ = false;
        return;
    }
    PreviewItem item{name + " (" + std::to_string(frames.size()) + ")", {}, true, kKeyColour};
    std::vector<writers::FrameOffset> offsets;
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        writers::Image image = keyed_image(f.image, kKeyColour, f.edges, true);
        const std::string path = context_.path(dir + "/Bitmaps/" + name + std::to_string(i + 1) + ".BMP");
        const std::vector<uint8_t> bytes = depth == Depth::True24
                                               ? writers::encode_bmp24(image)
                                               : writers::encode_bmp8(palettise(image, {kKeyColour}));
        ok_ = writers::write_file(path, bytes) && ok_;
        offsets.push_back({f.xoffset, f.yoffset});
        item.images.push_back(std::move(image));
    }
    ok_ = writers::write_text(context_.path(dir + "/Sprites/" + name + ".SPT"), writers::encode_spt(offsets)) && ok_;
    items_.push_back(std::move(item));
}

void Output::picture(const std::string& path, const writers::Image& source, Depth depth,
                     const std::vector<writers::Rgb>& exact) {
    // Full pictures hold smooth gradients the 16-bit display would band.
    writers::Image image = source;
    if (depth == Depth::True24) dither_565(image);
    const std::vector<uint8_t> bytes =
        depth == Depth::True24 ? writers::encode_bmp24(image) : writers::encode_bmp8(palettise(image, exact));
    ok_ = writers::write_file(context_.path(path), bytes) && ok_;
    const size_t slash = path.rfind('/');
    PreviewItem item{slash == std::string::npos ? path : path.substr(slash + 1), {image}, !exact.empty(),
                     exact.empty() ? writers::Rgb{} : exact.front()};
    items_.push_back(std::move(item));
}

bool Output::finish() {
    const char* dir = std::getenv("VELMORA_PREVIEWS");
    if (dir && *dir) {
        writers::make_directories(dir);
        const std::string path = std::string(dir) + "/" + module_ + ".png";
        if (!write_preview_sheet(path, module_, items_))
            std::fprintf(stderr, "velmora-content: cannot write %s\n", path.c_str());
    }
    items_.clear();
    return ok_;
}

}  // namespace art
