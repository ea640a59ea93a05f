#include "state/globals.h"

int currentlevel = 0;
bool player1 = false, player2 = false;
long player1score = 0, player2score = 0;
int player1hitpoints = 0, player2hitpoints = 0;
bool gameover = false;
int p1powerupitem = 0, p2powerupitem = 0;
int p1poweruplevel = 0, p2poweruplevel = 0;
int p1p1powerupitem = 0, p1p2powerupitem = 0, p2p1powerupitem = 0, p2p2powerupitem = 0;
int p1p1poweruplevel = 0, p1p2poweruplevel = 0, p2p1poweruplevel = 0, p2p2poweruplevel = 0;
bool p1p1 = false, p1p2 = false, p2p1 = false, p2p2 = false;
int player1h = 0, player1v = 0, player2h = 0, player2v = 0;
long skilllevel = 2;
bool playersdie = false;
int maxstars = 0;
bool updatepowerupbar = false;
int scroll = 0;
bool keycodes[kKeySlots] = {};
bool g_themousebutton = false;
int g_themouse_h = 0, g_themouse_v = 0;
bool playeronemouse = true;
long fxvolume = 10;
long musicvolume = 10;
int basehitpoints = 0;
int totalpoweruplevel = 0;
bool god_mode = false;

void reset_globals_to_program_start() {
    currentlevel = 0;
    player1 = player2 = false;
    player1score = player2score = 0;
    player1hitpoints = player2hitpoints = 0;
    gameover = false;
    p1powerupitem = p2powerupitem = 0;
    p1poweruplevel = p2poweruplevel = 0;
    p1p1powerupitem = p1p2powerupitem = p2p1powerupitem = p2p2powerupitem = 0;
    p1p1poweruplevel = p1p2poweruplevel = p2p1poweruplevel = p2p2poweruplevel = 0;
    p1p1 = p1p2 = p2p1 = p2p2 = false;
    player1h = player1v = player2h = player2v = 0;
    skilllevel = 2;
    playersdie = false;
    maxstars = 0;
    updatepowerupbar = false;
    scroll = 0;
    for (bool& k : keycodes) k = false;
    g_themousebutton = false;
    g_themouse_h = g_themouse_v = 0;
    playeronemouse = true;
    fxvolume = 10;
    musicvolume = 10;
    basehitpoints = 0;
    totalpoweruplevel = 0;
    god_mode = false;
}
