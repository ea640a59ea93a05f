// The desktop entry and the metainfo as the distributions' own validators
// see them, and what they point at.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace {

const std::string kPackaging = std::string(VELMORA_SOURCE_DIR) + "/packaging/";

std::string read(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool installed(const char* tool) {
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
        if (std::filesystem::exists(std::string(dir) + tool)) return true;
    return false;
}

// Runs a validator; its exit status and what it said.
int validate(const std::string& command, std::string& said) {
    TempDir tmp;
    const std::string out = tmp.file("out");
    const int status = std::system((command + " >'" + out + "' 2>&1").c_str());
    said = read(out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PackagingMetadata, TheDesktopEntryValidates) {
    if (!installed("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed (desktop-file-utils)";
    std::string said;
    EXPECT_EQ(validate("desktop-file-validate '" + kPackaging + "org.velmora.Velmora.desktop'", said), 0) << said;
    EXPECT_EQ(said.find("error"), std::string::npos) << said;
}

TEST(PackagingMetadata, TheMetainfoValidates) {
    if (!installed("appstream-util")) GTEST_SKIP() << "appstream-util is not installed";
    std::string said;
    // Offline: the screenshots' web addresses are checked by name, not fetched.
    EXPECT_EQ(validate("appstream-util validate-relax --nonet '" + kPackaging + "org.velmora.Velmora.metainfo.xml'",
                       said),
              0)
        << said;
}

// A release changes the version in three places; the package and the
// software centres show the last two, and nothing else compares them.
TEST(PackagingMetadata, TheChangelogAndTheMetainfoNameThisVersion) {
    const std::string metainfo = read(kPackaging + "org.velmora.Velmora.metainfo.xml");
    const std::string release = "<release version=\"";
    const size_t at = metainfo.find(release);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(metainfo.substr(at + release.size(), metainfo.find('"', at + release.size()) - at - release.size()),
              VELMORA_VERSION);

    if (!installed("dpkg-parsechangelog")) GTEST_SKIP() << "dpkg-parsechangelog is not installed (dpkg-dev)";
    TempDir tmp;
    const std::string changelog = kPackaging + "deb/changelog";
    const std::string version = tmp.file("version");
    const std::string complaints = tmp.file("complaints");
    ASSERT_EQ(std::system(("dpkg-parsechangelog -l '" + changelog + "' -S Version >'" + version + "' 2>'" +
                           complaints + "'")
                              .c_str()),
              0)
        << read(complaints);
    EXPECT_EQ(read(version), std::string(VELMORA_VERSION) + "\n");
    // A malformed entry (a bad date or trailer line) is parsed all the same,
    // with a warning.
    EXPECT_EQ(read(complaints), "");
}

TEST(PackagingMetadata, TheScreenshotsAndTheWindowClassExist) {
    // Every screenshot the metainfo shows is one of ours.
    const std::string metainfo = read(kPackaging + "org.velmora.Velmora.metainfo.xml");
    // (A plain scan: GCC's <regex> trips its own uninitialised-use warning in
    // sanitizer builds.)
    const std::string open = "<image>https://velmora.org/screenshots/";
    int images = 0;
    for (size_t at = metainfo.find(open); at != std::string::npos; at = metainfo.find(open, at + 1), ++images) {
        const size_t from = at + open.size();
        const std::string name = metainfo.substr(from, metainfo.find("</image>", from) - from);
        EXPECT_TRUE(std::filesystem::exists(std::string(VELMORA_SOURCE_DIR) + "/docs/screenshots/" + name)) << name;
    }
    EXPECT_GE(images, 1);
    // Docks match the running window to the entry by this class (the window
    // test reads the same class from a real window).
    EXPECT_NE(read(kPackaging + "org.velmora.Velmora.desktop").find("\nStartupWMClass=velmora\n"), std::string::npos);
}

}  // namespace
