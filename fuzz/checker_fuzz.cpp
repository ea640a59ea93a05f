// The data checker's own readers, which must read what the game reads:
// - the input as a level file, checked and loaded by the game alike: the
//   checker must find the records the game places, in its order;
// - the input read as numbers by the checker and by the game's formatted
//   input: both must read the same numbers and stop at the same place;
// - the input as a bitmap and as a module, through the checker's look at the
//   bytes and its reasons for a refusal.
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "app/level_records.h"
#include "fuzz_support.h"
#include "sprites/Sprite.h"
#include "sprites/limits.h"
#include "tools/bitmap_refusal.h"
#include "tools/check_context.h"
#include "tools/file_damage.h"
#include "tools/text_fields.h"
#include "tools/tool_window.h"

namespace {

const char* const kNames[] = {"block", "tower", "ghost"};

struct Checker {
    ToolWindow window;
    std::string root;
    data_check::WorldSprites shared, own;
    Checker() {
        root = fuzz::scratch_dir() + "/checker";
        fuzz::make_dirs(root + "/Levels/Space/Levels");
        shared.world = "Standard";
        own.world = "Space";
        shared.names = {"block", "tower"};
        own.names = {"ghost", "block"};  // the shared one is found first
        for (const char* n : kNames) {
            std::string name = n;
            (new Sprite)->load(&name, nullptr, nullptr);  // masters without images
        }
    }
    ~Checker() { Sprite::dumpall(); }
    Checker(const Checker&) = delete;
    Checker& operator=(const Checker&) = delete;
};

void compare_level_readings(Checker& c, const uint8_t* data, size_t size) {
    if (!fuzz::write_bytes(c.root + "/Levels/Space/Levels/NORMAL.LVL", data, size)) std::abort();
    CheckReport report;
    data_check::Context ctx{c.root, report, c.window};
    const std::vector<data_check::PlacedSprite> placed = data_check::check_level_file(ctx, "Space", c.shared, c.own);
    data_check::check_level_load(ctx, "Space", placed, c.shared, c.own);
    for (const Finding& f : report.findings)
        if (f.message.empty()) std::abort();

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Sprite::the_level = new std::list<Sprite*>;
    read_level_records(in);
    if (Sprite::the_level->size() != placed.size()) std::abort();
    size_t i = 0;
    for (const Sprite* s : *Sprite::the_level) {
        const data_check::PlacedSprite& p = placed[i++];
        if (Sprite::getnamedsprite(p.name.c_str()) == nullptr || s->x != clamp_coordinate(p.x) ||
            s->layer != p.layer)
            std::abort();
    }
    Sprite::destroy_level();
}

void compare_number_readings(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    data_check::FieldReader checker(text);
    std::istringstream game(text);
    for (;;) {
        long long mine = 0;
        int theirs = 0;
        const bool checker_reads = checker.number(INT_MIN, INT_MAX, mine) == data_check::FieldReader::Number::Ok;
        const bool game_reads = static_cast<bool>(game >> theirs);
        if (checker_reads != game_reads || (game_reads && mine != theirs)) std::abort();
        if (!game_reads) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Checker checker;
    compare_level_readings(checker, data, size);
    compare_number_readings(data, size);

    const std::vector<uint8_t> bytes(data, data + size);
    if (data_check::bitmap_refusal(bytes).empty()) std::abort();
    for (const data_check::Damage& d : data_check::bitmap_damage(bytes))
        if (d.message.empty()) std::abort();
    for (const data_check::Damage& d : data_check::s3m_damage(bytes))
        if (d.message.empty()) std::abort();
    return 0;
}
