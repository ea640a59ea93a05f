// Where the play field's sprites are drawn between two game steps: each at a
// position blended between where it stood at the previous step and where it
// stands now, by the share of the step that has passed. Only drawing reads
// this; nothing here writes a sprite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "display/types.h"

class DirectDrawWin;
class Sprite;
struct Surface;

namespace motion_blend {

// A share of a step in 1/65536: whole numbers keep every picture's positions
// exact and the same on every machine.
inline constexpr int kWholeStep = 1 << 16;

// A move this long on either axis, or longer, is not motion but a jump (a
// wrap, a teleport, a re-placement): drawn where it ends, not slid across.
// The fastest things on screen move 40 pixels a step by their own speed (the
// blue laser; the rockets while they cross the screen), the ship 25; nothing
// else passes 16.
inline constexpr int kJump = 48;

// The share of the step ending at `deadline_us` (lasting `period_us`) that has
// passed at `seen_us`, clamped to 0 .. kWholeStep: never ahead of the step.
int step_fraction(uint64_t seen_us, uint64_t deadline_us, uint64_t period_us);

// The coordinate drawn `fraction` of the way from `from` to `to`, rounded to
// the nearest pixel (halves towards +infinity). Things that move alike stay
// together: the result depends only on `from`, the distance and the share.
int blend(int from, int to, int fraction);

// Whether a move of (dx, dy) in one step is blended.
bool is_motion(int dx, int dy);

// The play field of one step, ready to be drawn at any share of it.
class Playfield {
public:
    // Takes this step's active list (its sprites and their chains, in drawing
    // order) and pairs each sprite with where it stood at the last step
    // noted; then notes where everything that may be drawn next step stands
    // now. Call once per step, after the step's own drawing.
    void prepare();
    // The previous step is unknown (a run of play starts, or steps went by
    // without being noted): nothing is blended until the next step.
    void forget();

    // Draws every sprite of the step at `fraction` onto `target`, clipped to
    // `view`, as the step's own drawing does at kWholeStep.
    void draw(DirectDrawWin& window, Surface* target, const RECT& view, int fraction) const;

    // How many sprites the step draws, and how many of them are blended.
    size_t sprites() const { return items_.size(); }
    size_t blended() const;

private:
    struct Place {
        int x = 0;
        int y = 0;
    };
    struct Item {
        const Sprite* sprite = nullptr;
        Place from;  // where it stood at the previous step; equal to now when not blended
        bool moves = false;
    };
    void note(const Sprite* top);

    std::vector<Item> items_;
    // Where sprites stood at the last step noted, by serial: addresses are
    // reused once a sprite is deleted, serials never are.
    std::unordered_map<uint32_t, Place> last_;
    bool last_valid_ = false;
};

}  // namespace motion_blend
