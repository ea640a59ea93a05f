// Network play measured: a host and a guest as two processes of the real
// game on the loopback, both played by the autopilot, directly or through the
// test relay.
//
//   velmora_bench --netplay [--frames N] [--latency MS] [--delays 0,2,4] [--paced]
//   velmora_bench --netplay --link [--seconds S] [--latency MS] [--jitter MS] [--loss PCT]
//                 [--duplicate PCT] [--delays 2,4,auto]
//   velmora_bench --netplay --attacks [--frames N]
//
// The first: a run's cost per frame is the difference between two runs of
// different length divided by the frames between them, so start-up,
// agreement and level loading cancel out. Headless runs (the default) go as
// fast as the lockstep lets them; --paced runs both games in real time in
// windows on SDL's dummy video driver.
// --link: real-time games of S seconds through a relay that delays, jitters,
// loses and repeats packets, at fixed delays and with the delay the host
// chooses ("auto"): the steps a second of play, the waits, and whether the
// two games ended in the same state.
// --attacks: the host's peak memory in a normal game and under each attack
// of the stranger (tests/support/net_stranger.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_registry.h"
#include "game_session.h"
#include "net/agreement.h"
#include "net/data_digest.h"
#include "support/child_process.h"
#include "support/net_stranger.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/udp_relay.h"

