#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/scenario.h"

namespace scenario {
namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(10);
}  // namespace

ChildProcess::~ChildProcess() {
    if (running()) {
        kill(SIGKILL);
        wait(5000);
    }
    watching_ = false;
    if (watcher_.joinable()) watcher_.join();
}

void ChildProcess::watch_memory() {
    if (pid_ <= 0 || watching_.exchange(true)) return;
    const std::string status = "/proc/" + std::to_string(pid_) + "/status";
    watcher_ = std::thread([this, status] {
        // The kernel's high-water mark of the program itself (not of the
        // test's copy it was forked from). It goes with the program's memory
        // when it ends, so it is read until then; the process stays (a
        // zombie) until running() reaps it, so its number is not reused.
        while (watching_) {
            const std::string proc = read_file(status);
            const size_t at = proc.find("VmHWM:");
            if (at == std::string::npos) break;
            const long kb = std::atol(proc.c_str() + at + 6);
            if (kb > peak_memory_kb_) peak_memory_kb_ = kb;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

bool ChildProcess::start(const std::vector<std::string>& args, const std::string& log_path,
                         const std::map<std::string, std::string>& env, unsigned timeout_seconds) {
    log_path_ = log_path;
    const int fd = ::open(log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(fd, STDOUT_FILENO);
        ::dup2(fd, STDERR_FILENO);
        exec_velmora(args, env, timeout_seconds);
    }
    ::close(fd);
    reaped_ = false;
    return pid_ > 0;
}

std::string ChildProcess::output() const { return read_file(log_path_); }

bool ChildProcess::wait_for_output(const std::string& text, int timeout_ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (output().find(text) != std::string::npos) return true;
        if (!running() || Clock::now() >= until) return output().find(text) != std::string::npos;
        std::this_thread::sleep_for(kPoll);
    }
}

bool ChildProcess::running() {
    if (pid_ <= 0 || reaped_) return false;
    // Seen ended but not yet reaped, so the memory watcher is stopped while
    // the process number is still its own.
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0)
        return true;
    watching_ = false;
    if (watcher_.joinable()) watcher_.join();
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == 0) return true;
    reaped_ = true;
    status_ = (r == pid_ && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    return false;
}

int ChildProcess::wait(int timeout_ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (running()) {
        if (Clock::now() >= until) return -1;
        std::this_thread::sleep_for(kPoll);
    }
    return status_;
}

void ChildProcess::kill(int signal) {
    if (running()) ::kill(pid_, signal);
}

int start_host(ChildProcess& host, const std::vector<std::string>& args, const std::string& log_path,
               const std::map<std::string, std::string>& env, int timeout_ms) {
    const std::string said = "on UDP port ";
    if (!host.start(args, log_path, env) || !host.wait_for_output("; waiting for a guest", timeout_ms)) return 0;
    const std::string out = host.output();
    return std::atoi(out.c_str() + out.find(said) + said.size());
}

}  // namespace scenario
