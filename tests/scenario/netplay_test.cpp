// Network play between two real processes on the loopback: the two games are
// the same game (and the same as a replay of the host's recording), also
// through a relay that loses, repeats, delays and reorders packets, and one
// that slows down while they play (the delay follows); a sprite a pixel out
// of place on one side ends the game within a second; a guest that vanishes
// sends the host back to the title; guests that do not agree (naming the
// file that differs), a second guest and bad messages are turned away, and a
// guest finding no game says so.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <memory>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "net/agreement.h"
#include "net/data_digest.h"
#include "net/enet_transport.h"
#include "net/net_game.h"
#include "net/session.h"
#include "support/child_process.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/udp_relay.h"
#include "writers/data_writers.h"

using namespace scenario;

namespace {
using Clock = std::chrono::steady_clock;
const std::string kCode = "TEST-CODE";

// Player one's hand: the mouse wanders and both its fire buttons are pressed
// now and then; one arrow press that is player two's and must not count.
std::vector<std::string> host_script(long frames) {
    std::vector<std::string> lines;
    for (long f = 10; f < frames; f += 7)
        lines.push_back(std::to_string(f) + " mouse move " + std::to_string((f * 37) % 41 - 20) + " " +
                        std::to_string((f * 53) % 31 - 15));
    for (long f = 30; f < frames; f += 30) {
        lines.push_back(std::to_string(f) + " key down 0x20");
        lines.push_back(std::to_string(f + 15) + " key up 0x20");
    }
    for (long f = 100; f < frames; f += 200) {
        lines.push_back(std::to_string(f) + " mouse button 0 down");
        lines.push_back(std::to_string(f + 40) + " mouse button 0 up");
    }
    lines.push_back("555 key down 0x26");
    lines.push_back("556 key up 0x26");
    return lines;
}

// Player two's hand: a direction held for half of every 25 frames, Ctrl
// every 20; one Space press that is player one's and must not count.
std::vector<std::string> guest_script(long frames) {
    const char* directions[] = {"0x25", "0x26", "0x27", "0x28", "0x64", "0x68", "0x66", "0x65"};
    std::vector<std::string> lines;
    for (long f = 25, i = 0; f < frames; f += 25, ++i) {
        lines.push_back(std::to_string(f) + " key down " + directions[i % 8]);
        lines.push_back(std::to_string(f + 12) + " key up " + directions[i % 8]);
    }
    for (long f = 20; f < frames; f += 20) {
        lines.push_back(std::to_string(f) + " key down 0x11");
        lines.push_back(std::to_string(f + 10) + " key up 0x11");
    }
    lines.push_back("777 key down 0x20");
    lines.push_back("778 key up 0x20");
    return lines;
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A host and its guest, both headless on the generated data.
class NetPlay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(VELMORA_DATA) + "/Levels/Space/Levels/NORMAL.LVL"))
            GTEST_SKIP() << "the generated data is not complete yet";
        env_ = {{"XDG_CONFIG_HOME", out_.file("config")}};
    }
    // The arguments of a run of `frames` frames dumping its state after each
    // frame of `checked` into out/<name>-<frame>.txt.
    std::vector<std::string> common(long frames, const std::string& name = "", const std::vector<long>& checked = {}) {
        std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--frames", std::to_string(frames)};
        for (const long f : checked) args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dump(name, f)});
        return args;
    }
    std::string dump(const std::string& name, long frame) const {
        return out_.file(name + "-" + std::to_string(frame) + ".txt");
    }
    // Plays a game of `frames` frames between a host with `host_args` and a
    // guest with `guest_args` (through a relay with `faults`, if given), both
    // dumping after each frame of `checked`.
    void play_pair(long frames, const std::vector<long>& checked, const std::vector<std::string>& host_args,
                   const std::vector<std::string>& guest_args, const RelayFaults* faults = nullptr) {
        const int port = start_host(
            host_, with(common(frames, "host", checked), with({"--host", "0", "--code", kCode}, host_args)),
            out_.file("host.log"), env_);
        ASSERT_GT(port, 0) << host_.output();
        std::unique_ptr<UdpRelay> relay;
        if (faults != nullptr) {
            relay = std::make_unique<UdpRelay>(port, *faults, 40000, 60);
            ASSERT_TRUE(relay->ok());
        }
        const int join = relay ? relay->port() : port;
        ASSERT_TRUE(guest_.start(
            with(common(frames, "guest", checked),
                 with({"--join", "127.0.0.1:" + std::to_string(join), "--code", kCode}, guest_args)),
            out_.file("guest.log"), guest_env_.empty() ? env_ : guest_env_));
        ASSERT_EQ(guest_.wait(60000), 0) << guest_.output();
        ASSERT_EQ(host_.wait(60000), 0) << host_.output();
        if (relay) {
            relay->stop();
            relay_counts_ = relay->counts();
        }
    }
    // The two machines' dumps are the same (and the replay's, when named).
    void expect_same_game(const std::vector<long>& checked, const std::string& replay = "") {
        for (const long f : checked) {
            const std::string host = read_file(dump("host", f));
            ASSERT_FALSE(host.empty()) << "frame " << f;
            EXPECT_EQ(host, read_file(dump("guest", f))) << "frame " << f;
            if (!replay.empty()) {
                EXPECT_EQ(host, read_file(dump(replay, f))) << "frame " << f;
            }
        }
    }
    // Replays a recording with the dumps named `name`.
    void replay(const std::string& name, long frames, const std::vector<long>& checked, const std::string& script) {
        const RunResult r = run_velmora(with(common(frames, name, checked), {"--input", script}), env_, 120);
        EXPECT_EQ(r.exit_code, 0) << r.output;
    }

    TempDir out_;
    std::map<std::string, std::string> env_, guest_env_;
    ChildProcess host_, guest_;
    RelayCounts relay_counts_;
};

