// The application object: creates the game window and runs it.
#pragma once

#include "display/DirectDrawApp.h"

class Velmora_App : public DirectDrawApp {
public:
    bool InitInstance() override;
};

extern Velmora_App theapp;
