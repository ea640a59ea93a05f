// The states of the game's one state machine (`Velmora_Win::game_state`).
// The numbers are fixed: recordings, state dumps and traces hold them.
#pragma once

enum GameState : int {
    kStateStartUp = 0,
    kStatePublisherLogo = 1,
    kStateStudioLogo = 2,
    kStateAbout = 3,
    kStateTitleMenu = 4,
    kStateUnused5 = 5,  // no transition leads here
    kStateNewGame = 6,
    kStateLoadLevel = 7,
    kStatePlaying = 8,
    kStateLevelEnded = 9,
    kStateContinue = 10,
    kStateUnused11 = 11,  // no transition leads here
    kStateOptions = 12,
    kStateEnding = 13,
    kStateQuit = 14,
};
