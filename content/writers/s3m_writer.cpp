#include "writers/s3m_writer.h"

#include <algorithm>
#include <cstring>

namespace writers {

namespace {

constexpr size_t kHeaderSize = 0x60;
constexpr size_t kSampleHeaderSize = 0x50;
constexpr uint8_t kUnusedChannel = 255;
constexpr uint8_t kOrderEnd = 255;

int clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

void put8(std::vector<uint8_t>& out, size_t at, uint32_t v) { out[at] = uint8_t(v); }
void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}
void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}
void put_text(std::vector<uint8_t>& out, size_t at, const std::string& text, size_t room) {
    // Keep a terminating zero: the room includes it.
    const size_t n = std::min(text.size(), room - 1);
    std::memcpy(&out[at], text.data(), n);
}

// Grows `out` to the next 16-byte boundary: everything a parapointer names
// starts on one.
void align16(std::vector<uint8_t>& out) { out.resize((out.size() + 15) & ~size_t(15)); }

uint8_t command_number(char letter) {
    return (letter >= 'A' && letter <= 'Z') ? uint8_t(letter - 'A' + 1) : 0;
}

std::vector<uint8_t> pack_pattern(const S3mPattern& pattern, int channels) {
    std::vector<uint8_t> body;
    const int used = std::min(pattern.channels, channels);
    for (int row = 0; row < kS3mRows; ++row) {
        for (int ch = 0; ch < used; ++ch) {
            const S3mCell& c = pattern.at(row, ch);
            if (c.empty()) continue;
            uint8_t what = uint8_t(ch);
            const bool has_note = c.note != kS3mNoNote || c.instrument != 0;
            const bool has_volume = c.volume >= 0;
            const bool has_command = command_number(c.command) != 0;
            if (has_note) what |= 0x20;
            if (has_volume) what |= 0x40;
            if (has_command) what |= 0x80;
            if (!(has_note || has_volume || has_command)) continue;
            body.push_back(what);
            if (has_note) {
                body.push_back(c.note);
                body.push_back(c.instrument);
            }
            if (has_volume) body.push_back(uint8_t(clamp(c.volume, 0, 64)));
            if (has_command) {
                body.push_back(command_number(c.command));
                body.push_back(c.info);
            }
        }
        body.push_back(0);  // end of row
    }
    std::vector<uint8_t> out(2);
    put16(out, 0, uint32_t(body.size() + 2));  // the length counts its own two bytes
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// Channel settings: alternate left and right, as trackers lay them out.
uint8_t channel_setting(int channel) {
    const int pair = channel / 2;
    return uint8_t((channel % 2 == 0) ? pair : 8 + pair);
}

}  // namespace

