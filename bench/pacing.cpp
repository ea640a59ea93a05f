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
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/Velmora_App.h"
#include "app/Velmora_Win.h"
#include "app/options.h"
#include "bench_registry.h"
#include "forwarding_backend.h"
#include "game_session.h"
#include "picture_probe.h"
#include "platform/platform.h"
#include "platform/renderer_choice.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
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
    MotionMode motion = MotionMode::Smooth;
    int refresh_hz = 0;            // --refresh of the game; 0: what the display says
    bool lag = false;              // measure how long a mouse movement takes to move the ship
    std::string motion_trace;      // file for one line per picture: where a scrolling sprite is
    int xserver_pid = 0;           // the X server, whose processor time is counted too
};

const char* const kUsage =
    "velmora_bench --pacing [--wait shipped|earlier|spin] [--menu] [--renderer R]\n"
    "              [--seconds S] [--world N] [--data DIR] [--scale N] [--fullscreen]\n"
    "              [--launched-at NS] [--trace FILE] [--motion M] [--refresh HZ]\n"
    "              [--lag] [--motion-trace FILE] [--xserver-pid PID]\n"
    "Plays world N (default 1) in real time with both players firing and prints\n"
    "frame period, deadline wake-up and processor figures. --wait earlier waits\n"
    "as the game did before (relative sleeps, then 1 ms of spin), --wait spin\n"
    "spins all the way. --menu stays on the title menu instead. --renderer:\n"
    "auto, software or accelerated. --launched-at: CLOCK_REALTIME in ns when the\n"
    "process was started (date +%s%N), for the start-up figure. --trace: one line\n"
    "per measured frame: start (us), game state, then period, presenting and\n"
    "pausing time (ms). --motion and --refresh are the game's options. --lag moves\n"
    "the mouse now and then (player one at rest, at a random moment of a step) and\n"
    "times the first picture in which the ship has moved. --motion-trace: one line\n"
    "per picture in play: time (us), a scrolling sprite's serial, its layer and the x its\n"
    "image is found at in the picture. --xserver-pid: the X server's processor\n"
    "time over the same seconds.\n";

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
        else if (a == "--motion" && has_value) {
            if (!parse_motion_mode(argv[++i], o.motion)) return false;
        } else if (a == "--refresh" && has_value) o.refresh_hz = std::atoi(argv[++i]);
        else if (a == "--lag") o.lag = true;
        else if (a == "--motion-trace" && has_value) o.motion_trace = argv[++i];
        else if (a == "--xserver-pid" && has_value) o.xserver_pid = std::atoi(argv[++i]);
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
    // Every picture handed to the window: its start and end, and its pixels
    // (16-bit pictures only) while it is handed over.
    std::function<void(const PresentedPicture&, uint64_t start_us, uint64_t end_us)> on_present;

    void present(const void* p, int pitch, int w, int h, const platform::FrameFormat& f) override {
        const uint64_t t0 = inner().now_us();
        inner().present(p, pitch, w, h, f);
        const uint64_t t1 = inner().now_us();
        present_us += t1 - t0;
        if (presents++ == 0) first_present_realtime_ns = realtime_ns();
        if (on_present && f.depth == 16) on_present({static_cast<const uint8_t*>(p), pitch, w, h}, t0, t1);
    }
    // A mouse movement made at `at_us`: read with the first events polled after it.
    void move_mouse_at(uint64_t at_us, int dx) {
        motion_at_us_ = at_us;
        motion_dx_ = dx;
        motion_waiting_ = true;
    }
    bool poll_event(platform::Event& e) override {
        if (motion_waiting_ && inner().now_us() >= motion_at_us_) {
            motion_waiting_ = false;
            e = platform::Event{};
            e.type = platform::EventType::MouseMotion;
            e.dx = motion_dx_;
            return true;
        }
        return inner().poll_event(e);
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
    uint64_t motion_at_us_ = 0;
    int motion_dx_ = 0;
    bool motion_waiting_ = false;
};

// Processor seconds a process has used (all its threads), from /proc.
double process_cpu_seconds(int pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) return 0;
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    // The fields after the command's name, which is in parentheses and may hold spaces.
    const char* p = std::strrchr(buffer, ')');
    if (p == nullptr) return 0;
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2) return 0;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

