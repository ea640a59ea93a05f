#include "platform/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace platform {

namespace {
// Touched from the handler: lock-free atomics only.
std::atomic<bool> g_polling{false};
std::atomic<bool> g_pending{false};  // asked, not yet taken
std::atomic<bool> g_asked{false};    // asked at least once
std::atomic<bool> g_installed{false};

// SDL shows a dialog from a child process of the thread that asked for it
// (the main thread): it would stay on the screen after the game is gone.
// Async-signal-safe calls only.
void stop_children(int sig) {
    char path[64] = "/proc/self/task/";
    size_t at = 16;
    char digits[16];
    size_t count = 0;
    for (long pid = ::getpid(); pid > 0 && count < sizeof digits; pid /= 10) digits[count++] = char('0' + pid % 10);
    while (count > 0) path[at++] = digits[--count];
    for (const char* tail = "/children"; *tail != '\0';) path[at++] = *tail++;
    path[at] = '\0';
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    char list[256];
    const ssize_t n = ::read(fd, list, sizeof list);
    ::close(fd);
    // "pid pid ... ": a number counts only once its space is read, so one cut
    // short by a full buffer is never taken for another process.
    long child = 0;
    for (ssize_t i = 0; i < n; ++i) {
        if (list[i] >= '0' && list[i] <= '9') {
            child = child * 10 + (list[i] - '0');
            continue;
        }
        if (list[i] == ' ' && child > 0) ::kill(static_cast<pid_t>(child), sig);
        child = 0;
    }
}

void end_now(int sig) {
    stop_children(sig);
    // The default action, as if no handler had been installed.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

void on_stop(int sig) {
    if (!g_polling.load() || g_asked.exchange(true)) end_now(sig);
    g_pending.store(true);
}
}  // namespace

void install_stop_signals() {
    if (g_installed.exchange(true)) return;
    struct sigaction action {};
    action.sa_handler = on_stop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGINT, SIGTERM}) {
        struct sigaction old {};
        // A stop the caller chose to ignore (nohup and the like) stays ignored.
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(sig, &action, nullptr);
    }
}

bool take_stop_request() {
    g_polling.store(true);
    return g_pending.exchange(false);
}

BlockingScope::BlockingScope() : was_polling_(g_polling.exchange(false)) {}

BlockingScope::~BlockingScope() { g_polling.store(was_polling_); }

}  // namespace platform
