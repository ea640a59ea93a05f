// One world's output: its sprites ("Levels/<World>/{Sprites,Bitmaps}"), its
// level layout ("Levels/<World>/Levels/NORMAL.LVL") and its preview sheet.
//
//   bool write_space(const content::Context& context) {
//       worlds::World world(context, "Space");       // module "world_space"
//       world.sprite("spacegreenship", green_ship_frames());
//       world.level().place(110, 150, 0, "entranceportal");
//       return world.finish();
//   }
#pragma once

#include <string>
#include <vector>

#include "generator/art/art.h"
#include "generator/module.h"
#include "generator/worlds/common/level_script.h"

namespace worlds {

// "a", "b", ... "z", "ba", "bb", ...: sprite-name suffixes that never end in a
// digit (a digit would run into the frame numbers of the bitmap names).
std::string letters(int index);

class World {
public:
    // `name` is the world directory as the game spells it ("Space", "Metal").
    World(const content::Context& context, const std::string& name);

    const content::Context& context() const { return context_; }
    const std::string& name() const { return name_; }
    std::string dir() const { return "Levels/" + name_; }

    // Writes one sprite of this world (names are lower-cased by the output).
    void sprite(const std::string& name, const std::vector<art::Frame>& frames,
                art::Depth depth = art::Depth::Indexed8);
    // A sprite of one frame.
    void sprite(const std::string& name, art::Canvas image, int xoffset = 0, int yoffset = 0,
                art::Edges edges = art::Edges::Threshold);

    LevelScript& level() { return level_; }

    // Writes the level file and the preview sheet; true when every file was written.
    bool finish();

private:
    const content::Context& context_;
    std::string name_;
    art::Output out_;
    LevelScript level_;
};

}  // namespace worlds
