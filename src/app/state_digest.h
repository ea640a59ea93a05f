// The whole state that decides play, written out for comparing two runs: the
// game's variables, the players' motion and fire state, the random sequence
// and every live sprite of the level (its kind, serial, position, frame,
// state, counters and hit points) in list order, child chains after their
// top sprite. Two runs that give the same text at a step are in the same
// state; one that differs anywhere is not. Nothing machine-specific (clock,
// volumes, addresses) is in it.
#pragma once

#include <cstdint>
#include <string>

class Velmora_Win;

// One "name value ..." line for the game, one for the players, then one line
// per live sprite.
std::string play_state_text(const Velmora_Win& window);

// A 64-bit digest of play_state_text: equal states give equal digests.
uint64_t play_state_digest(const Velmora_Win& window);