std::vector<uint8_t> encode_s3m(const S3mModule& m) {
    const int channels = clamp(m.channels, 1, kS3mMaxChannels);
    const size_t order_count = (m.orders.size() + 1 + 1) & ~size_t(1);  // end mark, even count
    const size_t sample_count = std::min<size_t>(m.samples.size(), 255);
    const size_t pattern_count = std::min<size_t>(m.patterns.size(), 255);
    const bool pan_table = !m.channel_pan.empty();

    std::vector<uint8_t> out(kHeaderSize, 0);
    put_text(out, 0x00, m.title, 28);
    put8(out, 0x1C, 0x1A);
    put8(out, 0x1D, 16);  // module type
    put16(out, 0x20, uint32_t(order_count));
    put16(out, 0x22, uint32_t(sample_count));
    put16(out, 0x24, uint32_t(pattern_count));
    put16(out, 0x26, 0);       // flags
    put16(out, 0x28, 0x1320);  // format version written
    put16(out, 0x2A, 2);       // sample data unsigned
    std::memcpy(&out[0x2C], "SCRM", 4);
    put8(out, 0x30, uint32_t(clamp(m.global_volume, 0, 64)));
    put8(out, 0x31, uint32_t(clamp(m.initial_speed, 1, 255)));
    put8(out, 0x32, uint32_t(clamp(m.initial_tempo, 32, 255)));
    put8(out, 0x33, uint32_t(clamp(m.master_volume, 16, 127) | (m.stereo ? 0x80 : 0)));
    put8(out, 0x34, 16);  // click removal channels
    put8(out, 0x35, pan_table ? 252 : 0);
    for (int ch = 0; ch < 32; ++ch)
        put8(out, 0x40 + size_t(ch), ch < channels ? channel_setting(ch) : kUnusedChannel);

    for (size_t i = 0; i < order_count; ++i)
        out.push_back(i < m.orders.size() ? m.orders[i] : kOrderEnd);
    const size_t sample_pointers = out.size();
    out.resize(out.size() + 2 * sample_count);
    const size_t pattern_pointers = out.size();
    out.resize(out.size() + 2 * pattern_count);
    if (pan_table) {
        for (int ch = 0; ch < 32; ++ch) {
            const bool set = ch < channels && size_t(ch) < m.channel_pan.size();
            out.push_back(set ? uint8_t(0x20 | clamp(m.channel_pan[size_t(ch)], 0, 15)) : 0);
        }
    }

    std::vector<size_t> sample_headers(sample_count);
    for (size_t i = 0; i < sample_count; ++i) {
        align16(out);
        sample_headers[i] = out.size();
        put16(out, sample_pointers + 2 * i, uint32_t(out.size() / 16));
        out.resize(out.size() + kSampleHeaderSize, 0);
    }

    // Patterns before the sample data: their parapointers have only 16 bits.
    for (size_t i = 0; i < pattern_count; ++i) {
        align16(out);
        put16(out, pattern_pointers + 2 * i, uint32_t(out.size() / 16));
        const std::vector<uint8_t> packed = pack_pattern(m.patterns[i], channels);
        out.insert(out.end(), packed.begin(), packed.end());
    }

    for (size_t i = 0; i < sample_count; ++i) {
        const S3mSample& s = m.samples[i];
        const size_t h = sample_headers[i];
        const uint32_t length = uint32_t(s.data.size());
        put8(out, h + 0x00, 1);  // a sampled instrument
        put_text(out, h + 0x01, s.filename, 13);
        put32(out, h + 0x10, length);
        put32(out, h + 0x14, std::min(s.loop_start, length));
        put32(out, h + 0x18, std::min(s.loop_end, length));
        put8(out, h + 0x1C, uint32_t(clamp(s.volume, 0, 64)));
        put8(out, h + 0x1E, 0);  // not packed
        put8(out, h + 0x1F, (s.loop ? 1u : 0u) | (s.sixteen_bit ? 4u : 0u));
        put32(out, h + 0x20, s.c2spd);
        put_text(out, h + 0x30, s.name, 28);
        std::memcpy(&out[h + 0x4C], "SCRS", 4);

        align16(out);
        const size_t segment = out.size() / 16;  // 24-bit memory segment: high byte first
        put8(out, h + 0x0D, uint32_t(segment >> 16));
        put16(out, h + 0x0E, uint32_t(segment & 0xFFFF));
        for (int16_t v : s.data) {
            if (s.sixteen_bit) {
                const uint16_t u = uint16_t(uint16_t(v) ^ 0x8000);
                out.push_back(uint8_t(u));
                out.push_back(uint8_t(u >> 8));
            } else {
                out.push_back(uint8_t((v >> 8) + 128));
            }
        }
    }
    return out;
}

namespace {

bool valid_row_bcd(uint8_t info) {
    return (info >> 4) <= 9 && (info & 15) <= 9 && (info >> 4) * 10 + (info & 15) < kS3mRows;
}

void check_cell(const S3mModule& m, const S3mCell& c, const std::string& where,
                std::vector<std::string>& problems) {
    if (c.note != kS3mNoNote && c.note != kS3mNoteOff && ((c.note & 15) > 11 || (c.note >> 4) > 7))
        problems.push_back(where + ": bad note byte " + std::to_string(c.note));
    if (c.instrument > m.samples.size())
        problems.push_back(where + ": no sample " + std::to_string(c.instrument));
    if (c.volume > 64) problems.push_back(where + ": volume above 64");
    if (c.command != 0 && command_number(c.command) == 0)
        problems.push_back(where + ": unknown effect letter");
    if (c.command == 'B' && c.info >= m.orders.size())
        problems.push_back(where + ": Bxx jumps past the order list");
    if (c.command == 'C' && !valid_row_bcd(c.info))
        problems.push_back(where + ": Cxx row is not a decimal row below 64");
    if (c.command == 'A' && (c.info == 0 || c.info > 32)) problems.push_back(where + ": speed outside 1..32");
    if (c.command == 'T' && c.info < 32) problems.push_back(where + ": tempo below 32");
}

}  // namespace

