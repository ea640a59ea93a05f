#include "display/key_spans.h"

#include <cstring>

namespace {

// A run costs a call and its set-up; a row averaging less than this many
// columns per run is cheaper compared pixel by pixel (vector compares).
constexpr size_t kMinColumnsPerRun = 24;

template <int Bpp>
uint32_t pixel_at(const uint8_t* p) {
    uint32_t v = 0;
    std::memcpy(&v, p, Bpp);  // little-endian, as surfaces store pixels
    return v;
}

// Appends the runs of one row of `w` pixels that differ from `key`; says
// whether the row holds a key pixel. One instance per pixel size, so each
// pixel is one load and one compare (a load of a size known only at run
// time was a third of a level's load).
template <int Bpp>
bool scan_row(const uint8_t* row, int w, uint32_t key, std::vector<KeySpans::Run>& runs) {
    bool any_key = false;
    int x = 0;
    while (x < w) {
        while (x < w && pixel_at<Bpp>(row + static_cast<size_t>(x) * Bpp) == key) {
            any_key = true;
            ++x;
        }
        if (x == w) break;
        const int begin = x;
        while (x < w && pixel_at<Bpp>(row + static_cast<size_t>(x) * Bpp) != key) ++x;
        runs.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(x)});
    }
    return any_key;
}

bool scan_row(const uint8_t* row, int bpp, int w, uint32_t key, std::vector<KeySpans::Run>& runs) {
    switch (bpp) {
        case 1: return scan_row<1>(row, w, key, runs);
        case 2: return scan_row<2>(row, w, key, runs);
        case 3: return scan_row<3>(row, w, key, runs);
        default: return scan_row<4>(row, w, key, runs);
    }
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
        if (scan_row(surface.row(y), bpp, w, key, spans->runs)) any_key = true;
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
