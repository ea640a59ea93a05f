#include "tools/tool_commands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "state/world_list.h"
#include "tools/data_check.h"
#include "tools/level_render.h"
#include "util/ranged_int.h"

namespace {

int usage_error(const std::string& message) {
    std::fprintf(stderr, "velmora: %s\nTry 'velmora --help'.\n", message.c_str());
    return 2;
}

// "--name value" or "--name=value" at argv[i]; advances i past what it used.
bool take_value(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value) {
    const std::string& a = args[i];
    if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
        return true;
    }
    if (a != name || i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

bool is_tool(const std::string& a) {
    return a == "--check-data" || a.rfind("--check-data=", 0) == 0 || a == "--render-level" ||
           a.rfind("--render-level=", 0) == 0;
}

int check_command(const std::vector<std::string>& args) {
    std::string dir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (!is_tool(args[i])) return usage_error("--check-data takes only a directory");
        if (!take_value(args, i, "--check-data", dir) || dir.empty())
            return usage_error("--check-data needs the data directory to check");
    }
    return run_check_data(dir, stdout);
}

int render_command(const std::vector<std::string>& args, const DataDirPlaces& places) {
    std::string level_text, png, data;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--render-level" || args[i].rfind("--render-level=", 0) == 0) {
            if (!take_value(args, i, "--render-level", level_text) || i + 1 >= args.size())
                return usage_error("--render-level needs a level number and a PNG file");
            png = args[++i];
        } else if (take_value(args, i, "--data", value)) {
            data = value;
        } else {
            return usage_error("--render-level takes only a level, a PNG file and --data DIR");
        }
    }
    int level = 0;
    if (!ranged_int::parse(level_text, 1, world_list::kCount, level))
        return usage_error(ranged_int::invalid_value(level_text, "--render-level",
                                                     "a level " + ranged_int::range_text(1, world_list::kCount)));
    if (png.empty()) return usage_error("--render-level needs a PNG file to write");
    LaunchOptions options;
    options.data_dir = data;
    std::string error;
    const std::string dir = find_data_dir(options, places, error);
    if (dir.empty()) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return 1;
    }
    return run_render_level(dir, level, png, stderr);
}

}  // namespace

bool run_tool_command(int argc, const char* const* argv, const DataDirPlaces& places, int& status) {
    std::vector<std::string> args;
    bool tool = false;
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        args.emplace_back(argv[i]);
        tool = tool || is_tool(args.back());
    }
    if (!tool) return false;
    const bool check = std::any_of(args.begin(), args.end(), [](const std::string& a) {
        return a == "--check-data" || a.rfind("--check-data=", 0) == 0;
    });
    const bool render = std::any_of(args.begin(), args.end(), [](const std::string& a) {
        return a == "--render-level" || a.rfind("--render-level=", 0) == 0;
    });
    if (check && render) {
        status = usage_error("--check-data and --render-level are separate commands");
    } else if (check) {
        status = check_command(args);
    } else {
        status = render_command(args, places);
    }
    return true;
}

std::string tool_usage() {
    return "Modding tools:\n"
           "  --check-data DIR       check a data directory for every problem the game\n"
           "                         would meet; exit status 1 when there are errors\n"
           "  --render-level N PNG   draw the whole level of world N (" +
           ranged_int::range_text(1, world_list::kCount) +
           ") as one picture\n"
           "                         (with --data DIR to choose the data; docs/modding.md)\n";
}
