// A guest whose connection drops comes back into the same game: killed in
// play and started again, it catches up from the host's record and the two
// games (and a replay of the host's recording) stay the same; one that never
// comes back ends the game for the host once the seat's time is up; a
// stranger with the code but not the seat's token cannot take it.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "net/net_game.h"
#include "support/child_process.h"
#include "support/net_stranger.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {
using Clock = std::chrono::steady_clock;
const std::string kCode = "TEST-CODE";

// Both hands busy: the host's mouse and fire, the guest's arrows and fire.
std::vector<std::string> hands(bool host, long frames) {
    std::vector<std::string> lines;
    for (long f = 10; f < frames; f += 9) {
        if (host) {
            lines.push_back(std::to_string(f) + " mouse move " + std::to_string((f * 37) % 41 - 20) + " " +
                            std::to_string((f * 53) % 31 - 15));
        } else if (f % 27 == 1) {
            lines.push_back(std::to_string(f) + " key down 0x" + (f % 2 ? "25" : "27"));
            lines.push_back(std::to_string(f + 11) + " key up 0x" + (f % 2 ? "25" : "27"));
        }
    }
    for (long f = 30; f < frames; f += 30) {
        lines.push_back(std::to_string(f) + " key down " + (host ? "0x20" : "0x11"));
        lines.push_back(std::to_string(f + 12) + " key up " + (host ? "0x20" : "0x11"));
    }
    return lines;
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class NetReturn : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(VELMORA_DATA) + "/Levels/Space/Levels/NORMAL.LVL"))
            GTEST_SKIP() << "the generated data is not complete yet";
        // Each side its own settings directory: the guest keeps its seat there.
        host_env_ = {{"XDG_CONFIG_HOME", out_.file("host-config")}};
        guest_env_ = {{"XDG_CONFIG_HOME", out_.file("guest-config")}};
    }
    std::vector<std::string> run(long frames, const std::string& name, const std::vector<long>& checked) {
        std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--frames", std::to_string(frames)};
        for (const long f : checked) args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dump(name, f)});
        return args;
    }
    std::string dump(const std::string& name, long frame) const {
        return out_.file(name + "-" + std::to_string(frame) + ".txt");
    }
    std::vector<std::string> join() const { return {"--join", "127.0.0.1:" + std::to_string(port_), "--code", kCode}; }
    void start_host(long frames, const std::vector<long>& checked, const std::vector<std::string>& extra) {
        port_ = scenario::start_host(host_, with(run(frames, "host", checked), with({"--host", "0", "--code", kCode}, extra)),
                                     out_.file("host.log"), host_env_);
        ASSERT_GT(port_, 0) << host_.output();
    }
    // Starts the guest and kills it once it has dumped `frame`.
    void guest_until(long frame, const std::vector<std::string>& extra) {
        ASSERT_TRUE(first_guest_.start(with(run(1000000, "first", {frame}), with(join(), extra)), out_.file("guest1.log"),
                                       guest_env_));
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (!std::filesystem::exists(dump("first", frame)) && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_TRUE(std::filesystem::exists(dump("first", frame))) << first_guest_.output();
        first_guest_.kill(SIGKILL);
        first_guest_.wait(5000);
    }

    TempDir out_;
    std::map<std::string, std::string> host_env_, guest_env_;
    ChildProcess host_, first_guest_, guest_;
    int port_ = 0;
};

TEST_F(NetReturn, AGuestKilledAndStartedAgainComesBackIntoTheSameGame) {
    const long frames = 3200;
    const std::vector<long> checked = {2600, 2900, 3200};
    ASSERT_TRUE(write_input_script(out_.file("host-in.txt"), hands(true, frames)));
    ASSERT_TRUE(write_input_script(out_.file("guest-in.txt"), hands(false, frames)));
    start_host(frames, checked, {"--seed", "31", "--god", "--input", out_.file("host-in.txt"), "--record",
                                 out_.file("game.txt")});
    guest_until(2000, {"--input", out_.file("guest-in.txt")});
    ASSERT_TRUE(host_.wait_for_output("waiting for it to come back", 15000)) << host_.output();
    const auto restarted = Clock::now();
    ASSERT_TRUE(guest_.start(with(run(frames, "guest", checked), with(join(), {"--input", out_.file("guest-in.txt")})),
                             out_.file("guest2.log"), guest_env_));
    ASSERT_EQ(guest_.wait(90000), 0) << guest_.output();
    ASSERT_EQ(host_.wait(30000), 0) << host_.output();
    EXPECT_NE(host_.output().find("came back started again"), std::string::npos) << host_.output();
    EXPECT_NE(guest_.output().find("caught up with the game at frame"), std::string::npos) << guest_.output();
    EXPECT_EQ(guest_.output().find("network game over"), std::string::npos) << guest_.output();
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - restarted).count(), 60.0);

    const RunResult replay = run_velmora(with(run(frames, "replay", checked), {"--input", out_.file("game.txt")}), host_env_, 120);
    ASSERT_EQ(replay.exit_code, 0) << replay.output;
    for (const long f : checked) {
        const std::string host = read_file(dump("host", f));
        ASSERT_FALSE(host.empty()) << "frame " << f;
        EXPECT_EQ(host, read_file(dump("guest", f))) << "frame " << f;
        EXPECT_EQ(host, read_file(dump("replay", f))) << "frame " << f;
    }
    EXPECT_EQ(dump_number(read_state_dump(dump("host", 3200)), "game_state"), 8) << "still a game in play";
}

