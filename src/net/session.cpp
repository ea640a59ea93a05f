#include "net/session.h"

#include <algorithm>
#include <chrono>

#include "app/options.h"
#include "net/game_log.h"

namespace net {
namespace {
using platform::Event;

// Digests held for comparing: the other side's are at most a few intervals
// ahead (its input cannot be), this side's at most the grace behind.
constexpr size_t kMaxRemoteDigests = 8;
constexpr size_t kMaxLocalDigests = 16;

uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}
}  // namespace

std::string capped_state_text(const std::string& text) {
    if (text.size() <= kMaxStateBytes) return text;
    const size_t end = text.rfind('\n', kMaxStateBytes - 1);
    return text.substr(0, end == std::string::npos ? kMaxStateBytes : end + 1);
}

Session::Session(Role role, int delay, std::unique_ptr<Transport> link, Clock clock, long start)
    : role_(role), initial_delay_(static_cast<int>(start) + delay), queue_(role, delay, start), link_(std::move(link)),
      clock_(std::move(clock)) {
    last_heard_ms_ = now();
    local_frame_ = played_ = start;
    // The host's digests of frames before the start were checked in the catch-up.
    latest_remote_digest_frame_ = start;
}

Session::~Session() {
    if (!link_down_) leave(ByeReason::Stopped);
}

uint64_t Session::now() const { return clock_ ? clock_() : steady_ms(); }

void Session::send(const Message& message, Delivery delivery) {
    if (!link_down_ && !away_ && link_) link_->send(encode(message), delivery);
}

void Session::send_input_message() {
    send(queue_.outgoing(latest_digest_frame_, latest_digest_), Delivery::Unreliable);
    last_sent_ms_ = now();
}

long Session::input_limit() const {
    // The other side runs at most a delay ahead of this one, and sends its
    // input a delay ahead of where it runs.
    return played_ + 1 + 2L * queue_.largest_delay() + kAheadMarginFrames;
}

void Session::send_input(long frame, std::vector<Event> events) {
    if (events.size() > kMaxEventsPerFrame) events.resize(kMaxEventsPerFrame);
    for (Event& e : events) e = as_received(e);  // this side plays what the other side will read
    local_frame_ = frame;
    queue_.put_local(frame, std::move(events));
    if (ending_ != Ending::None) return;
    if (queue_.local_through() - queue_.acknowledged() > kMaxUnackedFrames)
        return fail("no acknowledgement of input since frame " + std::to_string(queue_.acknowledged()));
    send_input_message();
}

void Session::pump(int wait_ms) {
    if (!link_ || link_down_) return;
    for (int wait = wait_ms;; wait = 0) {
        LinkEvent event = link_->poll(wait);
        if (event.kind == LinkEvent::Kind::None) return;
        if (event.kind == LinkEvent::Kind::Closed) {
            link_lost();
            return;
        }
        if (event.kind == LinkEvent::Kind::Returned) {
            handle_return(event.anew);
            continue;
        }
        if (away_) continue;  // the old connection's last words
        last_heard_ms_ = now();
        if (!heard_) {
            heard_ = true;
            link_->set_silence_limit(static_cast<int>(kSilenceMs));
        }
        handle(event.bytes);
        if (link_down_) return;
    }
}

void Session::keep_waiting() {
    if (away_) {
        if (now() - away_since_ms_ >= return_ms_) end_wait();
        return;
    }
    if (!link_down_ && ending_ == Ending::None && now() - last_sent_ms_ >= kResendMs) send_input_message();
    check_silence();
}

void Session::check_silence() {
    if (stopped_ || away_ || now() - last_heard_ms_ < (heard_ ? kSilenceMs : kStartSilenceMs)) return;
    if (link_) link_->abandon();
    if (return_ms_ > 0 && ending_ == Ending::None) return go_away();
    stopped_ = true;
    if (ending_ == Ending::None) ending_ = Ending::ConnectionLost;
    link_down_ = true;
}

void Session::link_lost() {
    if (return_ms_ > 0 && ending_ == Ending::None && !stopped_) return go_away();
    link_down_ = true;
    if (ending_ == Ending::None) ending_ = Ending::ConnectionLost;
}

void Session::go_away() {
    away_ = true;
    away_since_ms_ = now();
}

