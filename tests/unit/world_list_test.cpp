// The world list: the shipped worlds keep their descriptors, the fixture
// world stays neutral, and a world's own layer speeds reach the tools the
// way the game scrolls them.
#include <gtest/gtest.h>

#include <string>

#include "state/world_list.h"
#include "support/fixture_world.h"
#include "tools/level_timeline.h"

namespace {

TEST(WorldList, TheShippedWorldsKeepTheirDescriptors) {
    // Every fact of a row, so a world given a fact of its own changes its line here.
    struct Shipped {
        const char* name;
        const char* tune;
        layers::Speeds speeds;
    };
    constexpr layers::Speeds kDefault = layers::kDefaultSpeeds;
    const Shipped kShipped[] = {
        {"Space", "MUSIC/SLINKY.S3M", kDefault},   {"Metal", "MUSIC/SEIZURE.S3M", kDefault},
        {"Crystal", "MUSIC/CRYSTAL.S3M", kDefault}, {"Water", "MUSIC/PURPLE.S3M", kDefault},
        {"Hive", "MUSIC/HIVE.S3M", kDefault},       {"Mountain", "MUSIC/ORB.S3M", kDefault},
        {"Castle", "MUSIC/CASTLE02.S3M", kDefault}, {"Cave", "MUSIC/SONG39.S3M", kDefault},
        {"City", "MUSIC/ASTRONUK.S3M", kDefault},   {"Last", "MUSIC/SONG39.S3M", kDefault},
    };
    ASSERT_EQ(world_list::kCount, static_cast<int>(std::size(kShipped))) << "a new world needs its row here";
    for (int level = 1; level <= world_list::kCount; ++level) {
        const world_list::Entry* world = world_list::of_level(level);
        ASSERT_NE(world, nullptr);
        const Shipped& row = kShipped[level - 1];
        EXPECT_STREQ(world->name, row.name);
        EXPECT_STREQ(world->tune, row.tune) << row.name;
        EXPECT_EQ(world->speeds, row.speeds) << row.name;
        EXPECT_EQ(world_list::named(world->name), world);
        EXPECT_EQ(&world_list::speeds_of_level(level), &world->speeds);
    }
    EXPECT_EQ(world_list::named("Nowhere"), nullptr);
    EXPECT_EQ(world_list::speeds_of_level(0), layers::kDefaultSpeeds);
    EXPECT_EQ(world_list::speeds_of_level(world_list::kEndingLevel), layers::kDefaultSpeeds);
}

TEST(WorldList, TheFixtureWorldHasTheDefaultFacts) {
    // Tests write their own data sets as this world; a fact of its own would
    // leak into every one of them.
    const world_list::Entry* world = world_list::of_level(fixture_world::kLevel);
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(fixture_world::kName, world->name);
    EXPECT_EQ(world->speeds, layers::kDefaultSpeeds)
        << "give the fixture another level, one whose descriptor keeps the defaults";
}

TEST(WorldList, AFarLayerOfItsOwnSpeedIsWhereTheToolsSeeIt) {
    layers::Speeds slow_far = layers::kDefaultSpeeds;
    slow_far[3] = 2;  // layer 3 as fast as layer 2
    // The tools: a layer-3 sprite at 900 reaches the screen's right edge
    // after 130 frames at 2 pixels, not 260 at 1.
    EXPECT_EQ(level_timeline::on_screen(900, 3, 10, slow_far).first, 131);
    EXPECT_EQ(level_timeline::on_screen(900, 3, 10, layers::kDefaultSpeeds).first, 261);
    EXPECT_EQ(level_timeline::x_at(900, 3, 100, slow_far), 700);
}

}  // namespace
