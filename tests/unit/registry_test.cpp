// The registry checked against itself and against the rules the collision
// tests rely on: every row reaches its master after set_behaviors (its empty
// cells leaving the reset or loaded value), and the classes that pair ships,
// shots and power-ups are where the collision rules look for them. Rows are
// read from the registry, so a new row needs no edit here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "behaviours/behaviours.h"
#include "behaviours/registry.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"

namespace {

constexpr int kKeep = -1;

int or_else(int value, int otherwise) { return value == kKeep ? otherwise : value; }

constexpr int n = kKeep;  // an empty cell: the value after the reset, or as loaded
constexpr HitClass k = kKeepHitClass;

struct Expected {
    const char* names;  // the names sharing this row, separated by spaces
    Behavior behavior;
    HitClass hitclass;  // kKeepHitClass: the reset's
    int damage;
    const char* hitpoints;  // in terms of B and T, as "8B+T"; empty: as loaded
    int firedelay, framedelay, param1, param2;
};

// The design of the shipped sprites, kept apart from the registry so that an
// edit to one of their rows is noticed; a new row needs no line here.
const Expected kTable[] = {
    {"playerone", moveplayer1, kHitPlayerShip, n, "", 1, 5, n, n},
    {"playertwo", moveplayer2, kHitPlayerShip, n, "", 1, 5, n, n},
    {"shield", moveshield, kHitHarmless, n, "", n, n, n, n},
    {"blueshot", movebluelaser, kHitPlayerShot, n, "2", n, n, n, n},
    {"photon", movephoton, kHitPlayerShot, 1, "2", n, n, n, n},
    {"photonexplosion", movephotontorpedoex, kHitPlayerShot, 5, "", n, n, n, n},
    {"starshot", movestarshot, kHitPlayerShot, 1, "1", n, n, n, n},
    {"heatseekingmissile", moveheatseekingmissile, kHitPlayerShot, 2, "2", n, n, n, n},
    {"missile", moveredlaser, kHitPlayerShot, 1, "1", n, n, n, n},
    {"enemyshot enemyshottwo", moveenemyshot, kHitEnemyShot, 5, "3", n, n, n, n},
    {"entranceportal", moveentranceportal, kHitHarmless, n, "", n, n, 20, n},
    {"exitportal", moveexitportal, kHitHarmless, n, "", n, n, n, n},
    {"drone", movedrone, kHitDrone, n, "", n, n, n, n},
    {"smoke", animateterminate, kHitHarmless, n, "", n, n, n, n},
    {"powerup", movepowerup, kHitScorePowerup, n, "1", n, n, n, n},
    {"bluepowerup", moveweaponpowerup, kHitWeaponPowerup, n, "1", n, n, n, 1},
    {"missilepowerup", moveweaponpowerup, kHitWeaponPowerup, n, "1", n, n, n, 2},
    {"heatseekerpowerup", moveweaponpowerup, kHitWeaponPowerup, n, "1", n, n, n, 3},
    {"photonpowerup", moveweaponpowerup, kHitWeaponPowerup, n, "1", n, n, n, 4},
    {"starpowerup", moveweaponpowerup, kHitWeaponPowerup, n, "1", n, n, n, 5},
    {"standardexplosion standardexplosionbig", moveexplosion, kHitHarmless, n, "", n, n, n, n},
    {"gameover", movegameover, kHitHarmless, n, "", n, 2, n, n},
    {"spaceboss", movespaceboss, k, n, "", n, n, n, n},
    {"spacemetiorbig", movespacemeteorbig, k, n, "8B+T", n, 1, n, n},
    {"spacemetiorsmall", movespacemeteorsmall, k, n, "B+T", n, 2, n, n},
    {"spacewhiteship", movespacewhiteship, k, n, "3B+T", 25, n, n, n},
    {"spacefrogship", movespacefrogship, k, n, "2B+T", 30, n, n, n},
    {"spacegreenship", movespacegreenship, k, n, "B+T", 25, n, n, n},
    {"spacebosscannonup", movespacebosscannonup, k, n, "9B+3T", 30, n, n, n},
    {"spacebosscannondown", movespacebosscannondown, k, n, "9B+3T", 30, n, n, n},
    {"spacesatalite", movespacesatalite, k, n, "8B+T", n, n, n, n},
    {"waterboss", movewaterboss, k, n, "", n, n, n, n},
    {"waterbraincell", movewaterbraincell, k, n, "7B+2T", 40, n, n, n},
    {"wateryellowfish", movewateryellowfish, k, n, "3B+T", 12, n, n, n},
    {"waterblob", movewaterblob, k, n, "8B+T", n, n, n, n},
    {"wateryellowsub", movewateryellowsub, k, n, "2B+T", 35, n, n, n},
    {"waterpurplefish", movewaterpurplefish, k, n, "2B+T", n, n, n, n},
    {"waterkewlphish", movewaterkewlphish, k, n, "5B+T", n, n, n, n},
    {"watergreysub", movewatergreysub, k, n, "5B+T", 12, n, n, n},
    {"waterbuildingoneup waterbuildingonedown waterbuildingtwoup waterbuildingtwodown "
     "waterbuildingthreeup waterbuildingthreedown waterbuildingfourup waterbuildingfourdown "
     "waterbuildingfiveup waterbuildingfivedown waterbuildingsixup waterbuildingsixdown "
     "waterbuildingsevenup waterbuildingsevendown",
     movewaterbuilding, k, n, "16B+T", n, n, n, n},
    {"metalbossshot", moveenemyshot, kHitEnemyShot, n, "", n, n, n, n},
    {"crusher", movecrusher, k, n, "", n, n, n, n},
    {"metalboss", movemetalboss, kHitHarmless, n, "", n, n, n, 110},
    {"metalbossgun", movemetalbossgun, k, n, "45B+2T", 6, n, 40, 60},
    {"robot", moverobot, kHitHarmless, n, "", n, n, n, 100},
    {"robothead", moverobothead, k, n, "70B+3T", 15, n, n, n},
    {"robotgun", moverobotgun, k, n, "80B+3T", 10, n, 50, 50},
    {"metalbluehelicopter", movemetalbluehelicopter, k, n, "2B+T", 35, n, n, n},
    {"metalgreenship", movemetalgreenship, k, n, "B+T", 35, n, n, n},
    {"radarup radardown", moveradar, k, n, "B+T", n, n, n, n},
    {"silvercannonup", movesilvercannonup, k, n, "B+T", 35, n, n, n},
    {"silvercannondown", movesilvercannondown, k, n, "B+T", 35, n, n, n},
    {"metalopenerup", movemetalopenerup, k, n, "4B+T", n, n, n, n},
    {"metalopenerdown", movemetalopenerdown, k, n, "4B+T", n, n, n, n},
    {"rocketship", moverocketship, k, n, "2B+T", n, n, n, n},
    {"landwalker", movelandwalker, k, n, "2B+T", 25, n, n, n},
    {"buildingone", movebuildingone, k, n, "", n, n, n, n},
    {"cityblimp", movecityblimp, k, n, "20B+3T", 18, 6, n, n},
    {"cityfrogship", movecityfrogship, k, n, "2B+T", 22, n, n, n},
    {"citybosseyesone citybosseyestwo citybosseyesthree citybosseyesfour",
     movecityboss, k, n, "20", 3, n, n, n},
    {"cityboss", movecityboss, k, n, "80B+T", 22, n, n, n},
    {"buildinglights", movebuildinglights, k, n, "B+T", n, n, n, n},
    {"citybossshotone", movesqurmyshot, kHitEnemyShot, n, "3B+T", n, n, n, n},
    {"citybossshottwo citybossshotthree citybossshotfour", moveenemyshot, kHitEnemyShot, 3, "3", n, n, n, n},
    {"citywhiteship", movecitywhiteship, k, n, "2B+T", 22, n, n, n},
    {"citygreenship", movecitygreenship, k, n, "B+T", 22, n, n, n},
    {"citybluehelicopter", movecitybluehelicopter, k, n, "B+T", 22, n, n, n},
    {"housetwo", movehouse, k, n, "4B+2T", n, n, n, n},
    {"magiccarpet", movemagiccarpet, k, n, "2B+T", 35, n, n, n},
    {"greendragon", movegreendragon, k, n, "2B+T", 35, n, n, n},
    {"reddragonflying", movereddragonflying, k, n, "2B+T", 35, n, n, n},
    {"smalltower", movesmalltower, k, n, "6B+T", n, n, n, n},
    {"reddragonwalking", movereddragonwalking, k, n, "2B+T", 35, n, n, n},
    {"neckone necktwo neckthree neckfour", movedragonneckone, k, n, "B+T", n, n, n, n},
    {"horse", movehorse, kHitHarmless, n, "B+3T", n, n, n, n},
    {"fireball", moveenemyshot, kHitEnemyShot, n, "B+T", n, n, n, n},
    {"houseone", movehouse, k, n, "4B+3T", n, n, n, n},
    {"catapult", movecatapult, k, n, "B+T", n, 2, n, n},
    {"horsehead", movehorse, k, n, "70B+3T", 4, 4, n, n},
    {"horseback", movehorse, k, n, "40B+3T", 4, 5, n, n},
    {"bossdragonhead", movedragonhead, k, n, "40B+2T", 22, n, n, n},
    {"blimp", moveblimp, k, n, "7B+3T", 14, n, n, n},
    {"bigtower", movebigtower, k, n, "8B+T", n, n, n, n},
    {"fire", movefire, kHitHarmless, n, "20", 2, n, n, n},
    {"bossdragon", movebossdragon, k, n, "B+T", n, n, n, n},
    {"wizard", movewizard, k, n, "B+T", n, n, n, n},
    {"mountainbosseyetwo", movemountainbosseyetwo, k, n, "B+T", 10, n, n, n},
    {"mountainbosseye", movemountainbosseye, k, n, "3", 1, 4, n, n},
    {"mountainbosscannonup", movemountainbosscannonup, k, n, "B+T", 22, n, n, n},
    {"mountainbosscannondown", movemountainbosscannondown, k, n, "B+T", 20, n, n, n},
    {"mountainbosseyelid", movemountainbosseyelid, k, n, "B+T", 10, 1, n, n},
    {"mountainboss", movemountainboss, k, n, "B+T", 10, n, n, n},
    {"mountainbossenergyhorizontal", movemountainbossenergyhorizontal, k, n, "B+T", n, 1, n, n},
    {"mountainbossenergyverticle", movemountainbossenergyverticle, k, n, "B+T", n, 1, n, n},
    {"mountaincamohelicopter", movemountaincamohelicopter, k, n, "2B+T", 35, n, n, n},
    {"hovertank", movehovertank, k, n, "2B+T", 35, n, n, n},
    {"hivegreenship", movehivegreenship, k, n, "3B+2T", 30, n, n, n},
    {"hivecannondown", movesilvercannondown, k, n, "2B+T", 30, n, n, n},
    {"hivecannonup", movesilvercannonup, k, n, "2B+T", 30, n, n, n},
    {"hivebossshot", movehivebossshot, k, n, "3B+T", n, n, n, n},
    {"hivedown", movehivedown, k, n, "3B+T", 25, n, n, n},
    {"hiveup", movehiveup, k, n, "3B+T", 25, n, n, n},
    {"hivetendralsdown", movehivetendralsdown, k, n, "", n, n, n, n},
    {"hiveboss", movehiveboss, k, n, "500", 15, n, n, n},
    {"hivebeebluefly", movehivebeebluefly, k, n, "B+T", 35, n, n, n},
    {"hivebeeblueattack", movehivebeeblueattack, k, n, "B+2T", 35, n, n, n},
    {"hiveorangeship", movehiveorangeship, k, n, "3B+2T", 30, n, n, n},
    {"hivetendralsup", movehivetendralsup, k, n, "", n, n, n, n},
    {"hivebeeyellow", movehivebeeyellow, k, n, "B+2T", 30, n, n, n},
    {"hivebeeyellowattack", movehivebeeyellowattack, k, n, "B+T", n, n, n, n},
    {"caveboss", movecaveboss, k, n, "40B+3T", n, n, n, n},
    {"caveopenerdown", movecaveopenerdown, k, n, "4B+T", 22, n, n, n},
    {"rockexplosion", moverockexplosion, k, n, "2B+T", n, 0, n, n},
    {"caveopenerup", movecaveopenerup, k, n, "3B+T", 10, n, n, n},
    {"cavecannondown", movesilvercannondown, k, n, "B+T", 35, n, n, n},
    {"cavetank", movecavetank, k, n, "3B+T", 35, n, n, n},
    {"cavecannonup", movesilvercannonup, k, n, "B+T", 35, n, n, n},
    {"caveredship", movecaveredship, k, n, "B+T", 35, n, n, n},
    {"cavehelicopter", movecavehelicopter, k, n, "2B+T", 35, n, n, n},
    {"crystalwhiteship", movecrystalwhiteship, k, n, "B+T", 35, n, n, n},
    {"crystalwhitehelicopter", movecrystalwhitehelicopter, k, n, "B+T", 35, n, n, n},
    {"crystalredship", movecrystalredship, k, n, "B+T", 35, n, n, n},
    {"crystalyellowcannonup", movesilvercannonup, k, n, "B+T", 30, n, n, n},
    {"crysalyellowcannondown", movesilvercannondown, k, n, "B+T", 30, n, n, n},
    {"crystalbossredverticle", movecrystalbossredverticle, k, n, "20B+T", 10, 1, n, n},
    {"crystalbosssilververticle", movecrystalbosssilververticle, k, n, "20B+T", 10, 1, n, n},
    {"crystalbosssilverhorizontal", movecrystalbosssilverhorizontal, k, n, "20B+T", 10, 1, n, n},
    {"crystalbossredhorizontal", movecrystalbossredhorizontal, k, n, "20B+T", 10, 1, n, n},
    {"crystalopenerdown", movecrystalopenerdown, k, n, "1100", n, n, n, n},
    {"crystalopenerup", movecrystalopenerup, k, n, "1100", n, n, n, n},
    {"crystalblobbig", movecrystalblobbig, k, n, "B+T", 10, n, n, n},
    {"crystalyellowship", movecrystalyellowship, k, n, "2B+T", 35, n, n, n},
    {"crystalblobsmall", movecrystalblobsmall, k, n, "B+T", 10, n, n, n},
    {"bluebossright", movebluebossright, k, n, "B+T", 35, n, n, n},
    {"bluebossleft", movebluebossleft, k, n, "B+T", 35, n, n, n},
    {"redbossleft", moveredbossleft, k, n, "B+T", 35, n, n, n},
    {"bosscannonright", movebosscannonright, k, n, "B+T", 35, n, n, n},
    {"bosscannonleft", movebosscannonleft, k, n, "B+T", 35, n, n, n},
    {"shieldleft", moveshieldleft, k, n, "B+T", 35, n, n, n},
    {"shieldshotleft", moveshieldshotleft, k, n, "B+T", 35, n, n, n},
    {"background", movebackground, k, n, "", n, n, n, n},
    {"finalbossshotone", moveenemyshot, kHitEnemyShot, 3, "3", n, n, n, n},
    {"finalbossshottwo", movefinalbossshottwo, kHitEnemyShot, 3, "3", n, n, n, n},
    {"finalbossshotthree", movefinalbossshotthree, kHitEnemyShot, 2, "3", n, n, n, n},
    {"finalbossshell", movefinalbossshell, k, n, "100B+4T", 22, n, n, n},
    {"finalbossgunone", movefinalbossgunone, k, n, "150B+4T", 11, n, n, n},
    {"finalbossguntwo", movefinalbossguntwo, k, n, "70B+4T", 12, n, n, n},
    {"finalbossgunthree", movefinalbossgunthree, k, n, "150B+4T", 10, n, n, n},
    {"finalbossgunfour", movefinalbossgunfour, k, n, "70B+4T", 13, n, n, n},
    {"finalbossgunfive", movefinalbossgunfive, k, n, "70B+4T", 12, n, n, n},
};

std::vector<std::string> names_of(const Expected& row) {
    std::istringstream in(row.names);
    std::vector<std::string> names;
    for (std::string name; in >> name;) names.push_back(name);
    return names;
}

// "70B+3T" with B and T given; terms without a letter are constants.
int hit_points(const std::string& formula, int b, int t) {
    int total = 0;
    std::istringstream in(formula);
    for (std::string term; std::getline(in, term, '+');) {
        const char unit = term.back();
        if (unit != 'B' && unit != 'T') {
            total += std::atoi(term.c_str());
            continue;
        }
        const int factor = term.size() == 1 ? 1 : std::atoi(term.c_str());
        total += factor * (unit == 'B' ? b : t);
    }
    return total;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { clear_sprites(); }
    void TearDown() override {
        clear_sprites();
        reset_globals_to_program_start();
    }
};

TEST_F(Registry, EveryMasterGetsItsRow) {
    constexpr int kLoaded = 9;  // damage and hit points as a definition file gave them
    constexpr int kStale = 77;  // what set_behaviors must reset
    size_t count = 0;
    const RegistryRow* rows = registry_rows(count);
    ASSERT_GT(count, 0u);
    std::set<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(names.insert(rows[i].name).second) << rows[i].name << " is in two rows";
        EXPECT_NE(rows[i].behavior, nullptr) << rows[i].name;
        Sprite* m = make_master(rows[i].name, 1, 4, 4);
        m->damage = m->hitpoints = kLoaded;
        m->firedelay = m->framedelay = m->param1 = m->param2 = m->hitclass = kStale;
    }
    Sprite* scenery = make_master("scenerypiece", 1, 4, 4);
    scenery->damage = scenery->hitpoints = kLoaded;

