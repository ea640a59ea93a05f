// Level start: the world and its tune, the per-level resets, the sprite
// definitions of the shared and the level's own world, and the level list read
// from the world's layout file.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/level_records.h"
#include "audio/music.h"
#include "behaviours/registry.h"
#include "sprites/Sprite.h"
#include "sprites/limits.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "state/world_list.h"
#include "util/file_read.h"

namespace {

// "/Levels/<world>/", as the loader appends it to the data directory.
std::string world_path(const char* world) { return std::string("/Levels/") + world + "/"; }

bool change_directory(const std::string& path) {
    std::error_code ec;
    std::filesystem::current_path(path, ec);
    return !ec;
}

// The directory part and the wildcard part of a search pattern.
std::pair<std::string, std::string> split_pattern(const std::string& pattern) {
    const size_t slash = pattern.find_last_of('/');
    if (slash == std::string::npos) return {".", pattern};
    return {slash == 0 ? "/" : pattern.substr(0, slash), pattern.substr(slash + 1)};
}

char fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// '*' matches any run of characters, '?' any one; letters match either case,
// as on the file system the data were made for.
bool wildcard_match(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool names_in_order(const std::string& a, const std::string& b) {
    const auto folded_less = [](char x, char y) { return fold(x) < fold(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less))
        return false;
    return a < b;
}

// Empty for a level number that has no world.
std::string world_directory(int level) {
    const world_list::Entry* world = world_list::of_level(level);
    return world != nullptr ? world_path(world->name) : std::string();
}

void reset_per_level_globals() {
    // A level that placed the game-over sprite ended with the flag up; the
    // reloaded level must not end again on its first frame.
    gameover = false;
    scroll = 1;
    p1poweruplevel = p2poweruplevel = 1;
    p1p1poweruplevel = p1p2poweruplevel = p2p1poweruplevel = p2p2poweruplevel = 1;
    p1powerupitem = p2powerupitem = 1;
    p1p1powerupitem = p1p2powerupitem = p2p1powerupitem = p2p2powerupitem = 1;
    p1p1 = p1p2 = p2p1 = p2p2 = false;
    updatepowerupbar = true;
}

}  // namespace

void read_level_records(std::istream& in) {
    while (in.good()) {
        int x = 0, y = 0, layer = 0;
        std::string name;
        if (!(in >> x >> y >> layer >> name)) break;
        // Names compare whole: "rock" followed by a zero byte is not "rock".
        if (name.find('\0') != std::string::npos) continue;
        Sprite* master = Sprite::getnamedsprite(name.c_str());
        if (master == nullptr) continue;
        Sprite* copy = master->make_copy();
        copy->x = clamp_coordinate(x);
        copy->y = clamp_coordinate(y);
        copy->layer = layer;
        Sprite::the_level->push_back(copy);
    }
}

// The matches of one directory search, directories included (they are
// skipped when handed out).
struct FileSearch {
    struct Entry {
        std::string name;
        bool directory = false;
    };
    std::vector<Entry> entries;
    size_t next = 0;
};

void Velmora_Win::get_directory(std::string* out) {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    *out = ec ? std::string() : cwd.string();
}

void Velmora_Win::set_directory(std::string* path) { change_directory(*path); }

std::string* Velmora_Win::find_first_file_name(FileSearch** out, const char* pattern) {
    auto* search = new FileSearch;
    *out = search;
    const auto [directory, wildcard] = split_pattern(pattern != nullptr ? pattern : "");
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!wildcard_match(wildcard, name)) continue;
        std::error_code type_ec;
        const bool is_dir = it->is_directory(type_ec);
        search->entries.push_back({std::move(name), is_dir});
    }
    // Directory order differs between file systems; sorted, the load order
    // (and with it the master lists) is the same on every machine.
    std::sort(search->entries.begin(), search->entries.end(),
              [](const FileSearch::Entry& a, const FileSearch::Entry& b) {
                  return names_in_order(a.name, b.name);
              });
    if (search->entries.empty()) return nullptr;
    const FileSearch::Entry& first = search->entries[search->next++];
    return first.directory ? nullptr : new std::string(first.name);
}

std::string* Velmora_Win::find_next_file_name(FileSearch* search) {
    if (search == nullptr) return nullptr;
    while (search->next < search->entries.size()) {
        const FileSearch::Entry& e = search->entries[search->next++];
        if (!e.directory) return new std::string(e.name);
    }
    return nullptr;
}

void Velmora_Win::close_file_search(FileSearch* search) { delete search; }

