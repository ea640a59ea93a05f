// The game's choice of display driver and display mode.
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "display/DriverDialog.h"
#include "platform/platform.h"

int Velmora_Win::SelectDriver() {
    if (numdrivers == 1) return 0;
    // A display named on the command line is taken without asking, if it exists.
    if (preferred_display >= 0) {
        for (int i = 0; i < numdrivers; ++i)
            if (DriverDisplayIndex(i) == preferred_display) return i;
    }
    std::vector<std::string> descriptions;
    for (int i = 0; i < numdrivers; ++i) {
        char* description = nullptr;
        GetDriverInfo(i, nullptr, &description, nullptr);
        descriptions.emplace_back(description != nullptr ? description : "");
    }
    DriverDialog dialog;
    dialog.SetContents(&descriptions);
    if (dialog.DoModal() == 1) return dialog.selection;
    return -1;
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
