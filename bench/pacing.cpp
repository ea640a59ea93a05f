// The real-time pacing run: the game on the SDL back end (dummy video driver
// or an X server), started into a world with both players firing (or left on
// the title menu), run for a while, with every frame's start time, every
// frame deadline's wake-up and the processor time recorded. `--wait` replaces
// the deadline wait by an earlier one, for comparison in the same
// conditions. Prints one line of key=value figures.
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/Velmora_App.h"
#include "app/Velmora_Win.h"
#include "app/game_states.h"
#include "app/globals.h"
#include "app/options.h"
#include "bench_registry.h"
#include "forwarding_backend.h"
#include "game_session.h"
#include "platform/platform.h"
#include "platform/renderer_choice.h"
#include "util/random.h"

namespace bench {
namespace {

constexpr double kNominalPeriodMs = 46.0;  // one play frame: the deadlines are this far apart
constexpr uint64_t kFrameWaitUs = 5000;    // waits longer than this are frame deadlines

// How the deadline is waited for: as the game does now, as it did before
// (relative sleeps to 1 ms before the deadline with the default timer slack,
// then a spin), or by spinning all the way.
enum class WaitKind { Shipped, Earlier, Spin };

struct PacingOptions {
    WaitKind wait = WaitKind::Shipped;
    bool menu = false;  // stay on the title menu instead of playing
    platform::RendererSetting renderer = platform::RendererSetting::Auto;
    double seconds = 20;
    int world = 1;
    std::string data;
    int scale = 1;
    bool fullscreen = false;
    long long launched_at_ns = 0;  // CLOCK_REALTIME when the process was launched, if known
    std::string trace;             // file for one line per measured frame
};

const char* const kUsage =
    "velmora_bench --pacing [--wait shipped|earlier|spin] [--menu] [--renderer R]\n"
    "              [--seconds S] [--world N] [--data DIR] [--scale N] [--fullscreen]\n"
    "              [--launched-at NS] [--trace FILE]\n"
    "Plays world N (default 1) in real time with both players firing and prints\n"
    "frame period, deadline wake-up and processor figures. --wait earlier waits\n"
    "as the game did before (relative sleeps, then 1 ms of spin), --wait spin\n"
    "spins all the way. --menu stays on the title menu instead. --renderer:\n"
    "auto, software or accelerated. --launched-at: CLOCK_REALTIME in ns when the\n"
    "process was started (date +%s%N), for the start-up figure. --trace: one line\n"
    "per measured frame: start (us), game state, then period, presenting and\n"
    "pausing time (ms).\n";

bool parse_wait(const std::string& text, WaitKind& out) {
    if (text == "shipped") out = WaitKind::Shipped;
    else if (text == "earlier") out = WaitKind::Earlier;
    else if (text == "spin") out = WaitKind::Spin;
    else return false;
    return true;
}

const char* wait_name(WaitKind kind) {
    switch (kind) {
        case WaitKind::Earlier: return "earlier";
        case WaitKind::Spin: return "spin";
        default: return "shipped";
    }
}

bool parse(int argc, char** argv, PacingOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool has_value = i + 1 < argc;
        if (a == "--wait" && has_value) {
            if (!parse_wait(argv[++i], o.wait)) return false;
        } else if (a == "--renderer" && has_value) {
            if (!platform::parse_renderer_setting(argv[++i], o.renderer)) return false;
        } else if (a == "--menu") o.menu = true;
        else if (a == "--fullscreen") o.fullscreen = true;
        else if (a == "--seconds" && has_value) o.seconds = std::atof(argv[++i]);
        else if (a == "--world" && has_value) o.world = std::atoi(argv[++i]);
        else if (a == "--data" && has_value) o.data = argv[++i];
        else if (a == "--scale" && has_value) o.scale = std::atoi(argv[++i]);
        else if (a == "--launched-at" && has_value) o.launched_at_ns = std::atoll(argv[++i]);
        else if (a == "--trace" && has_value) o.trace = argv[++i];
        else return false;
    }
    return o.seconds > 0 && o.world >= 1 && o.world <= 10 && o.scale >= 0;
}

struct Wait {
    uint64_t called = 0, deadline = 0, returned = 0;
};

long long realtime_ns() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

// The SDL back end, with every wait timed; the deadline wait may be replaced
// by an earlier kind (the frame's 1 ms pause stays a sleep, as it always was).
class MeasuredBackend final : public ForwardingBackend {
public:
    MeasuredBackend(std::unique_ptr<platform::Backend> inner, WaitKind wait)
        : ForwardingBackend(std::move(inner)), wait_(wait) {
        // The earlier wait ran with the kernel's default timer slack.
        if (wait_ == WaitKind::Earlier) prctl(PR_SET_TIMERSLACK, 0, 0, 0, 0);
    }

