// `velmora_bench --blend-pictures`: the pictures smooth motion shows between
// two steps of a world, written as PNG files to look at. The world is played
// headless as the world benchmarks play it, with smooth motion on; at the
// chosen step the step before, the pictures at a quarter, a half and three
// quarters of the step, and the step's own are written.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Velmora_Win.h"
#include "app/motion_blend.h"
#include "app/options.h"
#include "bench_registry.h"
#include "display/screenshot.h"
#include "game_session.h"

namespace bench {
namespace {

const char* const kUsage =
    "velmora_bench --blend-pictures [--world N] [--step S] [--out DIR] [--data DIR]\n"
    "Plays world N (default 1) headless to step S (default 300) and writes\n"
    "DIR/step-before.png, DIR/blend-25.png, blend-50.png, blend-75.png and\n"
    "DIR/step.png: the step before, three pictures between, the step's own.\n";

}  // namespace

int run_blend_pictures(int argc, char** argv) {
    int world = 1;
    long step = 300;
    std::string out = ".";
    std::string data = data_dir();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        if (a == "--world") world = std::atoi(argv[++i]);
        else if (a == "--step") step = std::atol(argv[++i]);
        else if (a == "--out") out = argv[++i];
        else if (a == "--data") data = argv[++i];
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    // Headless runs draw the pictures between steps only when asked to.
    launch_options().motion = MotionMode::Smooth;
    launch_options().refresh_hz = 60;
    // Paths relative to where we were started: the session moves into the data.
    if (!out.empty() && out[0] != '/') {
        const char* pwd = std::getenv("PWD");
        if (pwd != nullptr) out = std::string(pwd) + "/" + out;
    }
    GameSession game(data);
    if (!game.start_level(world)) {
        std::fprintf(stderr, "velmora_bench: world %d did not load from '%s'\n", world, data.c_str());
        return 1;
    }
    while (game.playing() && game.frames_played() < step - 1) game.frame();
    Velmora_Win& win = game.window();
    bool ok = game.playing() && save_surface_png(*win.primsurf, win.palette, out + "/step-before.png");
    game.frame();
    if (!game.playing()) {
        std::fprintf(stderr, "velmora_bench: the level ended before step %ld\n", step);
        return 1;
    }
    // After the flip the step's own picture is the front; draw_picture draws
    // over the back buffer, so give it the step's picture again.
    *win.backsurf = *win.primsurf;
    for (int quarter = 1; quarter <= 3; ++quarter) {
        const Surface& picture = win.pictures.draw_picture(win, motion_blend::kWholeStep * quarter / 4);
        ok = ok && save_surface_png(picture, win.palette, out + "/blend-" + std::to_string(25 * quarter) + ".png");
    }
    ok = ok && save_surface_png(*win.primsurf, win.palette, out + "/step.png");
    std::printf("world %d step %ld: %zu sprites drawn, %zu of them blended; pictures in %s\n", world, step,
                win.pictures.playfield().sprites(), win.pictures.playfield().blended(), out.c_str());
    return ok ? 0 : 1;
}

}  // namespace bench
