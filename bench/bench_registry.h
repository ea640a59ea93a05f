// What the benchmark entry point starts besides the statically registered
// benchmarks.
#pragma once

namespace bench {

// One benchmark per world found in the data directory (busiest frame, level load).
void register_world_benchmarks();
// Per world: keyed copies of its images, by runs and pixel by pixel.
void register_keyed_copy_benchmarks();

// The real-time pacing run (`velmora_bench --pacing ...`); returns the exit status.
int run_pacing(int argc, char** argv);

}  // namespace bench
