#include "platform/sharp_scale.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr int kWhole = 256;  // a full weight

// a and b mixed, b weighing `wb` 256ths; red and blue travel together.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t wb) {
    const uint32_t wa = kWhole - wb;
    const uint32_t rb = (((a & 0xFF00FFu) * wa + (b & 0xFF00FFu) * wb + 0x800080u) >> 8) & 0xFF00FFu;
    const uint32_t g = (((a & 0x00FF00u) * wa + (b & 0x00FF00u) * wb + 0x008000u) >> 8) & 0x00FF00u;
    return rb | g;
}

// Any number of pixels with their weights (a screen pixel smaller than the
// picture's, in a window smaller than the picture).
uint32_t average(const uint32_t* const* pixels, const uint16_t* w, int count) {
    uint32_t r = 0, g = 0, b = 0;
    for (int k = 0; k < count; ++k) {
        const uint32_t p = *pixels[k];
        r += (p >> 16 & 0xFF) * w[k];
        g += (p >> 8 & 0xFF) * w[k];
        b += (p & 0xFF) * w[k];
    }
    return (r + kWhole / 2) / kWhole << 16 | (g + kWhole / 2) / kWhole << 8 | (b + kWhole / 2) / kWhole;
}
}  // namespace

void SharpScaler::plan_axis(int src, int dst, std::vector<Span>& spans, std::vector<uint16_t>& weights) {
    spans.assign(static_cast<size_t>(dst), Span{});
    weights.clear();
    // Screen pixel d covers picture coordinates [d * src / dst, (d + 1) * src / dst):
    // in units of 1 / dst, [d * src, (d + 1) * src), and picture pixel s is [s * dst, (s + 1) * dst).
    for (int d = 0; d < dst; ++d) {
        const long long lo = static_cast<long long>(d) * src, hi = lo + src;
        Span& span = spans[static_cast<size_t>(d)];
        span.first = static_cast<int>(lo / dst);
        span.weights = static_cast<int>(weights.size());
        // Rounded cumulatively, so the weights add up to exactly a whole.
        long long covered = 0;
        int given = 0;
        for (int s = span.first; s < src && static_cast<long long>(s) * dst < hi; ++s) {
            covered += std::min(hi, static_cast<long long>(s + 1) * dst) - std::max(lo, static_cast<long long>(s) * dst);
            const int total = static_cast<int>((covered * kWhole + src / 2) / src);
            weights.push_back(static_cast<uint16_t>(total - given));
            given = total;
            ++span.count;
        }
        // A share rounded to nothing is no share: most screen pixels then
        // take one picture pixel as it is.
        while (span.count > 1 && weights[static_cast<size_t>(span.weights + span.count - 1)] == 0) {
            weights.pop_back();
            --span.count;
        }
        while (span.count > 1 && weights[static_cast<size_t>(span.weights)] == 0) {
            weights.erase(weights.begin() + span.weights);
            ++span.first;
            --span.count;
        }
    }
}

void SharpScaler::filter_row(const uint32_t* row, int dst_w, uint32_t* out) {
    std::vector<const uint32_t*>& taps = taps_;
    for (int x = 0; x < dst_w; ++x) {
        const Span& span = columns_[static_cast<size_t>(x)];
        const uint32_t* p = row + span.first;
        const uint16_t* w = &column_weights_[static_cast<size_t>(span.weights)];
        if (span.count == 1) {
            out[x] = *p;
        } else if (span.count == 2) {
            out[x] = mix(p[0], p[1], w[1]);
        } else {
            taps.resize(static_cast<size_t>(span.count));
            for (int k = 0; k < span.count; ++k) taps[static_cast<size_t>(k)] = p + k;
            out[x] = average(taps.data(), w, span.count);
        }
    }
}

void SharpScaler::scale(const uint32_t* src, int src_w, int src_h, uint32_t* dst, int dst_w, int dst_h) {
    if (src == nullptr || dst == nullptr || src_w < 1 || src_h < 1 || dst_w < 1 || dst_h < 1) return;
    if (src_w != src_w_ || dst_w != dst_w_) plan_axis(src_w, dst_w, columns_, column_weights_);
    if (src_h != src_h_ || dst_h != dst_h_) plan_axis(src_h, dst_h, rows_, row_weights_);
    src_w_ = src_w, src_h_ = src_h, dst_w_ = dst_w, dst_h_ = dst_h;

    // A screen row takes a few picture rows filtered across; each picture row
    // is filtered once and kept while screen rows still need it.
    int slots = 1;
    for (const Span& r : rows_) slots = std::max(slots, r.count);
    filtered_.resize(static_cast<size_t>(slots) * dst_w);
    filtered_row_.assign(static_cast<size_t>(slots), -1);
    across_.resize(static_cast<size_t>(slots));
    for (int y = 0; y < dst_h; ++y) {
        const Span& span = rows_[static_cast<size_t>(y)];
        const uint16_t* w = &row_weights_[static_cast<size_t>(span.weights)];
        for (int k = 0; k < span.count; ++k) {
            const int row = span.first + k;
            const size_t slot = static_cast<size_t>(row % slots);
            uint32_t* out = &filtered_[slot * dst_w];
            if (filtered_row_[slot] != row) {
                filter_row(src + static_cast<size_t>(row) * src_w, dst_w, out);
                filtered_row_[slot] = row;
            }
            across_[static_cast<size_t>(k)] = out;
        }
        uint32_t* line = dst + static_cast<size_t>(y) * dst_w;
        if (span.count == 1) {
            std::memcpy(line, across_[0], static_cast<size_t>(dst_w) * sizeof(uint32_t));
        } else if (span.count == 2) {
            for (int x = 0; x < dst_w; ++x) line[x] = mix(across_[0][x], across_[1][x], w[1]);
        } else {
            taps_.resize(static_cast<size_t>(span.count));
            for (int x = 0; x < dst_w; ++x) {
                for (int k = 0; k < span.count; ++k) taps_[static_cast<size_t>(k)] = &across_[static_cast<size_t>(k)][x];
                line[x] = average(taps_.data(), w, span.count);
            }
        }
    }
}

}  // namespace platform
