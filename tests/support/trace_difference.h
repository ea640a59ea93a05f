// Where a run's trace first departs from its golden, in words: the frame, the
// line and, field by field, what changed (hit-class counts by class name).
#pragma once

#include <string>

namespace trace_difference {

// "no difference", or the first differing line of two traces with its frame,
// both texts and the fields that differ.
std::string first(const std::string& golden, const std::string& now);

}  // namespace trace_difference