TEST_F(NetPlay, TwoMachinesPlayOneGameThatTheHostsRecordingReplays) {
    const long frames = 2000;
    const std::vector<long> checked = {300, 1000, 1500, 2000};
    ASSERT_TRUE(write_input_script(out_.file("host-in.txt"), host_script(frames)));
    ASSERT_TRUE(write_input_script(out_.file("guest-in.txt"), guest_script(frames)));
    play_pair(frames, checked,
              {"--seed", "77", "--god", "--input", out_.file("host-in.txt"), "--record", out_.file("game.txt")},
              {"--input", out_.file("guest-in.txt")});
    replay("replay", frames, checked, out_.file("game.txt"));
    expect_same_game(checked, "replay");
    EXPECT_NE(host_.output().find("input delay 2 frames (92 ms) from the start"), std::string::npos)
        << "the loopback's round trip asks for no more: " << host_.output();
    const StateDump last = read_state_dump(dump("host", 2000));
    EXPECT_EQ(dump_number(last, "game_state"), 8) << "a two-player game should be on";
    EXPECT_EQ(dump_number(last, "player2"), 1);

    // Both hands reached the game, each side's only, after the input delay.
    const std::string recording = read_file(out_.file("game.txt"));
    EXPECT_NE(recording.find("\n42 key down 0x11\n"), std::string::npos) << "the guest's fire, 2 frames late";
    EXPECT_NE(recording.find("\n32 key down 0x20\n"), std::string::npos) << "the host's fire, 2 frames late";
    EXPECT_EQ(recording.find("\n557 key down 0x26\n"), std::string::npos) << "the host's arrow is not its to play";
    EXPECT_EQ(recording.find("\n779 key down 0x20\n"), std::string::npos) << "the guest's Space is not its to play";
}

