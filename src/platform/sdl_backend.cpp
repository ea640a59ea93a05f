// SDL back end: start and stop, displays and modes, clock, dialogs, audio.
#include "platform/sdl_backend.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/deadline_wait.h"
#include "platform/sdl_x11.h"
#include "platform/stop_signals.h"

namespace platform {
namespace {

// CLOCK_MONOTONIC rather than SDL's counter: the sleeps below take absolute
// times on this clock, and must agree with what now_us() reads.
uint64_t monotonic_ns() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000000u + static_cast<uint64_t>(t.tv_nsec);
}

// An absolute wake time cannot drift when a signal cuts the sleep short.
void sleep_until_ns(uint64_t wake_ns) {
    timespec t{};
    t.tv_sec = static_cast<time_t>(wake_ns / 1000000000u);
    t.tv_nsec = static_cast<long>(wake_ns % 1000000000u);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

// The kernel may defer a sleeping thread's wake-up by its timer slack (50 us
// by default) to batch wake-ups; a microsecond keeps the spin margin small.
// Set on the thread that creates the back end, the game's; threads it starts
// later inherit it.
constexpr unsigned long kTimerSlackNs = 1000;

}  // namespace

const char* const kNoDisplayMessage = "no display found: set DISPLAY or WAYLAND_DISPLAY, or use --headless";

namespace {
// SDL's video drivers that show nothing anywhere: fine when asked for
// (benchmarks, tests), a game running invisibly forever when not.
bool shows_nothing(const char* driver) {
    return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "evdev") == 0;
}

// Whether SDL_VIDEODRIVER (one name or a comma-separated list) names `driver`.
bool asked_for(const char* driver) {
    const char* env = std::getenv("SDL_VIDEODRIVER");
    if (env == nullptr) return false;
    const size_t n = std::strlen(driver);
    for (const char* p = env; *p != '\0';) {
        const char* end = std::strchr(p, ',');
        const size_t len = end != nullptr ? static_cast<size_t>(end - p) : std::strlen(p);
        if (len == n && SDL_strncasecmp(p, driver, n) == 0) return true;
        if (end == nullptr) break;
        p = end + 1;
    }
    return false;
}
}  // namespace

SdlBackend::SdlBackend() {
    prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0);
    start_ns_ = monotonic_ns();
    // Our own handlers, which can also end a waiting dialog (stop_signals.h).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    install_stop_signals();
    x11::end_when_display_lost();
    // The class the desktop matches to the menu entry: StartupWMClass on X11,
    // the entry's own name on Wayland. A value set by the user wins.
    setenv("SDL_VIDEO_X11_WMCLASS", "velmora", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "org.velmora.Velmora", 0);
}

SdlBackend::~SdlBackend() {
    close_audio();
    close_window();
    if (audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlBackend::start_video() { return ensure_video(); }

bool SdlBackend::ensure_video() {
    if (video_) return true;
    if (video_failed_) return false;
    video_failed_ = true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        // SDL's reason matters only to someone who chose a driver.
        if (std::getenv("SDL_VIDEODRIVER") != nullptr) std::fprintf(stderr, "velmora: video: %s\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && shows_nothing(driver) && !asked_for(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    video_failed_ = false;
    video_ = true;
    return true;
}

int SdlBackend::valid_display(int display) {
    const int n = SDL_GetNumVideoDisplays();
    return display >= 0 && display < n ? display : 0;
}

std::vector<DisplayInfo> SdlBackend::displays() {
    std::vector<DisplayInfo> list;
    if (!ensure_video()) return list;
    const int n = SDL_GetNumVideoDisplays();
    bool have_primary = false;
    for (int i = 0; i < n; ++i) {
        DisplayInfo d;
        const char* name = SDL_GetDisplayName(i);
        d.name = name != nullptr ? name : "Display " + std::to_string(i);
        SDL_Rect bounds{};
        SDL_GetDisplayBounds(i, &bounds);
        // Numbered as --display and the settings file count.
        d.description = "Display " + std::to_string(i) + ": " + d.name + " (" +
                        std::to_string(bounds.w) + " x " + std::to_string(bounds.h) + ")";
        // The display at the desktop's origin is the main one.
        d.primary = !have_primary && bounds.x == 0 && bounds.y == 0;
        have_primary = have_primary || d.primary;
        list.push_back(d);
    }
    if (!have_primary && !list.empty()) list.front().primary = true;
    return list;
}

namespace {
uint32_t depth_of(Uint32 format) {
    // 24-bit colour in 4-byte pixels counts as a 32-bit mode.
    return SDL_BYTESPERPIXEL(format) == 4 ? 32u : static_cast<uint32_t>(SDL_BITSPERPIXEL(format));
}
}  // namespace

std::vector<VideoMode> SdlBackend::modes(int display) {
    // The software modes are always there: the picture is drawn in memory and
    // scaled to whatever the screen really runs at.
    std::vector<VideoMode> list = {{640, 480, 8}, {640, 480, 15}, {640, 480, 16}, {640, 480, 24},
                                   {640, 480, 32}};
    if (!ensure_video()) return list;
    display = valid_display(display);
    const int n = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < n; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
        const VideoMode v{static_cast<uint32_t>(m.w), static_cast<uint32_t>(m.h), depth_of(m.format)};
        const bool known = std::any_of(list.begin(), list.end(), [&](const VideoMode& o) {
            return o.width == v.width && o.height == v.height && o.depth == v.depth;
        });
        if (!known) list.push_back(v);
    }
    return list;
}

void SdlBackend::desktop_mode(int display, VideoMode& out) {
    out = VideoMode{640, 480, 32};
    if (!ensure_video()) return;
    SDL_DisplayMode m{};
    if (SDL_GetDesktopDisplayMode(valid_display(display), &m) == 0)
        out = VideoMode{static_cast<uint32_t>(m.w), static_cast<uint32_t>(m.h), depth_of(m.format)};
}

int SdlBackend::refresh_hz() {
    if (!video_) return 0;
    // The display the window is on now: it may have been moved to another.
    const int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : display_;
    SDL_DisplayMode m{};
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &m) != 0) return 0;
    return m.refresh_rate > 0 ? m.refresh_rate : 0;
}

