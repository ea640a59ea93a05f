#include "support/scenario.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace scenario {

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCursorSize = 16;
constexpr int kButtonWidth = 100, kButtonHeight = 40;

void apply_env(const std::map<std::string, std::string>& env) {
    for (const auto& [name, value] : env) {
        if (value.empty()) ::unsetenv(name.c_str());
        else ::setenv(name.c_str(), value.c_str(), 1);
    }
}

[[noreturn]] void exec_args(const std::string& binary, const std::vector<std::string>& args,
                            unsigned timeout_seconds) {
    std::vector<std::string> storage{binary};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : storage) argv.push_back(a.data());
    argv.push_back(nullptr);
    // A hung run ends by the alarm, which survives exec.
    ::alarm(timeout_seconds);
    ::execv(argv[0], argv.data());
    _exit(127);
}

long rss_kb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

}  // namespace

[[noreturn]] void exec_velmora(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                               unsigned timeout_seconds) {
    apply_env(env);
    exec_args(VELMORA_BINARY, args, timeout_seconds);
}

RunResult run_program(const std::string& binary, const std::vector<std::string>& args, const RunOptions& options) {
    RunResult result;
    int out_pipe[2];
    if (::pipe2(out_pipe, O_CLOEXEC) != 0) return result;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(out_pipe[0]);
        ::close(out_pipe[1]);
        return result;
    }
    if (child == 0) {
        ::dup2(out_pipe[1], STDOUT_FILENO);
        ::dup2(out_pipe[1], STDERR_FILENO);
        if (options.as_player) {
            ::clearenv();
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                _exit(125);
            if (::chdir(options.dir.c_str()) != 0) _exit(125);
        }
        apply_env(options.env);
        // Out of the bounding set, the power is gone from the program started
        // next, root or not.
        if (options.without_override && ::geteuid() == 0 &&
            (::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) != 0 ||
             ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) != 0))
            _exit(125);
        exec_args(binary, args, options.timeout_seconds);
    }
    ::close(out_pipe[1]);

    char buffer[8192];
    pollfd pfd{out_pipe[0], POLLIN, 0};
    auto last_sample = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    for (;;) {
        // The child's memory is looked at whenever it writes and at least
        // every 200 ms while it is silent.
        if (const long rss = rss_kb(child); rss > 0) {
            result.last_rss_kb = rss;
            const auto now = std::chrono::steady_clock::now();
            if (now - last_sample >= std::chrono::milliseconds(200)) {
                result.rss_samples_kb.push_back(rss);
                last_sample = now;
            }
        }
        const int ready = ::poll(&pfd, 1, 200);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        const ssize_t n = ::read(out_pipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.output.append(buffer, size_t(n));
    }
    ::close(out_pipe[0]);

    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.peak_rss_kb = usage.ru_maxrss;
    if (WIFEXITED(status)) {
        result.exit_code = WEXITSTATUS(status);
        result.setup_refused = (options.without_override || options.as_player) && result.exit_code == 125;
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

RunResult run_velmora(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                      unsigned timeout_seconds) {
    return run_velmora_at(VELMORA_BINARY, args, env, timeout_seconds);
}

RunResult run_velmora_at(const std::string& binary, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, unsigned timeout_seconds) {
    RunOptions options;
    options.env = env;
    options.timeout_seconds = timeout_seconds;
    return run_program(binary, args, options);
}

StateDump read_state_dump(const std::string& path) {
    StateDump dump;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        dump[line.substr(0, space)] = line.substr(space + 1);
    }
    return dump;
}

long long dump_number(const StateDump& dump, const std::string& key, long long missing) {
    const auto it = dump.find(key);
    if (it == dump.end() || it->second.empty()) return missing;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(it->second.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return missing;
    return value;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool write_input_script(const std::string& path, const std::vector<std::string>& lines, int version) {
    std::string text = "velmora-input " + std::to_string(version) + "\n";
    for (const std::string& line : lines) text += line + "\n";
    return writers::write_text(path, text);
}

namespace {
bool write_picture(const std::string& path, int w, int h, writers::Rgb colour) {
    writers::Image image(w, h, colour);
    // A frame in a second colour, so the picture is not one flat fill.
    for (int x = 0; x < w; ++x) image.at(x, 0) = image.at(x, h - 1) = {255, 255, 255};
    return writers::write_file(path, writers::encode_bmp24(image));
}

bool write_cursor(const std::string& path) {
    writers::IndexedImage image;
    image.width = image.height = kCursorSize;
    image.palette = {{0, 0, 0}, {255, 255, 255}};
    image.indices.assign(size_t(kCursorSize) * kCursorSize, 0);
    // An arrow-ish triangle in white on the transparent black.
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x <= y / 2; ++x) image.indices[size_t(y) * kCursorSize + x] = 1;
    return writers::write_file(path, writers::encode_bmp8(image));
}
}  // namespace

bool write_minimal_data_tree(const std::string& dir) {
    const std::string res = dir + "/Levels/Resource/";
    if (!writers::make_directories(res) || !writers::make_directories(dir + "/Other")) return false;
    bool ok = write_picture(res + "ferrolux_logo.BMP", 640, 480, {200, 40, 40}) &&
              write_picture(res + "quornash_logo.BMP", 640, 480, {40, 200, 40}) &&
              write_picture(res + "titlescreen.BMP", 640, 480, {40, 40, 200}) &&
              write_picture(res + "ending.BMP", 640, 480, {20, 20, 20}) &&
              write_picture(res + "continue.BMP", 300, 60, {90, 90, 90}) &&
              write_picture(res + "red_bar.BMP", 30, 40, {255, 0, 0}) &&
              write_picture(res + "fx_volume.BMP", 300, 40, {120, 120, 0}) &&
              write_picture(res + "music_volume.BMP", 300, 40, {0, 120, 120}) &&
              write_cursor(res + "cursor_08.BMP");
    for (const char* b : {"1player", "2player", "about", "options", "quit", "left_arrow_", "right_arrow_", "ok_",
                          "cancel_"}) {
        ok = ok && write_picture(res + b + "up.BMP", kButtonWidth, kButtonHeight, {150, 150, 150});
        ok = ok && write_picture(res + b + "down.BMP", kButtonWidth, kButtonHeight, {250, 250, 0});
    }
    return ok;
}

std::string mount_private_tmpfs(const std::string& dir, const char* size, bool read_only) {
    if (::geteuid() != 0) return "mounting a tmpfs needs root";
    if (::unshare(CLONE_NEWNS) != 0) return std::string("cannot make a mount namespace: ") + std::strerror(errno);
    const std::string options = std::string("size=") + size;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", dir.c_str(), "tmpfs", read_only ? MS_RDONLY : 0, options.c_str()) != 0)
        return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    return {};
}

bool sanitizer_reported(const std::string& output) {
    for (const char* mark : {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer", "ThreadSanitizer",
                             "runtime error:"})
        if (output.find(mark) != std::string::npos) return true;
    return false;
}

}  // namespace scenario
