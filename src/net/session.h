// One network game over an established connection: input sent and received
// by frame, the state digests compared every digest interval, the input delay
// changed when the link asks for it, and the ways the game ends (the other
// player leaving, silence, a bad message, games that differ, a game that
// stops reporting its state). Knows nothing of the window or of ENet, so it
// can be driven with a connection in memory and a clock of the test's choosing.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "net/delay.h"
#include "net/lockstep.h"
#include "net/message.h"
#include "net/transport.h"

namespace net {

// How often the states are compared: every 11 play frames of 46 ms, half a
// second, so a difference is caught within a second.
constexpr long kDigestInterval = 11;
// The other side's digest of frame F is due once this side has played frame
// F + this + the delay (2 s of play): counted in frames, never in time, so a
// stall or a pause cannot make it late.
constexpr long kDigestGraceFrames = 44;
// A peer not heard from for this long, while its input is awaited, is gone.
constexpr uint64_t kSilenceMs = 5000;
// Until its first message of the game, while it opens its window and loads,
// a peer has longer.
constexpr uint64_t kStartSilenceMs = 20000;
// While this side waits for the other, it sends its input again this often:
// the other side may be waiting for a message that was lost.
constexpr uint64_t kResendMs = 20;
// A frame this long here makes the next wait the other side's slowness,
// not the link's (three steps of 46 ms).
constexpr uint64_t kLongFrameMs = 138;
// States kept for a report (of the oldest digests not yet compared).
constexpr size_t kHeldStates = 3;
// How long the host keeps the guest's seat after its connection dropped, and
// the guest tries to come back.
constexpr uint64_t kReturnMs = 60000;

enum class Ending { None, PeerLeft, ConnectionLost, BadMessage, Desync, OutOfStep, Other };

// What the session saw of the link, for the summary at the end.
struct LinkFigures {
    long frames = 0;        // frames played with both sides' input
    long stalls = 0;        // frames that waited kStallMs or more (not after a long frame here)
    uint64_t longest_wait_ms = 0;
    int delay_changes = 0;
    uint64_t first_frame_ms = 0, last_frame_ms = 0;  // when the first and the last of them were played
};

class Session {
public:
    using Clock = std::function<uint64_t()>;  // milliseconds, never going back

    // `start`: a guest that came back anew plays on after this frame.
    Session(Role role, int delay, std::unique_ptr<Transport> link, Clock clock = {}, long start = 0);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Role role() const { return role_; }
    // The host without --net-delay moves the delay to what the link needs.
    void set_adaptive(bool on) { adaptive_ = on; }
    // This side runs in real time (not headless): how long it waits for
    // input says something about the link.
    void set_paced(bool on) { paced_ = on; }
    // When the connection drops during play, the game pauses for up to
    // `ms` instead of ending: the host keeps the seat for the guest to come
    // back, the guest comes back (replace_link). Nothing is played meanwhile,
    // so the rules counted in frames cannot end the game.
    void allow_return(uint64_t ms) { return_ms_ = ms; }
    bool away() const { return away_; }
    uint64_t return_limit_ms() const { return return_ms_; }
    // How long the other side has been away.
    uint64_t away_for_ms() const { return away_ ? now() - away_since_ms_ : 0; }
    // The host's player gave up waiting: the game ends as a lost connection.
    void end_wait();
    // Ends the game for both with `text` for the player (a bye goes across).
    void end_with(const std::string& text);
    // The guest's new connection to the host, after its old one dropped.
    void replace_link(std::unique_ptr<Transport> link);
    // On the host, when the guest took its seat again after `played`
    // (`anew`: a program started again, which catches up through `played`):
    // the welcome and the feed go out through send_message().
    std::function<void(long played, bool anew)> on_return;
    void send_message(const Message& message) { send(message); }
    // The delay both sides send with after `frame`.
    int delay_after(long frame) const { return queue_.delay_at(frame + 1); }
    long played() const { return played_; }
    // Where the feed of the host's record goes (a guest catching up); without
    // one a feed is a bad message.
    void set_feed(class FeedQueue* feed) { feed_ = feed; }

    // The host's spectators (see Transport).
    // They are served after the other player said goodbye too: the host
    // still plays out the frames it holds.
    void serve_audience(const GameLog& log) {
        if (link_) link_->serve_audience(log);
    }
    void end_audience(const GameLog& log) {
        if (link_) link_->end_audience(log);
    }
    size_t watching() const { return link_ && !link_down_ ? link_->audience_size() : 0; }

    // The delay this side's input goes with at `frame`.
    int delay_at(long frame) const { return queue_.delay_at(frame); }

