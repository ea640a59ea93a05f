// Sharp scaling of a finished picture to a size that is not a whole multiple
// of it: the result is what enlarging by a whole multiple with nearest
// sampling and then reducing to the size by averaging the area each screen
// pixel covers gives. Every picture pixel keeps the same width (nearest
// sampling alone makes some one screen pixel wider than others) and only the
// screen pixels that straddle the edge between two picture pixels are blended
// (plain filtering blurs every edge over two or more).
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

class SharpScaler {
public:
    // `src`: src_w x src_h pixels 0x00RRGGBB, rows packed. `dst`: dst_w x dst_h
    // pixels, rows packed. Sizes below 1 do nothing.
    void scale(const uint32_t* src, int src_w, int src_h, uint32_t* dst, int dst_w, int dst_h);

private:
    // One screen pixel's share of the picture along one axis: the picture
    // pixels from `first` on, with weights in 256ths that add up to 256.
    struct Span {
        int first = 0;
        int count = 0;
        int weights = 0;  // index of its first weight in weights_
    };
    static void plan_axis(int src, int dst, std::vector<Span>& spans, std::vector<uint16_t>& weights);
    void filter_row(const uint32_t* row, int dst_w, uint32_t* out);

    int src_w_ = 0, src_h_ = 0, dst_w_ = 0, dst_h_ = 0;
    std::vector<Span> columns_, rows_;
    std::vector<uint16_t> column_weights_, row_weights_;
    std::vector<uint32_t> filtered_;      // picture rows filtered across
    std::vector<int> filtered_row_;       // which picture row each slot of filtered_ holds
    std::vector<uint32_t*> across_;       // the filtered rows one screen row takes
    std::vector<const uint32_t*> taps_;   // the pixels one screen pixel averages
};

}  // namespace platform
