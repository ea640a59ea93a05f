#include "tools/data_layout.h"

#include <algorithm>

#include "audio/music.h"
#include "state/game_states.h"

namespace data_layout {

namespace {
// The effects the game loads at start-up.
const char* const kSounds[] = {"g3", "g4", "g5", "g9", "ex9", "scream",
                               "yeah", "drip", "trap", "click", "tick", "orchit"};

const char* const kPictures[] = {
    "ferrolux_logo", "quornash_logo", "titlescreen", "1playerup", "1playerdown",
    "2playerup", "2playerdown", "aboutup", "aboutdown", "optionsup", "optionsdown",
    "quitup", "quitdown", "left_arrow_up", "left_arrow_down", "right_arrow_up",
    "right_arrow_down", "red_bar", "fx_volume", "music_volume", "ok_up", "ok_down",
    "ending", "continue", "cancel_up", "cancel_down", "cursor_08",
};
}  // namespace

std::string world_of_level(int level) {
    const world_list::Entry* world = world_list::of_level(level);
    return world != nullptr ? world->name : std::string();
}

std::vector<std::string> worlds() {
    std::vector<std::string> out;
    for (const world_list::Entry& world : world_list::kEntries) out.emplace_back(world.name);
    return out;
}

std::vector<std::string> interface_pictures() {
    std::vector<std::string> out;
    for (const char* p : kPictures) out.push_back(std::string("Levels/Resource/") + p + ".BMP");
    return out;
}

std::vector<std::string> sound_files() {
    std::vector<std::string> out;
    for (const char* s : kSounds) out.push_back(std::string("Sound/") + s + ".WAV");
    return out;
}

std::vector<std::string> music_files() {
    // Asked of the music code itself: each level's tune, the ending's and the
    // menus' (any state other than play), and the about screen's.
    std::vector<std::string> out;
    auto add = [&out](const char* file) {
        if (file != nullptr && std::find(out.begin(), out.end(), file) == out.end()) out.emplace_back(file);
    };
    for (int level = 1; level <= world_list::kEndingLevel; ++level) add(music_file_for(kStatePlaying, level));
    add(music_file_for(kStateTitleMenu, 0));
    add(music_file_for(kStateAbout, 0));
    return out;
}

}  // namespace data_layout
