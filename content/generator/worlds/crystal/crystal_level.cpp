// The Crystal world's level (level 3).
//
// A winding cavern: white stalkers and helicopters, red zigzag darts, yellow
// dodgers, cannons in the rock and gel blobs that split when hit, more of
// everything as it goes on. At the end the gate: the pod hanging from the
// roof stops the level as it reaches the left edge, the spire on the floor
// (490 pixels behind it) when it passes x 500, and each opens the level again
// one notch when its 1100 frames are up; the pod drops crystals meanwhile.
// A second pod hangs under the first on the far wall (layer 3). Drifting at
// the far wall's speed it comes on screen 630 frames before the level stops,
// dropping crystals as it comes, and so bursts 630 frames sooner: the seals
// break one by one (the far pod, the near pod, the spire), and the player
// sees the gate's time run out.
#include "generator/worlds/crystal/crystal_art.h"

namespace crystal {

const Look& look() {
    static const Look l;
    return l;
}

namespace {

constexpr int kPodX = 12600;
constexpr int kSpireX = kPodX + 490;
// The frame the pod passes x 10 and the level stops (its x falls by 3 a frame).
constexpr int kStopFrame = (kPodX - 9) / 3;
static_assert((kPodX - 9) % 3 == 0, "the pod stands at x 9 on the frame it stops the level");
// The far pod, 1 pixel a frame, at x 9 on the same frame.
constexpr int kFarPodX = 9 + kStopFrame;
constexpr int kFarPodY = 96;
constexpr int kExitX = 13500;

class Placer : public worlds::GroundPlacer {
public:
    explicit Placer(worlds::LevelScript& level) : GroundPlacer(level, floor_line(), roof_line()) {}
    void floor_cannon(int x) { GroundPlacer::floor_cannon(x, "crystalyellowcannonup"); }
    void roof_cannon(int x) { GroundPlacer::roof_cannon(x, "crysalyellowcannondown"); }
};

}  // namespace

void add_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    using worlds::line;
    using worlds::vee;
    Placer p(level);
    level.place(110, 140, 0, "entranceportal");

    // The mouth of the cave.
    p.group("crystalredship", 1000, 150, line(3, 50, 0));
    p.group("crystalwhiteship", 1400, 200, line(2, 80, -60));
    p.floor_cannon(1700);
    p.group("crystalredship", 1900, 230, line(4, 45, 0));
    p.roof_cannon(2150);
    p.group("crystalwhitehelicopter", 2300, 160, line(2, 80, 60));
    level.place(2600, 150, 0, "crystalblobbig");

    // Narrowing passages.
    p.group("crystalyellowship", 2900, 170, line(2, 90, 40));
    p.floor_cannon(3200);
    p.roof_cannon(3350);
    p.group("crystalredship", 3500, 180, vee(5, 40, 24));
    p.group("crystalwhiteship", 3900, 150, line(3, 70, 40));
    level.place(4200, 170, 0, "crystalblobbig");
    p.group("crystalwhitehelicopter", 4500, 130, line(3, 70, 50));
    p.floor_cannon(4700);

    // A wide hall.
    p.group("crystalyellowship", 5000, 140, line(3, 80, 50));
    p.group("crystalredship", 5300, 120, line(4, 45, 30));
    level.place(5500, 200, 0, "crystalblobbig");
    p.roof_cannon(5700);
    p.group("crystalwhiteship", 5900, 230, line(3, 60, -30));
    p.floor_cannon(6100);
    p.group("crystalwhitehelicopter", 6300, 170, line(2, 80, 50));

    // The deep narrows: guns on both walls cross their fire.
    p.group("crystalredship", 6700, 170, vee(5, 40, 20));
    p.roof_cannon(6900);
    p.group("crystalyellowship", 7100, 180, line(2, 90, -40));
    p.floor_cannon(7300);
    p.group("crystalwhitehelicopter", 7350, 120, line(2, 80, 90));
    level.place(7500, 160, 0, "crystalblobbig");
    p.roof_cannon(7650);
    p.group("crystalwhiteship", 7800, 160, line(3, 60, 50));

    // Halls of glass.
    p.group("crystalwhitehelicopter", 8200, 150, line(3, 70, 50));
    p.floor_cannon(8400);
    p.roof_cannon(8500);
    p.group("crystalredship", 8700, 140, vee(7, 36, 22));
    p.group("crystalyellowship", 9000, 170, line(3, 80, 40));
    level.place(9150, 215, 0, "crystalblobbig");
    level.place(9300, 180, 0, "crystalblobbig");
    p.group("crystalwhiteship", 9600, 140, line(3, 60, 30));
    p.floor_cannon(9800);
    p.roof_cannon(10000);
    p.group("crystalwhitehelicopter", 10050, 220, line(2, 80, -70));

    // The last gauntlet before the gate, the busiest: stalkers and gunships
    // under the crossfire of paired guns.
    p.group("crystalwhitehelicopter", 10300, 150, line(3, 70, 60));
    p.floor_cannon(10450);
    p.group("crystalredship", 10600, 120, line(5, 40, 30));
    p.roof_cannon(10700);
    level.place(10850, 200, 0, "crystalblobbig");
    level.place(10950, 110, 0, "crystalblobbig");
    p.group("crystalyellowship", 11100, 140, line(3, 80, 60));
    p.floor_cannon(11300);
    p.roof_cannon(11450);
    p.group("crystalwhiteship", 11600, 130, line(4, 60, 50));
    p.group("crystalwhitehelicopter", 11750, 230, line(2, 80, -60));
    p.group("crystalredship", 11900, 200, vee(5, 40, 24));
    p.floor_cannon(11950);
    level.place(12100, 150, 0, "crystalblobbig");
    p.roof_cannon(12200);
    p.group("crystalwhiteship", 12250, 160, line(3, 60, 50));
    p.group("crystalwhitehelicopter", 12400, 100, line(2, 80, 170));

    level.place(kPodX, p.roof(kPodX, 50) - 4, 1, "crystalopenerdown");
    level.place(kFarPodX - 8, 0, 3, "crystalfarstalk");
    level.place(kFarPodX, kFarPodY, 3, "crystalopenerdown");
    level.place(kSpireX, p.floor(kSpireX, 64) - 96, 1, "crystalopenerup");
    // Guns in the gate's hall, on screen while the seals hold the view.
    p.floor_cannon(kPodX + 200);
    p.roof_cannon(kPodX + 330);
    // Gunships and stalkers that come in as the view stops and hunt the ship,
    // and gel that splits into a swarm of bouncing drops when shot.
    level.place(kPodX + 260, 120, 0, "crystalblobbig");
    level.place(kPodX + 470, 240, 0, "crystalblobbig");
    p.group("crystalwhitehelicopter", kPodX + 420, 130, line(2, 90, 140));
    p.group("crystalwhiteship", kPodX + 560, 200, line(2, 60, -90));
    level.place(kExitX, 140, 0, "exitportal");
}

}  // namespace crystal
