// velmora-content: writes the game's complete data tree into a directory.
#include <cstdio>

#include "writers/data_writers.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-content OUTPUT_DIR\n");
        return 2;
    }
    return writers::make_directories(argv[1]) ? 0 : 1;
}
