#include "net/session.h"

#include <chrono>
#include <sstream>

#include "util/digest.h"

namespace net {
namespace {
using platform::Event;

// Digests compared but not yet answered are few (the sides are at most the
// input delay apart); more than this is a peer misbehaving.
constexpr size_t kMaxPendingDigests = 64;

uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

bool machine_specific(const std::string& key) {
    return key == "time_us" || key == "frame_time" || key == "fxvolume" || key == "musicvolume";
}
}  // namespace

uint64_t play_state_digest(const std::string& state_text) {
    std::string kept;
    std::istringstream in(state_text);
    std::string line;
    while (std::getline(in, line)) {
        if (machine_specific(line.substr(0, line.find(' ')))) continue;
        kept += line;
        kept += '\n';
    }
    return digest_text(kept);
}

Session::Session(Role role, int delay, std::unique_ptr<Transport> link, Clock clock)
    : role_(role), queue_(role, delay), link_(std::move(link)), clock_(std::move(clock)) {
    last_heard_ms_ = now();
}

Session::~Session() {
    if (!link_down_) leave(ByeReason::Stopped);
}

uint64_t Session::now() const { return clock_ ? clock_() : steady_ms(); }

void Session::send(const Message& message) {
    if (!link_down_ && link_) link_->send(encode(message));
}

void Session::send_input(long frame, std::vector<Event> events) {
    const long target = frame + delay();
    if (events.size() > kMaxEventsPerFrame) events.resize(kMaxEventsPerFrame);
    if (target <= static_cast<long>(kMaxFrame)) send(Input{static_cast<uint32_t>(target), events});
    queue_.put_local(target, std::move(events));
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
        last_heard_ms_ = now();
        if (!heard_) {
            heard_ = true;
            link_->set_silence_limit(static_cast<int>(kSilenceMs));
        }
        handle(event.bytes);
        if (link_down_) return;
    }
}

void Session::check_silence() {
    if (stopped_ || now() - last_heard_ms_ < (heard_ ? kSilenceMs : kStartSilenceMs)) return;
    stopped_ = true;
    if (ending_ == Ending::None) ending_ = Ending::ConnectionLost;
    if (link_) link_->abandon();
    link_down_ = true;
}

void Session::link_lost() {
    link_down_ = true;
    if (ending_ == Ending::None) ending_ = Ending::ConnectionLost;
}

void Session::fail(const std::string& detail) {
    if (ending_ == Ending::None) {
        ending_ = Ending::BadMessage;
        detail_ = detail;
    }
    stopped_ = true;
    if (link_) link_->close();
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

void Session::handle(const Message& message) {
    const Role them = other_side(role_);
    // After a fault only the other side's state text still matters.
    if (stopped_ && !std::holds_alternative<StateText>(message)) return;
    if (const auto* input = std::get_if<Input>(&message)) {
        if (ending_ != Ending::None) return;  // the game is over; what it held is played out
        for (const Event& e : input->events)
            if (!belongs_to(them, e)) return fail("input of the other player's controls");
        const long due = queue_.remote_through() + 1;
        if (!queue_.put_remote(input->frame, input->events))
            fail("input for frame " + std::to_string(input->frame) + " where frame " + std::to_string(due) +
                 " was due");
    } else if (const auto* digest = std::get_if<StateHash>(&message)) {
        const long frame = digest->frame;
        if (frame % kDigestInterval != 0 || frame <= last_compared_ || remote_digests_.count(frame) != 0 ||
            remote_digests_.size() >= kMaxPendingDigests)
            return fail("state digest for frame " + std::to_string(frame) + " out of turn");
        remote_digests_[frame] = digest->hash;
        compare(frame);
    } else if (const auto* state = std::get_if<StateText>(&message)) {
        if (ending_ == Ending::Desync && state->frame == desync_frame_) {
            remote_state_ = state->text;
        } else if (ending_ == Ending::None) {
            early_state_frame_ = state->frame;
            early_state_ = state->text;
        }
    } else if (const auto* bye = std::get_if<Bye>(&message)) {
        peer_bye_ = bye->reason;
        if (ending_ == Ending::None) ending_ = Ending::PeerLeft;
        link_down_ = true;
        if (link_) link_->close();
    } else {
        fail("a start-up message in the middle of the game");
    }
}

void Session::after_frame(long frame, const std::function<std::string()>& state_text) {
    if (ending_ != Ending::None || frame % kDigestInterval != 0) return;
    std::string text = state_text();
    const uint64_t hash = play_state_digest(text);
    send(StateHash{static_cast<uint32_t>(frame), hash});
    if (local_digests_.size() >= kMaxPendingDigests) local_digests_.erase(local_digests_.begin());
    local_digests_[frame] = LocalDigest{hash, std::move(text)};
    compare(frame);
}

void Session::compare(long frame) {
    const auto mine = local_digests_.find(frame);
    const auto theirs = remote_digests_.find(frame);
    if (mine == local_digests_.end() || theirs == remote_digests_.end()) return;
    const bool same = mine->second.hash == theirs->second;
    if (!same && ending_ == Ending::None) {
        ending_ = Ending::Desync;
        stopped_ = true;
        desync_frame_ = frame;
        local_state_ = mine->second.text;
        if (early_state_frame_ == frame) remote_state_ = early_state_;
        send(StateText{static_cast<uint32_t>(frame), local_state_});
    }
    last_compared_ = frame;
    local_digests_.erase(local_digests_.begin(), std::next(mine));
    remote_digests_.erase(remote_digests_.begin(), std::next(theirs));
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
        case Ending::BadMessage: return "the other player sent a bad message (" + detail_ + "); disconnected";
        case Ending::Desync: return "the two games differ at frame " + std::to_string(desync_frame_);
    }
    return {};
}

void Session::leave(ByeReason reason) {
    if (link_down_ || !link_) {
        link_down_ = true;
        return;
    }
    send(Bye{reason});
    link_->close();
    link_down_ = true;
}

}  // namespace net