TEST_F(NetPlay, GamesStayTheSameThroughALossyReorderingRelay) {
    const long frames = 300;
    const std::vector<long> checked = {150, 300};
    ASSERT_TRUE(write_input_script(out_.file("host-in.txt"), host_script(frames)));
    ASSERT_TRUE(write_input_script(out_.file("guest-in.txt"), guest_script(frames)));
    RelayFaults faults;
    faults.delay_ms = 2;
    faults.jitter_ms = 8;
    faults.drop_percent = 3;
    faults.duplicate_percent = 5;
    play_pair(frames, checked, {"--god", "--net-delay", "3", "--input", out_.file("host-in.txt")},
              {"--input", out_.file("guest-in.txt")}, &faults);
    EXPECT_GT(relay_counts_.dropped, 0);
    EXPECT_GT(relay_counts_.duplicated, 0);
    EXPECT_GT(relay_counts_.overtaken, 0);
    expect_same_game(checked);
    EXPECT_EQ(host_.output().find("network game over"), std::string::npos) << host_.output();
    EXPECT_EQ(guest_.output().find("network game over"), std::string::npos) << guest_.output();
}

TEST_F(NetPlay, AVanishedGuestSendsTheHostBackToTheTitleWithinSixSeconds) {
    const long frames = 1000000;  // the run is ended by the test
    auto host_env = env_;
    host_env["VELMORA_TEST_RETURN_MS"] = "100";  // its seat is not kept for long here
    const int port = start_host(
        host_, with(common(frames), {"--host", "0", "--code", kCode, "--god", "--trace", out_.file("host.trace")}),
        out_.file("host.log"), host_env);
    ASSERT_GT(port, 0) << host_.output();
    const std::string playing = dump("guest", 60);
    ASSERT_TRUE(guest_.start(
        with(common(frames, "guest", {60}), {"--join", "127.0.0.1:" + std::to_string(port), "--code", kCode}),
        out_.file("guest.log"), env_));
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!std::filesystem::exists(playing) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(std::filesystem::exists(playing)) << guest_.output();

    guest_.kill(SIGKILL);
    const auto killed = Clock::now();
    bool paused = false;
    while (!paused && Clock::now() < killed + std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        paused = read_file(out_.file("host.trace")).find(" pause level 1\n") != std::string::npos;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - killed).count();
    EXPECT_TRUE(paused) << host_.output();
    EXPECT_LT(seconds, 6.0);
    EXPECT_GT(seconds, 4.0) << "a short stall is waited out, not taken for a lost connection";
    EXPECT_NE(host_.output().find("network game over: connection lost"), std::string::npos) << host_.output();
    EXPECT_TRUE(host_.running()) << "the host plays on alone";
}

// Each player's autofire choice holds for their own ship on both machines:
// the host's is off, the guest's on, and both hold their fire button.
TEST_F(NetPlay, EachPlayersAutofireHoldsOnBothMachinesAndInTheRecording) {
    const long frames = 300;
    const std::vector<long> checked = {150, 300};
    ASSERT_TRUE(write_input_script(out_.file("host-in.txt"), {"30 key down 0x20", "250 key up 0x20"}));
    ASSERT_TRUE(write_input_script(out_.file("guest-in.txt"), {"30 key down 0x11", "250 key up 0x11"}));
    play_pair(frames, checked,
              {"--seed", "5", "--god", "--autofire=no", "--input", out_.file("host-in.txt"), "--record",
               out_.file("game.txt")},
              {"--autofire", "--input", out_.file("guest-in.txt")});

    // The recording holds the real presses and whose hold tapped.
    const std::string recording = read_file(out_.file("game.txt"));
    EXPECT_NE(recording.find("\nautofire 2\n"), std::string::npos) << recording;
    for (const char* line : {"\n32 key down 0x20\n", "\n32 key down 0x11\n", "\n252 key up 0x11\n"})
        EXPECT_NE(recording.find(line), std::string::npos) << line;
    EXPECT_EQ(recording.find("key up 0x11"), recording.rfind("key up 0x11")) << "no made-up releases";

    replay("replay", frames, checked, out_.file("game.txt"));
    std::string without = recording;
    without.erase(without.find("autofire 2\n"), 11);
    ASSERT_TRUE(writers::write_text(out_.file("without.txt"), without));
    replay("without", frames, checked, out_.file("without.txt"));

    expect_same_game(checked, "replay");
    EXPECT_EQ(dump_number(read_state_dump(dump("host", 300)), "game_state"), 8) << "still in play";
    EXPECT_NE(read_file(dump("without", 300)), read_file(dump("replay", 300)))
        << "without the line the guest's hold is a single press";
}

