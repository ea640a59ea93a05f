// A world's level layout ("NORMAL.LVL") built in code: records of x, y,
// layer and sprite name, with helpers for the timeline and for formations.
//
// Level x is where a sprite starts, in pixels from the left edge of the
// screen. While the level scrolls each layer moves at its speed from
// sprites/layers.h (3 pixels a frame for layer 0), so a layer-0 sprite placed
// at x comes into view (x < 640) after (x - 640) / 3 frames. Everything below
// measures the level in layer-0 pixels ("level x") unless it says otherwise.
//
//   worlds::LevelScript level;
//   level.place(110, 150, 0, "entranceportal");
//   level.formation("spacegreenship", 2400, 120, worlds::vee(5, 40, 30));
//   level.write(context, "Levels/Space");
#pragma once

#include <string>
#include <vector>

#include "generator/art/canvas.h"
#include "generator/module.h"
#include "sprites/layers.h"
#include "writers/data_writers.h"

namespace worlds {

constexpr int kFieldWidth = 640;
constexpr int kFieldHeight = 416;


// Where a sprite on `layer` must start to stand at screen column `column` at
// the moment the layer-0 content placed at `level_x` stands at that column;
// a world with layer speeds of its own passes `world.speeds()`.
int x_on_layer(int level_x, int layer, int column = kFieldWidth,
               const layers::Speeds& speeds = layers::kDefaultSpeeds);

class LevelScript {
public:
    void place(int x, int y, int layer, const std::string& name);
    // One sprite per offset, each placed at (x + offset.x, y + offset.y).
    void formation(const std::string& name, int x, int y, const std::vector<art::Pt>& offsets, int layer = 0);

    const std::vector<writers::LevelRecord>& records() const { return records_; }
    // Writes <world_dir>/Levels/NORMAL.LVL; false when the file could not be written.
    bool write(const content::Context& context, const std::string& world_dir) const;

private:
    std::vector<writers::LevelRecord> records_;
};

// Offsets of common formations (the first member at 0, 0).
std::vector<art::Pt> line(int count, double dx, double dy = 0);                  // one after another
std::vector<art::Pt> vee(int count, double dx, double dy);                       // leader ahead, wings behind
std::vector<art::Pt> ring(int count, double rx, double ry, double start_deg = 0);  // around 0, 0

}  // namespace worlds
