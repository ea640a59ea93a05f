#include "app/options.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

#include "display/DirectDrawWin.h"
#include "net/discovery.h"
#include "net/join_code.h"
#include "net/message.h"
#include "state/world_list.h"
#include "util/ranged_int.h"

namespace {
constexpr long kMaxFrame = INT_MAX;

bool is_directory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Why `path` is no directory to play from.
std::string not_a_directory(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == EACCES ? "cannot be reached (permission)" : "does not exist";
    return "is not a directory";
}

// "N:PATH" with N a frame number.
bool parse_frame_file(const std::string& text, FrameFile& out) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size()) return false;
    if (!ranged_int::parse(std::string_view(text).substr(0, colon), 1, kMaxFrame, out.frame)) return false;
    out.path = text.substr(colon + 1);
    return true;
}

// Optional: only "--name=value" carries a value; "--name" alone takes none.
// NextOptional: as Optional, or the next argument when it is no option.
enum class Arg { None, Value, Optional, NextOptional };

struct OptionForm {
    const char* name;
    Arg arg;
};

constexpr OptionForm kOptionForms[] = {
    {"--help", Arg::None},       {"--version", Arg::None},    {"--data", Arg::Value},
    {"--windowed", Arg::None},   {"--fullscreen", Arg::None}, {"--scale", Arg::Value},
    {"--display", Arg::Value},   {"--scaling", Arg::Value},   {"--headless", Arg::None},
    {"--frames", Arg::Value},    {"--seed", Arg::Value},      {"--input", Arg::Value},
    {"--record", Arg::Value},    {"--screenshot", Arg::Value}, {"--dump-state", Arg::Value},
    {"--god", Arg::None},        {"--autopilot", Arg::Optional}, {"--start-level", Arg::Value},
    {"--stop-at-level", Arg::Value}, {"--trace", Arg::Value}, {"--autofire", Arg::Optional},
    {"--host", Arg::NextOptional}, {"--join", Arg::NextOptional}, {"--net-delay", Arg::Value},
    {"--code", Arg::Value},      {"--watch", Arg::Value},     {"--name", Arg::Value},
    {"--motion", Arg::Value},    {"--refresh", Arg::Value},   {"--digests", Arg::Value},
};

const OptionForm* find_option_form(const std::string& name) {
    for (const OptionForm& s : kOptionForms)
        if (name == s.name) return &s;
    return nullptr;
}

// "HOST" or "HOST:PORT".
bool parse_join(const std::string& value, LaunchOptions& o, std::string& error, const char* option = "--join") {
    const size_t colon = value.rfind(':');
    std::string host = value.substr(0, colon);
    long long port = net::kDefaultPort;
    if (host.empty() || (colon != std::string::npos && !ranged_int::parse(value.substr(colon + 1), 1, 65535, port))) {
        error = ranged_int::invalid_value(value, option, "HOST or HOST:PORT, PORT " + ranged_int::range_text(1, 65535));
        return false;
    }
    if (!o.join_host.empty()) {
        error = "--join and --watch cannot go together";
        return false;
    }
    o.join_host = host;
    o.join_port = static_cast<int>(port);
    return true;
}

