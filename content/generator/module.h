// Content modules: each part of the data tree (shared sprites, interface
// pictures, sounds, music, one module per world) registers a writer here; the
// generator runs them all, in name order, into one output directory.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace content {

struct Context {
    std::string root;  // output directory, without a trailing slash

    // root + "/" + relative, with the directories leading to it created.
    std::string path(const std::string& relative) const;
};

using Writer = std::function<bool(const Context& context)>;

struct Module {
    std::string name;
    Writer write;
};

// Adds a module; call before main runs (from a static initialiser).
void add_module(std::string name, Writer write);

// Registers a module at start-up. Use as: static content::Registration r{"standard", &write_standard};
struct Registration {
    Registration(std::string name, Writer write) { add_module(std::move(name), std::move(write)); }
};

std::vector<Module> modules();  // sorted by name

}  // namespace content
