#include "audio/Sample.h"

std::vector<Sample*> Sample::listofsamples;
Sample thesample;

namespace {
// The list owns its samples until the program ends; destroyed before the list.
struct ReleaseSamplesAtExit {
    ~ReleaseSamplesAtExit() { Sample::release_all(); }
} release_samples_at_exit;
}  // namespace
