// No tap is lost in play. A fire press whose release arrives before the next
// play frame reads the controls counts as held for that one frame: the mouse
// button, the fire keys, and a controller's fire button (which reaches the
// game as a key). Without this a press and release between two play frames
// left the controls released, and quick taps went unseen by the ships.
//
// Only play reads the controls this way; the menus act on the release
// already, and the logos, about, continue and ending screens keep their rules.
#pragma once

class Velmora_Win;

// A fire key (key slot 4 or 13) went down in `game_state`. Kept for the next
// play frame while a game goes on (a new game, a level's load, play, its end).
void note_fire_press(int slot, int game_state);
// Forgets the kept presses: a screen other than play took the input.
void forget_fire_presses();

// Reads the controls for one play frame, in place of draining the clicks into
// the play flag, and lives until the frame ends: drains the clicks into
// g_themousebutton, and shows a fire control pressed and released since the
// last play frame as held. When it ends, what it showed as held is released
// again, as the events said.
class PlayFireControls {
public:
    explicit PlayFireControls(Velmora_Win& window);
    ~PlayFireControls();
    PlayFireControls(const PlayFireControls&) = delete;
    PlayFireControls& operator=(const PlayFireControls&) = delete;

private:
    bool mouse_raised_ = false;
    bool space_raised_ = false;
    bool ctrl_raised_ = false;
};

// Kept presses, for the state digest: bit 0 Space's slot, bit 1 Ctrl's.
int kept_fire_presses();
