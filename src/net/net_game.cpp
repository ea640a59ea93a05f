#include "net/net_game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/clock.h"
#include "app/config.h"
#include "app/options.h"
#include "app/state_digest.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "net/agreement.h"
#include "net/catch_up_backend.h"
#include "net/data_digest.h"
#include "net/join_code.h"
#include "net/screen_notice.h"
#include "net/session.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "ui/menu_navigation.h"
#include "util/ranged_int.h"

namespace net {
namespace {
using platform::Event;
using platform::EventType;

constexpr int kWaitSliceMs = 5;
constexpr uint64_t kWaitingNoticeMs = 500;
constexpr uint64_t kEndNoticeMs = 4000;
constexpr uint64_t kDelayNoticeMs = 2500;
constexpr uint64_t kStateWaitMs = 2000;  // for the other side's state after a desync
constexpr uint64_t kProgressShownMs = 100;  // how often a catch-up shows its progress
constexpr uint64_t kComeBackGapMs = 1000;  // between a guest's attempts to come back
// A spectator within this of what it received is live; further than this
// behind (stopped for a while, a slow moment) it catches up again.
constexpr long kLiveFrames = 3;
constexpr long kFallenBehindFrames = 44;
// A spectator's connection may be quiet this long (the game may pause for a
// minute while its guest comes back: ENet's own pings go on meanwhile).
constexpr int kSpectatorSilenceMs = 40000;

uint64_t steady_ms() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

Event key(EventType type, int vkey) {
    Event e;
    e.type = type;
    e.vkey = vkey;
    return e;
}

bool write_text(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

bool headless_backend() { return !platform::has_backend() || platform::backend().headless(); }

// The test hook: the first live sprite of the level one pixel lower.
void nudge_a_sprite(long frame) {
    if (Sprite::the_level == nullptr) return;
    for (Sprite* s : *Sprite::the_level) {
        if (s->hitpoints < 1) continue;
        s->y += 1;
        s->posy += 1;
        std::fprintf(stderr, "velmora: test hook: sprite %ld moved down a pixel after frame %ld\n",
                     static_cast<long>(s->serial), frame);
        return;
    }
}
}  // namespace

std::string seat_file_path() {
    const std::string dir = config_directory();
    return dir.empty() ? std::string() : dir + "/velmora-seat.txt";
}

std::string read_seat(const std::string& where) {
    const std::string path = seat_file_path();
    if (path.empty()) return {};
    std::ifstream in(path);
    std::string address, token;
    if (!(in >> address >> token) || address != where || token.size() > kMaxTokenBytes) return {};
    return token;
}

void write_seat(const std::string& where, const std::string& token) {
    const std::string path = seat_file_path();
    if (path.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (!write_text(path, where + " " + token + "\n"))
        std::fprintf(stderr, "velmora: cannot keep the seat's token in %s: started again, this guest could not come back\n",
                     path.c_str());
}

void forget_seat() {
    const std::string path = seat_file_path();
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove(path, ec);
}

std::vector<Event> opening_input(long frame) {
    // The cursor starts at (320, 240); the "2 Player" button's picture starts
    // at (268, 428). Pressed on the start-up frame, the button skips both
    // logos; released on the title menu over the button, it starts the game.
    Event e;
    e.type = EventType::MouseButton;
    e.button = 0;
    if (frame == 1) {
        Event move;
        move.type = EventType::MouseMotion;
        move.dx = -20;
        move.dy = 190;
        e.pressed = true;
        return {move, e};
    }
    if (frame == kOpeningFrames) return {e};
    return {};
}

std::vector<std::string> write_desync_states(const std::string& dir, long frame, Role role,
                                             const std::string& local, const std::string& remote) {
    std::vector<std::string> written;
    if (dir.empty()) return written;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    char stamp[32] = "now";
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&now, &parts) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
    const std::string base = dir + "/velmora-desync-" + stamp + "-frame" + std::to_string(frame) + "-";
    const std::string mine = base + side_name(role) + ".txt";
    const std::string theirs = base + side_name(other_side(role)) + ".txt";
    if (write_text(mine, local)) written.push_back(mine);
    if (!remote.empty() && write_text(theirs, capped_state_text(remote))) written.push_back(theirs);
    return written;
}

std::string delay_notice(int delay) {
    return "input delay " + std::to_string(delay) + (delay == 1 ? " frame (" : " frames (") +
           std::to_string(delay * static_cast<int>(PlayFrameSchedule::kPeriodMs)) + " ms)";
}

NetGame::NetGame() {
    // Read once: a test sets it for one of the two processes.
    if (const char* at = std::getenv(kNudgeVariable); at != nullptr) ranged_int::parse(at, 1, kMaxFrame, nudge_frame_);
}
NetGame::~NetGame() {
    if (!session_) return;
    report(last_frame_);
    if (role_ == Role::Host) session_->end_audience(log_);
}

void NetGame::report(long frame) const {
    const LinkFigures& f = session_->figures();
    const double seconds = static_cast<double>(f.last_frame_ms - f.first_frame_ms) / 1000;
    std::fprintf(stderr,
                 "velmora: network game: ended at frame %ld; %ld frames played together in %.1f s (%.2f steps a "
                 "second), %ld stalls (longest wait %llu ms), %ld waiting notices, %d delay changes, %s at the end\n",
                 frame, f.frames, seconds, seconds > 0 ? static_cast<double>(f.frames - 1) / seconds : 0.0, f.stalls,
                 static_cast<unsigned long long>(f.longest_wait_ms), waiting_notices_, f.delay_changes,
                 delay_notice(session_->delay_at(frame)).c_str());
    if (role_ == Role::Host)
        std::fprintf(stderr, "velmora: the game's record: %ld frames in %zu bytes%s\n", log_.through(), log_.bytes(),
                     log_.full() ? " (full)" : "");
}

void NetGame::note(const std::string& text) {
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    if (note_sink_) note_sink_(text);
}

void NetGame::start_session(Role role, int delay, std::unique_ptr<Transport> link, bool adaptive, bool headless,
                            long start) {
    role_ = role;
    headless_ = headless;
    session_ = std::make_unique<Session>(role, delay, std::move(link), Session::Clock{}, start);
    // A dropped connection pauses the game while the guest comes back.
    uint64_t return_ms = kReturnMs;
    if (const char* ms = std::getenv(kReturnVariable); ms != nullptr) {
        long given = 0;
        if (ranged_int::parse(ms, 100, static_cast<long>(kReturnMs), given)) return_ms = static_cast<uint64_t>(given);
    }
    session_->allow_return(return_ms);
    if (role == Role::Host) session_->on_return = [this](long played, bool anew) { serve_return(played, anew); };
    session_->set_adaptive(adaptive);
    session_->set_paced(!headless);
    shown_delay_ = delay;
}

bool NetGame::host(const LaunchOptions& options, const std::string& data_dir, std::string& error) {
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    terms_.local = local_hello(data);
    terms_.files = std::move(data.entries);
    terms_.measure_delay = options.net_delay < 0;
    terms_.name = options.host_name;
    terms_.welcome.seed = options.seed;
    terms_.welcome.start_level = static_cast<uint8_t>(options.start_level);
    terms_.welcome.god = options.god;
    terms_.welcome.delay = static_cast<uint8_t>(options.net_delay >= 0 ? options.net_delay : kDefaultNetDelay);
    terms_.welcome.autofire = player_autofire(1);
    if (options.join_code.empty()) {
        terms_.code = make_join_code();
        if (terms_.code.empty()) {
            error = "cannot make a join code: the system gives no random numbers (give one with --code WORD)";
            return false;
        }
    } else if (normalized_join_code(options.join_code) != normalized_join_code(kNoJoinCode)) {
        terms_.code = options.join_code;
    }
    listening_ = GuestWait::listen(options.host_port, error);
    if (!listening_) return false;
    const int port = listening_->port();
    std::printf("velmora: hosting a network game on UDP port %d; waiting for a guest\n", port);
    std::fflush(stdout);
    if (terms_.code.empty())
        std::fprintf(stderr, "velmora: no join code (--code none): any guest may join\n");
    else
        std::fprintf(stderr, "velmora: join code %s: the guest joins with --join ADDRESS:%d --code %s\n",
                     terms_.code.c_str(), port, terms_.code.c_str());
    return true;
}

bool NetGame::wait_for_guest(DirectDrawApp& app, std::string& error) {
    error.clear();
    const bool headless = headless_backend();
    const std::string shown = "waiting for a guest on UDP port " + std::to_string(listening_->port()) +
                              (terms_.code.empty() ? std::string("\nany guest may join") : "\njoin code " + terms_.code);
    uint64_t next_show = 0;
    bool gave_up = false;
    const auto tick = [&]() {
        if (headless) return true;
        Event e;
        while (platform::backend().poll_event(e))
            if (e.type == EventType::Quit) gave_up = true;
        // Shown again now and then: the window may have been covered or resized.
        if (!gave_up && app.ddwin != nullptr && steady_ms() >= next_show) {
            show_notice(*app.ddwin, shown);
            next_show = steady_ms() + 250;
        }
        return !gave_up;
    };
    Arrival arrival;
    std::unique_ptr<Transport> link = listening_->wait(terms_, tick, arrival, error);
    listening_.reset();
    if (!link) return false;
    // Each player's own choice holds for their ship on both machines.
    set_player_autofire(2, arrival.hello.autofire);
    if (terms_.measure_delay) {
        std::vector<double> trips = arrival.round_trips_ms;
        std::sort(trips.begin(), trips.end());
        std::fprintf(stderr,
                     "velmora: round trips to the guest %.0f to %.0f ms (%zu of %d probes answered), %.0f to cover: %s\n",
                     trips.empty() ? 0.0 : trips.front(), trips.empty() ? 0.0 : trips.back(), trips.size(), kProbes,
                     round_trip_to_cover(trips), delay_notice(arrival.delay).c_str());
    }
    token_ = arrival.token;
    start_session(Role::Host, arrival.delay, std::move(link), terms_.measure_delay, headless, 0);
    return true;
}

bool NetGame::join(LaunchOptions& options, const std::string& data_dir, std::string& error) {
    if (options.watch) return watch(options, data_dir, error);
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    Hello hello = local_hello(data);
    if (normalized_join_code(options.join_code) != normalized_join_code(kNoJoinCode)) hello.code = options.join_code;
    hello.autofire = player_autofire(2);
    join_name_ = options.join_host;
    join_port_ = options.join_port;
    join_where_ = join_name_ + ":" + std::to_string(join_port_);
    // A seat kept from a game at this host: started again, this guest comes back.
    hello.token = read_seat(join_where_);
    hello.purpose = hello.token.empty() ? Purpose::Play : Purpose::ReturnAnew;
    Joining joining;
    std::unique_ptr<Transport> link =
        join_host(options.join_host, options.join_port, hello, data.entries, joining, error);
    if (!link) return false;
    const Welcome& welcome = joining.welcome;
    set_player_autofire(1, welcome.autofire);
    if (welcome.catch_up_through > 0) {
        // Its ship keeps the choice it had when the game began.
        set_player_autofire(2, welcome.guest_autofire);
        catch_up_through_ = welcome.catch_up_through;
        feed_ = std::make_unique<FeedQueue>();
    }
    if (!welcome.token.empty()) write_seat(join_where_, welcome.token);
    hello_ = hello;
    hello_.purpose = Purpose::ReturnRunning;
    hello_.token = welcome.token;
    // The host chose these for both games.
    options.seed = welcome.seed;
    options.seed_given = true;
    options.start_level = welcome.start_level;
    options.god = welcome.god;
    options.net_delay = welcome.delay;
    options.settings_from_host = true;
    if (catch_up_through_ > 0)
        std::printf("velmora: back in the game hosted at %s:%d; catching up through frame %ld\n",
                    options.join_host.c_str(), options.join_port, catch_up_through_);
    else
        std::printf("velmora: joined the game hosted at %s:%d (%s)\n", options.join_host.c_str(), options.join_port,
                    delay_notice(welcome.delay).c_str());
    std::fflush(stdout);
    start_session(Role::Guest, welcome.delay, std::move(link), false, options.headless, catch_up_through_);
    if (feed_) session_->set_feed(feed_.get());
    return true;
}

bool NetGame::watch(LaunchOptions& options, const std::string& data_dir, std::string& error) {
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    Hello hello = local_hello(data);
    if (normalized_join_code(options.join_code) != normalized_join_code(kNoJoinCode)) hello.code = options.join_code;
    hello.purpose = Purpose::Watch;
    Joining joining;
    watch_link_ = join_host(options.join_host, options.join_port, hello, data.entries, joining, error);
    if (!watch_link_) return false;
    const Welcome& welcome = joining.welcome;
    set_player_autofire(1, welcome.autofire);
    set_player_autofire(2, welcome.guest_autofire);
    options.seed = welcome.seed;
    options.seed_given = true;
    options.start_level = welcome.start_level;
    options.god = welcome.god;
    options.settings_from_host = true;
    catch_up_through_ = 0;
    role_ = Role::Guest;
    live_from_ = welcome.catch_up_through;  // the game's frame when it was let in
    feed_ = std::make_unique<FeedQueue>();
    watch_link_->set_silence_limit(kSpectatorSilenceMs);
    headless_ = options.headless;
    std::printf("velmora: watching the game hosted at %s:%d (at frame %ld)\n", options.join_host.c_str(),
                options.join_port, live_from_);
    std::fflush(stdout);
    return true;
}

void NetGame::set_fast(bool fast) {
    if (fast_ != nullptr) fast_->set_fast(fast);
}

void NetGame::end_watch(const std::string& text) {
    set_fast(false);
    std::fprintf(stderr, "velmora: watching over at frame %ld: %s (%ld state digests checked)\n", last_frame_,
                 text.c_str(), digests_checked_);
    if (note_sink_) note_sink_("watching over at frame " + std::to_string(last_frame_) + ": " + text);
    if (watch_link_) watch_link_->close();
    watch_link_.reset();
    feed_.reset();
    label_.clear();
    notice_ = text;
    notice_until_ms_ = steady_ms() + kEndNoticeMs;
    back_to_title_ = true;
}

void NetGame::pump_watch(int wait_ms) {
    // Once the host said goodbye, what it sent before is played out first.
    for (int wait = wait_ms; watch_link_ && watch_over_.empty(); wait = 0) {
        LinkEvent event = watch_link_->poll(wait);
        if (event.kind == LinkEvent::Kind::None) return;
        if (event.kind != LinkEvent::Kind::Received) {
            watch_over_ = "connection lost";
            return;
        }
        Message message;
        std::string error;
        if (!decode(event.bytes.data(), event.bytes.size(), message, error))
            return end_watch("the host sent a bad message (" + error + ")");
        if (const auto* feed = std::get_if<Feed>(&message)) {
            if (!feed_->add(*feed, error)) return end_watch("the host sent a bad message (" + error + ")");
        } else if (const auto* bye = std::get_if<Bye>(&message)) {
            watch_over_ = bye->reason == ByeReason::TooSlow ? "the host dropped this spectator: it fell too far behind"
                                                            : "the game is over";
        } else if (!std::holds_alternative<Input>(message)) {
            return end_watch("the host sent a message a spectator does not take");
        }
    }
}

void NetGame::watch_exchange(DirectDrawApp& app, long frame, std::vector<Event>& events) {
    if (frame == 1) {
        catch_up_started_ms_ = steady_ms();
        set_fast(true);
        label_ = "watching";
    }
    std::vector<Event> kept;
    bool quit = false;
    for (const Event& e : events) {
        if (e.type == EventType::Quit) quit = true;
        if (!travels(e)) kept.push_back(e);  // a spectator's own presses never reach the game
    }
    events = std::move(kept);
    if (quit) return end_watch("you stopped watching");
    pump_watch(0);
    const uint64_t start = steady_ms();
    bool shown = false;
    while (watch_link_ && !feed_->has(frame)) {
        if (!watch_over_.empty()) return end_watch(watch_over_);
        if (!watch_link_) return;  // ended while waiting
        pump_watch(kWaitSliceMs);
        Event e;
        while (platform::has_backend() && platform::backend().poll_event(e))
            if (e.type == EventType::Quit) return end_watch("you stopped watching");
        if (!shown && steady_ms() - start >= kWaitingNoticeMs) {
            shown = true;
            if (app.ddwin != nullptr) show_notice(*app.ddwin, "waiting for the game");
        }
    }
    if (!watch_link_) return;
    const long behind = feed_->through() - frame;
    if (catching_up_ && behind <= kLiveFrames && frame >= live_from_) {
        catching_up_ = false;
        set_fast(false);
        const double seconds = static_cast<double>(steady_ms() - catch_up_started_ms_) / 1000;
        note("watching live from frame " + std::to_string(frame) + " (caught up in " +
             std::to_string(seconds).substr(0, 5) + " s, " +
             std::to_string(static_cast<long>(seconds > 0 ? static_cast<double>(frame) / seconds : 0)) +
             " frames a second)");
    } else if (!catching_up_ && behind > kFallenBehindFrames) {
        catching_up_ = true;
        catch_up_started_ms_ = steady_ms();
        live_from_ = feed_->through();
        set_fast(true);
        note("fell " + std::to_string(behind) + " frames behind at frame " + std::to_string(frame) + "; catching up");
    }
    std::vector<Event> played = feed_->take(frame);
    events.insert(events.begin(), played.begin(), played.end());
    // Now and then, never more than 20 a second (the host drops a chatty spectator).
    const uint64_t since = steady_ms() - progress_sent_ms_;
    if ((frame - progress_sent_ >= (catching_up_ ? 64 : kDigestInterval) && since >= 50) || since >= 250) {
        watch_link_->send(encode(Progress{static_cast<uint32_t>(frame)}), Delivery::Unreliable);
        progress_sent_ = frame;
        progress_sent_ms_ = steady_ms();
    }
    if (catching_up_ && app.ddwin != nullptr && !headless_backend() && steady_ms() >= next_progress_ms_) {
        next_progress_ms_ = steady_ms() + kProgressShownMs;
        if (fast_ != nullptr) fast_->show_next();
        const long target = std::max(live_from_, frame);
        show_progress_notice(*app.ddwin, "catching up with the game: frame " + std::to_string(frame) + " of " +
                                             std::to_string(target),
                             static_cast<double>(frame) / static_cast<double>(target));
    }
}

void NetGame::check_watched(const Velmora_Win& game, long frame) {
    uint64_t theirs = 0;
    if (frame % kDigestInterval != 0 || !feed_ || !feed_->digest(frame, theirs)) return;
    ++digests_checked_;
    if (theirs != play_state_digest(game)) end_watch("this game differs from the host's at frame " + std::to_string(frame));
}

std::unique_ptr<platform::Backend> NetGame::wrap_backend(std::unique_ptr<platform::Backend> backend) {
    if (!backend || backend->headless()) return backend;
    auto wrapped = std::make_unique<CatchUpBackend>(std::move(backend));
    fast_ = wrapped.get();
    return wrapped;
}

void NetGame::serve_return(long played, bool anew) {
    Welcome w = terms_.welcome;
    w.delay = static_cast<uint8_t>(session_->delay_after(played));
    w.autofire = player_autofire(1);
    w.guest_autofire = player_autofire(2);
    w.token = token_;
    w.catch_up_through = anew ? static_cast<uint32_t>(played) : 0;
    if (anew && (log_.full() || log_.through() < played)) {
        session_->send_message(Refuse{RefuseReason::HasGuest, "the game is too long to come back into"});
        session_->end_with("the other player came back started again, but the game is too long to catch up with");
        return;
    }
    session_->send_message(w);
    if (!anew) return;
    for (long f = 1; f <= played;) {
        const Feed feed = log_.feed(f, played);
        session_->send_message(feed);
        f += static_cast<long>(feed.frames.size());
    }
    note("the other player came back started again; it catches up through frame " + std::to_string(played));
}

void NetGame::log_frame(long frame, const std::vector<Event>& events) {
    if (role_ != Role::Host || log_.add(frame, events) || log_full_noted_) return;
    log_full_noted_ = true;
    note("the game's record is full at frame " + std::to_string(frame) +
         ": from now on a guest started again cannot come back");
}

void NetGame::catch_up(DirectDrawApp& app, long frame, std::vector<Event>& events) {
    if (frame == 1) {
        catch_up_started_ms_ = steady_ms();
        if (fast_ != nullptr) fast_->set_fast(true);
    }
    std::vector<Event> kept;
    for (const Event& e : events) {
        if (e.type == EventType::Quit) quit_ = true;
        if (!travels(e)) kept.push_back(e);
    }
    session_->pump(0);
    while (!quit_ && !feed_->has(frame) && !session_->over(frame)) {
        session_->pump(kWaitSliceMs);
        session_->keep_waiting();
        Event e;
        while (platform::has_backend() && platform::backend().poll_event(e))
            if (e.type == EventType::Quit) quit_ = true;
    }
    if (quit_ || session_->over(frame)) {
        if (quit_) session_->leave(ByeReason::Quit);
        if (fast_ != nullptr) fast_->set_fast(false);
        catch_up_through_ = 0;
        finish(frame);
        events = std::move(kept);
        return;
    }
    session_->keep_waiting();  // the host hears from it while it catches up
    events = feed_->take(frame);
    events.insert(events.end(), kept.begin(), kept.end());
    show_progress(app, frame);
}

void NetGame::show_progress(DirectDrawApp& app, long frame) {
    const uint64_t now = steady_ms();
    if (now < next_progress_ms_ || app.ddwin == nullptr || headless_backend()) return;
    next_progress_ms_ = now + kProgressShownMs;
    if (fast_ != nullptr) fast_->show_next();
    show_progress_notice(*app.ddwin, "catching up with the game: frame " + std::to_string(frame) + " of " +
                                         std::to_string(catch_up_through_),
                         static_cast<double>(frame) / static_cast<double>(catch_up_through_));
}

void NetGame::check_caught_up(const Velmora_Win& game, long frame) {
    uint64_t theirs = 0;
    if (frame % kDigestInterval == 0 && feed_->digest(frame, theirs) && theirs != play_state_digest(game)) {
        session_->end_with("this game differs from the host's at frame " + std::to_string(frame) +
                           " while catching up");
        return;
    }
    if (frame < catch_up_through_) return;
    if (fast_ != nullptr) fast_->set_fast(false);
    const double seconds = static_cast<double>(steady_ms() - catch_up_started_ms_) / 1000;
    note("caught up with the game at frame " + std::to_string(frame) + " in " + std::to_string(seconds).substr(0, 5) +
         " s (" + std::to_string(static_cast<long>(seconds > 0 ? static_cast<double>(frame) / seconds : 0)) +
         " frames a second)");
    feed_.reset();
    session_->set_feed(nullptr);
}

void NetGame::wait_away(DirectDrawApp& app, uint64_t& next_shown) {
    const uint64_t waited = session_->away_for_ms();
    Event e;
    while (platform::has_backend() && platform::backend().poll_event(e)) {
        if (e.type == EventType::Quit && !quit_) {
            quit_ = true;
            session_->end_wait();
            return;
        }
        // Escape on the host gives up the wait, and the game with it.
        if (role_ == Role::Host && e.type == EventType::KeyDown && e.vkey == 0x1B) {
            session_->end_wait();
            return;
        }
    }
    if (steady_ms() >= next_shown) {
        const uint64_t limit = session_->return_limit_ms();
        const long left = static_cast<long>((limit - std::min(waited, limit) + 999) / 1000);
        const std::string text = role_ == Role::Host
                                     ? "waiting for the other player to come back (" + std::to_string(left) + " s)"
                                     : "the connection dropped: coming back to the game (" + std::to_string(left) + " s)";
        if (next_shown == 0) note(role_ == Role::Host ? "the other player's connection dropped; waiting for it to come back"
                                                      : "the connection to the host dropped; coming back");
        if (app.ddwin != nullptr) show_notice(*app.ddwin, text + (role_ == Role::Host ? "\nEscape gives up" : ""));
        next_shown = steady_ms() + 250;
    }
    if (role_ == Role::Guest && steady_ms() >= next_attempt_ms_) {
        next_attempt_ms_ = steady_ms() + kComeBackGapMs;
        try_coming_back();
    }
    session_->keep_waiting();
    if (session_->away()) session_->pump(kWaitSliceMs);
}

void NetGame::try_coming_back() {
    Joining joining;
    std::string error;
    std::unique_ptr<Transport> link = join_host(join_name_, join_port_, hello_, {}, joining, error);
    if (link) {
        session_->replace_link(std::move(link));
        note("back in the game");
        return;
    }
    // The host is gone or will not have this guest: it holds the game, so
    // there is nothing to come back to.
    if (error.rfind("the host refused", 0) == 0 || error.rfind("no game is hosted", 0) == 0) {
        note("cannot come back: " + error);
        session_->end_wait();
    }
}

void NetGame::attach(DirectDrawApp& app) {
    app.exchange_input = [this, &app](long frame, std::vector<Event>& events) { exchange(app, frame, events); };
    auto previous_after = std::move(app.after_frame);
    app.after_frame = [this, &app, previous_after](long frame) {
        const bool go_on = !previous_after || previous_after(frame);
        after_frame(app, frame);
        return go_on;
    };
    if (session_) note(delay_notice(shown_delay_) + " from the start");
}

void NetGame::exchange(DirectDrawApp& app, long frame, std::vector<Event>& events) {
    last_frame_ = frame;
    if (watch_link_) return watch_exchange(app, frame, events);
    auto* game = dynamic_cast<Velmora_Win*>(app.ddwin);
    if (!session_) {
        // Over: a one-machine game. Play in progress goes to the title menu
        // (as Escape takes it there, so a recording holds it).
        if (back_to_title_ && game != nullptr) {
            if (game->game_state == kStatePlaying) {
                events.push_back(key(EventType::KeyDown, 0x1B));
                events.push_back(key(EventType::KeyUp, 0x1B));
                back_to_title_ = false;
            } else if (game->game_state < kStateNewGame || game->game_state > kStateLevelEnded) {
                back_to_title_ = false;  // not on the way into play either
            }
        }
        return;
    }

    if (catch_up_through_ > 0 && frame <= catch_up_through_) return catch_up(app, frame, events);

    std::vector<Event> local = std::move(carry_);
    carry_.clear();
    local.insert(local.end(), events.begin(), events.end());
    std::vector<Event> kept;      // what never leaves this machine
    std::vector<Event> outgoing;  // this side's input for frame + delay
    for (const Event& e : local) {
        if (e.type == EventType::Quit) {
            quit_ = true;
            kept.push_back(e);
        } else if (belongs_to(role_, e)) {
            // In order: once one waits for the next frame, the rest wait too.
            if (!carry_.empty() || outgoing.size() >= kMaxEventsPerFrame) carry_.push_back(e);
            else if (frame + session_->delay_at(frame) > kOpeningFrames) outgoing.push_back(e);
        } else if (!travels(e)) {
            kept.push_back(e);
        }
    }
    if (quit_) {
        session_->leave(ByeReason::Quit);
        finish(frame);
        events = std::move(local);
        return;
    }
    session_->send_input(frame, outgoing);
    show_delay(frame);
    session_->begin_frame(frame);
    await(app, frame);
    if (session_->over(frame)) {
        finish(frame);
        // From here on the local player's input goes straight to the game.
        events = std::move(outgoing);
        events.insert(events.end(), kept.begin(), kept.end());
        events.insert(events.end(), carry_.begin(), carry_.end());
        carry_.clear();
        return;
    }
    events = opening_input(frame);
    const bool menu_showing = game != nullptr && is_menu_screen(game->game_state);
    const std::vector<Event> played = session_->take(frame, menu_showing);
    events.insert(events.end(), played.begin(), played.end());
    log_frame(frame, events);
    if (role_ == Role::Host) session_->serve_audience(log_);
    events.insert(events.end(), kept.begin(), kept.end());
}

void NetGame::show_delay(long frame) {
    const int delay = session_->delay_at(frame);
    if (delay == shown_delay_) return;
    shown_delay_ = delay;
    const std::string text = delay_notice(delay);
    note(text + " from frame " + std::to_string(frame));
    if (notice_.empty() || notice_.rfind("input delay", 0) == 0) {
        notice_ = text;
        notice_until_ms_ = steady_ms() + kDelayNoticeMs;
    }
}

void NetGame::await(DirectDrawApp& app, long frame) {
    session_->pump(0);
    if (session_->ready(frame) || session_->over(frame)) return;
    const uint64_t start = steady_ms();
    bool notice_shown = false;
    uint64_t away_shown = 0;
    while (!session_->ready(frame) && !session_->over(frame)) {
        if (role_ == Role::Host) session_->serve_audience(log_);  // spectators catch up meanwhile
        if (session_->away()) {
            wait_away(app, away_shown);
            continue;
        }
        session_->pump(kWaitSliceMs);
        session_->keep_waiting();
        // The window stays alive: what the player does now is input for later.
        Event e;
        while (platform::has_backend() && platform::backend().poll_event(e)) {
            carry_.push_back(e);
            if (e.type == EventType::Quit && !quit_) {
                quit_ = true;
                session_->leave(ByeReason::Quit);
            }
        }
        if (!notice_shown && steady_ms() - start >= kWaitingNoticeMs) {
            notice_shown = true;
            ++waiting_notices_;
            if (app.ddwin != nullptr) show_notice(*app.ddwin, "waiting for the other player");
        }
    }
}

void NetGame::finish(long frame) {
    std::string text = quit_ ? "you left the game" : session_->ending_text();
    const Ending ending = session_->ending();
    if (ending == Ending::Desync || ending == Ending::OutOfStep) {
        // The other side sends its state as soon as it sees the difference.
        for (const uint64_t until = steady_ms() + kStateWaitMs;
             session_->remote_state().empty() && steady_ms() < until;)
            session_->pump(kWaitSliceMs);
        const std::string dir = config_directory();
        const auto written = write_desync_states(dir, session_->desync_frame(), role_, session_->local_state(),
                                                 session_->remote_state());
        text += written.empty() ? " (the states could not be saved)" : "; the states are in " + dir;
    }
    if (role_ == Role::Guest) forget_seat();  // the game is over: nothing to come back to
    catch_up_through_ = 0;
    if (fast_ != nullptr) fast_->set_fast(false);
    std::fprintf(stderr, "velmora: network game over: %s\n", text.c_str());
    report(frame);
    if (note_sink_) note_sink_("network game over at frame " + std::to_string(frame) + ": " + text);
    if (role_ == Role::Host) session_->end_audience(log_);  // every frame played, then goodbye
    session_.reset();  // says goodbye if the connection still stands
    if (quit_) return;
    notice_ = text;
    notice_until_ms_ = steady_ms() + kEndNoticeMs;
    back_to_title_ = true;
}

void NetGame::after_frame(DirectDrawApp& app, long frame) {
    const auto* game = dynamic_cast<const Velmora_Win*>(app.ddwin);
    if (watch_link_ && game != nullptr) check_watched(*game, frame);
    // The host is done and this was its last frame: the next one would be
    // played without the game's input, so the watch ends before it.
    if (watch_link_) {
        pump_watch(0);
        if (watch_link_ && !watch_over_.empty() && !feed_->has(frame + 1)) end_watch(watch_over_);
    }
    if (session_ && game != nullptr) {
        if (frame == nudge_frame_) nudge_a_sprite(frame);
        if (catch_up_through_ > 0 && frame <= catch_up_through_) {
            check_caught_up(*game, frame);
        } else {
            session_->after_frame(
                frame,
                [this, game, frame] {
                    const uint64_t digest = play_state_digest(*game);
                    if (role_ == Role::Host) log_.add_digest(frame, digest);
                    return digest;
                },
                [game] { return play_state_text(*game); });
        }
        session_->pump(0);
        if (game->game_state == kStateQuit && !quit_) {
            // Chosen on the title menu, so both games quit together.
            std::fprintf(stderr, "velmora: network game over: the host chose Quit\n");
            quit_ = true;
        }
        const Ending ending = session_->ending();
        if (ending == Ending::Desync || ending == Ending::OutOfStep) finish(frame);
    }
    update_overlay(app);
}

void NetGame::update_overlay(DirectDrawApp& app) {
    if (role_ == Role::Host && session_) {
        const size_t watching = session_->watching();
        label_ = watching == 0 ? std::string() : std::to_string(watching) + " watching";
    } else if (role_ == Role::Host) {
        label_.clear();
    }
    if (app.ddwin == nullptr || headless_backend()) return;
    // A notice goes over every picture shown for a while; the label stays.
    if (!notice_.empty() && steady_ms() >= notice_until_ms_) notice_.clear();
    DirectDrawWin* window = app.ddwin;
    if (notice_.empty() && label_.empty()) {
        overlay_.release(*window);
    } else {
        overlay_.take(*window, [this, window](Surface& picture) {
            if (!label_.empty()) draw_label(*window, picture, label_);
            if (!notice_.empty()) draw_notice(*window, picture, notice_);
        });
    }
}

}  // namespace net