std::vector<std::string> check_s3m(const S3mModule& m) {
    std::vector<std::string> problems;
    if (m.channels < 1 || m.channels > kS3mMaxChannels) problems.push_back("channels outside 1..16");
    if (m.global_volume < 1 || m.global_volume > 64) problems.push_back("global volume outside 1..64");
    if (m.initial_speed < 1 || m.initial_speed > 32) problems.push_back("initial speed outside 1..32");
    if (m.initial_tempo < 32 || m.initial_tempo > 255) problems.push_back("initial tempo outside 32..255");
    if (!m.channel_pan.empty() && m.channel_pan.size() != size_t(m.channels))
        problems.push_back("channel_pan needs one entry per channel");
    if (m.orders.empty()) problems.push_back("no orders");
    if (m.orders.size() > 254) problems.push_back("more than 254 orders");
    if (m.samples.size() > 99) problems.push_back("more than 99 samples");
    if (m.patterns.size() > 100) problems.push_back("more than 100 patterns");
    for (uint8_t o : m.orders)
        if (o != kS3mOrderMarker && o >= m.patterns.size())
            problems.push_back("order names missing pattern " + std::to_string(o));
    for (size_t i = 0; i < m.samples.size(); ++i) {
        const S3mSample& s = m.samples[i];
        const std::string where = "sample " + std::to_string(i + 1);
        if (s.c2spd == 0) problems.push_back(where + ": c2spd 0");
        if (s.volume < 0 || s.volume > 64) problems.push_back(where + ": volume outside 0..64");
        if (s.loop && (s.loop_start >= s.loop_end || s.loop_end > s.data.size()))
            problems.push_back(where + ": loop outside the data");
    }
    for (size_t p = 0; p < m.patterns.size(); ++p) {
        const S3mPattern& pat = m.patterns[p];
        if (pat.channels != m.channels) {
            problems.push_back("pattern " + std::to_string(p) + ": channel count differs");
            continue;
        }
        for (int row = 0; row < kS3mRows; ++row)
            for (int ch = 0; ch < pat.channels; ++ch)
                check_cell(m, pat.at(row, ch),
                           "pattern " + std::to_string(p) + " row " + std::to_string(row) + " channel " +
                               std::to_string(ch),
                           problems);
    }
    return problems;
}

namespace {

// Bounds-checked little-endian reads; `ok` turns false on the first read
// outside the data and stays false.
struct Reader {
    const std::vector<uint8_t>& bytes;
    bool ok = true;

    bool has(size_t at, size_t n) {
        ok = ok && at <= bytes.size() && n <= bytes.size() - at;
        return ok;
    }
    uint32_t u8(size_t at) { return has(at, 1) ? bytes[at] : 0; }
    uint32_t u16(size_t at) { return has(at, 2) ? uint32_t(bytes[at] | bytes[at + 1] << 8) : 0; }
    uint32_t u32(size_t at) { return has(at, 4) ? u16(at) | u16(at + 2) << 16 : 0; }
    std::string text(size_t at, size_t room) {
        std::string s;
        if (!has(at, room)) return s;
        for (size_t i = 0; i < room && bytes[at + i] != 0; ++i) s.push_back(char(bytes[at + i]));
        return s;
    }
};

bool decode_sample(Reader& r, size_t at, bool signed_data, S3mSample& s) {
    if (r.u8(at) != 1) return r.ok;  // not a sampled instrument: kept empty
    s.filename = r.text(at + 0x01, 12);
    const size_t segment = size_t(r.u8(at + 0x0D)) << 16 | r.u16(at + 0x0E);
    const uint32_t length = r.u32(at + 0x10);
    s.loop_start = r.u32(at + 0x14);
    s.loop_end = r.u32(at + 0x18);
    s.volume = int(r.u8(at + 0x1C));
    const uint32_t flags = r.u8(at + 0x1F);
    s.loop = (flags & 1) != 0;
    s.sixteen_bit = (flags & 4) != 0;
    s.c2spd = r.u32(at + 0x20);
    s.name = r.text(at + 0x30, 28);
    if (!r.ok || r.u8(at + 0x1E) != 0 || (flags & 2) != 0) return false;  // packed or stereo: not ours to read
    const size_t width = s.sixteen_bit ? 2 : 1;
    const size_t data = segment * 16;
    if (!r.has(data, size_t(length) * width)) return false;
    s.data.resize(length);
    for (size_t i = 0; i < length; ++i) {
        if (s.sixteen_bit) {
            const uint16_t raw = uint16_t(r.bytes[data + 2 * i] | r.bytes[data + 2 * i + 1] << 8);
            s.data[i] = int16_t(signed_data ? raw : uint16_t(raw ^ 0x8000));
        } else {
            const uint8_t raw = r.bytes[data + i];
            s.data[i] = int16_t((signed_data ? int(int8_t(raw)) : int(raw) - 128) * 256);
        }
    }
    return true;
}

bool decode_pattern(Reader& r, size_t at, S3mPattern& p) {
    const size_t length = r.u16(at);
    if (!r.ok || length < 2 || !r.has(at, length)) return false;
    const size_t end = at + length;
    size_t i = at + 2;
    for (int row = 0; row < kS3mRows;) {
        if (i >= end) return false;
        const uint8_t what = r.bytes[i++];
        if (what == 0) {
            ++row;
            continue;
        }
        const size_t need = ((what & 0x20) ? 2 : 0) + ((what & 0x40) ? 1 : 0) + ((what & 0x80) ? 2 : 0);
        if (need > end - i) return false;
        S3mCell c;
        if (what & 0x20) {
            c.note = r.bytes[i];
            c.instrument = r.bytes[i + 1];
            i += 2;
        }
        if (what & 0x40) c.volume = r.bytes[i++];
        if (what & 0x80) {
            const uint8_t command = r.bytes[i];
            c.command = command >= 1 && command <= 26 ? char('A' + command - 1) : 0;
            c.info = r.bytes[i + 1];
            i += 2;
        }
        const int channel = what & 31;
        if (channel < p.channels) p.at(row, channel) = c;
    }
    return true;
}

}  // namespace

