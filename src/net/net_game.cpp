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
#include "net/data_digest.h"
#include "net/join_code.h"
#include "net/screen_notice.h"
#include "net/session.h"
#include "sprites/Sprite.h"
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
constexpr int kStatePlaying = 8;
constexpr int kStateQuit = 14;

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
    if (session_) report(last_frame_);
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
}

void NetGame::note(const std::string& text) {
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    if (note_sink_) note_sink_(text);
}

void NetGame::start_session(Role role, int delay, std::unique_ptr<Transport> link, bool adaptive, bool headless) {
    role_ = role;
    headless_ = headless;
    session_ = std::make_unique<Session>(role, delay, std::move(link));
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
    start_session(Role::Host, arrival.delay, std::move(link), terms_.measure_delay, headless);
    return true;
}

bool NetGame::join(LaunchOptions& options, const std::string& data_dir, std::string& error) {
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    Hello hello = local_hello(data);
    if (normalized_join_code(options.join_code) != normalized_join_code(kNoJoinCode)) hello.code = options.join_code;
    hello.autofire = player_autofire(2);
    Joining joining;
    std::unique_ptr<Transport> link =
        join_host(options.join_host, options.join_port, hello, data.entries, joining, error);
    if (!link) return false;
    const Welcome& welcome = joining.welcome;
    set_player_autofire(1, welcome.autofire);
    // The host chose these for both games.
    options.seed = welcome.seed;
    options.seed_given = true;
    options.start_level = welcome.start_level;
    options.god = welcome.god;
    options.net_delay = welcome.delay;
    options.settings_from_host = true;
    std::printf("velmora: joined the game hosted at %s:%d (%s)\n", options.join_host.c_str(), options.join_port,
                delay_notice(welcome.delay).c_str());
    std::fflush(stdout);
    start_session(Role::Guest, welcome.delay, std::move(link), false, options.headless);
    return true;
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
    while (!session_->ready(frame) && !session_->over(frame)) {
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
    std::fprintf(stderr, "velmora: network game over: %s\n", text.c_str());
    report(frame);
    if (note_sink_) note_sink_("network game over at frame " + std::to_string(frame) + ": " + text);
    session_.reset();  // says goodbye if the connection still stands
    if (quit_) return;
    notice_ = text;
    notice_until_ms_ = steady_ms() + kEndNoticeMs;
    back_to_title_ = true;
}

void NetGame::after_frame(DirectDrawApp& app, long frame) {
    const auto* game = dynamic_cast<const Velmora_Win*>(app.ddwin);
    if (session_ && game != nullptr) {
        if (frame == nudge_frame_) nudge_a_sprite(frame);
        session_->after_frame(
            frame, [game] { return play_state_digest(*game); }, [game] { return play_state_text(*game); });
        session_->pump(0);
        if (game->game_state == kStateQuit && !quit_) {
            // Chosen on the title menu, so both games quit together.
            std::fprintf(stderr, "velmora: network game over: the host chose Quit\n");
            quit_ = true;
        }
        const Ending ending = session_->ending();
        if (ending == Ending::Desync || ending == Ending::OutOfStep) finish(frame);
    }
    // A notice goes over every picture shown for a while.
    if (!notice_.empty() && app.ddwin != nullptr && !headless_backend()) {
        if (steady_ms() >= notice_until_ms_) {
            notice_.clear();
            app.ddwin->overlay = nullptr;
        } else if (!app.ddwin->overlay) {
            DirectDrawWin* window = app.ddwin;
            app.ddwin->overlay = [this, window](Surface& picture) { draw_notice(*window, picture, notice_); };
        }
    }
}

}  // namespace net
