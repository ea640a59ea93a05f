// Whole data directories: the input builds the shared and the first world's
// sprite directories (definitions and numbered frame pictures under names
// that differ in case, digits and extension; empty files, directories, FIFOs
// and symbolic links where files belong, and whole directories replaced),
// which the data check and the level renderer then read as the game does.
// Each sprite's frames are loaded as the game loads them and counted against
// what the files say: frames 1, 2, ... up to the first that is missing, not a
// regular file, or refused by its headers.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "display/bitmap_header.h"
#include "fuzz_support.h"
#include "sprites/Sprite.h"
#include "tools/data_check.h"
#include "tools/level_render.h"
#include "tools/tool_window.h"
#include "util/file_read.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace fs = std::filesystem;

namespace {

const char* const kWorlds[] = {"Standard", "Space"};
// Names that meet in the listing: case, digits at the end (frame numbers
// run into them), the portals every level needs, a file named ".SPT".
const char* const kNames[] = {"rock", "ROCK", "Rock", "rock1", "rock12", "a", "a1", "entranceportal", "exitportal",
                              "", "rock x", "r\xC3\xA9"};
const char* const kDefinitionEnds[] = {".SPT", ".spt", ".Spt", ".SPT.bak", ""};
const char* const kFrameEnds[] = {".BMP", ".bmp", ".BMP.png", ""};

// The most a damaged header may claim on a side: 99 frames of it stay within
// the surface budget, so every refusal the oracle does not foresee is a fault.
constexpr int kMaxClaimedSide = 1024;
constexpr long long kRenderWidth = 1280;

template <size_t N>
const char* pick(FuzzedDataProvider& in, const char* const (&list)[N]) {
    return list[in.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    if (b.size() < at + 4) return;
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> picture(FuzzedDataProvider& in) {
    const int w = in.ConsumeIntegralInRange(1, 24), h = in.ConsumeIntegralInRange(1, 24);
    const writers::Rgb colour{in.ConsumeIntegral<uint8_t>(), in.ConsumeIntegral<uint8_t>(),
                              in.ConsumeIntegral<uint8_t>()};
    writers::Image image(w, h, colour);
    image.at(0, 0) = writers::Rgb{0, 255, 0};
    std::vector<uint8_t> bytes;
    switch (in.ConsumeIntegralInRange(0, 4)) {
        case 0: return writers::encode_bmp24(image);
        case 1: return writers::encode_bmp8(writers::quantize(image, in.ConsumeIntegralInRange(1, 16)));
        case 2:  // cut short anywhere
            bytes = writers::encode_bmp24(image);
            bytes.resize(in.ConsumeIntegralInRange<size_t>(0, bytes.size()));
            return bytes;
        case 3: {  // one header field rewritten
            bytes = writers::encode_bmp24(image);
            const size_t fields[] = {0, 2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
            const size_t at = fields[in.ConsumeIntegralInRange<size_t>(0, std::size(fields) - 1)];
            const bool side = at == 18 || at == 22;
            put32(bytes, at, side ? uint32_t(in.ConsumeIntegralInRange(-64, kMaxClaimedSide))
                                  : in.ConsumeIntegral<uint32_t>());
            return bytes;
        }
        default: {
            const std::string raw = in.ConsumeRandomLengthString(128);
            return {raw.begin(), raw.end()};
        }
    }
}

// A symbolic link's target: another file of the tree, itself, nothing, a
// device, a directory.
std::string link_target(FuzzedDataProvider& in, const std::string& dir) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: return std::string("rock") + std::to_string(in.ConsumeIntegralInRange(1, 3)) + ".BMP";
        case 1: return "rock.SPT";
        case 2: return dir;  // the link itself, by whole path: a loop
        case 3: return "missing";
        case 4: return in.ConsumeBool() ? "/dev/null" : "/dev/zero";
        default: return "..";
    }
}

void build_tree(FuzzedDataProvider& in, const std::string& root) {
    std::error_code ec;
    fs::remove_all(root, ec);
    for (const char* world : kWorlds)
        for (const char* d : {"/Sprites", "/Bitmaps"}) fuzz::make_dirs(root + "/Levels/" + world + d);
    fuzz::make_dirs(root + "/Levels/Space/Levels");
    writers::write_text(root + "/Levels/Space/Levels/NORMAL.LVL",
                        "20 200 0 entranceportal\n300 100 1 rock\n400 120 0 a\n500 90 0 rock1\n1400 200 0 exitportal\n");

    const int entries = in.ConsumeIntegralInRange(0, 48);
    for (int i = 0; i < entries && in.remaining_bytes() > 0; ++i) {
        const std::string world = root + "/Levels/" + pick(in, kWorlds) + "/";
        const bool frame = in.ConsumeBool();
        std::string name = pick(in, kNames);
        if (frame) {
            const int number = in.ConsumeIntegralInRange(0, 101);
            name += (number < 10 && in.ConsumeBool() ? "0" : "") + std::to_string(number) + pick(in, kFrameEnds);
        } else {
            name += pick(in, kDefinitionEnds);
        }
        const std::string path = world + (frame ? "Bitmaps/" : "Sprites/") + name;
        fs::remove_all(path, ec);
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0: {
                const std::vector<uint8_t> bytes = frame ? picture(in) : std::vector<uint8_t>{};
                const std::string text = frame ? std::string() : in.ConsumeRandomLengthString(32);
                if (frame) fuzz::write_bytes(path, bytes.data(), bytes.size());
                else writers::write_text(path, text);
                break;
            }
            case 1: fuzz::write_bytes(path, nullptr, 0); break;
            case 2: fuzz::make_dirs(path); break;
            case 3: fs::create_symlink(link_target(in, path), path, ec); break;
            case 4: ::mkfifo(path.c_str(), 0644); break;
            case 5: {  // a whole directory replaced
                const std::string dir = world + (frame ? "Bitmaps" : "Sprites");
                fs::remove_all(dir, ec);
                if (in.ConsumeBool()) writers::write_text(dir, "not a directory");
                else fs::create_directory_symlink(in.ConsumeBool() ? "../Standard/Bitmaps" : "missing", dir, ec);
                break;
            }
            default: {  // good pictures in a row, so frame counts grow
                if (!frame) break;
                const std::string stem = path.substr(0, path.rfind('/') + 1) + pick(in, kNames);
                const std::vector<uint8_t> bytes = picture(in);
                const int count = in.ConsumeIntegralInRange(1, 12);
                for (int k = 1; k <= count; ++k)
                    fuzz::write_bytes(stem + std::to_string(k) + ".BMP", bytes.data(), bytes.size());
            }
        }
    }
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The frames the game must load for `name` from the current directory.
int expected_frames(const std::string& name, uint32_t depth) {
    int k = 1;
    for (; k <= 99; ++k) {
        std::vector<uint8_t> head;
        if (!file_read::read_prefix(name + std::to_string(k) + ".BMP", bitmap_header::kBytes, head)) break;
        if (bitmap_header::judge(head.data(), head.size(), depth) != bitmap_header::Verdict::Loadable) break;
    }
    return k - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = fuzz::scratch_dir() + "/data";
    static const std::string start_dir = fs::current_path().string();
    static ToolWindow window;
    if (!window.ready()) std::abort();
    window.name_damaged_pictures = false;
    FuzzedDataProvider in(data, size);
    build_tree(in, root);

    const CheckReport report = check_data(root);
    for (const Finding& f : report.findings)
        if (f.message.empty() || f.file.empty()) std::abort();

    LevelPicture level;
    std::string error;
    if (!render_level(root, 1, level, error, kRenderWidth) && error.empty()) std::abort();
    if (Sprite::the_level != nullptr || !Sprite::list_of_master_sprites.empty()) std::abort();

    // Frame numbering: each name's frames as the game loads them.
    for (const char* world : kWorlds) {
        const std::string bitmaps = root + "/Levels/" + world + "/Bitmaps";
        if (::chdir(bitmaps.c_str()) != 0) continue;
        for (const char* n : kNames) {
            std::string name = n;
            auto* master = new Sprite;
            master->load(&name, nullptr, &window);
            if (master->frame_count() != expected_frames(lower(n), window.displaydepth)) std::abort();
            // One name's frames at a time: 99 of the largest claims fit the budget.
            Sprite::dumpall();
            if (window.live_surfaces.size() != 2) std::abort();  // the screen pair alone
        }
    }
    if (::chdir(start_dir.c_str()) != 0) std::abort();
    return 0;
}