void Session::end_wait() {
    away_ = false;
    stopped_ = true;
    link_down_ = true;
    if (ending_ == Ending::None) ending_ = Ending::ConnectionLost;
    if (link_) link_->abandon();
}

void Session::end_with(const std::string& text) {
    if (ending_ == Ending::None) {
        ending_ = Ending::Other;
        detail_ = text;
    }
    stopped_ = true;
    away_ = false;
    leave(ByeReason::Stopped);
}

void Session::replace_link(std::unique_ptr<Transport> link) {
    link_ = std::move(link);
    away_ = false;
    link_down_ = false;
    last_heard_ms_ = now();
    heard_ = false;
    send_input_message();
}

void Session::handle_return(bool anew) {
    if (stopped_ || role_ != Role::Host) return;
    away_ = false;
    link_down_ = false;
    last_heard_ms_ = now();
    heard_ = false;  // it opens its window and catches up: the start's silence limit
    link_->set_silence_limit(static_cast<int>(kStartSilenceMs));
    if (anew) {
        // It holds nothing of what the old one had: everything after the last
        // frame played here starts again, and it checks the frames before.
        const int delay = queue_.delay_at(played_ + 1);
        queue_.restart_remote(played_, delay);
        local_digests_.erase(local_digests_.begin(), local_digests_.upper_bound(played_));
        remote_digests_.clear();
        latest_remote_digest_frame_ = played_;
        arrivals_.clear();
    }
    if (on_return) on_return(played_, anew);
    send_input_message();
}

void Session::fail(const std::string& detail) {
    if (ending_ == Ending::None) {
        ending_ = Ending::BadMessage;
        detail_ = detail;
    }
    stopped_ = true;
    if (link_ && !link_down_) link_->close();
    link_down_ = true;
}

void Session::handle(const std::vector<uint8_t>& bytes) {
    Message message;
    std::string error;
    if (!decode(bytes.data(), bytes.size(), message, error)) {
        fail(error);
        return;
    }
    handle(message);
}

void Session::handle_input(const Input& input) {
    const Role them = other_side(role_);
    for (const auto& frame : input.frames)
        for (const Event& e : frame)
            if (!belongs_to(them, e)) return fail("input of the other player's controls");
    const long limit = input_limit();
    const long due = queue_.remote_through() + 1;
    const long last = static_cast<long>(input.first) + static_cast<long>(input.frames.size()) - 1;
    switch (queue_.put_remote(input, limit)) {
        case InputQueue::Received::Ok: break;
        case InputQueue::Received::Gap:
            return fail("input for frame " + std::to_string(input.first) + " where frame " + std::to_string(due) +
                        " was due");
        case InputQueue::Received::TooFar:
            return fail("input for frame " + std::to_string(last) + ", beyond frame " + std::to_string(limit) +
                        " the input delay allows");
        case InputQueue::Received::BadAck:
            return fail("acknowledgement of frame " + std::to_string(input.ack) + ", never sent");
    }
    const uint64_t at = now();
    for (long f = due; f <= queue_.remote_through(); ++f) arrivals_.emplace_back(f, at);

    const long digest_frame = input.digest_frame;
    if (digest_frame == 0 || digest_frame <= latest_remote_digest_frame_) return;
    if (digest_frame % kDigestInterval != 0 || digest_frame > limit)
        return fail("state digest for frame " + std::to_string(digest_frame) + " out of turn");
    latest_remote_digest_frame_ = digest_frame;
    if (remote_digests_.size() >= kMaxRemoteDigests) remote_digests_.erase(remote_digests_.begin());
    remote_digests_[digest_frame] = input.digest;
    compare(digest_frame);
}

