#include "sprites/contact_index.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "sprites/Sprite.h"

namespace contact_index {
namespace {

// 64-pixel cells over the screen and a wide margin round it; images beyond
// the margin fall into the edge cells, which only makes those cells busier.
constexpr int kCellShift = 6;
constexpr long long kGridLeft = -512, kGridTop = -512;
constexpr int kColumns = 26, kRows = 24;
constexpr size_t kNone = std::numeric_limits<size_t>::max();

// A chain with a member of some kind in some cell, as it was when the chain
// was placed.
struct Item {
    uint32_t chain;
    uint32_t version;  // the chain's placing; older ones are left behind
};

// A cell's items by kind: the hit class of members on layers 0 and 1, or the
// layer of top-level sprites. A cell holds few kinds.
struct Bucket {
    int kind;
    std::vector<Item> items;
};

struct Cell {
    std::vector<Bucket> by_class, by_layer;
};

void add(std::vector<Bucket>& buckets, int kind, Item item) {
    for (Bucket& b : buckets)
        if (b.kind == kind) {
            b.items.push_back(item);
            return;
        }
    buckets.push_back(Bucket{kind, {item}});
}

const std::vector<Item>* items_of(const std::vector<Bucket>& buckets, int kind) {
    for (const Bucket& b : buckets)
        if (b.kind == kind) return &b.items;
    return nullptr;
}

// What placing a member depended on; a chain whose members all look the same
// after its behaviours ran stays where it was placed.
struct Snapshot {
    const Sprite* sprite;
    const Sprite::frame* frame;
    int x, y, hitclass, layer;

    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot_of(const Sprite* s) { return Snapshot{s, s->current_frame(), s->x, s->y, s->hitclass, s->layer}; }

struct State {
    bool in_pass = false;
    bool built = false;
    const std::vector<Sprite*>* list = nullptr;
    size_t chains = 0;
    size_t current = kNone;
    std::vector<uint32_t> ran;  // chains whose behaviours ran since they were placed
    std::vector<uint32_t> version;
    std::vector<std::vector<Snapshot>> placed;  // per chain
    std::array<Cell, static_cast<size_t>(kColumns) * kRows> cells;
    std::vector<uint64_t> marks;  // one bit per chain, for one test
    bool checking = false;
    bool stop_on_mismatch = false;
    long mismatches = 0;
    long indexed = 0;
};

State& state() {
    static State s = [] {
        State init;
        const char* env = std::getenv("VELMORA_CHECK_CONTACTS");
        init.checking = init.stop_on_mismatch = env != nullptr && *env != '\0' && *env != '0';
        return init;
    }();
    return s;
}

int column(long long x) {
    return static_cast<int>(std::clamp<long long>((x - kGridLeft) >> kCellShift, 0, kColumns - 1));
}
int row(long long y) { return static_cast<int>(std::clamp<long long>((y - kGridTop) >> kCellShift, 0, kRows - 1)); }

// The screen rectangle of a sprite's current image, as the tests compute it.
bool image_area(const Sprite* s, Area& out) {
    const Sprite::frame* f = s->current_frame();
    if (f == nullptr) return false;
    const int ox = s->x + f->xoffset;
    const int oy = s->y + f->yoffset;
    out = Area{ox + f->rect.left, oy + f->rect.top, ox + f->rect.right, oy + f->rect.bottom};
    return true;
}

template <class Each>
void for_cells(const Area& a, Each&& each) {
    // Strict overlap tests: an empty area meets nothing.
    if (a.right <= a.left || a.bottom <= a.top) return;
    const int c0 = column(a.left), c1 = column(static_cast<long long>(a.right) - 1);
    const int r0 = row(a.top), r1 = row(static_cast<long long>(a.bottom) - 1);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) each(state().cells[static_cast<size_t>(r) * kColumns + c]);
}

bool unchanged(const State& st, uint32_t chain) {
    const std::vector<Snapshot>& placed = st.placed[chain];
    size_t i = 0;
    for (const Sprite* b = (*st.list)[chain]; b != nullptr; b = b->nextchild, ++i)
        if (i == placed.size() || !(placed[i] == snapshot_of(b))) return false;
    return i == placed.size();
}

// Layers 0 and 1 only: the contact tests of the game look for nothing else,
// and the backdrops of layers 2 and 3 would fill every cell.
bool layer_indexed(int layer) { return layer == 0 || layer == 1; }

void place_chain(State& st, uint32_t chain) {
    const Item item{chain, ++st.version[chain]};
    std::vector<Snapshot>& placed = st.placed[chain];
    placed.clear();
    bool top = true;
    for (Sprite* b = (*st.list)[chain]; b != nullptr; b = b->nextchild, top = false) {
        placed.push_back(snapshot_of(b));
        // Hit-class tests look at layers below 2, negative ones too.
        const bool by_class = b->layer < 2;
        const bool by_layer = top && layer_indexed(b->layer);
        Area a{};
        if ((!by_class && !by_layer) || !image_area(b, a)) continue;
        const int hitclass = b->hitclass, layer = b->layer;
        for_cells(a, [&](Cell& cell) {
            if (by_class) add(cell.by_class, hitclass, item);
            if (by_layer) add(cell.by_layer, layer, item);
        });
    }
}

void build(State& st) {
    // Emptied, not freed: the next frame fills them much the same way.
    for (Cell& cell : st.cells)
        for (std::vector<Bucket>* buckets : {&cell.by_class, &cell.by_layer})
            for (Bucket& b : *buckets) b.items.clear();
    st.chains = st.list->size();
    st.version.assign(st.chains, 0);
    if (st.placed.size() < st.chains) st.placed.resize(st.chains);
    st.marks.assign((st.chains + 63) / 64, 0);
    st.ran.clear();
    for (size_t i = 0; i < st.chains; ++i) place_chain(st, static_cast<uint32_t>(i));
    st.built = true;
}

}  // namespace

Pass::Pass() {
    State& st = state();
    if (st.in_pass) return;  // a pass within a pass changes nothing
    st.in_pass = true;
    st.built = false;
    st.list = Sprite::list_of_active_sprites;
    st.current = kNone;
    st.ran.clear();
}

Pass::~Pass() {
    State& st = state();
    st.in_pass = false;
    st.built = false;
    st.list = nullptr;
    st.current = kNone;
}

void Pass::chain_runs(size_t index) {
    State& st = state();
    if (st.current != kNone && st.current < st.chains) st.ran.push_back(static_cast<uint32_t>(st.current));
    st.current = index;
}

bool chains_near(const Area& area, Looking looking, int value, std::vector<uint32_t>& out) {
    State& st = state();
    out.clear();
    // The active list is fixed during a pass; anything else is not ours to index.
    if (!st.in_pass || st.list == nullptr || st.list != Sprite::list_of_active_sprites) return false;
    if (!st.built) build(st);
    if (st.list->size() != st.chains) return false;
    for (uint32_t chain : st.ran)
        if (!unchanged(st, chain)) place_chain(st, chain);
    st.ran.clear();
    // Other layers are not in the grid: such a test walks everything.
    if (looking == Looking::Layer && !layer_indexed(value)) return false;

    for_cells(area, [&](const Cell& cell) {
        const std::vector<Item>* items = items_of(looking == Looking::Class ? cell.by_class : cell.by_layer, value);
        if (items == nullptr) return;
        for (const Item& item : *items)
            if (item.version == st.version[item.chain])
                st.marks[item.chain >> 6] |= uint64_t(1) << (item.chain & 63);
    });
    // The running chain is looked at as it is now, whatever was placed.
    if (st.current < st.chains) st.marks[st.current >> 6] |= uint64_t(1) << (st.current & 63);
    for (size_t w = 0; w < st.marks.size(); ++w) {
        for (uint64_t bits = st.marks[w]; bits != 0; bits &= bits - 1)
            out.push_back(static_cast<uint32_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(bits))));
        st.marks[w] = 0;
    }
    ++st.indexed;
    return true;
}

bool checking() { return state().checking; }

void note_mismatch(const char* what) {
    State& st = state();
    ++st.mismatches;
    if (!st.stop_on_mismatch) return;
    std::fprintf(stderr, "velmora: %s\n", what);
    std::abort();
}

void set_checking(bool on) {
    State& st = state();
    st.checking = on;
    st.stop_on_mismatch = false;
    st.mismatches = 0;
}

long mismatches() { return state().mismatches; }

long indexed_tests() { return state().indexed; }

}  // namespace contact_index
