#include "generator/module.h"

#include <algorithm>

#include "writers/data_writers.h"

namespace content {
namespace {
std::vector<Module>& registry() {
    static std::vector<Module> all;
    return all;
}
}  // namespace

std::string Context::path(const std::string& relative) const {
    const std::string full = root + "/" + relative;
    const size_t slash = full.rfind('/');
    if (slash != std::string::npos) writers::make_directories(full.substr(0, slash));
    return full;
}

void add_module(std::string name, Writer write) { registry().push_back(Module{std::move(name), std::move(write)}); }

std::vector<Module> modules() {
    std::vector<Module> sorted = registry();
    std::sort(sorted.begin(), sorted.end(), [](const Module& a, const Module& b) { return a.name < b.name; });
    return sorted;
}

}  // namespace content
