// The game's choice of display driver and display mode.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/config.h"
#include "display/DriverDialog.h"
#include "platform/platform.h"

int Velmora_Win::SelectDriver() {
    // A display named on the command line or in the settings is taken without
    // asking, if it exists.
    if (preferred_display >= 0) {
        for (int i = 0; i < numdrivers; ++i)
            if (DriverDisplayIndex(i) == preferred_display) return i;
    }
    std::string missing;
    if (preferred_display >= 0) {
        missing = "There is no display " + std::to_string(preferred_display) + " (displays are counted from 0; " +
                  "this computer has " + std::to_string(numdrivers) + ").";
        std::fprintf(stderr, "velmora: there is no display %d (displays 0 to %d); %s\n", preferred_display,
                     numdrivers - 1, numdrivers == 1 ? "using display 0" : "asking which to use");
    }
    if (numdrivers == 1) return 0;

    std::vector<std::string> descriptions;
    for (int i = 0; i < numdrivers; ++i) {
        char* description = nullptr;
        GetDriverInfo(i, nullptr, &description, nullptr);
        descriptions.emplace_back(description != nullptr ? description : "");
    }
    DriverDialog dialog;
    dialog.SetContents(&descriptions);
    dialog.title = "Velmora: choose a display";
    dialog.prompt = (missing.empty() ? "" : missing + "\n") + "Which display should Velmora play on?";
    const std::string& settings = choices_file();
    if (!settings.empty())
        dialog.prompt += "\nYour choice is saved in " + settings + "; set 'display = ask' there to be asked again.";
    if (dialog.DoModal() != 1) {
        quit_by_player = true;
        std::fprintf(stderr, "velmora: no display chosen; quitting\n");
        return -1;
    }
    const int display = DriverDisplayIndex(dialog.selection);
    if (!settings.empty()) remember_display(display);  // a failure is said there, with its reason
    return dialog.selection;
}

int Velmora_Win::SelectInitialDisplayMode() {
    for (int i = 0; i < nummodes; ++i)
        if (modes[i].width == 640 && modes[i].height == 480 && modes[i].depth == 16) return i;
    RestoreDisplayMode();
    platform::backend().message_box(window_title,
                                    "This display offers no 640 x 480 mode with 16 bits per pixel. "
                                    "Choose another display with --display N.");
    return -1;
}
