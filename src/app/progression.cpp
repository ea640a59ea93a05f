// Players and progression: starting a game, deciding what follows a level,
// and the continue screen (ui/continue_screen.cpp).
#include <cstdint>
#include <mutex>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"

namespace {
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
    game_state = kStateLoadLevel;
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