const Sprite* active_sprite_named(const char* name) {
    if (Sprite::list_of_active_sprites == nullptr) return nullptr;
    for (const Sprite* top : *Sprite::list_of_active_sprites)
        for (const Sprite* s = top; s != nullptr; s = s->nextchild)
            if (s->kind >= 1 && s->kind <= Sprite::list_of_master_sprite_names.size() &&
                Sprite::list_of_master_sprite_names[s->kind - 1] == name)
                return s;
    return nullptr;
}

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

// One picture handed to the window in play.
struct Shown {
    uint64_t start_us = 0, end_us = 0;
};

class PacingRun {
public:
    PacingRun(const PacingOptions& o, MeasuredBackend& backend) : o_(o), backend_(backend) {
        backend_.on_present = [this](const PresentedPicture& p, uint64_t t0, uint64_t t1) { on_present(p, t0, t1); };
        if (!o_.motion_trace.empty()) motion_trace_ = std::fopen(o_.motion_trace.c_str(), "w");
    }
    ~PacingRun() {
        backend_.on_present = nullptr;
        if (motion_trace_ != nullptr) std::fclose(motion_trace_);
    }
    PacingRun(const PacingRun&) = delete;
    PacingRun& operator=(const PacingRun&) = delete;

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
        playing_ = win->game_state == kStatePlaying;
        if (o_.lag && measuring_ && playing_) maybe_move_mouse(frame);
        if (!o_.menu) {
            keycodes[4] = keycodes[13] = true;  // both players fire
            const bool up = (frame / 48) % 2 == 0;
            keycodes[10] = up;
            keycodes[12] = !up;
            g_themousebutton = true;
        }

        frames_seen_ = frame;
        const uint64_t now = backend_.now_us();
        if (win->game_state == measured_state && !measuring_) {
            measuring_ = true;
            backend_.recording = true;
            play_start_us_ = now;
            cpu_main0_ = cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
            cpu_process0_ = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
            if (o_.xserver_pid > 0) cpu_server0_ = process_cpu_seconds(o_.xserver_pid);
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
        if (o_.xserver_pid > 0) cpu_server1_ = process_cpu_seconds(o_.xserver_pid);
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
        // Every picture in play, the in-between ones of smooth motion too.
        std::vector<double> intervals;
        for (size_t i = 1; i < pictures_.size(); ++i)
            intervals.push_back(double(pictures_[i].start_us - pictures_[i - 1].start_us) / 1000.0);
        std::printf(" motion=%s refresh_hz=%d pictures_per_s=%.2f picture_interval_mean_ms=%.3f "
                    "picture_interval_p01_ms=%.3f picture_interval_p50_ms=%.3f picture_interval_p99_ms=%.3f "
                    "picture_interval_max_ms=%.3f",
                    motion_mode_name(o_.motion), backend_.refresh_hz(), wall > 0 ? double(pictures_.size()) / wall : 0,
                    mean(intervals), percentile(intervals, 0.01), percentile(intervals, 0.5),
                    percentile(intervals, 0.99),
                    intervals.empty() ? 0 : *std::max_element(intervals.begin(), intervals.end()));
        if (o_.xserver_pid > 0)
            std::printf(" cpu_xserver_pct=%.2f", wall > 0 ? 100.0 * (cpu_server1_ - cpu_server0_) / wall : 0);
        if (o_.lag)
            std::printf(" lag_samples=%zu lag_untimed=%ld lag_mean_ms=%.1f lag_p50_ms=%.1f lag_p90_ms=%.1f lag_max_ms=%.1f",
                        lags_.size(), lags_unseen_, mean(lags_), percentile(lags_, 0.5), percentile(lags_, 0.9),
                        lags_.empty() ? 0 : *std::max_element(lags_.begin(), lags_.end()));
        if (o_.launched_at_ns > 0)
            std::printf(" first_present_since_launch_ms=%.1f first_logo_since_launch_ms=%.1f",
                        double(backend_.first_present_realtime_ns - o_.launched_at_ns) / 1e6,
                        double(first_logo_realtime_ns_ - o_.launched_at_ns) / 1e6);
        std::printf("\n");
    }

private:
    // Player one at rest since a few pictures: the mouse moves at a random
    // moment of the next step, left and right by turns.
    void maybe_move_mouse(long frame) {
        if (lag_waiting_ || frame < next_move_frame_ || still_pictures_ < 3) return;
        std::uniform_int_distribution<uint64_t> within_step(0, 45999);
        move_at_us_ = backend_.now_us() + within_step(random_);
        rest_x_ = ship_x_;
        lag_waiting_ = true;
        backend_.move_mouse_at(move_at_us_, move_right_ ? kMouseStep : -kMouseStep);
        move_right_ = !move_right_;
    }

