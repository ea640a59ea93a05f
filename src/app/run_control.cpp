#include "app/run_control.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/autopilot.h"
#include "app/run_trace.h"
#include "app/state_digest.h"
#include "app/state_dump.h"
#include "behaviours/player_state.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "display/screenshot.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "state/world_list.h"
#include "util/digest.h"
#include "util/file_read.h"
#include "util/ranged_int.h"

namespace {

// An event line is a few dozen bytes; a script of one endless line is no script.
constexpr size_t kMaxInputScriptLine = 4096;

using platform::Event;
using platform::EventType;

std::string hex_key(int vkey) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(vkey) & 0xFFu);
    return buffer;
}

// Parses the tokens after the frame number. Returns an empty string on
// success, else what is wrong.
std::string parse_event(const std::vector<std::string>& t, Event& e) {
    constexpr long kMaxMotion = 100000;
    const size_t n = t.size();
    if (n < 2) return "missing event";
    const std::string& kind = t[1];
    long v = 0;
    if (kind == "key") {
        if (n < 4) return "expected 'key down|up CODE'";
        if (t[2] == "down") e.type = EventType::KeyDown;
        else if (t[2] == "up") e.type = EventType::KeyUp;
        else return "expected 'down' or 'up' after 'key'";
        if (!ranged_int::parse(t[3], 0, 255, v, true))
            return ranged_int::invalid_value(t[3], "the key code", ranged_int::range_text(0, 255));
        e.vkey = static_cast<int>(v);
        if (n == 5 && e.type == EventType::KeyDown && t[4] == "repeat") e.repeat = true;
        else if (n != 4) return "unexpected text after the key code";
        return {};
    }
    if (kind == "mouse") {
        if (n >= 3 && t[2] == "move") {
            if (n != 5) return "expected 'mouse move DX DY'";
            long dx = 0, dy = 0;
            const std::string& bad = !ranged_int::parse(t[3], -kMaxMotion, kMaxMotion, dx)   ? t[3]
                                     : !ranged_int::parse(t[4], -kMaxMotion, kMaxMotion, dy) ? t[4]
                                                                                              : std::string();
            if (!bad.empty())
                return ranged_int::invalid_value(bad, "the mouse motion", ranged_int::range_text(-kMaxMotion, kMaxMotion));
            e.type = EventType::MouseMotion;
            e.dx = static_cast<int>(dx);
            e.dy = static_cast<int>(dy);
            return {};
        }
        if (n >= 3 && t[2] == "button") {
            if (n != 5) return "expected 'mouse button N down|up'";
            if (!ranged_int::parse(t[3], 0, 31, v))
                return ranged_int::invalid_value(t[3], "the button number", ranged_int::range_text(0, 31));
            e.type = EventType::MouseButton;
            e.button = static_cast<int>(v);
            if (t[4] == "down") e.pressed = true;
            else if (t[4] == "up") e.pressed = false;
            else return "expected 'down' or 'up' after the button number";
            return {};
        }
        return "expected 'mouse move' or 'mouse button'";
    }
    if (kind == "quit") {
        if (n != 2) return "unexpected text after 'quit'";
        e.type = EventType::Quit;
        return {};
    }
    if (kind == "focus") {
        if (n != 3) return "expected 'focus lost|gained'";
        if (t[2] == "lost") e.type = EventType::FocusLost;
        else if (t[2] == "gained") e.type = EventType::FocusGained;
        else return "expected 'lost' or 'gained' after 'focus'";
        return {};
    }
    return "unknown event '" + kind + "'";
}

// The white-space separated words before a '#', into `out` (whose strings
// are reused from line to line: millions of lines are read).
void tokens_of(const std::string& line, std::vector<std::string>& out) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    const size_t end = std::min(line.find('#'), line.size());
    size_t n = 0;
    for (size_t i = 0; i < end;) {
        if (space(line[i])) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < end && !space(line[j])) ++j;
        if (n == out.size()) out.emplace_back();
        out[n++].assign(line, i, j - i);
        i = j;
    }
    out.resize(n);
}
}  // namespace

