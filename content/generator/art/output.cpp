#include "generator/art/output.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "writers/data_writers.h"

namespace art {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint8_t to_byte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

bool collides_with_key(writers::Rgb c, writers::Rgb key) {
    // Five bits per channel is the coarsest format the game can run in; a
    // colour that matches there matches in 5-6-5 too.
    return (c.r >> 3) == (key.r >> 3) && (c.g >> 3) == (key.g >> 3) && (c.b >> 3) == (key.b >> 3);
}

writers::Rgb away_from_key(writers::Rgb c, writers::Rgb key) {
    if (!collides_with_key(c, key)) return c;
    const auto push = [](uint8_t v, uint8_t k) { return uint8_t(k >= 128 ? std::max(0, v - 14) : std::min(255, v + 14)); };
    const bool has_full = key.r == 255 || key.g == 255 || key.b == 255;
    if (has_full) {
        // A bright key (pure green): dim only its full channels.
        if (key.r == 255) c.r = push(c.r, key.r);
        if (key.g == 255) c.g = push(c.g, key.g);
        if (key.b == 255) c.b = push(c.b, key.b);
    } else {
        c.r = push(c.r, key.r);
        c.g = push(c.g, key.g);
        c.b = push(c.b, key.b);
    }
    return c;
}

writers::Image keyed_image(const Canvas& canvas, writers::Rgb key, Edges edges, bool key_corner) {
    writers::Image out(canvas.width(), canvas.height(), key);
    cairo_surface_flush(canvas.surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < canvas.width(); ++x) {
            const uint32_t v = row[x];
            const uint32_t a = v >> 24;
            bool opaque = false;
            if (edges == Edges::Threshold)
                opaque = a >= 128;
            else
                opaque = double(a) / 255.0 > (kBayer[y & 3][x & 3] + 0.5) / 16.0;
            if (!opaque || a == 0) continue;
            // Un-premultiply: the object's own colour, never mixed with the key.
            const double k = 255.0 / double(a);
            writers::Rgb c{uint8_t(std::min(255.0, std::round(double(v >> 16 & 0xFF) * k))),
                           uint8_t(std::min(255.0, std::round(double(v >> 8 & 0xFF) * k))),
                           uint8_t(std::min(255.0, std::round(double(v & 0xFF) * k)))};
            out.at(x, y) = away_from_key(c, key);
        }
    }
    if (key_corner) out.at(0, 0) = key;
    return out;
}

writers::Image flat_image(const Canvas& canvas, const Color& background) {
    writers::Image out(canvas.width(), canvas.height());
    cairo_surface_flush(canvas.surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < canvas.width(); ++x) {
            // Premultiplied source over the background.
            const uint32_t v = row[x];
            const double rest = 1.0 - double(v >> 24) / 255.0;
            out.at(x, y) = writers::Rgb{to_byte(double(v >> 16 & 0xFF) / 255.0 + background.r * rest),
                                        to_byte(double(v >> 8 & 0xFF) / 255.0 + background.g * rest),
                                        to_byte(double(v & 0xFF) / 255.0 + background.b * rest)};
        }
    }
    return out;
}

writers::IndexedImage palettise(const writers::Image& image, const std::vector<writers::Rgb>& exact) {
    writers::IndexedImage out = writers::quantize(image, 256, exact);
    if (!exact.empty())
        for (size_t i = exact.size(); i < out.palette.size(); ++i)
            out.palette[i] = away_from_key(out.palette[i], exact.front());
    return out;
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

void Output::picture(const std::string& path, const writers::Image& image, Depth depth,
                     const std::vector<writers::Rgb>& exact) {
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
