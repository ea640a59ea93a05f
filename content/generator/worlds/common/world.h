// One world's output: its sprites ("Levels/<World>/{Sprites,Bitmaps}"), its
// level layout ("Levels/<World>/Levels/NORMAL.LVL") and its preview sheet.
// A world is written in steps, listed in worlds/world_table.cpp:
//
//   void add_ships(worlds::World& world) {
//       world.sprite("spacegreenship", green_ship_frames());
//   }
//   void add_level(worlds::World& world) {
//       world.level().place(110, 150, 0, "entranceportal");
//   }
#pragma once

#include <string>
#include <vector>

#include "generator/art/art.h"
#include "generator/module.h"
#include "generator/worlds/common/level_script.h"
#include "sprites/layers.h"
#include "state/world_list.h"

namespace worlds {

// "a", "b", ... "z", "ba", "bb", ...: sprite-name suffixes that never end in a
// digit (a digit would run into the frame numbers of the bitmap names).
std::string letters(int index);

// The generator module that writes a world: "world_space" for "Space".
std::string module_name(const std::string& world);

class World {
public:
    // `name` is the world directory as the game spells it ("Space", "Metal").
    World(const content::Context& context, const std::string& name);

    const content::Context& context() const { return context_; }
    const std::string& name() const { return name_; }
    std::string dir() const { return "Levels/" + name_; }
    // Its layer speeds, from its row of the game's world list (the defaults
    // for a world the game does not play).
    const layers::Speeds& speeds() const {
        const world_list::Entry* entry = world_list::named(name_);
        return entry != nullptr ? entry->speeds : layers::kDefaultSpeeds;
    }

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
