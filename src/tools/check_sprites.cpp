// Sprite definitions (*.SPT) and their numbered bitmaps, one world at a time,
// loaded the way the game loads them.
#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "display/Surface.h"
#include "tools/bitmap_refusal.h"
#include "tools/check_context.h"
#include "tools/text_fields.h"
#include "tools/tool_window.h"

namespace data_check {

namespace {

constexpr int kMaxFrames = 99;  // the game never forms a three-digit frame number

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool ends_with_folded(const std::string& name, const std::string& suffix) {
    return name.size() >= suffix.size() && lower(name.substr(name.size() - suffix.size())) == lower(suffix);
}

// The load order of the game: names compared without case, then exactly.
bool load_order(const std::string& a, const std::string& b) {
    const std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
}

struct Sequence {
    int frames = 0;
    int first_width = 0;
    bool stopped_by_refusal = false;
};

struct WorldFiles {
    std::string base;      // "Levels/<world>/"
    std::vector<std::string> bitmaps;  // names in Bitmaps/
};

bool has_file(const std::vector<std::string>& files, const std::string& name) {
    return std::find(files.begin(), files.end(), name) != files.end();
}

// Loads name1.BMP, name2.BMP, ... through the game's loader until one is missing
// or refused; checks each image's key colour.
Sequence check_frames(Context& ctx, const WorldFiles& w, const std::string& name) {
    Sequence seq;
    for (int k = 1; k <= kMaxFrames; ++k) {
        const std::string file = name + std::to_string(k) + ".BMP";
        if (!has_file(w.bitmaps, file)) break;
        const std::string rel = w.base + "Bitmaps/" + file;
        const file_read::OpenError why = openable(ctx.path(rel));
        if (why != file_read::OpenError::None) {
            ctx.error(rel, 0, std::string(file_read::describe(why)) + ": the sprite's frames end before it");
            seq.stopped_by_refusal = true;
            break;
        }
        Surface* s = ctx.window.CreateSurface(ctx.path(rel).c_str(), 0, 0);
        if (s == nullptr) {
            ctx.error(rel, 0, "the game's bitmap loader refuses this file: " + bitmap_refusal_of_file(ctx.path(rel)) +
                                  "; the sprite's frames end before it");
            seq.stopped_by_refusal = true;
            break;
        }
        check_bitmap_bytes(ctx, rel);
        // The collision test treats the colour of the top-left pixel as empty;
        // it must be the transparent key (pure green) as the display sees it.
        if (s->get_pixel(0, 0) != s->format.gmask)
            ctx.error(rel, 0, "top-left pixel is not the key colour pure green (0, 255, 0); "
                              "collisions take that pixel's colour as empty");
        if (k == 1) seq.first_width = s->width;
        ctx.window.ReleaseSurface(s);
        ++seq.frames;
    }
    return seq;
}

// Numbers of the definition; reports the first token that is not one. False
// when the game cannot open the file (and so never defines the sprite).
bool count_offsets(Context& ctx, const std::string& rel, int& count) {
    count = 0;
    const TextFile text = read_text(ctx.path(rel), 1u << 20);
    if (text.error != file_read::OpenError::None) {
        ctx.error(rel, 0, std::string(file_read::describe(text.error)) + ": the game skips this definition");
        return false;
    }
    if (text.too_large) ctx.error(rel, 0, "larger than 1 MiB; a definition holds a few numbers");
    FieldReader reader(text.text);
    for (;;) {
        long long value = 0;
        const FieldReader::Number r = reader.number(INT_MIN, INT_MAX, value);
        if (r == FieldReader::Number::End) break;
        if (r != FieldReader::Number::Ok) {
            const std::string field = "'" + printable(reader.field_text()) + "'";
            ctx.error(rel, reader.line(),
                      r == FieldReader::Number::OutOfRange
                          ? field + " does not fit a 32-bit integer; reading stops here"
                          : field + " is not a whole number; reading stops here and later offsets are 0");
            return true;
        }
        if (reader.glued())
            ctx.warning(rel, reader.line(),
                        "'" + printable(reader.field_text()) + "': the game reads " + std::to_string(value) +
                            " and what follows as the next offset; put white space between them");
        ++count;
    }
    if (text.long_line > 0)
        ctx.error(rel, static_cast<int>(text.long_line),
                  file_read::long_line_message(text.long_line, file_read::kMaxLineBytes) + "; later offsets are 0");
    return true;
}

// The sprite a bitmap file belongs to: the longest defined name that the
// file's name (less ".BMP" and a frame number) equals.
bool owner_of(const std::string& file, const std::vector<std::string>& names, std::string& owner, int& number,
              bool& canonical) {
    if (!ends_with_folded(file, ".bmp")) return false;
    const std::string stem = file.substr(0, file.size() - 4);
    const std::string folded = lower(stem);
    size_t digits = folded.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(folded[digits - 1])) != 0) --digits;
    if (digits == folded.size()) return false;  // no frame number
    // Every split that leaves digits behind, longest name first.
    for (size_t split = folded.size() - 1; split >= digits && split > 0; --split) {
        const std::string name = folded.substr(0, split);
        if (std::find(names.begin(), names.end(), name) == names.end()) continue;
        const std::string num = folded.substr(split);
        if (num.size() > 6) return false;
        owner = name;
        number = std::stoi(num);
        canonical = file == name + std::to_string(number) + ".BMP";
        return true;
    }
    return false;
}

}  // namespace