bool apply(const std::string& name, const std::string& value, LaunchOptions& o, std::string& error) {
    auto bad = [&](const std::string& expected) {
        error = ranged_int::invalid_value(value, name, expected);
        return false;
    };
    using ranged_int::range_text;
    if (name == "--help") o.help = true;
    else if (name == "--version") o.version = true;
    else if (name == "--data") {
        if (value.empty()) return bad("a directory");
        o.data_dir = value;
    } else if (name == "--windowed") o.fullscreen = false;
    else if (name == "--fullscreen") o.fullscreen = true;
    else if (name == "--scale") {
        if (!ranged_int::parse(value, 0, 16, o.scale)) return bad(range_text(0, 16));
    } else if (name == "--display") {
        if (!ranged_int::parse(value, 0, 63, o.display)) return bad(range_text(0, 63));
    } else if (name == "--scaling") {
        if (value == "auto") o.scaling = platform::Scaling::Auto;
        else if (value == "integer") o.scaling = platform::Scaling::Integer;
        else if (value == "fit") o.scaling = platform::Scaling::Fit;
        else if (value == "stretch") o.scaling = platform::Scaling::Stretch;
        else return bad("auto, integer, fit or stretch");
    } else if (name == "--motion") {
        if (!parse_motion_mode(value, o.motion)) return bad("smooth or original");
    } else if (name == "--refresh") {
        if (!ranged_int::parse(value, kMinRefreshHz, kMaxRefreshHz, o.refresh_hz))
            return bad("a refresh rate in Hz " + range_text(kMinRefreshHz, kMaxRefreshHz));
    } else if (name == "--headless") o.headless = true;
    else if (name == "--frames") {
        if (!ranged_int::parse(value, 1, kMaxFrame, o.frames)) return bad("a frame count from 1");
    } else if (name == "--seed") {
        if (!ranged_int::parse(value, 0, UINT32_MAX, o.seed)) return bad(range_text(0, UINT32_MAX));
        o.seed_given = true;
    } else if (name == "--input") {
        if (value.empty()) return bad("a file");
        o.input_file = value;
    } else if (name == "--record") {
        if (value.empty()) return bad("a file");
        o.record_file = value;
    } else if (name == "--screenshot" || name == "--dump-state") {
        FrameFile f;
        if (!parse_frame_file(value, f)) return bad("FRAME:PATH");
        (name == "--screenshot" ? o.screenshots : o.dumps).push_back(f);
    } else if (name == "--god") o.god = true;
    else if (name == "--autofire") {
        if (value.empty() || value == "yes") o.autofire = 1;
        else if (value == "no") o.autofire = 0;
        else return bad("yes or no");
    } else if (name == "--autopilot") {
        if (value.empty()) o.autopilot = 1;
        else if (!ranged_int::parse(value, 1, 2, o.autopilot)) return bad("1 or 2 players");
    } else if (name == "--start-level") {
        if (!ranged_int::parse(value, 1, world_list::kCount, o.start_level))
            return bad("a level " + range_text(1, world_list::kCount));
    } else if (name == "--stop-at-level") {
        if (!ranged_int::parse(value, 1, world_list::kEndingLevel, o.stop_at_level))
            return bad("a level " + range_text(1, world_list::kEndingLevel) + " (" +
                       std::to_string(world_list::kEndingLevel) + ": the ending)");
    } else if (name == "--trace") {
        if (value.empty()) return bad("a file");
        o.trace_file = value;
    } else if (name == "--digests") {
        if (value.empty()) return bad("a file");
        o.digests_file = value;
    } else if (name == "--host") {
        if (value.empty()) o.host_port = net::kDefaultPort;
        else if (!ranged_int::parse(value, 0, 65535, o.host_port))
            return bad("a UDP port " + range_text(0, 65535) + ", 0 for any free one");
    } else if (name == "--join") {
        if (value.empty()) {
            if (!o.join_host.empty()) return bad("one address, or none to look on the local network");
            o.find_host = true;
            return true;
        }
        return parse_join(value, o, error);
    } else if (name == "--name") {
        if (value.empty() || value.size() > net::kMaxHostNameBytes ||
            !std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c <= 0x7E; }))
            return bad("a name of printable characters, at most " + std::to_string(net::kMaxHostNameBytes));
        o.host_name = value;
    } else if (name == "--watch") {
        o.watch = true;
        return parse_join(value, o, error, "--watch");
    } else if (name == "--net-delay") {
        if (!ranged_int::parse(value, 0, kMaxNetDelay, o.net_delay))
            return bad(range_text(0, kMaxNetDelay) + " frames");
    } else if (name == "--code") {
        if (!net::valid_join_code(value))
            return bad("a join code of letters, digits and '-' (at most " + std::to_string(net::kMaxCodeBytes) +
                       "), or none");
        o.join_code = value;
    }
    return true;
}

