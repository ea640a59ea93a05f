// Other/Preferences.txt: the two volumes, read as the game reads them.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "tools/check_context.h"
#include "tools/text_tokens.h"

namespace data_check {

namespace {

constexpr const char* kPrefs = "Other/Preferences.txt";
const char* const kVolumes[] = {"effect", "music"};

}  // namespace

void check_preferences(Context& ctx) {
    const TextTokens text = read_tokens(ctx.path(kPrefs), 1u << 20);
    if (text.error == file_read::OpenError::Missing) return;  // the game writes it
    if (text.error != file_read::OpenError::None) {
        ctx.warning(kPrefs, 0, std::string(file_read::describe(text.error)) +
                                   ": the game cannot read it and starts with both volumes at 10");
        return;
    }
    for (size_t i = 0; i < 2; ++i) {
        if (i >= text.tokens.size()) {
            // An empty file or one number: the rest stay at 10.
            if (text.long_line > 0)
                ctx.warning(kPrefs, static_cast<int>(text.long_line),
                            file_read::long_line_message(text.long_line, file_read::kMaxLineBytes));
            ctx.warning(kPrefs, 0,
                        std::string("no ") + kVolumes[i] + " volume; the game uses 10" +
                            (i == 0 ? " for both" : ""));
            return;
        }
        const Token& t = text.tokens[i];
        // The game reads each volume as a long; words and numbers beyond it end the reading.
        bool number = !t.text.empty();
        for (size_t k = (t.text[0] == '-' || t.text[0] == '+') ? 1 : 0; number && k < t.text.size(); ++k)
            number = t.text[k] >= '0' && t.text[k] <= '9';
        number = number && t.text.find_first_of("0123456789") != std::string::npos;
        errno = 0;
        const long long value = number ? std::strtoll(t.text.c_str(), nullptr, 10) : 0;
        if (!number || errno == ERANGE) {
            ctx.warning(kPrefs, t.line,
                        "'" + printable(t.text) + "' " + (number ? "does not fit a long" : "is not a whole number") +
                            "; the game stops reading here and uses 10 for the " + kVolumes[i] + " volume" +
                            (i == 0 ? " and the music volume" : ""));
            return;
        }
        if (value < 0 || value > 10)
            ctx.warning(kPrefs, t.line,
                        "the " + std::string(kVolumes[i]) + " volume " + std::to_string(value) +
                            " is outside 0..10; the game plays it as " + (value < 0 ? "0" : "10"));
    }
}

}  // namespace data_check
