// One network game over an established connection: input sent and received
// by frame, the state digests compared once a second of play, and the ways
// the game ends (the other player leaving, silence, a bad message, games that
// differ). Knows nothing of the window or of ENet, so it can be driven with a
// connection in memory and a clock of the test's choosing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/lockstep.h"
#include "net/message.h"
#include "net/transport.h"

namespace net {

// How often the states are compared: 22 play frames of 45 ms, a second.
constexpr long kDigestInterval = 22;
// A peer not heard from for this long, while its input is awaited, is gone.
constexpr uint64_t kSilenceMs = 5000;
// Until its first message of the game, while it opens its window and loads,
// a peer has longer.
constexpr uint64_t kStartSilenceMs = 20000;

// The digest of a state dump ("key value" lines) less what may differ between
// two machines playing the same game: the clock readings and the player's own
// volume settings.
uint64_t play_state_digest(const std::string& state_text);

enum class Ending { None, PeerLeft, ConnectionLost, BadMessage, Desync };

class Session {
public:
    using Clock = std::function<uint64_t()>;  // milliseconds, never going back

    Session(Role role, int delay, std::unique_ptr<Transport> link, Clock clock = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Role role() const { return role_; }
    int delay() const { return queue_.delay(); }

    // This side's events gathered during `frame` become its input for frame
    // + delay and go to the other side at once (at most kMaxEventsPerFrame:
    // the caller keeps the rest for the next frame).
    void send_input(long frame, std::vector<platform::Event> events);
    // Handles whatever has arrived, waiting up to `wait_ms` for the first of it.
    void pump(int wait_ms);
    // Ends the game as lost when the other side has been silent kSilenceMs.
    // Called while its input is awaited.
    void check_silence();

    bool ready(long frame) const { return queue_.ready(frame); }
    std::vector<platform::Event> take(long frame, bool menu_showing = false) {
        return queue_.take(frame, menu_showing);
    }

    // The network game is over before `frame`: at once after a fault, or,
    // once the other side left or the connection dropped, when the input it
    // sent has all been played.
    bool over(long frame) const;
    Ending ending() const { return ending_; }
    // Says why, in a line for the player.
    std::string ending_text() const;

    // After `frame`: every kDigestInterval frames this side's state digest
    // goes to the other side and is compared with the other side's. A
    // difference ends the game (Desync) and each side sends its whole state.
    void after_frame(long frame, const std::function<std::string()>& state_text);
    long desync_frame() const { return desync_frame_; }
    const std::string& local_state() const { return local_state_; }
    // The other side's state at the differing frame; empty until it arrives.
    const std::string& remote_state() const { return remote_state_; }

    // Tells the other side this one is leaving and hangs up.
    void leave(ByeReason reason);

private:
    void handle(const std::vector<uint8_t>& bytes);
    void handle(const Message& message);
    void compare(long frame);
    void fail(const std::string& detail);
    void link_lost();
    void send(const Message& message);
    uint64_t now() const;

    Role role_;
    InputQueue queue_;
    std::unique_ptr<Transport> link_;
    Clock clock_;
    uint64_t last_heard_ms_ = 0;
    bool heard_ = false;  // a message of the game has arrived

    bool link_down_ = false;   // nothing more will arrive
    bool stopped_ = false;     // a fault: stop at once
    Ending ending_ = Ending::None;
    std::string detail_;
    ByeReason peer_bye_ = ByeReason::Quit;

    struct LocalDigest {
        uint64_t hash;
        std::string text;
    };
    std::map<long, LocalDigest> local_digests_;
    std::map<long, uint64_t> remote_digests_;
    long last_compared_ = 0;
    long desync_frame_ = 0;
    std::string local_state_;
    std::string remote_state_;
    // The other side's state text, when it arrives before this side has seen the difference.
    long early_state_frame_ = 0;
    std::string early_state_;
};

}  // namespace net
