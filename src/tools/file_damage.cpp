#include "tools/file_damage.h"

#include <algorithm>

#include "tools/check_context.h"
#include "util/file_read.h"

namespace data_check {

namespace {

struct Bytes {
    const std::vector<uint8_t>& b;
    bool has(uint64_t at, uint64_t n) const { return at <= b.size() && n <= b.size() - at; }
    uint32_t u8(uint64_t at) const { return has(at, 1) ? b[at] : 0; }
    uint32_t u16(uint64_t at) const { return has(at, 2) ? uint32_t(b[at] | b[at + 1] << 8) : 0; }
    uint32_t u32(uint64_t at) const { return has(at, 4) ? u16(at) | u16(at + 2) << 16 : 0; }
};

std::string n(uint64_t v) { return std::to_string(v); }

void add(std::vector<Damage>& out, Severity s, std::string message) { out.push_back({s, std::move(message)}); }

}  // namespace

std::vector<uint8_t> read_bytes(const std::string& path, uint64_t limit) {
    std::vector<uint8_t> out;
    file_read::read_prefix(path, limit, out);
    return out;
}

std::vector<Damage> bitmap_damage(const std::vector<uint8_t>& file) {
    std::vector<Damage> out;
    const Bytes r{file};
    if (!r.has(0, 54)) return out;  // the loader refuses these
    const uint64_t size = file.size();
    const uint32_t info_size = r.u32(14);
    const auto width = static_cast<int32_t>(r.u32(18));
    const auto height = static_cast<int32_t>(r.u32(22));
    const uint32_t bits = r.u16(28);
    const uint32_t image_size = r.u32(34);
    const uint32_t colours_used = r.u32(46);
    if ((bits != 8 && bits != 24) || width <= 0 || height <= 0) return out;

    const uint64_t stride = (uint64_t(bits / 8) * uint64_t(width) + 3) & ~uint64_t{3};
    const uint64_t needed = stride * uint64_t(height);
    const uint64_t table_at = 14 + uint64_t(info_size);
    const uint64_t entries = bits == 8 ? (colours_used == 0 ? 256 : colours_used) : 0;
    const uint64_t pixels_at = table_at + 4 * entries;
    const uint64_t entries_held = table_at < size ? std::min(entries, (size - table_at) / 4) : 0;

    if (bits == 8 && colours_used > 256) {
        add(out, Severity::Error,
            "its header says " + n(colours_used) + " colours (a table holds at most 256); the game looks for the "
            "pixels after that many entries, past the file's end, and shows the picture in colour 0");
        return out;
    }
    if (bits == 8 && entries_held < entries) {
        add(out, Severity::Error,
            "the file ends inside its colour table (" + n(entries_held) + " of " + n(entries) +
                " entries); its pixels are missing and show in colour 0");
        return out;
    }
    const uint32_t stated_offset = r.u32(10);
    if (stated_offset != 0 && stated_offset != pixels_at)
        add(out, Severity::Error,
            "its file header puts the pixels at byte " + n(stated_offset) + ", but the game reads them from byte " +
                n(pixels_at) + " (after the " + n(info_size) + "-byte info header" +
                (bits == 8 ? " and " + n(entries) + " colours" : std::string()) + "); the picture comes out shifted");

    const uint64_t held = pixels_at < size ? size - pixels_at : 0;
    if (image_size != 0 && image_size < needed) {
        add(out, Severity::Error,
            "its header gives the pixels " + n(image_size) + " bytes where " + n(width) + " x " + n(height) +
                " needs " + n(needed) + "; the game reads only those and the rest shows in colour 0");
    } else if (held < needed) {
        add(out, Severity::Error,
            "the file ends " + n(needed - held) + " bytes short of its pixels (" + n(needed) + " from byte " +
                n(pixels_at) + "); the missing rows show in colour 0");
    } else if (image_size > held) {
        add(out, Severity::Warning,
            "its header gives the pixels " + n(image_size) + " bytes, the file holds " + n(held) +
                "; the game reads the " + n(needed) + " a " + n(width) + " x " + n(height) + " picture needs");
    }

    if (bits == 8) {
        // Indices past the table have no colour (drawn black on 16-bit screens).
        const uint64_t rows = std::min<uint64_t>(uint64_t(height), held / stride);
        uint32_t highest = 0;
        for (uint64_t y = 0; y < rows; ++y)
            for (uint64_t x = 0; x < uint64_t(width); ++x) highest = std::max<uint32_t>(highest, file[pixels_at + y * stride + x]);
        if (rows > 0 && highest >= entries_held)
            add(out, Severity::Error,
                "its pixels use colour " + n(highest) + " but its table holds " + n(entries_held) +
                    " colours; those pixels have no colour of their own and show black");
    }
    return out;
}

std::vector<Damage> s3m_damage(const std::vector<uint8_t>& file) {
    std::vector<Damage> out;
    const Bytes r{file};
    if (!r.has(0, 0x60) || file[0x2C] != 'S' || file[0x2D] != 'C' || file[0x2E] != 'R' || file[0x2F] != 'M')
        return out;
    const uint64_t size = file.size();
    const uint64_t orders = r.u16(0x20), instruments = r.u16(0x22), patterns = r.u16(0x24);
    const uint64_t instrument_table = 0x60 + orders;
    const uint64_t pattern_table = instrument_table + 2 * instruments;
    if (!r.has(0x60, orders + 2 * instruments + 2 * patterns)) {
        add(out, Severity::Error,
            "the file ends inside its tables (" + n(orders) + " orders, " + n(instruments) + " instruments, " +
                n(patterns) + " patterns); the module is cut short or its counts are wrong");
        return out;
    }
    for (uint64_t i = 0; i < instruments; ++i) {
        const uint64_t at = uint64_t(r.u16(instrument_table + 2 * i)) * 16;
        if (at == 0) continue;
        if (!r.has(at, 0x50)) {
            add(out, Severity::Error, "instrument " + n(i + 1) + "'s header lies past the end of the file");
            continue;
        }
        if (r.u8(at) != 1) continue;  // not a sampled instrument
        const uint64_t data_at = (uint64_t(r.u8(at + 0x0D)) << 16 | r.u16(at + 0x0E)) * 16;
        const uint32_t flags = r.u8(at + 0x1F);
        const uint64_t bytes = uint64_t(r.u32(at + 0x10)) * ((flags & 4) != 0 ? 2 : 1) * ((flags & 2) != 0 ? 2 : 1);
        if (bytes > 0 && !r.has(data_at, bytes))
            add(out, Severity::Warning,
                "sample " + n(i + 1) + " (" + n(bytes) + " bytes from byte " + n(data_at) +
                    ") runs past the end of the file (" + n(size) +
                    " bytes); the module is cut short and the missing sound is silent");
    }
    for (uint64_t p = 0; p < patterns; ++p) {
        const uint64_t at = uint64_t(r.u16(pattern_table + 2 * p)) * 16;
        if (at == 0) continue;
        // The packed length counts its own two bytes.
        if (!r.has(at, std::max<uint32_t>(r.u16(at), 2)))
            add(out, Severity::Warning,
                "pattern " + n(p + 1) + " runs past the end of the file (" + n(size) +
                    " bytes); the module is cut short and the missing rows are empty");
    }
    return out;
}

void report_damage(Context& ctx, const std::string& rel, const std::vector<Damage>& found) {
    for (const Damage& d : found) {
        if (d.severity == Severity::Error) {
            ctx.error(rel, 0, d.message);
        } else {
            ctx.warning(rel, 0, d.message);
        }
    }
}

void check_bitmap_bytes(Context& ctx, const std::string& rel) {
    report_damage(ctx, rel, bitmap_damage(read_bytes(ctx.path(rel), kMaxInspectedBytes)));
}

}  // namespace data_check
