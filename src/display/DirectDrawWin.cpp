#include "display/DirectDrawWin.h"

DirectDrawWin* DirectDrawWin::thisptr = nullptr;

DirectDrawWin::DirectDrawWin() { thisptr = this; }

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
    if (thisptr == this) thisptr = nullptr;
}
