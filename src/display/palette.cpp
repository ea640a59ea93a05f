// The display palette built from a bitmap's colour table (8-bit modes).
#include <new>

#include "display/DirectDrawWin.h"

BOOL DirectDrawWin::CreatePalette(const RGBQUAD* colortable, int count) {
    delete palette;
    palette = nullptr;
    if (primsurf != nullptr) primsurf->palette = nullptr;

    auto* p = new (std::nothrow) Palette;
    if (p == nullptr) return 0;
    const int n = colortable == nullptr ? 0 : (count < 0 ? 0 : (count > 256 ? 256 : count));
    for (int i = 0; i < n; ++i) {
        p->entries[i].red = colortable[i].rgbRed;
        p->entries[i].green = colortable[i].rgbGreen;
        p->entries[i].blue = colortable[i].rgbBlue;
        p->entries[i].flags = 0;
    }
    palette = p;
    // Only a palettised primary takes a palette; elsewhere it is kept but has no effect.
    if (primsurf == nullptr || displaydepth != 8) return 0;
    primsurf->palette = palette;
    if (backsurf != nullptr) backsurf->palette = palette;
    return 1;
}
