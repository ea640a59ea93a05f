// Input scripts (--input): parsed, and whatever parses formats back to lines
// that parse to the same events.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/run_control.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    InputScript events;
    std::string error;
    if (!parse_input_script(in, events, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::string again = std::string(kInputScriptHeader) + "\n";
    long last_frame = 0;
    for (const ScriptedEvent& e : events) {
        if (e.frame() < last_frame) std::abort();  // ordered by frame
        last_frame = e.frame();
        const std::string line = format_input_event(e.frame(), e.event());
        if (!line.empty()) again += line + "\n";
    }
    std::istringstream in2(again);
    InputScript reparsed;
    if (!parse_input_script(in2, reparsed, error)) std::abort();
    std::string third = std::string(kInputScriptHeader) + "\n";
    for (const ScriptedEvent& e : reparsed) {
        const std::string line = format_input_event(e.frame(), e.event());
        if (!line.empty()) third += line + "\n";
    }
    if (third != again) std::abort();
    return 0;
}
