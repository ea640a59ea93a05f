#include "app/state_digest.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

#include "app/Velmora_Win.h"
#include "app/fire_taps.h"
#include "behaviours/player_state.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "util/digest.h"
#include "util/random.h"

namespace {
// Two ways to write the same fields: as "name value" text for people, and as
// raw little-endian words for the digest (several times faster than text).
// Floats are kept as their bit pattern: two states that print alike but differ
// in the last bit are still different.
class TextSink {
public:
    explicit TextSink(std::string& out) : out_(out) {}
    void begin(const char* record, const std::string& kind) {
        out_ += record;
        out_ += ' ';
        if (kind.empty()) return;
        out_ += kind;
        out_ += ' ';
    }
    void end() { out_ += '\n'; }
    template <typename Whole>
        requires std::is_integral_v<Whole>
    TextSink& put(const char* name, Whole value) {
        char text[64];
        std::snprintf(text, sizeof text, "%s %lld ", name, static_cast<long long>(value));
        out_ += text;
        return *this;
    }
    TextSink& put(const char* name, float value) {
        char text[80];
        std::snprintf(text, sizeof text, "%s %.9g/%08x ", name, static_cast<double>(value), float_bits(value));
        out_ += text;
        return *this;
    }

private:
    static uint32_t float_bits(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }
    std::string& out_;
};

class WordSink {
public:
    explicit WordSink(std::string& out) : out_(out) {}
    void begin(const char* record, uint32_t kind) {
        word(static_cast<uint64_t>(record[0]) << 32 | kind);
    }
    void end() {}
    template <typename Whole>
        requires std::is_integral_v<Whole>
    WordSink& put(const char* /*name*/, Whole value) {
        word(static_cast<uint64_t>(static_cast<long long>(value)));
        return *this;
    }
    WordSink& put(const char* /*name*/, float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        word(bits);
        return *this;
    }

private:
    void word(uint64_t v) {
        char bytes[8];
        for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>(v >> (8 * i));
        out_.append(bytes, sizeof bytes);
    }
    std::string& out_;
};

std::string kind_name(uint32_t kind) {
    const auto& names = Sprite::list_of_master_sprite_names;
    if (kind >= 1 && kind <= names.size()) return names[kind - 1];
    return "#" + std::to_string(kind);
}

void begin_sprite(TextSink& sink, const char* record, const Sprite& s) { sink.begin(record, kind_name(s.kind)); }
void begin_sprite(WordSink& sink, const char* record, const Sprite& s) { sink.begin(record, s.kind); }

template <typename Sink>
void sprite_line(Sink& line, const Sprite& s, bool child) {
    begin_sprite(line, child ? "child" : "sprite", s);
    line.put("serial", s.serial)
        .put("x", s.x)
        .put("y", s.y)
        .put("posx", s.posx)
        .put("posy", s.posy)
        .put("velx", s.velx)
        .put("vely", s.vely)
        .put("accx", s.accx)
        .put("accy", s.accy)
        .put("dirx", s.dirx)
        .put("diry", s.diry)
        .put("layer", s.layer)
        .put("hitclass", s.hitclass)
        .put("damage", s.damage)
        .put("hitpoints", s.hitpoints)
        .put("frame", s.curframe)
        .put("firstframe", s.firstframe)
        .put("lastframe", s.lastframe)
        .put("framenumber", s.framenumber)
        .put("framedelay", s.framedelay)
        .put("framecount", s.framecount)
        .put("firedelay", s.firedelay)
        .put("firecount", s.firecount)
        .put("state", s.state)
        .put("reverse", s.reverse)
        .put("p1", s.param1)
        .put("p2", s.param2)
        .put("p3", s.param3)
        .put("p4", s.param4)
        .put("p5", s.param5)
        .put("p6", s.param6)
        .put("p7", s.param7)
        .put("p8", s.param8)
        .put("p9", s.param9)
        .put("parent", s.parent != nullptr ? static_cast<long long>(s.parent->serial) : -1LL);
    line.end();
}

template <typename Sink>
void game_line(Sink& line, const Velmora_Win& w) {
    long long keys = 0;
    for (int i = 0; i < kKeySlots; ++i)
        if (keycodes[i]) keys |= 1LL << i;
    line.begin("game", {});
    line.put("game_state", w.game_state)
        .put("currentlevel", currentlevel)
        .put("loaded_level", w.loaded_level)
        .put("scroll", scroll)
        .put("gameover", gameover)
        .put("random", static_cast<long long>(game_rand_state()))
        .put("next_serial", Sprite::next_serial)
        .put("skilllevel", skilllevel)
        .put("playersdie", playersdie)
        .put("maxstars", maxstars)
        .put("basehitpoints", basehitpoints)
        .put("totalpoweruplevel", totalpoweruplevel)
        .put("keys", keys)
        .put("mousebutton", g_themousebutton)
        .put("mouse_h", g_themouse_h)
        .put("mouse_v", g_themouse_v)
        .put("playeronemouse", playeronemouse)
        .put("curx", Velmora_Win::curx)
        .put("cury", Velmora_Win::cury)
        .put("creditscroll", w.creditscroll);
    line.end();
}

template <typename Sink>
void players_line(Sink& line) {
    line.begin("players", {});
    line.put("player1", player1)
        .put("player2", player2)
        .put("player1score", player1score)
        .put("player2score", player2score)
        .put("player1hitpoints", player1hitpoints)
        .put("player2hitpoints", player2hitpoints)
        .put("player1h", player1h)
        .put("player1v", player1v)
        .put("player2h", player2h)
        .put("player2v", player2v)
        .put("p1powerupitem", p1powerupitem)
        .put("p1poweruplevel", p1poweruplevel)
        .put("p2powerupitem", p2powerupitem)
        .put("p2poweruplevel", p2poweruplevel)
        .put("p1p1powerupitem", p1p1powerupitem)
        .put("p1p1poweruplevel", p1p1poweruplevel)
        .put("p1p2powerupitem", p1p2powerupitem)
        .put("p1p2poweruplevel", p1p2poweruplevel)
        .put("p2p1powerupitem", p2p1powerupitem)
        .put("p2p1poweruplevel", p2p1poweruplevel)
        .put("p2p2powerupitem", p2p2powerupitem)
        .put("p2p2poweruplevel", p2p2poweruplevel)
        .put("drones", (p1p1 ? 1 : 0) | (p1p2 ? 2 : 0) | (p2p1 ? 4 : 0) | (p2p2 ? 8 : 0))
        .put("p1_positionX", p1_positionX)
        .put("p1_positionY", p1_positionY)
        .put("p1_velocityX", p1_velocityX)
        .put("p1_velocityY", p1_velocityY)
        .put("p1_lastMouseX", p1_lastMouseX)
        .put("p1_lastMouseY", p1_lastMouseY)
        .put("p2_positionX", p2_positionX)
        .put("p2_positionY", p2_positionY)
        .put("p2_velocityX", p2_velocityX)
        .put("p2_velocityY", p2_velocityY)
        .put("p2_lastMouseX", p2_lastMouseX)
        .put("p2_lastMouseY", p2_lastMouseY)
        .put("p2acceleration", p2acceleration)
        .put("p2keydown", p2keydown)
        .put("p1acceleration", p1acceleration)
        .put("p1keydown", p1keydown)
        .put("rules", (control_rules.keys_steer_player_one ? 1 : 0) | (control_rules.taps_held ? 2 : 0))
        .put("fire_kept", kept_fire_presses())
        .put("change1", change1)
        .put("change2", change2)
        .put("fire_up", (p1_fire_button_up ? 1 : 0) | (p2_fire_button_up ? 2 : 0) | (p1p1_fire_button_up ? 4 : 0) |
                            (p1p2_fire_button_up ? 8 : 0) | (p2p1_fire_button_up ? 16 : 0) |
                            (p2p2_fire_button_up ? 32 : 0));
    line.end();
}

template <typename Sink>
void write_state(Sink& sink, const Velmora_Win& window) {
    game_line(sink, window);
    players_line(sink);
    if (Sprite::the_level == nullptr) return;
    for (const Sprite* s : *Sprite::the_level) {
        // A dead top sprite is destroyed with its chain at the next list pass
        // before anything runs: it decides nothing more.
        if (s->hitpoints < 1) continue;
        sprite_line(sink, *s, false);
        long guard = 0;  // a broken chain must not hang the digest
        for (const Sprite* c = s->nextchild; c != nullptr && guard < 1000000; c = c->nextchild, ++guard)
            sprite_line(sink, *c, true);
    }
}
}  // namespace

std::string play_state_text(const Velmora_Win& window) {
    std::string out;
    TextSink sink(out);
    write_state(sink, window);
    return out;
}

uint64_t play_state_digest(const Velmora_Win& window) {
    thread_local std::string words;
    words.clear();
    WordSink sink(words);
    write_state(sink, window);
    return digest_bytes(words.data(), words.size());
}
