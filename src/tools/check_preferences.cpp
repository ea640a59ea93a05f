// Other/Preferences.txt: the two volumes, read as the game reads them.
#include <climits>
#include <string>

#include "tools/check_context.h"
#include "tools/text_fields.h"

namespace data_check {

namespace {

constexpr const char* kPrefs = "Other/Preferences.txt";
const char* const kVolumes[] = {"effect", "music"};

}  // namespace

void check_preferences(Context& ctx) {
    const TextFile text = read_text(ctx.path(kPrefs), 1u << 20);
    if (text.error == file_read::OpenError::Missing) return;  // the game writes it
    if (text.error != file_read::OpenError::None) {
        ctx.warning(kPrefs, 0, std::string(file_read::describe(text.error)) +
                                   ": the game cannot read it and starts with both volumes at 10");
        return;
    }
    if (text.long_line > 0)
        ctx.warning(kPrefs, static_cast<int>(text.long_line),
                    file_read::long_line_message(text.long_line, file_read::kMaxLineBytes));
    // The game reads each volume as a long; a word or a number beyond one
    // ends the reading, and what was not read stays 10.
    FieldReader reader(text.text);
    for (int i = 0; i < 2; ++i) {
        long long value = 0;
        const FieldReader::Number r = reader.number(LONG_MIN, LONG_MAX, value);
        const std::string rest = i == 0 ? " for both" : "";
        if (r == FieldReader::Number::End) {
            ctx.warning(kPrefs, 0, std::string("no ") + kVolumes[i] + " volume; the game uses 10" + rest);
            return;
        }
        if (r != FieldReader::Number::Ok) {
            ctx.warning(kPrefs, reader.line(),
                        "'" + printable(reader.field_text()) + "' " +
                            (r == FieldReader::Number::OutOfRange ? "does not fit a long" : "is not a whole number") +
                            "; the game stops reading here and uses 10 for the " + kVolumes[i] + " volume" +
                            (i == 0 ? " and the music volume" : ""));
            return;
        }
        if (value < 0 || value > 10)
            ctx.warning(kPrefs, reader.line(),
                        "the " + std::string(kVolumes[i]) + " volume " + std::to_string(value) +
                            " is outside 0..10; the game plays it as " + (value < 0 ? "0" : "10"));
    }
}

}  // namespace data_check