    std::vector<Wait> waits;
    bool recording = false;
    uint64_t present_us = 0, sleep_us = 0;  // time spent presenting and in pauses, running totals
    int presents = 0;
    long long first_present_realtime_ns = 0;

    void present(const void* p, int pitch, int w, int h, const platform::FrameFormat& f) override {
        const uint64_t t0 = inner().now_us();
        inner().present(p, pitch, w, h, f);
        present_us += inner().now_us() - t0;
        if (presents++ == 0) first_present_realtime_ns = realtime_ns();
    }
    void wait_until_us(uint64_t deadline) override {
        const uint64_t called = inner().now_us();
        switch (wait_) {
            case WaitKind::Spin:
                while (inner().now_us() < deadline) {
                }
                break;
            case WaitKind::Earlier:
                for (uint64_t t = inner().now_us(); t < deadline; t = inner().now_us())
                    if (deadline - t > kEarlierMarginUs)
                        std::this_thread::sleep_for(std::chrono::microseconds(deadline - t - kEarlierMarginUs));
                break;
            default:
                inner().wait_until_us(deadline);
        }
        if (recording) waits.push_back({called, deadline, inner().now_us()});
    }
    void sleep_until_us(uint64_t deadline) override {
        // The refresh wait of menu flips: the earlier kinds spun its end too.
        if (wait_ == WaitKind::Shipped) inner().sleep_until_us(deadline);
        else wait_until_us(deadline);
    }
    void sleep_ms(uint32_t ms) override {
        const uint64_t t0 = inner().now_us();
        inner().sleep_ms(ms);
        sleep_us += inner().now_us() - t0;
    }

private:
    static constexpr uint64_t kEarlierMarginUs = 1000;
    WaitKind wait_;
};

double cpu_seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The value below which `share` of the sorted values lie.
double percentile(std::vector<double> v, double share) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<size_t>(std::ceil(share * double(v.size()))) - 1;
    return v[std::min(i, v.size() - 1)];
}

double mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return v.empty() ? 0 : s / double(v.size());
}

struct FrameMark {
    uint64_t start_us = 0;
    int state = kStateStartUp;  // game state when the frame began
    uint64_t present_us = 0, sleep_us = 0;  // the back end's totals when the frame began
};

class PacingRun {
public:
    PacingRun(const PacingOptions& o, MeasuredBackend& backend) : o_(o), backend_(backend) {}

    void before_frame(long frame) {
        auto* win = dynamic_cast<Velmora_Win*>(theapp.ddwin);
        if (win == nullptr) return;
        const int measured_state = o_.menu ? kStateTitleMenu : kStatePlaying;
        if (o_.menu) {
            // After the first logo frame, straight to the title menu, untouched.
            if (frame == 3) win->game_state = kStateTitleMenu;
        } else if (frame == 3 || (frame > 3 && (win->game_state == kStateTitleMenu || win->game_state == kStateContinue))) {
            // After the first logo frame, straight into a two-player game.
            game_srand(kSeed);
            currentlevel = o_.world;
            player1 = player2 = true;
            win->game_state = kStateNewGame;
        }
        if (!o_.menu) {
            keycodes[4] = keycodes[13] = true;  // both players fire
            const bool up = (frame / 48) % 2 == 0;
            keycodes[10] = up;
            keycodes[12] = !up;
            g_themousebutton = true;
        }

        const uint64_t now = backend_.now_us();
        if (win->game_state == measured_state && !measuring_) {
            measuring_ = true;
            backend_.recording = true;
            play_start_us_ = now;
            cpu_main0_ = cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
            cpu_process0_ = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
        }
        if (measuring_) marks_.push_back({now, win->game_state, backend_.present_us, backend_.sleep_us});
        frame_state_ = win->game_state;
        frame_start_us_ = now;
    }

