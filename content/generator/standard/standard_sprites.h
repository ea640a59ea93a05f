// The sprites every world shares ("Levels/Standard"), by family. Each family
// appends (name, frames) pairs; the module writes them all.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "generator/art/art.h"

namespace standard {

using SpriteList = std::vector<std::pair<std::string, std::vector<art::Frame>>>;

void add_ship_sprites(SpriteList& out);       // playerone, playertwo, drone, shield
void add_weapon_sprites(SpriteList& out);     // player and enemy shots, smoke
void add_explosion_sprites(SpriteList& out);  // standardexplosion, standardexplosionbig
void add_powerup_sprites(SpriteList& out);    // powerup and the five weapon power-ups
void add_portal_sprites(SpriteList& out);     // entranceportal, exitportal, gameover
void add_status_sprites(SpriteList& out);     // the pieces of the two status bands

}  // namespace standard