TEST_F(NetReturn, AGuestStillRunningComesBackByItselfAfterItsConnectionDropped) {
    const long frames = 1500;
    const std::vector<long> checked = {1000, 1500};
    ASSERT_TRUE(write_input_script(out_.file("host-in.txt"), hands(true, frames)));
    ASSERT_TRUE(write_input_script(out_.file("guest-in.txt"), hands(false, frames)));
    start_host(frames, checked, {"--seed", "5", "--god", "--input", out_.file("host-in.txt")});
    ASSERT_TRUE(guest_.start(with(run(frames, "guest", {400, 1000, 1500}), with(join(), {"--input", out_.file("guest-in.txt")})),
                             out_.file("guest.log"), guest_env_));
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(dump("guest", 400)) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    // Stopped past the 5 s of silence: both sides take the connection for lost.
    guest_.kill(SIGSTOP);
    EXPECT_TRUE(host_.wait_for_output("waiting for it to come back", 15000)) << host_.output();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    guest_.kill(SIGCONT);
    ASSERT_EQ(guest_.wait(60000), 0) << guest_.output();
    ASSERT_EQ(host_.wait(30000), 0) << host_.output();
    EXPECT_NE(guest_.output().find("back in the game"), std::string::npos) << guest_.output();
    EXPECT_NE(host_.output().find("came back"), std::string::npos) << host_.output();
    EXPECT_EQ(host_.output().find("network game over"), std::string::npos) << host_.output();
    for (const long f : checked) {
        const std::string host = read_file(dump("host", f));
        ASSERT_FALSE(host.empty()) << "frame " << f;
        EXPECT_EQ(host, read_file(dump("guest", f))) << "frame " << f;
    }
}

TEST_F(NetReturn, AGuestThatDoesNotComeBackEndsTheGameAndNoStrangerTakesItsSeat) {
    host_env_["VELMORA_TEST_RETURN_MS"] = "4000";  // the 60 s, shortened
    start_host(1000000, {}, {"--god", "--trace", out_.file("host.trace")});
    guest_until(60, {});
    ASSERT_TRUE(host_.wait_for_output("waiting for it to come back", 15000)) << host_.output();
    const auto away = Clock::now();

    // The code alone, or a made-up token, does not give the seat.
    for (const net::Purpose purpose : {net::Purpose::ReturnAnew, net::Purpose::ReturnRunning}) {
        net::Hello hello{kCode, "x", 0, 0, false, purpose, "AAAA-AAAA-BBBB-BBBB"};
        const auto answers = knock(port_, net::encode(hello), "127.0.0.9", 1500);
        ASSERT_EQ(answers.size(), 1u);
        ASSERT_TRUE(std::holds_alternative<net::Refuse>(answers[0]));
        EXPECT_EQ(std::get<net::Refuse>(answers[0]).reason, net::RefuseReason::HasGuest);
    }

    bool paused = false;
    while (!paused && Clock::now() < away + std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        paused = read_file(out_.file("host.trace")).find(" pause level 1\n") != std::string::npos;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - away).count();
    EXPECT_TRUE(paused) << host_.output();
    EXPECT_GT(seconds, 3.5) << "the seat is kept for its time";
    EXPECT_LT(seconds, 6.0);
    EXPECT_NE(host_.output().find("network game over: connection lost"), std::string::npos) << host_.output();
    EXPECT_TRUE(host_.running()) << "the host plays on alone";
}

}  // namespace
