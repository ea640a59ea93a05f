// Driving a run from outside: scripted input replayed frame by frame, the
// input of a live game recorded in the same format, screenshots and state
// dumps after chosen frames, the frame limit, and F12 screenshots.
#pragma once

#include <fstream>
#include <istream>
#include <string>
#include <vector>

#include "app/options.h"
#include "platform/platform.h"

class DirectDrawApp;

constexpr const char* kInputScriptHeader = "velmora-input 1";

struct ScriptedEvent {
    long frame = 0;
    platform::Event event;
};

// Reads a whole input script into `out`, ordered by frame (events of one frame
// keep their order). A malformed line gives false and "line N: reason".
bool parse_input_script(std::istream& in, std::vector<ScriptedEvent>& out, std::string& error);

// The script line for an event (no line feed); empty for events the format
// does not hold.
std::string format_input_event(long frame, const platform::Event& event);

class RunControl {
public:
    // Reads the input script and opens the recording the options name.
    bool prepare(const LaunchOptions& options, std::string& error);
    // Installs the frame hooks on the application.
    void attach(DirectDrawApp& app);
    // False when a screenshot, dump or the recording could not be written.
    bool all_written() const { return all_written_; }

private:
    void before_frame(DirectDrawApp& app, long frame);
    bool after_frame(DirectDrawApp& app, long frame);
    void record(long frame, const platform::Event& event);
    void report(const std::string& what);
    void save_requested_screenshot(DirectDrawApp& app, long frame);

    std::vector<ScriptedEvent> script_;
    size_t next_event_ = 0;
    std::vector<FrameFile> screenshots_;
    std::vector<FrameFile> dumps_;
    long frame_limit_ = 0;
    std::ofstream recording_;
    bool recording_on_ = false;
    bool all_written_ = true;
    bool screenshot_requested_ = false;  // F12 during this frame
    std::string start_dir_;              // where F12 pictures go
};
