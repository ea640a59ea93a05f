// The Metal world's level (level 2).
//
// A factory run: walkers and turrets on the floor, a raised platform, a
// corridor of crushers, hatches launching fighters, the robot guarding the
// middle (it stops the level about 100 frames after it appears until its
// head and gun are destroyed), a crusher gallery, more hatches and
// helicopters, and the reactor core, which stops the level 110 frames after
// it appears and sends out three orbiting guns. The exit portal follows it.
#include "generator/worlds/metal/metal_art.h"

namespace metal {

const Look& look() {
    static const Look l;
    return l;
}

namespace {

constexpr int kRobotX = 6800;
constexpr int kBossX = 13000;
constexpr int kExitX = 13500;

class Placer : public worlds::GroundPlacer {
public:
    explicit Placer(worlds::LevelScript& level) : GroundPlacer(level, floor_line(), roof_line()) {}
    void floor_turret(int x) { level().place(x, floor(x, 84) - 30, 0, "silvercannonup"); }
    void roof_turret(int x) { level().place(x, roof(x, 84) - 2, 0, "silvercannondown"); }
    void radar_up(int x) { level().place(x, floor(x, 56) - 64, 0, "radarup"); }
    void radar_down(int x) { level().place(x, roof(x, 56) - 2, 0, "radardown"); }
    void hatch_up(int x) { level().place(x, floor(x, 90) - 34, 0, "metalopenerup"); }
    void hatch_down(int x) { level().place(x, roof(x, 90) - 2, 0, "metalopenerdown"); }
    void crusher(int x) { level().place(x, roof(x, 88) - 1, 1, "crusher"); }
    void walker(int x) { level().place(x, floor(x, 60) - 60, 0, "landwalker"); }
    void helicopters(int x, int y, int count, int dy = 70) {
        level().formation("metalbluehelicopter", x, y, worlds::line(count, 70, dy));
    }
};

}  // namespace

void add_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    Placer p(level);
    level.place(110, 140, 0, "entranceportal");

    // The yard: walkers and the first guns.
    p.walker(900);
    p.walker(1040);
    p.helicopters(1150, 120, 2, 100);
    p.floor_turret(1400);
    p.helicopters(1520, 210, 2, -80);
    p.roof_turret(1650);
    p.walker(1750);

    // A raised platform with guns and a radar.
    p.floor_turret(1960);
    p.radar_up(2250);
    p.helicopters(2300, 110, 3, 60);
    p.floor_turret(2520);
    p.roof_turret(2400);

    // The corridor of crushers, a patrol meeting the ship at its mouth.
    p.helicopters(2700, 190, 3, 30);
    p.crusher(3000);
    p.walker(3150);
    p.radar_down(3180);
    p.crusher(3320);
    p.walker(3450);
    p.helicopters(3500, 140, 2, 100);
    p.crusher(3640);
    p.floor_turret(3720);
    p.helicopters(3800, 170, 2, 40);
    p.helicopters(4020, 120, 3, 70);

    // Hatches on the open floor.
    p.hatch_up(4200);
    p.hatch_down(4500);
    p.helicopters(4700, 100, 2, 150);
    p.floor_turret(4900);
    p.helicopters(4980, 180, 3, 40);
    p.roof_turret(5000);
    p.walker(5100);
    p.walker(5220);
    p.radar_up(5350);

    // The second platform.
    p.hatch_up(5700);
    p.roof_turret(5880);
    p.radar_down(6000);
    p.hatch_up(6150);
    p.helicopters(6300, 150, 3, 40);

    // The robot holds the middle of the works.
    level.place(kRobotX, p.floor(kRobotX + 90, 180) - 280, 0, "robot");

    // Past the robot: its escort regroups.
    p.helicopters(7150, 120, 3, 60);
    p.walker(7320);
    p.floor_turret(7480);
    p.roof_turret(7600);
    p.hatch_up(7700);
    p.helicopters(7850, 230, 2, -110);

    // The crusher gallery.
    p.crusher(8000);
    p.walker(8150);
    p.crusher(8400);
    p.walker(8550);
    p.crusher(8800);
    p.walker(9000);
    p.crusher(9200);

    // Guns on a platform, more walkers.
    p.helicopters(9350, 200, 2, -90);
    p.floor_turret(9560);
    p.roof_turret(9700);
    p.floor_turret(9880);
    p.helicopters(9900, 150, 3, 50);
    p.walker(10200);
    p.walker(10320);
    p.radar_up(10450);

    // A nest of hatches.
    p.hatch_up(10760);
    p.hatch_down(10900);
    p.hatch_up(11060);
    p.helicopters(11350, 110, 3, 80);

    // The last stretch before the core.
    p.floor_turret(11650);
    p.roof_turret(11760);
    p.helicopters(11900, 220, 2, -120);
    p.walker(12000);
    p.walker(12120);
    p.hatch_down(12250);
    p.radar_up(12420);
    p.helicopters(12450, 140, 3, 60);

    level.place(kBossX, 80, 0, "metalboss");
    level.place(kExitX, 140, 0, "exitportal");
}

}  // namespace metal
