// The game's twelve tunes, each composed in its own file.
#pragma once

#include <vector>

#include "writers/s3m_writer.h"

namespace music {

struct Tune {
    const char* file;  // under the data directory
    writers::S3mModule (*compose)();
};

const std::vector<Tune>& tunes();

writers::S3mModule title_tune();     // ASTROV2
writers::S3mModule about_tune();     // DILEMMA
writers::S3mModule space_tune();     // SLINKY
writers::S3mModule metal_tune();     // SEIZURE
writers::S3mModule crystal_tune();   // CRYSTAL
writers::S3mModule water_tune();     // PURPLE
writers::S3mModule hive_tune();      // HIVE
writers::S3mModule mountain_tune();  // ORB
writers::S3mModule castle_tune();    // CASTLE02
writers::S3mModule cave_tune();      // SONG39
writers::S3mModule city_tune();      // ASTRONUK
writers::S3mModule swan_tune();      // SWAN

}  // namespace music
