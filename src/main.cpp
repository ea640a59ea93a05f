// Start-up: options, data directory, the platform back end, then the game.
#include <cstdio>

int main() {
    std::fprintf(stderr, "velmora: not assembled yet\n");
    return 1;
}
