#include "net/message.h"

#include <algorithm>

#include "app/options.h"
#include "state/world_list.h"

namespace net {
namespace {
using platform::Event;
using platform::EventType;

enum EventKind : uint8_t { kKeyDown = 1, kKeyUp = 2, kMotion = 3, kButton = 4 };

class Writer {
public:
    Writer() { bytes_.reserve(64); }
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v) {
        bytes_.push_back(static_cast<uint8_t>(v));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void u64(uint64_t v) {
        for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    // A length (one byte, or two when `wide`) and the text, cut to `limit`.
    void text(const std::string& s, size_t limit, bool wide) {
        const size_t n = std::min(s.size(), limit);
        if (wide) {
            u8(static_cast<uint8_t>(n));
            u8(static_cast<uint8_t>(n >> 8));
        } else {
            u8(static_cast<uint8_t>(n));
        }
        // Byte by byte: GCC 12 misjudges a range insert into a growing vector.
        for (size_t i = 0; i < n; ++i) bytes_.push_back(static_cast<uint8_t>(s[i]));
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// Reads fields in order; the first failure sticks and names the field.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    void fail(const std::string& why) {
        if (error_.empty()) error_ = why;
    }
    bool at_end() const { return pos_ == size_; }

    uint8_t u8(const char* what) {
        if (!need(1, what)) return 0;
        return data_[pos_++];
    }
    uint16_t u16(const char* what) {
        if (!need(2, what)) return 0;
        const auto v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    uint32_t u32(const char* what) {
        if (!need(4, what)) return 0;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(data_[pos_++]) << (8 * i);
        return v;
    }
    uint64_t u64(const char* what) {
        if (!need(8, what)) return 0;
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= uint64_t(data_[pos_++]) << (8 * i);
        return v;
    }
    int32_t i32(const char* what) { return static_cast<int32_t>(u32(what)); }
    bool flag(const char* what) {
        const uint8_t v = u8(what);
        if (v > 1) fail(std::string(what) + " is " + std::to_string(v) + ", not 0 or 1");
        return v == 1;
    }
    // Text whose every byte is printable ASCII (line feeds too when `lines`):
    // what arrives may end up on a terminal or on the screen.
    std::string text(const char* what, size_t limit, bool wide, bool lines) {
        size_t n = u8(what);
        if (wide) n |= size_t(u8(what)) << 8;
        if (!ok()) return {};
        if (n > limit) {
            fail(std::string(what) + " of " + std::to_string(n) + " bytes (at most " + std::to_string(limit) + ")");
            return {};
        }
        if (!need(n, what)) return {};
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        for (const char c : s) {
            const bool printable = c >= 0x20 && c <= 0x7E;
            if (!printable && !(lines && c == '\n')) {
                fail(std::string(what) + " holds a byte that is not printable text");
                return {};
            }
        }
        return s;
    }
    uint8_t delay() {
        const uint8_t d = u8("input delay");
        if (ok() && d > kMaxNetDelay)
            fail("input delay " + std::to_string(d) + " (0.." + std::to_string(kMaxNetDelay) + ")");
        return d;
    }
    uint32_t frame(const char* what) {
        const uint32_t f = u32(what);
        if (ok() && (f == 0 || f > kMaxFrame)) fail(std::string(what) + " " + std::to_string(f) + " out of range");
        return f;
    }

private:
    bool need(size_t n, const char* what) {
        if (!ok()) return false;
        if (size_ - pos_ < n) {
            fail(std::string("cut short in ") + what);
            return false;
        }
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    std::string error_;
};

void write_event(Writer& w, const Event& e) {
    switch (e.type) {
        case EventType::KeyDown:
            w.u8(kKeyDown);
            w.u8(static_cast<uint8_t>(e.vkey));
            w.u8(e.repeat ? 1 : 0);
            break;
        case EventType::KeyUp:
            w.u8(kKeyUp);
            w.u8(static_cast<uint8_t>(e.vkey));
            break;
        case EventType::MouseMotion:
            w.u8(kMotion);
            w.i32(std::clamp(e.dx, -kMaxMotion, kMaxMotion));
            w.i32(std::clamp(e.dy, -kMaxMotion, kMaxMotion));
            break;
        case EventType::MouseButton:
            w.u8(kButton);
            w.u8(static_cast<uint8_t>(e.button));
            w.u8(e.pressed ? 1 : 0);
            break;
        default: break;  // travels() keeps everything else out
    }
}

Event read_event(Reader& r) {
    Event e;
    const uint8_t kind = r.u8("event kind");
    switch (kind) {
        case kKeyDown:
            e.type = EventType::KeyDown;
            e.vkey = r.u8("key code");
            e.repeat = r.flag("repeat flag");
            break;
        case kKeyUp:
            e.type = EventType::KeyUp;
            e.vkey = r.u8("key code");
            break;
        case kMotion:
            e.type = EventType::MouseMotion;
            e.dx = r.i32("mouse motion");
            e.dy = r.i32("mouse motion");
            if (r.ok() && (e.dx < -kMaxMotion || e.dx > kMaxMotion || e.dy < -kMaxMotion || e.dy > kMaxMotion))
                r.fail("mouse motion beyond " + std::to_string(kMaxMotion));
            break;
        case kButton:
            e.type = EventType::MouseButton;
            e.button = r.u8("button number");
            if (r.ok() && e.button > 31) r.fail("button number " + std::to_string(e.button) + " (0..31)");
            e.pressed = r.flag("button state");
            break;
        default:
            if (r.ok()) r.fail("unknown event kind " + std::to_string(kind));
            break;
    }
    return e;
}

void write_frame(Writer& w, const std::vector<Event>& frame) {
    std::vector<const Event*> carried;
    for (const Event& e : frame)
        if (travels(e) && carried.size() < kMaxEventsPerFrame) carried.push_back(&e);
    w.u8(static_cast<uint8_t>(carried.size()));
    for (const Event* e : carried) write_event(w, *e);
}

std::vector<Event> read_frame(Reader& r) {
    const uint8_t events = r.u8("event count");
    std::vector<Event> frame;
    for (uint8_t i = 0; i < events && r.ok(); ++i) frame.push_back(read_event(r));
    return frame;
}

struct Encoder {
    Writer& w;
    void operator()(const Hello& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Hello));
        w.text(m.code, kMaxCodeBytes, false);
        w.u8(static_cast<uint8_t>(m.purpose));
        w.text(m.token, kMaxTokenBytes, false);
        w.text(m.program_version, kMaxVersionBytes, false);
        w.u64(m.data_digest);
        w.u32(m.data_files);
        w.u8(m.autofire ? 1 : 0);
    }
    void operator()(const Welcome& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Welcome));
        w.u32(m.seed);
        w.u8(m.start_level);
        w.u8(m.god ? 1 : 0);
        w.u8(m.delay);
        w.u8(m.autofire ? 1 : 0);
        w.u8(m.guest_autofire ? 1 : 0);
        w.text(m.token, kMaxTokenBytes, false);
        w.u32(m.catch_up_through);
    }
    void operator()(const Refuse& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Refuse));
        w.u8(static_cast<uint8_t>(m.reason));
        w.text(m.text, kMaxReasonBytes, true);
    }
    void operator()(const Input& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Input));
        w.u32(m.ack);
        w.u32(m.digest_frame);
        w.u64(m.digest_frame == 0 ? 0 : m.digest);
        w.u32(m.first);
        const size_t count = std::min(m.frames.size(), kMaxFramesPerInput);
        w.u8(static_cast<uint8_t>(count));
        for (size_t f = 0; f < count; ++f) write_frame(w, m.frames[f]);
    }
    void operator()(const Feed& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Feed));
        w.u32(m.first);
        const size_t digests = std::min(m.digests.size(), kMaxDigestsPerFeed);
        w.u8(static_cast<uint8_t>(digests));
        for (size_t i = 0; i < digests; ++i) {
            w.u32(m.digests[i].first);
            w.u64(m.digests[i].second);
        }
        const size_t count = std::min(m.frames.size(), kMaxFramesPerFeed);
        w.u16(static_cast<uint16_t>(count));
        for (size_t f = 0; f < count; ++f) write_frame(w, m.frames[f]);
    }
    void operator()(const Progress& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Progress));
        w.u32(m.frame);
    }
    void operator()(const DelayChange& m) const {
        w.u8(static_cast<uint8_t>(MessageType::DelayChange));
        w.u32(m.frame);
        w.u8(m.delay);
    }
    void operator()(const StateText& m) const {
        w.u8(static_cast<uint8_t>(MessageType::StateText));
        w.u32(m.frame);
        w.text(m.text, kMaxStateBytes, true);
    }
    void operator()(const Bye& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Bye));
        w.u8(static_cast<uint8_t>(m.reason));
    }
    void operator()(const DataList& m) const {
        w.u8(static_cast<uint8_t>(MessageType::DataList));
        w.u16(m.part);
        w.u8(m.last ? 1 : 0);
        const size_t count = std::min<size_t>(m.entries.size(), 0xFFFF);
        w.u16(static_cast<uint16_t>(count));
        for (size_t i = 0; i < count; ++i) {
            w.text(m.entries[i].path, kMaxPathBytes, false);
            w.u64(m.entries[i].digest);
        }
    }
    void operator()(const Probe& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Probe));
        w.u32(m.sequence);
    }
    void operator()(const Timing& m) const {
        w.u8(static_cast<uint8_t>(MessageType::Timing));
        w.u32(m.frame);
        w.u16(m.stalls);
        w.u16(static_cast<uint16_t>(m.slack_ms));
    }
};

