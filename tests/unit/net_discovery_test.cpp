// Finding games: the probe and the answer read back as written and nothing
// else is taken for them; a host answers only its own networks, within its
// rate, and never tells its code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/discovery.h"

namespace {
using namespace net;

TEST(NetDiscovery, ProbesAndAnswersReadBackAndNothingElseIsTakenForThem) {
    uint32_t nonce = 0;
    const std::vector<uint8_t> probe = encode_probe(0xDEADBEEF);
    ASSERT_TRUE(decode_probe(probe.data(), probe.size(), nonce));
    EXPECT_EQ(nonce, 0xDEADBEEFu);
    std::vector<uint8_t> longer = probe;
    longer.push_back(0);
    EXPECT_FALSE(decode_probe(longer.data(), longer.size(), nonce));
    EXPECT_TRUE(is_probe(longer.data(), longer.size())) << "still one, of some other length: not ENet's";

    const HostAnswer sent{7, 27183, true, std::string(40, 'n')};
    const std::vector<uint8_t> bytes = encode_answer(sent);
    HostAnswer back;
    std::string error;
    ASSERT_TRUE(decode_answer(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.name, std::string(kMaxHostNameBytes, 'n')) << "the name is cut to its limit";
    EXPECT_EQ(back.port, 27183);
    EXPECT_TRUE(back.needs_code);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(decode_answer(bytes.data(), cut, back, error)) << cut;
    }
    std::vector<uint8_t> bad = bytes;
    bad[15] = 2;  // the code flag
    EXPECT_FALSE(decode_answer(bad.data(), bad.size(), back, error));
    bad = bytes;
    bad.back() = '\n';
    EXPECT_FALSE(decode_answer(bad.data(), bad.size(), back, error)) << "names are printable";
    EXPECT_EQ(host_name("Ada\x01\x7F Lovelace"), "Ada Lovelace");
}

TEST(NetDiscovery, AHostAnswersItsOwnNetworksOnlyAndWithinItsRate) {
    Beacon beacon(HostAnswer{0, 5000, false, "Ada"}, {{0xC0A80100u, 0xFFFFFF00u}, {0x7F000000u, 0xFF000000u}});
    const std::vector<uint8_t> probe = encode_probe(42);
    const uint32_t neighbour = 0xC0A80117u, stranger = 0x08080808u;
    EXPECT_FALSE(beacon.answer(stranger, probe.data(), probe.size(), 0)) << "not a local address";
    const auto reply = beacon.answer(neighbour, probe.data(), probe.size(), 0);
    ASSERT_TRUE(reply);
    HostAnswer answer;
    std::string error;
    ASSERT_TRUE(decode_answer(reply->data(), reply->size(), answer, error)) << error;
    EXPECT_EQ(answer.nonce, 42u);
    EXPECT_EQ(answer.name, "Ada");
    EXPECT_FALSE(answer.needs_code);

    // A flood: a second's worth at once, then one more a tenth of a second.
    int answered = 1;
    for (int i = 0; i < 1000; ++i) answered += beacon.answer(0x7F000001u, probe.data(), probe.size(), 0) ? 1 : 0;
    EXPECT_EQ(answered, Beacon::kAnswersPerSecond);
    EXPECT_FALSE(beacon.answer(neighbour, probe.data(), probe.size(), 50));
    EXPECT_TRUE(beacon.answer(neighbour, probe.data(), probe.size(), 100));
    EXPECT_FALSE(beacon.answer(neighbour, probe.data(), 5, 5000)) << "not a probe";
}

}  // namespace
