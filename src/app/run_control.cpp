#include "app/run_control.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "app/Velmora_Win.h"
#include "app/state_dump.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "display/screenshot.h"

namespace {
using platform::Event;
using platform::EventType;

// A whole number in [low, high]: decimal, or hexadecimal after "0x" when allowed.
bool parse_int(const std::string& text, long low, long high, bool allow_hex, long& out) {
    if (text.empty() || text.size() > 24) return false;
    int base = 10;
    size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (allow_hex && text.size() > start + 2 && text[start] == '0' &&
        (text[start + 1] == 'x' || text[start + 1] == 'X')) {
        base = 16;
        start += 2;
    }
    if (start >= text.size()) return false;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = (c >= '0' && c <= '9') ||
                           (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        if (!digit) return false;
    }
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, base);
    if (errno == ERANGE || end == nullptr || *end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

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
        if (!parse_int(t[3], 0, 255, true, v)) return "bad key code '" + t[3] + "' (0..255)";
        e.vkey = static_cast<int>(v);
        if (n == 5 && e.type == EventType::KeyDown && t[4] == "repeat") e.repeat = true;
        else if (n != 4) return "unexpected text after the key code";
        return {};
    }
    if (kind == "mouse") {
        if (n >= 3 && t[2] == "move") {
            if (n != 5) return "expected 'mouse move DX DY'";
            long dx = 0, dy = 0;
            if (!parse_int(t[3], -kMaxMotion, kMaxMotion, false, dx) ||
                !parse_int(t[4], -kMaxMotion, kMaxMotion, false, dy))
                return "bad mouse motion (each -100000..100000)";
            e.type = EventType::MouseMotion;
            e.dx = static_cast<int>(dx);
            e.dy = static_cast<int>(dy);
            return {};
        }
        if (n >= 3 && t[2] == "button") {
            if (n != 5) return "expected 'mouse button N down|up'";
            if (!parse_int(t[3], 0, 31, false, v)) return "bad button number '" + t[3] + "' (0..31)";
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

std::vector<std::string> tokens_of(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line.substr(0, line.find('#')));
    std::string token;
    while (in >> token) out.push_back(token);
    return out;
}
}  // namespace

bool parse_input_script(std::istream& in, std::vector<ScriptedEvent>& out, std::string& error) {
    out.clear();
    std::string line;
    long number = 0;
    bool header_seen = false;
    while (std::getline(in, line)) {
        ++number;
        const std::vector<std::string> t = tokens_of(line);
        if (!header_seen) {
            header_seen = true;
            if (t.size() == 2 && t[0] == "velmora-input") {
                if (t[1] == "1") continue;
                error = "line 1: unsupported input format version '" + t[1] + "'";
                return false;
            }
            error = "line 1: expected '" + std::string(kInputScriptHeader) + "'";
            return false;
        }
        if (t.empty()) continue;
        ScriptedEvent s;
        if (!parse_int(t[0], 1, INT_MAX, false, s.frame)) {
            error = "line " + std::to_string(number) + ": bad frame number '" + t[0] + "'";
            return false;
        }
        const std::string problem = parse_event(t, s.event);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        out.push_back(s);
    }
    if (!header_seen) {
        error = "line 1: expected '" + std::string(kInputScriptHeader) + "'";
        return false;
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
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

bool RunControl::prepare(const LaunchOptions& options, std::string& error) {
    std::error_code ec;
    start_dir_ = std::filesystem::current_path(ec).string();
    screenshots_ = options.screenshots;
    dumps_ = options.dumps;
    frame_limit_ = options.frames;
    if (!options.input_file.empty()) {
        std::ifstream in(options.input_file);
        if (!in) {
            error = "cannot read input script '" + options.input_file + "'";
            return false;
        }
        std::string problem;
        if (!parse_input_script(in, script_, problem)) {
            error = options.input_file + ": " + problem;
            return false;
        }
    }
    if (!options.record_file.empty()) {
        recording_.open(options.record_file, std::ios::trunc);
        if (!recording_) {
            error = "cannot write recording '" + options.record_file + "'";
            return false;
        }
        recording_ << kInputScriptHeader << "\n";
        if (options.seed_given) recording_ << "# replay with --seed " << options.seed << "\n";
        recording_on_ = true;
    }
    return true;
}

void RunControl::attach(DirectDrawApp& app) {
    app.before_frame = [this, &app](long frame) { before_frame(app, frame); };
    app.after_frame = [this, &app](long frame) { return after_frame(app, frame); };
    app.on_event = [this](long frame, const Event& event) {
        if (event.type == EventType::Screenshot) screenshot_requested_ = true;
        record(frame, event);
    };
}

void RunControl::before_frame(DirectDrawApp& app, long frame) {
    while (next_event_ < script_.size() && script_[next_event_].frame < frame) ++next_event_;
    while (next_event_ < script_.size() && script_[next_event_].frame == frame)
        app.injected_events.push_back(script_[next_event_++].event);
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
    if (recording_on_) {
        recording_.flush();
        if (!recording_) {
            report("cannot write the recording");
            recording_on_ = false;
        }
    }
    return frame_limit_ <= 0 || frame < frame_limit_;
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
