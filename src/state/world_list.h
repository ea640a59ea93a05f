// The worlds in the order they are played: level N is world N. Each row is
// the one descriptor of its world: every count, directory, level range, tune
// and layer speed of a level is derived from this table by the game, its tools
// and the content generator alike.
#pragma once

#include <iterator>
#include <string_view>

#include "sprites/layers.h"

namespace world_list {

struct Entry {
    const char* name;  // its directory under Levels/
    const char* tune;  // the module played in it, under the data directory
    // Pixels a frame each layer moves while the level scrolls. Layers 0 and 1
    // move with the level in every world; a world may give 2 and 3 its own.
    layers::Speeds speeds = layers::kDefaultSpeeds;
};

inline constexpr Entry kEntries[] = {
    {"Space", "MUSIC/SLINKY.S3M"},     {"Metal", "MUSIC/SEIZURE.S3M"},  {"Crystal", "MUSIC/CRYSTAL.S3M"},
    {"Water", "MUSIC/PURPLE.S3M"},     {"Hive", "MUSIC/HIVE.S3M"},      {"Mountain", "MUSIC/ORB.S3M"},
    {"Castle", "MUSIC/CASTLE02.S3M"},  {"Cave", "MUSIC/SONG39.S3M"},    {"City", "MUSIC/ASTRONUK.S3M"},
    {"Last", "MUSIC/SONG39.S3M"},
};
inline constexpr int kCount = static_cast<int>(std::size(kEntries));

// `currentlevel` once the last world is left: the game is won.
inline constexpr int kEndingLevel = kCount + 1;
// The tune of the ending's level number.
inline constexpr const char* kEndingTune = "MUSIC/SWAN.S3M";

// The world every level loads first, before its own.
inline constexpr const char* kSharedWorld = "Standard";

// The world of level 1..kCount, or null.
constexpr const Entry* of_level(int level) { return level >= 1 && level <= kCount ? &kEntries[level - 1] : nullptr; }

// The world whose directory is `name`, or null.
constexpr const Entry* named(std::string_view name) {
    for (const Entry& e : kEntries)
        if (name == e.name) return &e;
    return nullptr;
}

// The layer speeds of level 1..kCount; the defaults for any other level.
constexpr const layers::Speeds& speeds_of_level(int level) {
    const Entry* world = of_level(level);
    return world != nullptr ? world->speeds : layers::kDefaultSpeeds;
}

// The most pixels any layer of any world moves a frame.
constexpr int fastest_layer_speed() {
    int fastest = 0;
    for (const Entry& e : kEntries)
        for (const int speed : e.speeds) fastest = speed > fastest ? speed : fastest;
    return fastest;
}

constexpr bool layers_zero_and_one_move_with_the_level() {
    for (const Entry& e : kEntries)
        if (e.speeds[0] != layers::kLevelSpeed || e.speeds[1] != layers::kLevelSpeed) return false;
    return true;
}
static_assert(layers_zero_and_one_move_with_the_level(), "behaviours keep pace with the ground at kLevelSpeed");

}  // namespace world_list