    void on_present(const PresentedPicture& picture, uint64_t t0, uint64_t t1) {
        if (!measuring_ || !playing_ || !backend_.recording) return;
        pictures_.push_back({t0, t1});
        if (o_.lag) follow_ship(picture, t1);
        if (motion_trace_ != nullptr) trace_scrolling(picture, t0);
    }

    void follow_ship(const PresentedPicture& picture, uint64_t shown_us) {
        const Sprite* ship = active_sprite_named("playerone");
        if (ship == nullptr) return;
        // Drawn between where it was and where it is: at most its top speed apart.
        const ImageMatch m = find_sprite(picture, *ship, ship->x - 30, ship->x + 30, ship->y - 4, ship->y + 4);
        if (!m.found) {
            // Hidden (shots over it, an explosion): this movement cannot be timed.
            still_pictures_ = 0;
            if (lag_waiting_ && shown_us >= move_at_us_) lag_unseen_ = true;
            return;
        }
        still_pictures_ = m.x == ship_x_ ? still_pictures_ + 1 : 0;
        ship_x_ = m.x;
        if (lag_waiting_ && shown_us >= move_at_us_ && m.x != rest_x_) {
            if (lag_unseen_) ++lags_unseen_;
            else lags_.push_back(double(shown_us - move_at_us_) / 1000.0);
            lag_waiting_ = lag_unseen_ = false;
            still_pictures_ = 0;
            next_move_frame_ = frames_seen_ + kFramesBetweenMoves;
        }
    }

    // A piece of scenery (no behaviour: it only scrolls) well inside the
    // screen, of the fastest layer there is, followed until it nears the left
    // edge, then another.
    void trace_scrolling(const PresentedPicture& picture, uint64_t t0) {
        const Sprite* tracked = nullptr;
        if (Sprite::list_of_active_sprites != nullptr) {
            for (const Sprite* top : *Sprite::list_of_active_sprites)
                if (top->serial == traced_serial_ && top->x > 40) tracked = top;
            for (int layer = 1; layer <= 3 && tracked == nullptr; ++layer)
                for (const Sprite* top : *Sprite::list_of_active_sprites) {
                    const Sprite::frame* f = top->current_frame();
                    if (top->layer == layer && top->behavior == nullptr && f != nullptr && f->rect.right >= 16 &&
                        f->rect.right <= 320 && top->x > 200 && top->x < 500) {
                        tracked = top;
                        break;
                    }
                }
        }
        if (tracked == nullptr) return;
        traced_serial_ = tracked->serial;
        const ImageMatch m = find_sprite(picture, *tracked, tracked->x - 2, tracked->x + 8, tracked->y, tracked->y);
        std::fprintf(motion_trace_, "%llu %u %d %d %.3f\n", static_cast<unsigned long long>(t0), tracked->serial,
                     tracked->layer, m.found ? m.x : -9999, m.mismatch);
    }

    static constexpr int kMouseStep = 40;  // pixels: a brisk flick
    static constexpr long kFramesBetweenMoves = 24;

    const PacingOptions& o_;
    MeasuredBackend& backend_;
    std::vector<FrameMark> marks_;
    std::vector<Shown> pictures_;
    bool playing_ = false;
    long frames_seen_ = 0;
    std::mt19937_64 random_{12345};
    bool lag_waiting_ = false, lag_unseen_ = false, move_right_ = true;
    long lags_unseen_ = 0;  // movements the ship was hidden for: not timed
    uint64_t move_at_us_ = 0;
    long next_move_frame_ = 0;
    int rest_x_ = 0, ship_x_ = -1, still_pictures_ = 0;
    std::vector<double> lags_;
    FILE* motion_trace_ = nullptr;
    uint32_t traced_serial_ = 0;
    double cpu_server0_ = 0, cpu_server1_ = 0;
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
    launch.motion = o.motion;
    launch.refresh_hz = o.refresh_hz;
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