// One sprite a pixel lower in the guest's game alone (the test hook): both
// games stop within a second of play, each with both states on disk.
TEST_F(NetPlay, APixelOutOfPlaceOnOneSideEndsTheGameWithinASecond) {
    const long frames = 600, nudged = 200;
    guest_env_ = env_;
    guest_env_["XDG_CONFIG_HOME"] = out_.file("guest-config");
    guest_env_[net::kNudgeVariable] = std::to_string(nudged);
    play_pair(frames, {}, {"--god"}, {});
    const std::string over = "network game over: the two games differ at frame ";
    for (ChildProcess* side : {&host_, &guest_}) {
        const std::string log = side->output();
        const size_t at = log.find(over);
        ASSERT_NE(at, std::string::npos) << log;
        const long differ = std::atol(log.c_str() + at + over.size());
        EXPECT_GT(differ, nudged);
        EXPECT_LE(differ, nudged + net::kDigestInterval);
        const size_t ended = log.find("ended at frame ");
        ASSERT_NE(ended, std::string::npos) << log;
        EXPECT_LE(std::atol(log.c_str() + ended + 15), nudged + 22) << "seen within a second of play";
    }
    EXPECT_NE(guest_.output().find("test hook: sprite"), std::string::npos);
    // Each side wrote its own state and the other's; they differ.
    for (const std::string& dir : {out_.file("config/velmora"), out_.file("guest-config/velmora")}) {
        std::vector<std::string> texts;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().filename().string().rfind("velmora-desync-", 0) == 0) texts.push_back(read_file(entry.path()));
        ASSERT_EQ(texts.size(), 2u) << dir;
        EXPECT_NE(texts[0], texts[1]);
        EXPECT_NE(texts[0].find("\nsprite "), std::string::npos) << "every sprite is in it";
    }
}

