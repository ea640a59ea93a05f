// Module "music": the twelve tunes as MUSIC/<NAME>.S3M.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "generator/module.h"
#include "generator/music/tunes.h"
#include "generator/worlds/world_table.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

namespace music {

const std::vector<Tune>& tunes() {
    static const std::vector<Tune> all = [] {
        std::vector<Tune> t = {{"MUSIC/ASTROV2.S3M", &title_tune},
                               {"MUSIC/DILEMMA.S3M", &about_tune},
                               {world_list::kEndingTune, &swan_tune}};
        // The worlds' tunes under the names the game's list gives them; worlds may share one.
        const auto setups = worlds::world_setups();
        for (int i = 0; i < world_list::kCount; ++i) {
            const char* file = world_list::kEntries[i].tune;
            if (std::none_of(t.begin(), t.end(), [file](const Tune& u) { return std::strcmp(u.file, file) == 0; }))
                t.push_back({file, setups[size_t(i)].tune});
        }
        return t;
    }();
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
        ok = writers::write_file(context.path(tune.file), writers::encode_s3m(module)) && ok;
    }
    return ok;
}

const content::Registration registration{"music", &write_music};

}  // namespace

}  // namespace music
