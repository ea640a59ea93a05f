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

#include "display/overlay_hold.h"
#include "net/enet_transport.h"
#include "net/game_log.h"
#include "net/lockstep.h"
#include "platform/platform.h"

struct LaunchOptions;
class DirectDrawApp;
class Velmora_Win;

namespace net {

class Session;
class CatchUpBackend;

// Where a guest keeps its seat's token ("HOST:PORT TOKEN"), beside the
// settings: a guest started again with the same --join shows it to come back.
std::string seat_file_path();
// The token kept for `where`; empty when none is.
std::string read_seat(const std::string& where);
void write_seat(const std::string& where, const std::string& token);
void forget_seat();

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
// The test hook that shortens how long a dropped guest's seat is kept (ms).
constexpr const char* kReturnVariable = "VELMORA_TEST_RETURN_MS";

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
    // A window that may have to catch up with the game (a guest coming back)
    // gets a back end that can run without waits or pictures.
    std::unique_ptr<platform::Backend> wrap_backend(std::unique_ptr<platform::Backend> backend);
    // Takes over the application's input exchange and watches every frame.
    void attach(DirectDrawApp& app);
    // Where notes for the recording go (the delay in force, the end).
    void set_note_sink(std::function<void(const std::string&)> sink) { note_sink_ = std::move(sink); }

private:
    void exchange(DirectDrawApp& app, long frame, std::vector<platform::Event>& events);
    // The host: a returning guest gets the welcome and, started anew, the
    // record of the game through `played`.
    void serve_return(long played, bool anew);
    // A guest started again plays the host's record through the frame the
    // host paused at, without waits, pictures or sound.
    void catch_up(DirectDrawApp& app, long frame, std::vector<platform::Event>& events);
    void check_caught_up(const Velmora_Win& game, long frame);
    void show_progress(DirectDrawApp& app, long frame);
    // The other side is away: the host holds the seat (Escape gives up), the
    // guest tries to come back.
    void wait_away(DirectDrawApp& app, uint64_t& next_shown);
    void try_coming_back();
    void log_frame(long frame, const std::vector<platform::Event>& events);
    // --watch: connects as a spectator and takes the host's settings.
    bool watch(LaunchOptions& options, const std::string& data_dir, std::string& error);
    // A spectator's frame: the host's record in place of any input, played
    // without waits while far behind, live once caught up.
    void watch_exchange(DirectDrawApp& app, long frame, std::vector<platform::Event>& events);
    void pump_watch(int wait_ms);
    void check_watched(const Velmora_Win& game, long frame);
    void end_watch(const std::string& text);
    void set_fast(bool fast);
    void update_overlay(DirectDrawApp& app);
    void await(DirectDrawApp& app, long frame);
    void finish(long frame);
    void after_frame(DirectDrawApp& app, long frame);
    void show_delay(long frame);
    void start_session(Role role, int delay, std::unique_ptr<Transport> link, bool adaptive, bool headless, long start);
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

    // The host's record of the game, for a guest that comes back anew.
    GameLog log_;
    std::string token_;
    bool log_full_noted_ = false;
    // The guest: where it joined and how it introduced itself, to come back.
    std::string join_where_;
    std::string join_name_;
    int join_port_ = 0;
    Hello hello_;
    uint64_t next_attempt_ms_ = 0;
    // A guest started again: the host's record through catch_up_through_.
    long catch_up_through_ = 0;
    std::unique_ptr<FeedQueue> feed_;
    uint64_t catch_up_started_ms_ = 0;
    uint64_t next_progress_ms_ = 0;
    CatchUpBackend* fast_ = nullptr;
    // A spectator: its connection (null once the watch is over), and where it is.
    std::unique_ptr<Transport> watch_link_;
    bool catching_up_ = true;
    std::string watch_over_;  // why the host's feed ended, once it did
    long live_from_ = 0;
    long progress_sent_ = 0;
    uint64_t progress_sent_ms_ = 0;
    long digests_checked_ = 0;
    std::string label_;  // over the play field: how many watch, or that this one does
    OverlayHold overlay_;  // the label's and notices' hold on the window's overlay
};

}  // namespace net
