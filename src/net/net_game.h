// Network play in the running program: the connection and agreement (the host
// waits with its window open, the join code in it), then, frame by frame, the
// input of both machines in place of the local input, the state comparison,
// the frozen picture while the other side is awaited, the input delay shown
// when it changes, and the end of the network game (a message, and the game
// carries on as a one-machine game at the title menu).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/enet_transport.h"
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

// Where a desync's two states are written: beside the settings file. The
// other side's text is at most kMaxStateBytes (the message's limit); a game
// writes one report at most.
// Returns the paths written (empty when neither could be).
std::vector<std::string> write_desync_states(const std::string& dir, long frame, Role role,
                                             const std::string& local, const std::string& remote);

// What the player sees while the input delay changes.
std::string delay_notice(int delay);

// The environment variable of the test hook that moves one sprite a pixel
// after a given frame on one machine, so the two games differ.
constexpr const char* kNudgeVariable = "VELMORA_TEST_NUDGE_FRAME";

class NetGame {
public:
    NetGame();
    ~NetGame();
    NetGame(const NetGame&) = delete;
    NetGame& operator=(const NetGame&) = delete;

    // --host: settles the welcome (seed, start level, god mode, delay) from
    // `options`, makes or takes the join code and listens, printing the port
    // and the code. The guest is awaited by wait_for_guest().
    bool host(const LaunchOptions& options, const std::string& data_dir, std::string& error);
    // Waits for a guest that gives the code and agrees, showing the port and
    // the code in the window. False with an empty `error` when the player
    // gave up (closed the window).
    bool wait_for_guest(DirectDrawApp& app, std::string& error);
    // --join: connects, agrees, and takes the host's settings into `options`.
    bool join(LaunchOptions& options, const std::string& data_dir, std::string& error);
    // Takes over the application's input exchange and watches every frame.
    void attach(DirectDrawApp& app);
    // Where notes for the recording go (the delay in force, the end).
    void set_note_sink(std::function<void(const std::string&)> sink) { note_sink_ = std::move(sink); }

private:
    void exchange(DirectDrawApp& app, long frame, std::vector<platform::Event>& events);
    void await(DirectDrawApp& app, long frame);
    void finish(long frame);
    void after_frame(DirectDrawApp& app, long frame);
    void show_delay(long frame);
    void start_session(Role role, int delay, std::unique_ptr<Transport> link, bool adaptive, bool headless);
    void note(const std::string& text);
    // The link's figures on standard error, at the end of the network game.
    void report(long frame) const;

    Role role_ = Role::Host;
    std::unique_ptr<Session> session_;
    std::unique_ptr<GuestWait> listening_;
    HostTerms terms_;
    bool headless_ = true;
    std::vector<platform::Event> carry_;  // local events not yet sent
    bool quit_ = false;                   // this side's game is quitting
    bool back_to_title_ = false;          // after the end: leave play for the title menu once
    std::string notice_;                  // shown over the picture until notice_until_ms_
    uint64_t notice_until_ms_ = 0;
    int shown_delay_ = -1;
    long waiting_notices_ = 0;
    long nudge_frame_ = 0;  // the test hook's frame; 0: off
    long last_frame_ = 0;
    std::function<void(const std::string&)> note_sink_;
};

}  // namespace net