    bool after_frame(long frame) {
        const uint64_t now = backend_.now_us();
        if (frame == 2) {
            first_logo_us_ = now;
            first_logo_realtime_ns_ = realtime_ns();
            // SDL's name for what draws the window, and the GL string when OpenGL does,
            // without spaces so the line stays key=value.
            renderer_ = backend_.renderer_name();
            std::replace(renderer_.begin(), renderer_.end(), ' ', '_');
            if (renderer_.empty()) renderer_ = "none";
        }
        if (frame_state_ == kStateLoadLevel && load_ms_ < 0) load_ms_ = double(now - frame_start_us_) / 1000.0;
        if (!measuring_) return true;
        if (double(now - play_start_us_) < o_.seconds * 1e6) return true;
        play_end_us_ = now;
        cpu_main1_ = cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
        cpu_process1_ = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
        backend_.recording = false;
        return false;
    }

    void write_trace(const std::string& path) const {
        FILE* f = std::fopen(path.c_str(), "w");
        if (f == nullptr) return;
        for (size_t i = 0; i + 1 < marks_.size(); ++i) {
            const FrameMark& a = marks_[i];
            const FrameMark& b = marks_[i + 1];
            std::fprintf(f, "%llu %d %.3f %.3f %.3f\n", static_cast<unsigned long long>(a.start_us), a.state,
                         double(b.start_us - a.start_us) / 1000.0, double(b.present_us - a.present_us) / 1000.0,
                         double(b.sleep_us - a.sleep_us) / 1000.0);
        }
        std::fclose(f);
    }

