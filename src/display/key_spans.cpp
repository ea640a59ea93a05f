#include "display/key_spans.h"

#include <cstring>

namespace {

// A run costs a call and its set-up; a row averaging less than this many
// columns per run is cheaper compared pixel by pixel (vector compares).
constexpr size_t kMinColumnsPerRun = 24;

uint32_t pixel_at(const uint8_t* p, int bpp) {
    uint32_t v = 0;
    std::memcpy(&v, p, static_cast<size_t>(bpp));  // little-endian, as surfaces store pixels
    return v;
}

}  // namespace

std::shared_ptr<const KeySpans> build_key_spans(const Surface& surface, uint32_t key) {
    auto spans = std::make_shared<KeySpans>();
    spans->key = key;
    const int bpp = surface.bytes_per_pixel();
    const int w = surface.width, h = surface.height;
    spans->row_start.reserve(static_cast<size_t>(h) + 1);
    spans->compare_row.assign(static_cast<size_t>(h), 0);
    bool any_key = false;
    for (int y = 0; y < h; ++y) {
        spans->row_start.push_back(static_cast<uint32_t>(spans->runs.size()));
        const size_t first = spans->runs.size();
        const uint8_t* row = surface.row(y);
        int x = 0;
        while (x < w) {
            while (x < w && pixel_at(row + static_cast<size_t>(x) * bpp, bpp) == key) {
                any_key = true;
                ++x;
            }
            if (x == w) break;
            const int begin = x;
            while (x < w && pixel_at(row + static_cast<size_t>(x) * bpp, bpp) != key) ++x;
            spans->runs.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(x)});
        }
        const size_t count = spans->runs.size() - first;
        if (count > 1) {
            const size_t extent = spans->runs.back().end - spans->runs[first].begin;
            if (extent < count * kMinColumnsPerRun) {
                const KeySpans::Run whole{spans->runs[first].begin, spans->runs.back().end};
                spans->runs.resize(first);
                spans->runs.push_back(whole);
                spans->compare_row[static_cast<size_t>(y)] = 1;
            }
        }
    }
    spans->row_start.push_back(static_cast<uint32_t>(spans->runs.size()));
    spans->opaque = !any_key;
    return spans;
}

std::shared_ptr<const KeySpans> key_spans_for(const Surface& surface, uint32_t key) {
    if (surface.key_spans == nullptr || surface.key_spans->key != key)
        surface.key_spans = build_key_spans(surface, key);
    return surface.key_spans;
}
