// The Space, Metal, Crystal, Water and Hive modules write the same bytes on
// every run: a fresh run must match the build's data file for file, and
// write nothing the build's data lacks.
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

TEST(ContentWorlds, SecondRunOfTheFirstFiveWorldsWritesByteIdenticalFiles) {
    const fs::path data = VELMORA_DATA;
    const fs::path generator = data.parent_path() / "velmora-content";
    ASSERT_TRUE(fs::exists(generator)) << generator;
    TempDir out;
    const std::string command = "env -u VELMORA_PREVIEWS '" + generator.string() + "' '" + out.path() +
                                "' world_space world_metal world_crystal world_water world_hive > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), out.path());
        ASSERT_TRUE(fs::exists(data / relative)) << relative;
        EXPECT_TRUE(contents(entry.path()) == contents(data / relative)) << relative << " differs";
        ++compared;
    }
    // Every world writes its level and well over a hundred pictures.
    EXPECT_GT(compared, 5 * 100);
    for (const char* world : {"Space", "Metal", "Crystal", "Water", "Hive"})
        EXPECT_TRUE(fs::exists(fs::path(out.path()) / "Levels" / world / "Levels/NORMAL.LVL")) << world;
}

}  // namespace
