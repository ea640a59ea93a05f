#include "tools/data_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "display/Surface.h"
#include "tools/bitmap_refusal.h"
#include "tools/check_context.h"
#include "tools/data_layout.h"
#include "tools/spawn_needs.h"
#include "tools/tool_window.h"

namespace data_check {

bool is_directory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

file_read::OpenError openable(const std::string& path) {
    file_read::OpenError why = file_read::OpenError::None;
    const int fd = file_read::open_regular(path, &why);
    if (fd >= 0) ::close(fd);
    return why;
}

std::vector<std::string> files_in(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (!it->is_directory(type_ec)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

constexpr const char* kCursor = "Levels/Resource/cursor_08.BMP";

void check_interface_pictures(Context& ctx) {
    if (!is_directory(ctx.path("Levels/Resource"))) {
        ctx.error("Levels/Resource", 0, "missing directory: the menus' and screens' pictures go here");
        return;
    }
    for (const std::string& rel : data_layout::interface_pictures()) {
        // Only the cursor is one the game cannot do without.
        const std::string consequence =
            rel == kCursor ? "the game stops at start with the message \"Can't findCursor 8Bit\""
                           : "the game draws nothing in its place";
        const file_read::OpenError why = openable(ctx.path(rel));
        if (why != file_read::OpenError::None) {
            ctx.error(rel, 0, std::string(file_read::describe(why)) + ": " + consequence);
            continue;
        }
        Surface* s = ctx.window.CreateSurface(ctx.path(rel).c_str(), 0, 0);
        if (s == nullptr) {
            ctx.error(rel, 0, "the game's bitmap loader refuses this file: " + bitmap_refusal_of_file(ctx.path(rel)) +
                                  "; " + consequence);
            continue;
        }
        ctx.window.ReleaseSurface(s);
        check_bitmap_bytes(ctx, rel);
    }
}

}  // namespace

}  // namespace data_check

int CheckReport::errors() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [](const Finding& f) { return f.severity == Severity::Error; }));
}

int CheckReport::warnings() const { return static_cast<int>(findings.size()) - errors(); }

CheckReport check_data(const std::string& root_in) {
    using namespace data_check;
    CheckReport report;
    std::string root = root_in.empty() ? "." : root_in;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    ToolWindow window;
    window.name_damaged_pictures = false;  // the check says more about them
    Context ctx{root, report, window};
    if (!is_directory(root)) {
        struct stat st {};
        ctx.error(".", 0, "'" + root + (::stat(root.c_str(), &st) == 0 ? "' is not a directory" : "' does not exist"));
        return report;
    }
    if (!window.ready()) {
        ctx.error(".", 0, "no display to load bitmaps through");
        return report;
    }
    if (!is_directory(ctx.path("Levels"))) {
        ctx.error("Levels", 0, "missing directory: the worlds, their sprites and levels go here");
    } else {
        const WorldSprites shared = check_world_sprites(ctx, data_layout::kSharedWorld);
        const bool shared_listed = is_directory(ctx.path("Levels/" + std::string(data_layout::kSharedWorld) + "/Sprites"));
        for (const std::string& name : spawn_needs::every_level())
            if (shared_listed && !shared.has(name))
                ctx.error("Levels/" + std::string(data_layout::kSharedWorld) + "/Sprites", 0,
                          "no definition of \"" + name + "\", which the game uses in every level");
        for (const std::string& world : data_layout::worlds()) {
            if (!is_directory(ctx.path("Levels/" + world))) {
                ctx.error("Levels/" + world, 0, "missing directory: a world of the game");
                continue;
            }
            const WorldSprites own = check_world_sprites(ctx, world);
            const std::vector<PlacedSprite> placed = check_level_file(ctx, world, shared, own);
            check_spawned_names(ctx, world, placed, shared, own);
            check_level_load(ctx, world, placed, shared, own);
        }
        check_interface_pictures(ctx);
    }
    check_sounds(ctx);
    check_music(ctx);
    check_preferences(ctx);
    return report;
}

std::string format_finding(const Finding& f) {
    std::string out = f.file;
    if (f.line > 0) out += ":" + std::to_string(f.line);
    out += f.severity == Severity::Error ? ": error: " : ": warning: ";
    return out + f.message;
}

int run_check_data(const std::string& root, std::FILE* out) {
    const CheckReport report = check_data(root);
    for (const Finding& f : report.findings) std::fprintf(out, "%s\n", format_finding(f).c_str());
    std::fprintf(out, "%s: %d error%s, %d warning%s\n", root.c_str(), report.errors(),
                 report.errors() == 1 ? "" : "s", report.warnings(), report.warnings() == 1 ? "" : "s");
    return report.errors() > 0 ? 1 : 0;
}
