#include "platform/stop_signals.h"

#include <signal.h>

#include <atomic>

namespace platform {

namespace {
// Touched from the handler: lock-free atomics only.
std::atomic<bool> g_polling{false};
std::atomic<bool> g_pending{false};  // asked, not yet taken
std::atomic<bool> g_asked{false};    // asked at least once
std::atomic<bool> g_installed{false};

void end_now(int sig) {
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
