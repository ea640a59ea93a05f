// Game-wide state: one game at a time, read and written directly by the frame
// loop, the behaviours and the status bar.
#pragma once

#include <cstdint>

// ---- players, scores and progression ----
extern int currentlevel;  // the world played, from 1; world_list::kEndingLevel: the game is won
extern bool player1, player2;
extern long player1score, player2score;
extern int player1hitpoints, player2hitpoints;
extern bool gameover;

extern int p1powerupitem, p2powerupitem;
extern int p1poweruplevel, p2poweruplevel;
extern int p1p1powerupitem, p1p2powerupitem, p2p1powerupitem, p2p2powerupitem;
extern int p1p1poweruplevel, p1p2poweruplevel, p2p1poweruplevel, p2p2poweruplevel;
extern bool p1p1, p1p2, p2p1, p2p2;  // drone of that slot spawned in this level

extern int player1h, player1v, player2h, player2v;  // ships' reference points

extern long skilllevel;
extern bool playersdie;
extern int maxstars;
extern bool updatepowerupbar;

// ---- level play ----
extern int scroll;  // the level scrolls while above 0

// ---- input ----
constexpr int kKeySlots = 50;
extern bool keycodes[kKeySlots];
extern bool g_themousebutton;
extern int g_themouse_h, g_themouse_v;
extern bool playeronemouse;

// ---- preferences ----
extern long fxvolume;
extern long musicvolume;

// ---- registry ----
extern int basehitpoints;
extern int totalpoweruplevel;

// Test aid (--god): ships never lose shield energy for the whole run.
extern bool god_mode;

// Sets every global above to its value at program start.
void reset_globals_to_program_start();
