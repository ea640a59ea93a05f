// Finding a game on the local network, with real processes on the loopback
// (which has no broadcast: the probes go to 127.0.0.1 directly): a waiting
// host answers with its name, port and whether it asks for a code; a flood
// of probes gets no more answers than the rate; a guest given no address
// finds the host and joins it.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "net/discovery.h"
#include "support/child_process.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {

// Sends `count` probes to the loopback's `port` at once and gathers the
// answers for `wait_ms`.
std::vector<net::HostAnswer> probe(int port, int count, int wait_ms) {
    std::vector<net::HostAnswer> answers;
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < count; ++i) {
        const std::vector<uint8_t> bytes = net::encode_probe(static_cast<uint32_t>(1000 + i));
        ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, wait_ms) > 0) {
        uint8_t buffer[128];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        net::HostAnswer answer;
        std::string error;
        if (got > 0 && net::decode_answer(buffer, static_cast<size_t>(got), answer, error)) answers.push_back(answer);
    }
    ::close(fd);
    return answers;
}

TEST(NetFind, AWaitingHostAnswersWithinItsRateAndAGuestWithoutAnAddressJoinsIt) {
    if (!std::filesystem::exists(std::string(VELMORA_DATA) + "/Levels/Space/Levels/NORMAL.LVL"))
        GTEST_SKIP() << "the generated data is not complete yet";
    TempDir out;
    const std::map<std::string, std::string> env = {{"XDG_CONFIG_HOME", out.file("config")}};
    ChildProcess host, guest;
    const int port = start_host(host, {"--headless", "--data", VELMORA_DATA, "--frames", "200", "--host", "0",
                                       "--code", "FIND-ME", "--name", "Ada"},
                                out.file("host.log"), env);
    ASSERT_GT(port, 0) << host.output();

    const auto one = probe(port, 1, 500);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].name, "Ada");
    EXPECT_EQ(one[0].port, port);
    EXPECT_TRUE(one[0].needs_code);
    EXPECT_EQ(one[0].nonce, 1000u);

    const auto flood = probe(port, 300, 500);
    EXPECT_GE(flood.size(), 1u);
    EXPECT_LE(flood.size(), static_cast<size_t>(net::Beacon::kAnswersPerSecond) + 2) << "no more than the rate";

    auto guest_env = env;
    guest_env["VELMORA_TEST_DISCOVERY_PORT"] = std::to_string(port);
    guest_env["XDG_CONFIG_HOME"] = out.file("guest-config");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // the bucket fills again
    ASSERT_TRUE(guest.start({"--headless", "--data", VELMORA_DATA, "--frames", "200", "--join", "--code", "FIND-ME"},
                            out.file("guest.log"), guest_env));
    EXPECT_EQ(guest.wait(30000), 0) << guest.output();
    EXPECT_EQ(host.wait(30000), 0) << host.output();
    // Over the loopback, or this machine's own network when it has one.
    const size_t at = guest.output().find("joining Ada's game at ");
    ASSERT_NE(at, std::string::npos) << guest.output();
    const std::string joining = guest.output().substr(at);
    EXPECT_NE(joining.find(":" + std::to_string(port) + "\n"), std::string::npos) << guest.output();
    EXPECT_NE(guest.output().find("joined the game hosted at"), std::string::npos) << guest.output();
}

}  // namespace
