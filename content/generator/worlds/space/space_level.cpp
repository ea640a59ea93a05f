// The Space world's level (level 1).
//
// The level scrolls for about two minutes and three quarters: open space with
// divers and stalkers, a first asteroid belt with rockets racing through it,
// satellites and a meteor field, a second, narrower belt, a mixed onslaught
// and the battleship's pickets, then the battleship, which stops the level
// when it has come in to x < 25 and sweeps the screen until its eight cannons
// are gone. The exit portal follows.
#include "generator/worlds/common/level_script.h"
#include "generator/worlds/space/space_art.h"

namespace space {

const Look& look() {
    static const Look l;
    return l;
}

constexpr int kBossX = 11200;

void add_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    using worlds::line;
    using worlds::vee;
    level.place(110, 140, 0, "entranceportal");

    // Open space: divers from above and below, then stalkers.
    level.formation("spacegreenship", 990, 90, vee(3, 40, 26));
    level.formation("spacegreenship", 1300, 280, vee(3, 40, 26));
    level.formation("spacegreenship", 1610, 150, vee(5, 36, 24));
    level.formation("spacewhiteship", 1920, 110, line(2, 60, 150));
    level.formation("spacefrogship", 2230, 170, line(1, 0));
    level.formation("spacegreenship", 2380, 300, vee(5, 36, 22));
    level.place(2570, 90, 0, "spacemetiorbig");
    level.place(2690, 250, 0, "spacemetiorbig");

    // First belt: rockets race through the gap, frogs loop in it.
    level.formation("rocketship", 3000, 200, line(1, 0));
    level.formation("rocketship", 3150, 140, line(2, 90, 110));
    level.formation("spacefrogship", 3270, 150, line(1, 0));
    level.formation("rocketship", 3460, 160, line(3, 70, 40));
    level.formation("spacewhiteship", 3610, 180, line(2, 80, 60));
    level.formation("rocketship", 3840, 250, line(2, 50, -90));
    level.formation("spacegreenship", 4000, 130, vee(5, 34, 22));
    level.formation("rocketship", 4230, 190, line(3, 60, 0));

    // Satellites drift in with divers around them.
    level.place(4570, 90, 0, "spacesatalite");
    level.place(4650, 280, 0, "spacesatalite");
    level.formation("spacegreenship", 4730, 180, vee(5, 36, 26));
    level.formation("spacefrogship", 5000, 80, line(2, 120, 130));
    level.formation("spacewhiteship", 5230, 120, line(3, 70, 80));
    level.formation("spacegreenship", 5460, 310, vee(5, 34, 20));
    level.place(5610, 170, 0, "spacesatalite");

    // A meteor field.
    level.place(5920, 70, 0, "spacemetiorbig");
    level.place(6040, 270, 0, "spacemetiorbig");
    level.place(6150, 160, 0, "spacemetiorbig");
    level.formation("rocketship", 6230, 40, line(2, 40, 330));
    level.place(6310, 40, 0, "spacemetiorbig");
    level.place(6400, 300, 0, "spacemetiorbig");

    // Second belt, narrower and busier.
    level.formation("spacewhiteship", 6690, 160, line(2, 60, 60));
    level.formation("rocketship", 6920, 180, line(3, 60, 30));
    level.formation("spacefrogship", 7080, 150, line(1, 0));
    level.formation("spacegreenship", 7230, 150, vee(5, 32, 20));
    level.formation("rocketship", 7460, 200, line(4, 45, -20));
    level.place(7620, 170, 0, "spacemetiorbig");
    level.formation("spacewhiteship", 7770, 130, line(3, 60, 60));
    level.formation("rocketship", 8000, 150, line(4, 50, 30));
    level.formation("spacegreenship", 8230, 200, vee(5, 32, 20));

    // The last push before the battleship.
    level.formation("spacefrogship", 8500, 70, line(3, 90, 110));
    level.formation("spacewhiteship", 8690, 100, line(3, 70, 100));
    level.place(8810, 250, 0, "spacesatalite");
    level.formation("spacegreenship", 8890, 90, vee(5, 34, 22));
    level.formation("spacegreenship", 9000, 300, vee(5, 34, 22));
    level.formation("rocketship", 9160, 120, line(4, 50, 60));
    level.place(9310, 180, 0, "spacemetiorbig");
    level.place(9420, 320, 0, "spacemetiorbig");

    // The guard before the battleship: pickets of every kind.
    level.formation("spacewhiteship", 9520, 90, line(2, 70, 200));
    level.formation("rocketship", 9700, 170, line(3, 50, 40));
    level.formation("spacegreenship", 9860, 120, vee(5, 34, 22));
    level.place(9990, 280, 0, "spacesatalite");
    level.formation("spacefrogship", 10120, 90, line(2, 100, 180));
    level.place(10260, 150, 0, "spacemetiorbig");
    level.formation("spacegreenship", 10380, 290, vee(5, 34, 20));
    level.formation("rocketship", 10540, 60, line(4, 45, 30));
    level.formation("spacewhiteship", 10700, 140, line(3, 60, 70));
    level.formation("spacegreenship", 10860, 180, vee(5, 32, 22));
    level.formation("spacewhiteship", 11020, 300, line(2, 70, -60));
    level.formation("spacefrogship", 11120, 120, line(2, 90, 150));
    level.place(10640, 260, 0, "spacemetiorbig");
    level.place(10960, 60, 0, "spacemetiorbig");

    // It comes in along the top run's height, its upper cannons above the
    // screen (see space_boss.cpp); the exit portal comes after it.
    level.place(kBossX, -205, 0, "spaceboss");
    level.place(kExitX, 140, 0, "exitportal");
}

}  // namespace space