    // The weapon levels of the moment decide T; B is always 4.
    p1poweruplevel = 5;
    p2poweruplevel = 3;
    p1p1poweruplevel = 2;
    p1p2poweruplevel = p2p1poweruplevel = p2p2poweruplevel = 1;
    const int b = 4, t = 5 + 3 + 2 + 1 + 1 + 1 - 4;
    set_behaviors();
    EXPECT_EQ(basehitpoints, b);
    EXPECT_EQ(totalpoweruplevel, t);

    for (size_t i = 0; i < count; ++i) {
        const RegistryRow& row = rows[i];
        SCOPED_TRACE(row.name);
        const Sprite* m = Sprite::getnamedsprite(row.name);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->behavior, row.behavior);
        EXPECT_EQ(m->hitclass, row.hitclass == kKeepHitClass ? kHitEnemy : row.hitclass);
        EXPECT_EQ(m->damage, or_else(row.damage, kLoaded));
        const auto& hp = row.hitpoints;
        EXPECT_EQ(m->hitpoints, hp.set ? hp.per_base * b + hp.per_total * t + hp.constant : kLoaded);
        EXPECT_EQ(m->firedelay, or_else(row.firedelay, 0));
        EXPECT_EQ(m->framedelay, or_else(row.framedelay, 0));
        EXPECT_EQ(m->param1, or_else(row.param1, 0));
        EXPECT_EQ(m->param2, or_else(row.param2, 0));
    }
    // A name outside the table: an inert enemy.
    EXPECT_EQ(scenery->behavior, nullptr);
    EXPECT_EQ(scenery->hitclass, kHitEnemy);
    EXPECT_EQ(scenery->hitpoints, kLoaded);
}

