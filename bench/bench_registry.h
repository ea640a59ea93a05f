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

// Writes the pictures smooth motion shows between two steps (`velmora_bench --blend-pictures ...`).
int run_blend_pictures(int argc, char** argv);
// How far sprites move on screen in one step, per world (`velmora_bench --motion-scan`).
int run_motion_scan(int argc, char** argv);

// Two processes playing over the network (`velmora_bench --netplay ...`); returns the exit status.
int run_netplay(int argc, char** argv);

}  // namespace bench
