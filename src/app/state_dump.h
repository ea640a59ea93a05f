// A text snapshot of the game state for regression tests: "key value" lines,
// sorted by key, the same for the same run every time.
#pragma once

#include <string>

class Velmora_Win;

std::string format_state_dump(const Velmora_Win& window, long frame);
// Writes the snapshot to `path`; false when the file could not be written.
bool write_state_dump(const std::string& path, const Velmora_Win& window, long frame);
