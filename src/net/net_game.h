// Network play in the running program: the connection and agreement before
// the window opens, then, frame by frame, the input of both machines in place
// of the local input, the state comparison, the frozen picture while the
// other side is awaited, and the end of the network game (a message, and the
// game carries on as a one-machine game at the title menu).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/lockstep.h"
#include "platform/platform.h"

struct LaunchOptions;
class DirectDrawApp;
class Velmora_Win;

namespace net {

class Session;

// A new network game starts straight into a two-player game: both sides feed
// the same clicks in its first frames (past the logos, then "2 Player" on the
// title menu), and neither side's own input counts before that.
constexpr long kOpeningFrames = 4;
std::vector<platform::Event> opening_input(long frame);

// Where a desync's two states are written: beside the settings file.
// Returns the paths written (empty when neither could be).
std::vector<std::string> write_desync_states(const std::string& dir, long frame, Role role,
                                             const std::string& local, const std::string& remote);

class NetGame {
public:
    NetGame();
    ~NetGame();
    NetGame(const NetGame&) = delete;
    NetGame& operator=(const NetGame&) = delete;

    // --host: waits for a guest that agrees and welcomes it with the seed,
    // start level, god mode and input delay `options` settled.
    bool host(const LaunchOptions& options, const std::string& data_dir, std::string& error);
    // --join: connects, agrees, and takes the host's settings into `options`.
    bool join(LaunchOptions& options, const std::string& data_dir, std::string& error);
    // Takes over the application's input exchange and watches every frame.
    void attach(DirectDrawApp& app);

private:
    void exchange(DirectDrawApp& app, long frame, std::vector<platform::Event>& events);
    void await(DirectDrawApp& app, long frame);
    void finish();
    void after_frame(DirectDrawApp& app, long frame);

    Role role_ = Role::Host;
    std::unique_ptr<Session> session_;
    std::vector<platform::Event> carry_;  // local events not yet sent
    bool quit_ = false;                   // this side's game is quitting
    bool back_to_title_ = false;          // after the end: leave play for the title menu once
    std::string notice_;                  // shown over the picture until notice_until_ms_
    uint64_t notice_until_ms_ = 0;
};

}  // namespace net
