// The settings file as people keep it: any line ends, a symbolic link a
// dotfile manager made, temporary files a killed writer left, and writes
// that fail on a read-only directory or a full disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/choices.h"
#include "app/config.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

namespace fs = std::filesystem;
using scenario::read_file;
using writers::write_text;

namespace {

// Sets a file's times `seconds` into the past, as a writer killed then would have left it.
void age(const std::string& path, long seconds) {
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

struct ChildRun {
    int status = -1;     // the body's return, 77 for a skip, -1 when it crashed
    std::string errors;  // its standard error
};

// Runs `body` in a child process, so it can drop root or mount a file system
// of its own without touching the tests that follow.
ChildRun in_child(const std::function<int()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 2);
        ::close(fds[0]);
        ::_exit(body());
    }
    ::close(fds[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) run.errors.append(buffer, size_t(n));
    ::close(fds[0]);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

bool stray_temporaries(const std::string& dir) {
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().find(".cfg.") != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(SettingsFiles, EveryKindOfLineEndIsReadAndKeptOnRewrite) {
    TempDir dir;
    const std::string path = dir.file("velmora.cfg");
    for (const std::string end : {"\n", "\r", "\r\n"}) {
        const std::string text = "fullscreen = no" + end + "scale = 1" + end + "my = x" + end;
        std::vector<std::string> problems;
        const Settings read = parse_settings(text, problems);
        EXPECT_FALSE(read.fullscreen);
        EXPECT_EQ(read.scale, 1);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], "line 3: unknown setting 'my'; ignored");

        ASSERT_TRUE(write_text(path, text));
        Settings s;
        s.motion = MotionMode::Original;
        ASSERT_TRUE(store_setting(path, s, "fullscreen"));
        ASSERT_TRUE(store_setting(path, s, "motion"));  // not in the file: appended with its line end
        EXPECT_EQ(read_file(path), "fullscreen = yes" + end + "scale = 1" + end + "my = x" + end + "motion = original" + end);
    }
    // Mixed ends stay as they are.
    EXPECT_EQ(set_config_value("a = 1\rscale = 3\r\nb = 2", "scale", "2"), "a = 1\rscale = 2\r\nb = 2");
}

TEST(SettingsFiles, ALinkStaysALinkAndTheFileItEndsAtIsRewritten) {
    TempDir dir;
    ASSERT_TRUE(writers::make_directories(dir.file("dotfiles")) && writers::make_directories(dir.file("config")));
    const std::string target = dir.file("dotfiles/velmora.cfg");
    ASSERT_TRUE(write_text(target, "# kept in git\nfullscreen = yes\n"));
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    // A relative link to an absolute one to the file.
    const std::string link = dir.file("config/velmora.cfg");
    ASSERT_EQ(::symlink(target.c_str(), dir.file("dotfiles/current").c_str()), 0);
    ASSERT_EQ(::symlink("../dotfiles/current", link.c_str()), 0);

    Settings s;
    s.fullscreen = false;
    ASSERT_TRUE(store_setting(link, s, "fullscreen"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(dir.file("dotfiles/current")));
    EXPECT_EQ(read_file(target), "# kept in git\nfullscreen = no\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write) << "still private";
    EXPECT_FALSE(stray_temporaries(dir.file("dotfiles")) || stray_temporaries(dir.file("config")));

    // A link to a file not yet there: the file is made where it points.
    ASSERT_EQ(::symlink("../dotfiles/new.cfg", dir.file("config/fresh.cfg").c_str()), 0);
    ASSERT_TRUE(store_setting(dir.file("config/fresh.cfg"), s, "fullscreen"));
    EXPECT_TRUE(fs::is_symlink(dir.file("config/fresh.cfg")));
    EXPECT_FALSE(load_settings(dir.file("dotfiles/new.cfg")).fullscreen);

    // A loop of links is refused with its reason, and nothing is written.
    ASSERT_EQ(::symlink("loop-b", dir.file("config/loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", dir.file("config/loop-b").c_str()), 0);
    std::string why;
    EXPECT_FALSE(store_setting(dir.file("config/loop-a"), s, "fullscreen", &why));
    EXPECT_EQ(why, "Too many levels of symbolic links");
    EXPECT_FALSE(stray_temporaries(dir.file("config")));
}

TEST(SettingsFiles, StaleTemporariesBesideTheFileAndItsLinkEndGoAtStart) {
    TempDir dir;
    ASSERT_TRUE(writers::make_directories(dir.file("dotfiles")) && writers::make_directories(dir.file("config")));
    ASSERT_TRUE(write_text(dir.file("dotfiles/v.cfg"), "scale = 2\n"));
    const std::string path = dir.file("config/velmora.cfg");
    ASSERT_EQ(::symlink("../dotfiles/v.cfg", path.c_str()), 0);
    const std::vector<std::string> stale = {dir.file("config/velmora.cfg.Ab12Cd"), dir.file("dotfiles/v.cfg.zzzzzz")};
    // Kept: a save in progress elsewhere (under a minute old), and files that are not ours.
    const std::vector<std::string> kept = {dir.file("config/velmora.cfg.young1"), dir.file("config/velmora.cfg.old"),
                                           dir.file("config/velmora.cfg.Ab12Cd7"), dir.file("config/other.cfg.Ab12Cd")};
    for (const std::string& file : stale) {
        ASSERT_TRUE(write_text(file, "scale = 9\n"));
        age(file, 61);
    }
    for (const std::string& file : kept) {
        ASSERT_TRUE(write_text(file, "x"));
        if (file.find("young") == std::string::npos) age(file, 3600);
    }
    age(kept[0], 50);

    prepare_settings_file(path);
    for (const std::string& file : stale) EXPECT_FALSE(fs::exists(file)) << file;
    for (const std::string& file : kept) EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_EQ(read_file(dir.file("dotfiles/v.cfg")), "scale = 2\n") << "an existing file is not rewritten";
}

TEST(SettingsFiles, AFailedWriteSaysTheFileTheReasonAndWhatWasKept) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_TRUE(writers::make_directories(dir.file("locked")));
    const std::string path = dir.file("locked/velmora.cfg");
    ASSERT_TRUE(write_text(path, "fullscreen = yes\r"));
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0555), 0);

    // A read-only directory, for an ordinary user (root writes anywhere).
    const ChildRun locked = in_child([&] {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 77;
        set_choices_file(path);
        choices().fullscreen = false;
        return remember_choice("fullscreen") ? 1 : 0;
    });
    ASSERT_NE(locked.status, 77) << "cannot drop root here";
    EXPECT_EQ(locked.status, 0);
    EXPECT_EQ(locked.errors, "velmora: cannot write fullscreen = no to " + path +
                                 ": Permission denied; the file keeps the settings it held and the choice lasts "
                                 "only for this run\n");
    EXPECT_EQ(read_file(path), "fullscreen = yes\r");

    // A link whose end cannot be made, in a directory that can be written:
    // said at start, naming both.
    ASSERT_TRUE(write_text(dir.file("blocker"), "a file, not a directory"));
    const std::string link = dir.file("velmora.cfg");
    ASSERT_EQ(::symlink("blocker/velmora.cfg", link.c_str()), 0);
    testing::internal::CaptureStderr();
    prepare_settings_file(link);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "velmora: cannot create " + link + " (a link to " + dir.file("blocker/velmora.cfg") +
                  "): Not a directory; the game starts with its default settings and choices made in the game "
                  "last only for this run\n");

    // A full disk: nothing can be made there, which the start-up check says
    // once for the settings and the volumes.
    const ChildRun full = in_child([&] {
        const std::string config = dir.file("full");
        if (!writers::make_directories(config) || !scenario::mount_private_tmpfs(config, "16k").empty()) return 77;
        std::string filler(64 << 10, 'x');
        (void)write_text(config + "/filler", filler);
        prepare_settings_file(config + "/velmora/velmora.cfg");
        std::fprintf(stderr, "%s\n", settings_place_problem(config + "/velmora/velmora.cfg", "").c_str());
        return fs::exists(config + "/velmora/velmora.cfg") ? 1 : 0;
    });
    if (full.status == 77) GTEST_SKIP() << "cannot mount a tmpfs here";
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.errors, "cannot save settings in " + dir.file("full") +
                               "/velmora: No space left on device; choices made in the game and the volumes last "
                               "only for this run\n");
}
