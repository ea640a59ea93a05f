// The game as a process running beside the test, for scenarios with more than
// one program at once (network play): started, watched through its output
// file, waited for with a time limit, killed.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace scenario {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the game binary with `args`, standard output and error going to
    // `log_path`, environment variables in `env` set. An alarm ends it after
    // `timeout_seconds` whatever happens.
    bool start(const std::vector<std::string>& args, const std::string& log_path,
               const std::map<std::string, std::string>& env = {}, unsigned timeout_seconds = 120);

    // What it has written so far.
    std::string output() const;
    // Waits until its output holds `text`; false after `timeout_ms` or when
    // it ended without writing it.
    bool wait_for_output(const std::string& text, int timeout_ms);
    // Waits for it to end: its exit status, or -1 after `timeout_ms`, or when
    // it ended by a signal.
    int wait(int timeout_ms);
    bool running();
    void kill(int signal);
    // From now on its peak resident memory is read every few milliseconds,
    // on a thread of its own, until it ends.
    void watch_memory();
    // The peak resident memory in kB seen so far (0 unless watched).
    long peak_memory_kb() const { return peak_memory_kb_.load(); }

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = -1;
    std::atomic<long> peak_memory_kb_{0};
    std::atomic<bool> watching_{false};
    std::thread watcher_;
    std::string log_path_;
};

// Starts `host` with `args` (which hold --host 0) and reads the port it
// listens on from its output; 0 when it did not say within `timeout_ms`.
int start_host(ChildProcess& host, const std::vector<std::string>& args, const std::string& log_path,
               const std::map<std::string, std::string>& env = {}, int timeout_ms = 20000);

}  // namespace scenario
