// Start-up: options, data directory, the platform back end, then the game.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Velmora_App.h"
#include "app/globals.h"
#include "app/options.h"
#include "app/run_control.h"
#include "platform/platform.h"
#include "util/random.h"

namespace {
int fail(const std::string& message, int status) {
    std::fprintf(stderr, "velmora: %s\n", message.c_str());
    return status;
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
}  // namespace

int main(int argc, char** argv) {
    LaunchOptions& options = launch_options();
    std::string error;
    if (!parse_launch_options(argc, argv, options, error))
        return fail(error + "\nTry 'velmora --help'.", 2);
    if (options.help) {
        std::fputs(launch_usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("velmora %s\n", VELMORA_VERSION);
        return 0;
    }

    const std::string data = find_data_dir(
        options, DataDirPlaces{std::getenv("VELMORA_DATA"), executable_dir(), VELMORA_SHARE_DIR},
        error);
    if (data.empty()) return fail(error, 1);
    for (FrameFile& f : options.screenshots) make_absolute(f.path);
    for (FrameFile& f : options.dumps) make_absolute(f.path);

    RunControl control;
    if (!control.prepare(options, error)) return fail(error, 1);
    if (::chdir(data.c_str()) != 0) return fail("cannot enter data directory '" + data + "'", 1);

    std::unique_ptr<platform::Backend> backend =
        options.headless ? platform::make_headless_backend() : platform::make_sdl_backend();
    if (!backend) return fail("no display back end is available (try --headless)", 1);
    platform::install_backend(std::move(backend));

    game_srand(options.seed);  // settled by prepare(): given, recorded, or the default
    god_mode = options.god;

    control.attach(theapp);
    if (!theapp.InitInstance()) {
        theapp.ExitInstance();
        return 1;
    }
    int status = theapp.Run();
    if (!control.all_written() && status == 0) status = 1;
    return status;
}
