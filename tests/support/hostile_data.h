// Damaged data for robustness tests: copies of the generated data tree with
// broken bitmaps, sprite definitions, level files, waves and modules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hostile {

// Skip both logos with one held click, then press 1 Player.
inline const std::vector<std::string> kStartOnePlayer = {
    "3 mouse button 0 down", "5 mouse button 0 up", "7 mouse move -124 208",
    "9 mouse button 0 down", "10 mouse button 0 up"};

// A named piece of damaged data.
struct Sample {
    std::string label;
    std::vector<uint8_t> bytes;
};

// Bitmaps the loader must refuse or take without reading outside the file:
// truncated, absurd sizes, an image size larger than the file, depths it does
// not convert, compressed, empty, not a bitmap, lying table and header sizes.
std::vector<Sample> damaged_bitmaps();
// Sprite definition texts: words, numbers beyond any integer, no numbers.
std::vector<Sample> damaged_definitions();
// Wave files whose chunk sizes lie, or whose format no mixer plays.
std::vector<Sample> damaged_waves();
// Files named like modules that are not, or not whole.
std::vector<Sample> damaged_modules();

// Level records that name nothing, lie outside the layers, or sit at the ends
// of the integer range; every line reads, so the records after them load.
std::string odd_level_records();

// Copies the generated data (VELMORA_DATA) into `dir`, then gives every world
// a "tour" level: both ships appear at once and a wall of exit portals sweeps
// over them after about `frames_to_exit` frames, so a run with invincible
// ships goes through every world. `extra` is appended to each level file.
// With `keep_levels`, a world that already has a level keeps it and only gets
// the wall of exit portals, farther in.
bool make_tour_tree(const std::string& dir, int frames_to_exit = 60, const std::string& extra = {},
                    bool keep_levels = false);

// Puts the damaged bitmaps and definitions into `world_dir` (a Levels/<World>/
// directory) as sprites "hostile<N>", and returns level records placing each
// on screen. Frame 2 of each is a good picture behind the damaged frame 1.
std::string add_damaged_sprites(const std::string& world_dir);

// Overwrites the file with the bytes; creates the directory when needed.
bool put(const std::string& path, const std::vector<uint8_t>& bytes);
bool put(const std::string& path, const std::string& text);

// The damaged sample of `samples` with that label (an empty one if none).
std::vector<uint8_t> sample(const std::vector<Sample>& samples, const std::string& label);
}  // namespace hostile
