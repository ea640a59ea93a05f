// Reading files: only regular files open, without ever blocking, and text
// read with a line cap stops cleanly before the first line over it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "util/file_read.h"
#include "writers/data_writers.h"

using file_read::InputFile;
using file_read::OpenError;

TEST(UtilFileRead, OnlyRegularFilesOpenAndNothingBlocks) {
    TempDir dir;
    ASSERT_TRUE(writers::write_text(dir.file("plain"), "1 2\n"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);  // no writer: an open would block
    ASSERT_EQ(::symlink(dir.file("fifo").c_str(), dir.file("link-to-fifo").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("plain").c_str(), dir.file("link-to-plain").c_str()), 0);
    struct Case {
        std::string path;
        OpenError expected;
    };
    const Case cases[] = {
        {dir.file("plain"), OpenError::None},       {dir.file("link-to-plain"), OpenError::None},
        {dir.file("fifo"), OpenError::NotRegular},  {dir.file("link-to-fifo"), OpenError::NotRegular},
        {"/dev/zero", OpenError::NotRegular},       {dir.path(), OpenError::Directory},
        {dir.file("none"), OpenError::Missing},     {dir.file("plain/below"), OpenError::Missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        OpenError why = OpenError::Other;
        const int fd = file_read::open_regular(c.path, &why);
        EXPECT_EQ(why, c.expected);
        EXPECT_EQ(fd >= 0, c.expected == OpenError::None);
        if (fd >= 0) ::close(fd);
        InputFile in(c.path);
        EXPECT_EQ(in.is_open(), c.expected == OpenError::None);
        EXPECT_EQ(!in, c.expected != OpenError::None);
        EXPECT_EQ(in.error(), c.expected);
    }
}

TEST(UtilFileRead, ALineOverTheCapEndsTheTextBeforeIt) {
    TempDir dir;
    constexpr size_t kCap = 100;
    const std::string at_cap(kCap, 'a');
    const std::string over(kCap + 1, 'b');
    // Enough short lines before it that the long one lies past the first read.
    std::string head;
    for (int i = 0; i < 20000; ++i) head += std::to_string(i) + "\n";
    struct Case {
        std::string text;
        std::string expected;
        long long_line;  // 0: read whole
    };
    const std::vector<Case> cases = {
        {at_cap + "\n" + at_cap, at_cap + "\n" + at_cap, 0},  // exactly the cap, with and without a line feed
        {"x\n" + over + "\ny\n", "x\n", 2},
        {over, "", 1},
        {"x\ny\n" + over, "x\ny\n", 3},  // the last line, unterminated
        {head + over + "\nafter\n", head, 20001},
        {std::string(3 * kCap, '\n') + "end", std::string(3 * kCap, '\n') + "end", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.long_line);
        ASSERT_TRUE(writers::write_text(dir.file("t"), c.text));
        InputFile in(dir.file("t"), kCap);
        std::string got;
        char ch = 0;
        while (in.get(ch)) got += ch;
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(in.line_too_long(), c.long_line != 0);
        EXPECT_EQ(in.long_line(), c.long_line);
    }
}

TEST(UtilFileRead, FormattedReadingNeverTakesPartOfALongLine) {
    // A name cut at the cap must not read as a shorter name.
    TempDir dir;
    ASSERT_TRUE(writers::write_text(dir.file("level"), "1 2 0 rock\n3 4 0 " + std::string(5000, 'r') + "\n"));
    InputFile in(dir.file("level"), 1000);
    int x = 0, y = 0, layer = 0;
    std::string name;
    ASSERT_TRUE(in >> x >> y >> layer >> name);
    EXPECT_EQ(name, "rock");
    EXPECT_FALSE(in >> x >> y >> layer >> name);
    EXPECT_TRUE(in.line_too_long());
    EXPECT_EQ(file_read::long_line_message(in.long_line(), in.max_line()),
              "line 2 is longer than 1000 bytes; the file is read only up to that line");
}
