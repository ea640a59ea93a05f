// Every behaviour the registry binds, for the registry and the tests that go
// through all of them. A behaviour's own file includes only the family
// headers it uses, so touching one family rebuilds that family's users.
#pragma once

#include "behaviours/bosses.h"
#include "behaviours/enemy_ships.h"
#include "behaviours/explosions.h"
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
