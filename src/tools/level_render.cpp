#include "tools/level_render.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <list>
#include <system_error>
#include <utility>

#include "app/level_records.h"
#include "display/Surface.h"
#include "display/pixel_codec.h"
#include "sprites/Sprite.h"
#include "sprites/layers.h"
#include "state/world_list.h"
#include "tools/check_context.h"
#include "tools/data_layout.h"
#include "tools/level_timeline.h"
#include "tools/tool_window.h"
#include "util/file_read.h"
#include "util/png_write.h"
#include "util/ranged_int.h"

namespace {

constexpr int kPlayAreaHeight = 416;

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The masters of one world directory, in the game's load order.
void load_world(ToolWindow& window, const std::string& data_dir, const std::string& world) {
    const std::string sprites = data_dir + "/Levels/" + world + "/Sprites";
    const std::string bitmaps = data_dir + "/Levels/" + world + "/Bitmaps";
    std::vector<std::string> files;
    for (const std::string& f : data_check::files_in(sprites))
        if (f.size() > 4 && lower(f.substr(f.size() - 4)) == ".spt") files.push_back(f);
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lower(a), lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    std::error_code ec;
    std::filesystem::current_path(bitmaps, ec);
    const bool in_bitmaps = !ec;
    for (const std::string& f : files) {
        file_read::InputFile in(sprites + "/" + f, file_read::kMaxLineBytes);
        if (!in.is_open()) continue;
        std::string name = f.substr(0, f.size() - 4);
        // Images are read from the current directory, as in the game.
        (new Sprite)->load(&name, &in, in_bitmaps ? &window : nullptr);
    }
}

// Restores the current directory and frees the level and the masters however
// the rendering ends.
struct LoadedLevel {
    std::filesystem::path home;
    explicit LoadedLevel(std::filesystem::path h) : home(std::move(h)) {}
    ~LoadedLevel() {
        Sprite::destroy_level();
        Sprite::dumpall();
        std::error_code ec;
        std::filesystem::current_path(home, ec);
    }
    LoadedLevel(const LoadedLevel&) = delete;
    LoadedLevel& operator=(const LoadedLevel&) = delete;
};

// The strip column of a level sprite's position; false when it is never shown.
bool strip_column(const Sprite& s, const layers::Speeds& speeds, long long& column) {
    const Sprite::frame* first = s.frames.empty() ? nullptr : s.frames.front();
    return first != nullptr && first->surface != nullptr && level_strip_x(s.x, s.layer, first->rect.right, speeds, column);
}

void draw_sprite(const Sprite& s, const Sprite::frame& f, long long column, long long left_column,
                 LevelPicture& out) {
    const Surface& img = *f.surface;
    const int x0 = static_cast<int>(column + f.xoffset - left_column);
    const int y0 = s.y + f.yoffset;
    for (int y = std::max(0, -y0); y < img.height && y0 + y < out.height; ++y) {
        for (int x = std::max(0, -x0); x < img.width && x0 + x < out.width; ++x) {
            const uint32_t pixel = img.get_pixel(x, y);
            if (img.has_colorkey && pixel == img.colorkey) continue;
            uint8_t* p = &out.rgb[(static_cast<size_t>(y0 + y) * out.width + (x0 + x)) * 3];
            pixel_codec::decode(img.format, nullptr, pixel, p[0], p[1], p[2]);
        }
    }
}

}  // namespace

bool level_strip_x(int x, int layer, int width, const layers::Speeds& speeds, long long& column) {
    using namespace level_timeline;
    const Span span = on_screen(x, layer, width, speeds);
    if (span.empty() || layers::scroll_speed(layer, speeds) == 0) return false;
    // By that frame the view has moved on by the level's speed a frame.
    column = layers::kLevelSpeed * span.first + x_at(x, layer, span.first, speeds);
    return true;
}

bool render_level(const std::string& data_dir, int level, LevelPicture& out, std::string& error,
                  long long max_width) {
    const std::string world = data_layout::world_of_level(level);
    if (world.empty()) {
        error = "level " + std::to_string(level) + " does not exist (" + ranged_int::range_text(1, world_list::kCount) + ")";
        return false;
    }
    std::error_code ec;
    const std::filesystem::path data = std::filesystem::absolute(data_dir, ec);
    const std::string level_path = data.string() + "/Levels/" + world + "/Levels/NORMAL.LVL";
    file_read::InputFile level_file(level_path, file_read::kMaxLineBytes);
    if (!level_file.is_open()) {
        error = level_path + ": " + file_read::describe(level_file.error());
        return false;
    }
    if (Sprite::the_level != nullptr || !Sprite::list_of_master_sprites.empty()) {
        error = "sprites are already loaded";
        return false;
    }
    ToolWindow window;
    if (!window.ready()) {
        error = "no display to load the bitmaps through";
        return false;
    }
    LoadedLevel loaded(std::filesystem::current_path(ec));
    load_world(window, data.string(), data_layout::kSharedWorld);
    load_world(window, data.string(), world);
    Sprite::the_level = new std::list<Sprite*>;
    read_level_records(level_file);

    // The strip's extent: the level's start and first screen, and every
    // sprite's first image where the play first shows it.
    const layers::Speeds& speeds = world_list::speeds_of_level(level);
    long long left = 0, right = level_timeline::kScreenWidth;
    out.sprites_never_shown = 0;
    for (const Sprite* s : *Sprite::the_level) {
        long long column = 0;
        if (!strip_column(*s, speeds, column)) {
            ++out.sprites_never_shown;
            continue;
        }
        const Sprite::frame* f = s->current_frame();
        if (f == nullptr || f->surface == nullptr) continue;
        left = std::min(left, column + f->xoffset);
        right = std::max(right, column + f->xoffset + f->surface->width);
    }
    if (right - left > max_width) {
        error = "the level spans " + std::to_string(right - left) + " columns, more than " +
                std::to_string(max_width) + " can be drawn";
        return false;
    }
    out.width = static_cast<int>(right - left);
    out.height = kPlayAreaHeight;
    out.start_column = static_cast<int>(-left);
    out.rgb.assign(static_cast<size_t>(out.width) * out.height * 3, 0);
    out.sprites_drawn = 0;
    // Back to front: layer 3 first; file order within a layer.
    for (int layer = 3; layer >= 0; --layer) {
        for (const Sprite* s : *Sprite::the_level) {
            const Sprite::frame* f = s->current_frame();
            long long column = 0;
            if (s->layer != layer || f == nullptr || f->surface == nullptr || !strip_column(*s, speeds, column)) continue;
            draw_sprite(*s, *f, column, left, out);
            ++out.sprites_drawn;
        }
    }
    return true;
}

int run_render_level(const std::string& data_dir, int level, const std::string& png_path, std::FILE* log) {
    LevelPicture picture;
    std::string error;
    if (!render_level(data_dir, level, picture, error)) {
        std::fprintf(log, "velmora: %s\n", error.c_str());
        return 1;
    }
    if (!write_png_rgb(png_path, picture.width, picture.height, picture.rgb)) {
        std::fprintf(log, "velmora: cannot write '%s'\n", png_path.c_str());
        return 1;
    }
    std::fprintf(log, "velmora: level %d (%s): %d x %d pixels, %d sprites, level start at column %d -> %s\n", level,
                 data_layout::world_of_level(level).c_str(), picture.width, picture.height, picture.sprites_drawn,
                 picture.start_column, png_path.c_str());
    if (picture.sprites_never_shown > 0)
        std::fprintf(log, "velmora: %d sprites are never on screen in play and are not drawn\n",
                     picture.sprites_never_shown);
    return 0;
}
