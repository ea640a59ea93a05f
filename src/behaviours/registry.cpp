// The fixed table that binds every sprite name to its behaviour and the
// per-type numbers the data files do not carry. Generated once from the design
// table; edit by hand.
#include "behaviours/registry.h"

#include "behaviours/behaviours.h"

namespace {

// -1 in a numeric column means "keep the value after the reset".
constexpr int kKeep = -1;
constexpr HitClass kKeepClass = kKeepHitClass;

// Hit points are hp_b * basehitpoints + hp_t * totalpoweruplevel + hp_const;
// a row with has_hp false keeps the loaded value.
const RegistryRow kRows[] = {
    {"playerone", moveplayer1, kHitPlayerShip, kKeep, {false, 0, 0, 0}, 1, 5, kKeep, kKeep},
    {"playertwo", moveplayer2, kHitPlayerShip, kKeep, {false, 0, 0, 0}, 1, 5, kKeep, kKeep},
    {"shield", moveshield, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"blueshot", movebluelaser, kHitPlayerShot, kKeep, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"photon", movephoton, kHitPlayerShot, 1, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"photonexplosion", movephotontorpedoex, kHitPlayerShot, 5, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"starshot", movestarshot, kHitPlayerShot, 1, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"heatseekingmissile", moveheatseekingmissile, kHitPlayerShot, 2, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"missile", moveredlaser, kHitPlayerShot, 1, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"enemyshot", moveenemyshot, kHitEnemyShot, 5, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"enemyshottwo", moveenemyshot, kHitEnemyShot, 5, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"entranceportal", moveentranceportal, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, 20, kKeep},
    {"exitportal", moveexitportal, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"drone", movedrone, kHitDrone, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"smoke", animateterminate, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"powerup", movepowerup, kHitScorePowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"bluepowerup", moveweaponpowerup, kHitWeaponPowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 1},
    {"missilepowerup", moveweaponpowerup, kHitWeaponPowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 2},
    {"heatseekerpowerup", moveweaponpowerup, kHitWeaponPowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 3},
    {"photonpowerup", moveweaponpowerup, kHitWeaponPowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 4},
    {"starpowerup", moveweaponpowerup, kHitWeaponPowerup, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 5},
    {"standardexplosion", moveexplosion, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"standardexplosionbig", moveexplosion, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"gameover", movegameover, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, 2, kKeep, kKeep},
    {"spaceboss", movespaceboss, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"spacemetiorbig", movespacemeteorbig, kKeepClass, kKeep, {true, 8, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"spacemetiorsmall", movespacemeteorsmall, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, 2, kKeep, kKeep},
    {"spacewhiteship", movespacewhiteship, kKeepClass, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"spacefrogship", movespacefrogship, kKeepClass, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"spacegreenship", movespacegreenship, kKeepClass, kKeep, {true, 1, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"spacebosscannonup", movespacebosscannonup, kKeepClass, kKeep, {true, 9, 3, 0}, 30, kKeep, kKeep, kKeep},
    {"spacebosscannondown", movespacebosscannondown, kKeepClass, kKeep, {true, 9, 3, 0}, 30, kKeep, kKeep, kKeep},
    {"spacesatalite", movespacesatalite, kKeepClass, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterboss", movewaterboss, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbraincell", movewaterbraincell, kKeepClass, kKeep, {true, 7, 2, 0}, 40, kKeep, kKeep, kKeep},
    {"wateryellowfish", movewateryellowfish, kKeepClass, kKeep, {true, 3, 1, 0}, 12, kKeep, kKeep, kKeep},
    {"waterblob", movewaterblob, kKeepClass, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"wateryellowsub", movewateryellowsub, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"waterpurplefish", movewaterpurplefish, kKeepClass, kKeep, {true, 2, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterkewlphish", movewaterkewlphish, kKeepClass, kKeep, {true, 5, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"watergreysub", movewatergreysub, kKeepClass, kKeep, {true, 5, 1, 0}, 12, kKeep, kKeep, kKeep},
    {"waterbuildingoneup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingonedown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingtwoup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingtwodown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingthreeup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingthreedown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfourup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfourdown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfiveup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfivedown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsixup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsixdown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsevenup", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsevendown", movewaterbuilding, kKeepClass, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalbossshot", moveenemyshot, kHitEnemyShot, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"crusher", movecrusher, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalboss", movemetalboss, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, 110},
    {"metalbossgun", movemetalbossgun, kKeepClass, kKeep, {true, 45, 2, 0}, 6, kKeep, 40, 60},
    {"robot", moverobot, kHitHarmless, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, 100},
    {"robothead", moverobothead, kKeepClass, kKeep, {true, 70, 3, 0}, 15, kKeep, kKeep, kKeep},
    {"robotgun", moverobotgun, kKeepClass, kKeep, {true, 80, 3, 0}, 10, kKeep, 50, 50},
    {"metalbluehelicopter", movemetalbluehelicopter, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"metalgreenship", movemetalgreenship, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"radarup", moveradar, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"radardown", moveradar, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"silvercannonup", movesilvercannonup, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"silvercannondown", movesilvercannondown, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"metalopenerup", movemetalopenerup, kKeepClass, kKeep, {true, 4, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalopenerdown", movemetalopenerdown, kKeepClass, kKeep, {true, 4, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"rocketship", moverocketship, kKeepClass, kKeep, {true, 2, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"landwalker", movelandwalker, kKeepClass, kKeep, {true, 2, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"buildingone", movebuildingone, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"cityblimp", movecityblimp, kKeepClass, kKeep, {true, 20, 3, 0}, 18, 6, kKeep, kKeep},
    {"cityfrogship", movecityfrogship, kKeepClass, kKeep, {true, 2, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citybosseyesone", movecityboss, kKeepClass, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyestwo", movecityboss, kKeepClass, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyesthree", movecityboss, kKeepClass, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyesfour", movecityboss, kKeepClass, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"cityboss", movecityboss, kKeepClass, kKeep, {true, 80, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"buildinglights", movebuildinglights, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotone", movesqurmyshot, kHitEnemyShot, kKeep, {true, 3, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshottwo", moveenemyshot, kHitEnemyShot, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotthree", moveenemyshot, kHitEnemyShot, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotfour", moveenemyshot, kHitEnemyShot, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citywhiteship", movecitywhiteship, kKeepClass, kKeep, {true, 2, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citygreenship", movecitygreenship, kKeepClass, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citybluehelicopter", movecitybluehelicopter, kKeepClass, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"housetwo", movehouse, kKeepClass, kKeep, {true, 4, 2, 0}, kKeep, kKeep, kKeep, kKeep},
    {"magiccarpet", movemagiccarpet, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"greendragon", movegreendragon, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"reddragonflying", movereddragonflying, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"smalltower", movesmalltower, kKeepClass, kKeep, {true, 6, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"reddragonwalking", movereddragonwalking, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"neckone", movedragonneckone, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"necktwo", movedragonneckone, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"neckthree", movedragonneckone, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"neckfour", movedragonneckone, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"horse", movehorse, kHitHarmless, kKeep, {true, 1, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"fireball", moveenemyshot, kHitEnemyShot, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"houseone", movehouse, kKeepClass, kKeep, {true, 4, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"catapult", movecatapult, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, 2, kKeep, kKeep},
    {"horsehead", movehorse, kKeepClass, kKeep, {true, 70, 3, 0}, 4, 4, kKeep, kKeep},
    {"horseback", movehorse, kKeepClass, kKeep, {true, 40, 3, 0}, 4, 5, kKeep, kKeep},
    {"bossdragonhead", movedragonhead, kKeepClass, kKeep, {true, 40, 2, 0}, 22, kKeep, kKeep, kKeep},
    {"blimp", moveblimp, kKeepClass, kKeep, {true, 7, 3, 0}, 14, kKeep, kKeep, kKeep},
    {"bigtower", movebigtower, kKeepClass, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"fire", movefire, kHitHarmless, kKeep, {true, 0, 0, 20}, 2, kKeep, kKeep, kKeep},
    {"bossdragon", movebossdragon, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"wizard", movewizard, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"mountainbosseyetwo", movemountainbosseyetwo, kKeepClass, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"mountainbosseye", movemountainbosseye, kKeepClass, kKeep, {true, 0, 0, 3}, 1, 4, kKeep, kKeep},
    {"mountainbosscannonup", movemountainbosscannonup, kKeepClass, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"mountainbosscannondown", movemountainbosscannondown, kKeepClass, kKeep, {true, 1, 1, 0}, 20, kKeep, kKeep, kKeep},
    {"mountainbosseyelid", movemountainbosseyelid, kKeepClass, kKeep, {true, 1, 1, 0}, 10, 1, kKeep, kKeep},
    {"mountainboss", movemountainboss, kKeepClass, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"mountainbossenergyhorizontal", movemountainbossenergyhorizontal, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"mountainbossenergyverticle", movemountainbossenergyverticle, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"mountaincamohelicopter", movemountaincamohelicopter, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hovertank", movehovertank, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hivegreenship", movehivegreenship, kKeepClass, kKeep, {true, 3, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivecannondown", movesilvercannondown, kKeepClass, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"hivecannonup", movesilvercannonup, kKeepClass, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"hivebossshot", movehivebossshot, kKeepClass, kKeep, {true, 3, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hivedown", movehivedown, kKeepClass, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"hiveup", movehiveup, kKeepClass, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"hivetendralsdown", movehivetendralsdown, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hiveboss", movehiveboss, kKeepClass, kKeep, {true, 0, 0, 500}, 15, kKeep, kKeep, kKeep},
    {"hivebeebluefly", movehivebeebluefly, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hivebeeblueattack", movehivebeeblueattack, kKeepClass, kKeep, {true, 1, 2, 0}, 35, kKeep, kKeep, kKeep},
    {"hiveorangeship", movehiveorangeship, kKeepClass, kKeep, {true, 3, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivetendralsup", movehivetendralsup, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hivebeeyellow", movehivebeeyellow, kKeepClass, kKeep, {true, 1, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivebeeyellowattack", movehivebeeyellowattack, kKeepClass, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"caveboss", movecaveboss, kKeepClass, kKeep, {true, 40, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"caveopenerdown", movecaveopenerdown, kKeepClass, kKeep, {true, 4, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"rockexplosion", moverockexplosion, kKeepClass, kKeep, {true, 2, 1, 0}, kKeep, 0, kKeep, kKeep},
    {"caveopenerup", movecaveopenerup, kKeepClass, kKeep, {true, 3, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"cavecannondown", movesilvercannondown, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavetank", movecavetank, kKeepClass, kKeep, {true, 3, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavecannonup", movesilvercannonup, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"caveredship", movecaveredship, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavehelicopter", movecavehelicopter, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalwhiteship", movecrystalwhiteship, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalwhitehelicopter", movecrystalwhitehelicopter, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalredship", movecrystalredship, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalyellowcannonup", movesilvercannonup, kKeepClass, kKeep, {true, 1, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"crysalyellowcannondown", movesilvercannondown, kKeepClass, kKeep, {true, 1, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"crystalbossredverticle", movecrystalbossredverticle, kKeepClass, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbosssilververticle", movecrystalbosssilververticle, kKeepClass, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbosssilverhorizontal", movecrystalbosssilverhorizontal, kKeepClass, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbossredhorizontal", movecrystalbossredhorizontal, kKeepClass, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalopenerdown", movecrystalopenerdown, kKeepClass, kKeep, {true, 0, 0, 1100}, kKeep, kKeep, kKeep, kKeep},
    {"crystalopenerup", movecrystalopenerup, kKeepClass, kKeep, {true, 0, 0, 1100}, kKeep, kKeep, kKeep, kKeep},
    {"crystalblobbig", movecrystalblobbig, kKeepClass, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"crystalyellowship", movecrystalyellowship, kKeepClass, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalblobsmall", movecrystalblobsmall, kKeepClass, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"bluebossright", movebluebossright, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bluebossleft", movebluebossleft, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"redbossleft", moveredbossleft, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bosscannonright", movebosscannonright, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bosscannonleft", movebosscannonleft, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"shieldleft", moveshieldleft, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"shieldshotleft", moveshieldshotleft, kKeepClass, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"background", movebackground, kKeepClass, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshotone", moveenemyshot, kHitEnemyShot, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshottwo", movefinalbossshottwo, kHitEnemyShot, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshotthree", movefinalbossshotthree, kHitEnemyShot, 2, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshell", movefinalbossshell, kKeepClass, kKeep, {true, 100, 4, 0}, 22, kKeep, kKeep, kKeep},
    {"finalbossgunone", movefinalbossgunone, kKeepClass, kKeep, {true, 150, 4, 0}, 11, kKeep, kKeep, kKeep},
    {"finalbossguntwo", movefinalbossguntwo, kKeepClass, kKeep, {true, 70, 4, 0}, 12, kKeep, kKeep, kKeep},
    {"finalbossgunthree", movefinalbossgunthree, kKeepClass, kKeep, {true, 150, 4, 0}, 10, kKeep, kKeep, kKeep},
    {"finalbossgunfour", movefinalbossgunfour, kKeepClass, kKeep, {true, 70, 4, 0}, 13, kKeep, kKeep, kKeep},
    {"finalbossgunfive", movefinalbossgunfive, kKeepClass, kKeep, {true, 70, 4, 0}, 12, kKeep, kKeep, kKeep},
};

}  // namespace
#include <cstring>

#include "state/globals.h"

const RegistryRow* registry_rows(size_t& count) {
    count = sizeof(kRows) / sizeof(kRows[0]);
    return kRows;
}

const RegistryRow* find_registry_row(const char* name) {
    for (const RegistryRow& row : kRows)
        if (std::strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

int registry_hitpoints(const RegistryRow& row, int base, int total) {
    return row.hitpoints.per_base * base + row.hitpoints.per_total * total + row.hitpoints.constant;
}

void set_behaviors() {
    basehitpoints = 3;
    totalpoweruplevel = p1poweruplevel + p2poweruplevel + p1p1poweruplevel + p1p2poweruplevel +
                        p2p1poweruplevel + p2p2poweruplevel - 4;
    basehitpoints += 1;

    for (size_t i = 0; i < Sprite::list_of_master_sprites.size(); ++i) {
        Sprite* s = Sprite::list_of_master_sprites[i];
        s->hitclass = kHitEnemy;
        s->x = 0;
        s->y = 0;
        s->firedelay = 0;
        s->firecount = 0;
        s->framedelay = 0;
        s->framecount = 0;
        s->framenumber = 1;
        s->state = 0;
        s->param1 = s->param2 = s->param3 = s->param4 = s->param5 = 0;
        s->param6 = s->param7 = s->param8 = s->param9 = 0;
        s->reverse = 0;

        const RegistryRow* row = find_registry_row(Sprite::list_of_master_sprite_names[i].c_str());
        if (row == nullptr) continue;
        s->behavior = row->behavior;
        if (row->hitclass != kKeepHitClass) s->hitclass = row->hitclass;
        if (row->damage >= 0) s->damage = row->damage;
        if (row->hitpoints.set) s->hitpoints = registry_hitpoints(*row, basehitpoints, totalpoweruplevel);
        if (row->firedelay >= 0) s->firedelay = row->firedelay;
        if (row->framedelay >= 0) s->framedelay = row->framedelay;
        if (row->param1 >= 0) s->param1 = row->param1;
        if (row->param2 >= 0) s->param2 = row->param2;
    }
}
