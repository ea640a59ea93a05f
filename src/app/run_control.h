// Driving a run from outside: scripted input replayed frame by frame, the
// input of a live game recorded in the same format, the autopilot, screenshots
// and state dumps after chosen frames, the run's trace, the frame and level
// limits, and F12 screenshots.
#pragma once

#include <cstdint>
#include <deque>
#include <fstream>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "app/options.h"
#include "platform/platform.h"

class DirectDrawApp;
class Autopilot;
class RunTrace;
class Velmora_Win;

// The first version of the format: input events only.
constexpr const char* kInputScriptHeader = "velmora-input 1";
// Version 2 adds the run's settings and the clock readings the game's
// decisions depended on. Version 3 has the same lines and says the run was
// played by the control rules of behaviours/player_state.h (player two's keys
// steer player one in a game for one; a tap between two play frames counts);
// versions 1 and 2 replay by the rules they were made under, without either.
constexpr const char* kRecordingHeader = "velmora-input 3";
constexpr int kRecordingVersion = 3;

// One line of an input script: an event, or a clock line (the game's clock
// read `clock_us()` when the frame began). Sixteen bytes: a long recording
// holds millions.
class ScriptedEvent {
public:
    ScriptedEvent() = default;
    // An event as scripts hold it: a key code of 0..255, a button of 0..255.
    static ScriptedEvent input(long frame, const platform::Event& event);
    static ScriptedEvent clock(long frame, uint64_t clock_us);

    long frame() const { return frame_; }
    bool is_clock() const { return kind_ == kClockKind; }
    uint64_t clock_us() const;
    platform::Event event() const;

private:
    static constexpr uint8_t kClockKind = 0xFF;
    int32_t frame_ = 0;  // scripts number frames up to INT_MAX
    uint8_t kind_ = 0;   // the platform::EventType, or kClockKind
    uint8_t code_ = 0;   // the key code or the button
    uint8_t flags_ = 0;  // repeat, pressed
    int32_t a_ = 0, b_ = 0;  // the mouse motion, or the clock reading's low and high halves
};

// Grows without copying what it holds, so reading a script takes memory in
// proportion to its events.
using InputScript = std::deque<ScriptedEvent>;

// The largest input script or recording read, in bytes: about 9 times the
// recording of a whole two-player game to the ending.
constexpr uint64_t kMaxInputScriptBytes = uint64_t{32} << 20;

// Settings a version-2 script carries for the run it was recorded from.
struct ScriptSettings {
    bool seed_given = false;
    uint32_t seed = 0;
    int start_level = 0;  // 0: not given
    bool god = false;
    // Whose held fire control tapped (app/autofire.h): "autofire" names both
    // players, "autofire 1" or "autofire 2" one of them.
    bool autofire[2] = {false, false};
    // The format's version (1 to 3): which control rules the run had.
    int version = 0;
    // "network" (version 3): a network game's, where player two's keys never
    // steer player one.
    bool network = false;
};

// Reads a whole input script into `out`, ordered by frame (entries of one
// frame keep their order). A malformed line gives false and "line N: reason".
bool parse_input_script(std::istream& in, InputScript& out, std::string& error);
bool parse_input_script(std::istream& in, InputScript& out, ScriptSettings& settings, std::string& error);

// The script line for an event (no line feed); empty for events the format
// does not hold.
std::string format_input_event(long frame, const platform::Event& event);
// The recording's line for the autofire choices of app/autofire.h; empty
// when neither player has it.
std::string autofire_setting_line();
// The script line for a clock reading at the start of a frame.
std::string format_clock_line(long frame, uint64_t clock_us);

class RunControl {
public:
    RunControl();
    ~RunControl();
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // Reads the input script, takes from it the settings the command line left
    // open (seed, start level, god mode, autofire), settles the seed of the run
    // (default 1 headless, else the time) in `options.seed`, and opens the
    // recording and the trace the options name.
    bool prepare(LaunchOptions& options, std::string& error);
    // Installs the frame hooks on the application and starts the recording:
    // its settings go first, written now, as a host of a network game learns
    // its guest's autofire choice only after prepare().
    void attach(DirectDrawApp& app);
    // A note for whoever reads the recording ("# text"); replays skip it.
    void note(const std::string& text);
    // False when a screenshot, dump, the recording or the trace could not be written.
    bool all_written() const { return all_written_; }

private:
    void before_frame(DirectDrawApp& app, long frame);
    bool after_frame(DirectDrawApp& app, long frame);
    void record(long frame, const platform::Event& event);
    void record_clock(const Velmora_Win* game, long frame);
    void follow_recorded_clock(long frame, uint64_t clock_us);
    bool level_limit_reached(const Velmora_Win* game) const;
    void report(const std::string& what);
    void save_requested_screenshot(DirectDrawApp& app, long frame);

    InputScript script_;
    size_t next_event_ = 0;
    std::unique_ptr<Autopilot> autopilot_;
    std::unique_ptr<RunTrace> trace_;
    int start_level_ = 0;  // applied to the first new game, then 0
    int stop_at_level_ = 0;
    bool clock_warned_ = false;
    std::vector<FrameFile> screenshots_;
    std::vector<FrameFile> dumps_;
    long frame_limit_ = 0;
    std::ofstream recording_;
    std::ofstream digests_;
    bool digests_on_ = false;
    std::string recording_settings_;  // seed, start level, god: the lines after the header
    int recording_version_ = kRecordingVersion;  // a replay re-recorded keeps its rules
    bool recording_on_ = false;
    bool all_written_ = true;
    bool screenshot_requested_ = false;  // F12 during this frame
    std::string start_dir_;              // where F12 pictures go
};
