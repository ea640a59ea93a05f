// Level layout files: records of x, y, layer and sprite name, read as the
// game reads them, and the names the placed sprites' behaviours will ask for.
#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sprites/layers.h"
#include "state/world_list.h"
#include "tools/check_context.h"
#include "tools/level_timeline.h"
#include "tools/spawn_needs.h"
#include "tools/text_fields.h"

namespace data_check {

namespace {

std::string level_file_of(const std::string& world) { return "Levels/" + world + "/Levels/NORMAL.LVL"; }

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* const kFields[] = {"x", "y", "layer"};

// More sprites on screen at once than a level should keep busy.
constexpr long long kMaxActive = 1000;

// What a sprite the game itself places is, or null for the others.
const char* placed_by_the_game(const std::string& name) {
    static const std::map<std::string, const char*> roles = {
        {"gameover", "the game-over text"},  {"playerone", "player one's ship"},
        {"playertwo", "player two's ship"},  {"drone", "a ship's drone"},
        {"shield", "a ship's shield"},       {"score", "a piece of the status bars"},
        {"shieldbar", "a piece of the status bars"},   {"blueicon", "a piece of the status bars"},
        {"missileicon", "a piece of the status bars"}, {"heatseekericon", "a piece of the status bars"},
        {"photonicon", "a piece of the status bars"},  {"staricon", "a piece of the status bars"},
        {"playeroneicon", "a piece of the status bars"}, {"playertwoicon", "a piece of the status bars"},
        {"droneicon", "a piece of the status bars"},   {"bar", "a piece of the status bars"},
        {"bar2", "a piece of the status bars"},        {"buble", "a piece of the status bars"},
    };
    const auto it = roles.find(name);
    return it != roles.end() ? it->second : nullptr;
}

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
    const TextFile text = read_text(ctx.path(rel));
    if (text.error != file_read::OpenError::None) {
        ctx.error(rel, 0, std::string(file_read::describe(text.error)) +
                              ": without it the level cannot start and the game returns to the title menu");
        return placed;
    }
    if (text.too_large) ctx.error(rel, 0, "larger than 64 MiB; only its start is checked");
    bool stopped = false;
    bool any_field = false;

    // Field by field, as the game reads: a word where a number belongs is
    // reported before a record cut short.
    FieldReader reader(text.text);
    for (bool more = true; more;) {
        long long values[3] = {};
        int line = 0;
        for (int f = 0; f < 3 && more; ++f) {
            const FieldReader::Number r = reader.number(INT_MIN, INT_MAX, values[f]);
            if (f == 0) line = reader.line();
            if (r == FieldReader::Number::End) {
                // Cut by an over-long line, which is reported below.
                if (f > 0 && text.long_line == 0)
                    ctx.error(rel, line, "incomplete record at the end: each record is x, y, layer and a sprite name");
                more = false;
                break;
            }
            any_field = true;
            if (r != FieldReader::Number::Ok) {
                ctx.error(rel, reader.line(),
                          "'" + printable(reader.field_text()) + "' " +
                              (r == FieldReader::Number::OutOfRange ? "does not fit a 32-bit integer"
                                                                    : "is not a whole number") +
                              " (the " + kFields[f] + " of a record); the game stops reading the level here");
                stopped = true;
                more = false;
                break;
            }
            if (reader.glued())
                ctx.warning(rel, reader.line(),
                            "'" + printable(reader.field_text()) + "': the game reads " + std::to_string(values[f]) +
                                " as the " + kFields[f] + " of a record and what follows as the next item; put "
                                "white space between them");
        }
        std::string name;
        if (!more) break;
        if (!reader.word(name)) {
            if (text.long_line == 0)
                ctx.error(rel, line, "incomplete record at the end: each record is x, y, layer and a sprite name");
            break;
        }
        const int layer = static_cast<int>(values[2]);
        if (layer < 0 || layer > 3)
            ctx.error(rel, line, "layer " + std::to_string(layer) + " of '" + printable(name) +
                                     "' is outside 0..3: it is never drawn and never scrolls");
        if (shared.has(name) || own.has(name)) {
            placed.push_back({line, name, static_cast<int>(values[0]), layer});
            continue;
        }
        std::string message = "no sprite named '" + printable(name) + "' in Levels/" + shared.world + " or Levels/" +
                              world + "; the record is skipped";
        const std::string folded = lower(name);
        if (folded != name && (shared.has(folded) || own.has(folded)))
            message += " (names match exactly and sprite names are lower case: '" + printable(folded) + "')";
        ctx.error(rel, reader.line(), message);
    }
    if (!any_field && text.long_line == 0) ctx.error(rel, 0, "empty: the level has no sprites");

    const auto places = [&](const char* n) {
        return std::any_of(placed.begin(), placed.end(), [n](const PlacedSprite& p) { return p.name == n; });
    };
    if (text.long_line > 0 && !stopped)
        ctx.error(rel, static_cast<int>(text.long_line),
                  file_read::long_line_message(text.long_line, file_read::kMaxLineBytes) +
                      "; the game places none of the records from there on");
    if (any_field) {
        if (!places("entranceportal"))
            ctx.error(rel, 0, "no \"entranceportal\": the ships are brought in by it and never appear");
        if (!places("exitportal")) ctx.error(rel, 0, "no \"exitportal\": the level can never be finished");
    }
    return placed;
}

void check_level_load(Context& ctx, const std::string& world, const std::vector<PlacedSprite>& placed,
                      const WorldSprites& shared, const WorldSprites& own) {
    const std::string rel = level_file_of(world);
    std::set<std::string> warned;
    std::vector<level_timeline::Span> spans;
    const world_list::Entry* descriptor = world_list::named(world);
    const layers::Speeds& speeds = descriptor != nullptr ? descriptor->speeds : layers::kDefaultSpeeds;
    for (const PlacedSprite& p : placed) {
        const char* role = placed_by_the_game(p.name);
        if (role != nullptr && warned.insert(p.name).second)
            ctx.warning(rel, p.line,
                        "\"" + p.name + "\" is " + role + ", which only the game places" +
                            (p.name == "gameover" ? "; placed by a level it stops the scrolling and ends the game "
                                                    "once it comes into view"
                                                  : "; placed by a level it does not do its part"));
        // The game finds the shared definition first.
        const WorldSprites& from = shared.has(p.name) ? shared : own;
        const auto width = from.first_width.find(p.name);
        spans.push_back(
            level_timeline::on_screen(p.x, p.layer, width != from.first_width.end() ? width->second : 0, speeds));
    }
    const level_timeline::Peak peak = level_timeline::busiest(spans);
    if (peak.count > kMaxActive)
        ctx.warning(rel, 0,
                    std::to_string(peak.count) + " of its sprites are on screen at once when the level has scrolled " +
                        std::to_string(peak.frame * layers::kLevelSpeed) + " pixels (frame " +
                        std::to_string(peak.frame) + "); every sprite on screen runs and is drawn each frame, and "
                        "more than " + std::to_string(kMaxActive) + " at once slow the game down");
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
