#include "app/Velmora_App.h"

Velmora_App theapp;
