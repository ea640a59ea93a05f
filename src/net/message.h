// The messages of a network game and their byte form. One message is one
// packet: the inputs travel unreliably on their own channel (each one repeats
// what the other side has not yet acknowledged), everything else reliably and
// in order on the other.
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
#include <utility>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace net {

constexpr uint8_t kMagic = 0x56;
constexpr uint8_t kFormatVersion = 4;
constexpr int kDefaultPort = 27183;

// Limits the decoder enforces (and the encoder keeps to).
constexpr size_t kMaxMessageBytes = 64 * 1024;
constexpr size_t kMaxEventsPerFrame = 255;
constexpr size_t kMaxFramesPerInput = 64;  // frames one input message may carry
constexpr size_t kMaxCodeBytes = 32;
constexpr size_t kMaxVersionBytes = 64;
constexpr size_t kMaxReasonBytes = 512;
constexpr size_t kMaxStateBytes = 60000;
constexpr size_t kMaxPathBytes = 255;
constexpr size_t kMaxTokenBytes = 32;
// Frames and digests one feed message may carry (a feed message is also
// kept under kFeedBudgetBytes by whoever makes it).
constexpr size_t kMaxFramesPerFeed = 1024;
constexpr size_t kMaxDigestsPerFeed = 128;
constexpr size_t kFeedBudgetBytes = 16 * 1024;
constexpr int kMaxMotion = 100000;  // the same bound input scripts have
constexpr uint32_t kMaxFrame = 0x7FFFFFFF;

enum class MessageType : uint8_t {
    Hello = 1,
    Welcome = 2,
    Refuse = 3,
    Input = 4,
    DelayChange = 5,
    StateText = 6,
    Bye = 7,
    DataList = 8,
    Probe = 9,
    Timing = 10,
    Feed = 11,
    Progress = 12,
};

// The guest's introduction: the join code, and what must agree before a game
// starts. The host says nothing of its own until the code matched.
// Why a peer comes: to play (a new guest), to watch, or to take its seat
// again after its connection dropped, either as a program started again
// (it catches up from frame 1) or as the same one still running.
enum class Purpose : uint8_t { Play = 1, Watch = 2, ReturnAnew = 3, ReturnRunning = 4 };

struct Hello {
    std::string code;  // as the guest typed it; empty when it gave none
    std::string program_version;
    uint64_t data_digest = 0;
    uint32_t data_files = 0;
    bool autofire = false;  // the guest's own choice, for player two's ship
    Purpose purpose = Purpose::Play;
    std::string token{};  // the seat's token, when returning (printable, at most kMaxTokenBytes)
};

// The host's acceptance, with the settings it chose for both games.
struct Welcome {
    uint32_t seed = 0;
    uint8_t start_level = 0;  // 0: level 1, as without --start-level
    bool god = false;
    uint8_t delay = 0;        // input delay in frames at the start
    bool autofire = false;    // the host's own choice, for player one's ship
    bool guest_autofire = false;  // player two's, for a spectator or a returning guest
    std::string token{};          // the guest's seat, shown again to come back; empty for a spectator
    // A returning guest catches up through this frame from the feed, then
    // plays on; 0 for a new game (and for a spectator, who follows the feed).
    uint32_t catch_up_through = 0;
};

enum class RefuseReason : uint8_t {
    FormatVersion = 1,
    ProgramVersion = 2,
    DataSet = 3,
    HasGuest = 4,
    BadMessage = 5,
    WrongCode = 6,
};

struct Refuse {
    RefuseReason reason = RefuseReason::BadMessage;
    std::string text;  // printable ASCII, for the person refused
};

// One side's events for the frames first, first + 1, ...: every frame the
// other side has not yet acknowledged, so a lost message costs nothing. Also
// what this side holds of the other's input (ack: it holds every frame up to
// it) and its latest state digest. Only key, mouse motion and mouse button
// events travel.
struct Input {
    uint32_t ack = 0;           // 0: nothing held yet
    uint32_t digest_frame = 0;  // 0: no digest yet
    uint64_t digest = 0;        // 0 when digest_frame is
    uint32_t first = 1;
    std::vector<std::vector<platform::Event>> frames;
};

// From the host: both sides send their input with `delay` frames of delay
// from their frame `frame` on.
struct DelayChange {
    uint32_t frame = 1;
    uint8_t delay = 0;
};

// This side's whole state after `frame`, sent once the digests disagreed.
struct StateText {
    uint32_t frame = 0;
    std::string text;  // printable ASCII and line feeds
};

// TooSlow: a spectator that fell too far behind the game.
enum class ByeReason : uint8_t { Quit = 1, Stopped = 2, OutOfStep = 3, TooSlow = 4 };

struct Bye {
    ByeReason reason = ByeReason::Quit;
};

// A data file as the agreement compares it: its path and a digest of its
// path, size and contents.
struct DataEntry {
    std::string path;  // printable ASCII; other bytes were written as '?'
    uint64_t digest = 0;
};

// One part of a side's list of data files, in path order; sent only after
// the join code matched and the data digests differed.
struct DataList {
    uint16_t part = 0;
    bool last = true;
    std::vector<DataEntry> entries;
};

// The host measures the round trip: the guest sends each probe straight back.
struct Probe {
    uint32_t sequence = 0;
};

// From the guest, every digest interval while its game runs in real time:
// how often it had to wait for the host's input, and how early that input
// arrived at best (negative: the guest waited).
struct Timing {
    uint32_t frame = 1;
    uint16_t stalls = 0;
    int16_t slack_ms = 0;
};

// From the host to a spectator or a returning guest: the game's merged input
// for the frames first, first + 1, ... as the host played them, and the
// host's state digests of frames among them (or before), to check against.
struct Feed {
    uint32_t first = 1;
    std::vector<std::pair<uint32_t, uint64_t>> digests;  // frame, digest; frames ascending
    std::vector<std::vector<platform::Event>> frames;
};

// From a spectator, now and then: it has played through `frame` of the feed.
struct Progress {
    uint32_t frame = 0;
};

using Message = std::variant<Hello, Welcome, Refuse, Input, DelayChange, StateText, Bye, DataList, Probe, Timing,
                             Feed, Progress>;

// True for the events an Input message can carry.
bool travels(const platform::Event& event);

// `event` as the other side reads it from a message (motion clamped to
// ±kMaxMotion): the sending side plays this, so both games play the same.
platform::Event as_received(const platform::Event& event);

// The bytes of `message`. Strings longer than their limit are cut, events the
// format does not carry are left out, frames past kMaxFramesPerInput and
// events past kMaxEventsPerFrame are left out, motion is clamped to
// ±kMaxMotion.
std::vector<uint8_t> encode(const Message& message);

// Reads one message. False with `error` saying what is wrong otherwise.
bool decode(const uint8_t* data, size_t size, Message& out, std::string& error);

// One frame of events as input and feed messages write it, appended to
// `out`; and read back from exactly `size` bytes (false when they are not one
// such frame).
void append_frame(std::vector<uint8_t>& out, const std::vector<platform::Event>& events);
bool read_frame(const uint8_t* data, size_t size, std::vector<platform::Event>& out);

// The bytes one frame of events takes in an Input message.
size_t encoded_frame_bytes(const std::vector<platform::Event>& events);

}  // namespace net
