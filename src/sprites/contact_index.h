// Which sprites a contact test has to look at. A test walks the whole active
// list and every child chain; with a thousand sprites on screen, each asking
// once a frame, that is a million sprites looked at. During the behaviour
// pass of a frame a coarse grid of the screen says instead which chains have
// a member of the class asked for near the sprite asking; only those chains
// are walked, with the same test as before and in the same order, so every
// sum, `Sprite::g_sprite` and `hitx`/`hity` come out as before.
//
// The grid is filled when the first test of the pass asks, and a chain is
// placed again after its behaviours ran. It is exact as long as behaviours
// move, animate, reclassify and add children only within their own chain
// (the top-level sprite whose turn it is and its children), which is how
// every behaviour works: a sprite of another chain that moved would be looked
// for where it was. VELMORA_CHECK_CONTACTS=1 in the environment compares every
// test with the full walk and stops the program at the first difference; the
// golden runs of every world set it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Sprite;

namespace contact_index {

// The behaviour pass of a frame over `Sprite::list_of_active_sprites`.
// Outside a pass (level loading, tests calling a behaviour by itself) contact
// tests walk everything.
class Pass {
public:
    Pass();
    ~Pass();
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;
    // The behaviours of the active list's entry `index` and its chain run next.
    void chain_runs(size_t index);
};

// Whether tests are compared with the full walk (VELMORA_CHECK_CONTACTS),
// and how many compared differently; for tests of this file.
void set_checking(bool on);
long mismatches();
// Contact tests answered through the grid since the program started.
long indexed_tests();

}  // namespace contact_index

// ---- for collision.cpp ----
namespace contact_index {

struct Area {
    int left, top, right, bottom;  // right and bottom exclusive
};

// What a test looks for: a class among members on layers 0 and 1, or a
// layer among top-level sprites.
enum class Looking { Class, Layer };

// The chains (indices into the active list, ascending) that the test of a
// sprite whose image covers `area` has to walk: those with a member of the
// kind asked for whose image may meet the area, and the chain whose
// behaviours are running. False outside a behaviour pass: walk everything.
bool chains_near(const Area& area, Looking looking, int value, std::vector<uint32_t>& out);

// Whether a test must also take the full walk and compare; a difference is
// then reported through note_mismatch(), which stops the program when the
// environment asked for the check.
bool checking();
void note_mismatch(const char* what);

}  // namespace contact_index