void Session::handle(const Message& message) {
    // After a fault only the other side's state text still matters.
    if (stopped_ && !std::holds_alternative<StateText>(message)) return;
    if (const auto* input = std::get_if<Input>(&message)) {
        if (ending_ != Ending::None) return;  // the game is over; what it held is played out
        handle_input(*input);
    } else if (const auto* change = std::get_if<DelayChange>(&message)) {
        if (role_ != Role::Guest) return fail("a delay change from the guest");
        // Late (the link is slow): from the next frame this side makes.
        const long from = std::max<long>(change->frame, local_frame_ + 1);
        queue_.change_delay(from, change->delay);
        ++figures_.delay_changes;
    } else if (const auto* timing = std::get_if<Timing>(&message)) {
        if (role_ != Role::Host) return fail("timing from the host");
        if (tuner_) tuner_->add_other(IntervalTiming{timing->stalls, timing->slack_ms});
    } else if (const auto* state = std::get_if<StateText>(&message)) {
        const long frame = state->frame;
        if (ending_ == Ending::None) {
            // The other side saw the games differ first (its digest of this
            // frame may never come now): the same end here, with both states.
            ending_ = Ending::Desync;
            stopped_ = true;
            desync_frame_ = frame;
            local_state_ = held_state(frame);
            remote_state_ = state->text;
            send(StateText{static_cast<uint32_t>(frame), capped_state_text(local_state_)});
        } else if (remote_state_.empty() && (told_out_of_step_ || frame == desync_frame_)) {
            // One text a game: what follows it is not kept.
            if (told_out_of_step_) {
                desync_frame_ = frame;
                local_state_ = held_state(frame);
            }
            remote_state_ = state->text;
        }
    } else if (const auto* bye = std::get_if<Bye>(&message)) {
        peer_bye_ = bye->reason;
        if (bye->reason == ByeReason::OutOfStep) {
            // Its state follows; the link stays up for it.
            if (ending_ == Ending::None) {
                ending_ = Ending::OutOfStep;
                told_out_of_step_ = true;
                stopped_ = true;
                desync_frame_ = played_;
            }
            return;
        }
        if (ending_ == Ending::None) ending_ = Ending::PeerLeft;
        link_down_ = true;
        if (link_) link_->close();
    } else if (const auto* feed = std::get_if<Feed>(&message)) {
        std::string error;
        if (role_ != Role::Guest || feed_ == nullptr) return fail("a feed of the game where none was asked for");
        if (!feed_->add(*feed, error)) return fail(error);
    } else if (std::holds_alternative<Probe>(message)) {
        // A late echo of the handshake's: nothing to do.
    } else {
        fail("a start-up message in the middle of the game");
    }
}

void Session::begin_frame(long /*frame*/) {
    need_ms_ = now();
    // After a long frame here (a level loading, the window opening) the
    // other side, slower at it, is waited for: that says nothing of the link.
    excused_ = last_take_ms_ == 0 || need_ms_ - last_take_ms_ > kLongFrameMs;
}

std::vector<Event> Session::take(long frame, bool menu_showing) {
    played_ = std::max(played_, frame);
    if (frame > initial_delay_) {
        const uint64_t at = now();
        const uint64_t waited = at > need_ms_ ? at - need_ms_ : 0;
        if (figures_.frames++ == 0) figures_.first_frame_ms = at;
        figures_.last_frame_ms = at;
        figures_.longest_wait_ms = std::max(figures_.longest_wait_ms, waited);
        if (waited >= static_cast<uint64_t>(kStallMs) && !excused_) {
            ++figures_.stalls;
            ++interval_.stalls;
        }
        while (!arrivals_.empty() && arrivals_.front().first < frame) arrivals_.pop_front();
        if (!arrivals_.empty() && arrivals_.front().first == frame && !excused_) {
            const auto slack = static_cast<long long>(need_ms_) - static_cast<long long>(arrivals_.front().second);
            interval_.slack_ms = static_cast<int>(std::clamp<long long>(
                std::min<long long>(interval_.slack_ms, slack), INT16_MIN, INT16_MAX));
        }
    }
    last_take_ms_ = now();
    return queue_.take(frame, menu_showing);
}

void Session::after_frame(long frame, const std::function<uint64_t()>& digest,
                          const std::function<std::string()>& text) {
    if (ending_ != Ending::None) return;
    if (frame % kDigestInterval == 0) {
        const uint64_t hash = digest();
        if (local_digests_.size() >= kMaxLocalDigests) local_digests_.erase(local_digests_.begin());
        // The digests are compared oldest first, usually a few frames after
        // they were made: only the oldest few keep their whole state.
        std::string state = local_digests_.size() < kHeldStates ? text() : std::string();
        local_digests_[frame] = LocalDigest{hash, std::move(state)};
        latest_digest_frame_ = static_cast<uint32_t>(frame);
        latest_digest_ = hash;
        compare(frame);
        if (ending_ != Ending::None) return;
        tune_delay(frame);
    }
    check_digests_due(frame);
}

