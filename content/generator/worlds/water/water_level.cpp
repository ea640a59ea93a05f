// The Water world's level (level 4).
//
// Over the sea bed and under rock roofs: shoals of fish, yellow submarines
// that patrol a band around the ship, grey ones that dive beneath it and fire
// up from behind, jellies, and the buildings of a sunken city standing and
// hanging on both sides. At the end the brain stops the level 80 frames after
// it appears and sends out three rings of thirteen cells; the exit portal
// follows once all three are cleared.
#include "generator/worlds/water/water_art.h"

namespace water {

const Look& look() {
    static const Look l;
    return l;
}

namespace {

constexpr int kBossX = 12600;
constexpr int kExitX = 13050;

struct Size {
    const char* name;
    int width, height;
};
constexpr Size kBuildings[] = {{"one", 90, 70},  {"two", 52, 130}, {"three", 84, 100}, {"four", 102, 80},
                               {"five", 100, 80}, {"six", 110, 70}, {"seven", 44, 120}};

class Placer : public worlds::GroundPlacer {
public:
    explicit Placer(worlds::LevelScript& level) : GroundPlacer(level, floor_line(), roof_line()) {}
    // Building `n` (1..7) standing on the sea bed or hanging from the roof.
    void standing(int x, int n) {
        const Size& b = kBuildings[n - 1];
        level().place(x, floor(x, b.width) - b.height + 4, 1, std::string("waterbuilding") + b.name + "up");
    }
    void hanging(int x, int n) {
        const Size& b = kBuildings[n - 1];
        level().place(x, roof(x, b.width) - 4, 1, std::string("waterbuilding") + b.name + "down");
    }
};

}  // namespace

void add_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    using worlds::line;
    using worlds::vee;
    Placer p(level);
    level.place(110, 140, 0, "entranceportal");

    // Open water over the outskirts.
    p.group("waterpurplefish", 1000, 120, line(4, 40, 0));
    p.standing(1100, 1);
    p.group("wateryellowfish", 1400, 220, line(3, 50, -30));
    p.standing(1500, 6);
    p.group("waterpurplefish", 1800, 260, line(5, 40, 0));
    level.place(1950, 150, 0, "waterblob");
    p.group("wateryellowsub", 2200, 160, line(2, 90, 60));

    // The first streets, under the roof.
    p.hanging(2400, 2);
    p.standing(2500, 3);
    p.group("wateryellowfish", 2700, 180, vee(5, 40, 26));
    p.hanging(2900, 4);
    p.group("watergreysub", 3100, 120, line(1, 0));
    p.standing(3200, 7);
    p.group("waterpurplefish", 3400, 140, line(5, 36, 12));
    p.hanging(3600, 1);
    level.place(3700, 200, 0, "waterkewlphish");
    p.standing(3900, 5);
    p.group("wateryellowsub", 4100, 130, line(2, 90, 90));
    p.hanging(4300, 6);

    // Squares and temples.
    p.standing(4600, 2);
    level.place(4700, 120, 0, "waterblob");
    level.place(4800, 250, 0, "waterblob");
    p.group("wateryellowfish", 4900, 180, vee(5, 40, 30));
    p.hanging(5100, 3);
    p.group("watergreysub", 5200, 100, line(2, 120, 120));
    p.standing(5400, 4);
    p.group("waterpurplefish", 5600, 220, line(6, 36, -10));
    p.hanging(5800, 7);

    // The open trench.
    level.place(6400, 150, 0, "waterkewlphish");
    p.standing(6500, 1);
    p.group("wateryellowsub", 6700, 110, line(3, 80, 80));
    p.standing(6900, 3);
    level.place(7000, 250, 0, "waterblob");
    p.group("wateryellowfish", 7200, 130, line(4, 50, 40));
    p.group("wateryellowsub", 7400, 250, line(2, 90, -60));

    // The old town, roofed again.
    p.hanging(7700, 5);
    p.group("watergreysub", 7800, 110, line(2, 110, 130));
    p.standing(7900, 6);
    p.group("waterpurplefish", 8100, 160, vee(7, 34, 18));
    p.group("wateryellowsub", 8250, 90, line(2, 90, 60));
    p.hanging(8300, 2);
    level.place(8400, 200, 0, "waterkewlphish");
    p.standing(8500, 7);
    p.group("wateryellowsub", 8700, 150, line(2, 90, 70));
    p.hanging(8900, 4);
    level.place(9000, 130, 0, "waterblob");
    level.place(9080, 260, 0, "waterblob");
    p.group("watergreysub", 9150, 240, line(1, 0));
    p.standing(9200, 2);
    p.group("wateryellowfish", 9400, 170, vee(5, 40, 26));
    p.hanging(9600, 6);

    // The harbour district, the busiest: subs in pairs and threes, those
    // that dive beneath the ship among them.
    p.group("watergreysub", 9800, 100, line(3, 100, 60));
    p.group("wateryellowsub", 10000, 230, line(2, 90, -70));
    p.group("watergreysub", 10250, 260, line(1, 0));
    p.standing(9900, 4);
    p.group("waterpurplefish", 10100, 240, line(6, 36, -20));
    p.hanging(10300, 3);
    level.place(10400, 160, 0, "waterkewlphish");
    p.standing(10500, 5);
    p.group("wateryellowsub", 10700, 130, line(3, 80, 70));
    p.group("watergreysub", 10850, 250, line(2, 100, -90));
    p.hanging(10900, 7);
    p.group("wateryellowfish", 11100, 150, vee(7, 36, 22));
    p.group("watergreysub", 11250, 90, line(1, 0));
    p.standing(11200, 1);
    level.place(11400, 200, 0, "waterblob");
    p.group("watergreysub", 11600, 120, line(2, 110, 120));
    p.group("wateryellowsub", 11800, 200, line(3, 80, -50));
    p.standing(11700, 3);
    p.group("waterpurplefish", 11900, 90, line(4, 40, 10));
    level.place(12100, 230, 0, "waterkewlphish");
    p.group("wateryellowfish", 12300, 160, line(3, 50, 40));
    p.group("watergreysub", 12400, 110, line(2, 100, 130));
    // A star cache before the brain: heat-seekers look for nothing on the
    // cells' layer, bursting stars catch them as they wheel.
    level.place(12150, 140, 0, "starpowerup");
    level.place(12250, 260, 0, "starpowerup");

    level.place(kBossX, 130, 1, "waterboss");
    // An escort that comes in with the brain and patrols about the ship.
    p.group("wateryellowsub", kBossX - 100, 90, line(2, 250, 200));
    p.group("wateryellowsub", kBossX + 200, 150, line(2, 40, 120));
    p.group("watergreysub", kBossX + 150, 200, line(2, 120, -120));
    level.place(kExitX, 140, 0, "exitportal");
}

}  // namespace water