bool read_body(Reader& r, uint8_t type, Message& out) {
    switch (static_cast<MessageType>(type)) {
        case MessageType::Hello: {
            Hello m;
            m.code = r.text("join code", kMaxCodeBytes, false, false);
            const uint8_t purpose = r.u8("purpose");
            if (r.ok() && (purpose < 1 || purpose > 4)) r.fail("unknown purpose " + std::to_string(purpose));
            m.purpose = static_cast<Purpose>(purpose);
            m.token = r.text("seat token", kMaxTokenBytes, false, false);
            m.program_version = r.text("program version", kMaxVersionBytes, false, false);
            m.data_digest = r.u64("data digest");
            m.data_files = r.u32("data file count");
            m.autofire = r.flag("autofire flag");
            out = m;
            return true;
        }
        case MessageType::Welcome: {
            Welcome m;
            m.seed = r.u32("seed");
            m.start_level = r.u8("start level");
            if (r.ok() && m.start_level > world_list::kCount)
                r.fail("start level " + std::to_string(m.start_level) + " (0.." + std::to_string(world_list::kCount) + ")");
            m.god = r.flag("god flag");
            m.delay = r.delay();
            m.autofire = r.flag("autofire flag");
            m.guest_autofire = r.flag("guest autofire flag");
            m.token = r.text("seat token", kMaxTokenBytes, false, false);
            m.catch_up_through = r.u32("catch-up frame");
            if (r.ok() && m.catch_up_through > kMaxFrame)
                r.fail("catch-up frame " + std::to_string(m.catch_up_through) + " out of range");
            out = m;
            return true;
        }
        case MessageType::Refuse: {
            Refuse m;
            const uint8_t reason = r.u8("refusal reason");
            if (r.ok() && (reason < 1 || reason > 6)) r.fail("unknown refusal reason " + std::to_string(reason));
            m.reason = static_cast<RefuseReason>(reason);
            m.text = r.text("refusal text", kMaxReasonBytes, true, false);
            out = m;
            return true;
        }
        case MessageType::Input: {
            Input m;
            m.ack = r.u32("acknowledged frame");
            if (r.ok() && m.ack > kMaxFrame) r.fail("acknowledged frame " + std::to_string(m.ack) + " out of range");
            m.digest_frame = r.u32("digest frame");
            if (r.ok() && m.digest_frame > kMaxFrame)
                r.fail("digest frame " + std::to_string(m.digest_frame) + " out of range");
            m.digest = r.u64("state digest");
            if (r.ok() && m.digest_frame == 0 && m.digest != 0) r.fail("a state digest without its frame");
            m.first = r.frame("input frame");
            const uint8_t count = r.u8("frame count");
            if (r.ok() && count > kMaxFramesPerInput)
                r.fail("input for " + std::to_string(count) + " frames (at most " + std::to_string(kMaxFramesPerInput) + ")");
            if (r.ok() && count > 0 && m.first > kMaxFrame - (count - 1u))
                r.fail("input frames past " + std::to_string(kMaxFrame));
            for (uint8_t f = 0; f < count && r.ok(); ++f) m.frames.push_back(read_frame(r));
            out = std::move(m);
            return true;
        }
        case MessageType::Feed: {
            Feed m;
            m.first = r.frame("feed frame");
            const uint8_t digests = r.u8("digest count");
            if (r.ok() && digests > kMaxDigestsPerFeed) r.fail("a feed of " + std::to_string(digests) + " digests");
            for (uint8_t i = 0; i < digests && r.ok(); ++i) {
                const uint32_t frame = r.frame("digest frame");
                const uint64_t digest = r.u64("state digest");
                if (r.ok() && !m.digests.empty() && frame <= m.digests.back().first)
                    r.fail("feed digests out of order");
                m.digests.emplace_back(frame, digest);
            }
            const uint16_t count = r.u16("frame count");
            if (r.ok() && count > kMaxFramesPerFeed)
                r.fail("a feed of " + std::to_string(count) + " frames (at most " + std::to_string(kMaxFramesPerFeed) + ")");
            if (r.ok() && count > 0 && m.first > kMaxFrame - (count - 1u)) r.fail("feed frames past " + std::to_string(kMaxFrame));
            for (uint16_t f = 0; f < count && r.ok(); ++f) m.frames.push_back(read_frame(r));
            out = std::move(m);
            return true;
        }
        case MessageType::Progress: {
            Progress m;
            m.frame = r.u32("progress frame");
            if (r.ok() && m.frame > kMaxFrame) r.fail("progress frame " + std::to_string(m.frame) + " out of range");
            out = m;
            return true;
        }
        case MessageType::DelayChange: {
            DelayChange m;
            m.frame = r.frame("delay change frame");
            m.delay = r.delay();
            out = m;
            return true;
        }
        case MessageType::StateText: {
            StateText m;
            m.frame = r.frame("state frame");
            m.text = r.text("state text", kMaxStateBytes, true, true);
            out = std::move(m);
            return true;
        }
        case MessageType::Bye: {
            Bye m;
            const uint8_t reason = r.u8("leaving reason");
            if (r.ok() && (reason < 1 || reason > 4)) r.fail("unknown leaving reason " + std::to_string(reason));
            m.reason = static_cast<ByeReason>(reason);
            out = m;
            return true;
        }
        case MessageType::DataList: {
            DataList m;
            m.part = r.u16("data list part");
            m.last = r.flag("last part flag");
            const uint16_t count = r.u16("data file count");
            for (uint16_t i = 0; i < count && r.ok(); ++i) {
                DataEntry e;
                e.path = r.text("data file path", kMaxPathBytes, false, false);
                if (r.ok() && e.path.empty()) r.fail("an empty data file path");
                e.digest = r.u64("data file digest");
                m.entries.push_back(std::move(e));
            }
            out = std::move(m);
            return true;
        }
        case MessageType::Probe: {
            Probe m;
            m.sequence = r.u32("probe number");
            out = m;
            return true;
        }
        case MessageType::Timing: {
            Timing m;
            m.frame = r.frame("timing frame");
            m.stalls = r.u16("stall count");
            m.slack_ms = static_cast<int16_t>(r.u16("input slack"));
            out = m;
            return true;
        }
    }
    r.fail("unknown message type " + std::to_string(type));
    return false;
}
}  // namespace

