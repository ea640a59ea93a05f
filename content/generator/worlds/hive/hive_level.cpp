// The Hive world's level (level 5).
//
// Through the comb: hives on the floor and roof keep loosing bees, beetle
// craft dash in, wasp craft patrol with twin stings, chitin cannons guard the
// narrows and tendrils sway from floor and roof. At the end the queen stops
// the level 80 frames after she appears and fires 51 volleys of spores; she
// cannot be hurt, only outlasted, while her feelers sway about her. The exit
// portal follows her.
#include "generator/worlds/hive/hive_art.h"

namespace hive {

const Look& look() {
    static const Look l;
    return l;
}

namespace {

constexpr int kQueenX = 12200;
constexpr int kExitX = 12700;

class Placer : public worlds::GroundPlacer {
public:
    explicit Placer(worlds::LevelScript& level) : GroundPlacer(level, floor_line(), roof_line()) {}
    void hive_up(int x) { level().place(x, floor(x + 6, 72) - 72, 0, "hiveup"); }
    void hive_down(int x) { level().place(x, roof(x + 8, 76) - 4, 0, "hivedown"); }
    void tendrils_up(int x) { level().place(x, floor(x, 40) - 100, 1, "hivetendralsup"); }
    void tendrils_down(int x) { level().place(x, roof(x, 40) - 4, 1, "hivetendralsdown"); }
    void floor_cannon(int x) { GroundPlacer::floor_cannon(x, "hivecannonup"); }
    void roof_cannon(int x) { GroundPlacer::roof_cannon(x, "hivecannondown"); }
};

}  // namespace

void add_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    using worlds::line;
    using worlds::vee;
    Placer p(level);
    level.place(110, 140, 0, "entranceportal");

    // The entrance of the hive.
    p.tendrils_down(800);
    p.hive_up(1000);
    p.group("hivegreenship", 1300, 150, line(2, 80, 70));
    p.tendrils_up(1500);
    p.hive_down(1700);
    p.group("hiveorangeship", 2000, 180, line(1, 0));
    p.floor_cannon(2200);
    p.group("hivegreenship", 2320, 260, line(2, 80, -80));

    // Galleries of nests.
    p.hive_up(2500);
    p.tendrils_down(2650);
    p.group("hivegreenship", 2800, 120, line(3, 70, 60));
    p.hive_down(3000);
    p.roof_cannon(3250);
    p.tendrils_up(3400);
    p.group("hiveorangeship", 3600, 150, line(2, 100, 80));
    p.roof_cannon(3700);
    p.hive_up(3800);
    p.floor_cannon(4000);

    // The brood chambers.
    p.hive_down(4300);
    p.hive_up(4500);
    p.group("hivegreenship", 4700, 160, vee(5, 40, 30));
    p.tendrils_down(4900);
    p.tendrils_up(5000);
    p.roof_cannon(5200);
    p.group("hiveorangeship", 5400, 130, line(2, 90, 100));
    p.hive_down(5600);
    p.floor_cannon(5800);
    p.group("hiveorangeship", 5950, 200, line(2, 80, -90));

    // The narrows, guarded.
    p.hive_up(6200);
    p.group("hivegreenship", 6400, 150, line(3, 60, 40));
    p.roof_cannon(6600);
    p.floor_cannon(6700);
    p.tendrils_down(6900);
    p.floor_cannon(6960);
    p.hive_down(7100);
    p.group("hiveorangeship", 7300, 160, line(3, 80, 40));
    p.roof_cannon(7400);
    p.tendrils_up(7500);
    p.group("hivegreenship", 7650, 240, line(3, 70, -50));

    // Deeper, thicker with nests.
    p.hive_up(7900);
    p.hive_down(8050);
    p.group("hivegreenship", 8300, 130, vee(5, 40, 30));
    p.roof_cannon(8420);
    p.floor_cannon(8500);
    p.hive_up(8700);
    p.tendrils_down(8800);
    p.floor_cannon(8880);
    p.group("hiveorangeship", 9000, 140, line(2, 90, 100));
    p.floor_cannon(9050);
    p.hive_down(9100);
    p.roof_cannon(9200);
    p.hive_down(9400);
    p.tendrils_up(9550);
    p.group("hiveorangeship", 9600, 100, line(2, 90, 120));

    // The queen's antechamber, the most closely guarded.
    p.group("hivegreenship", 9800, 200, line(4, 60, -30));
    p.floor_cannon(9900);
    p.hive_up(10000);
    p.roof_cannon(10060);
    p.hive_down(10150);
    p.floor_cannon(10350);
    p.group("hivegreenship", 10400, 250, line(3, 70, -50));
    p.group("hiveorangeship", 10500, 120, line(3, 90, 70));
    p.roof_cannon(10700);
    p.floor_cannon(10780);
    p.hive_up(10900);
    p.tendrils_down(11050);
    p.group("hivegreenship", 11200, 150, vee(5, 40, 30));
    p.roof_cannon(11300);
    p.floor_cannon(11350);
    p.hive_down(11400);
    p.group("hiveorangeship", 11550, 180, line(2, 90, -80));
    p.group("hivegreenship", 11750, 110, line(3, 70, 60));

    level.place(kQueenX, 40, 1, "hiveboss");
    // Her feelers: tendrils from the roof over her head and back and from the
    // floor in front of her belly, swaying all through the volleys while her
    // body cannot move; none stands in the ships' way before her.
    p.tendrils_down(kQueenX - 30);
    p.tendrils_down(kQueenX + 150);
    p.tendrils_up(kQueenX + 70);
    p.tendrils_up(kQueenX + 190);
    level.place(kExitX, 140, 0, "exitportal");
}

}  // namespace hive
