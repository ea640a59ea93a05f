#include "tools/spawn_needs.h"

#include <algorithm>
#include <deque>

namespace spawn_needs {

namespace {

struct Spawns {
    const char* spawner;
    std::vector<const char*> spawned;
};

// Ordinary enemies fire "enemyshot" or "enemyshottwo" and explode into the
// shared explosions and power-ups: those are in every_level(). This table holds
// what else a behaviour asks for by name.
const std::vector<Spawns>& table() {
    static const std::vector<Spawns> rows = {
        {"spaceboss", {"spacebosscannonup", "spacebosscannondown"}},
        {"spacemetiorbig", {"spacemetiorsmall"}},
        {"metalboss", {"metalboss", "metalbossgun"}},
        {"robot", {"robothead", "robotgun"}},
        {"metalopenerup", {"metalgreenship"}},
        {"metalopenerdown", {"metalgreenship"}},
        {"caveopenerup", {"caveredship"}},
        {"caveopenerdown", {"caveredship"}},
        {"crystalopenerup", {"crystalbossredverticle", "crystalbosssilververticle"}},
        {"crystalopenerdown", {"crystalbossredverticle", "crystalbosssilververticle"}},
        {"crystalbossredverticle", {"crystalbossredhorizontal"}},
        {"crystalbossredhorizontal", {"crystalbossredverticle"}},
        {"crystalbosssilververticle", {"crystalbosssilverhorizontal"}},
        {"crystalbosssilverhorizontal", {"crystalbosssilververticle"}},
        {"crystalblobbig", {"crystalblobsmall"}},
        {"waterboss", {"waterbraincell"}},
        {"hiveboss", {"hivebossshot"}},
        {"hivedown", {"hivebeebluefly", "hivebeeyellow"}},
        {"hiveup", {"hivebeebluefly", "hivebeeyellow"}},
        {"hivebeebluefly", {"hivebeeblueattack"}},
        {"hivebeeyellow", {"hivebeeyellowattack"}},
        {"hivebeeyellowattack", {"hivebeeyellow"}},
        {"houseone", {"fire"}},
        {"housetwo", {"fire"}},
        {"smalltower", {"fire"}},
        {"bigtower", {"fire"}},
        {"catapult", {"fire"}},
        {"horse", {"horsehead", "horseback"}},
        {"bossdragon", {"bossdragonhead"}},
        {"bossdragonhead", {"neckone", "necktwo", "neckthree", "neckfour"}},
        {"cityboss", {"citybosseyesone", "citybosseyestwo", "citybosseyesthree", "citybosseyesfour"}},
        {"citybosseyestwo", {"citybossshotone", "citybossshotfour"}},
        {"citybosseyesthree", {"citybossshotone", "citybossshotfour"}},
        {"mountainboss",
         {"mountainbosseye", "mountainbosseyelid", "mountainbosseyetwo", "mountainbosscannonup",
          "mountainbosscannondown", "mountainbossenergyhorizontal", "mountainbossenergyverticle"}},
        {"finalbossshell",
         {"finalbossgunone", "finalbossguntwo", "finalbossgunthree", "finalbossgunfour", "finalbossgunfive",
          "citybossshotone"}},
        {"finalbossgunone", {"finalbossshotone", "finalbossshottwo"}},
        {"finalbossgunthree", {"finalbossshotone", "finalbossshottwo"}},
        {"finalbossgunfive", {"finalbossshotone"}},
    };
    return rows;
}

}  // namespace

const std::vector<std::string>& every_level() {
    static const std::vector<std::string> names = {
        // the portals bring the ships in; the ships fire, shield and die
        "entranceportal", "exitportal", "playerone", "playertwo", "drone", "shield", "gameover",
        "blueshot", "missile", "heatseekingmissile", "photon", "photonexplosion", "starshot", "smoke",
        // every enemy explodes and may drop a power-up; most fire
        "standardexplosion", "standardexplosionbig", "powerup", "bluepowerup", "missilepowerup",
        "heatseekerpowerup", "photonpowerup", "starpowerup", "enemyshot", "enemyshottwo",
        // the status bar draws these masters itself
        "score", "shieldbar", "blueicon", "missileicon", "heatseekericon", "photonicon", "staricon",
        "playeroneicon", "playertwoicon", "droneicon", "bar", "bar2", "buble"};
    return names;
}

std::vector<std::string> spawned_by(const std::string& name) {
    for (const Spawns& row : table())
        if (name == row.spawner) return {row.spawned.begin(), row.spawned.end()};
    return {};
}

std::map<std::string, std::string> needed_by_level(const std::vector<std::string>& placed) {
    const std::vector<std::string>& common = every_level();
    std::map<std::string, std::string> needed;  // name -> the placed name it comes from
    std::deque<std::pair<std::string, std::string>> work;
    for (const std::string& p : placed) work.emplace_back(p, p);
    while (!work.empty()) {
        const auto [name, root] = work.front();
        work.pop_front();
        for (const std::string& s : spawned_by(name)) {
            if (needed.count(s) != 0 || std::find(common.begin(), common.end(), s) != common.end()) continue;
            needed[s] = root;
            work.emplace_back(s, root);
        }
    }
    return needed;
}

}  // namespace spawn_needs
