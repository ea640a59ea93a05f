// `velmora_bench --motion-scan`: how far sprites move on screen from one step
// to the next in every world, the data behind smooth motion's line between
// motion and a jump (motion_blend::kJump). Each world is played headless as
// the world benchmarks play it (both players holding fire, player two
// weaving, ships that cannot die); every sprite drawn in two consecutive
// steps counts its longer axis' move. Prints, per world, how many moves of
// each length above 12 pixels were seen and by which sprites.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unordered_map>

#include "app/motion_blend.h"
#include "bench_registry.h"
#include "game_session.h"
#include "sprites/Sprite.h"

namespace bench {
namespace {

constexpr int kShown = 12;  // moves up to this are common: counted, not listed

std::string name_of(const Sprite& s) {
    const auto& names = Sprite::list_of_master_sprite_names;
    return s.kind >= 1 && s.kind <= names.size() ? names[s.kind - 1] : "?";
}

struct Place {
    int x = 0, y = 0;
};

}  // namespace

int run_motion_scan(int argc, char** argv) {
    long steps = 6000;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--steps" && i + 1 < argc) {
            steps = std::atol(argv[++i]);
        } else {
            std::fputs("velmora_bench --motion-scan [--steps N]\n", stderr);
            return 2;
        }
    }
    long all = 0, common = 0, jumps = 0;
    for (const WorldLevel& world : worlds_in(data_dir())) {
        GameSession game(data_dir());
        if (!game.start_level(world.level)) continue;
        std::unordered_map<uint32_t, Place> last;
        std::map<std::string, std::map<int, long>> long_moves;  // sprite name -> length -> count
        while (game.playing() && game.frames_played() < steps) {
            game.frame();
            if (!game.playing() || Sprite::list_of_active_sprites == nullptr) break;
            std::unordered_map<uint32_t, Place> now;
            for (const Sprite* top : *Sprite::list_of_active_sprites)
                for (const Sprite* s = top; s != nullptr; s = s->nextchild) {
                    now[s->serial] = {s->x, s->y};
                    const auto before = last.find(s->serial);
                    if (before == last.end()) continue;
                    const int move = std::max(std::abs(s->x - before->second.x), std::abs(s->y - before->second.y));
                    ++all;
                    if (move <= kShown) ++common;
                    else ++long_moves[name_of(*s)][move];
                    if (move >= motion_blend::kJump) ++jumps;
                }
            last.swap(now);
        }
        std::printf("%s: %ld steps\n", world.name.c_str(), game.frames_played());
        for (const auto& [name, lengths] : long_moves) {
            std::printf("  %-24s", name.c_str());
            for (const auto& [length, count] : lengths) std::printf(" %d:%ld", length, count);
            std::printf("\n");
        }
    }
    std::printf("moves of sprites on screen: %ld; up to %d pixels: %.3f %%; %d or more (not blended): %ld\n", all,
                kShown, all > 0 ? 100.0 * double(common) / double(all) : 0.0, motion_blend::kJump, jumps);
    return 0;
}

}  // namespace bench