namespace {
// A settings line of a version-2 script; false with `problem` set when the
// line is a malformed setting, false with `problem` empty when it is no setting.
bool parse_setting(const std::vector<std::string>& t, ScriptSettings& settings, std::string& problem) {
    long v = 0;
    if (t[0] == "seed") {
        if (t.size() != 2) {
            problem = "expected 'seed S'";
            return false;
        }
        if (!ranged_int::parse(t[1], 0, UINT32_MAX, v)) {
            problem = ranged_int::invalid_value(t[1], "seed", ranged_int::range_text(0, UINT32_MAX));
            return false;
        }
        settings.seed_given = true;
        settings.seed = static_cast<uint32_t>(v);
        return true;
    }
    if (t[0] == "start-level") {
        if (t.size() != 2) {
            problem = "expected 'start-level N'";
            return false;
        }
        if (!ranged_int::parse(t[1], 1, world_list::kCount, v)) {
            problem = ranged_int::invalid_value(t[1], "start-level", "a level " + ranged_int::range_text(1, world_list::kCount));
            return false;
        }
        settings.start_level = static_cast<int>(v);
        return true;
    }
    if (t[0] == "god") {
        if (t.size() != 1) {
            problem = "unexpected text after 'god'";
            return false;
        }
        settings.god = true;
        return true;
    }
    if (t[0] == "network") {
        if (t.size() != 1) {
            problem = "unexpected text after 'network'";
            return false;
        }
        settings.network = true;
        return true;
    }
    if (t[0] == "autofire") {
        if (t.size() == 1) {
            settings.autofire[0] = settings.autofire[1] = true;
        } else if (t.size() == 2 && (t[1] == "1" || t[1] == "2")) {
            settings.autofire[t[1][0] - '1'] = true;
        } else {
            problem = "expected 'autofire', 'autofire 1' or 'autofire 2'";
            return false;
        }
        return true;
    }
    return false;
}

// "F clock US": the clock at the start of frame F, in microseconds.
std::string parse_clock(const std::vector<std::string>& t, uint64_t& clock_us) {
    if (t.size() != 3) return "expected 'clock US'";
    constexpr long long kMaxClockUs = 999999999999999999;  // 18 digits: over 30,000 years
    if (!ranged_int::parse(t[2], 0, kMaxClockUs, clock_us))
        return ranged_int::invalid_value(t[2], "the clock reading", "microseconds, " + ranged_int::range_text(0, kMaxClockUs));
    return {};
}
}  // namespace

ScriptedEvent ScriptedEvent::input(long frame, const Event& e) {
    ScriptedEvent s;
    s.frame_ = static_cast<int32_t>(frame);
    s.kind_ = static_cast<uint8_t>(e.type);
    s.code_ = static_cast<uint8_t>(e.type == EventType::MouseButton ? e.button : e.vkey);
    s.flags_ = static_cast<uint8_t>((e.repeat ? 1 : 0) | (e.pressed ? 2 : 0));
    s.a_ = e.dx;
    s.b_ = e.dy;
    return s;
}

ScriptedEvent ScriptedEvent::clock(long frame, uint64_t clock_us) {
    ScriptedEvent s;
    s.frame_ = static_cast<int32_t>(frame);
    s.kind_ = kClockKind;
    s.a_ = static_cast<int32_t>(static_cast<uint32_t>(clock_us));
    s.b_ = static_cast<int32_t>(static_cast<uint32_t>(clock_us >> 32));
    return s;
}

uint64_t ScriptedEvent::clock_us() const {
    return is_clock() ? uint64_t(static_cast<uint32_t>(b_)) << 32 | static_cast<uint32_t>(a_) : 0;
}

Event ScriptedEvent::event() const {
    Event e;
    if (is_clock()) return e;
    e.type = static_cast<EventType>(kind_);
    if (e.type == EventType::MouseButton) e.button = code_;
    else e.vkey = code_;
    e.repeat = (flags_ & 1) != 0;
    e.pressed = (flags_ & 2) != 0;
    e.dx = a_;
    e.dy = b_;
    return e;
}

bool parse_input_script(std::istream& in, InputScript& out, std::string& error) {
    ScriptSettings ignored;
    return parse_input_script(in, out, ignored, error);
}

