// Hold-to-fire, a player's choice (velmora.cfg: autofire). The ships count
// presses, not time held: each new press of the fire control moves the fire
// gate on, so a held button fires once. With autofire on, a fire control held
// through play frames is shown to the ships pressed on one frame and released
// on the next, exactly as the fastest tapping would be, so the gate's rules
// stay as they are.
//
// The taps are made inside the play frame from the held state, never as input
// events: a recording keeps the real presses and notes the choice it was
// played with, and a replay follows the recording's choice, not the machine's.
#pragma once

void set_autofire(bool on);
bool autofire();

// Lives for the part of a play frame in which the sprites move. While it
// lives, each player whose fire control is held and was shown pressed on the
// previous frame sees it released; the real state is back when it ends.
class HeldFireAsTaps {
public:
    HeldFireAsTaps();
    ~HeldFireAsTaps();
    HeldFireAsTaps(const HeldFireAsTaps&) = delete;
    HeldFireAsTaps& operator=(const HeldFireAsTaps&) = delete;

private:
    bool hidden_[2] = {false, false};
    bool space_ = false, mouse_ = false, player_two_ = false;
};

// Forgets which players were shown a press (a new run or test).
void reset_autofire_taps();
