#include "tools/data_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "display/Surface.h"
#include "tools/check_context.h"
#include "tools/data_layout.h"
#include "tools/spawn_needs.h"
#include "tools/tool_window.h"

namespace data_check {

bool is_directory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> files_in(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_regular_file(type_ec)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

void check_interface_pictures(Context& ctx) {
    if (!is_directory(ctx.path("Levels/Resource"))) {
        ctx.error("Levels/Resource", 0, "missing directory: the menus' and screens' pictures go here");
        return;
    }
    for (const std::string& rel : data_layout::interface_pictures()) {
        if (!is_file(ctx.path(rel))) {
            ctx.error(rel, 0, std::string(exists(ctx.path(rel)) ? "not a plain file" : "missing") +
                                  ": the game shows nothing in its place (without a cursor it stops)");
            continue;
        }
        Surface* s = ctx.window.CreateSurface(ctx.path(rel).c_str(), 0, 0);
        if (s == nullptr) {
            ctx.error(rel, 0, "the game's bitmap loader refuses this file (uncompressed 8-bit palettised or "
                              "24-bit bitmaps only)");
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
    Context ctx{root, report, window};
    if (!is_directory(root)) {
        ctx.error(".", 0, "'" + root + "' is not a directory");
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
        }
        check_interface_pictures(ctx);
    }
    check_sounds(ctx);
    check_music(ctx);
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
