// The command line: the input, split at zero bytes, is the argument list.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"velmora"};
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (!current.empty()) args.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());

    LaunchOptions options;
    std::string error;
    if (parse_launch_options(static_cast<int>(argv.size()), argv.data(), options, error)) {
        // What is accepted is in range.
        if (options.scale < 0 || options.scale > 16 || options.display < -1 || options.display > 63 ||
            options.frames < 0 || !error.empty())
            std::abort();
        for (const FrameFile& f : options.screenshots)
            if (f.frame < 1 || f.path.empty()) std::abort();
        for (const FrameFile& f : options.dumps)
            if (f.frame < 1 || f.path.empty()) std::abort();
    } else if (error.empty()) {
        std::abort();  // a refusal always says why
    }
    return 0;
}
