// The registry's computed values and name matching.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/globals.h"
#include "behaviours/behaviours.h"
#include "behaviours/registry.h"

TEST(Registry, HoldsEveryNameOnceWithABehaviour) {
    size_t count = 0;
    const RegistryRow* rows = registry_rows(count);
    ASSERT_EQ(count, 174u);
    std::set<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(names.insert(rows[i].name).second) << rows[i].name;
        EXPECT_NE(rows[i].behavior, nullptr) << rows[i].name;
    }
}

TEST(Registry, HitPointsAtLevelStart) {
    // All six weapon levels at 1: T = 2, B = 4.
    const int b = 4, t = 2;
    auto hp = [&](const char* name) { return registry_hitpoints(*find_registry_row(name), b, t); };
    EXPECT_EQ(hp("spacewhiteship"), 14);
    EXPECT_EQ(hp("metalbossgun"), 184);
    EXPECT_EQ(hp("finalbossgunone"), 608);
    EXPECT_EQ(hp("hiveboss"), 500);
    EXPECT_EQ(hp("crystalopenerup"), 1100);
    EXPECT_EQ(hp("hivebeeblueattack"), 8);
}

TEST(Registry, SharedRowsAndSpellings) {
    const RegistryRow* a = find_registry_row("enemyshot");
    const RegistryRow* b = find_registry_row("enemyshottwo");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->hitclass, 7);
    EXPECT_EQ(a->damage, 5);
    EXPECT_EQ(b->damage, 5);
    EXPECT_EQ(registry_hitpoints(*b, 4, 2), 3);
    EXPECT_EQ(find_registry_row("smoke")->behavior, &animateterminate);
    EXPECT_NE(find_registry_row("crysalyellowcannondown"), nullptr);
    EXPECT_EQ(find_registry_row("crystalyellowcannondown"), nullptr);
    EXPECT_EQ(find_registry_row("Playerone"), nullptr);
    const char* powerups[] = {"bluepowerup", "missilepowerup", "heatseekerpowerup", "photonpowerup",
                              "starpowerup"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(find_registry_row(powerups[i])->param2, i + 1);
}
