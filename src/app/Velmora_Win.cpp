#include "app/Velmora_Win.h"

#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"

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
    // The sprite engine must not keep drawing through a window that is gone.
    if (Sprite::orv_window == this) Sprite::orv_window = nullptr;
    if (instance == this) instance = nullptr;
}

int Velmora_Win::OnCreate() {
    // Keyboard and mouse come from the platform back end through the
    // application loop: there is no input object to create, and InitMouse
    // cannot fail. Its result is still checked so the window fails to open if
    // a future input source can.
    if (!InitMouse()) return -1;
    if (DirectDrawWin::OnCreate() == -1) return -1;
    Sprite::set_window_ptr(this);
    // No mouse reader thread to resume: batches arrive on the main thread.
    load_cursor();
    load_sounds();
    load_user_interface();
    return 0;
}

void Velmora_Win::OnActivate(int state) {
    DirectDrawWin::OnActivate(state);
    // The back end captures the mouse while the window has focus; nothing to
    // acquire here.
}

void Velmora_Win::OnDestroy() {
    dump_sounds();
    dump_user_interface();
    DirectDrawWin::OnDestroy();
}

void Velmora_Win::OnCloseRequest() {
    if (game_state == kStateStartUp) {
        // The first frame has not run: nothing was loaded or started, and
        // saving now would overwrite the stored volumes with the defaults.
        PostCloseMessage();
        return;
    }
    // Quit through the quit state, which stops the music and saves the volumes.
    game_state = kStateQuit;
}
