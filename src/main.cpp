// Start-up: options, data directory, the platform back end, then the game.
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Velmora_App.h"
#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/choices.h"
#include "app/config.h"
#include "app/options.h"
#include "app/player_comforts.h"
#include "app/run_control.h"
#include "display/DirectDrawWin.h"
#include "net/find_game.h"
#include "net/net_game.h"
#include "platform/input_options.h"
#include "platform/platform.h"
#include "state/globals.h"
#include "tools/tool_commands.h"
#include "util/random.h"

namespace {
int fail(const std::string& message, int status) {
    std::fprintf(stderr, "velmora: %s\n", message.c_str());
    return status;
}

// A player who started the game from a desktop menu sees no terminal: an
// error that ends a start-up with a window also comes up in a message box.
int fail_where_seen(const std::string& message, bool headless) {
    if (headless) return fail(message, 1);
    std::unique_ptr<platform::Backend> backend = platform::make_sdl_backend();
    if (!backend) return fail(message, 1);
    backend->message_box("Velmora", message);  // also on standard error
    return 1;
}

// The installed data is read-only by policy (even for root), however it was named.
bool is_installed_data(const std::string& data, const std::string& share_dir) {
    std::error_code ec;
    return std::filesystem::equivalent(data, share_dir, ec) && !ec;
}

std::string executable_dir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// Output files named on the command line are relative to where the program
// was started, not to the data directory it changes into.
void make_absolute(std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (!ec) path = absolute.string();
}

// The installed data as seen from the program, so an installation moved
// elsewhere (or made with another prefix) still finds it; else where the build
// meant to install it.
std::string installed_share_dir(const std::string& exe_dir) {
#ifdef VELMORA_SHARE_FROM_BIN
    std::error_code ec;
    const std::filesystem::path beside = std::filesystem::path(exe_dir) / VELMORA_SHARE_FROM_BIN;
    if (!exe_dir.empty() && std::filesystem::is_directory(beside, ec)) return beside.lexically_normal().string();
#else
    (void)exe_dir;
#endif
    return VELMORA_SHARE_DIR;
}

// The player's own settings for a game in a window or on the screen; a
// headless run (tests, replays) reads and writes none of them.
Settings player_settings(int argc, char** argv, LaunchOptions& options, std::string& path) {
    if (options.headless) return {};
    path = config_file_path();
    prepare_settings_file(path);
    const Settings settings = load_settings(path);
    apply_settings(settings, options_given(argc, argv), options);
    // Choices made in the game (options, keys, Alt+Enter, the display chooser) are written there at once.
    choices() = settings;
    set_choices_file(path);
    return settings;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string exe_dir = executable_dir();
    const DataDirPlaces places{std::getenv("VELMORA_DATA"), exe_dir, installed_share_dir(exe_dir)};
    int tool_status = 0;
    if (run_tool_command(argc, argv, places, tool_status)) return tool_status;

    LaunchOptions& options = launch_options();
    std::string error;
    if (!parse_launch_options(argc, argv, options, error))
        return fail(error + "\nTry 'velmora --help'.", 2);
    if (options.help) {
        std::fputs(launch_usage().c_str(), stdout);
        const std::string settings_file = config_file_path();
        std::printf("\n%s\nSettings: %s\n  (the options screen writes its choices there at once; options given on\n"
                    "  the command line win for their run)\n%s",
                    tool_usage().c_str(), settings_file.empty() ? "(no home directory)" : settings_file.c_str(),
                    settings_help().c_str());
        return 0;
    }
    if (options.version) {
        std::printf("velmora %s\n", VELMORA_VERSION);
        return 0;
    }

    // --join without an address: the game is looked for on the local network first.
    if (options.find_host && !net::choose_found_host(options, error)) return fail(error, 1);

    std::string config_path;
    const Settings settings = player_settings(argc, argv, options, config_path);
    platform::InputOptions input{settings.mouse_sensitivity, settings.controller, settings.controller_dead_zone};
    input.keys = settings.keys;
    platform::set_input_options(input);
    // An input script decides for its replay (RunControl); a network game
    // takes the other player's choice for their ship (NetGame).
    set_autofire(options.autofire >= 0 ? options.autofire == 1 : settings.autofire);

    const std::string data = find_data_dir(options, places, error);
    if (data.empty()) return fail_where_seen(error, options.headless);
    Velmora_Win::installed_data = is_installed_data(data, places.share_dir);
    for (FrameFile& f : options.screenshots) make_absolute(f.path);
    for (FrameFile& f : options.dumps) make_absolute(f.path);

    // A guest takes the seed and the test settings from the host before the
    // run is prepared; a host settles them first and starts listening (the guest
    // is awaited once the window is open).
    RunControl control;
    net::NetGame network;
    const bool networked = options.host_port >= 0 || !options.join_host.empty();
    if (!options.join_host.empty() && !network.join(options, data, error)) return fail(error, 1);
    if (!control.prepare(options, error)) return fail(error, 1);
    if (options.host_port >= 0 && !network.host(options, data, error)) return fail(error, 1);
    if (::chdir(data.c_str()) != 0)
        return fail_where_seen("cannot enter the data directory '" + data + "': " + std::strerror(errno) +
                                   "; make it readable or name another with --data DIR",
                               options.headless);

    if (!options.headless) {
        // Said now, not first when the volumes cannot be saved at the end of a session.
        const std::string problem = settings_place_problem(config_path, Velmora_Win::prefs_path());
        if (!problem.empty()) {
            std::fprintf(stderr, "velmora: %s\n", problem.c_str());
            std::string sentence = problem + ".";
            sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
            post_settings_notice(sentence);
        }
    }

    std::unique_ptr<platform::Backend> backend =
        options.headless ? platform::make_headless_backend() : platform::make_sdl_backend();
    if (!backend) return fail(platform::kNoDisplayMessage, 1);
    // A guest or a spectator may have to catch up with the game before it shows it.
    if (!options.join_host.empty()) backend = network.wrap_backend(std::move(backend));
    platform::install_backend(std::move(backend));

    game_srand(options.seed);  // settled by prepare(): given, recorded, or the default
    god_mode = options.god;

    PlayerComforts comforts(settings);
    if (!theapp.InitInstance()) {
        // Cancelling the display chooser is the player's answer, not a failure.
        const bool declined = theapp.ddwin != nullptr && theapp.ddwin->quit_by_player;
        theapp.ExitInstance();
        return declined ? 0 : 1;
    }
    // A host waits for its guest with its window open (the join code shows
    // there); the recording's settings follow, once the guest's are known.
    if (options.host_port >= 0 && !network.wait_for_guest(theapp, error)) {
        theapp.ExitInstance();
        return error.empty() ? 0 : fail(error, 1);
    }
    control.attach(theapp);
    if (networked) {
        network.set_note_sink([&control](const std::string& text) { control.note(text); });
        network.attach(theapp);
    }
    comforts.attach(theapp);
    int status = theapp.Run();
    if (!control.all_written() && status == 0) status = 1;
    if (Velmora_Win::prefs_unsaved && status == 0) status = 1;
    return status;
}