bool WorldSprites::has(const std::string& name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
}

WorldSprites check_world_sprites(Context& ctx, const std::string& world) {
    WorldSprites out;
    out.world = world;
    WorldFiles w;
    w.base = "Levels/" + world + "/";
    const bool have_sprites = is_directory(ctx.path(w.base + "Sprites"));
    const bool have_bitmaps = is_directory(ctx.path(w.base + "Bitmaps"));
    if (!have_sprites)
        ctx.error(w.base + "Sprites", 0, "missing directory: the world's sprite definitions (*.SPT) go here");
    if (!have_bitmaps) ctx.error(w.base + "Bitmaps", 0, "missing directory: the sprites' images go here");
    if (!have_sprites) return out;

    std::vector<std::string> definitions;
    for (const std::string& f : files_in(ctx.path(w.base + "Sprites")))
        if (ends_with_folded(f, ".spt")) definitions.push_back(f);
    std::sort(definitions.begin(), definitions.end(), load_order);
    if (definitions.empty()) ctx.warning(w.base + "Sprites", 0, "no sprite definitions (*.SPT)");
    if (have_bitmaps) w.bitmaps = files_in(ctx.path(w.base + "Bitmaps"));

    std::map<std::string, Sequence> sequences;
    for (const std::string& file : definitions) {
        const std::string rel = w.base + "Sprites/" + file;
        const std::string name = lower(file.substr(0, file.size() - 4));
        if (out.has(name)) {
            ctx.warning(rel, 0, "a second definition of '" + name + "' in this world; only the first is ever used");
            continue;
        }
        int offsets = 0;
        if (!count_offsets(ctx, rel, offsets)) continue;
        out.names.push_back(name);
        const Sequence seq = check_frames(ctx, w, name);
        sequences[name] = seq;
        if (seq.frames > 0) out.first_width[name] = seq.first_width;
        if (seq.frames == 0 && !seq.stopped_by_refusal)
            ctx.error(rel, 0, "no images: " + w.base + "Bitmaps/" + name + "1.BMP is missing");
        if (offsets < 2 * seq.frames)
            ctx.warning(rel, 0, std::to_string(seq.frames) + (seq.frames == 1 ? " frame needs " : " frames need ") +
                                    std::to_string(2 * seq.frames) + " offsets, the file holds " +
                                    std::to_string(offsets) + "; the missing ones are 0");
    }

    // Images the sequence never reaches: gaps, numbers past 99, names in the
    // wrong case or with leading zeros.
    for (const std::string& file : w.bitmaps) {
        std::string owner;
        int number = 0;
        bool canonical = false;
        if (!owner_of(file, out.names, owner, number, canonical)) continue;
        const Sequence& seq = sequences[owner];
        const std::string rel = w.base + "Bitmaps/" + file;
        if (number == 0) {
            ctx.error(rel, 0, "never loaded: frame numbers count from 1");
        } else if (!canonical) {
            ctx.error(rel, 0, "never loaded: the game looks for '" + owner + std::to_string(number) +
                                  ".BMP' (lower-case name, no leading zeros, upper-case .BMP)");
        } else if (number > seq.frames) {
            if (number > kMaxFrames)
                ctx.warning(rel, 0, "never loaded: frames above " + std::to_string(kMaxFrames) + " are not read");
            else if (!seq.stopped_by_refusal)  // a refused frame was reported with what it hides
                ctx.error(rel, 0, "frame gap: " + owner + std::to_string(seq.frames + 1) +
                                      ".BMP is missing, so this image is never shown");
        }
    }
    return out;
}

}  // namespace data_check