// The options of a network game that cannot go together.
bool check_network_options(const LaunchOptions& o, std::string& error) {
    const bool hosting = o.host_port >= 0, joining = !o.join_host.empty() || o.find_host;
    if (hosting && joining) error = o.watch ? "--host and --watch cannot go together" : "--host and --join cannot go together";
    else if (joining && o.net_delay >= 0) error = "the host chooses the input delay: give --net-delay to --host";
    else if (joining && (o.seed_given || o.start_level != 0 || o.god))
        error = "the host chooses the seed, the start level and god mode: give them to --host";
    else if (!hosting && o.net_delay >= 0) error = "--net-delay goes with --host";
    else if (!hosting && !joining && !o.join_code.empty()) error = "--code goes with --host, --join or --watch";
    else if (o.find_host && !o.join_host.empty()) error = "--join and --watch cannot go together";
    else if (!hosting && !o.host_name.empty()) error = "--name goes with --host";
    return error.empty();
}
}  // namespace

bool parse_launch_options(int argc, const char* const* argv, LaunchOptions& out,
                          std::string& error) {
    LaunchOptions o;
    for (int i = 1; i < argc; ++i) {
        if (argv == nullptr || argv[i] == nullptr) break;
        std::string arg = argv[i];
        std::string value;
        bool inline_value = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            inline_value = true;
        }
        const OptionForm* form = find_option_form(arg);
        if (form == nullptr) {
            error = arg.rfind("-", 0) == 0 ? "unknown option '" + arg + "'"
                                           : "unexpected argument '" + arg + "'";
            return false;
        }
        if (form->arg == Arg::None && inline_value) {
            error = arg + " takes no value";
            return false;
        }
        if (form->arg == Arg::NextOptional && !inline_value && i + 1 < argc && argv[i + 1] != nullptr &&
            argv[i + 1][0] != '-')
            value = argv[++i];
        if ((form->arg == Arg::Optional || form->arg == Arg::NextOptional) && inline_value && value.empty()) {
            error = arg + "= needs a value after the '='";
            return false;
        }
        if (form->arg == Arg::Value && !inline_value) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!apply(arg, value, o, error)) return false;
    }
    if (o.autopilot != 0 && !o.input_file.empty()) {
        error = "--autopilot and --input both supply the input; use one";
        return false;
    }
    if (!check_network_options(o, error)) return false;
    out = std::move(o);
    return true;
}

