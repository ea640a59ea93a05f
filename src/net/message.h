// The messages of a network game and their byte form. One message is one
// packet on the connection's single reliable, ordered channel:
//
//   byte 0   0x56 ('V')
//   byte 1   format version (kFormatVersion)
//   byte 2   message type
//   then the type's fields, little-endian, nothing after them.
//
// Decoding trusts nothing: a message that is not exactly what encode() writes
// for some value is refused with a reason, so encode(decode(bytes)) == bytes
// for every message accepted. docs/network.md lists the fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace net {

constexpr uint8_t kMagic = 0x56;
constexpr uint8_t kFormatVersion = 2;
constexpr int kDefaultPort = 27183;

// Limits the decoder enforces (and the encoder keeps to).
constexpr size_t kMaxMessageBytes = 64 * 1024;
constexpr size_t kMaxEventsPerFrame = 255;
constexpr size_t kMaxVersionBytes = 64;
constexpr size_t kMaxReasonBytes = 512;
constexpr size_t kMaxStateBytes = 60000;
constexpr int kMaxMotion = 100000;  // the same bound input scripts have
constexpr uint32_t kMaxFrame = 0x7FFFFFFF;

enum class MessageType : uint8_t {
    Hello = 1,
    Welcome = 2,
    Refuse = 3,
    Input = 4,
    StateHash = 5,
    StateText = 6,
    Bye = 7,
};

// The guest's introduction: what must agree before a game starts.
struct Hello {
    std::string program_version;
    uint64_t data_digest = 0;
    uint32_t data_files = 0;
    bool autofire = false;  // the guest's own choice, for player two's ship
};

// The host's acceptance, with the settings it chose for both games.
struct Welcome {
    uint32_t seed = 0;
    uint8_t start_level = 0;  // 0: level 1, as without --start-level
    bool god = false;
    uint8_t delay = 0;        // input delay in frames
    bool autofire = false;    // the host's own choice, for player one's ship
};

enum class RefuseReason : uint8_t {
    FormatVersion = 1,
    ProgramVersion = 2,
    DataSet = 3,
    HasGuest = 4,
    BadMessage = 5,
};

struct Refuse {
    RefuseReason reason = RefuseReason::BadMessage;
    std::string text;  // printable ASCII, for the person refused
};

// One side's events for one frame. Only key, mouse motion and mouse button
// events travel.
struct Input {
    uint32_t frame = 0;
    std::vector<platform::Event> events;
};

// A digest of the game state after `frame`.
struct StateHash {
    uint32_t frame = 0;
    uint64_t hash = 0;
};

// The whole state dump after `frame`, sent once the digests disagreed.
struct StateText {
    uint32_t frame = 0;
    std::string text;  // printable ASCII and line feeds
};

enum class ByeReason : uint8_t { Quit = 1, Stopped = 2 };

struct Bye {
    ByeReason reason = ByeReason::Quit;
};

using Message = std::variant<Hello, Welcome, Refuse, Input, StateHash, StateText, Bye>;

// True for the events an Input message can carry.
bool travels(const platform::Event& event);

// The bytes of `message`. Strings longer than their limit are cut, events the
// format does not carry are left out, motion is clamped to ±kMaxMotion.
std::vector<uint8_t> encode(const Message& message);

// Reads one message. False with `error` saying what is wrong otherwise.
bool decode(const uint8_t* data, size_t size, Message& out, std::string& error);

}  // namespace net
