// The rules of lockstep play. The input of frame F is, on both machines, the
// host's events for F followed by the guest's; a side sends the events it
// gathered while running frame F as its input for frame F + delay, and runs
// frame F only once it holds both sides' input for it. Frames 1 .. the first
// delay have no input from either side.
//
// Input travels unreliably: every message repeats each frame the other side
// has not acknowledged yet, so a lost message costs nothing and no resend is
// ever waited for. The delay may change during play: when it grows the frames
// skipped over get no events; when it shrinks a side sends no new frame until
// it is back in step, its events waiting for the next one.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "net/message.h"
#include "platform/platform.h"

namespace net {

enum class Role { Host, Guest };

inline Role other_side(Role role) { return role == Role::Host ? Role::Guest : Role::Host; }
inline const char* side_name(Role role) { return role == Role::Host ? "host" : "guest"; }

// How far beyond what the delay allows the other side's input may reach
// before it counts as a bad message (a delay change on its way, a side
// starting late).
constexpr long kAheadMarginFrames = 8;
// Frames this side keeps sending while the other has not acknowledged them.
// A peer holding back its acknowledgements past this is misbehaving.
constexpr long kMaxUnackedFrames = 4 * 10 + 2 * kAheadMarginFrames;
// What one input message may carry in events; older frames go first.
constexpr size_t kInputBudgetBytes = 16 * 1024;

// Whether a local event is this side's to play. The host plays player one and
// drives the menus: the mouse and every key but player two's. The guest plays
// player two: player two's keys (keyboard, keypad, controller) and Escape.
// Nothing else (window, focus, screenshots) leaves the machine.
bool belongs_to(Role role, const platform::Event& event);

// Whether the guest's event reaches the game while a menu screen shows. The
// host alone drives the menus, so the guest's presses there (its arrows move
// the highlight, its Escape would resume) are dropped; its releases still
// count, so no key stays down.
bool guest_plays_on_menu(const platform::Event& event);

class InputQueue {
public:
    // `delay`: the delay both sides start with (frames 1..delay are empty).
    // A guest that comes back anew starts after frame `start` (caught up
    // through it), its own frames start + 1 .. start + delay empty.
    InputQueue(Role role, int delay, long start = 0);

    // The host, when its guest comes back anew after frame `played`: the old
    // guest's input for later frames is forgotten, the new one's frames
    // played + 1 .. played + delay are empty, and the new guest holds this
    // side's input through `played` (it catches up from the host's record).
    void restart_remote(long played, int delay);

    // The delay this side sends its input with from local frame `frame` on.
    int delay_at(long frame) const;
    // From local frame `from` on, input goes with `delay` frames of delay.
    void change_delay(long from, int delay);
    // The largest delay in force or announced.
    int largest_delay() const;

    // This side's events gathered during local frame `frame` (frames in
    // order, each once): they become its input for frame + delay_at(frame),
    // the frames the delay skipped are empty; while the delay shrinks they
    // wait for the next new frame. At most kMaxEventsPerFrame go into a
    // frame; the rest wait too.
    void put_local(long frame, std::vector<platform::Event> events);
    // The input message to send now: every frame the other side has not
    // acknowledged (within kMaxFramesPerInput and kInputBudgetBytes, oldest
    // first), what this side holds of the other's, and `digest`.
    Input outgoing(uint32_t digest_frame, uint64_t digest) const;

    enum class Received { Ok, Gap, TooFar, BadAck };
    // The other side's message: frames already held are skipped, the next
    // ones kept. Gap: it starts past the next frame due; TooFar: it reaches
    // past `limit`; BadAck: it acknowledges a frame this side never sent.
    // Nothing is kept from a message that is not Ok.
    Received put_remote(const Input& message, long limit);

    // Both sides' input for `frame` is held.
    bool ready(long frame) const;
    // The input of `frame`: the host's events, then the guest's. Frames are
    // taken in order; an earlier frame's input is dropped with it. With
    // `menu_showing` (the same on both sides: the state before the frame) the
    // guest's events pass guest_plays_on_menu().
    std::vector<platform::Event> take(long frame, bool menu_showing = false);

    // The last frame whose input from the other side is held (every earlier too).
    long remote_through() const { return next_remote_ - 1; }
    // The last frame this side has made input for.
    long local_through() const { return next_local_ - 1; }
    // The last frame of this side's input the other side holds.
    long acknowledged() const { return acked_; }
    // Frames of input held in memory, both sides together.
    size_t held_frames() const { return local_.size() + remote_.size(); }

private:
    struct Frame {
        long number;
        std::vector<platform::Event> events;
    };
    static std::vector<platform::Event> pop(std::deque<Frame>& queue, long frame);
    void trim_local();

    Role role_;
    std::map<long, int> delays_;  // from local frame -> delay
    std::deque<Frame> local_;     // from the oldest not both played and acknowledged
    std::deque<Frame> remote_;
    std::vector<platform::Event> waiting_;  // local events not yet in a frame
    long next_local_;   // the frame the next local input is for
    long next_remote_;  // the frame the next remote input must be for
    long acked_;
    long taken_ = 0;    // the last frame taken
};

}  // namespace net
