#include "generator/worlds/common/world.h"

#include <cctype>

namespace worlds {

std::string letters(int index) {
    std::string s;
    do {
        s.insert(s.begin(), char('a' + index % 26));
        index /= 26;
    } while (index > 0);
    return s;
}

std::string module_name(const std::string& world) {
    std::string m = "world_";
    for (char c : world) m += char(std::tolower(static_cast<unsigned char>(c)));
    return m;
}

World::World(const content::Context& context, const std::string& name)
    : context_(context), name_(name), out_(context, module_name(name)) {}

void World::sprite(const std::string& name, const std::vector<art::Frame>& frames, art::Depth depth) {
    out_.sprite(dir(), name, frames, depth);
}

void World::sprite(const std::string& name, art::Canvas image, int xoffset, int yoffset, art::Edges edges) {
    std::vector<art::Frame> frames;
    frames.push_back({.image = std::move(image), .xoffset = xoffset, .yoffset = yoffset, .edges = edges});
    sprite(name, frames);
}

bool World::finish() {
    const bool level_ok = level_.write(context_, dir());
    return out_.finish() && level_ok;
}

}  // namespace worlds
