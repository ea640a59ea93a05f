#include "display/overlay_hold.h"

#include <utility>

#include "display/DirectDrawWin.h"

bool OverlayHold::take(DirectDrawWin& window, Draw draw) {
    if (holds(window)) return true;
    if (window.overlay) return false;
    window.overlay = Held{owner_, std::move(draw)};
    return true;
}

void OverlayHold::release(DirectDrawWin& window) {
    if (holds(window)) window.overlay = nullptr;
}

bool OverlayHold::holds(const DirectDrawWin& window) const {
    const Held* held = window.overlay.target<Held>();
    return held != nullptr && held->owner == owner_;
}
