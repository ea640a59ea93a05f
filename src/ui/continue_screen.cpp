// The continue screen: the question, Cancel and OK.
#include <cstdint>
#include <mutex>

#include "app/Velmora_Win.h"
#include "state/game_states.h"
#include "ui/menu_navigation.h"

namespace {
constexpr int kCancelX = 330, kCancelY = 260;
constexpr int kOkX = 450, kOkY = 260;
constexpr int kQuestionX = 170, kQuestionY = 180;

enum KeyItem { CancelItem, OkItem };

// Keys and controller: left or up goes to Cancel, right or down to OK (where
// the highlight starts); Enter, A or Start presses. Escape means nothing here.
void continue_keys(Velmora_Win& win) {
    MenuKeys& keys = menu_keys();
    for (MenuCommand command : keys.take(kStateContinue, menu_frame(), OkItem)) {
        if (win.game_state != kStateContinue) break;
        if (command == MenuCommand::Back) continue;
        if (keys.reveal()) continue;
        if (command == MenuCommand::Press || command == MenuCommand::Start)
            win.game_state = keys.selected() == OkItem ? 6 : 4;
        else
            keys.select(command == MenuCommand::Left || command == MenuCommand::Up ? CancelItem : OkItem);
    }
    if (win.game_state != kStateContinue || !keys.shown()) return;
    const bool ok = keys.selected() == OkItem;
    const Surface* picture = ok ? win.ok_up : win.cancel_up;
    if (picture == nullptr) return;
    const int x = ok ? kOkX : kCancelX, y = ok ? kOkY : kCancelY;
    draw_highlight(win, RECT{x, y, x + picture->width, y + picture->height});
}
}  // namespace

void Velmora_Win::retry_level() {
    const RECT screen{0, 0, 640, 480};
    ClearSurface(backsurf, 0, 0, 0, &screen);
    BltSurface(backsurf, cancel_up, kCancelX, kCancelY, 0);
    BltSurface(backsurf, ok_up, kOkX, kOkY, 0);
    BltSurface(backsurf, continue_picture, kQuestionX, kQuestionY, 0);

    // Held for the whole frame so the cursor cannot move between the tests.
    std::lock_guard<std::recursive_mutex> lock(critsection);
    bool left_arrived = false;
    drain_clicks(mouse_down, &left_arrived);

    // Both edges inclusive; a missing picture has no area.
    auto over = [this](const Surface* picture, int x, int y) {
        uint32_t w = 0, h = 0;
        if (picture == nullptr || !GetSurfaceDimensions(picture, w, h)) return false;
        return curx >= x && curx <= x + static_cast<int>(w) && cury >= y &&
               cury <= y + static_cast<int>(h);
    };

    if (mouse_down) {
        if (over(ok_up, kOkX, kOkY)) BltSurface(backsurf, ok_down, kOkX, kOkY, 0);
        if (over(cancel_up, kCancelX, kCancelY))
            BltSurface(backsurf, cancel_down, kCancelX, kCancelY, 0);
    } else if (left_arrived) {
        // Cancel first, so OK wins where the two overlap.
        if (over(cancel_up, kCancelX, kCancelY)) game_state = kStateTitleMenu;
        if (over(ok_up, kOkX, kOkY)) game_state = kStateNewGame;
    }
    continue_keys(*this);
}
