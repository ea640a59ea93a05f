// `--join` without an address: the games hosted on the local network are
// looked for; the only one found is joined, and when there are several the
// player picks one on the terminal, or in a dialog when there is none.
#pragma once

#include <string>

struct LaunchOptions;

namespace net {

// The test hook that sends the probes to this port instead of the game's.
constexpr const char* kDiscoveryPortVariable = "VELMORA_TEST_DISCOVERY_PORT";
// How long answers are gathered.
constexpr int kDiscoveryWaitMs = 1000;

// Fills the options' host and port with the game chosen. False with `error`
// when none is found or none is chosen.
bool choose_found_host(LaunchOptions& options, std::string& error);

}  // namespace net