bool parse_input_script(std::istream& in, InputScript& out, ScriptSettings& settings, std::string& error) {
    out.clear();
    settings = ScriptSettings{};
    std::string line;
    std::vector<std::string> t;
    long number = 0;
    int version = 0;
    uint64_t bytes = 0;
    while (std::getline(in, line)) {
        ++number;
        // A file that grows while it is read, or says it has no size.
        bytes += line.size() + 1;
        if (bytes > kMaxInputScriptBytes + 1) {
            error = "line " + std::to_string(number) + ": past the " + std::to_string(kMaxInputScriptBytes >> 20) +
                    " MiB an input script may have";
            return false;
        }
        tokens_of(line, t);
        if (version == 0) {
            if (t.size() == 2 && t[0] == "velmora-input") {
                if (t[1] == "1" || t[1] == "2" || t[1] == "3") {
                    version = t[1][0] - '0';
                    settings.version = version;
                    continue;
                }
                error = "line 1: unsupported input format version '" + t[1] + "'";
                return false;
            }
            error = "line 1: expected '" + std::string(kRecordingHeader) + "'";
            return false;
        }
        if (t.empty()) continue;
        const auto fail = [&](const std::string& problem) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        };
        if (version >= 2 && !t[0].empty() && (t[0][0] < '0' || t[0][0] > '9')) {
            std::string problem;
            if (t[0] == "network" && version < 3) return fail("'network' needs version 3");
            if (parse_setting(t, settings, problem)) {
                if (!out.empty()) return fail("settings come before the first event");
                continue;
            }
            if (!problem.empty()) return fail(problem);
        }
        long frame = 0;
        if (!ranged_int::parse(t[0], 1, INT_MAX, frame))
            return fail(ranged_int::invalid_value(t[0], "the frame number", "a frame from 1"));
        if (version >= 2 && t.size() >= 2 && t[1] == "clock") {
            uint64_t clock_us = 0;
            const std::string problem = parse_clock(t, clock_us);
            if (!problem.empty()) return fail(problem);
            out.push_back(ScriptedEvent::clock(frame, clock_us));
        } else {
            Event e;
            const std::string problem = parse_event(t, e);
            if (!problem.empty()) return fail(problem);
            out.push_back(ScriptedEvent::input(frame, e));
        }
    }
    if (version == 0) {
        error = "line 1: expected '" + std::string(kRecordingHeader) + "'";
        return false;
    }
    // Recordings are in order already; sorting them would need a copy.
    const auto by_frame = [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame() < b.frame(); };
    if (!std::is_sorted(out.begin(), out.end(), by_frame)) std::stable_sort(out.begin(), out.end(), by_frame);
    return true;
}

std::string format_input_event(long frame, const Event& e) {
    const std::string f = std::to_string(frame) + " ";
    switch (e.type) {
        case EventType::KeyDown:
            return f + "key down " + hex_key(e.vkey) + (e.repeat ? " repeat" : "");
        case EventType::KeyUp: return f + "key up " + hex_key(e.vkey);
        case EventType::MouseMotion:
            return f + "mouse move " + std::to_string(e.dx) + " " + std::to_string(e.dy);
        case EventType::MouseButton:
            return f + "mouse button " + std::to_string(e.button) + (e.pressed ? " down" : " up");
        case EventType::Quit: return f + "quit";
        case EventType::FocusLost: return f + "focus lost";
        case EventType::FocusGained: return f + "focus gained";
        default: return {};
    }
}

std::string format_clock_line(long frame, uint64_t clock_us) {
    return std::to_string(frame) + " clock " + std::to_string(clock_us);
}

RunControl::RunControl() = default;
RunControl::~RunControl() = default;

