#include "app/state_dump.h"

#include <fstream>
#include <map>

#include "app/Velmora_Win.h"
#include "app/state_digest.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "util/digest.h"

namespace {
constexpr int kHitClasses = 8;

void count_live(const Sprite* s, int (&by_class)[kHitClasses + 1], long& other) {
    if (s->hitpoints < 1) return;
    if (s->hitclass >= 1 && s->hitclass <= kHitClasses) ++by_class[s->hitclass];
    else ++other;
}
}  // namespace

std::string format_state_dump(const Velmora_Win& w, long frame) {
    std::map<std::string, std::string> v;
    auto put = [&v](const char* key, auto value) { v[key] = std::to_string(value); };

    put("frame", frame);
    put("time_us", platform::has_backend() ? platform::backend().now_us() : 0ULL);
    put("game_state", w.game_state);
    put("frame_time", w.frame_time);
    put("currentlevel", currentlevel);
    put("loaded_level", w.loaded_level);
    put("scroll", scroll);
    put("player1", int(player1));
    put("player2", int(player2));
    put("player1score", player1score);
    put("player2score", player2score);
    put("player1hitpoints", player1hitpoints);
    put("player2hitpoints", player2hitpoints);
    put("player1h", player1h);  // where each ship is (x + 20, y + 10)
    put("player1v", player1v);
    put("player2h", player2h);
    put("player2v", player2v);
    put("gameover", int(gameover));
    put("p1powerupitem", p1powerupitem);
    put("p1poweruplevel", p1poweruplevel);
    put("p2powerupitem", p2powerupitem);
    put("p2poweruplevel", p2poweruplevel);
    put("p1p1powerupitem", p1p1powerupitem);
    put("p1p1poweruplevel", p1p1poweruplevel);
    put("p1p2powerupitem", p1p2powerupitem);
    put("p1p2poweruplevel", p1p2poweruplevel);
    put("p2p1powerupitem", p2p1powerupitem);
    put("p2p1poweruplevel", p2p1poweruplevel);
    put("p2p2powerupitem", p2p2powerupitem);
    put("p2p2poweruplevel", p2p2poweruplevel);
    put("p1p1", int(p1p1));
    put("p1p2", int(p1p2));
    put("p2p1", int(p2p1));
    put("p2p2", int(p2p2));
    put("curx", Velmora_Win::curx);
    put("cury", Velmora_Win::cury);
    put("fxvolume", fxvolume);
    put("musicvolume", musicvolume);

    // Live sprites of the level, top-level ones and their child chains.
    int by_class[kHitClasses + 1] = {};
    long other = 0;
    long level_sprites = 0;
    if (Sprite::the_level != nullptr) {
        for (const Sprite* s : *Sprite::the_level) {
            ++level_sprites;
            count_live(s, by_class, other);
            long guard = 0;  // a broken chain must not hang the dump
            for (const Sprite* c = s->nextchild; c != nullptr && guard < 1000000;
                 c = c->nextchild, ++guard)
                count_live(c, by_class, other);
        }
    }
    put("level_sprites", level_sprites);
    put("active_sprites", Sprite::list_of_active_sprites != nullptr
                              ? static_cast<long>(Sprite::list_of_active_sprites->size())
                              : 0L);
    for (int c = 1; c <= kHitClasses; ++c)
        v["live_hitclass" + std::to_string(c)] = std::to_string(by_class[c]);
    put("live_hitclass_other", other);

    v["play_digest"] = digest_hex(play_state_digest(w));

    std::string out;
    for (const auto& [key, value] : v) out += key + " " + value + "\n";
    return out;
}

bool write_state_dump(const std::string& path, const Velmora_Win& window, long frame) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << format_state_dump(window, frame);
    out.close();
    return !out.fail();
}
