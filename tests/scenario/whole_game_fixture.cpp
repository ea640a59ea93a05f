#include "whole_game_fixture.h"

#include <png.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "state/game_states.h"
#include "state/world_list.h"

namespace whole_game {

namespace {

namespace fs = std::filesystem;

bool link_generated(const std::string& dir, const std::string& relative) {
    const fs::path source = fs::path(VELMORA_DATA) / relative;
    if (!fs::exists(source)) return true;  // optional parts (the music) may be missing
    std::error_code ec;
    fs::create_directories((fs::path(dir) / relative).parent_path(), ec);
    fs::create_directory_symlink(source, fs::path(dir) / relative, ec);
    return !ec;
}

bool write_sprite(const std::string& world_dir, const FixtureSprite& s) {
    std::vector<writers::FrameOffset> offsets(static_cast<size_t>(s.frames));
    if (!writers::write_text(world_dir + "/Sprites/" + s.name + ".SPT", writers::encode_spt(offsets)))
        return false;
    writers::IndexedImage image;
    image.width = s.width;
    image.height = s.height;
    image.palette = {{0, 255, 0}, s.colour};
    image.indices.assign(size_t(s.width) * size_t(s.height), 1);
    image.indices[0] = 0;  // the top-left pixel is the transparent colour
    for (int f = 1; f <= s.frames; ++f)
        if (!writers::write_file(world_dir + "/Bitmaps/" + s.name + std::to_string(f) + ".BMP",
                                 writers::encode_bmp8(image)))
            return false;
    return true;
}

}  // namespace

const char* world_name(int level) {
    const world_list::Entry* world = world_list::of_level(level);
    return world != nullptr ? world->name : "";
}

bool generated_level_present(int level) {
    return fs::exists(fs::path(VELMORA_DATA) / "Levels" / world_name(level) / "Levels/NORMAL.LVL");
}

bool write_fixture_data(const std::string& dir, const std::string& world,
                        const std::vector<FixtureSprite>& sprites,
                        const std::vector<writers::LevelRecord>& records) {
    const std::string world_dir = dir + "/Levels/" + world;
    bool ok = link_generated(dir, "Levels/Standard") && link_generated(dir, "Levels/Resource") &&
              link_generated(dir, "Sound") && link_generated(dir, "MUSIC") &&
              writers::make_directories(dir + "/Other") && writers::make_directories(world_dir + "/Sprites") &&
              writers::make_directories(world_dir + "/Bitmaps") && writers::make_directories(world_dir + "/Levels");
    for (const FixtureSprite& s : sprites) ok = ok && write_sprite(world_dir, s);
    return ok && writers::write_text(world_dir + "/Levels/NORMAL.LVL", writers::encode_lvl(records));
}

std::vector<std::string> autopilot_args(const std::string& data, const std::string& trace, int players,
                                        long frame_limit) {
    return {"--headless", "--data", data, "--seed", "1", "--autopilot=" + std::to_string(players),
            "--trace", trace, "--frames", std::to_string(frame_limit)};
}

std::vector<TraceLine> trace_lines(const std::string& trace_text) {
    std::vector<TraceLine> out;
    std::istringstream in(trace_text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos || line.rfind("velmora-trace", 0) == 0) continue;
        TraceLine t;
        t.frame = std::strtol(line.substr(0, space).c_str(), nullptr, 10);
        t.text = line.substr(space + 1);
        out.push_back(t);
    }
    return out;
}

std::vector<std::string> trace_events(const std::string& trace_text, const std::string& prefix) {
    std::vector<std::string> out;
    for (const TraceLine& t : trace_lines(trace_text))
        if (t.text.rfind(prefix, 0) == 0) out.push_back(t.text);
    return out;
}

bool Picture::is(int x, int y, writers::Rgb c) const {
    const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return std::abs(p[0] - c.r) <= 8 && std::abs(p[1] - c.g) <= 8 && std::abs(p[2] - c.b) <= 8;
}

bool read_png(const std::string& path, Picture& p) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    p.rgb.resize(PNG_IMAGE_SIZE(image));
    p.width = int(image.width);
    p.height = int(image.height);
    return png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr) != 0;
}

scenario::RunResult GameRun::run(long frames, const std::vector<std::string>& input, std::vector<std::string> args,
                                 const std::vector<long>& dumps) {
    args.insert(args.end(), {"--headless", "--data", data.path(), "--seed", std::to_string(seed), "--frames",
                             std::to_string(frames), "--trace", out.file("trace.txt")});
    if (!input.empty()) {
        EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), input, script_version));
        args.insert(args.end(), {"--input", out.file("in.txt")});
    }
    for (long f : dumps) args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dump_path(f)});
    last_dumps = dumps;
    scenario::RunOptions options;
    options.env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};
    options.without_override = without_override;
    options.timeout_seconds = timeout_seconds;
    return scenario::run_program(VELMORA_BINARY, args, options);
}

long long GameRun::value(long frame, const std::string& key) const {
    return scenario::dump_number(scenario::read_state_dump(dump_path(frame)), key);
}

std::vector<long long> GameRun::values(const std::string& key) const {
    std::vector<long long> out;
    for (long f : last_dumps)
        if (const long long v = value(f, key); v != LLONG_MIN) out.push_back(v);
    return out;
}

std::vector<long long> GameRun::levels_played() const {
    std::vector<long long> played;
    for (long f : last_dumps)
        if (value(f, "game_state") == kStatePlaying) {
            const long long level = value(f, "loaded_level");
            if (std::find(played.begin(), played.end(), level) == played.end()) played.push_back(level);
        }
    std::sort(played.begin(), played.end());
    return played;
}

long GameRun::frame_of(const std::string& text, int n) const {
    for (const TraceLine& line : trace_lines(trace()))
        if (line.text.rfind(text, 0) == 0 && n-- == 0) return line.frame;
    return -1;
}

void GameRun::expect_clean(const scenario::RunResult& r, int exit_code) {
    EXPECT_EQ(r.exit_code, exit_code) << r.output.substr(0, 4000);
    EXPECT_EQ(r.signal, 0) << "killed: it hung\n" << r.output.substr(0, 4000);
    EXPECT_FALSE(scenario::sanitizer_reported(r.output)) << r.output.substr(0, 4000);
}

std::vector<long> every(long step, long last) {
    std::vector<long> frames;
    for (long f = step; f <= last; f += step) frames.push_back(f);
    return frames;
}

}  // namespace whole_game