// Real-time games (windows on SDL's dummy driver) through a relay holding
// packets 50 +- 15 ms each way, losing, repeating and reordering some, that
// turns much slower during play: the host picks a delay from the round trip and
// raises it when waits recur; the games stay the same.
TEST_F(NetPlay, TheDelayFollowsTheLinkAndTheGamesStayTheSame) {
    const long frames = 360;
    env_["SDL_VIDEODRIVER"] = "dummy";
    env_["SDL_AUDIODRIVER"] = "dummy";
    const std::vector<std::string> paced = {"--data", VELMORA_DATA, "--windowed", "--scale", "1", "--frames",
                                            std::to_string(frames), "--dump-state",
                                            std::to_string(frames) + ":" + dump("host", frames), "--autopilot=2"};
    const int port = start_host(host_, with(paced, {"--host", "0", "--code", kCode, "--god"}), out_.file("host.log"),
                                env_);
    ASSERT_GT(port, 0) << host_.output();
    RelayFaults faults;
    faults.delay_ms = 35;
    faults.jitter_ms = 30;
    faults.drop_percent = 5;
    faults.duplicate_percent = 2;
    UdpRelay relay(port, faults, 1000000, 120);
    ASSERT_TRUE(relay.ok());
    std::vector<std::string> guest = paced;
    guest[8] = std::to_string(frames) + ":" + dump("guest", frames);
    ASSERT_TRUE(guest_.start(with(guest, {"--join", "127.0.0.1:" + std::to_string(relay.port()), "--code", kCode}),
                             out_.file("guest.log"), env_));
    ASSERT_TRUE(host_.wait_for_output("from the start", 20000)) << host_.output();
    const std::string chosen = host_.output();
    const size_t at = chosen.find("input delay ");
    ASSERT_NE(at, std::string::npos) << chosen;
    const int first = std::atoi(chosen.c_str() + at + 12);
    EXPECT_GE(first, 2);
    EXPECT_LE(first, 4) << chosen;

    // A few seconds in, the link slows to 150 +- 15 ms each way: more than 4
    // frames' worth, whatever was chosen at the start.
    std::this_thread::sleep_for(std::chrono::seconds(5));
    faults.delay_ms = 135;
    relay.set_faults(faults);
    ASSERT_EQ(guest_.wait(60000), 0) << guest_.output();
    ASSERT_EQ(host_.wait(60000), 0) << host_.output();
    const std::string log = host_.output();
    const size_t raised = log.find(" from frame ");
    ASSERT_NE(raised, std::string::npos) << "the delay never moved: " << log;
    EXPECT_GT(std::atoi(log.c_str() + log.rfind("input delay ", raised) + 12), first) << log;
    EXPECT_NE(guest_.output().find(" from frame "), std::string::npos) << "the guest moved with it";
    // The clocks of two real-time games differ; everything else is the same.
    const auto without_clocks = [](std::string dump) {
        for (const char* key : {"time_us ", "frame_time "}) {
            const size_t at = dump.find(std::string("\n") + key);
            if (at != std::string::npos) dump.erase(at + 1, dump.find('\n', at + 1) - at);
        }
        return dump;
    };
    const std::string host_dump = read_file(dump("host", frames));
    ASSERT_NE(host_dump.find("play_digest "), std::string::npos) << host_dump;
    EXPECT_EQ(without_clocks(host_dump), without_clocks(read_file(dump("guest", frames))));
    EXPECT_EQ(log.find("network game over: "), std::string::npos) << log;
}

// Guests on small data trees written by the test: the game they start has no
// level and goes back to the title menu, where both sides idle in lockstep.
TEST(NetPlayAgreement, MismatchedDataAndASecondGuestAreRefusedWithTheirReasons) {
    TempDir out;
    const std::string same = out.file("data"), other = out.file("other-data");
    ASSERT_TRUE(write_minimal_data_tree(same));
    ASSERT_TRUE(write_minimal_data_tree(other));
    ASSERT_TRUE(writers::write_text(other + "/Levels/Resource/extra.txt", "one more file\n"));
    const std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", out.file("config")}};
    auto args = [](const std::string& data) {
        return std::vector<std::string>{"--headless", "--data", data, "--frames", "1000000", "--code", kCode};
    };

    ChildProcess host, mismatched, guest, second;
    const int port = start_host(host, with(args(same), {"--host", "0"}), out.file("host.log"), env);
    ASSERT_GT(port, 0) << host.output();
    const std::string address = "127.0.0.1:" + std::to_string(port);

    ASSERT_TRUE(mismatched.start(with(args(other), {"--join", address}), out.file("mismatched.log"), env));
    EXPECT_EQ(mismatched.wait(20000), 1);
    const std::string named = "the first that differs is 'Levels/Resource/extra.txt' (only the guest has it)";
    EXPECT_NE(mismatched.output().find("the host refused: the data sets differ; " + named), std::string::npos)
        << mismatched.output();
    EXPECT_TRUE(host.wait_for_output("refused the guest at 127.0.0.1:", 5000)) << host.output();
    net::DataDigest mine, theirs;
    std::string error;
    ASSERT_TRUE(net::digest_data_dir(same, mine, error) && net::digest_data_dir(other, theirs, error)) << error;
    EXPECT_NE(host.output().find("the data sets differ: the host has " + std::to_string(mine.files) +
                                 " files, the guest " + std::to_string(theirs.files) + "; " + named),
              std::string::npos)
        << host.output();

    // The host still waits, and the next guest that agrees joins.
    ASSERT_TRUE(guest.start(with(args(same), {"--join", address}), out.file("guest.log"), env));
    ASSERT_TRUE(host.wait_for_output(" joined", 20000)) << host.output();
    ASSERT_TRUE(guest.wait_for_output("joined the game hosted at", 5000)) << guest.output();

    // Another machine: its own settings, without the first guest's seat.
    ASSERT_TRUE(second.start(with(args(same), {"--join", address}), out.file("second.log"),
                             {{"XDG_CONFIG_HOME", out.file("config-second")}}));
    EXPECT_EQ(second.wait(20000), 1);
    EXPECT_NE(second.output().find("the host refused: the host already has a guest"), std::string::npos)
        << second.output();
    EXPECT_TRUE(host.wait_for_output("already has a guest", 5000)) << host.output();
    EXPECT_TRUE(host.running() && guest.running()) << "the game goes on";
    EXPECT_EQ(host.output().find("network game over"), std::string::npos) << host.output();
}

