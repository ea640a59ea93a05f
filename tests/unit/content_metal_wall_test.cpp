// The Metal world's far wall: the fittings laid over the plain wall (doors,
// machines, windows) never show the same picture twice within a screen's
// width, and they line the whole level without bare stretches.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "content_world_checks.h"

namespace {

using world_checks::Record;
using world_checks::WorldSuite;

constexpr int kScreen = 640, kFieldHeight = 416;

using MetalWall = WorldSuite<"Metal">;

TEST_F(MetalWall, NoFittingComesBackWithinAScreenAndTheyLineTheWholeLevel) {
    ASSERT_TRUE(data->loaded()) << "the Metal world is not generated";
    // Layer-3 pieces shorter than the field lie over the wall tiles.
    std::map<std::string, std::vector<int>> at;
    std::vector<std::pair<int, int>> spans;  // machines and doors low on the wall
    int wall_end = 0;
    for (const Record& r : data->records()) {
        if (r.layer != 3) continue;
        const world_checks::Box b = data->box(r.name, 0, r.x, r.y);
        wall_end = std::max(wall_end, b.right);
        if (b.bottom - b.top >= kFieldHeight) continue;
        at[r.name].push_back(r.x);
        if (b.bottom > kFieldHeight / 2) spans.emplace_back(b.left, b.right);
    }
    ASSERT_GE(at.size(), 10u) << "too few fittings to vary the wall";
    for (auto& [name, xs] : at) {
        std::sort(xs.begin(), xs.end());
        const world_checks::Box b = data->box(name, 0, 0, 0);
        for (size_t i = 1; i < xs.size(); ++i)
            EXPECT_GE(xs[i] - (xs[i - 1] + b.right), kScreen) << name << " at " << xs[i - 1] << " and " << xs[i];
    }
    // No stretch of the wall wider than half a screen without a machine or a door.
    std::sort(spans.begin(), spans.end());
    int reached = 0;
    for (const auto& [left, right] : spans) {
        EXPECT_LE(left - reached, kScreen / 2) << "bare wall from " << reached << " to " << left;
        reached = std::max(reached, right);
    }
    EXPECT_LE(wall_end - reached, kScreen) << "bare wall at the end, from " << reached;
}

}  // namespace
