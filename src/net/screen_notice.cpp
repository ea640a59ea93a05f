#include "net/screen_notice.h"

#include <algorithm>
#include <string>
#include <vector>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

namespace net {
namespace {
constexpr int kCell = 22;
constexpr int kBandHeight = 44;
constexpr int kLineHeight = 30;

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
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const int band = kBandHeight + (static_cast<int>(lines.size()) - 1) * kLineHeight;
    const int top = (picture.height - band) / 2;
    darken(picture, top, top + band);
    for (size_t i = 0; i < lines.size(); ++i) {
        platform::TextMask mask;
        const int width = platform::render_text(lines[i], kCell, mask) ? mask.width : 0;
        window.DrawText(&picture, std::max(0, (picture.width - width) / 2),
                        top + (kBandHeight - kCell) / 2 + static_cast<int>(i) * kLineHeight, lines[i], 255, 255, 255,
                        kCell);
    }
}

void show_notice(DirectDrawWin& window, const std::string& text) {
    if (window.primsurf == nullptr || !platform::has_backend() || platform::backend().headless()) return;
    Surface picture = *window.primsurf;
    draw_notice(window, picture, text);
    window.PresentSurface(picture);
}

void draw_label(DirectDrawWin& window, Surface& picture, const std::string& text) {
    constexpr int kLabelCell = 16;
    platform::TextMask mask;
    const int width = platform::render_text(text, kLabelCell, mask) ? mask.width : 0;
    const int x = std::max(0, (picture.width - width) / 2);
    const int y = 36;
    darken(picture, y - 2, y + kLabelCell + 4);
    window.DrawText(&picture, x, y, text, 255, 255, 160, kLabelCell);
}

void show_progress_notice(DirectDrawWin& window, const std::string& text, double fraction) {
    if (window.primsurf == nullptr || !platform::has_backend() || platform::backend().headless()) return;
    Surface picture = *window.primsurf;
    draw_notice(window, picture, text + "\n ");
    const int width = picture.width * 2 / 3;
    const int left = (picture.width - width) / 2;
    const int top = (picture.height - kBandHeight - kLineHeight) / 2 + kBandHeight + 2;
    const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * width);
    const uint32_t white = picture.format.rmask | picture.format.gmask | picture.format.bmask;
    for (int y = top; y < std::min(picture.height, top + 12); ++y)
        for (int x = left; x < left + width && x < picture.width; ++x)
            if (x < left + filled || y == top || y == top + 11 || x == left || x == left + width - 1)
                picture.put_pixel(x, y, white);
    window.PresentSurface(picture);
}

}  // namespace net