bool RunControl::prepare(LaunchOptions& options, std::string& error) {
    std::error_code ec;
    start_dir_ = std::filesystem::current_path(ec).string();
    const bool networked = options.host_port >= 0 || !options.join_host.empty();
    bool network_script = false;
    control_rules = ControlRules{};
    screenshots_ = options.screenshots;
    dumps_ = options.dumps;
    frame_limit_ = options.frames;
    if (!options.input_file.empty()) {
        file_read::InputFile in(options.input_file, kMaxInputScriptLine);
        if (!in.is_open()) {
            error = "cannot read input script '" + options.input_file + "': " + file_read::describe(in.error());
            return false;
        }
        // Refused before a line is read: parsing a script takes memory and
        // time in proportion to its size.
        if (in.size() > kMaxInputScriptBytes) {
            error = options.input_file + ": " + std::to_string(in.size()) + " bytes; an input script may have at most " +
                    std::to_string(kMaxInputScriptBytes) + " (" + std::to_string(kMaxInputScriptBytes >> 20) + " MiB)";
            return false;
        }
        std::string problem;
        ScriptSettings settings;
        const bool parsed = parse_input_script(in, script_, settings, problem);
        // The cut comes first: the lines before it may read well or badly.
        if (in.line_too_long()) problem = file_read::long_line_message(in.long_line(), in.max_line());
        if (!parsed || in.line_too_long()) {
            error = options.input_file + ": " + problem;
            return false;
        }
        // The command line wins: a replay may be run deliberately otherwise.
        // The host of a network game chose for both games: a guest's script is input only.
        if (options.settings_from_host) settings = ScriptSettings{};
        if (!options.seed_given && settings.seed_given) {
            options.seed = settings.seed;
            options.seed_given = true;
        }
        if (options.start_level == 0) options.start_level = settings.start_level;
        options.god = options.god || settings.god;
        // The events are the real presses; whether held fire tapped is the
        // recording's choice, whatever this machine's settings say, unless
        // the command line says otherwise. A guest's choice is its own.
        if (options.autofire < 0 && !options.settings_from_host) {
            set_player_autofire(1, settings.autofire[0]);
            set_player_autofire(2, settings.autofire[1]);
        }
        // An older recording replays by the rules it was made under. Both
        // machines of a network game play by today's, whatever they replay.
        if (settings.version < kRecordingVersion && !networked) {
            control_rules.keys_steer_player_one = false;
            control_rules.taps_held = false;
            recording_version_ = 2;
        }
        network_script = settings.network;
    }
    // A network game stays as it was: the guest's keys are player two's alone.
    if (networked || network_script) control_rules.keys_steer_player_one = false;
    if (!options.seed_given)
        options.seed = options.headless ? 1u : static_cast<uint32_t>(std::time(nullptr));
    start_level_ = options.start_level;
    stop_at_level_ = options.stop_at_level;
    if (options.autopilot != 0) autopilot_ = std::make_unique<Autopilot>(options.autopilot);

    if (!options.record_file.empty()) {
        recording_.open(options.record_file, std::ios::trunc);
        if (!recording_) {
            error = "cannot write recording '" + options.record_file + "'";
            return false;
        }
        // Whatever the run depended on besides its input goes first, so the
        // recording alone replays it.
        recording_settings_ = "seed " + std::to_string(options.seed) + "\n";
        if (options.start_level != 0)
            recording_settings_ += "start-level " + std::to_string(options.start_level) + "\n";
        if (options.god) recording_settings_ += "god\n";
        if (recording_version_ >= 3 && (networked || network_script)) recording_settings_ += "network\n";
        recording_on_ = true;
    }
    if (!options.digests_file.empty()) {
        digests_.open(options.digests_file, std::ios::binary | std::ios::trunc);
        if (!digests_) {
            error = "cannot write digests '" + options.digests_file + "'";
            return false;
        }
        digests_on_ = true;
    }
    if (!options.trace_file.empty()) {
        trace_ = std::make_unique<RunTrace>();
        if (!trace_->open(options.trace_file)) {
            error = "cannot write trace '" + options.trace_file + "'";
            return false;
        }
    }
    return true;
}

std::string autofire_setting_line() {
    const bool one = player_autofire(1), two = player_autofire(2);
    if (one && two) return "autofire";
    if (one) return "autofire 1";
    if (two) return "autofire 2";
    return {};
}

void RunControl::attach(DirectDrawApp& app) {
    if (recording_on_) {
        recording_ << "velmora-input " << recording_version_ << "\n" << recording_settings_;
        const std::string autofire = autofire_setting_line();
        if (!autofire.empty()) recording_ << autofire << "\n";
    }
    app.before_frame = [this, &app](long frame) { before_frame(app, frame); };
    app.after_frame = [this, &app](long frame) { return after_frame(app, frame); };
    app.on_event = [this](long frame, const Event& event) {
        if (event.type == EventType::Screenshot) screenshot_requested_ = true;
        record(frame, event);
    };
}

void RunControl::before_frame(DirectDrawApp& app, long frame) {
    auto* game = dynamic_cast<Velmora_Win*>(app.ddwin);
    while (next_event_ < script_.size() && script_[next_event_].frame() < frame) ++next_event_;
    while (next_event_ < script_.size() && script_[next_event_].frame() == frame) {
        const ScriptedEvent& s = script_[next_event_++];
        if (s.is_clock()) follow_recorded_clock(frame, s.clock_us());
        else app.injected_events.push_back(s.event());
    }
    record_clock(game, frame);
    if (game == nullptr) return;
    // A new game chose level 1 on the title menu; start it elsewhere instead.
    // Only the first game: a continue restarts the level that was lost.
    if (start_level_ != 0 && game->game_state == kStateNewGame) {
        currentlevel = start_level_;
        start_level_ = 0;
    }
    if (autopilot_) autopilot_->plan(*game, app.injected_events);
}

