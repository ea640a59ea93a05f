#include "game_session.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <filesystem>
#include <system_error>

#include "app/Velmora_Win.h"
#include "forwarding_backend.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "state/world_list.h"
#include "util/random.h"

namespace bench {
namespace {

// Slots of keycodes: player one's and player two's fire, player two's up and down.
constexpr int kSpace = 4, kUp = 10, kDown = 12, kPlayerTwoFire = 13;
constexpr long kWeavePeriod = 48;  // frames up, then as many down

// The headless back end with a stand-in for an audio device: the mixer sees
// one open and leaves its sound to the device's thread (GameSession::mix_sound)
// instead of mixing it inside the frame, as the game does with a real device.
class AudioDeviceStandIn final : public ForwardingBackend {
public:
    AudioDeviceStandIn() : ForwardingBackend(platform::make_headless_backend()) {}

    bool open_audio(platform::AudioCallback callback, void* userdata, int, int) override {
        callback_ = callback;
        userdata_ = userdata;
        return true;
    }
    void close_audio() override { callback_ = nullptr; }
    void lock_audio() override {}
    void unlock_audio() override {}

    void mix(int frames) {
        int16_t buffer[2 * 1024];
        for (int left = frames; left > 0 && callback_ != nullptr;) {
            const int n = std::min(left, 1024);
            callback_(userdata_, buffer, n);
            left -= n;
        }
    }

private:
    platform::AudioCallback callback_ = nullptr;
    void* userdata_ = nullptr;
};

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
    platform::install_backend(std::make_unique<AudioDeviceStandIn>());
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
    mix_sound();
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
    play_frame();
    mix_sound();
}

void GameSession::play_frame() {
    hold_input();
    win_->DrawScene();
    ++frames_played_;
}

void GameSession::mix_sound() {
    const uint64_t now = platform::backend().now_us();
    if (now <= mixed_until_us_) return;
    const uint64_t scaled = (now - mixed_until_us_) * 44100 + mix_remainder_;
    mixed_until_us_ = now;
    mix_remainder_ = scaled % 1'000'000;
    static_cast<AudioDeviceStandIn&>(platform::backend()).mix(int(scaled / 1'000'000));
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
