// The modal choice of a display driver when there is more than one.
#pragma once

#include <string>
#include <vector>

class DriverDialog {
public:
    // Stores the caller's descriptions (one per driver, in driver order).
    int SetContents(const std::vector<std::string>* contents);
    // Runs the dialog; returns 1 (OK) or 0 (cancelled). The chosen index is in `selection`.
    int DoModal();

    const std::vector<std::string>* contents = nullptr;
    int selection = 0;
    // What the dialog says: its title and the question above the choices.
    std::string title = "Choose a display";
    std::string prompt = "Which display should the game use?";
};
