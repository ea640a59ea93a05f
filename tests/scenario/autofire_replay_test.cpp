// Hold-to-fire end to end: fire held with autofire plays as the same fire
// tapped by hand, and its recording keeps the real presses and replays alike.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {

const std::vector<std::string> kStartOnePlayer = {"2 mouse button 0 down", "4 mouse button 0 up",
                                                  "6 mouse move -120 200", "8 mouse button 0 down",
                                                  "9 mouse button 0 up"};
constexpr long kFrames = 320;

class AutofireReplay : public ::testing::Test {
protected:
    // Runs a script on the generated data; the state dumps every 40 frames.
    std::vector<std::string> run(const std::string& name, const std::string& header,
                                 const std::vector<std::string>& fire, const std::string& record = "") {
        const std::string script = out.file(name + ".txt");
        std::string text = header + "\n";
        for (const std::string& l : kStartOnePlayer) text += l + "\n";
        for (const std::string& l : fire) text += l + "\n";
        std::ofstream(script) << text;
        return run_script(name, script, record);
    }
    std::vector<std::string> run_script(const std::string& name, const std::string& script,
                                        const std::string& record = "") {
        std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--seed", "5",
                                         "--frames", std::to_string(kFrames), "--input", script};
        if (!record.empty()) args.insert(args.end(), {"--record", record});
        for (long f = 40; f <= kFrames; f += 40)
            args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + out.file(name + std::to_string(f))});
        const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}});
        EXPECT_EQ(r.exit_code, 0) << r.output;
        std::vector<std::string> dumps;
        for (long f = 40; f <= kFrames; f += 40) dumps.push_back(read_file(out.file(name + std::to_string(f))));
        return dumps;
    }
    TempDir out;
};

}  // namespace

TEST_F(AutofireReplay, HeldFireWithAutofirePlaysAsTappingAndReplaysFromItsRecording) {
    if (!std::filesystem::exists(std::string(VELMORA_DATA) + "/Levels/Space/Levels/NORMAL.LVL"))
        GTEST_SKIP() << "the generated data is not complete yet";
    std::vector<std::string> taps;
    for (long f = 30; f < 290; f += 2) {
        taps.push_back(std::to_string(f) + " key down 0x20");
        taps.push_back(std::to_string(f + 1) + " key up 0x20");
    }
    const std::vector<std::string> tapped = run("tapped", "velmora-input 2", taps);
    const std::vector<std::string> hold = {"30 key down 0x20", "290 key up 0x20"};
    const std::vector<std::string> held = run("held", "velmora-input 2\nautofire", hold, out.file("rec.txt"));
    const std::vector<std::string> plain = run("plain", "velmora-input 2", hold);
    ASSERT_EQ(tapped.size(), held.size());
    for (size_t i = 0; i < tapped.size(); ++i) {
        EXPECT_FALSE(tapped[i].empty());
        EXPECT_EQ(held[i], tapped[i]) << "dump " << i;
    }
    EXPECT_NE(plain.back(), held.back()) << "without autofire the hold is a single press";

    // The recording holds the real presses and the choice, and replays alike.
    const std::string recording = read_file(out.file("rec.txt"));
    EXPECT_NE(recording.find("\nautofire\n"), std::string::npos) << recording;
    EXPECT_NE(recording.find("\n30 key down 0x20\n"), std::string::npos) << recording;
    EXPECT_NE(recording.find("\n290 key up 0x20\n"), std::string::npos) << recording;
    EXPECT_EQ(recording.find("31 key up 0x20"), std::string::npos) << "no made-up releases";
    EXPECT_EQ(run_script("replay", out.file("rec.txt")), held);
}
