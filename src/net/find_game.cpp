#include "net/find_game.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "app/options.h"
#include "net/discovery.h"
#include "net/message.h"
#include "platform/platform.h"
#include "util/ranged_int.h"

namespace net {

bool choose_found_host(LaunchOptions& options, std::string& error) {
    long port = kDefaultPort;
    if (const char* given = std::getenv(kDiscoveryPortVariable); given != nullptr) ranged_int::parse(given, 1, 65535, port);
    std::fprintf(stderr, "velmora: looking for games on the local network (UDP port %ld)\n", port);
    const std::vector<FoundHost> found = find_hosts(static_cast<int>(port), kDiscoveryWaitMs, error);
    if (!error.empty()) return false;
    if (found.empty()) {
        error = "no game found on the local network; give the host's address: --join HOST[:PORT]";
        return false;
    }
    size_t chosen = 0;
    if (found.size() > 1) {
        std::fprintf(stderr, "velmora: %zu games on the local network:\n", found.size());
        for (size_t i = 0; i < found.size(); ++i)
            std::fprintf(stderr, "  %zu  %s's game at %s%s\n", i + 1, found[i].answer.name.c_str(),
                         found[i].address.c_str(), found[i].answer.needs_code ? " (asks for a join code)" : "");
        long pick = 0;
        if (::isatty(STDIN_FILENO) != 0) {
            std::fprintf(stderr, "Which one (1 to %zu)? ", found.size());
            std::string line;
            if (!std::getline(std::cin, line) || !ranged_int::parse(line, 1, static_cast<long>(found.size()), pick))
                pick = 0;
        } else if (!options.headless) {
            // No terminal to ask on: a dialog, one button a game.
            std::unique_ptr<platform::Backend> dialog = platform::make_sdl_backend();
            std::vector<std::string> items;
            for (const FoundHost& h : found) items.push_back(h.answer.name + " (" + h.address + ")");
            if (dialog) pick = dialog->choose("Velmora", "Games on the local network: which one to join?", items) + 1;
        }
        if (pick < 1 || pick > static_cast<long>(found.size())) {
            error = "several games found and none chosen; choose one with --join ADDRESS[:PORT]";
            return false;
        }
        chosen = static_cast<size_t>(pick - 1);
    }
    const FoundHost& host = found[chosen];
    const size_t colon = host.address.rfind(':');
    options.join_host = host.address.substr(0, colon);
    options.join_port = host.answer.port;
    options.find_host = false;
    std::fprintf(stderr, "velmora: joining %s's game at %s\n", host.answer.name.c_str(), host.address.c_str());
    if (host.answer.needs_code && options.join_code.empty())
        std::fprintf(stderr, "velmora: that game asks for a join code: give it with --code\n");
    return true;
}

}  // namespace net