uint64_t SdlBackend::now_us() { return (monotonic_ns() - start_ns_) / 1000u; }

void SdlBackend::wait_until_us(uint64_t deadline) {
    wait_until_deadline(
        deadline, [this] { return now_us(); }, [this](uint64_t wake) { sleep_until_ns(start_ns_ + wake * 1000u); },
        [this] {
            if (window_ != nullptr) SDL_PumpEvents();
        });
}

void SdlBackend::sleep_until_us(uint64_t deadline) {
    if (now_us() >= deadline) return;
    if (window_ != nullptr) SDL_PumpEvents();
    sleep_until_ns(start_ns_ + deadline * 1000u);
}

void SdlBackend::sleep_ms(uint32_t ms) { sleep_until_ns(monotonic_ns() + uint64_t(ms) * 1000000u); }

namespace {
// A message box does not wrap its text: long lines are broken at spaces (a
// word longer than a line, such as a path, keeps a line of its own).
std::string wrapped_for_box(const std::string& text, size_t width) {
    std::string out;
    size_t line_start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n') continue;
        const std::string line = text.substr(line_start, i - line_start);
        size_t column = 0;
        size_t word_start = 0;
        while (word_start < line.size()) {
            size_t word_end = line.find(' ', word_start);
            if (word_end == std::string::npos) word_end = line.size();
            const size_t length = word_end - word_start;
            if (column > 0 && column + 1 + length > width) {
                out += '\n';
                column = 0;
            } else if (column > 0) {
                out += ' ';
                ++column;
            }
            out += line.substr(word_start, length);
            column += length;
            word_start = word_end + 1;
        }
        if (i < text.size()) out += '\n';
        line_start = i + 1;
    }
    return out;
}
}  // namespace

// On standard error as well: the box may not come up, and a terminal keeps the text.
void SdlBackend::message_box(const std::string& title, const std::string& text) {
    const BlockingScope waiting;  // nothing reads events meanwhile
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    const std::string shown = wrapped_for_box(text, 72);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), shown.c_str(), window_);
}

int SdlBackend::choose(const std::string& title, const std::string& prompt,
                       const std::vector<std::string>& items) {
    const BlockingScope waiting;
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < items.size(); ++i)
        buttons.push_back({i == 0 ? Uint32{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT} : Uint32{0},
                           static_cast<int>(i), items[i].c_str()});
    buttons.push_back({SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, -1, "Cancel"});
    SDL_MessageBoxData data{};
    data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.window = window_;
    data.title = title.c_str();
    data.message = prompt.c_str();
    data.numbuttons = static_cast<int>(buttons.size());
    data.buttons = buttons.data();
    int hit = -1;
    if (SDL_ShowMessageBox(&data, &hit) != 0) {
        // Nowhere to ask: take the first entry (the primary display).
        std::fprintf(stderr, "%s: no dialog possible, taking the first entry\n", title.c_str());
        return items.empty() ? -1 : 0;
    }
    return hit;
}

void SdlBackend::audio_trampoline(void* self, Uint8* stream, int len) {
    auto* b = static_cast<SdlBackend*>(self);
    b->audio_callback_(b->audio_userdata_, reinterpret_cast<int16_t*>(stream), len / 4);
}

bool SdlBackend::open_audio(AudioCallback callback, void* userdata, int rate, int buffer_frames) {
    if (callback == nullptr) return false;
    close_audio();
    if (!audio_subsystem_) {
        audio_subsystem_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!audio_subsystem_) return false;
    }
    audio_callback_ = callback;
    audio_userdata_ = userdata;
    SDL_AudioSpec want{};
    want.freq = rate > 0 ? rate : 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    Uint16 frames = 1;
    const int asked = buffer_frames > 0 ? std::min(buffer_frames, 16384) : 1024;
    while (frames < asked) frames = static_cast<Uint16>(frames * 2);
    want.samples = frames;
    want.callback = &SdlBackend::audio_trampoline;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts, so the mixer always sees 44100 Hz stereo S16.
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (audio_ == 0) return false;
    SDL_PauseAudioDevice(audio_, 0);
    return true;
}

void SdlBackend::close_audio() {
    if (audio_ == 0) return;
    SDL_CloseAudioDevice(audio_);
    audio_ = 0;
}

void SdlBackend::lock_audio() {
    if (audio_ != 0) SDL_LockAudioDevice(audio_);
}

void SdlBackend::unlock_audio() {
    if (audio_ != 0) SDL_UnlockAudioDevice(audio_);
}

std::unique_ptr<Backend> make_sdl_backend() {
    auto backend = std::make_unique<SdlBackend>();
    if (!backend->start_video()) return nullptr;
    return backend;
}

}  // namespace platform
