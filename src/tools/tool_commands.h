// The modding tools behind the game's command line: --check-data DIR and
// --render-level N PATH.
#pragma once

#include <string>

#include "app/options.h"

// True when the command line asks for a tool; the tool has then run and
// `status` holds the exit status (2 for a malformed tool command line).
bool run_tool_command(int argc, const char* const* argv, const DataDirPlaces& places, int& status);

// The --help lines of the tools.
std::string tool_usage();
