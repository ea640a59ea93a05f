// A host on the loopback against strangers of our own making (no game at the
// other end): connections that never say hello and a flood of attempts do not
// keep the real guest out; datagrams too large for ENet end nothing; a wrong
// code learns nothing and a guesser is cut off; and a guest that gives the
// right code and then sends input far ahead, no digests, or a wrong digest and
// its largest state texts, ends the game with the host's memory where a
// normal game's is.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "net/agreement.h"
#include "net/data_digest.h"
#include "net/join_code.h"
#include "net/session.h"
#include "support/child_process.h"
#include "support/net_stranger.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {
using Clock = std::chrono::steady_clock;
const std::string kCode = "DOOR-7X4K";

double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

class NetStrangers : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(VELMORA_DATA) + "/Levels/Space/Levels/NORMAL.LVL"))
            GTEST_SKIP() << "the generated data is not complete yet";
        env_ = {{"XDG_CONFIG_HOME", out_.file("config")}};
        net::DataDigest data;
        std::string error;
        ASSERT_TRUE(net::digest_data_dir(VELMORA_DATA, data, error)) << error;
        hello_ = net::local_hello(data);
        hello_.code = kCode;
    }
    std::vector<std::string> args(long frames, const std::vector<std::string>& more = {}) const {
        std::vector<std::string> a = {"--headless", "--data", VELMORA_DATA, "--frames", std::to_string(frames),
                                      "--code", kCode};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
    int start(ChildProcess& host, long frames, const std::string& name = "host") {
        const int port =
            start_host(host, args(frames, {"--host", "0", "--seed", "5", "--god"}), out_.file(name + ".log"), env_);
        host.watch_memory();
        return port;
    }
    // A guest of the game joining `port`; seconds until it said it joined (negative: it did not).
    double join(ChildProcess& guest, int port, long frames, const std::string& name = "guest") {
        const auto t = Clock::now();
        if (!guest.start(args(frames, {"--join", "127.0.0.1:" + std::to_string(port)}), out_.file(name + ".log"),
                         env_))
            return -1;
        return guest.wait_for_output("joined the game hosted at", 15000) ? seconds_since(t) : -1;
    }
    TempDir out_;
    std::map<std::string, std::string> env_;
    net::Hello hello_;
};

TEST_F(NetStrangers, IdleConnectionsAndAFloodOfAttemptsDoNotKeepTheGuestOut) {
    {
        // Four connections that never say hello hold no slot for long.
        ChildProcess host, guest;
        const int port = start(host, 100);
        ASSERT_GT(port, 0) << host.output();
        StrangerCrowd idle("127.0.0.2", port, 4, 0);
        for (const auto until = Clock::now() + std::chrono::seconds(5); idle.connected() < 4 && Clock::now() < until;)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(idle.connected(), 4);
        const double joined = join(guest, port, 100);
        EXPECT_GE(joined, 0) << guest.output();
        // At once, with the strangers still connected (a slot they held would
        // cost the guest its whole 5 s); a busy machine takes a while to start it.
        EXPECT_LT(joined, 3.0);
        EXPECT_EQ(guest.wait(20000), 0) << guest.output();
        EXPECT_EQ(host.wait(20000), 0) << host.output();
    }
    {
        // 300 attempts in 6 s; the guest tries 2.5 s in.
        ChildProcess host, guest;
        const int port = start(host, 200, "flooded");
        ASSERT_GT(port, 0) << host.output();
        StrangerCrowd flood("127.0.0.3", port, 300, 6000);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        const double joined = join(guest, port, 200, "flooded-guest");
        const int attempts = flood.attempted();
        EXPECT_GE(joined, 0) << guest.output();
        EXPECT_LT(joined, 3.0) << "within 3 s of trying";
        EXPECT_GT(attempts, 100) << "the flood was on";
        EXPECT_EQ(guest.wait(20000), 0) << guest.output();
        EXPECT_EQ(host.wait(20000), 0) << host.output();
        EXPECT_EQ(host.output().find("network game over"), std::string::npos) << host.output();
    }
}

