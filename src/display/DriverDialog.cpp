// The driver chooser: one choice per display, in driver order, plus Cancel.
#include "display/DriverDialog.h"

#include "platform/platform.h"

int DriverDialog::SetContents(const std::vector<std::string>* list) {
    contents = list;
    return 1;
}

int DriverDialog::DoModal() {
    static const std::vector<std::string> none;
    const std::vector<std::string>& items = contents != nullptr ? *contents : none;
    const int choice = platform::backend().choose(title, prompt, items);
    if (choice < 0 || choice >= static_cast<int>(items.size())) return 0;
    selection = choice;
    return 1;
}