std::string launch_usage() {
    return "Usage: velmora [options]\n"
           "\n"
           "  --help                 show this text and exit\n"
           "  --version              show the version and exit\n"
           "  --data DIR             the game's data directory (default: $VELMORA_DATA,\n"
           "                         else data/ beside the program, else the installed data)\n"
           "  --windowed             play in a window\n"
           "  --fullscreen           play full screen (the default)\n"
           "  --scale N              window scale 1..16; 0 picks the largest that fits\n"
           "  --display N            the display to use (0 is the first)\n"
           "  --scaling MODE         auto (the default: whole multiples when they nearly\n"
           "                         fill the screen, else fit), integer, fit or stretch\n"
           "  --motion MODE          smooth (the default: a picture at every refresh of the\n"
           "                         display, moving things placed between game steps) or\n"
           "                         original (one picture per game step); play is the same\n"
           "  --refresh HZ           pace smooth pictures at HZ instead of the rate the\n"
           "                         display reports (60 when it reports none); headless,\n"
           "                         draw them (unseen) only when this is given\n"
           "\n"
           "Network play (docs/network.md):\n"
           "  --host [PORT]          wait for a second player to join over the network and\n"
           "                         play player one (UDP port, default 27183; 0 picks a\n"
           "                         free one and prints it)\n"
           "  --join [HOST[:PORT]]   join the game HOST hosts and play player two; without\n"
           "                         HOST, look for games on the local network\n"
           "  --name NAME            with --host: the name guests looking for a game see\n"
           "                         (default: the login name)\n"
           "  --code WORD            with --host: the join code the guest must give (default:\n"
           "                         a new one, printed and shown; none: any guest may join);\n"
           "                         with --join or --watch: the code the host shows\n"
           "  --watch HOST[:PORT]    watch the game HOST hosts, from its start to the live\n"
           "                         frame (up to 4 watch a game)\n"
           "  --net-delay N          with --host: a fixed input delay in frames, 0..10 (default:\n"
           "                         chosen from the round trip and adjusted during play)\n"
           "  --autofire[=yes|no]    a held fire control taps by itself (velmora.cfg's\n"
           "                         autofire, for this run; in a network game, for your ship)\n"
           "\n"
           "Testing aids:\n"
           "  --headless             no window, no sound device, a virtual clock\n"
           "  --frames N             stop after frame N (without quitting the game)\n"
           "  --seed S               seed of the game's random numbers (default 1 headless,\n"
           "                         the time otherwise)\n"
           "  --input FILE           replay input from FILE (see docs/input-format.md)\n"
           "  --record FILE          write the input of this run to FILE in the same format\n"
           "  --screenshot N:PATH    write the screen after frame N as PNG (repeatable)\n"
           "  --dump-state N:PATH    write the game state after frame N (repeatable)\n"
           "  --god                  the ships never lose shield energy\n"
           "  --autopilot[=N]        the game plays itself: through the menus, an N-player\n"
           "                         game (1 or 2, default 1), the continue screen and the\n"
           "                         ending, then quits; use with --headless for test runs\n"
           "  --start-level N        the first game starts at level N (" +
           ranged_int::range_text(1, world_list::kCount) +
           ")\n"
           "  --stop-at-level N      end the run when level N starts (" +
           std::to_string(world_list::kEndingLevel) +
           ": the ending)\n"
           "  --trace FILE           write the run's progress to FILE: levels started and\n"
           "                         ended, hits taken, sprite counts (docs/regression.md)\n"
           "  --digests FILE         write a digest of the whole play state after every\n"
           "                         frame to FILE (\"FRAME DIGEST\" lines): two runs in the\n"
           "                         same state give the same line\n"
           "\n"
           "Exit status: 0 on a normal end, 1 when the game cannot start or a requested\n"
           "file could not be written, 2 for a bad command line.\n";
}

std::string find_data_dir(const LaunchOptions& options, const DataDirPlaces& places,
                          std::string& error) {
    const char* env_value = places.env_value;
    const std::string& exe_dir = places.exe_dir;
    const std::string& share_dir = places.share_dir;
    if (!options.data_dir.empty()) {
        if (is_directory(options.data_dir)) return options.data_dir;
        error = "data directory '" + options.data_dir + "' (from --data) " + not_a_directory(options.data_dir) +
                "; name the directory that holds the game's Levels, Sound and MUSIC directories";
        return {};
    }
    if (env_value != nullptr && env_value[0] != '\0') {
        if (is_directory(env_value)) return env_value;
        error = "data directory '" + std::string(env_value) + "' (from VELMORA_DATA) " + not_a_directory(env_value) +
                "; set VELMORA_DATA to the directory that holds the game's Levels, Sound and MUSIC directories, "
                "or unset it";
        return {};
    }
    std::string tried;
    if (!exe_dir.empty()) {
        const std::string beside = exe_dir + "/data";
        if (is_directory(beside)) return beside;
        tried = beside + ", ";
    }
    if (is_directory(share_dir)) return share_dir;
    error = "no data directory found (tried " + tried + share_dir +
            "); reinstall the game, or name one with --data DIR or VELMORA_DATA";
    return {};
}

void apply_window_options(const LaunchOptions& options, DirectDrawWin& window) {
    window.preferred_display = options.display;
    window.start_fullscreen = options.fullscreen;
    window.window_scale = options.scale;
    window.scaling_mode = static_cast<int>(options.scaling);
    window.renderer = options.renderer;
}

LaunchOptions& launch_options() {
    static LaunchOptions options;
    return options;
}
