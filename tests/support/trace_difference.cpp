// Reads trace lines as a word naming one or more numbers ("active 27",
// "scores 3241 0"), so a difference can be told field by field.
#include "support/trace_difference.h"

#include <cctype>
#include <sstream>
#include <utility>
#include <vector>

#include "sprites/hit_class.h"

namespace trace_difference {
namespace {

struct Field {
    std::string name;
    std::string value;
};

bool is_number(const std::string& word) {
    if (word.empty()) return false;
    for (size_t i = word[0] == '-' ? 1 : 0; i < word.size(); ++i)
        if (std::isdigit(static_cast<unsigned char>(word[i])) == 0) return false;
    return word != "-";
}

// The name of the i-th number after `key`: hit classes by name, the two
// players' values by player, otherwise by position.
std::string name_of(const std::string& key, size_t i, size_t count) {
    if (count == 1) return key;
    if (key == "classes") {
        static const std::pair<HitClass, const char*> kNames[] = {
            {kHitDrone, "drone"},          {kHitPlayerShip, "player ship"},
            {kHitPlayerShot, "player shot"}, {kHitScorePowerup, "score power-up"},
            {kHitWeaponPowerup, "weapon power-up"}, {kHitEnemy, "enemy"},
            {kHitEnemyShot, "enemy shot"}, {kHitHarmless, "harmless"}};
        for (const auto& [hit_class, name] : kNames)
            if (static_cast<size_t>(hit_class) == i + 1) return key + " of " + name;
    }
    if ((key == "scores" || key == "shields") && count == 2) return key + " of player " + std::to_string(i + 1);
    return key + " #" + std::to_string(i + 1);
}

// The line without its frame, as fields; a word followed by no number is a
// field of its own whose value is the word.
std::vector<Field> fields_of(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    std::vector<Field> fields;
    size_t i = 1;  // the frame is told apart
    while (i < words.size()) {
        const std::string& key = words[i++];
        if (key == "digest" && i < words.size()) {  // its value is hexadecimal
            fields.push_back({key, words[i++]});
            continue;
        }
        size_t end = i;
        while (end < words.size() && (is_number(words[end]) || key == "by")) ++end;
        if (end == i) {
            fields.push_back({"word", key});
            continue;
        }
        for (size_t k = i; k < end; ++k) fields.push_back({name_of(key, k - i, end - i), words[k]});
        i = end;
    }
    return fields;
}

std::string frame_of(const std::string& line) { return line.substr(0, line.find(' ')); }

std::string field_changes(const std::string& golden, const std::string& now) {
    const std::vector<Field> a = fields_of(golden), b = fields_of(now);
    bool same_shape = a.size() == b.size();
    for (size_t i = 0; same_shape && i < a.size(); ++i)
        same_shape = a[i].name == b[i].name && (a[i].name != "word" || a[i].value == b[i].value);
    if (!same_shape) return "  another kind of line\n";
    std::string changes;
    if (frame_of(golden) != frame_of(now))
        changes += "  written at frame: " + frame_of(golden) + " -> " + frame_of(now) + "\n";
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].value != b[i].value) changes += "  " + a[i].name + ": " + a[i].value + " -> " + b[i].value + "\n";
    return changes;
}

}  // namespace

std::string first(const std::string& golden, const std::string& now) {
    std::istringstream a(golden), b(now);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ha = static_cast<bool>(std::getline(a, la)), hb = static_cast<bool>(std::getline(b, lb));
        if (!ha && !hb) return "no difference";
        if (ha == hb && la == lb) continue;
        const std::string frame = ha ? frame_of(la) : frame_of(lb);
        std::string text = "at frame " + frame + ", line " + std::to_string(line) + ":\n  golden: " +
                           (ha ? la : "(end)") + "\n  now:    " + (hb ? lb : "(end)") + "\n";
        if (ha && hb) text += field_changes(la, lb);
        return text;
    }
}

}  // namespace trace_difference