std::optional<S3mModule> decode_s3m(const std::vector<uint8_t>& bytes) {
    Reader r{bytes};
    if (!r.has(0, kHeaderSize) || std::memcmp(&bytes[0x2C], "SCRM", 4) != 0) return std::nullopt;
    S3mModule m;
    m.title = r.text(0x00, 28);
    const size_t order_count = r.u16(0x20);
    const size_t sample_count = r.u16(0x22);
    const size_t pattern_count = r.u16(0x24);
    const bool signed_data = r.u16(0x2A) == 1;
    m.global_volume = int(r.u8(0x30));
    m.initial_speed = int(r.u8(0x31));
    m.initial_tempo = int(r.u8(0x32));
    m.master_volume = int(r.u8(0x33) & 0x7F);
    m.stereo = (r.u8(0x33) & 0x80) != 0;
    const bool pan_table = r.u8(0x35) == 252;
    m.channels = 0;
    for (int ch = 0; ch < 32; ++ch) {
        const uint32_t setting = r.u8(0x40 + size_t(ch));
        if (setting < 16) m.channels = ch + 1;
    }
    if (m.channels == 0 || m.channels > kS3mMaxChannels) return std::nullopt;

    const size_t orders_at = kHeaderSize;
    const size_t samples_at = orders_at + order_count;
    const size_t patterns_at = samples_at + 2 * sample_count;
    const size_t pans_at = patterns_at + 2 * pattern_count;
    if (!r.has(orders_at, pans_at - orders_at)) return std::nullopt;
    for (size_t i = 0; i < order_count && bytes[orders_at + i] != kOrderEnd; ++i)
        m.orders.push_back(bytes[orders_at + i]);
    if (pan_table) {
        if (!r.has(pans_at, 32)) return std::nullopt;
        for (int ch = 0; ch < m.channels; ++ch) {
            const uint8_t pan = bytes[pans_at + size_t(ch)];
            m.channel_pan.push_back((pan & 0x20) != 0 ? pan & 15 : (ch % 2 == 0 ? 3 : 12));
        }
    }
    m.samples.resize(sample_count);
    for (size_t i = 0; i < sample_count; ++i) {
        const size_t at = size_t(r.u16(samples_at + 2 * i)) * 16;
        if (!r.has(at, kSampleHeaderSize) || !decode_sample(r, at, signed_data, m.samples[i])) return std::nullopt;
    }
    for (size_t i = 0; i < pattern_count; ++i) {
        m.patterns.emplace_back(m.channels);
        const size_t at = size_t(r.u16(patterns_at + 2 * i)) * 16;
        if (at != 0 && !decode_pattern(r, at, m.patterns.back())) return std::nullopt;
    }
    if (!r.ok) return std::nullopt;
    return m;
}

}  // namespace writers
