// The emergency exit.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

void Fatal(const char* message) {
    const char* text = message != nullptr ? message : "";
    std::string title = "Velmora";
    DirectDrawWin* win = DirectDrawWin::thisptr;
    if (win != nullptr) {
        if (!win->window_title.empty()) title = win->window_title;
        // Give the desktop back (close the window) before the message can be seen.
        win->RestoreDisplayMode();
    }
    // The back ends write it on standard error too.
    if (platform::has_backend())
        platform::backend().message_box(title, text);
    else
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text);
    std::exit(1);
}

void report_unloadable_data_file(const char* relative_path) {
    std::error_code ec;
    const std::string data = std::filesystem::current_path(ec).string();
    struct stat st {};
    const bool present = ::stat(relative_path, &st) == 0;
    const char* why = !present                            ? "it is missing"
                      : !S_ISREG(st.st_mode)              ? "it is not a file"
                      : ::access(relative_path, R_OK) != 0 ? "it may not be read (permissions)"
                                                          : "it is not a bitmap the game can read";
    std::fprintf(stderr,
                 "velmora: cannot load %s/%s: %s. Check the data with 'velmora --check-data %s', "
                 "or reinstall the game.\n",
                 data.c_str(), relative_path, why, data.c_str());
}
