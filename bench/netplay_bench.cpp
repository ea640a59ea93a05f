// Network play measured: a host and a guest as two processes of the real
// game on the loopback, both played by the autopilot, directly or through the
// test relay holding every packet for a given latency. A run's cost per frame
// is the difference between two runs of different length divided by the
// frames between them, so start-up, agreement and level loading cancel out.
//
//   velmora_bench --netplay [--frames N] [--latency MS] [--delays 0,2,4] [--paced]
//
// Headless runs (the default) go as fast as the lockstep lets them; --paced
// runs both games in real time in windows on SDL's dummy video driver, where
// the figure that matters is the time per frame beyond the 45 ms play frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench_registry.h"
#include "game_session.h"
#include "net/data_digest.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/udp_relay.h"

namespace bench {
namespace {
using Clock = std::chrono::steady_clock;

struct NetOptions {
    long frames = 1000;  // the longer run; the shorter one is a fifth of it
    int latency_ms = 50;
    std::vector<int> delays = {0, 2, 4};
    bool paced = false;
};

const char* const kNetUsage =
    "velmora_bench --netplay [--frames N] [--latency MS] [--delays D,D,...] [--paced]\n"
    "Plays two-player network games between two processes on the loopback and\n"
    "prints the time per frame: directly at delay 2, then through a relay adding\n"
    "MS milliseconds each way (default 50) at each input delay (default 0,2,4).\n"
    "--paced: real-time games in windows (SDL dummy video driver) instead of\n"
    "headless ones.\n";

bool parse(int argc, char** argv, NetOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool has_value = i + 1 < argc;
        if (a == "--frames" && has_value) o.frames = std::atol(argv[++i]);
        else if (a == "--latency" && has_value) o.latency_ms = std::atoi(argv[++i]);
        else if (a == "--delays" && has_value) {
            o.delays.clear();
            std::stringstream list(argv[++i]);
            for (std::string d; std::getline(list, d, ',');) o.delays.push_back(std::atoi(d.c_str()));
        } else if (a == "--paced") o.paced = true;
        else return false;
    }
    return o.frames >= 50 && !o.delays.empty();
}

// Seconds from the host's start to both games' end; negative on failure.
double run_game(const NetOptions& o, long frames, int delay, int latency_ms, const TempDir& dir) {
    std::vector<std::string> common = {"--data", data_dir(), "--frames", std::to_string(frames), "--autopilot=2"};
    std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", dir.file("config")}};
    if (o.paced) {
        common.insert(common.end(), {"--windowed", "--scale", "1"});
        env["SDL_VIDEODRIVER"] = "dummy";
        env["SDL_AUDIODRIVER"] = "dummy";
    } else {
        common.push_back("--headless");
    }
    scenario::ChildProcess host, guest;
    const auto start = Clock::now();
    std::vector<std::string> host_args = common;
    host_args.insert(host_args.end(), {"--host", "0", "--god", "--net-delay", std::to_string(delay)});
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
    std::vector<std::string> guest_args = common;
    guest_args.insert(guest_args.end(), {"--join", "127.0.0.1:" + std::to_string(join_port)});
    if (!guest.start(guest_args, dir.file("guest.log"), env, 3600)) return -1;
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
}  // namespace

int run_netplay(int argc, char** argv) {
    NetOptions o;
    if (!parse(argc, argv, o)) {
        std::fputs(kNetUsage, stderr);
        return 2;
    }
    TempDir dir;
    const char* mode = o.paced ? "paced" : "headless";
    const double direct = ms_per_frame(o, 2, 0, dir);
    if (direct < 0) return 1;
    std::printf("%s loopback delay=2: %.3f ms/frame (%.0f frames/s)\n", mode, direct, 1e3 / direct);
    for (const int delay : o.delays) {
        const double relayed = ms_per_frame(o, delay, o.latency_ms, dir);
        if (relayed < 0) return 1;
        std::printf("%s relay %d ms each way, delay=%d: %.3f ms/frame, %+.3f ms/frame beyond the loopback\n", mode,
                    o.latency_ms, delay, relayed, relayed - direct);
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace bench
