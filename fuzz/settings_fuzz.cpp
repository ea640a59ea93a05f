// The settings file (velmora.cfg): whatever it holds is read; every key is
// then written back with the value read, as the game rewrites a key it
// changes, and the text read again holds the same settings. Rewriting that
// text once more changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/config.h"

namespace {

std::string rewrite_all(std::string text, const Settings& s, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) text = set_config_value(text, key, setting_text(s, key));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<std::string> keys = setting_keys();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const Settings first = parse_settings(text, problems);
    const std::string written = rewrite_all(text, first, keys);
    problems.clear();
    const Settings second = parse_settings(written, problems);
    for (const std::string& key : keys)
        if (setting_text(second, key) != setting_text(first, key)) std::abort();
    // Not only as far as the text shows: the number itself.
    if (second.mouse_sensitivity != first.mouse_sensitivity) std::abort();
    if (rewrite_all(written, second, keys) != written) std::abort();
    return 0;
}
