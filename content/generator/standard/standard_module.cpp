// Module "standard": every sprite the shared game code spawns or looks up,
// written to Levels/Standard/{Bitmaps,Sprites}.
#include "generator/module.h"
#include "generator/standard/standard_sprites.h"

namespace standard {
namespace {

bool write_standard(const content::Context& context) {
    SpriteList sprites;
    add_ship_sprites(sprites);
    add_weapon_sprites(sprites);
    add_explosion_sprites(sprites);
    add_powerup_sprites(sprites);
    add_portal_sprites(sprites);
    add_status_sprites(sprites);
    art::Output out(context, "standard");
    for (const auto& [name, frames] : sprites) out.sprite("Levels/Standard", name, frames);
    return out.finish();
}

const content::Registration registration{"standard", &write_standard};

}  // namespace
}  // namespace standard
