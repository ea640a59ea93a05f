// The content generator writes the same bytes on every run: a fresh run of
// some of its modules must match the build's data file for file, and write
// nothing the build's data lacks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the generator's `modules` into a fresh directory and compares every
// file it wrote with the build's data; returns how many were compared.
int compare_fresh_run(const std::string& modules, TempDir& out) {
    const fs::path data = VELMORA_DATA;
    const fs::path generator = data.parent_path() / "velmora-content";
    EXPECT_TRUE(fs::exists(generator)) << generator;
    const std::string command = "env -u VELMORA_PREVIEWS '" + generator.string() + "' '" + out.path() + "' " +
                                modules + " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;

    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), out.path());
        if (!fs::exists(data / relative)) {
            ADD_FAILURE() << relative << " is not in the build's data";
            continue;
        }
        EXPECT_TRUE(contents(entry.path()) == contents(data / relative)) << relative << " differs";
        ++compared;
    }
    return compared;
}

void expect_worlds_written(const TempDir& out, std::initializer_list<const char*> worlds) {
    for (const char* world : worlds)
        EXPECT_TRUE(fs::exists(fs::path(out.path()) / "Levels" / world / "Levels/NORMAL.LVL")) << world;
}

TEST(ContentGenerator, SecondRunOfTheSharedModulesWritesByteIdenticalFiles) {
    ASSERT_TRUE(fs::is_directory(fs::path(VELMORA_DATA) / "Levels/Standard")) << "no generated data";
    TempDir out;
    EXPECT_GT(compare_fresh_run("resource sound standard", out), 250);
}

// Every world writes its level and well over a hundred pictures.
TEST(ContentGenerator, SecondRunOfTheFirstFiveWorldsWritesByteIdenticalFiles) {
    TempDir out;
    EXPECT_GT(compare_fresh_run("world_space world_metal world_crystal world_water world_hive", out), 5 * 100);
    expect_worlds_written(out, {"Space", "Metal", "Crystal", "Water", "Hive"});
}

TEST(ContentGenerator, SecondRunOfTheLastFiveWorldsWritesByteIdenticalFiles) {
    TempDir out;
    EXPECT_GT(compare_fresh_run("world_mountain world_castle world_cave world_city world_last", out), 5 * 100);
    expect_worlds_written(out, {"Mountain", "Castle", "Cave", "City", "Last"});
}

}  // namespace
