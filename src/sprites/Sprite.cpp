#include "sprites/Sprite.h"

std::vector<Sprite*> Sprite::list_of_master_sprites;
std::vector<std::string> Sprite::list_of_master_sprite_names;
std::list<Sprite*>* Sprite::the_level = nullptr;
std::vector<Sprite*>* Sprite::list_of_active_sprites = nullptr;
Sprite* Sprite::g_sprite = nullptr;
DirectDrawWin* Sprite::orv_window = nullptr;
uint32_t Sprite::next_serial = 1;

int hitx = 0;
int hity = 0;