namespace bench {
namespace {
using Clock = std::chrono::steady_clock;
const std::string kCode = "BENCH-1";
constexpr int kAuto = -1;

struct NetOptions {
    long frames = 1000;  // the longer run; the shorter one is a fifth of it
    int latency_ms = 50;
    int jitter_ms = 15;
    int loss_percent = 5;
    int duplicate_percent = 2;
    int seconds = 60;
    std::vector<int> delays = {0, 2, 4};
    bool delays_given = false;
    bool paced = false;
    bool link = false;
    bool attacks = false;
};

const char* const kNetUsage =
    "velmora_bench --netplay [--frames N] [--latency MS] [--delays D,D,...] [--paced]\n"
    "  Plays two-player network games between two processes on the loopback and\n"
    "  prints the time per frame: directly at delay 2, then through a relay adding\n"
    "  MS milliseconds each way (default 50) at each input delay (default 0,2,4).\n"
    "  --paced: real-time games in windows (SDL dummy video driver).\n"
    "velmora_bench --netplay --link [--seconds S] [--latency MS] [--jitter MS] [--loss PCT]\n"
    "              [--duplicate PCT] [--delays D,...,auto]\n"
    "  Real-time games of S seconds (default 60) through a relay holding packets\n"
    "  MS +- JITTER ms each way (default 50 +- 15), losing PCT % (5) and repeating\n"
    "  some (2 %), at each delay (default 2,4,auto): steps a second, waits, stalls.\n"
    "velmora_bench --netplay --attacks [--frames N]\n"
    "  The host's peak memory in a normal game of N frames (default 600) and under\n"
    "  each attack of the tests' stranger.\n";

bool parse(int argc, char** argv, NetOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool has_value = i + 1 < argc;
        if (a == "--frames" && has_value) o.frames = std::atol(argv[++i]);
        else if (a == "--latency" && has_value) o.latency_ms = std::atoi(argv[++i]);
        else if (a == "--jitter" && has_value) o.jitter_ms = std::atoi(argv[++i]);
        else if (a == "--loss" && has_value) o.loss_percent = std::atoi(argv[++i]);
        else if (a == "--duplicate" && has_value) o.duplicate_percent = std::atoi(argv[++i]);
        else if (a == "--seconds" && has_value) o.seconds = std::atoi(argv[++i]);
        else if (a == "--delays" && has_value) {
            o.delays.clear();
            o.delays_given = true;
            std::stringstream list(argv[++i]);
            for (std::string d; std::getline(list, d, ',');) o.delays.push_back(d == "auto" ? kAuto : std::atoi(d.c_str()));
        } else if (a == "--paced") o.paced = true;
        else if (a == "--link") o.link = true;
        else if (a == "--attacks") o.attacks = true;
        else return false;
    }
    if (o.link && !o.delays_given) o.delays = {2, 4, kAuto};
    return o.frames >= 50 && o.seconds > 0 && !o.delays.empty();
}

std::string delay_name(int delay) { return delay == kAuto ? "auto" : std::to_string(delay); }

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::map<std::string, std::string> paced_env(const TempDir& dir) {
    return {{"XDG_CONFIG_HOME", dir.file("config")}, {"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}};
}

// Seconds from the host's start to both games' end; negative on failure.
double run_game(const NetOptions& o, long frames, int delay, int latency_ms, const TempDir& dir) {
    std::vector<std::string> common = {"--data", data_dir(), "--frames", std::to_string(frames), "--autopilot=2",
                                       "--code", kCode};
    std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", dir.file("config")}};
    if (o.paced) {
        common.insert(common.end(), {"--windowed", "--scale", "1"});
        env = paced_env(dir);
    } else {
        common.push_back("--headless");
    }
    scenario::ChildProcess host, guest;
    const auto start = Clock::now();
    std::vector<std::string> host_args = with(common, {"--host", "0", "--god"});
    if (delay != kAuto) host_args = with(host_args, {"--net-delay", std::to_string(delay)});
    const int port = scenario::start_host(host, host_args, dir.file("host.log"), env);
    if (port == 0) return -1;
    std::unique_ptr<scenario::UdpRelay> relay;
    int join_port = port;
    if (latency_ms > 0) {
        scenario::RelayFaults faults;
        faults.delay_ms = latency_ms;
        relay = std::make_unique<scenario::UdpRelay>(port, faults, 10000000, 3600);
        join_port = relay->port();
    }
    if (!guest.start(with(common, {"--join", "127.0.0.1:" + std::to_string(join_port)}), dir.file("guest.log"), env,
                     3600))
        return -1;
    const int limit_ms = 3600 * 1000;
    if (guest.wait(limit_ms) != 0 || host.wait(limit_ms) != 0) {
        std::fprintf(stderr, "%s\n%s\n", host.output().c_str(), guest.output().c_str());
        return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The digest both sides work out of their data directory before they agree.
void BM_DataDigest(benchmark::State& state) {
    const std::string data = data_dir();
    net::DataDigest digest;
    for (auto _ : state) {
        std::string error;
        if (!net::digest_data_dir(data, digest, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.counters["files"] = static_cast<double>(digest.files);
    state.counters["MB"] = static_cast<double>(digest.bytes) / 1e6;
}
BENCHMARK(BM_DataDigest)->Unit(benchmark::kMillisecond)->Iterations(10);

// Milliseconds per frame between a short and a long run; negative on failure.
double ms_per_frame(const NetOptions& o, int delay, int latency_ms, const TempDir& dir) {
    const long shorter = o.frames / 5;
    const double a = run_game(o, shorter, delay, latency_ms, dir);
    const double b = run_game(o, o.frames, delay, latency_ms, dir);
    if (a < 0 || b < 0) return -1;
    return 1e3 * (b - a) / static_cast<double>(o.frames - shorter);
}

std::string loadavg() {
    std::string l = scenario::read_file("/proc/loadavg");
    return l.substr(0, l.find(' ', l.find(' ', l.find(' ') + 1) + 1));
}

// The summary a side prints at the end of a network game.
struct Summary {
    long end = 0, frames = 0, stalls = 0, notices = 0;
    double seconds = 0, rate = 0;
    long long longest_ms = 0;
    int changes = 0, delay = 0;
    bool ok = false;
};

Summary summary(const std::string& log) {
    Summary s;
    const size_t at = log.rfind("network game: ended at frame ");
    if (at == std::string::npos) return s;
    s.ok = std::sscanf(log.c_str() + at,
                       "network game: ended at frame %ld; %ld frames played together in %lf s (%lf steps a second), "
                       "%ld stalls (longest wait %lld ms), %ld waiting notices, %d delay changes, input delay %d",
                       &s.end, &s.frames, &s.seconds, &s.rate, &s.stalls, &s.longest_ms, &s.notices, &s.changes,
                       &s.delay) == 9;
    return s;
}

// The delay the host chose at the start, from its line about the round trip.
std::string chosen_at_start(const std::string& log) {
    const std::string said = "round trips to the guest ";
    const size_t at = log.find(said);
    return at == std::string::npos ? std::string("fixed")
                                   : log.substr(at + said.size(), log.find('\n', at) - at - said.size());
}

std::string without_clocks(std::string dump) {
    for (const char* key : {"time_us ", "frame_time "}) {
        const size_t at = dump.find(std::string("\n") + key);
        if (at != std::string::npos) dump.erase(at + 1, dump.find('\n', at + 1) - at);
    }
    return dump;
}

// A real-time game of o.seconds through the faulty relay at `delay`.
bool link_run(const NetOptions& o, int delay, const TempDir& dir) {
    // 21.7 steps a second is the game's own pace; a little more for start-up.
    const long frames = static_cast<long>(o.seconds * 1000 / 46) + 60;
    const std::string at = std::to_string(frames) + ":";
    const std::vector<std::string> common = {"--data", data_dir(), "--frames", std::to_string(frames), "--windowed",
                                             "--scale", "1", "--autopilot=2", "--code", kCode};
    const auto env = paced_env(dir);
    scenario::ChildProcess host, guest;
    std::vector<std::string> host_args =
        with(common, {"--host", "0", "--god", "--dump-state", at + dir.file("host.txt")});
    if (delay != kAuto) host_args = with(host_args, {"--net-delay", std::to_string(delay)});
    const std::string before = loadavg();
    const int port = scenario::start_host(host, host_args, dir.file("host.log"), env);
    if (port == 0) return false;
    scenario::RelayFaults faults;
    faults.delay_ms = o.latency_ms - o.jitter_ms;
    faults.jitter_ms = 2 * o.jitter_ms;
    faults.drop_percent = o.loss_percent;
    faults.duplicate_percent = o.duplicate_percent;
    scenario::UdpRelay relay(port, faults, 100000000, o.seconds + 600);
    if (!guest.start(with(common, {"--join", "127.0.0.1:" + std::to_string(relay.port()), "--dump-state",
                                   at + dir.file("guest.txt")}),
                     dir.file("guest.log"), env, o.seconds + 600))
        return false;
    if (guest.wait((o.seconds + 600) * 1000) != 0 || host.wait(60000) != 0) {
        std::fprintf(stderr, "%s\n%s\n", host.output().c_str(), guest.output().c_str());
        return false;
    }
    relay.stop();
    const scenario::RelayCounts counts = relay.counts();
    const std::string log = host.output(), guest_log = guest.output();
    const bool same = without_clocks(scenario::read_file(dir.file("host.txt"))) ==
                      without_clocks(scenario::read_file(dir.file("guest.txt")));
    const Summary h = summary(log), g = summary(guest_log);
    if (!h.ok || !g.ok) {
        std::fprintf(stderr, "no summary:\n%s\n%s\n", log.c_str(), guest_log.c_str());
        return false;
    }
    std::printf("link %d+-%d ms each way, %d%% lost, delay=%s: %.2f steps/s over %.1f s; waiting notices %ld (host) "
                "%ld (guest); stalls %ld (host) %ld (guest), longest wait %lld ms; delay %d at the end after %d "
                "changes (start: %s); relay dropped %ld, duplicated %ld, overtaken %ld; same state: %s; load %s -> %s\n",
                o.latency_ms, o.jitter_ms, o.loss_percent, delay_name(delay).c_str(), h.rate, h.seconds, h.notices,
                g.notices, h.stalls, g.stalls, std::max(h.longest_ms, g.longest_ms), h.delay, h.changes,
                chosen_at_start(log).c_str(), counts.dropped, counts.duplicated, counts.overtaken, same ? "yes" : "NO",
                before.c_str(), loadavg().c_str());
    std::fflush(stdout);
    return true;
}

// The host's peak memory (kB) in a game of `frames` frames while `attack`
// runs against it (nothing: a normal game with a guest of the game).
long attacked_host_kb(long frames, const std::function<void(int port, scenario::ChildProcess& guest)>& attack,
                      const TempDir& dir, std::string& says) {
    const std::vector<std::string> common = {"--headless", "--data", data_dir(), "--frames", std::to_string(frames),
                                             "--code", kCode};
    const std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", dir.file("config")}};
    scenario::ChildProcess host, guest;
    const int port = scenario::start_host(host, with(common, {"--host", "0", "--god", "--seed", "5"}),
                                          dir.file("host.log"), env);
    if (port == 0) return -1;
    host.watch_memory();
    attack(port, guest);
    if (host.wait(600000) != 0) return -1;
    guest.wait(60000);
    const std::string log = host.output();
    const size_t over = log.find("network game over: ");
    says = over == std::string::npos ? "played to the end" : log.substr(over + 19, log.find('\n', over) - over - 19);
    return host.peak_memory_kb();
}

int run_attacks(const NetOptions& o) {
    const long frames = o.frames == 1000 ? 600 : o.frames;
    TempDir dir;
    net::DataDigest data;
    std::string error;
    if (!net::digest_data_dir(data_dir(), data, error)) return 1;
    net::Hello hello = net::local_hello(data);
    hello.code = kCode;
    const std::vector<std::string> guest_args = {"--headless", "--data", data_dir(), "--frames", std::to_string(frames),
                                                 "--code", kCode};
    const auto real_guest = [&](int port, scenario::ChildProcess& guest) {
        guest.start(with(guest_args, {"--join", "127.0.0.1:" + std::to_string(port)}), dir.file("guest.log"),
                    {{"XDG_CONFIG_HOME", dir.file("guest-config")}});
    };
    struct Attack {
        const char* name;
        std::function<void(int, scenario::ChildProcess&)> run;
    };
    const std::vector<Attack> attacks = {
        {"a normal game", real_guest},
        {"4 idle connections, then the guest",
         [&](int port, scenario::ChildProcess& guest) {
             scenario::StrangerCrowd idle("127.0.0.2", port, 4, 0);
             std::this_thread::sleep_for(std::chrono::milliseconds(500));
             real_guest(port, guest);
             guest.wait_for_output("joined the game", 15000);
         }},
        {"300 attempts in 6 s, the guest 2.5 s in",
         [&](int port, scenario::ChildProcess& guest) {
             scenario::StrangerCrowd flood("127.0.0.3", port, 300, 6000);
             std::this_thread::sleep_for(std::chrono::milliseconds(2500));
             real_guest(port, guest);
             std::this_thread::sleep_for(std::chrono::milliseconds(4000));
         }},
        {"1000 datagrams of 4,097 and 65,000 bytes, waiting and in play",
         [&](int port, scenario::ChildProcess& guest) {
             for (int i = 0; i < 250; ++i) {
                 scenario::send_datagram(port, 4097, "127.0.0.4");
                 scenario::send_datagram(port, 65000, "127.0.0.4");
             }
             real_guest(port, guest);
             guest.wait_for_output("joined the game", 15000);
             for (int i = 0; i < 250 && guest.running(); ++i) {
                 scenario::send_datagram(port, 4097, "127.0.0.4");
                 scenario::send_datagram(port, 65000, "127.0.0.4");
                 std::this_thread::sleep_for(std::chrono::milliseconds(2));
             }
         }},
        {"50 wrong codes from 10 addresses, then the guest",
         [&](int port, scenario::ChildProcess& guest) {
             net::Hello wrong = hello;
             wrong.code = "WRONG";
             for (int i = 0; i < 50; ++i) scenario::knock(port, net::encode(wrong), "127.0.1." + std::to_string(1 + i % 10), 300);
             real_guest(port, guest);
         }},
        {"a guest sending input far ahead",
         [&](int port, scenario::ChildProcess&) { scenario::misbehave(port, hello, scenario::Misdeed::FramesFarAhead, 10000); }},
        {"a guest sending no digests",
         [&](int port, scenario::ChildProcess&) { scenario::misbehave(port, hello, scenario::Misdeed::NoDigests, 10000); }},
        {"a guest with a wrong digest and five 60,000-byte state texts",
         [&](int port, scenario::ChildProcess&) {
             scenario::misbehave(port, hello, scenario::Misdeed::WrongDigestAndHugeTexts, 10000);
         }},
    };
    long normal = 0;
    for (const Attack& a : attacks) {
        std::string says;
        const std::string before = loadavg();
        const long kb = attacked_host_kb(frames, a.run, dir, says);
        if (kb < 0) return 1;
        if (normal == 0) normal = kb;
        std::printf("host peak memory, %s: %.1f MB (%+.2f MB against a normal game); %s; load %s -> %s\n", a.name,
                    kb / 1024.0, (kb - normal) / 1024.0, says.c_str(), before.c_str(), loadavg().c_str());
        std::fflush(stdout);
    }
    return 0;
}
}  // namespace

int run_netplay(int argc, char** argv) {
    NetOptions o;
    if (!parse(argc, argv, o)) {
        std::fputs(kNetUsage, stderr);
        return 2;
    }
    if (o.attacks) return run_attacks(o);
    TempDir dir;
    if (o.link) {
        for (const int delay : o.delays)
            if (!link_run(o, delay, dir)) return 1;
        return 0;
    }
    const char* mode = o.paced ? "paced" : "headless";
    const double direct = ms_per_frame(o, 2, 0, dir);
    if (direct < 0) return 1;
    std::printf("%s loopback delay=2: %.3f ms/frame (%.0f frames/s)\n", mode, direct, 1e3 / direct);
    for (const int delay : o.delays) {
        const double relayed = ms_per_frame(o, delay, o.latency_ms, dir);
        if (relayed < 0) return 1;
        std::printf("%s relay %d ms each way, delay=%s: %.3f ms/frame, %+.3f ms/frame beyond the loopback\n", mode,
                    o.latency_ms, delay_name(delay).c_str(), relayed, relayed - direct);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace bench
