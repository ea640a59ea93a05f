// Driver and display-mode tables, mode activation and lookups.
#include <cstring>

#include "display/DirectDrawWin.h"
#include "display/pixel_codec.h"
#include "platform/platform.h"

namespace {
constexpr int kMaxDrivers = 10;
constexpr int kMaxModes = 100;

char* heap_copy(const char* text) {
    const char* t = text != nullptr ? text : "";
    const size_t n = std::strlen(t) + 1;
    char* out = new char[n];
    std::memcpy(out, t, n);
    return out;
}
}  // namespace

int DirectDrawWin::DriverAvailable(const uint8_t* guid, const char* description, const char* name,
                                   void* context) {
    auto* win = static_cast<DirectDrawWin*>(context);
    if (win == nullptr || win->numdrivers >= kMaxDrivers) return 0;
    DriverInfo& d = win->drivers[win->numdrivers];
    d.guid = nullptr;
    if (guid != nullptr) {
        d.guid = new uint8_t[16];
        std::memcpy(d.guid, guid, 16);
    }
    d.description = heap_copy(description);
    d.name = heap_copy(name);
    ++win->numdrivers;
    return 1;
}

int DirectDrawWin::DisplayModeAvailable(const DisplayModeInfo& mode, void* context) {
    auto* win = static_cast<DirectDrawWin*>(context);
    if (win == nullptr || win->nummodes >= kMaxModes) return 0;
    win->modes[win->nummodes++] = mode;
    return 1;
}

int DirectDrawWin::CompareModes(const DisplayModeInfo& a, const DisplayModeInfo& b) {
    const uint32_t area_a = a.width * a.height;  // unsigned product, as the order is defined
    const uint32_t area_b = b.width * b.height;
    if (area_a < area_b) return -1;
    if (area_a > area_b) return 1;
    if (a.depth < b.depth) return -1;
    if (a.depth > b.depth) return 1;
    return 0;
}

BOOL DirectDrawWin::ActivateDisplayMode(int mode) {
    if (mode < 0 || mode >= nummodes) return 0;
    const DisplayModeInfo& m = modes[mode];
    displayrect = RECT{0, 0, static_cast<int>(m.width), static_cast<int>(m.height)};
    displaydepth = m.depth;
    // The "mode switch": every surface from now on has this format; the window
    // shows whatever size and depth it is handed.
    pixelformat = pixel_codec::format_for_depth(m.depth);
    curmode = mode;
    if (CreateFlippingSurfaces() == 0) return 0;
    StorePixelFormatData();
    if (CreateCustomSurfaces() == 0) return 0;
    return 1;
}

BOOL DirectDrawWin::GetDisplayModeDimensions(int mode, uint32_t& width, uint32_t& height,
                                             uint32_t& depth) {
    if (mode < 0 || mode >= nummodes) return 0;
    width = modes[mode].width;
    height = modes[mode].height;
    depth = modes[mode].depth;
    return 1;
}

BOOL DirectDrawWin::GetDriverInfo(int index, uint8_t** guid, char** description, char** name) {
    if (index < 0 || index >= numdrivers) return 0;
    if (guid != nullptr) *guid = drivers[index].guid;
    if (description != nullptr) *description = drivers[index].description;
    if (name != nullptr) *name = drivers[index].name;
    return 1;
}
