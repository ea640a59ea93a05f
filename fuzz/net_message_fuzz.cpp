// Network messages (what a peer sends): the decoder refuses with a reason or
// accepts, and what it accepts encodes back to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "net/message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    net::Message message;
    std::string error;
    if (!net::decode(data, size, message, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (net::encode(message) != std::vector<uint8_t>(data, data + size)) std::abort();
    return 0;
}
