// The command line: what to run (window or headless), where the data is, and
// the test aids (frame limit, scripted input, recording, screenshots, dumps).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/config.h"
#include "platform/platform.h"

class DirectDrawWin;

// A file to write after a given frame (screenshot or state dump).
struct FrameFile {
    long frame = 0;
    std::string path;
};

struct LaunchOptions {
    bool help = false;
    bool version = false;
    std::string data_dir;  // --data; empty: look elsewhere
    bool headless = false;
    bool fullscreen = true;
    int scale = 0;     // window scale; 0 picks the largest that fits
    int display = -1;  // -1: ask when there are several
    platform::Scaling scaling = platform::Scaling::Auto;
    platform::RendererSetting renderer = platform::RendererSetting::Auto;
    MotionMode motion = MotionMode::Smooth;  // --motion, else velmora.cfg's motion
    int refresh_hz = 0;  // --refresh: pace pictures as if the display said so; 0: ask the display
    long frames = 0;  // stop after this frame; 0: no limit
    bool seed_given = false;
    uint32_t seed = 0;
    std::string input_file;
    std::string record_file;
    std::vector<FrameFile> screenshots;
    std::vector<FrameFile> dumps;
    bool god = false;
    int autofire = -1;        // --autofire[=yes|no]: 1 or 0; -1: velmora.cfg (or an input script) decides
    int autopilot = 0;        // players the autopilot starts a game for; 0: off
    int start_level = 0;      // the first game starts at this level; 0: level 1
    int stop_at_level = 0;    // end the run once this level is reached (11: the ending)
    std::string trace_file;   // --trace: progress of the run, a line per event
    std::string digests_file; // --digests: the digest of the whole play state after every frame
    // Network play.
    int host_port = -1;         // --host: the UDP port to wait on (0: any free one); -1: not hosting
    std::string join_host;      // --join or --watch HOST[:PORT]: the host's name or address; empty: neither
    int join_port = 0;
    bool watch = false;         // --watch: a spectator of the game, not player two
    bool find_host = false;     // --join without an address: look for games on the local network
    std::string host_name;      // --name: what guests looking for a game see; empty: the login name
    int net_delay = -1;         // --net-delay: input delay in frames; -1: the host measures the link
    std::string join_code;      // --code: the join code ("none": any guest); empty: the host makes one
    // The seed, start level and god mode came from the host of a network game:
    // an input script's settings do not override them.
    bool settings_from_host = false;
};

constexpr int kDefaultNetDelay = 2;
constexpr int kMaxNetDelay = 10;
constexpr int kMinRefreshHz = 20;
constexpr int kMaxRefreshHz = 500;

// Parses argv[1..argc-1]. Both "--name value" and "--name=value" are taken.
// On failure returns false and says why in `error`.
bool parse_launch_options(int argc, const char* const* argv, LaunchOptions& out,
                          std::string& error);

// The --help text.
std::string launch_usage();

// Where the data directory may be, besides --data.
struct DataDirPlaces {
    const char* env_value = nullptr;  // $VELMORA_DATA; null or empty when unset
    std::string exe_dir;              // the program's directory
    std::string share_dir;            // the installed data
};

// The data directory: --data, else $VELMORA_DATA, else "data" in the
// program's directory, else the installed data. A directory named explicitly
// must exist. Returns the empty string and a message when none is usable.
std::string find_data_dir(const LaunchOptions& options, const DataDirPlaces& places,
                          std::string& error);

// The window settings the options ask for.
void apply_window_options(const LaunchOptions& options, DirectDrawWin& window);

// The options of this run (set by main before the application starts).
LaunchOptions& launch_options();