TEST_F(Registry, TheShippedRowsKeepTheirDesign) {
    const int b = 4, t = 7;
    for (const Expected& want : kTable)
        for (const std::string& name : names_of(want)) {
            SCOPED_TRACE(name);
            const RegistryRow* row = find_registry_row(name.c_str());
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->behavior, want.behavior);
            EXPECT_EQ(row->hitclass, want.hitclass);
            EXPECT_EQ(row->damage, want.damage);
            EXPECT_EQ(row->hitpoints.set, *want.hitpoints != 0);
            if (row->hitpoints.set) {
                EXPECT_EQ(registry_hitpoints(*row, b, t), hit_points(want.hitpoints, b, t));
            }
            EXPECT_EQ(row->firedelay, want.firedelay);
            EXPECT_EQ(row->framedelay, want.framedelay);
            EXPECT_EQ(row->param1, want.param1);
            EXPECT_EQ(row->param2, want.param2);
        }
}

TEST(RegistryClasses, EveryRowOfABehaviourIsInTheClassTheCollisionRulesExpect) {
    // A ship meets enemy shots, enemies and power-ups; a player's shot meets
    // enemies; nothing asks for harmless sprites.
    const std::pair<Behavior, HitClass> kRules[] = {
        {moveplayer1, kHitPlayerShip},        {moveplayer2, kHitPlayerShip},
        {movebluelaser, kHitPlayerShot},      {movephoton, kHitPlayerShot},
        {movephotontorpedoex, kHitPlayerShot}, {movestarshot, kHitPlayerShot},
        {moveheatseekingmissile, kHitPlayerShot}, {moveredlaser, kHitPlayerShot},
        {movedrone, kHitDrone},               {movepowerup, kHitScorePowerup},
        {moveweaponpowerup, kHitWeaponPowerup}, {moveenemyshot, kHitEnemyShot},
        {movesqurmyshot, kHitEnemyShot},      {moveexplosion, kHitHarmless},
        {animateterminate, kHitHarmless},     {moveshield, kHitHarmless},
        {moveentranceportal, kHitHarmless},   {moveexitportal, kHitHarmless},
        {movegameover, kHitHarmless},         {movefire, kHitHarmless},
    };
    size_t count = 0;
    const RegistryRow* rows = registry_rows(count);
    for (const auto& [behavior, hit_class] : kRules) {
        int seen = 0;
        for (size_t i = 0; i < count; ++i)
            if (rows[i].behavior == behavior) {
                EXPECT_EQ(rows[i].hitclass, hit_class) << rows[i].name;
                ++seen;
            }
        EXPECT_GT(seen, 0) << "a rule for a behaviour no row has";
    }
    // Bodies whose parts take the hits are out of reach themselves.
    for (const char* body : {"metalboss", "robot", "horse"}) {
        const RegistryRow* row = find_registry_row(body);
        ASSERT_NE(row, nullptr) << body;
        EXPECT_EQ(row->hitclass, kHitHarmless) << body;
    }
}

}  // namespace
