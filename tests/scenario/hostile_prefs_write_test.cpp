// The preferences writer killed at every system call it makes: whatever the
// moment, the file holds either the old or the new volumes, whole. And a save
// that meets a full disk.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>  // umount2
#include <sys/ptrace.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "state/globals.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/data_writers.h"

namespace fs = std::filesystem;

namespace {

const char* const kOld = "3\n4\n";
const char* const kNew = "7\n8\n";

enum class Outcome { Killed, Finished, TraceFailed };

// Forks a writer of the new volumes, lets it run to its `stops`-th system-call
// stop (entries and exits both count) and kills it there.
Outcome write_and_kill(Velmora_Win& win, const std::string& dir, int stops) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(dir.c_str()) != 0 || ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(3);
        ::raise(SIGSTOP);
        fxvolume = 7;
        musicvolume = 8;
        win.save_prefs();
        _exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
        }
        return Outcome::TraceFailed;
    }
    for (int n = 0; n < stops; ++n) {
        if (::ptrace(PTRACE_SYSCALL, child, nullptr, nullptr) != 0) break;
        if (::waitpid(child, &status, 0) != child || WIFEXITED(status)) return Outcome::Finished;
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? Outcome::Finished : Outcome::Killed;
}

}  // namespace

TEST(HostilePrefsWrite, KilledAtAnySystemCallTheFileIsOldOrNewAndWhole) {
    TempDir dir;
    const std::string prefs = dir.file("Other/Preferences.txt");
    ASSERT_TRUE(writers::make_directories(dir.file("Other")));
    Velmora_Win win;
    ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);

    int old_seen = 0, new_seen = 0, stray_temp_files = 0;
    bool finished = false;
    for (int stops = 0; stops < 400 && !finished; ++stops) {
        ASSERT_TRUE(writers::write_text(prefs, kOld));
        const Outcome outcome = write_and_kill(win, dir.path(), stops);
        ASSERT_NE(outcome, Outcome::TraceFailed) << "cannot trace a child here";
        finished = outcome == Outcome::Finished;

        const std::string text = scenario::read_file(prefs);
        ASSERT_TRUE(text == kOld || text == kNew) << "after " << stops << " stops: '" << text << "'";
        (text == kOld ? old_seen : new_seen) += 1;
        // Only the renamed file counts; what a killed writer left beside it
        // is never read.
        for (const auto& entry : fs::directory_iterator(dir.file("Other"))) {
            if (entry.path().filename() == "Preferences.txt") continue;
            ++stray_temp_files;
            fs::remove(entry.path());
        }
    }
    EXPECT_TRUE(finished) << "the writer never got to its end";
    EXPECT_GT(old_seen, 4) << "kills before the rename";
    EXPECT_GT(new_seen, 0) << "kills after the rename, and the finished run";
    RecordProperty("kill_points", old_seen + new_seen);
    RecordProperty("stray_temp_files", stray_temp_files);
}

namespace {

// A run that changes the effects volume with the keyboard: through the title
// menu to the options (right three times, Enter), one step down on the
// effects row (the first key shows the highlight), then the window closes.
const std::vector<std::string> kLowerEffectsAndQuit = {
    "300 key down 0x27", "302 key down 0x27", "304 key down 0x27", "306 key down 0x0D",
    "308 key down 0x25", "310 key down 0x25", "314 quit"};

class HostileSave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scenario::write_minimal_data_tree(data.path())); }

    scenario::RunResult run(const std::vector<std::string>& input, const std::string& config) {
        EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), input));
        return scenario::run_velmora({"--headless", "--data", data.path(), "--frames", "400", "--input",
                                      out.file("in.txt"), "--dump-state", "5:" + out.file("5.txt")},
                                     {{"XDG_CONFIG_HOME", config}, {"VELMORA_DATA", ""}});
    }
    static bool said(const scenario::RunResult& r, const std::string& text) {
        return r.output.find(text) != std::string::npos;
    }

    TempDir data;
    TempDir out;
};

// Fills the file system holding `dir` until it has no byte left.
bool fill_up(const std::string& dir) {
    std::ofstream filler(dir + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    for (int i = 0; i < 100000 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i)
        filler.flush();
    struct statvfs fs {};
    return ::statvfs(dir.c_str(), &fs) == 0 && fs.f_bavail == 0;
}

}  // namespace

TEST_F(HostileSave, AFullDiskIsReportedAndTheVolumesGoWhereThereIsRoom) {
    const std::string other = data.file("Other");
    const std::string refused = scenario::mount_private_tmpfs(other, "64k");
    if (!refused.empty()) GTEST_SKIP() << refused;
    ASSERT_TRUE(writers::write_text(other + "/Preferences.txt", "4\n6\n"));
    std::filesystem::create_directories(other + "/config");  // a configuration directory on the full disk too
    ASSERT_TRUE(fill_up(other));

    // Room in the configuration directory: the volumes go there, and the
    // next start reads them (the newer file) rather than the stale one.
    const std::string config = out.file("config");
    const scenario::RunResult r = run(kLowerEffectsAndQuit, config);
    EXPECT_EQ(r.exit_code, 0) << r.output;
    EXPECT_TRUE(said(r, "cannot save the volumes in " + other + "/Preferences.txt (No space left on device)"))
        << r.output;
    EXPECT_EQ(scenario::read_file(other + "/Preferences.txt"), "4\n6\n");
    EXPECT_EQ(scenario::read_file(config + "/velmora/Preferences.txt"), "3\n6\n");
    EXPECT_EQ(run({"20 quit"}, config).exit_code, 0);
    EXPECT_EQ(scenario::dump_number(scenario::read_state_dump(out.file("5.txt")), "fxvolume"), 3);

    // No room anywhere: said, and the run does not end as a success.
    const scenario::RunResult nowhere = run(kLowerEffectsAndQuit, other + "/config");
    EXPECT_EQ(nowhere.exit_code, 1) << nowhere.output;
    EXPECT_TRUE(said(nowhere, "the volumes could not be saved in " + other +
                                  "/Preferences.txt (No space left on device); nor in " + other +
                                  "/config/velmora/Preferences.txt ("))
        << nowhere.output;
    EXPECT_EQ(scenario::read_file(other + "/Preferences.txt"), "4\n6\n") << "the old file stays whole";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(other))
        EXPECT_EQ(entry.path().filename().string().find("Preferences.txt."), std::string::npos)
            << "left behind: " << entry.path();
    ::umount2(other.c_str(), MNT_DETACH);
}