void Session::compare(long frame) {
    const auto mine = local_digests_.find(frame);
    const auto theirs = remote_digests_.find(frame);
    if (mine == local_digests_.end() || theirs == remote_digests_.end()) return;
    if (mine->second.hash != theirs->second && ending_ == Ending::None) {
        ending_ = Ending::Desync;
        stopped_ = true;
        desync_frame_ = frame;
        local_state_ = mine->second.text;
        send(StateText{static_cast<uint32_t>(frame), capped_state_text(local_state_)});
    }
    local_digests_.erase(local_digests_.begin(), std::next(mine));
    remote_digests_.erase(remote_digests_.begin(), std::next(theirs));
}

std::string Session::held_state(long frame) const {
    const auto it = local_digests_.find(frame);
    return it != local_digests_.end() ? it->second.text : std::string();
}

void Session::check_digests_due(long frame) {
    if (local_digests_.empty()) return;
    const long oldest = local_digests_.begin()->first;
    if (latest_remote_digest_frame_ >= oldest) {
        // A later digest came and this one never will (its messages were all lost).
        while (!local_digests_.empty() && local_digests_.begin()->first < latest_remote_digest_frame_)
            local_digests_.erase(local_digests_.begin());
        return;
    }
    if (frame >= oldest + kDigestGraceFrames + queue_.largest_delay()) end_out_of_step(oldest);
}

void Session::end_out_of_step(long frame) {
    ending_ = Ending::OutOfStep;
    stopped_ = true;
    desync_frame_ = frame;
    local_state_ = held_state(frame);
    send(Bye{ByeReason::OutOfStep});
    send(StateText{static_cast<uint32_t>(frame), capped_state_text(local_state_)});
    if (link_) link_->close();
    link_down_ = true;
}

void Session::tune_delay(long frame) {
    if (!paced_) return;
    const IntervalTiming seen = interval_;
    interval_ = IntervalTiming{0, 1 << 30};
    if (seen.slack_ms == (1 << 30)) return;  // no frame measured
    if (role_ == Role::Guest) {
        send(Timing{static_cast<uint32_t>(frame), static_cast<uint16_t>(std::min(seen.stalls, 0xFFFF)),
                    static_cast<int16_t>(seen.slack_ms)});
        return;
    }
    if (!adaptive_) return;
    if (!tuner_) tuner_.emplace(queue_.delay_at(frame + 1), kMaxNetDelay);
    tuner_->add_own(seen);
    const std::optional<int> wanted = tuner_->decide();
    if (!wanted) return;
    // Far enough ahead that the guest hears of it before it gets there.
    const long from = local_frame_ + 2L * queue_.largest_delay() + 4;
    queue_.change_delay(from, *wanted);
    send(DelayChange{static_cast<uint32_t>(from), static_cast<uint8_t>(*wanted)});
    ++figures_.delay_changes;
}

bool Session::over(long frame) const {
    if (stopped_) return true;
    return link_down_ && !queue_.ready(frame);
}

std::string Session::ending_text() const {
    switch (ending_) {
        case Ending::None: return {};
        case Ending::PeerLeft:
            return peer_bye_ == ByeReason::Quit ? "the other player left the game"
                                                : "the other player's run ended";
        case Ending::ConnectionLost: return "connection lost";
        case Ending::Other: return detail_;
        case Ending::BadMessage: return "the other player sent a bad message (" + detail_ + "); disconnected";
        case Ending::Desync: return "the two games differ at frame " + std::to_string(desync_frame_);
        case Ending::OutOfStep:
            return told_out_of_step_ ? "the other player's game found the two games out of step"
                       : "the other player's game stopped reporting (frame " + std::to_string(desync_frame_) + ")";
    }
    return {};
}

void Session::leave(ByeReason reason) {
    if (link_down_ || !link_) {
        link_down_ = true;
        return;
    }
    // What the other side has not acknowledged goes reliably, ahead of the bye.
    send(queue_.outgoing(latest_digest_frame_, latest_digest_));
    send(Bye{reason});
    link_->close();
    link_down_ = true;
}

}  // namespace net
