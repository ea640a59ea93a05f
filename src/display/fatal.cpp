// The emergency exit.
#include <cstdio>
#include <cstdlib>
#include <string>

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
    if (platform::has_backend())
        platform::backend().message_box(title, text);
    else
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text);
    std::exit(1);
}
