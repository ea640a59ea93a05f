// The progress of a run as text, one line per event, for regression goldens
// and for reading what a test run did: screens entered, levels started and
// ended with their frame counts, scores and shields, every hit a ship takes
// (also in god mode) with what hit it, ships lost, and sprite counts every 500
// play frames. The same run gives the same trace. Format: docs/regression.md.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "app/level_view.h"

class Velmora_Win;

constexpr const char* kTraceHeader = "velmora-trace 1";
constexpr long kTraceSampleEvery = 500;  // play frames between sprite counts

class RunTrace {
public:
    bool open(const std::string& path);
    // Looks at the game after a frame.
    void observe(const Velmora_Win& game, long frame);
    // The run ends after `frame`; writes the last line once.
    void finish(long frame);
    bool ok() const { return ok_; }

private:
    void line(long frame, const std::string& text);
    void changed_state(const Velmora_Win& game, long frame, int from, int to);
    void play_frame(const Velmora_Win& game, long frame);
    void watch_ship(int player, long frame);
    std::string culprits(const Sprite* ship);

    std::ofstream out_;
    bool ok_ = false;
    bool finished_ = false;
    int last_state_ = 0;
    int level_ = 0;
    long play_frames_ = 0;        // play frames of the level being played
    uint32_t newest_flash_[3] = {};  // serial of the newest shield flash seen, by player
    int last_shield_[3] = {};
    level_view::Names names_;
};
