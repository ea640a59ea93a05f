#include "net/screen_notice.h"

#include <algorithm>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

namespace net {
namespace {
constexpr int kCell = 22;
constexpr int kBandHeight = 44;

// Halves every channel of the pixels in rows [top, bottom).
void darken(Surface& s, int top, int bottom) {
    const PixelFormat& f = s.format;
    if (f.depth == 8) return;  // a palette has no "half as bright" to hand
    const uint32_t masks[3] = {f.rmask, f.gmask, f.bmask};
    for (int y = std::max(0, top); y < std::min(s.height, bottom); ++y)
        for (int x = 0; x < s.width; ++x) {
            const uint32_t v = s.get_pixel(x, y);
            uint32_t out = 0;
            for (const uint32_t m : masks) out |= ((v & m) >> 1) & m;
            s.put_pixel(x, y, out);
        }
}
}  // namespace

void draw_notice(DirectDrawWin& window, Surface& picture, const std::string& text) {
    const int top = (picture.height - kBandHeight) / 2;
    darken(picture, top, top + kBandHeight);
    platform::TextMask mask;
    const int width = platform::render_text(text, kCell, mask) ? mask.width : 0;
    window.DrawText(&picture, std::max(0, (picture.width - width) / 2), top + (kBandHeight - kCell) / 2, text,
                    255, 255, 255, kCell);
}

void show_notice(DirectDrawWin& window, const std::string& text) {
    if (window.primsurf == nullptr || !platform::has_backend() || platform::backend().headless()) return;
    Surface picture = *window.primsurf;
    draw_notice(window, picture, text);
    window.PresentSurface(picture);
}

}  // namespace net
