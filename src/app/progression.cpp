// Players and progression: starting a game, deciding what follows a level,
// and the continue screen.
#include <cstdint>
#include <mutex>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "sprites/Sprite.h"

namespace {
constexpr int kCancelX = 330, kCancelY = 260;
constexpr int kOkX = 450, kOkY = 260;
constexpr int kQuestionX = 170, kQuestionY = 180;

bool down(int hitpoints) { return hitpoints < 1; }
}  // namespace

void Velmora_Win::reset_game() {
    gameover = false;
    player1score = 0;
    player2score = 0;
    player1hitpoints = player1 ? 100 : 0;
    player2hitpoints = player2 ? 100 : 0;
    playersdie = !god_mode;
    maxstars = 10;
    // currentlevel stays: a new game has set it to 1, a retry keeps the lost level.
    game_state = 7;
}

void Velmora_Win::end_game() {
    const bool lost = (player1 && !player2 && down(player1hitpoints)) ||
                      (player2 && down(player1hitpoints) && down(player2hitpoints));
    game_state = lost ? 10 : 7;
}

bool Velmora_Win::game_to_resume() const {
    // After the last exit portal currentlevel is beyond the loaded level for
    // good: resuming would only end that level again, one level further each
    // time. A new game loads its first level and can be resumed again.
    return Sprite::the_level != nullptr && currentlevel == loaded_level;
}

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
        if (over(cancel_up, kCancelX, kCancelY)) game_state = 4;
        if (over(ok_up, kOkX, kOkY)) game_state = 6;
    }
}
