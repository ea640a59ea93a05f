#include "platform/whole_scale.h"

#include <cstring>

namespace platform {

void scale_whole(const uint32_t* src, int src_w, int src_h, int factor, uint32_t* dst, size_t dst_pitch) {
    if (src == nullptr || dst == nullptr || src_w < 1 || src_h < 1 || factor < 1) return;
    const size_t row_bytes = static_cast<size_t>(src_w) * factor * sizeof(uint32_t);
    auto* out = reinterpret_cast<uint8_t*>(dst);
    for (int y = 0; y < src_h; ++y) {
        const uint32_t* in = src + static_cast<size_t>(y) * src_w;
        auto* first = reinterpret_cast<uint32_t*>(out);
        if (factor == 2) {
            // The common window: a loop the compiler turns into shuffles.
            for (int x = 0; x < src_w; ++x) first[2 * x] = first[2 * x + 1] = in[x];
        } else {
            for (int x = 0; x < src_w; ++x)
                for (int i = 0; i < factor; ++i) first[static_cast<size_t>(x) * factor + i] = in[x];
        }
        out += dst_pitch;
        // The other rows of this picture row are copies of the first.
        for (int i = 1; i < factor; ++i, out += dst_pitch) std::memcpy(out, first, row_bytes);
    }
}

}  // namespace platform
