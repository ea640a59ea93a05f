// The byte form of network messages: what is encoded decodes to the same
// value, and everything else is refused with a reason, never read past.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/message.h"
#include "support/input_events.h"

namespace {
using namespace net;
using platform::Event;
using platform::EventType;
using test_events::button;
using test_events::key;
using test_events::motion;

std::string describe(const Event& e) {
    return std::to_string(static_cast<int>(e.type)) + "/" + std::to_string(e.vkey) + "/" +
           std::to_string(e.repeat) + "/" + std::to_string(e.dx) + "," + std::to_string(e.dy) + "/" +
           std::to_string(e.button) + "/" + std::to_string(e.pressed);
}

Message round_trip(const Message& m) {
    const std::vector<uint8_t> bytes = encode(m);
    Message out;
    std::string error;
    EXPECT_TRUE(decode(bytes.data(), bytes.size(), out, error)) << error;
    EXPECT_EQ(encode(out), bytes);
    return out;
}

std::string refusal(const std::vector<uint8_t>& bytes) {
    Message out;
    std::string error;
    if (decode(bytes.data(), bytes.size(), out, error)) return "(accepted)";
    EXPECT_FALSE(error.empty());
    return error;
}

TEST(NetMessage, EveryMessageComesBackAsItWent) {
    const auto hello = std::get<Hello>(round_trip(Hello{"1.0.0", 0x0123456789ABCDEFULL, 3116, true}));
    EXPECT_EQ(hello.program_version, "1.0.0");
    EXPECT_TRUE(hello.autofire);
    EXPECT_EQ(hello.data_digest, 0x0123456789ABCDEFULL);
    EXPECT_EQ(hello.data_files, 3116u);

    const auto welcome = std::get<Welcome>(round_trip(Welcome{4294967295u, 10, true, 10, true}));
    EXPECT_EQ(welcome.seed, 4294967295u);
    EXPECT_TRUE(welcome.autofire);
    EXPECT_EQ(welcome.start_level, 10);
    EXPECT_TRUE(welcome.god);
    EXPECT_EQ(welcome.delay, 10);

    const auto refuse = std::get<Refuse>(round_trip(Refuse{RefuseReason::HasGuest, "the host already has a guest"}));
    EXPECT_EQ(refuse.reason, RefuseReason::HasGuest);
    EXPECT_EQ(refuse.text, "the host already has a guest");

    const std::vector<Event> events = {key(EventType::KeyDown, 0x11), key(EventType::KeyDown, 0x26, true),
                                       key(EventType::KeyUp, 0xFF), motion(-100000, 100000), button(0, true),
                                       button(31, false)};
    const auto input = std::get<Input>(round_trip(Input{0x7FFFFFFF, events}));
    EXPECT_EQ(input.frame, 0x7FFFFFFFu);
    ASSERT_EQ(input.events.size(), events.size());
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(describe(input.events[i]), describe(events[i]));

    EXPECT_EQ(std::get<StateHash>(round_trip(StateHash{22, ~0ULL})).hash, ~0ULL);
    EXPECT_EQ(std::get<StateText>(round_trip(StateText{44, "frame 44\nscroll 1\n"})).text, "frame 44\nscroll 1\n");
    EXPECT_EQ(std::get<Bye>(round_trip(Bye{ByeReason::Stopped})).reason, ByeReason::Stopped);
}

TEST(NetMessage, TheEncoderKeepsToTheLimitsTheDecoderChecks) {
    std::vector<Event> many(300, key(EventType::KeyDown, 0x20));
    many.insert(many.begin(), motion(5000000, -5000000));
    Event quit;
    quit.type = EventType::Quit;
    many.insert(many.begin(), quit);  // a window's business, never sent
    const auto input = std::get<Input>(round_trip(Input{1, many}));
    ASSERT_EQ(input.events.size(), kMaxEventsPerFrame);
    EXPECT_EQ(input.events[0].dx, kMaxMotion);
    EXPECT_EQ(input.events[0].dy, -kMaxMotion);
    EXPECT_EQ(std::get<Refuse>(round_trip(Refuse{RefuseReason::DataSet, std::string(2000, 'x')})).text.size(),
              kMaxReasonBytes);
}

TEST(NetMessage, AnythingElseIsRefusedWithItsReason) {
    const std::vector<uint8_t> input = encode(Input{3, {key(EventType::KeyDown, 0x11), button(1, true)}});
    // Every message cut short anywhere.
    for (size_t n = 0; n < input.size(); ++n)
        EXPECT_NE(refusal(std::vector<uint8_t>(input.begin(), input.begin() + static_cast<long>(n))), "(accepted)")
            << n << " bytes";
    std::vector<uint8_t> longer = input;
    longer.push_back(0);
    EXPECT_EQ(refusal(longer), "bytes left over after the message");

    auto with = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> b = input;
        b[at] = value;
        return refusal(b);
    };
    // magic, version, type, frame(4), count, kind, vkey, repeat, kind, button, pressed
    EXPECT_NE(with(0, 'X').find("not a message of this game"), std::string::npos);
    EXPECT_EQ(with(1, 3), "network format version 3 (this program speaks 2)");
    EXPECT_EQ(with(2, 99), "unknown message type 99");
    EXPECT_EQ(with(3, 0), "input frame 0 out of range");
    EXPECT_EQ(with(6, 0x80), "input frame 2147483651 out of range");
    EXPECT_EQ(with(8, 9), "unknown event kind 9");
    EXPECT_EQ(with(10, 2), "repeat flag is 2, not 0 or 1");
    EXPECT_EQ(with(12, 32), "button number 32 (0..31)");

    std::vector<uint8_t> far = encode(Input{1, {motion(1, 1)}});
    far[9 + 3] = 0x7F;  // dx = 0x7F000001
    EXPECT_EQ(refusal(far), "mouse motion beyond 100000");

    std::vector<uint8_t> welcome = encode(Welcome{1, 11, false, 2});
    EXPECT_EQ(refusal(welcome), "start level 11 (0..10)");
    welcome = encode(Welcome{1, 1, false, 11});
    EXPECT_EQ(refusal(welcome), "input delay 11 (0..10)");

    // Text that could reach a terminal or the screen is plain.
    std::vector<uint8_t> text = encode(Refuse{RefuseReason::DataSet, "ab"});
    text.back() = 0x1B;
    EXPECT_EQ(refusal(text), "refusal text holds a byte that is not printable text");
    std::vector<uint8_t> state = encode(StateText{22, "ab"});
    state[7] = 0xFF;  // a length far past the end, and past the limit
    state[8] = 0xFF;
    EXPECT_EQ(refusal(state), "state text of 65535 bytes (at most 60000)");

    EXPECT_EQ(refusal(std::vector<uint8_t>(kMaxMessageBytes + 1, kMagic)),
              "oversized message of 65537 bytes (at most 65536)");
    EXPECT_EQ(refusal({}), "message of 0 bytes is too short");
}

}  // namespace
