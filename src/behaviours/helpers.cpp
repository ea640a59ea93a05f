// The shared vocabulary of the behaviours: animation clocks, frame selection,
// terrain-aware movers, 16-direction aiming and the fire-rate gate.
#include <algorithm>
#include <cstdlib>

#include "behaviours/helpers.h"
#include "state/globals.h"

namespace {

bool at_last(const Sprite* s) { return s->curframe == s->lastframe; }
bool at_first(const Sprite* s) { return s->curframe == s->firstframe; }

// A step that would leave the sequence (or a sprite without frames) does nothing.
void step_forwards(Sprite* s) {
    if (s->frames.empty() || at_last(s) || s->curframe + 1 >= s->frame_count()) return;
    ++s->curframe;
    ++s->framenumber;
}

void step_backwards(Sprite* s) {
    if (s->frames.empty() || at_first(s) || s->curframe <= 0) return;
    --s->curframe;
    --s->framenumber;
}

// Shared clock of the three looping animations: each image is held for
// framedelay + 2 calls.
bool loop_clock_ticks(Sprite* s) {
    if (s->framecount > s->framedelay) {
        s->framecount = 0;
        return true;
    }
    ++s->framecount;
    return false;
}

bool on_scenery(Sprite* s) { return s->hitlayer(1) != 0; }

// Repeats beyond the number of frames change nothing; cap them so a wild
// argument cannot spin.
long long capped_steps(long long n, const Sprite* s) {
    return std::min<long long>(n, s->frame_count());
}

}  // namespace

void animateloop(Sprite* s) {
    if (!loop_clock_ticks(s)) return;
    if (at_last(s)) {
        s->curframe = s->firstframe;
        s->framenumber = 1;
    } else {
        step_forwards(s);
    }
}

void animateloopbackwards(Sprite* s) {
    if (!loop_clock_ticks(s)) return;
    if (at_first(s)) {
        if (s->frames.empty()) return;
        s->curframe = s->lastframe;
        s->framenumber = s->frame_count();
    } else {
        step_backwards(s);
    }
}

void animatebackandforth(Sprite* s) {
    if (!loop_clock_ticks(s)) return;
    if (s->reverse == 0) {
        if (at_last(s)) {
            step_backwards(s);
            s->reverse = 1;
        } else {
            step_forwards(s);
        }
    } else if (at_first(s)) {
        s->reverse = 0;
    } else {
        step_backwards(s);
    }
}

void animateterminate(Sprite* s) {
    if (s->framecount >= s->framedelay) {
        s->framecount = 0;
        if (at_last(s))
            s->hitpoints = 0;
        else
            step_forwards(s);
    } else {
        ++s->framecount;
    }
}

void setframe(Sprite* s, int n) {
    if (n < 1) n = 1;
    s->curframe = s->firstframe;
    s->framenumber = 1;
    for (long long i = capped_steps(static_cast<long long>(n) - 1, s); i > 0; --i) step_forwards(s);
}

void changeframe(Sprite* s, int d) {
    if (d > 0)
        for (long long i = capped_steps(d, s); i > 0; --i) step_forwards(s);
    else if (d < 0)
        for (long long i = capped_steps(-static_cast<long long>(d), s); i > 0; --i) step_backwards(s);
}

void centerframe(Sprite* s) { centeronframe(s, s->frame_count() / 2); }

void centeronframe(Sprite* s, int n) {
    if (s->framenumber < n) step_forwards(s);
    if (s->framenumber > n) step_backwards(s);
}

void movespritelayer(Sprite* s, int dx, int dy) {
    if (dy != 0) {
        const int dir = dy < 0 ? -1 : 1;
        for (long long i = std::llabs(static_cast<long long>(dy)); i > 0; --i) {
            s->y += dir;
            if (on_scenery(s)) {
                s->y -= dir;
                return;
            }
        }
    }
    if (dx < 0) {
        for (long long i = -static_cast<long long>(dx); i > 0; --i) {
            s->x -= 1;
            if (!on_scenery(s)) continue;
            // Slide over a low obstacle, else under a high one, else stop.
            const int start_y = s->y;
            s->y = start_y - 5;
            if (!on_scenery(s)) return;
            s->y = start_y + 5;
            if (!on_scenery(s)) return;
            s->y = start_y;
            s->x += 1;
            return;
        }
    } else if (dx > 0) {
        for (int i = dx; i > 0; --i) {
            s->x += 1;
            if (on_scenery(s)) {
                s->x -= 1;
                return;
            }
        }
    }
}

void movealongground(Sprite* s, int dx) {
    // Fall up to 10 pixels, then rise out of any overlap: the overlap left by
    // the last horizontal step lifts a walker onto slopes and steps.
    s->y += 10;
    while (on_scenery(s)) s->y -= 1;
    const int dir = dx < 0 ? -1 : 1;
    for (long long i = std::llabs(static_cast<long long>(dx)); i > 0; --i) {
        s->x += dir;
        if (on_scenery(s)) return;
    }
}

int direction_of_vector(int dx, int dy) {
    const long long ax = std::llabs(static_cast<long long>(dx));
    const long long ay = std::llabs(static_cast<long long>(dy));
    // Per quadrant: the main direction along x, the in-between one, the
    // diagonal, the in-between one next to y, and the main direction along y.
    static constexpr int kSectors[4][5] = {
        {1, 2, 3, 4, 5},      // up-left
        {1, 16, 15, 14, 13},  // down-left
        {9, 8, 7, 6, 5},      // up-right
        {9, 10, 11, 12, 13},  // down-right
    };
    const int quadrant = (dx < 0 ? 0 : 2) + (dy < 0 ? 0 : 1);
    const int* sector = kSectors[quadrant];
    const int x_main = sector[0], x_between = sector[1], diagonal = sector[2],
              y_between = sector[3], y_main = sector[4];
    if (ax > ay) {
        if (ax > 3 * ay) return x_main;
        if (ax > 2 * ay) return x_between;
        return diagonal;
    }
    if (ay > 3 * ax) return y_main;
    if (ay > 2 * ax) return y_between;
    return diagonal;
}

int findangletoplayer(int x, int y) {
    const long long d1 = std::llabs(static_cast<long long>(player1h) - x) +
                         std::llabs(static_cast<long long>(player1v) - y);
    const long long d2 = std::llabs(static_cast<long long>(player2h) - x) +
                         std::llabs(static_cast<long long>(player2v) - y);
    if (d1 < d2) return direction_of_vector(player1h - x, player1v - y);
    return direction_of_vector(player2h - x, player2v - y);
}

int findangletosprite(int tx, int ty, int fx, int fy) { return direction_of_vector(tx - fx, ty - fy); }

bool shoot(Sprite* s) {
    // Skill level 1 (below the game's fixed 2) makes the gate count twice as fast.
    const int increment = skilllevel < 2 ? 2 : 1;
    const bool both_alive = player1hitpoints > 0 && player2hitpoints > 0;
    const int limit = both_alive ? std::max(s->firedelay - 6, 6) : s->firedelay;
    s->firecount += increment;
    if (s->firecount > limit) {
        s->firecount = 0;
        return true;
    }
    return false;
}
