#include "app/Velmora_Win.h"

#include "app/globals.h"
#include "sprites/Sprite.h"

bool Velmora_Win::mouse = false;
std::recursive_mutex Velmora_Win::critsection;
std::list<MouseClickData> Velmora_Win::mouseclickqueue;
int Velmora_Win::curx = 320;
int Velmora_Win::cury = 240;
int Velmora_Win::oldcurx = 320;
int Velmora_Win::oldcury = 240;
Surface* Velmora_Win::cursor = nullptr;
int Velmora_Win::cursor_width = 0;
int Velmora_Win::cursor_height = 0;
double Velmora_Win::mouse_sensitivity = 1.0;
Velmora_Win* Velmora_Win::instance = nullptr;

Velmora_Win::Velmora_Win() {
    instance = this;
    window_title = "Velmora Win32 V 3.1";
    curx = 320;
    cury = 240;
    cursor = nullptr;
    mouse_down = false;
    Sprite::the_level = nullptr;
    skilllevel = 2;
    playeronemouse = true;
    fxvolume = 10;
    musicvolume = 10;
}

Velmora_Win::~Velmora_Win() {
    Sprite::destroy_level();
    Sprite::dumpall();
    if (instance == this) instance = nullptr;
}