TEST_F(NetStrangers, DatagramsTooLargeForENetEndNothingWaitingOrInPlay) {
    ChildProcess host, guest;
    const long frames = 3000;
    const int port = start_host(
        host, args(frames, {"--host", "0", "--god", "--dump-state", std::to_string(frames) + ":" + out_.file("host.txt")}),
        out_.file("host.log"), env_);
    ASSERT_GT(port, 0) << host.output();
    for (int i = 0; i < 20; ++i)
        for (const size_t size : {size_t{4097}, size_t{65000}}) ASSERT_TRUE(send_datagram(port, size, "127.0.0.4"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(host.running()) << host.output();

    ASSERT_TRUE(guest.start(args(frames, {"--join", "127.0.0.1:" + std::to_string(port), "--dump-state",
                                          std::to_string(frames) + ":" + out_.file("guest.txt")}),
                            out_.file("guest.log"), env_));
    ASSERT_TRUE(host.wait_for_output(" joined", 15000)) << host.output();
    const std::string log = host.output();
    const size_t at = log.find("the guest at 127.0.0.1:");
    ASSERT_NE(at, std::string::npos);
    const int guest_port = std::atoi(log.c_str() + at + 23);
    // Both ends, all through the game.
    int sent = 0;
    while (host.running() && guest.running() && sent < 2000) {
        for (const size_t size : {size_t{4097}, size_t{65000}}) {
            send_datagram(port, size, "127.0.0.4");
            send_datagram(guest_port, size, "127.0.0.4");
            sent += 2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GT(sent, 20);
    EXPECT_EQ(guest.wait(30000), 0) << guest.output();
    EXPECT_EQ(host.wait(30000), 0) << host.output();
    for (ChildProcess* side : {&host, &guest})
        EXPECT_EQ(side->output().find("network game over"), std::string::npos) << side->output();
    EXPECT_EQ(read_file(out_.file("host.txt")).substr(0, 200), read_file(out_.file("guest.txt")).substr(0, 200));
}

TEST_F(NetStrangers, AWrongCodeLearnsNothingAndAGuesserIsCutOff) {
    ChildProcess host, guest, codeless;
    const int port = start(host, 100);
    ASSERT_GT(port, 0) << host.output();

    net::Hello wrong = hello_;
    wrong.code = "DOOR-7X4L";
    for (int i = 0; i < net::WrongCodes::kMaxWrongCodes; ++i) {
        const std::vector<net::Message> heard = knock(port, net::encode(wrong), "127.0.0.2", 3000);
        ASSERT_EQ(heard.size(), 1u) << "a refusal and nothing else, try " << i << "\n" << host.output();
        const auto* refusal = std::get_if<net::Refuse>(&heard[0]);
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(refusal->reason, net::RefuseReason::WrongCode);
        EXPECT_EQ(refusal->text, "wrong join code") << "no version, no file count, no digest";
    }
    // That address is not heard again, not even with the right code.
    bool connected = true;
    EXPECT_TRUE(knock(port, net::encode(hello_), "127.0.0.2", 1500, &connected).empty());
    EXPECT_FALSE(connected);

    // Other first messages learn as little.
    const std::vector<net::Message> other = knock(port, net::encode(net::Input{}), "127.0.0.5", 3000);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(std::get<net::Refuse>(other[0]).text, "the first message was not an introduction");

    // A guest of the game without the code is told to give it; with it, it joins.
    ASSERT_TRUE(codeless.start({"--headless", "--data", VELMORA_DATA, "--join", "127.0.0.1:" + std::to_string(port)},
                               out_.file("codeless.log"), env_));
    EXPECT_EQ(codeless.wait(15000), 1);
    EXPECT_NE(codeless.output().find("the host refused: wrong join code (the host asks for one: give it with --code)"),
              std::string::npos)
        << codeless.output();
    EXPECT_GE(join(guest, port, 100), 0) << guest.output() << host.output();
    EXPECT_EQ(guest.wait(20000), 0) << guest.output();
    EXPECT_EQ(host.wait(20000), 0) << host.output();
}

// Three guests that give the right code and then misbehave, each against a
// host of its own, beside a normal game of the same length.
TEST_F(NetStrangers, AGuestThatMisbehavesEndsTheGameAndTheHostStaysSmall) {
    const long frames = 300;
    long normal_kb = 0;
    {
        ChildProcess host, guest;
        const int port = start(host, frames, "normal");
        ASSERT_GT(port, 0) << host.output();
        ASSERT_GE(join(guest, port, frames, "normal-guest"), 0) << guest.output();
        ASSERT_EQ(host.wait(30000), 0) << host.output();
        ASSERT_EQ(guest.wait(30000), 0) << guest.output();
        normal_kb = host.peak_memory_kb();
        ASSERT_GT(normal_kb, 0);
    }
    struct Case {
        Misdeed misdeed;
        const char* name;
        const char* host_says;
    };
    const Case cases[] = {
        {Misdeed::FramesFarAhead, "far", "the other player sent a bad message (input for frame "},
        {Misdeed::NoDigests, "silent", "the other player's game stopped reporting (frame 11)"},
        {Misdeed::WrongDigestAndHugeTexts, "wrong", "the two games differ at frame 11"},
    };
    for (const Case& c : cases) {
        ChildProcess host;
        env_["XDG_CONFIG_HOME"] = out_.file(std::string("config-") + c.name);
        const int port = start(host, frames, c.name);
        ASSERT_GT(port, 0) << host.output();
        const MisdeedOutcome outcome = misbehave(port, hello_, c.misdeed, 8000);
        EXPECT_TRUE(outcome.welcomed) << c.name;
        EXPECT_EQ(host.wait(30000), 0) << host.output();
        EXPECT_NE(host.output().find(std::string("network game over: ") + c.host_says), std::string::npos)
            << c.name << ": " << host.output();
        EXPECT_LT(host.peak_memory_kb(), normal_kb + 2048)
            << c.name << ": " << host.peak_memory_kb() << " kB against " << normal_kb << " kB in a normal game";

        std::vector<std::string> reports;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(out_.file(std::string("config-") + c.name + "/velmora"), ec))
            reports.push_back(e.path().filename().string());
        if (c.misdeed == Misdeed::FramesFarAhead) {
            EXPECT_TRUE(outcome.hung_up) << "disconnected";
        } else if (c.misdeed == Misdeed::NoDigests) {
            // Due once frame 11 is kDigestGraceFrames + the delay behind.
            const std::string log = host.output();
            const size_t ended = log.find("ended at frame ");
            ASSERT_NE(ended, std::string::npos) << log;
            EXPECT_LE(std::atol(log.c_str() + ended + 15), 11 + net::kDigestGraceFrames + 4);
            bool told = false;
            for (const net::Message& m : outcome.received)
                told = told || (std::holds_alternative<net::Bye>(m) &&
                                std::get<net::Bye>(m).reason == net::ByeReason::OutOfStep);
            EXPECT_TRUE(told) << "the guest hears why";
            EXPECT_EQ(reports.size(), 1u) << "the host's own state";
        } else {
            // Its own state whole, the guest's (sent five times) once and capped.
            ASSERT_EQ(reports.size(), 2u);
            for (const std::string& name : reports)
                if (name.find("-guest.txt") != std::string::npos) {
                    EXPECT_LE(std::filesystem::file_size(out_.file(std::string("config-") + c.name + "/velmora/" + name)),
                              net::kMaxStateBytes);
                }
        }
    }
}

}  // namespace
