#include "app/run_trace.h"

#include <cstdio>
#include <set>

#include "app/Velmora_Win.h"
#include "app/state_digest.h"
#include "behaviours/player_side.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "util/digest.h"

namespace {
constexpr int kCulpritReach = 12;  // the shot that hit may have moved on since

const char* screen_name(int state) {
    switch (state) {
        case kStateAbout: return "about";
        case kStateTitleMenu: return "title";
        case kStateContinue: return "continue-screen";
        case kStateOptions: return "options";
        case kStateEnding: return "ending";
        case kStateQuit: return "quit";
        default: return nullptr;
    }
}

int& shield_of(int player) { return player == 1 ? player1hitpoints : player2hitpoints; }
}  // namespace

bool RunTrace::open(const std::string& path) {
    out_.open(path, std::ios::trunc);
    ok_ = static_cast<bool>(out_);
    if (ok_) out_ << kTraceHeader << "\n";
    return ok_;
}

void RunTrace::line(long frame, const std::string& text) {
    if (!ok_) return;
    out_ << frame << " " << text << "\n";
    if (!out_) ok_ = false;
}

void RunTrace::observe(const Velmora_Win& game, long frame) {
    if (!ok_ || finished_) return;
    const int state = game.game_state;
    if (state != last_state_) changed_state(game, frame, last_state_, state);
    last_state_ = state;
    if (state == kStatePlaying) play_frame(game, frame);
    out_.flush();
}

void RunTrace::changed_state(const Velmora_Win& game, long frame, int from, int to) {
    if (to == kStateLoadLevel) names_.forget();  // the level's masters are about to be replaced
    if (from == kStateLoadLevel && to == kStatePlaying) {
        level_ = game.loaded_level;
        play_frames_ = 0;
        for (int p = 1; p <= 2; ++p) last_shield_[p] = shield_of(p);
        line(frame, "start level " + std::to_string(level_) + " shields " +
                        std::to_string(player1hitpoints) + " " + std::to_string(player2hitpoints));
        return;
    }
    if (from == kStatePlaying && to == kStateLevelEnded) {
        const char* how = currentlevel != game.loaded_level ? "exit" : "game-over";
        line(frame, "end level " + std::to_string(level_) + " " + how + " frames " +
                        std::to_string(play_frames_) + " scores " + std::to_string(player1score) +
                        " " + std::to_string(player2score) + " shields " +
                        std::to_string(player1hitpoints) + " " + std::to_string(player2hitpoints));
        return;
    }
    if (from == kStatePlaying && to == kStateTitleMenu) {
        line(frame, "pause level " + std::to_string(level_));
        return;
    }
    if (from == kStateTitleMenu && to == kStatePlaying) {
        line(frame, "resume level " + std::to_string(level_));
        return;
    }
    if (to == kStateNewGame) {
        line(frame, std::string("new-game players ") + (player2 ? "2" : "1"));
        return;
    }
    if (const char* name = screen_name(to)) line(frame, name);
}

void RunTrace::play_frame(const Velmora_Win& game, long frame) {
    ++play_frames_;
    for (int p = 1; p <= 2; ++p) watch_ship(p, frame);
    if (play_frames_ % kTraceSampleEvery != 0) return;

    int by_class[9] = {};
    long active = 0;
    level_view::for_each_active([&](const Sprite* s) {
        ++active;
        if (s->hitpoints >= 1 && s->hitclass >= kHitDrone && s->hitclass <= kHitHarmless) ++by_class[s->hitclass];
    });
    std::string text = "sample level " + std::to_string(level_) + " frame " +
                       std::to_string(play_frames_) + " active " + std::to_string(active) +
                       " scroll " + std::to_string(scroll) + " classes";
    for (int c = 1; c <= 8; ++c) text += " " + std::to_string(by_class[c]);
    text += " scores " + std::to_string(player1score) + " " + std::to_string(player2score);
    // The whole play state at this step: a change the counts above miss
    // (a sprite a pixel off, a counter, the random sequence) still shows.
    text += " digest " + digest_hex(play_state_digest(game));
    line(frame, text);
}

// A hit shows as a new shield flash on the ship, with or without god mode.
void RunTrace::watch_ship(int player, long frame) {
    const Behavior behaviour = player == 1 ? &moveplayer1 : &moveplayer2;
    const Sprite* ship = nullptr;
    level_view::for_each_active([&](const Sprite* s) {
        if (ship == nullptr && s->behavior == behaviour && s->parent == nullptr) ship = s;
    });
    if (ship != nullptr) {
        uint32_t newest = newest_flash_[player];
        for (const Sprite* c = ship->nextchild; c != nullptr; c = c->nextchild)
            if (c->behavior == &moveshield && c->serial > newest) newest = c->serial;
        if (newest != newest_flash_[player]) {
            newest_flash_[player] = newest;
            line(frame, "hit player " + std::to_string(player) + " shield " +
                            std::to_string(shield_of(player)) + " by " + culprits(ship));
        }
    }
    if (last_shield_[player] >= 1 && shield_of(player) < 1)
        line(frame, "down player " + std::to_string(player));
    last_shield_[player] = shield_of(player);
}

std::string RunTrace::culprits(const Sprite* ship) {
    level_view::Box near;
    if (!level_view::box_of(ship, near)) return "?";
    near.left -= kCulpritReach;
    near.top -= kCulpritReach;
    near.right += kCulpritReach;
    near.bottom += kCulpritReach;
    std::set<std::string> found;
    level_view::for_each_active([&](const Sprite* s) {
        if ((s->hitclass != kHitEnemy && s->hitclass != kHitEnemyShot) || s->layer >= 2 || s->damage == 0)
            return;
        level_view::Box b;
        if (!level_view::box_of(s, b)) return;
        if (b.right > near.left && near.right > b.left && b.bottom > near.top && near.bottom > b.top)
            found.insert(names_.of(s));
    });
    if (found.empty()) return "?";
    std::string text;
    for (const std::string& name : found) text += (text.empty() ? "" : ",") + name;
    return text;
}

void RunTrace::finish(long frame) {
    if (finished_ || !ok_) return;
    finished_ = true;
    line(frame, last_state_ == kStateQuit ? "end-of-run quit" : "end-of-run stopped");
    out_.flush();
    if (!out_) ok_ = false;
}