bool travels(const Event& e) {
    switch (e.type) {
        case EventType::KeyDown:
        case EventType::KeyUp: return e.vkey >= 0 && e.vkey <= 255;
        case EventType::MouseMotion: return true;
        case EventType::MouseButton: return e.button >= 0 && e.button <= 31;
        default: return false;
    }
}

Event as_received(const Event& event) {
    if (!travels(event)) return event;
    Writer w;
    write_event(w, event);
    const std::vector<uint8_t> bytes = w.take();
    Reader r(bytes.data(), bytes.size());
    return read_event(r);
}

std::vector<uint8_t> encode(const Message& message) {
    Writer w;
    w.u8(kMagic);
    w.u8(kFormatVersion);
    std::visit(Encoder{w}, message);
    return w.take();
}

void append_frame(std::vector<uint8_t>& out, const std::vector<Event>& events) {
    Writer w;
    write_frame(w, events);
    const std::vector<uint8_t> bytes = w.take();
    for (const uint8_t b : bytes) out.push_back(b);
}

bool read_frame(const uint8_t* data, size_t size, std::vector<Event>& out) {
    Reader r(data, size);
    out = read_frame(r);
    return r.ok() && r.at_end();
}

size_t encoded_frame_bytes(const std::vector<Event>& events) {
    size_t bytes = 1;
    size_t carried = 0;
    for (const Event& e : events) {
        if (!travels(e) || carried == kMaxEventsPerFrame) continue;
        ++carried;
        bytes += e.type == EventType::MouseMotion ? 9 : e.type == EventType::KeyUp ? 2 : 3;
    }
    return bytes;
}

bool decode(const uint8_t* data, size_t size, Message& out, std::string& error) {
    if (size > kMaxMessageBytes) {
        error = "oversized message of " + std::to_string(size) + " bytes (at most " +
                std::to_string(kMaxMessageBytes) + ")";
        return false;
    }
    if (data == nullptr || size < 3) {
        error = "message of " + std::to_string(size) + " bytes is too short";
        return false;
    }
    if (data[0] != kMagic) {
        error = "not a message of this game (first byte " + std::to_string(data[0]) + ")";
        return false;
    }
    if (data[1] != kFormatVersion) {
        error = "network format version " + std::to_string(data[1]) + " (this program speaks " +
                std::to_string(kFormatVersion) + ")";
        return false;
    }
    Reader r(data + 3, size - 3);
    read_body(r, data[2], out);
    if (r.ok() && !r.at_end()) r.fail("bytes left over after the message");
    if (!r.ok()) {
        error = r.error();
        return false;
    }
    return true;
}

}  // namespace net
