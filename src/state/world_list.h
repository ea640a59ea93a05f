// The worlds in the order they are played: level N is world N. Every count,
// directory, level range and tune of a level is derived from this table.
#pragma once

#include <iterator>

namespace world_list {

struct Entry {
    const char* name;  // its directory under Levels/
    const char* tune;  // the module played in it, under the data directory
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

}  // namespace world_list