    // This side's events gathered during `frame` become its input for frame
    // + delay and go to the other side at once (at most kMaxEventsPerFrame a
    // frame: the rest wait for the next).
    void send_input(long frame, std::vector<platform::Event> events);
    // Handles whatever has arrived, waiting up to `wait_ms` for the first of it.
    void pump(int wait_ms);
    // Called while the other side's input is awaited: sends this side's
    // again now and then, and ends the game as lost when the other side has
    // been silent kSilenceMs.
    void keep_waiting();
    // Ends the game as lost when the other side has been silent kSilenceMs.
    void check_silence();

    // The game wants `frame` now (for the link's figures).
    void begin_frame(long frame);
    bool ready(long frame) const { return queue_.ready(frame); }
    std::vector<platform::Event> take(long frame, bool menu_showing = false);

    // The network game is over before `frame`: at once after a fault, or,
    // once the other side left or the connection dropped, when the input it
    // sent has all been played.
    bool over(long frame) const;
    Ending ending() const { return ending_; }
    // Says why, in a line for the player.
    std::string ending_text() const;

    // After `frame`: every kDigestInterval frames this side's state digest
    // (`digest`) rides with its input to the other side and is compared with
    // the other side's; `text` is the whole state, kept for a report. A
    // difference ends the game (Desync) and each side sends its state; a
    // digest not come in time ends it too (OutOfStep).
    void after_frame(long frame, const std::function<uint64_t()>& digest, const std::function<std::string()>& text);
    long desync_frame() const { return desync_frame_; }
    const std::string& local_state() const { return local_state_; }
    // The other side's state at the differing frame; empty until it arrives.
    const std::string& remote_state() const { return remote_state_; }

    const LinkFigures& figures() const { return figures_; }
    // Input frames held in memory (both sides), digests waiting to be compared.
    size_t held() const { return queue_.held_frames() + remote_digests_.size() + local_digests_.size(); }

    // Tells the other side this one is leaving (after sending, reliably, the
    // input it has not yet seen acknowledged) and hangs up.
    void leave(ByeReason reason);

private:
    void handle(const std::vector<uint8_t>& bytes);
    void handle(const Message& message);
    void handle_input(const Input& input);
    void compare(long frame);
    void check_digests_due(long frame);
    void end_out_of_step(long frame);
    std::string held_state(long frame) const;
    void tune_delay(long frame);
    void fail(const std::string& detail);
    void link_lost();
    void go_away();
    void handle_return(bool anew);
    void send(const Message& message, Delivery delivery = Delivery::Reliable);
    void send_input_message();
    long input_limit() const;
    uint64_t now() const;

    Role role_;
    int initial_delay_;
    InputQueue queue_;
    std::unique_ptr<Transport> link_;
    Clock clock_;
    uint64_t last_heard_ms_ = 0;
    uint64_t last_sent_ms_ = 0;
    bool heard_ = false;  // a message of the game has arrived
    long local_frame_ = 0;  // the last frame this side sent input for
    long played_ = 0;       // the last frame taken

    uint64_t return_ms_ = 0;   // 0: a drop ends the game
    bool away_ = false;        // the connection dropped; waiting for it to come back
    uint64_t away_since_ms_ = 0;
    class FeedQueue* feed_ = nullptr;
    bool link_down_ = false;   // nothing more will arrive
    bool stopped_ = false;     // a fault: stop at once
    Ending ending_ = Ending::None;
    std::string detail_;
    ByeReason peer_bye_ = ByeReason::Quit;
    bool told_out_of_step_ = false;  // the other side found this one's digests missing

    // Digests: this side's by frame (with its state text for the oldest
    // kHeldStates), and the other side's not yet compared.
    struct LocalDigest {
        uint64_t hash;
        std::string text;
    };
    std::map<long, LocalDigest> local_digests_;
    std::map<long, uint64_t> remote_digests_;
    uint32_t latest_digest_frame_ = 0;
    uint64_t latest_digest_ = 0;
    long latest_remote_digest_frame_ = 0;
    long desync_frame_ = 0;
    std::string local_state_;
    std::string remote_state_;

    // The link's timing: when each frame of the other side's input arrived,
    // and what this interval saw.
    bool adaptive_ = false;
    bool paced_ = false;
    std::deque<std::pair<long, uint64_t>> arrivals_;
    uint64_t need_ms_ = 0;
    uint64_t last_take_ms_ = 0;  // when this side last started a frame's play
    bool excused_ = true;        // this frame's wait is not the link's doing
    IntervalTiming interval_{0, 1 << 30};
    std::optional<DelayTuner> tuner_;
    LinkFigures figures_;
};

// At most kMaxStateBytes of `text`, cut at a line's end.
std::string capped_state_text(const std::string& text);

}  // namespace net