    void report(long long main_entry_realtime_ns) const {
        std::vector<double> periods, jitter;
        for (size_t i = 0; i + 1 < marks_.size(); ++i) {
            if (o_.menu || marks_[i].state != kStatePlaying || marks_[i + 1].state != kStatePlaying) continue;
            const double p = double(marks_[i + 1].start_us - marks_[i].start_us) / 1000.0;
            periods.push_back(p);
            jitter.push_back(std::fabs(p - kNominalPeriodMs));
        }
        std::vector<double> late;
        for (const Wait& w : backend_.waits)
            if (w.deadline > w.called + kFrameWaitUs) late.push_back(double(w.returned - w.deadline) / 1000.0);
        // Each picture goes to the window as its frame's deadline wait
        // returns: the period a player sees runs from one return to the
        // next (the frame-start period above also carries the 1 ms pause
        // that follows the picture, a plain sleep that can oversleep).
        std::vector<double> shown;
        const Wait* before = nullptr;
        for (const Wait& w : backend_.waits) {
            if (w.deadline <= w.called + kFrameWaitUs) continue;
            if (before != nullptr && std::fabs(double(w.deadline - before->deadline) / 1000.0 - kNominalPeriodMs) < 0.5)
                shown.push_back(double(w.returned - before->returned) / 1000.0);
            before = &w;
        }
        const double wall = double(play_end_us_ - play_start_us_) / 1e6;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("mode=%s wait=%s renderer=%s frames=%zu period_mean_ms=%.3f period_p50_ms=%.3f period_p99_ms=%.3f "
                    "period_max_ms=%.3f jitter_mean_ms=%.3f jitter_p99_ms=%.3f "
                    "deadline_late_mean_ms=%.3f deadline_late_p99_ms=%.3f deadline_late_max_ms=%.3f "
                    "cpu_main_pct=%.2f cpu_process_pct=%.2f peak_rss_mb=%.1f level_load_frame_ms=%.1f "
                    "first_logo_since_main_ms=%.1f",
                    o_.menu ? "menu" : "play", wait_name(o_.wait), renderer_.c_str(), periods.size(), mean(periods),
                    percentile(periods, 0.5), percentile(periods, 0.99),
                    periods.empty() ? 0 : *std::max_element(periods.begin(), periods.end()), mean(jitter),
                    percentile(jitter, 0.99), mean(late), percentile(late, 0.99),
                    late.empty() ? 0 : *std::max_element(late.begin(), late.end()),
                    wall > 0 ? 100.0 * (cpu_main1_ - cpu_main0_) / wall : 0,
                    wall > 0 ? 100.0 * (cpu_process1_ - cpu_process0_) / wall : 0,
                    double(usage.ru_maxrss) / 1024.0, load_ms_,
                    double(first_logo_realtime_ns_ - main_entry_realtime_ns) / 1e6);
        std::printf(" shown_period_mean_ms=%.3f shown_period_p99_ms=%.3f shown_period_max_ms=%.3f", mean(shown),
                    percentile(shown, 0.99), shown.empty() ? 0 : *std::max_element(shown.begin(), shown.end()));
        if (o_.launched_at_ns > 0)
            std::printf(" first_present_since_launch_ms=%.1f first_logo_since_launch_ms=%.1f",
                        double(backend_.first_present_realtime_ns - o_.launched_at_ns) / 1e6,
                        double(first_logo_realtime_ns_ - o_.launched_at_ns) / 1e6);
        std::printf("\n");
    }

private:
    const PacingOptions& o_;
    MeasuredBackend& backend_;
    std::vector<FrameMark> marks_;
    bool measuring_ = false;
    uint64_t play_start_us_ = 0, play_end_us_ = 0;
    uint64_t frame_start_us_ = 0;
    int frame_state_ = 0;
    uint64_t first_logo_us_ = 0;
    long long first_logo_realtime_ns_ = 0;
    double load_ms_ = -1;
    std::string renderer_ = "none";
    double cpu_main0_ = 0, cpu_main1_ = 0, cpu_process0_ = 0, cpu_process1_ = 0;
};

}  // namespace

int run_pacing(int argc, char** argv) {
    const long long main_entry_ns = realtime_ns();
    PacingOptions o;
    if (!parse(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (o.data.empty()) o.data = data_dir();
    if (worlds_in(o.data).empty() || ::chdir(o.data.c_str()) != 0) {
        std::fprintf(stderr, "velmora_bench: no world levels in '%s'\n", o.data.c_str());
        return 1;
    }
    auto sdl = platform::make_sdl_backend();
    if (!sdl) {
        std::fprintf(stderr, "velmora_bench: %s\n", platform::kNoDisplayMessage);
        return 1;
    }
    auto measured = std::make_unique<MeasuredBackend>(std::move(sdl), o.wait);
    MeasuredBackend& backend = *measured;
    platform::install_backend(std::move(measured));

    LaunchOptions& launch = launch_options();
    launch.fullscreen = o.fullscreen;
    launch.scale = o.scale;
    launch.renderer = o.renderer;
    god_mode = true;
    game_srand(kSeed);

    PacingRun run(o, backend);
    theapp.before_frame = [&run](long frame) { run.before_frame(frame); };
    theapp.after_frame = [&run](long frame) { return run.after_frame(frame); };
    if (!theapp.InitInstance()) {
        theapp.ExitInstance();
        std::fprintf(stderr, "velmora_bench: the game did not start\n");
        return 1;
    }
    theapp.Run();
    run.report(main_entry_ns);
    if (!o.trace.empty()) run.write_trace(o.trace);
    return 0;
}

}  // namespace bench
