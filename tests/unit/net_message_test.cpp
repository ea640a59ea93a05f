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
    const auto hello = std::get<Hello>(round_trip(Hello{"K7QM-4TXR", "1.0.0", 0x0123456789ABCDEFULL, 3125, true}));
    EXPECT_EQ(hello.code, "K7QM-4TXR");
    EXPECT_EQ(hello.program_version, "1.0.0");
    EXPECT_TRUE(hello.autofire);
    EXPECT_EQ(hello.data_digest, 0x0123456789ABCDEFULL);
    EXPECT_EQ(hello.data_files, 3125u);

    const auto welcome = std::get<Welcome>(round_trip(Welcome{4294967295u, 10, true, 10, true}));
    EXPECT_EQ(welcome.seed, 4294967295u);
    EXPECT_TRUE(welcome.autofire && welcome.god);
    EXPECT_EQ(welcome.start_level, 10);
    EXPECT_EQ(welcome.delay, 10);

    const auto refuse = std::get<Refuse>(round_trip(Refuse{RefuseReason::WrongCode, "wrong join code"}));
    EXPECT_EQ(refuse.reason, RefuseReason::WrongCode);
    EXPECT_EQ(refuse.text, "wrong join code");

    const std::vector<Event> events = {key(EventType::KeyDown, 0x11), key(EventType::KeyDown, 0x26, true),
                                       key(EventType::KeyUp, 0xFF), motion(-100000, 100000), button(0, true),
                                       button(31, false)};
    const auto input = std::get<Input>(round_trip(Input{7, 22, ~0ULL, 0x7FFFFFFE, {{}, events}}));
    EXPECT_EQ(input.ack, 7u);
    EXPECT_EQ(input.digest_frame, 22u);
    EXPECT_EQ(input.digest, ~0ULL);
    EXPECT_EQ(input.first, 0x7FFFFFFEu);
    ASSERT_EQ(input.frames.size(), 2u);
    EXPECT_TRUE(input.frames[0].empty());
    ASSERT_EQ(input.frames[1].size(), events.size());
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(describe(input.frames[1][i]), describe(events[i]));
    EXPECT_TRUE(std::get<Input>(round_trip(Input{0, 0, 0, 3, {}})).frames.empty()) << "only an acknowledgement";

    EXPECT_EQ(std::get<DelayChange>(round_trip(DelayChange{900, 4})).delay, 4);
    EXPECT_EQ(std::get<StateText>(round_trip(StateText{44, "frame 44\nscroll 1\n"})).text, "frame 44\nscroll 1\n");
    EXPECT_EQ(std::get<Bye>(round_trip(Bye{ByeReason::OutOfStep})).reason, ByeReason::OutOfStep);
    const auto list = std::get<DataList>(round_trip(DataList{3, false, {{"Sound/boom.WAV", 5}, {"a", ~0ULL}}}));
    EXPECT_EQ(list.part, 3);
    EXPECT_FALSE(list.last);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].path, "Sound/boom.WAV");
    EXPECT_EQ(list.entries[1].digest, ~0ULL);
    EXPECT_EQ(std::get<Probe>(round_trip(Probe{0xFFFFFFFF})).sequence, 0xFFFFFFFFu);
    const auto timing = std::get<Timing>(round_trip(Timing{11, 65535, -32768}));
    EXPECT_EQ(timing.stalls, 65535);
    EXPECT_EQ(timing.slack_ms, -32768);
}

TEST(NetMessage, TheEncoderKeepsToTheLimitsTheDecoderChecks) {
    std::vector<Event> many(300, key(EventType::KeyDown, 0x20));
    many.insert(many.begin(), motion(5000000, -5000000));
    Event quit;
    quit.type = EventType::Quit;
    many.insert(many.begin(), quit);  // a window's business, never sent
    const auto input = std::get<Input>(round_trip(Input{0, 0, 99, 1, std::vector<std::vector<Event>>(70, many)}));
    ASSERT_EQ(input.frames.size(), kMaxFramesPerInput);
    ASSERT_EQ(input.frames[0].size(), kMaxEventsPerFrame);
    EXPECT_EQ(input.frames[0][0].dx, kMaxMotion);
    EXPECT_EQ(input.frames[0][0].dy, -kMaxMotion);
    EXPECT_EQ(input.digest, 0u) << "no digest without its frame";
    EXPECT_EQ(encoded_frame_bytes(many), 1 + 9 + 254 * 3u) << "what the frame takes in a message";
    EXPECT_EQ(std::get<Refuse>(round_trip(Refuse{RefuseReason::DataSet, std::string(2000, 'x')})).text.size(),
              kMaxReasonBytes);
    EXPECT_EQ(std::get<Hello>(round_trip(Hello{std::string(40, 'C'), "1", 0, 0, false})).code.size(), kMaxCodeBytes);
}

TEST(NetMessage, AnythingElseIsRefusedWithItsReason) {
    const std::vector<uint8_t> input = encode(Input{2, 0, 0, 3, {{key(EventType::KeyDown, 0x11), button(1, true)}}});
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
    // magic, version, type, ack(4), digest frame(4), digest(8), first(4), count,
    // events, kind, vkey, repeat, kind, button, pressed
    EXPECT_NE(with(0, 'X').find("not a message of this game"), std::string::npos);
    EXPECT_EQ(with(1, 2), "network format version 2 (this program speaks 4)");
    EXPECT_EQ(with(2, 99), "unknown message type 99");
    EXPECT_EQ(with(6, 0x80), "acknowledged frame 2147483650 out of range");
    EXPECT_EQ(with(11, 1), "a state digest without its frame");
    EXPECT_EQ(with(19, 0), "input frame 0 out of range");
    EXPECT_EQ(with(23, 65), "input for 65 frames (at most 64)");
    EXPECT_EQ(with(25, 9), "unknown event kind 9");
    EXPECT_EQ(with(27, 2), "repeat flag is 2, not 0 or 1");
    EXPECT_EQ(with(29, 32), "button number 32 (0..31)");

    std::vector<uint8_t> last = encode(Input{0, 0, 0, 0x7FFFFFFF, {{}, {}}});
    EXPECT_EQ(refusal(last), "input frames past 2147483647");
    std::vector<uint8_t> far = encode(Input{0, 0, 0, 1, {{motion(1, 1)}}});
    far[25 + 4] = 0x7F;  // dx = 0x7F000001
    EXPECT_EQ(refusal(far), "mouse motion beyond 100000");

    EXPECT_EQ(refusal(encode(Welcome{1, 11, false, 2})), "start level 11 (0..10)");
    EXPECT_EQ(refusal(encode(Welcome{1, 1, false, 11})), "input delay 11 (0..10)");
    EXPECT_EQ(refusal(encode(DelayChange{5, 11})), "input delay 11 (0..10)");
    std::vector<uint8_t> reason = encode(Refuse{RefuseReason::WrongCode, ""});
    reason[3] = 7;
    EXPECT_EQ(refusal(reason), "unknown refusal reason 7");
    EXPECT_EQ(refusal(encode(DataList{0, true, {{"", 1}}})), "an empty data file path");

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
