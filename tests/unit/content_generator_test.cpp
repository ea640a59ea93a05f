// The content generator writes the same bytes on every run: the build's data
// and a fresh run of the shared modules must be identical file for file.
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

TEST(ContentGenerator, SecondRunWritesByteIdenticalFiles) {
    const fs::path data = VELMORA_DATA;
    const fs::path generator = data.parent_path() / "velmora-content";
    ASSERT_TRUE(fs::exists(generator)) << generator;
    ASSERT_TRUE(fs::is_directory(data / "Levels/Standard")) << "no generated data in " << data;

    TempDir out;
    const std::string command = "env -u VELMORA_PREVIEWS '" + generator.string() + "' '" + out.path() +
                                "' resource sound standard > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), out.path());
        ASSERT_TRUE(fs::exists(data / relative)) << relative;
        EXPECT_TRUE(contents(entry.path()) == contents(data / relative)) << relative << " differs";
        ++compared;
    }
    EXPECT_GT(compared, 250);
}

}  // namespace
