// Shared state of one data check: where the data is, the report being
// written, and the display the bitmaps load through.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/data_check.h"
#include "util/file_read.h"

class ToolWindow;

namespace data_check {

struct Context {
    std::string root;  // the data directory, without a trailing slash
    CheckReport& report;
    ToolWindow& window;

    std::string path(const std::string& relative) const { return root + "/" + relative; }
    void error(const std::string& file, int line, const std::string& message) {
        report.findings.push_back({Severity::Error, file, line, message});
    }
    void warning(const std::string& file, int line, const std::string& message) {
        report.findings.push_back({Severity::Warning, file, line, message});
    }
};

// The sprites one world directory defines, in load order.
struct WorldSprites {
    std::string world;               // "Standard", "Space", ...
    std::vector<std::string> names;  // lower-cased, as the game registers them
    std::map<std::string, int> first_width;  // of the sprites with images
    bool has(const std::string& name) const;
};

// Definitions and their bitmaps of Levels/<world>/.
WorldSprites check_world_sprites(Context& ctx, const std::string& world);

// The layout file of Levels/<world>/: its records as read, for the checks
// that need the placed names.
struct PlacedSprite {
    int line = 0;
    std::string name;
    int x = 0;
    int layer = 0;
};
std::vector<PlacedSprite> check_level_file(Context& ctx, const std::string& world,
                                           const WorldSprites& shared, const WorldSprites& own);

// Sprites only the game places, and more sprites on screen at once than the
// game should run.
void check_level_load(Context& ctx, const std::string& world, const std::vector<PlacedSprite>& placed,
                      const WorldSprites& shared, const WorldSprites& own);

// Names the code spawns for what this world places, missing from both.
void check_spawned_names(Context& ctx, const std::string& world, const std::vector<PlacedSprite>& placed,
                         const WorldSprites& shared, const WorldSprites& own);

// Damage inside a bitmap the game's loader accepted.
void check_bitmap_bytes(Context& ctx, const std::string& rel);

// Sound effects and music modules.
void check_sounds(Context& ctx);
void check_music(Context& ctx);

// The preferences file, when there is one.
void check_preferences(Context& ctx);

// Helpers shared by the checks.
bool is_directory(const std::string& path);
// Whether the game can open the file (None), or why not.
file_read::OpenError openable(const std::string& path);
// Names of what a directory holds besides directories, as the game's file
// search lists them (empty when it cannot be read).
std::vector<std::string> files_in(const std::string& dir);

}  // namespace data_check
