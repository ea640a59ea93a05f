// One user's hold on DirectDrawWin::overlay, the slot several users share
// (the settings notice, the network game's label and notices): a hold fills
// the slot only while it is empty and empties it only while what is there is
// still its own, so one user never wipes out another's picture.
#pragma once

#include <functional>
#include <memory>

class DirectDrawWin;
struct Surface;

class OverlayHold {
public:
    using Draw = std::function<void(Surface& picture)>;

    // Puts `draw` in the slot if the slot is empty; true when the slot holds
    // this hold's drawing afterwards (also when it already did).
    bool take(DirectDrawWin& window, Draw draw);
    // Empties the slot if it holds this hold's drawing.
    void release(DirectDrawWin& window);
    // Whether the slot holds this hold's drawing now.
    bool holds(const DirectDrawWin& window) const;

private:
    // What goes in the slot: the drawing and whose it is.
    struct Held {
        std::shared_ptr<const int> owner;
        Draw draw;
        void operator()(Surface& picture) const { draw(picture); }
    };
    std::shared_ptr<const int> owner_ = std::make_shared<const int>(0);
};
