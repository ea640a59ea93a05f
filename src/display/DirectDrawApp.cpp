#include "display/DirectDrawApp.h"

#include "display/DirectDrawWin.h"

DirectDrawApp* DirectDrawApp::current = nullptr;

DirectDrawApp::DirectDrawApp() { current = this; }

DirectDrawApp::~DirectDrawApp() {
    if (current == this) current = nullptr;
}
