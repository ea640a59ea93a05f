// The one installed back end.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/platform.h"

namespace platform {
namespace {
std::unique_ptr<Backend>& slot() {
    static std::unique_ptr<Backend> installed;
    return installed;
}
}  // namespace

Backend& backend() {
    if (!slot()) {
        // Every entry point installs one first; reaching this is a programming error.
        std::fprintf(stderr, "velmora: no platform back end installed\n");
        std::abort();
    }
    return *slot();
}

bool has_backend() { return slot() != nullptr; }

void install_backend(std::unique_ptr<Backend> b) {
    // Destroy the old one first: an SDL back end shuts SDL down in its destructor.
    slot().reset();
    slot() = std::move(b);
}

}  // namespace platform
