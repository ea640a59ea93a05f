#include "writers/bmp_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace writers {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void put_headers(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colors,
                 uint32_t pixel_bytes, const BmpOptions& o) {
    const uint32_t palette_bytes = colors * 4;
    const uint32_t offset = 14 + o.info_header_size + palette_bytes;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixel_bytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, o.info_header_size);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height * o.height_sign));
    put16(out, 1);
    put16(out, uint32_t(bits));
    put32(out, o.compression);
    put32(out, o.image_size < 0 ? pixel_bytes : uint32_t(o.image_size));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, o.colors_used < 0 ? (bits == 8 ? colors : 0) : uint32_t(o.colors_used));
    put32(out, 0);
    // A longer info header is padded with zeros.
    for (uint32_t i = 40; i < o.info_header_size; ++i) out.push_back(0);
}

}  // namespace

std::vector<uint8_t> encode_bmp24(const Image& image, const BmpOptions& options) {
    const int stride = (3 * image.width + 3) & ~3;
    const uint32_t pixel_bytes = uint32_t(stride) * image.height;
    std::vector<uint8_t> out;
    out.reserve(54 + pixel_bytes);
    put_headers(out, image.width, image.height, 24, 0, pixel_bytes, options);
    for (int row = image.height - 1; row >= 0; --row) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, row);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (int pad = 3 * image.width; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> encode_bmp8(const IndexedImage& image, const BmpOptions& options) {
    const int stride = (image.width + 3) & ~3;
    const uint32_t pixel_bytes = uint32_t(stride) * image.height;
    const uint32_t colors = uint32_t(image.palette.size());
    std::vector<uint8_t> out;
    out.reserve(54 + colors * 4 + pixel_bytes);
    put_headers(out, image.width, image.height, 8, colors, pixel_bytes, options);
    for (const Rgb& c : image.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int row = image.height - 1; row >= 0; --row) {
        for (int x = 0; x < image.width; ++x) out.push_back(image.indices[size_t(row) * image.width + x]);
        for (int pad = image.width; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

namespace {

uint32_t key_of(const Rgb& c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

int distance(const Rgb& a, const Rgb& b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

struct Box {
    std::vector<std::pair<Rgb, uint32_t>> colors;  // colour and pixel count
};

// Median cut: split the box with the widest channel range at its weighted median.
void median_cut(std::vector<Box>& boxes, size_t wanted) {
    while (boxes.size() < wanted) {
        int best = -1, best_range = 0, best_channel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colors.size() < 2) continue;
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            for (auto& [c, n] : boxes[i].colors) {
                const int v[3] = {c.r, c.g, c.b};
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min(lo[k], v[k]);
                    hi[k] = std::max(hi[k], v[k]);
                }
            }
            for (int k = 0; k < 3; ++k)
                if (hi[k] - lo[k] > best_range) {
                    best_range = hi[k] - lo[k];
                    best = int(i);
                    best_channel = k;
                }
        }
        if (best < 0) break;
        auto& cs = boxes[best].colors;
        std::sort(cs.begin(), cs.end(), [best_channel](const auto& a, const auto& b) {
            const int va[3] = {a.first.r, a.first.g, a.first.b};
            const int vb[3] = {b.first.r, b.first.g, b.first.b};
            return va[best_channel] < vb[best_channel];
        });
        uint64_t total = 0;
        for (auto& e : cs) total += e.second;
        uint64_t acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i < cs.size() - 1; ++i) {
            acc += cs[i].second;
            cut = i + 1;
            if (acc * 2 >= total) break;
        }
        Box other;
        other.colors.assign(cs.begin() + long(cut), cs.end());
        cs.resize(cut);
        boxes.push_back(std::move(other));
    }
}

}  // namespace

IndexedImage quantize(const Image& image, int max_colors, const std::vector<Rgb>& keep) {
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.indices.resize(image.pixels.size());

    std::map<uint32_t, uint32_t> counts;
    for (const Rgb& p : image.pixels) {
        bool kept = false;
        for (const Rgb& k : keep) kept = kept || (k == p);
        if (!kept) ++counts[key_of(p)];
    }
    out.palette = keep;
    const size_t room = size_t(std::max(1, max_colors - int(keep.size())));
    if (counts.size() <= room) {
        for (auto& [k, n] : counts) out.palette.push_back(Rgb{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)});
    } else {
        std::vector<Box> boxes(1);
        for (auto& [k, n] : counts)
            boxes[0].colors.push_back({Rgb{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)}, n});
        median_cut(boxes, room);
        for (const Box& b : boxes) {
            uint64_t r = 0, g = 0, bl = 0, n = 0;
            for (auto& [c, w] : b.colors) {
                r += uint64_t(c.r) * w;
                g += uint64_t(c.g) * w;
                bl += uint64_t(c.b) * w;
                n += w;
            }
            if (n == 0) continue;
            out.palette.push_back(Rgb{uint8_t(r / n), uint8_t(g / n), uint8_t(bl / n)});
        }
    }
    if (out.palette.empty()) out.palette.push_back(Rgb{});

    std::map<uint32_t, uint8_t> lookup;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const Rgb& p = image.pixels[i];
        auto it = lookup.find(key_of(p));
        if (it == lookup.end()) {
            int best = 0, best_d = 1 << 30;
            for (size_t k = 0; k < out.palette.size(); ++k) {
                const bool is_keep = k < keep.size();
                if (is_keep && !(out.palette[k] == p)) continue;  // keep colours match only themselves
                const int d = distance(out.palette[k], p);
                if (d < best_d) {
                    best_d = d;
                    best = int(k);
                }
                if (d == 0) break;
            }
            it = lookup.emplace(key_of(p), uint8_t(best)).first;
        }
        out.indices[i] = it->second;
    }
    return out;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace writers
