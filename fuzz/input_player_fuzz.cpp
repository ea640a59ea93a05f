// Input scripts played into the game: the script is read as --input reads
// it, and its events drive a headless game over a small complete data set
// (every world a short level of tiny sprites) until a little after its last
// event. The harness starts a one-player game once start-up is done, so the
// events steer ships, fire, pause, leave for the menus and click there.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/Velmora_App.h"
#include "app/Velmora_Win.h"
#include "app/options.h"
#include "app/run_control.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "unit/comforts_data_fixture.h"
#include "util/random.h"

namespace {

// Frames played after the script's last event, and at most (a few minutes
// of play; the fuzzer's pace falls with the length).
constexpr long kTailFrames = 60;
constexpr long kMaxFrames = 20000;
constexpr long kNewGameFrame = 2;  // after start-up, instead of the logos
constexpr int kNewGame = 6;

std::string prepare() {
    const std::string root = fuzz::scratch_dir() + "/player";
    if (!comforts_fixture::write_complete_data(root + "/data")) std::abort();
    // The settings and the preferences must never be the tester's own.
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    if (::chdir((root + "/data").c_str()) != 0) std::abort();
    platform::install_backend(platform::make_headless_backend());
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = prepare();
    const std::string script = root + "/script.txt";
    if (!fuzz::write_bytes(script, data, size)) std::abort();

    // The script's own length decides how long the game runs.
    long last_frame = 0;
    {
        std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
        InputScript events;
        std::string ignored;
        if (parse_input_script(text, events, ignored) && !events.empty()) last_frame = events.back().frame();
    }
    LaunchOptions options;
    options.headless = true;
    options.input_file = script;
    options.frames = std::min(last_frame + kTailFrames, kMaxFrames);
    options.seed = 1;
    options.seed_given = true;
    RunControl control;
    std::string error;
    if (!control.prepare(options, error)) {
        if (error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    reset_globals_to_program_start();
    game_srand(options.seed);
    god_mode = options.god;
    control.attach(theapp);
    const auto scripted_before = theapp.before_frame;
    theapp.before_frame = [&scripted_before](long frame) {
        auto* game = static_cast<Velmora_Win*>(theapp.ddwin);
        if (frame == kNewGameFrame && game->game_state < kNewGame) game->game_state = kNewGame;
        scripted_before(frame);
    };
    // The level and its definitions go while their window still exists.
    const auto scripted_after = theapp.after_frame;
    theapp.after_frame = [&scripted_after](long frame) {
        const bool go_on = scripted_after(frame);
        if (!go_on || theapp.ddwin->CloseMessagePosted()) {
            Sprite::destroy_level();
            Sprite::dumpall();
        }
        return go_on;
    };
    if (!theapp.InitInstance()) std::abort();
    theapp.Run();
    if (theapp.frames_run > options.frames) std::abort();
    theapp.before_frame = nullptr;
    theapp.after_frame = nullptr;
    theapp.on_event = nullptr;
    return 0;
}
