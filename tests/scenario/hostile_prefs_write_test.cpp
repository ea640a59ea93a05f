// The preferences writer killed at every system call it makes: whatever the
// moment, the file holds either the old or the new volumes, whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/Velmora_Win.h"
#include "app/globals.h"
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
