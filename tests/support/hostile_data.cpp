#include "support/hostile_data.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "state/world_list.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"
#include "writers/s3m_writer.h"

namespace fs = std::filesystem;

namespace hostile {

namespace {

// A little-endian field of a file: where it is and how many bytes it has.
struct Field {
    size_t at;
    int bytes = 4;
};

void put_le(std::vector<uint8_t>& b, Field f, uint32_t v) {
    for (int i = 0; i < f.bytes; ++i) b[f.at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Bitmap header fields.
constexpr Field kInfoSize{14}, kWidth{18}, kHeight{22}, kBits{28, 2}, kCompression{30}, kImageSize{34},
    kColorsUsed{46};

std::vector<uint8_t> good_bmp24(int w = 8, int h = 6) {
    writers::Image image(w, h, writers::Rgb{180, 60, 60});
    image.at(0, 0) = writers::Rgb{0, 255, 0};
    return writers::encode_bmp24(image);
}

std::vector<uint8_t> good_bmp8(int w = 8, int h = 6) {
    writers::IndexedImage image;
    image.width = w;
    image.height = h;
    image.indices.assign(size_t(w) * size_t(h), 1);
    image.indices[0] = 0;
    image.palette = {{0, 255, 0}, {60, 60, 180}};
    return writers::encode_bmp8(image);
}

// A file with one field rewritten.
std::vector<uint8_t> with_field(std::vector<uint8_t> b, Field f, uint32_t value) {
    put_le(b, f, value);
    return b;
}

std::vector<uint8_t> text_bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<int16_t> tone(size_t n) {
    std::vector<int16_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = int16_t((i % 40) * 800 - 16000);
    return v;
}

// Offset of a chunk's size field in a wave file written by encode_wav.
size_t chunk_size_at(const std::vector<uint8_t>& b, const char* id) {
    for (size_t i = 12; i + 8 <= b.size(); ++i)
        if (std::memcmp(b.data() + i, id, 4) == 0) return i + 4;
    return 0;
}

}  // namespace

std::vector<Sample> damaged_bitmaps() {
    const std::vector<uint8_t> b24 = good_bmp24(16, 16);
    const std::vector<uint8_t> b8 = good_bmp8(16, 16);
    std::vector<Sample> out;
    out.push_back({"zero-length", {}});
    out.push_back({"signature only", text_bytes("BM")});
    out.push_back({"cut inside the info header", {b24.begin(), b24.begin() + 30}});
    out.push_back({"pixels cut short", {b24.begin(), b24.begin() + 54 + 100}});
    out.push_back({"8-bit cut inside its colour table", {b8.begin(), b8.begin() + 60}});
    out.push_back({"width 2^31", with_field(b24, kWidth, 0x80000000u)});
    out.push_back({"width 2^31 - 1", with_field(b24, kWidth, 0x7FFFFFFFu)});
    out.push_back({"height -2^31", with_field(b24, kHeight, 0x80000000u)});
    out.push_back({"top-down (negative height)", with_field(b24, kHeight, uint32_t(-16))});
    out.push_back({"0 x 0", with_field(with_field(b24, kWidth, 0), kHeight, 0)});
    // Headers alone, claiming pictures of 8 M pixels (the most the loader
    // takes) and 64 M, the second in forms it refuses whatever the size.
    const auto claim = [](std::vector<uint8_t> b, uint32_t w, uint32_t h) {
        b.resize(54);
        return with_field(with_field(b, kWidth, w), kHeight, h);
    };
    out.push_back({"largest picture, no pixels", claim(b24, 4096, 2048)});
    out.push_back({"beyond the pixel limit, no pixels", claim(b24, 16384, 4096)});
    out.push_back({"32-bit giant, no pixels", with_field(claim(b24, 16384, 4096), kBits, 32)});
    out.push_back({"RLE8 giant, no pixels", with_field(claim(b8, 16384, 4096), kCompression, 1)});
    out.push_back({"image size 4 GiB", with_field(b24, kImageSize, 0xFFFFFFFFu)});
    out.push_back({"image size larger than the file", with_field(b24, kImageSize, 1u << 20)});
    out.push_back({"1-bit", with_field(b24, kBits, 1)});
    out.push_back({"4-bit", with_field(b8, kBits, 4)});
    out.push_back({"16-bit", with_field(b24, kBits, 16)});
    out.push_back({"32-bit", with_field(b24, kBits, 32)});
    out.push_back({"bit count 65535", with_field(b24, kBits, 0xFFFF)});
    out.push_back({"RLE8 compressed", with_field(b8, kCompression, 1)});
    out.push_back({"bit fields", with_field(b24, kCompression, 3)});
    out.push_back({"PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}});
    out.push_back({"text", text_bytes("this is not a picture\n")});
    out.push_back({"colours used 2^32 - 1", with_field(b8, kColorsUsed, 0xFFFFFFFFu)});
    out.push_back({"16 colours, pixels beyond them", with_field(with_field(b8, kColorsUsed, 16), Field{54 + 4 * 2, 1}, 0xFF)});
    out.push_back({"info header size 2^32 - 16", with_field(b24, kInfoSize, 0xFFFFFFF0u)});
    out.push_back({"info header size 0", with_field(b8, kInfoSize, 0)});
    std::vector<uint8_t> no_table(b8.begin(), b8.begin() + 54);
    out.push_back({"8-bit without colour table or pixels", no_table});
    return out;
}

std::vector<Sample> damaged_definitions() {
    std::vector<Sample> out;
    out.push_back({"words", text_bytes("hello world\nsprite offsets follow\n")});
    out.push_back({"numbers beyond any integer",
                   text_bytes("99999999999999999999999 -99999999999999999999 4294967296 2147483648\n")});
    out.push_back({"integer limits", text_bytes("2147483647 -2147483648 2147483647 -2147483648\n")});
    out.push_back({"empty", {}});
    out.push_back({"one number", text_bytes("5")});
    out.push_back({"fractions and hex", text_bytes("1.5 2e9 -0x10 +7\n")});
    std::vector<uint8_t> binary(256);
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = uint8_t(i);
    out.push_back({"binary", binary});
    return out;
}

std::vector<Sample> damaged_waves() {
    const std::vector<int16_t> samples = tone(2000);
    const std::vector<uint8_t> good = writers::encode_wav(samples);
    const Field fmt_size{chunk_size_at(good, "fmt ")};
    const Field data_size{chunk_size_at(good, "data")};
    const Field channels{22, 2}, rate{24}, bits{34, 2}, riff_size{4};
    std::vector<Sample> out;
    out.push_back({"data size 4 GiB", with_field(good, data_size, 0xFFFFFFFFu)});
    out.push_back({"data size odd and past the end", with_field(good, data_size, 0x7FFFFFF1u)});
    out.push_back({"RIFF size 4 GiB", with_field(good, riff_size, 0xFFFFFFFFu)});
    out.push_back({"RIFF size 0", with_field(good, riff_size, 0)});
    out.push_back({"RIFF size 5", with_field(good, riff_size, 5)});
    out.push_back({"fmt size 4 GiB", with_field(good, fmt_size, 0xFFFFFFFFu)});
    out.push_back({"fmt size 2", with_field(good, fmt_size, 2)});
    out.push_back({"cut in the fmt chunk", {good.begin(), good.begin() + 30}});
    out.push_back({"cut in the data", {good.begin(), good.begin() + 60}});
    out.push_back({"no data chunk", with_field(good, Field{data_size.at - 4}, 0x61746164u ^ 0x20202020u)});
    writers::WaveOptions extra;
    extra.fmt_extra_bytes = 22;
    std::vector<uint8_t> ext = writers::encode_wav(samples, extra);
    out.push_back({"extra bytes claimed beyond the fmt chunk", with_field(ext, Field{chunk_size_at(ext, "fmt ") + 4 + 16, 2}, 0xFFFF)});
    out.push_back({"channels 0", with_field(good, channels, 0)});
    out.push_back({"channels 65535", with_field(good, channels, 0xFFFF)});
    out.push_back({"rate 0", with_field(good, rate, 0)});
    out.push_back({"rate 4 GHz", with_field(good, rate, 0xFFFFFFFFu)});
    out.push_back({"bits 12", with_field(good, bits, 12)});
    out.push_back({"not a wave", text_bytes("RIFF....AVI LIST")});
    out.push_back({"zero-length", {}});
    return out;
}

std::vector<Sample> damaged_modules() {
    writers::S3mModule m;
    m.channels = 2;
    writers::S3mSample s;
    s.data = tone(400);
    m.samples = {s};
    writers::S3mPattern p(2);
    p.at(0, 0) = {writers::s3m_note(5, 0), 1, -1, 0, 0};
    m.patterns = {p};
    m.orders = {0};
    const std::vector<uint8_t> good = writers::encode_s3m(m);
    std::vector<Sample> out;
    out.push_back({"zero-length", {}});
    out.push_back({"text", text_bytes("these are not the notes you are looking for\n")});
    const auto cut = [&good](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(std::min(n, good.size()))); };
    out.push_back({"header only", cut(0x60)});
    out.push_back({"cut in half", cut(good.size() / 2)});
    std::vector<uint8_t> noise(4096);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t((i * 2654435761u) >> 13);
    std::memcpy(noise.data() + 0x2C, "SCRM", 4);
    out.push_back({"noise with the signature", noise});
    std::vector<uint8_t> many = good;
    many[0x20] = 0xFF;  // order count
    many[0x22] = 0xFF;  // sample count
    many[0x24] = 0xFF;  // pattern count
    out.push_back({"counts far beyond the file", many});
    return out;
}

std::string odd_level_records() {
    std::ostringstream o;
    o << "300 10 0 nosuchsprite\n"
      << "300 10 0 EXITPORTAL\n"          // names compare exactly
      << "300 10 0 " << std::string(5000, 'q') << "\n"
      << "300 10 0 \xC3\xA9toile\n"
      << "320 10 -1 smoke\n"
      << "340 10 4 smoke\n"
      << "360 380 2147483647 powerup\n"
      << "380 380 -2147483648 bluepowerup\n"
      << "2147483647 2147483647 0 standardexplosion\n"
      << "-2147483648 -2147483648 1 standardexplosionbig\n"
      << "2147483647 -2147483648 0 gameover\n"
      << "400 2147483647 0 enemyshot\n"
      << "-1 -1 3 smoke\n"
      << "639 415 0 smoke\n"
      << "400 10 0 smoke\t400 10 0 smoke 400 10 0 smoke\n";  // any white space
    return o.str();
}

bool put(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    return writers::write_file(path, bytes);
}

bool put(const std::string& path, const std::string& text) { return put(path, text_bytes(text)); }

bool make_tour_tree(const std::string& dir, int frames_to_exit, const std::string& extra, bool keep_levels) {
    std::error_code ec;
    fs::copy(VELMORA_DATA, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    fs::remove(fs::path(dir) / ".generated", ec);
    // Ships appear at (120, 205) 20 frames in; the right-hand piece of an exit
    // portal reaches their left edge 3 pixels a frame later each.
    const int exit_x = 150 + 3 * frames_to_exit;
    // Three portals cover the play area's height with gaps narrower than a
    // ship; one behind the other, so one ship never meets two in a frame
    // (each would raise the level by one).
    std::ostringstream wall;
    wall << exit_x << " 142 0 exitportal\n"
         << exit_x + 90 << " 0 0 exitportal\n"
         << exit_x + 180 << " 284 0 exitportal\n";
    std::ostringstream level;
    level << "100 150 0 entranceportal\n" << wall.str() << extra;
    level << "5 5 five oops\n" << exit_x << " 150 0 exitportal\n";  // never read
    for (const world_list::Entry& world : world_list::kEntries) {
        const std::string w = dir + "/Levels/" + world.name + "/";
        const std::string path = w + "Levels/NORMAL.LVL";
        if (!writers::make_directories(w + "Sprites") || !writers::make_directories(w + "Bitmaps"))
            return false;
        std::string text = level.str();
        if (keep_levels && fs::is_regular_file(path, ec)) {
            std::ifstream in(path);
            std::ostringstream old;
            old << in.rdbuf();
            text = old.str() + "\n" + wall.str();
        }
        if (!put(path, text)) return false;
    }
    return true;
}

std::string add_damaged_sprites(const std::string& world_dir) {
    const std::vector<Sample> bitmaps = damaged_bitmaps();
    const std::vector<Sample> definitions = damaged_definitions();
    const std::vector<uint8_t> good = good_bmp24(12, 10);
    std::ostringstream records;
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const std::string name = "hostile" + std::to_string(i + 1);
        put(world_dir + "Sprites/" + name + ".SPT", definitions[i % definitions.size()].bytes);
        put(world_dir + "Bitmaps/" + name + "1.BMP", bitmaps[i].bytes);
        put(world_dir + "Bitmaps/" + name + "2.BMP", good);
        records << 200 + 15 * int(i) << ' ' << (i % 2 ? 20 : 360) << " 0 " << name << '\n';
    }
    // Good pictures behind every damaged definition text.
    for (size_t i = 0; i < definitions.size(); ++i) {
        const std::string name = "oddtext" + std::to_string(i + 1);
        put(world_dir + "Sprites/" + name + ".SPT", definitions[i].bytes);
        for (int k = 1; k <= 3; ++k) put(world_dir + "Bitmaps/" + name + std::to_string(k) + ".BMP", good);
        records << 220 + 30 * int(i) << " 390 0 " << name << '\n';
    }
    // Names the file system allows and the loader must cope with.
    put(world_dir + "Sprites/.SPT", std::string("1 2\n"));
    put(world_dir + "Sprites/LOUD.SPT", std::string("0 0\n"));
    put(world_dir + "Bitmaps/loud1.BMP", good);
    std::error_code ec;
    fs::create_directories(world_dir + "Sprites/folder.SPT", ec);
    records << "260 30 0 loud\n";
    return records.str();
}

std::vector<uint8_t> sample(const std::vector<Sample>& samples, const std::string& label) {
    for (const Sample& s : samples)
        if (s.label == label) return s.bytes;
    return {};
}

}  // namespace hostile
