#include "game_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/Velmora_Win.h"
#include "app/game_states.h"
#include "app/globals.h"
#include "app/world_list.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "util/random.h"

namespace bench {
namespace {

// Slots of keycodes: player one's and player two's fire, player two's up and down.
constexpr int kSpace = 4, kUp = 10, kDown = 12, kPlayerTwoFire = 13;
constexpr long kWeavePeriod = 48;  // frames up, then as many down

}  // namespace

std::string data_dir() {
    const char* env = std::getenv("VELMORA_DATA");
    if (env != nullptr && *env != '\0') return env;
    return VELMORA_DATA;
}

std::vector<WorldLevel> worlds_in(const std::string& data) {
    std::vector<WorldLevel> found;
    int level = 1;
    for (const world_list::Entry& world : world_list::kEntries) {
        const char* name = world.name;
        std::error_code ec;
        const auto file = std::filesystem::path(data) / "Levels" / name / "Levels" / "NORMAL.LVL";
        if (std::filesystem::is_regular_file(file, ec)) found.push_back({level, name});
        ++level;
    }
    return found;
}

GameSession::GameSession(const std::string& data) {
    std::error_code ec;
    previous_dir_ = std::filesystem::current_path(ec).string();
    if (::chdir(data.c_str()) != 0) return;
    reset_globals_to_program_start();
    platform::install_backend(platform::make_headless_backend());
    win_ = new Velmora_Win;
    if (!win_->Create("Velmora Win32 V 3.1", 101)) return;
    win_->DrawScene();  // start-up: preferences and the music system
    ok_ = true;
}

GameSession::~GameSession() {
    if (win_ != nullptr) {
        if (ok_) win_->OnDestroy();
        delete win_;
    }
    reset_globals_to_program_start();
    if (!previous_dir_.empty() && ::chdir(previous_dir_.c_str()) != 0) {
        // Nothing sensible to do: the benchmark goes on where it is.
    }
}

bool GameSession::start_level(int level) {
    if (!ok_) return false;
    game_srand(kSeed);
    god_mode = true;
    currentlevel = level;
    player1 = player2 = true;
    win_->game_state = kStateNewGame;
    frames_played_ = 0;
    win_->DrawScene();  // new game
    win_->DrawScene();  // load the level
    return playing();
}

void GameSession::hold_input() {
    keycodes[kSpace] = true;
    keycodes[kPlayerTwoFire] = true;
    const bool up = (frames_played_ / kWeavePeriod) % 2 == 0;
    keycodes[kUp] = up;
    keycodes[kDown] = !up;
    g_themousebutton = true;
}

void GameSession::frame() {
    hold_input();
    win_->DrawScene();
    ++frames_played_;
}

bool GameSession::playing() const { return ok_ && win_->game_state == kStatePlaying; }

int GameSession::sprites_on_screen() {
    if (Sprite::list_of_active_sprites == nullptr) return 0;
    int n = 0;
    for (Sprite* top : *Sprite::list_of_active_sprites)
        for (Sprite* s = top; s != nullptr; s = s->nextchild) ++n;
    return n;
}

}  // namespace bench