// The logo screens end after two seconds of the clock, so a live game's
// recording notes the clock while they show; a headless replay moves its
// virtual clock to the same readings and leaves them on the same frames.
void RunControl::record_clock(const Velmora_Win* game, long frame) {
    if (!recording_on_ || game == nullptr || game->game_state > kStateStudioLogo || !platform::has_backend()) return;
    recording_ << format_clock_line(frame, platform::backend().now_us()) << "\n";
}

void RunControl::follow_recorded_clock(long frame, uint64_t clock_us) {
    if (!platform::has_backend() || !platform::backend().headless()) return;  // real time cannot be set
    platform::Backend& clock = platform::backend();
    if (clock.now_us() <= clock_us) {
        clock.wait_until_us(clock_us);
    } else if (!clock_warned_) {
        clock_warned_ = true;
        std::fprintf(stderr, "velmora: frame %ld: the clock is past the recorded reading; the replay may differ\n",
                     frame);
    }
}

bool RunControl::level_limit_reached(const Velmora_Win* game) const {
    if (stop_at_level_ == 0 || game == nullptr) return false;
    if (game->game_state == kStateEnding) return true;  // the ending is "level 11"
    return game->game_state == kStatePlaying && game->loaded_level >= stop_at_level_;
}

bool RunControl::after_frame(DirectDrawApp& app, long frame) {
    DirectDrawWin* window = app.ddwin;
    for (const FrameFile& shot : screenshots_) {
        if (shot.frame != frame) continue;
        if (window == nullptr || window->primsurf == nullptr ||
            !save_surface_png(*window->primsurf, window->palette, shot.path))
            report("cannot write screenshot '" + shot.path + "'");
    }
    for (const FrameFile& dump : dumps_) {
        if (dump.frame != frame) continue;
        const auto* game = dynamic_cast<const Velmora_Win*>(window);
        if (game == nullptr || !write_state_dump(dump.path, *game, frame))
            report("cannot write state dump '" + dump.path + "'");
    }
    if (screenshot_requested_) save_requested_screenshot(app, frame);
    if (digests_on_) {
        if (const auto* game = dynamic_cast<const Velmora_Win*>(window); game != nullptr)
            digests_ << frame << ' ' << digest_hex(play_state_digest(*game)) << '\n';
        if (!digests_) {
            report("cannot write the digests");
            digests_on_ = false;
        }
    }
    if (recording_on_) {
        recording_.flush();
        if (!recording_) {
            report("cannot write the recording");
            recording_on_ = false;
        }
    }
    const auto* game = dynamic_cast<const Velmora_Win*>(window);
    const bool go_on = (frame_limit_ <= 0 || frame < frame_limit_) && !level_limit_reached(game);
    if (trace_) {
        if (game != nullptr) trace_->observe(*game, frame);
        if (!go_on || (window != nullptr && window->CloseMessagePosted())) trace_->finish(frame);
        if (!trace_->ok()) {
            report("cannot write the trace");
            trace_.reset();
        }
    }
    return go_on;
}

void RunControl::note(const std::string& text) {
    if (recording_on_) recording_ << "# " << text << "\n";
}

void RunControl::record(long frame, const Event& event) {
    if (!recording_on_) return;
    const std::string line = format_input_event(frame, event);
    if (!line.empty()) recording_ << line << "\n";
}

void RunControl::save_requested_screenshot(DirectDrawApp& app, long frame) {
    screenshot_requested_ = false;
    const DirectDrawWin* window = app.ddwin;
    if (window == nullptr || window->primsurf == nullptr) return;
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string path =
        (start_dir_.empty() ? std::string(".") : start_dir_) + "/velmora-" + stamp + "-" +
        std::to_string(frame) + ".png";
    // A picture taken by hand is a convenience: a failure is reported, not fatal.
    if (save_surface_png(*window->primsurf, window->palette, path))
        std::fprintf(stderr, "velmora: screenshot %s\n", path.c_str());
    else
        std::fprintf(stderr, "velmora: cannot write screenshot '%s'\n", path.c_str());
}

void RunControl::report(const std::string& what) {
    std::fprintf(stderr, "velmora: %s\n", what.c_str());
    all_written_ = false;
}
