// Level layout files: records of x, y, layer and sprite name, read as the
// game reads them, and the names the placed sprites' behaviours will ask for.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "tools/check_context.h"
#include "tools/spawn_needs.h"
#include "tools/text_tokens.h"

namespace data_check {

namespace {

std::string level_file_of(const std::string& world) { return "Levels/" + world + "/Levels/NORMAL.LVL"; }

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* const kFields[] = {"x", "y", "layer"};

}  // namespace

std::vector<PlacedSprite> check_level_file(Context& ctx, const std::string& world, const WorldSprites& shared,
                                           const WorldSprites& own) {
    std::vector<PlacedSprite> placed;
    const std::string dir = "Levels/" + world + "/Levels";
    const std::string rel = level_file_of(world);
    if (!is_directory(ctx.path(dir))) {
        ctx.error(dir, 0, "missing directory: the world's level layout NORMAL.LVL goes here");
        return placed;
    }
    std::vector<Token> tokens;
    const ReadResult r = read_tokens(ctx.path(rel), tokens);
    if (r == ReadResult::Missing) {
        ctx.error(rel, 0, "missing: without it the level cannot start and the game returns to the title menu");
        return placed;
    }
    if (r == ReadResult::NotAFile) {
        ctx.error(rel, 0, "not a plain file (a directory?): the game returns to the title menu");
        return placed;
    }
    if (r == ReadResult::TooLarge) {
        ctx.error(rel, 0, "larger than 64 MiB");
        return placed;
    }
    if (tokens.empty()) ctx.error(rel, 0, "empty: the level has no sprites");

    for (size_t i = 0; i < tokens.size(); i += 4) {
        // Field by field, as the game reads: a word where a number belongs is
        // reported before a record cut short.
        int values[3] = {};
        bool readable = true;
        for (int f = 0; f < 4 && readable; ++f) {
            if (i + static_cast<size_t>(f) >= tokens.size()) {
                ctx.error(rel, tokens[i].line,
                          "incomplete record at the end: each record is x, y, layer and a sprite name");
                readable = false;
                break;
            }
            if (f == 3) break;
            const Token& t = tokens[i + static_cast<size_t>(f)];
            bool out_of_range = false;
            if (parse_int_token(t.text, values[f], out_of_range)) continue;
            ctx.error(rel, t.line,
                      "'" + printable(t.text) + "' " +
                          (out_of_range ? "does not fit a 32-bit integer" : "is not a whole number") + " (the " +
                          kFields[f] + " of a record); the game stops reading the level here");
            readable = false;
        }
        if (!readable) break;
        const Token& name = tokens[i + 3];
        const int line = tokens[i].line;
        if (values[2] < 0 || values[2] > 3)
            ctx.error(rel, line, "layer " + std::to_string(values[2]) + " of '" + printable(name.text) +
                                     "' is outside 0..3: it is never drawn and never scrolls");
        if (shared.has(name.text) || own.has(name.text)) {
            placed.push_back({line, name.text});
            continue;
        }
        std::string message = "no sprite named '" + printable(name.text) + "' in Levels/" + shared.world +
                              " or Levels/" + world + "; the record is skipped";
        const std::string folded = lower(name.text);
        if (folded != name.text && (shared.has(folded) || own.has(folded)))
            message += " (names match exactly and sprite names are lower case: '" + printable(folded) + "')";
        ctx.error(rel, name.line, message);
    }

    const auto places = [&](const char* n) {
        return std::any_of(placed.begin(), placed.end(), [n](const PlacedSprite& p) { return p.name == n; });
    };
    if (r == ReadResult::Ok && !tokens.empty()) {
        if (!places("entranceportal"))
            ctx.error(rel, 0, "no \"entranceportal\": the ships are brought in by it and never appear");
        if (!places("exitportal")) ctx.error(rel, 0, "no \"exitportal\": the level can never be finished");
    }
    return placed;
}

void check_spawned_names(Context& ctx, const std::string& world, const std::vector<PlacedSprite>& placed,
                         const WorldSprites& shared, const WorldSprites& own) {
    std::vector<std::string> names;
    for (const PlacedSprite& p : placed) names.push_back(p.name);
    for (const auto& [needed, root] : spawn_needs::needed_by_level(names)) {
        if (shared.has(needed) || own.has(needed)) continue;
        const auto first = std::find_if(placed.begin(), placed.end(),
                                        [&root = root](const PlacedSprite& p) { return p.name == root; });
        ctx.error(level_file_of(world), first != placed.end() ? first->line : 0,
                  "'" + root + "' spawns \"" + needed + "\" (directly or through its parts), but neither Levels/" +
                      shared.world + " nor Levels/" + world + " defines it");
    }
}

}  // namespace data_check
