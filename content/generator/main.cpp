// velmora-content: writes the game's complete data tree into a directory.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "generator/module.h"
#include "writers/data_writers.h"

namespace {

void usage(std::FILE* to) {
    std::fprintf(to, "usage: velmora-content OUTPUT_DIR [MODULE...]\n"
                     "Writes the game's data (every module, or those named) into OUTPUT_DIR.\nModules:");
    for (const content::Module& m : content::modules()) std::fprintf(to, " %s", m.name.c_str());
    std::fprintf(to, "\n");
}

bool is_module(const char* name) {
    for (const content::Module& m : content::modules())
        if (m.name == name) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    if (argc < 2 || argv[1][0] == '-') {  // an option where the directory goes is a mistake
        usage(stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (!is_module(argv[i])) {
            std::fprintf(stderr, "velmora-content: no module '%s'\n", argv[i]);
            usage(stderr);
            return 2;
        }
    }
    content::Context context{argv[1]};
    while (!context.root.empty() && context.root.back() == '/') context.root.pop_back();
    if (!writers::make_directories(context.root)) {
        std::fprintf(stderr, "velmora-content: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const content::Module& m : content::modules()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i) wanted = wanted || m.name == argv[i];
        if (!wanted) continue;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = m.write(context);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start).count();
        std::printf("velmora-content: %-12s %s (%lld ms)\n", m.name.c_str(), ok ? "ok" : "FAILED",
                    static_cast<long long>(ms));
        if (!ok) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
