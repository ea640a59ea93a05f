#include "display/DirectDrawWin.h"

#include "display/DirectDrawApp.h"
#include "platform/platform.h"

DirectDrawWin* DirectDrawWin::thisptr = nullptr;

DirectDrawWin::DirectDrawWin() {
    thisptr = this;
    // The running application runs this window's frames.
    if (DirectDrawApp::current != nullptr) DirectDrawApp::current->ddwin = this;
}

DirectDrawWin::~DirectDrawWin() {
    for (Surface* s : live_surfaces) delete s;
    live_surfaces.clear();
    delete palette;
    palette = nullptr;
    for (DriverInfo& d : drivers) {
        delete[] d.guid;
        delete[] d.description;
        delete[] d.name;
        d = DriverInfo{};
    }
    if (window_open && platform::has_backend()) platform::backend().close_window();
    if (thisptr == this) thisptr = nullptr;
    if (DirectDrawApp::current != nullptr && DirectDrawApp::current->ddwin == this)
        DirectDrawApp::current->ddwin = nullptr;
    if (DirectDrawApp::current != nullptr && DirectDrawApp::current->m_pMainWnd == this)
        DirectDrawApp::current->m_pMainWnd = nullptr;
}
