#include "app/Velmora_App.h"

#include "app/Velmora_Win.h"
#include "app/options.h"

Velmora_App theapp;

bool Velmora_App::InitInstance() {
    auto* window = new Velmora_Win;
    ddwin = window;  // ExitInstance deletes it, also when creation fails
    apply_window_options(launch_options(), *window);
    if (!window->Create("Velmora Win32 V 3.1", 101)) return false;
    m_pMainWnd = window;
    return DirectDrawApp::InitInstance();
}
