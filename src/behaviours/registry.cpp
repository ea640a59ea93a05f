// The fixed table that binds every sprite name to its behaviour and the
// per-type numbers the data files do not carry. Generated once from the design
// table; edit by hand.
#include "behaviours/registry.h"

#include "behaviours/behaviours.h"

namespace {

// -1 in a numeric column means "keep the value after the reset".
constexpr int kKeep = -1;

// Hit points are hp_b * basehitpoints + hp_t * totalpoweruplevel + hp_const;
// a row with has_hp false keeps the loaded value.
const RegistryRow kRows[] = {
    {"playerone", moveplayer1, 2, kKeep, {false, 0, 0, 0}, 1, 5, kKeep, kKeep},
    {"playertwo", moveplayer2, 2, kKeep, {false, 0, 0, 0}, 1, 5, kKeep, kKeep},
    {"shield", moveshield, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"blueshot", movebluelaser, 3, kKeep, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"photon", movephoton, 3, 1, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"photonexplosion", movephotontorpedoex, 3, 5, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"starshot", movestarshot, 3, 1, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"heatseekingmissile", moveheatseekingmissile, 3, 2, {true, 0, 0, 2}, kKeep, kKeep, kKeep, kKeep},
    {"missile", moveredlaser, 3, 1, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"enemyshot", moveenemyshot, 7, 5, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"enemyshottwo", moveenemyshot, 7, 5, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"entranceportal", moveentranceportal, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, 20, kKeep},
    {"exitportal", moveexitportal, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"drone", movedrone, 1, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"smoke", animateterminate, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"powerup", movepowerup, 4, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, kKeep},
    {"bluepowerup", moveweaponpowerup, 5, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 1},
    {"missilepowerup", moveweaponpowerup, 5, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 2},
    {"heatseekerpowerup", moveweaponpowerup, 5, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 3},
    {"photonpowerup", moveweaponpowerup, 5, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 4},
    {"starpowerup", moveweaponpowerup, 5, kKeep, {true, 0, 0, 1}, kKeep, kKeep, kKeep, 5},
    {"standardexplosion", moveexplosion, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"standardexplosionbig", moveexplosion, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"gameover", movegameover, 8, kKeep, {false, 0, 0, 0}, kKeep, 2, kKeep, kKeep},
    {"spaceboss", movespaceboss, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"spacemetiorbig", movespacemeteorbig, kKeep, kKeep, {true, 8, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"spacemetiorsmall", movespacemeteorsmall, kKeep, kKeep, {true, 1, 1, 0}, kKeep, 2, kKeep, kKeep},
    {"spacewhiteship", movespacewhiteship, kKeep, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"spacefrogship", movespacefrogship, kKeep, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"spacegreenship", movespacegreenship, kKeep, kKeep, {true, 1, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"spacebosscannonup", movespacebosscannonup, kKeep, kKeep, {true, 9, 3, 0}, 30, kKeep, kKeep, kKeep},
    {"spacebosscannondown", movespacebosscannondown, kKeep, kKeep, {true, 9, 3, 0}, 30, kKeep, kKeep, kKeep},
    {"spacesatalite", movespacesatalite, kKeep, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterboss", movewaterboss, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbraincell", movewaterbraincell, kKeep, kKeep, {true, 7, 2, 0}, 40, kKeep, kKeep, kKeep},
    {"wateryellowfish", movewateryellowfish, kKeep, kKeep, {true, 3, 1, 0}, 12, kKeep, kKeep, kKeep},
    {"waterblob", movewaterblob, kKeep, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"wateryellowsub", movewateryellowsub, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"waterpurplefish", movewaterpurplefish, kKeep, kKeep, {true, 2, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterkewlphish", movewaterkewlphish, kKeep, kKeep, {true, 5, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"watergreysub", movewatergreysub, kKeep, kKeep, {true, 5, 1, 0}, 12, kKeep, kKeep, kKeep},
    {"waterbuildingoneup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingonedown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingtwoup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingtwodown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingthreeup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingthreedown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfourup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfourdown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfiveup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingfivedown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsixup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsixdown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsevenup", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"waterbuildingsevendown", movewaterbuilding, kKeep, kKeep, {true, 16, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalbossshot", moveenemyshot, 7, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"crusher", movecrusher, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalboss", movemetalboss, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, 110},
    {"metalbossgun", movemetalbossgun, kKeep, kKeep, {true, 45, 2, 0}, 6, kKeep, 40, 60},
    {"robot", moverobot, 8, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, 100},
    {"robothead", moverobothead, kKeep, kKeep, {true, 70, 3, 0}, 15, kKeep, kKeep, kKeep},
    {"robotgun", moverobotgun, kKeep, kKeep, {true, 80, 3, 0}, 10, kKeep, 50, 50},
    {"metalbluehelicopter", movemetalbluehelicopter, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"metalgreenship", movemetalgreenship, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"radarup", moveradar, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"radardown", moveradar, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"silvercannonup", movesilvercannonup, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"silvercannondown", movesilvercannondown, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"metalopenerup", movemetalopenerup, kKeep, kKeep, {true, 4, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"metalopenerdown", movemetalopenerdown, kKeep, kKeep, {true, 4, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"rocketship", moverocketship, kKeep, kKeep, {true, 2, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"landwalker", movelandwalker, kKeep, kKeep, {true, 2, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"buildingone", movebuildingone, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"cityblimp", movecityblimp, kKeep, kKeep, {true, 20, 3, 0}, 18, 6, kKeep, kKeep},
    {"cityfrogship", movecityfrogship, kKeep, kKeep, {true, 2, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citybosseyesone", movecityboss, kKeep, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyestwo", movecityboss, kKeep, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyesthree", movecityboss, kKeep, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"citybosseyesfour", movecityboss, kKeep, kKeep, {true, 0, 0, 20}, 3, kKeep, kKeep, kKeep},
    {"cityboss", movecityboss, kKeep, kKeep, {true, 80, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"buildinglights", movebuildinglights, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotone", movesqurmyshot, 7, kKeep, {true, 3, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshottwo", moveenemyshot, 7, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotthree", moveenemyshot, 7, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citybossshotfour", moveenemyshot, 7, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"citywhiteship", movecitywhiteship, kKeep, kKeep, {true, 2, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citygreenship", movecitygreenship, kKeep, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"citybluehelicopter", movecitybluehelicopter, kKeep, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"housetwo", movehouse, kKeep, kKeep, {true, 4, 2, 0}, kKeep, kKeep, kKeep, kKeep},
    {"magiccarpet", movemagiccarpet, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"greendragon", movegreendragon, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"reddragonflying", movereddragonflying, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"smalltower", movesmalltower, kKeep, kKeep, {true, 6, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"reddragonwalking", movereddragonwalking, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"neckone", movedragonneckone, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"necktwo", movedragonneckone, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"neckthree", movedragonneckone, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"neckfour", movedragonneckone, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"horse", movehorse, 8, kKeep, {true, 1, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"fireball", moveenemyshot, 7, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"houseone", movehouse, kKeep, kKeep, {true, 4, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"catapult", movecatapult, kKeep, kKeep, {true, 1, 1, 0}, kKeep, 2, kKeep, kKeep},
    {"horsehead", movehorse, kKeep, kKeep, {true, 70, 3, 0}, 4, 4, kKeep, kKeep},
    {"horseback", movehorse, kKeep, kKeep, {true, 40, 3, 0}, 4, 5, kKeep, kKeep},
    {"bossdragonhead", movedragonhead, kKeep, kKeep, {true, 40, 2, 0}, 22, kKeep, kKeep, kKeep},
    {"blimp", moveblimp, kKeep, kKeep, {true, 7, 3, 0}, 14, kKeep, kKeep, kKeep},
    {"bigtower", movebigtower, kKeep, kKeep, {true, 8, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"fire", movefire, 8, kKeep, {true, 0, 0, 20}, 2, kKeep, kKeep, kKeep},
    {"bossdragon", movebossdragon, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"wizard", movewizard, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"mountainbosseyetwo", movemountainbosseyetwo, kKeep, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"mountainbosseye", movemountainbosseye, kKeep, kKeep, {true, 0, 0, 3}, 1, 4, kKeep, kKeep},
    {"mountainbosscannonup", movemountainbosscannonup, kKeep, kKeep, {true, 1, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"mountainbosscannondown", movemountainbosscannondown, kKeep, kKeep, {true, 1, 1, 0}, 20, kKeep, kKeep, kKeep},
    {"mountainbosseyelid", movemountainbosseyelid, kKeep, kKeep, {true, 1, 1, 0}, 10, 1, kKeep, kKeep},
    {"mountainboss", movemountainboss, kKeep, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"mountainbossenergyhorizontal", movemountainbossenergyhorizontal, kKeep, kKeep, {true, 1, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"mountainbossenergyverticle", movemountainbossenergyverticle, kKeep, kKeep, {true, 1, 1, 0}, kKeep, 1, kKeep, kKeep},
    {"mountaincamohelicopter", movemountaincamohelicopter, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hovertank", movehovertank, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hivegreenship", movehivegreenship, kKeep, kKeep, {true, 3, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivecannondown", movesilvercannondown, kKeep, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"hivecannonup", movesilvercannonup, kKeep, kKeep, {true, 2, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"hivebossshot", movehivebossshot, kKeep, kKeep, {true, 3, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hivedown", movehivedown, kKeep, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"hiveup", movehiveup, kKeep, kKeep, {true, 3, 1, 0}, 25, kKeep, kKeep, kKeep},
    {"hivetendralsdown", movehivetendralsdown, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hiveboss", movehiveboss, kKeep, kKeep, {true, 0, 0, 500}, 15, kKeep, kKeep, kKeep},
    {"hivebeebluefly", movehivebeebluefly, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"hivebeeblueattack", movehivebeeblueattack, kKeep, kKeep, {true, 1, 2, 0}, 35, kKeep, kKeep, kKeep},
    {"hiveorangeship", movehiveorangeship, kKeep, kKeep, {true, 3, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivetendralsup", movehivetendralsup, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"hivebeeyellow", movehivebeeyellow, kKeep, kKeep, {true, 1, 2, 0}, 30, kKeep, kKeep, kKeep},
    {"hivebeeyellowattack", movehivebeeyellowattack, kKeep, kKeep, {true, 1, 1, 0}, kKeep, kKeep, kKeep, kKeep},
    {"caveboss", movecaveboss, kKeep, kKeep, {true, 40, 3, 0}, kKeep, kKeep, kKeep, kKeep},
    {"caveopenerdown", movecaveopenerdown, kKeep, kKeep, {true, 4, 1, 0}, 22, kKeep, kKeep, kKeep},
    {"rockexplosion", moverockexplosion, kKeep, kKeep, {true, 2, 1, 0}, kKeep, 0, kKeep, kKeep},
    {"caveopenerup", movecaveopenerup, kKeep, kKeep, {true, 3, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"cavecannondown", movesilvercannondown, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavetank", movecavetank, kKeep, kKeep, {true, 3, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavecannonup", movesilvercannonup, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"caveredship", movecaveredship, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"cavehelicopter", movecavehelicopter, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalwhiteship", movecrystalwhiteship, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalwhitehelicopter", movecrystalwhitehelicopter, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalredship", movecrystalredship, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalyellowcannonup", movesilvercannonup, kKeep, kKeep, {true, 1, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"crysalyellowcannondown", movesilvercannondown, kKeep, kKeep, {true, 1, 1, 0}, 30, kKeep, kKeep, kKeep},
    {"crystalbossredverticle", movecrystalbossredverticle, kKeep, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbosssilververticle", movecrystalbosssilververticle, kKeep, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbosssilverhorizontal", movecrystalbosssilverhorizontal, kKeep, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalbossredhorizontal", movecrystalbossredhorizontal, kKeep, kKeep, {true, 20, 1, 0}, 10, 1, kKeep, kKeep},
    {"crystalopenerdown", movecrystalopenerdown, kKeep, kKeep, {true, 0, 0, 1100}, kKeep, kKeep, kKeep, kKeep},
    {"crystalopenerup", movecrystalopenerup, kKeep, kKeep, {true, 0, 0, 1100}, kKeep, kKeep, kKeep, kKeep},
    {"crystalblobbig", movecrystalblobbig, kKeep, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"crystalyellowship", movecrystalyellowship, kKeep, kKeep, {true, 2, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"crystalblobsmall", movecrystalblobsmall, kKeep, kKeep, {true, 1, 1, 0}, 10, kKeep, kKeep, kKeep},
    {"bluebossright", movebluebossright, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bluebossleft", movebluebossleft, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"redbossleft", moveredbossleft, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bosscannonright", movebosscannonright, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"bosscannonleft", movebosscannonleft, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"shieldleft", moveshieldleft, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"shieldshotleft", moveshieldshotleft, kKeep, kKeep, {true, 1, 1, 0}, 35, kKeep, kKeep, kKeep},
    {"background", movebackground, kKeep, kKeep, {false, 0, 0, 0}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshotone", moveenemyshot, 7, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshottwo", movefinalbossshottwo, 7, 3, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshotthree", movefinalbossshotthree, 7, 2, {true, 0, 0, 3}, kKeep, kKeep, kKeep, kKeep},
    {"finalbossshell", movefinalbossshell, kKeep, kKeep, {true, 100, 4, 0}, 22, kKeep, kKeep, kKeep},
    {"finalbossgunone", movefinalbossgunone, kKeep, kKeep, {true, 150, 4, 0}, 11, kKeep, kKeep, kKeep},
    {"finalbossguntwo", movefinalbossguntwo, kKeep, kKeep, {true, 70, 4, 0}, 12, kKeep, kKeep, kKeep},
    {"finalbossgunthree", movefinalbossgunthree, kKeep, kKeep, {true, 150, 4, 0}, 10, kKeep, kKeep, kKeep},
    {"finalbossgunfour", movefinalbossgunfour, kKeep, kKeep, {true, 70, 4, 0}, 13, kKeep, kKeep, kKeep},
    {"finalbossgunfive", movefinalbossgunfive, kKeep, kKeep, {true, 70, 4, 0}, 12, kKeep, kKeep, kKeep},
};

}  // namespace
#include <cstring>

#include "app/globals.h"

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
        s->hitclass = 6;
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
        if (row->hitclass >= 0) s->hitclass = row->hitclass;
        if (row->damage >= 0) s->damage = row->damage;
        if (row->hitpoints.set) s->hitpoints = registry_hitpoints(*row, basehitpoints, totalpoweruplevel);
        if (row->firedelay >= 0) s->firedelay = row->firedelay;
        if (row->framedelay >= 0) s->framedelay = row->framedelay;
        if (row->param1 >= 0) s->param1 = row->param1;
        if (row->param2 >= 0) s->param2 = row->param2;
    }
}