void Velmora_Win::load_level() {
    game_state = kStatePlaying;
    if (currentlevel == world_list::kEndingLevel) {
        game_state = kStateEnding;
        load_music();
        return;
    }

    black_out_ports();
    reset_per_level_globals();
    shownhitpoints1 = shownhitpoints2 = 4;
    shownscore1 = shownscore2 = -1;
    loaded_level = currentlevel;
    frame_time = now_ms();

    music_shutdown();
    music_init();
    const std::string world = world_directory(currentlevel);
    const char* tune = music_for_state();
    if (!world.empty() && tune != nullptr) music_load(tune);

    // A directory, a FIFO or a device is no layout file.
    std::unique_ptr<file_read::InputFile> level_file;
    if (!world.empty()) {
        std::string cwd;
        get_directory(&cwd);
        level_file = std::make_unique<file_read::InputFile>(cwd + world + "Levels/NORMAL.LVL",
                                                            file_read::kMaxLineBytes);
    }

    if (level_file == nullptr || !level_file->is_open()) {
        // The previous level, if any, stays as it was.
        game_state = kStateTitleMenu;
    } else {
        // Masters go even without a level list, so a reload never holds two
        // generations of definitions.
        Sprite::destroy_level();
        Sprite::dumpall();
        load_sprites(world_path(world_list::kSharedWorld));
        load_sprites(world);
        set_behaviors();

        Sprite::the_level = new std::list<Sprite*>;
        read_level_records(*level_file);
        file_read::warn_if_cut(world.substr(1) + "Levels/NORMAL.LVL", *level_file);

        black_out_ports();
        load_power_up_icons();
        prep_shield_bars();
        prep_score_bar();
        prep_power_up_bar();
        if (PreDrawScene()) {
            make_sprite_active_list();
            draw_sprite_active_list();
        }
    }

    if (music_loaded()) music_start();
}

namespace {

// The loading bar, drawn straight onto the visible surface.
constexpr RECT kBarFrame{220, 220, 440, 240};
constexpr RECT kBarInside{221, 221, 439, 239};
constexpr int kBarLeft = 223, kBarTop = 223, kBarBottom = 237;
constexpr int kBarSpan = 214;
constexpr int kBarFinalRight = 414;

}  // namespace

void Velmora_Win::load_sprites(std::string dir) {
    std::string home;
    get_directory(&home);
    std::string bitmaps = home + dir + "Bitmaps/";
    std::string definitions = home + dir + "Sprites/";

    // The search names its directory, so a missing Sprites/ finds nothing
    // rather than whatever lies in the current directory.
    std::vector<std::string> names;
    FileSearch* search = nullptr;
    if (std::string* first = find_first_file_name(&search, (definitions + "*.SPT").c_str())) {
        names.push_back(*first);
        delete first;
    }
    while (std::string* next = find_next_file_name(search)) {
        names.push_back(*next);
        delete next;
    }
    close_file_search(search);

    const uint32_t red = RGBtoPixel(255, 0, 0);
    const auto fill = [this](const RECT& r, uint32_t color) {
        if (!PreDrawScene()) return;
        ClearSurface(primsurf, color, &r);
        PresentFront();
    };
    fill(kBarFrame, red);
    fill(kBarInside, RGBtoPixel(0, 0, 0));

    // Whole pixels per definition, then carried as a float (the remainder is lost).
    const int whole_step = names.empty() ? 0 : kBarSpan / static_cast<int>(names.size());
    const float step = static_cast<float>(whole_step);
    float right_edge = static_cast<float>(kBarLeft);
    for (const std::string& file : names) {
        file_read::InputFile in(definitions + file, file_read::kMaxLineBytes);
        if (!in.is_open()) continue;
        // Images are looked up in the current directory; one that cannot be
        // entered gives the definition no frames.
        const bool in_bitmaps = change_directory(bitmaps);
        std::string name = file.substr(0, file.size() >= 4 ? file.size() - 4 : 0);
        auto* master = new Sprite;
        master->load(&name, &in, in_bitmaps ? this : nullptr);
        file_read::warn_if_cut(dir.substr(dir.rfind('/', 0) == 0 ? 1 : 0) + "Sprites/" + file, in);
        right_edge += step;
        fill(RECT{kBarLeft, kBarTop, static_cast<int>(right_edge), kBarBottom}, red);
    }
    fill(RECT{kBarLeft, kBarTop, kBarFinalRight, kBarBottom}, red);
    set_directory(&home);
}
