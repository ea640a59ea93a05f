// Scenario helpers: run the built game as a subprocess (headless, or as an
// ordinary player would), read its state dumps, and write a small data tree
// for it to run on.
#pragma once

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace scenario {

struct RunOptions {
    std::map<std::string, std::string> env;  // an empty value unsets the variable
    unsigned timeout_seconds = 600;          // then an alarm ends the run
    // Run without the powers that let root write anywhere (the program then
    // obeys file permissions like any user). Needs root or CAP_SETPCAP.
    bool without_override = false;
    // Run as a player would: `env` is the whole environment, root drops to
    // nobody, and the program starts in `dir`.
    bool as_player = false;
    std::string dir;
};

struct RunResult {
    int exit_code = -1;    // -1 when the program did not exit normally
    int signal = 0;        // the signal that ended it, if any
    std::string output;    // standard output and standard error together
    long peak_rss_kb = 0;  // the program's highest resident size
    long last_rss_kb = 0;  // its resident size when last seen running
    std::vector<long> rss_samples_kb;  // resident size about every 200 ms
    bool setup_refused = false;        // without_override or as_player could not be set up
};

// Runs `binary` with `args` and waits for it, watching its output and memory.
RunResult run_program(const std::string& binary, const std::vector<std::string>& args, const RunOptions& options);
// The game binary with the variables in `env` set (an empty value unsets one).
RunResult run_velmora(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {},
                      unsigned timeout_seconds = 300);
// The same with a copy of the game elsewhere (it finds its data from there).
RunResult run_velmora_at(const std::string& binary, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {}, unsigned timeout_seconds = 300);

// In a child process after fork(): sets the variables in `env` (an empty value
// unsets one), arms an alarm of `timeout_seconds` and becomes the game binary
// run with `args`. Never returns.
[[noreturn]] void exec_velmora(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                               unsigned timeout_seconds);

// A state dump as key -> value; empty when the file is missing.
using StateDump = std::map<std::string, std::string>;
StateDump read_state_dump(const std::string& path);
// A numeric entry of a dump, or `missing` when it is absent or not a number.
long long dump_number(const StateDump& dump, const std::string& key, long long missing = LLONG_MIN);

std::string read_file(const std::string& path);

// Writes an input script: the header line of `version`, then `lines`.
bool write_input_script(const std::string& path, const std::vector<std::string>& lines, int version = 1);

// The pictures the start-up, the logo screens, the menus and the continue
// screen need ("Levels/Resource/..."), plus an empty "Other" directory. No
// sounds, music or levels: a game started there returns to the title menu.
bool write_minimal_data_tree(const std::string& dir);

// Mounts a tmpfs of `size` ("64k") over `dir` (read-only when asked), in a
// mount namespace of this process's own so it goes away with the process.
// Needs root: returns why it could not be done, or the empty string. Call it
// before starting threads.
std::string mount_private_tmpfs(const std::string& dir, const char* size, bool read_only = false);

// True when the output holds a report of a sanitizer.
bool sanitizer_reported(const std::string& output);

}  // namespace scenario
