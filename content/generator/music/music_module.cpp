// Module "music": the twelve tunes as MUSIC/<NAME>.S3M.
#include <cstdio>
#include <string>

#include "generator/module.h"
#include "generator/music/tunes.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

namespace music {

const std::vector<Tune>& tunes() {
    static const std::vector<Tune> all = {
        {"ASTROV2.S3M", &title_tune},    {"DILEMMA.S3M", &about_tune},   {"SLINKY.S3M", &space_tune},
        {"SEIZURE.S3M", &metal_tune},    {"CRYSTAL.S3M", &crystal_tune}, {"PURPLE.S3M", &water_tune},
        {"HIVE.S3M", &hive_tune},        {"ORB.S3M", &mountain_tune},    {"CASTLE02.S3M", &castle_tune},
        {"SONG39.S3M", &cave_tune},      {"ASTRONUK.S3M", &city_tune},   {"SWAN.S3M", &swan_tune},
    };
    return all;
}

namespace {

bool write_music(const content::Context& context) {
    bool ok = true;
    for (const Tune& tune : tunes()) {
        const writers::S3mModule module = tune.compose();
        const std::vector<std::string> problems = writers::check_s3m(module);
        for (const std::string& p : problems) std::fprintf(stderr, "music: %s: %s\n", tune.file, p.c_str());
        if (!problems.empty()) {
            ok = false;
            continue;
        }
        ok = writers::write_file(context.path(std::string("MUSIC/") + tune.file), writers::encode_s3m(module)) && ok;
    }
    return ok;
}

const content::Registration registration{"music", &write_music};

}  // namespace

}  // namespace music
