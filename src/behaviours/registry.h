// The behaviour registry: every sprite name the game knows, with its behaviour
// function and the numbers that the data files do not carry.
#pragma once

#include <cstddef>

#include "sprites/Sprite.h"

// The hit-class column's empty cell: the class set_behaviors gives every master stays.
inline constexpr HitClass kKeepHitClass = static_cast<HitClass>(-1);

struct RegistryRow {
    const char* name;
    Behavior behavior;
    HitClass hitclass;  // kKeepHitClass: keep
    int damage;    // -1: keep
    struct {
        bool set;
        int per_base;   // times basehitpoints
        int per_total;  // times totalpoweruplevel
        int constant;
    } hitpoints;
    int firedelay;   // -1: keep
    int framedelay;  // -1: keep
    int param1;      // -1: keep
    int param2;      // -1: keep
};

// Binds behaviours and statistics to every master sprite by name; computes
// basehitpoints and totalpoweruplevel first.
void set_behaviors();

// The table, for tools and tests: `count` receives the number of rows.
const RegistryRow* registry_rows(size_t& count);
// The first row with this exact name, or null.
const RegistryRow* find_registry_row(const char* name);
// Hit points a row gives with the current basehitpoints and totalpoweruplevel.
int registry_hitpoints(const RegistryRow& row, int base, int total);
