// The input delay: what the round trip measured at the start gives, when
// stalls during play raise it and when a calm link lowers it again; and the
// host's door telling a stranger's datagram that carries a piece of a larger
// packet from one that does not.
#include <gtest/gtest.h>

#include <enet/enet.h>

#include <vector>

#include "app/options.h"
#include "net/delay.h"
#include "net/enet_door.h"

namespace {
using namespace net;

TEST(NetDelay, TheRoundTripGivesTheSmallestDelayThatCoversIt) {
    EXPECT_EQ(delay_for_round_trip(0.3), 2) << "the loopback";
    EXPECT_EQ(delay_for_round_trip(20), 2) << "a local network";
    EXPECT_EQ(delay_for_round_trip(130), 3) << "50 ms each way and 15 of jitter";
    EXPECT_EQ(delay_for_round_trip(170), 4);
    EXPECT_EQ(delay_for_round_trip(5000), kMaxNetDelay);
    // Jitter counts; a machine too busy to answer a probe or two at once does not.
    EXPECT_EQ(round_trip_to_cover({100, 70, 130, 90, 110, 120, 80, 105}), 105 + 35);
    EXPECT_EQ(round_trip_to_cover({100, 70, 130, 90, 110, 420, 80, 390}), 110 + 40);
    EXPECT_EQ(round_trip_to_cover({80, 400}), 400) << "too few to tell";
    EXPECT_LT(round_trip_to_cover({}), 0);
}

TEST(NetDelay, RecurringStallsRaiseTheDelayASingleStallDoesNot) {
    DelayTuner tuner(2, kMaxNetDelay);
    const IntervalTiming calm{0, 60}, stalled{1, -80};
    for (size_t i = 0; i < DelayTuner::kStallWindow; ++i) {
        tuner.add_own(i == 3 ? stalled : calm);
        tuner.add_other(calm);
        EXPECT_FALSE(tuner.decide()) << "a single stall (a level loading on one machine) " << i;
    }
    tuner.add_own(calm);
    tuner.add_other(stalled);  // the other side's too
    ASSERT_EQ(tuner.decide(), 3);
    // The change takes a few frames to hold: stalls meanwhile do not count twice.
    for (size_t i = 0; i + 1 < DelayTuner::kSettleIntervals; ++i) {
        tuner.add_own(stalled);
        EXPECT_FALSE(tuner.decide()) << i;
    }
    tuner.add_own(stalled);
    EXPECT_EQ(tuner.decide(), 4) << "a link still too slow";
}

TEST(NetDelay, ACalmLinkLowersTheDelayWhenBothSidesSlackAddUpToAFrameEach) {
    // The sides' slack depends on whose clock runs ahead; their sum does not.
    auto run = [](int own_slack, int other_slack, size_t intervals) {
        DelayTuner tuner(3, kMaxNetDelay);
        for (size_t i = 0; i < intervals; ++i) {
            tuner.add_own({0, own_slack});
            tuner.add_other({0, other_slack});
            if (auto d = tuner.decide()) return *d;
        }
        return tuner.delay();
    };
    EXPECT_EQ(run(150, -10, DelayTuner::kCalmIntervals), 2);
    EXPECT_EQ(run(50, 50, DelayTuner::kCalmIntervals), 3) << "a frame less would leave too little";
    EXPECT_EQ(run(150, 150, DelayTuner::kCalmIntervals - 1), 3) << "not calm for long enough";

    // Lowered and stalling soon after: the next calm must last twice as long.
    DelayTuner tuner(3, kMaxNetDelay);
    for (size_t i = 0; i < DelayTuner::kCalmIntervals; ++i) {
        tuner.add_own({0, 200});
        tuner.add_other({0, 200});
        tuner.decide();
    }
    ASSERT_EQ(tuner.delay(), 2);
    for (int i = 0; i < 2; ++i) {
        tuner.add_own({0, 200});
        tuner.add_other({0, 200});
    }
    for (size_t i = 0; i < DelayTuner::kSettleIntervals; ++i) tuner.add_own({1, -50});
    ASSERT_EQ(tuner.decide(), 3);
    for (size_t i = 0; i < DelayTuner::kCalmIntervals; ++i) {
        tuner.add_own({0, 200});
        tuner.add_other({0, 200});
        EXPECT_FALSE(tuner.decide()) << i;
    }
}

// ENet datagrams built by hand: header (peer 0, with the sent time), then commands.
std::vector<uint8_t> datagram(uint8_t command, size_t payload) {
    std::vector<uint8_t> d = {0x80, 0x00, 0x12, 0x34};
    const size_t size = enet_protocol_command_size(command);
    std::vector<uint8_t> body(size, 0);
    body[0] = static_cast<uint8_t>(command | ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE);
    if (command == ENET_PROTOCOL_COMMAND_SEND_RELIABLE) {
        body[4] = static_cast<uint8_t>(payload >> 8);
        body[5] = static_cast<uint8_t>(payload);
    }
    d.insert(d.end(), body.begin(), body.end());
    d.resize(d.size() + payload, 0x56);
    return d;
}

TEST(NetDoor, AStrangersDatagramMayNotCarryAPieceOfALargerPacket) {
    using enet::carries_pieces;
    EXPECT_FALSE(carries_pieces(datagram(ENET_PROTOCOL_COMMAND_SEND_RELIABLE, 40).data(), 4 + 6 + 40));
    EXPECT_FALSE(carries_pieces(datagram(ENET_PROTOCOL_COMMAND_PING, 0).data(), 4 + 4));
    EXPECT_TRUE(carries_pieces(datagram(ENET_PROTOCOL_COMMAND_SEND_FRAGMENT, 8).data(), 4 + 24 + 8));
    EXPECT_TRUE(carries_pieces(datagram(ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT, 8).data(), 4 + 24 + 8));
    // A piece behind a message in the same datagram is found too.
    std::vector<uint8_t> two = datagram(ENET_PROTOCOL_COMMAND_SEND_RELIABLE, 10);
    const std::vector<uint8_t> piece = datagram(ENET_PROTOCOL_COMMAND_SEND_FRAGMENT, 0);
    two.insert(two.end(), piece.begin() + 4, piece.end());
    EXPECT_TRUE(carries_pieces(two.data(), two.size()));
    // Compressed datagrams (the game sends none) could hide anything.
    std::vector<uint8_t> packed = datagram(ENET_PROTOCOL_COMMAND_PING, 0);
    packed[0] |= 0x40;
    EXPECT_TRUE(carries_pieces(packed.data(), packed.size()));
    // Cut short or claiming more than is there: ENet stops reading, nothing hides behind.
    EXPECT_FALSE(carries_pieces(two.data(), 5));
    EXPECT_FALSE(carries_pieces(two.data(), 1));
}

}  // namespace
