// A whole game on the headless back end, in the generated data, driven frame
// by frame: what the world benchmarks time. Both players take part, hold
// their fire, and player two weaves up and down; the ships cannot die and
// the seed is fixed, so every run of a level plays the same way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Velmora_Win;

namespace bench {

// A world whose level file exists in the data directory.
struct WorldLevel {
    int level = 0;     // from 1, in world order
    std::string name;  // "Space", "Metal", ...
};

// The data directory: $VELMORA_DATA, else the one the build generates.
std::string data_dir();
// The worlds of `data` that have a level file, in level order.
std::vector<WorldLevel> worlds_in(const std::string& data);

constexpr uint32_t kSeed = 1;

class GameSession {
public:
    // Installs a fresh headless back end (its clock starts at 0), enters
    // `data`, opens the game window and runs the start-up frame.
    explicit GameSession(const std::string& data);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    bool ok() const { return ok_; }
    Velmora_Win& window() { return *win_; }

    // A new two-player game at `level`, seeded with kSeed: runs the new-game
    // and load-level frames. False when the level did not load.
    bool start_level(int level);
    // One frame and its sound: play_frame(), then mix_sound().
    void frame();
    // One frame exactly as the game thread runs it (DrawScene), with the
    // players' input. Its sound is not mixed in it: the game runs as with an
    // audio device, whose thread mix_sound() stands for.
    void play_frame();
    // Mixes the sound of the time played since the last call, as the audio
    // device's thread would.
    void mix_sound();
    bool playing() const;
    long frames_played() const { return frames_played_; }

    // Sprites that run and draw this frame: the active list and every child chain.
    static int sprites_on_screen();

private:
    void hold_input();

    std::string previous_dir_;
    uint64_t mixed_until_us_ = 0;
    uint64_t mix_remainder_ = 0;  // of frames-times-a-million not yet mixed
    Velmora_Win* win_ = nullptr;
    bool ok_ = false;
    long frames_played_ = 0;
};

}  // namespace bench