// A guest that agrees and then sends what no game sends: the host drops it
// with a message and plays on alone.
TEST(NetPlayAgreement, ABadMessageEndsTheNetworkGameNotTheHost) {
    TempDir out;
    const std::string data = out.file("data");
    ASSERT_TRUE(write_minimal_data_tree(data));
    net::DataDigest digest;
    std::string error;
    ASSERT_TRUE(net::digest_data_dir(data, digest, error)) << error;
    const std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", out.file("config")}};

    const std::vector<std::pair<std::string, std::vector<uint8_t>>> bad = {
        {"cut short in digest frame", {net::kMagic, net::kFormatVersion, 4, 3, 0, 0, 0, 1}},
        {"oversized message of 100000 bytes", std::vector<uint8_t>(100000, net::kMagic)},
    };
    for (const auto& [says, bytes] : bad) {
        ChildProcess host;
        const int port = start_host(host, {"--headless", "--data", data, "--frames", "300", "--host", "0", "--code", kCode},
                                    out.file("host.log"), env);
        ASSERT_GT(port, 0) << host.output();
        net::Hello hello = net::local_hello(digest);
        hello.code = kCode;
        net::Joining joining;
        auto link = net::join_host("127.0.0.1", port, hello, digest.entries, joining, error);
        ASSERT_TRUE(link) << error;
        link->send(bytes, net::Delivery::Reliable);
        // Served until the host hangs up: a large message goes out in pieces.
        const auto until = Clock::now() + std::chrono::seconds(20);
        while (host.running() && Clock::now() < until) link->poll(10);
        EXPECT_EQ(host.wait(1000), 0) << host.output();
        EXPECT_NE(host.output().find("network game over: the other player sent a bad message (" + says),
                  std::string::npos)
            << host.output();
    }
}

// Nothing listens on the port: the guest says so at once instead of waiting.
TEST(NetPlayAgreement, AGuestFindingNoGameSaysSo) {
    TempDir out;
    const std::string data = out.file("data");
    ASSERT_TRUE(write_minimal_data_tree(data));
    int unused = 0;
    {
        // A port that was free a moment ago.
        std::string error;
        auto listening = net::GuestWait::listen(0, error);
        ASSERT_TRUE(listening);
        unused = listening->port();
    }
    const auto start = Clock::now();
    const RunResult r = run_velmora({"--headless", "--data", data, "--join", "127.0.0.1:" + std::to_string(unused)},
                                    {{"XDG_CONFIG_HOME", out.file("config")}}, 20);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.output.find("no game is hosted at 127.0.0.1:" + std::to_string(unused) +
                            " (nothing listens on that UDP port)"),
              std::string::npos)
        << r.output;
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 3.0);
}

}  // namespace
