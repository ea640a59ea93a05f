// The registry checked row by row: every master of the table, after
// set_behaviors, against what the design table gives it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "behaviours/behaviours.h"
#include "behaviours/registry.h"
#include "support/sprite_fixtures.h"

namespace {

constexpr int n = -1;  // an empty cell: the value after the reset, or as loaded

struct Expected {
    const char* names;  // the names sharing this row, separated by spaces
    Behavior behavior;
    int hitclass, damage;
    const char* hitpoints;  // in terms of B and T, as "8B+T"; empty: as loaded
    int firedelay, framedelay, param1, param2;
};

const Expected kTable[] = {
    {"playerone", moveplayer1, 2, n, "", 1, 5, n, n},
    {"playertwo", moveplayer2, 2, n, "", 1, 5, n, n},
    {"shield", moveshield, 8, n, "", n, n, n, n},
    {"blueshot", movebluelaser, 3, n, "2", n, n, n, n},
    {"photon", movephoton, 3, 1, "2", n, n, n, n},
    {"photonexplosion", movephotontorpedoex, 3, 5, "", n, n, n, n},
    {"starshot", movestarshot, 3, 1, "1", n, n, n, n},
    {"heatseekingmissile", moveheatseekingmissile, 3, 2, "2", n, n, n, n},
    {"missile", moveredlaser, 3, 1, "1", n, n, n, n},
    {"enemyshot enemyshottwo", moveenemyshot, 7, 5, "3", n, n, n, n},
    {"entranceportal", moveentranceportal, 8, n, "", n, n, 20, n},
    {"exitportal", moveexitportal, 8, n, "", n, n, n, n},
    {"drone", movedrone, 1, n, "", n, n, n, n},
    {"smoke", animateterminate, 8, n, "", n, n, n, n},
    {"powerup", movepowerup, 4, n, "1", n, n, n, n},
    {"bluepowerup", moveweaponpowerup, 5, n, "1", n, n, n, 1},
    {"missilepowerup", moveweaponpowerup, 5, n, "1", n, n, n, 2},
    {"heatseekerpowerup", moveweaponpowerup, 5, n, "1", n, n, n, 3},
    {"photonpowerup", moveweaponpowerup, 5, n, "1", n, n, n, 4},
    {"starpowerup", moveweaponpowerup, 5, n, "1", n, n, n, 5},
    {"standardexplosion standardexplosionbig", moveexplosion, 8, n, "", n, n, n, n},
    {"gameover", movegameover, 8, n, "", n, 2, n, n},
    {"spaceboss", movespaceboss, n, n, "", n, n, n, n},
    {"spacemetiorbig", movespacemeteorbig, n, n, "8B+T", n, 1, n, n},
    {"spacemetiorsmall", movespacemeteorsmall, n, n, "B+T", n, 2, n, n},
    {"spacewhiteship", movespacewhiteship, n, n, "3B+T", 25, n, n, n},
    {"spacefrogship", movespacefrogship, n, n, "2B+T", 30, n, n, n},
    {"spacegreenship", movespacegreenship, n, n, "B+T", 25, n, n, n},
    {"spacebosscannonup", movespacebosscannonup, n, n, "9B+3T", 30, n, n, n},
    {"spacebosscannondown", movespacebosscannondown, n, n, "9B+3T", 30, n, n, n},
    {"spacesatalite", movespacesatalite, n, n, "8B+T", n, n, n, n},
    {"waterboss", movewaterboss, n, n, "", n, n, n, n},
    {"waterbraincell", movewaterbraincell, n, n, "7B+2T", 40, n, n, n},
    {"wateryellowfish", movewateryellowfish, n, n, "3B+T", 12, n, n, n},
    {"waterblob", movewaterblob, n, n, "8B+T", n, n, n, n},
    {"wateryellowsub", movewateryellowsub, n, n, "2B+T", 35, n, n, n},
    {"waterpurplefish", movewaterpurplefish, n, n, "2B+T", n, n, n, n},
    {"waterkewlphish", movewaterkewlphish, n, n, "5B+T", n, n, n, n},
    {"watergreysub", movewatergreysub, n, n, "5B+T", 12, n, n, n},
    {"waterbuildingoneup waterbuildingonedown waterbuildingtwoup waterbuildingtwodown "
     "waterbuildingthreeup waterbuildingthreedown waterbuildingfourup waterbuildingfourdown "
     "waterbuildingfiveup waterbuildingfivedown waterbuildingsixup waterbuildingsixdown "
     "waterbuildingsevenup waterbuildingsevendown",
     movewaterbuilding, n, n, "16B+T", n, n, n, n},
    {"metalbossshot", moveenemyshot, 7, n, "", n, n, n, n},
    {"crusher", movecrusher, n, n, "", n, n, n, n},
    {"metalboss", movemetalboss, 8, n, "", n, n, n, 110},
    {"metalbossgun", movemetalbossgun, n, n, "45B+2T", 6, n, 40, 60},
    {"robot", moverobot, 8, n, "", n, n, n, 100},
    {"robothead", moverobothead, n, n, "70B+3T", 15, n, n, n},
    {"robotgun", moverobotgun, n, n, "80B+3T", 10, n, 50, 50},
    {"metalbluehelicopter", movemetalbluehelicopter, n, n, "2B+T", 35, n, n, n},
    {"metalgreenship", movemetalgreenship, n, n, "B+T", 35, n, n, n},
    {"radarup radardown", moveradar, n, n, "B+T", n, n, n, n},
    {"silvercannonup", movesilvercannonup, n, n, "B+T", 35, n, n, n},
    {"silvercannondown", movesilvercannondown, n, n, "B+T", 35, n, n, n},
    {"metalopenerup", movemetalopenerup, n, n, "4B+T", n, n, n, n},
    {"metalopenerdown", movemetalopenerdown, n, n, "4B+T", n, n, n, n},
    {"rocketship", moverocketship, n, n, "2B+T", n, n, n, n},
    {"landwalker", movelandwalker, n, n, "2B+T", 25, n, n, n},
    {"buildingone", movebuildingone, n, n, "", n, n, n, n},
    {"cityblimp", movecityblimp, n, n, "20B+3T", 18, 6, n, n},
    {"cityfrogship", movecityfrogship, n, n, "2B+T", 22, n, n, n},
    {"citybosseyesone citybosseyestwo citybosseyesthree citybosseyesfour",
     movecityboss, n, n, "20", 3, n, n, n},
    {"cityboss", movecityboss, n, n, "80B+T", 22, n, n, n},
    {"buildinglights", movebuildinglights, n, n, "B+T", n, n, n, n},
    {"citybossshotone", movesqurmyshot, 7, n, "3B+T", n, n, n, n},
    {"citybossshottwo citybossshotthree citybossshotfour", moveenemyshot, 7, 3, "3", n, n, n, n},
    {"citywhiteship", movecitywhiteship, n, n, "2B+T", 22, n, n, n},
    {"citygreenship", movecitygreenship, n, n, "B+T", 22, n, n, n},
    {"citybluehelicopter", movecitybluehelicopter, n, n, "B+T", 22, n, n, n},
    {"housetwo", movehouse, n, n, "4B+2T", n, n, n, n},
    {"magiccarpet", movemagiccarpet, n, n, "2B+T", 35, n, n, n},
    {"greendragon", movegreendragon, n, n, "2B+T", 35, n, n, n},
    {"reddragonflying", movereddragonflying, n, n, "2B+T", 35, n, n, n},
    {"smalltower", movesmalltower, n, n, "6B+T", n, n, n, n},
    {"reddragonwalking", movereddragonwalking, n, n, "2B+T", 35, n, n, n},
    {"neckone necktwo neckthree neckfour", movedragonneckone, n, n, "B+T", n, n, n, n},
    {"horse", movehorse, 8, n, "B+3T", n, n, n, n},
    {"fireball", moveenemyshot, 7, n, "B+T", n, n, n, n},
    {"houseone", movehouse, n, n, "4B+3T", n, n, n, n},
    {"catapult", movecatapult, n, n, "B+T", n, 2, n, n},
    {"horsehead", movehorse, n, n, "70B+3T", 4, 4, n, n},
    {"horseback", movehorse, n, n, "40B+3T", 4, 5, n, n},
    {"bossdragonhead", movedragonhead, n, n, "40B+2T", 22, n, n, n},
    {"blimp", moveblimp, n, n, "7B+3T", 14, n, n, n},
    {"bigtower", movebigtower, n, n, "8B+T", n, n, n, n},
    {"fire", movefire, 8, n, "20", 2, n, n, n},
    {"bossdragon", movebossdragon, n, n, "B+T", n, n, n, n},
    {"wizard", movewizard, n, n, "B+T", n, n, n, n},
    {"mountainbosseyetwo", movemountainbosseyetwo, n, n, "B+T", 10, n, n, n},
    {"mountainbosseye", movemountainbosseye, n, n, "3", 1, 4, n, n},
    {"mountainbosscannonup", movemountainbosscannonup, n, n, "B+T", 22, n, n, n},
    {"mountainbosscannondown", movemountainbosscannondown, n, n, "B+T", 20, n, n, n},
    {"mountainbosseyelid", movemountainbosseyelid, n, n, "B+T", 10, 1, n, n},
    {"mountainboss", movemountainboss, n, n, "B+T", 10, n, n, n},
    {"mountainbossenergyhorizontal", movemountainbossenergyhorizontal, n, n, "B+T", n, 1, n, n},
    {"mountainbossenergyverticle", movemountainbossenergyverticle, n, n, "B+T", n, 1, n, n},
    {"mountaincamohelicopter", movemountaincamohelicopter, n, n, "2B+T", 35, n, n, n},
    {"hovertank", movehovertank, n, n, "2B+T", 35, n, n, n},
    {"hivegreenship", movehivegreenship, n, n, "3B+2T", 30, n, n, n},
    {"hivecannondown", movesilvercannondown, n, n, "2B+T", 30, n, n, n},
    {"hivecannonup", movesilvercannonup, n, n, "2B+T", 30, n, n, n},
    {"hivebossshot", movehivebossshot, n, n, "3B+T", n, n, n, n},
    {"hivedown", movehivedown, n, n, "3B+T", 25, n, n, n},
    {"hiveup", movehiveup, n, n, "3B+T", 25, n, n, n},
    {"hivetendralsdown", movehivetendralsdown, n, n, "", n, n, n, n},
    {"hiveboss", movehiveboss, n, n, "500", 15, n, n, n},
    {"hivebeebluefly", movehivebeebluefly, n, n, "B+T", 35, n, n, n},
    {"hivebeeblueattack", movehivebeeblueattack, n, n, "B+2T", 35, n, n, n},
    {"hiveorangeship", movehiveorangeship, n, n, "3B+2T", 30, n, n, n},
    {"hivetendralsup", movehivetendralsup, n, n, "", n, n, n, n},
    {"hivebeeyellow", movehivebeeyellow, n, n, "B+2T", 30, n, n, n},
    {"hivebeeyellowattack", movehivebeeyellowattack, n, n, "B+T", n, n, n, n},
    {"caveboss", movecaveboss, n, n, "40B+3T", n, n, n, n},
    {"caveopenerdown", movecaveopenerdown, n, n, "4B+T", 22, n, n, n},
    {"rockexplosion", moverockexplosion, n, n, "2B+T", n, 0, n, n},
    {"caveopenerup", movecaveopenerup, n, n, "3B+T", 10, n, n, n},
    {"cavecannondown", movesilvercannondown, n, n, "B+T", 35, n, n, n},
    {"cavetank", movecavetank, n, n, "3B+T", 35, n, n, n},
    {"cavecannonup", movesilvercannonup, n, n, "B+T", 35, n, n, n},
    {"caveredship", movecaveredship, n, n, "B+T", 35, n, n, n},
    {"cavehelicopter", movecavehelicopter, n, n, "2B+T", 35, n, n, n},
    {"crystalwhiteship", movecrystalwhiteship, n, n, "B+T", 35, n, n, n},
    {"crystalwhitehelicopter", movecrystalwhitehelicopter, n, n, "B+T", 35, n, n, n},
    {"crystalredship", movecrystalredship, n, n, "B+T", 35, n, n, n},
    {"crystalyellowcannonup", movesilvercannonup, n, n, "B+T", 30, n, n, n},
    {"crysalyellowcannondown", movesilvercannondown, n, n, "B+T", 30, n, n, n},
    {"crystalbossredverticle", movecrystalbossredverticle, n, n, "20B+T", 10, 1, n, n},
    {"crystalbosssilververticle", movecrystalbosssilververticle, n, n, "20B+T", 10, 1, n, n},
    {"crystalbosssilverhorizontal", movecrystalbosssilverhorizontal, n, n, "20B+T", 10, 1, n, n},
    {"crystalbossredhorizontal", movecrystalbossredhorizontal, n, n, "20B+T", 10, 1, n, n},
    {"crystalopenerdown", movecrystalopenerdown, n, n, "1100", n, n, n, n},
    {"crystalopenerup", movecrystalopenerup, n, n, "1100", n, n, n, n},
    {"crystalblobbig", movecrystalblobbig, n, n, "B+T", 10, n, n, n},
    {"crystalyellowship", movecrystalyellowship, n, n, "2B+T", 35, n, n, n},
    {"crystalblobsmall", movecrystalblobsmall, n, n, "B+T", 10, n, n, n},
    {"bluebossright", movebluebossright, n, n, "B+T", 35, n, n, n},
    {"bluebossleft", movebluebossleft, n, n, "B+T", 35, n, n, n},
    {"redbossleft", moveredbossleft, n, n, "B+T", 35, n, n, n},
    {"bosscannonright", movebosscannonright, n, n, "B+T", 35, n, n, n},
    {"bosscannonleft", movebosscannonleft, n, n, "B+T", 35, n, n, n},
    {"shieldleft", moveshieldleft, n, n, "B+T", 35, n, n, n},
    {"shieldshotleft", moveshieldshotleft, n, n, "B+T", 35, n, n, n},
    {"background", movebackground, n, n, "", n, n, n, n},
    {"finalbossshotone", moveenemyshot, 7, 3, "3", n, n, n, n},
    {"finalbossshottwo", movefinalbossshottwo, 7, 3, "3", n, n, n, n},
    {"finalbossshotthree", movefinalbossshotthree, 7, 2, "3", n, n, n, n},
    {"finalbossshell", movefinalbossshell, n, n, "100B+4T", 22, n, n, n},
    {"finalbossgunone", movefinalbossgunone, n, n, "150B+4T", 11, n, n, n},
    {"finalbossguntwo", movefinalbossguntwo, n, n, "70B+4T", 12, n, n, n},
    {"finalbossgunthree", movefinalbossgunthree, n, n, "150B+4T", 10, n, n, n},
    {"finalbossgunfour", movefinalbossgunfour, n, n, "70B+4T", 13, n, n, n},
    {"finalbossgunfive", movefinalbossgunfive, n, n, "70B+4T", 12, n, n, n},
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

TEST_F(Registry, EveryMasterGetsItsRowOfTheTable) {
    constexpr int kLoaded = 9;  // damage and hit points as a definition file gave them
    std::set<std::string> table_names;
    for (const Expected& row : kTable)
        for (const std::string& name : names_of(row)) {
            ASSERT_TRUE(table_names.insert(name).second) << name << " is in two rows";
            Sprite* m = make_master(name, 1, 4, 4);
            m->damage = m->hitpoints = kLoaded;
            m->firedelay = m->framedelay = m->param1 = m->param2 = m->hitclass = 77;
        }
    EXPECT_EQ(table_names.size(), 174u);
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

    const auto or_else = [](int value, int otherwise) { return value == n ? otherwise : value; };
    for (const Expected& row : kTable)
        for (const std::string& name : names_of(row)) {
            SCOPED_TRACE(name);
            const Sprite* m = Sprite::getnamedsprite(name.c_str());
            ASSERT_NE(m, nullptr);
            EXPECT_EQ(m->behavior, row.behavior);
            EXPECT_EQ(m->hitclass, or_else(row.hitclass, 6));
            EXPECT_EQ(m->damage, or_else(row.damage, kLoaded));
            EXPECT_EQ(m->hitpoints, *row.hitpoints ? hit_points(row.hitpoints, b, t) : kLoaded);
            EXPECT_EQ(m->firedelay, or_else(row.firedelay, 0));
            EXPECT_EQ(m->framedelay, or_else(row.framedelay, 0));
            EXPECT_EQ(m->param1, or_else(row.param1, 0));
            EXPECT_EQ(m->param2, or_else(row.param2, 0));
        }
    // A name outside the table: an inert enemy.
    EXPECT_EQ(scenery->behavior, nullptr);
    EXPECT_EQ(scenery->hitclass, 6);
    EXPECT_EQ(scenery->hitpoints, kLoaded);

    // And the table holds no row the design does not.
    size_t count = 0;
    const RegistryRow* rows = registry_rows(count);
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(table_names.count(rows[i].name), 1u) << rows[i].name;
}

}  // namespace
