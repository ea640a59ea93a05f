#include "net/net_game.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/config.h"
#include "app/options.h"
#include "app/state_dump.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "net/agreement.h"
#include "net/enet_transport.h"
#include "net/screen_notice.h"
#include "net/session.h"
#include "ui/menu_navigation.h"

namespace net {
namespace {
using platform::Event;
using platform::EventType;

constexpr int kWaitSliceMs = 5;
constexpr uint64_t kWaitingNoticeMs = 500;
constexpr uint64_t kEndNoticeMs = 4000;
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
    if (!remote.empty() && write_text(theirs, remote)) written.push_back(theirs);
    return written;
}

NetGame::NetGame() = default;
NetGame::~NetGame() = default;

bool NetGame::host(const LaunchOptions& options, const std::string& data_dir, std::string& error) {
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    const int delay = options.net_delay >= 0 ? options.net_delay : kDefaultNetDelay;
    Welcome welcome;
    welcome.seed = options.seed;
    welcome.start_level = static_cast<uint8_t>(options.start_level);
    welcome.god = options.god;
    welcome.delay = static_cast<uint8_t>(delay);
    welcome.autofire = player_autofire(1);
    const auto listening = [](int port) {
        std::printf("velmora: hosting a network game on UDP port %d; waiting for a guest\n", port);
        std::fflush(stdout);
    };
    Hello guest;
    std::unique_ptr<Transport> link =
        wait_for_guest(options.host_port, local_hello(data), welcome, listening, guest, error);
    if (!link) return false;
    // Each player's own choice holds for their ship on both machines.
    set_player_autofire(2, guest.autofire);
    role_ = Role::Host;
    session_ = std::make_unique<Session>(Role::Host, delay, std::move(link));
    return true;
}

bool NetGame::join(LaunchOptions& options, const std::string& data_dir, std::string& error) {
    DataDigest data;
    if (!digest_data_dir(data_dir, data, error)) return false;
    Welcome welcome;
    Hello hello = local_hello(data);
    hello.autofire = player_autofire(2);
    std::unique_ptr<Transport> link = join_host(options.join_host, options.join_port, hello, welcome, error);
    if (!link) return false;
    set_player_autofire(1, welcome.autofire);
    // The host chose these for both games.
    options.seed = welcome.seed;
    options.seed_given = true;
    options.start_level = welcome.start_level;
    options.god = welcome.god;
    options.net_delay = welcome.delay;
    options.settings_from_host = true;
    std::printf("velmora: joined the game hosted at %s:%d (input delay %d frames)\n", options.join_host.c_str(),
                options.join_port, welcome.delay);
    std::fflush(stdout);
    role_ = Role::Guest;
    session_ = std::make_unique<Session>(Role::Guest, welcome.delay, std::move(link));
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
}

void NetGame::exchange(DirectDrawApp& app, long frame, std::vector<Event>& events) {
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
            else if (frame + session_->delay() > kOpeningFrames) outgoing.push_back(e);
        } else if (!travels(e)) {
            kept.push_back(e);
        }
    }
    if (quit_) {
        session_->leave(ByeReason::Quit);
        finish();
        events = std::move(local);
        return;
    }
    session_->send_input(frame, outgoing);
    await(app, frame);
    if (session_->over(frame)) {
        finish();
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

void NetGame::await(DirectDrawApp& app, long frame) {
    session_->pump(0);
    if (session_->ready(frame) || session_->over(frame)) return;
    const uint64_t start = steady_ms();
    bool notice_shown = false;
    while (!session_->ready(frame) && !session_->over(frame)) {
        session_->pump(kWaitSliceMs);
        session_->check_silence();
        // The window stays alive: what the player does now is input for later.
        Event e;
        while (platform::has_backend() && platform::backend().poll_event(e)) {
            carry_.push_back(e);
            if (e.type == EventType::Quit && !quit_) {
                quit_ = true;
                session_->leave(ByeReason::Quit);
            }
        }
        if (!notice_shown && steady_ms() - start >= kWaitingNoticeMs && app.ddwin != nullptr) {
            show_notice(*app.ddwin, "waiting for the other player");
            notice_shown = true;
        }
    }
}

void NetGame::finish() {
    std::string text = quit_ ? "you left the game" : session_->ending_text();
    if (session_->ending() == Ending::Desync) {
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
    session_.reset();  // says goodbye if the connection still stands
    if (quit_) return;
    notice_ = text;
    notice_until_ms_ = steady_ms() + kEndNoticeMs;
    back_to_title_ = true;
}

void NetGame::after_frame(DirectDrawApp& app, long frame) {
    const auto* game = dynamic_cast<const Velmora_Win*>(app.ddwin);
    if (session_ && game != nullptr) {
        session_->after_frame(frame, [game, frame] { return format_state_dump(*game, frame); });
        session_->pump(0);
        if (game->game_state == kStateQuit && !quit_) {
            // Chosen on the title menu, so both games quit together.
            std::fprintf(stderr, "velmora: network game over: the host chose Quit\n");
            quit_ = true;
        }
        if (session_->ending() == Ending::Desync) finish();
    }
    // The end's notice goes over every picture shown for a while.
    if (!notice_.empty() && app.ddwin != nullptr && !platform::backend().headless()) {
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
