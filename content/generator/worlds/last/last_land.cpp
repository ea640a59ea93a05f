// The fortress's gut: floor and roof of chitin plates with glowing veins
// (layer 1), spines and ribs drifting past (layer 2), the unmoving far wall
// ("background", layer 3) and the heart drifting over it; and the level's
// timeline, which ends at the last gate with the exit portal in view.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/common/sentinel.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/last/last.h"

namespace last {

using worlds::Terrain;

namespace {

constexpr int kLength = 14000;
constexpr int kShellX = 12000;  // arrives (x < 400) after about 174 s
constexpr int kExitX = 12900;   // off screen while the shell holds the view
constexpr int kGateX = 13200;   // stops the level for good at x 460, the portal at x 160

// Pods, known before the walls are drawn: the teeth around them are left
// out, so the fighters they launch start in the open.
constexpr int kFloorPods[] = {2100, 3550, 6900, 8300};
constexpr int kRoofPods[] = {2400, 3700, 8450};

template <size_t N>
bool near_pod(const int (&pods)[N], int x) {
    for (int p : pods)
        if (x > p - 16 && x < p + 96) return true;
    return false;
}

// ---- layer 2: spines and ribs, dark against the far wall ----
void paint_spines(Canvas& c) {
    const Look& k = look();
    const int period = c.width();
    art::Random r(art::seed_of("lastspines"));
    for (double x = 40; x < period - 20; x += r.range(120, 220)) {
        const bool from_roof = r.chance(0.5);
        const double len = r.range(140, 260), w = r.range(18, 34);
        const double lean = r.range(-40, 40);
        worlds::wrap_x(period, [&](double dx) {
            const double bx = x + dx;
            const double base = from_roof ? 0 : 416, tip = from_roof ? len : 416 - len;
            const std::vector<Pt> spine = {{bx - w / 2, base}, {bx - w * 0.2 + lean * 0.5, (base + tip) / 2},
                                           {bx + lean, tip}, {bx + w * 0.2 + lean * 0.5, (base + tip) / 2},
                                           {bx + w / 2, base}};
            c.smooth(spine);
            c.fill(Paint::linear({bx - w / 2, 0}, {bx + w / 2, 0},
                                 {{0, Color::hex(0x1a0e22)}, {0.5, Color::hex(0x2e1a3a)}, {1, Color::hex(0x120816)}}));
            c.smooth(spine);
            c.stroke(Paint::solid(k.flesh.dark.with_alpha(0.9)), 1.5);
            // Segment rings along it.
            for (double t = 0.15; t < 0.9; t += 0.18) {
                const double y = base + (tip - base) * t;
                const double half = w / 2 * (1 - t * 0.8);
                const double cx = bx + lean * t;
                c.line({cx - half, y}, {cx + half, y});
                c.stroke(Paint::solid(k.outline), 2.0);
            }
        });
    }
}

// ---- terrain ----
struct Ground {
    Terrain floor{Terrain::Kind::Floor, kLength, art::seed_of("lastfloor")};
    Terrain roof{Terrain::Kind::Roof, kLength, art::seed_of("lastroof")};
};

void shape(Ground& g) {
    g.floor.keys({{0, 384, 4},     {1500, 380, 10},  {2000, 350, 0},   {2600, 350, 0},   {3000, 372, 12},
                  {3500, 356, 0},  {4000, 356, 0},   {4500, 384, 10},  {5500, 384, 10},  {6000, 340, 16},
                  {6500, 330, 0},  {7100, 330, 0},   {7600, 370, 12},  {8200, 360, 0},   {8800, 360, 0},
                  {9300, 380, 10}, {10000, 350, 0},  {10600, 350, 0},  {11100, 384, 6},  {11500, 392, 0},
                  {14000, 392, 0}});
    g.roof.keys({{0, 36, 4},      {1500, 44, 10},   {2000, 70, 0},    {2600, 70, 0},    {3000, 52, 12},
                 {3500, 64, 0},   {4000, 64, 0},    {4500, 40, 10},   {5500, 40, 10},   {6000, 84, 16},
                 {6500, 90, 0},   {7100, 90, 0},    {7600, 56, 12},   {8200, 60, 0},    {8800, 60, 0},
                 {9300, 44, 10},  {10000, 76, 0},   {10600, 76, 0},   {11100, 36, 6},   {11500, 24, 0},
                 {14000, 24, 0}});
}

Color plating(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.05, p.y * 0.05, 3);
    // Overlapping plates: a sawtooth across x, each plate lit along its edge.
    const double plate = std::fmod(p.x + p.depth * 0.6 + 1000.0, 38.0) / 38.0;
    double t = 0.18 + 0.5 * std::exp(-p.depth / 20) + plate * 0.25 + (n - 0.5) * 0.3;
    Color c = k.chitin.at(std::clamp(t, 0.0, 1.0));
    if (plate > 0.94) c = k.outline;
    // Veins of light under the shell.
    const double vein = std::abs(noise.fractal(p.x * 0.012 + 9, p.y * 0.03, 3) - 0.5);
    if (vein < 0.02 && p.depth > 8) c = c.mixed(k.flesh.light, (0.02 - vein) / 0.02 * 0.85);
    return c.mixed(Color::hex(0x05020a), std::clamp((p.depth - 50) / 140.0, 0.0, 0.5));
}

void teeth(Canvas& c, int origin_x, int, const std::function<int(int)>& surface, bool floor) {
    const Look& k = look();
    art::Random random(art::seed_of(floor ? "lastteethfloor" : "lastteethroof") ^ uint64_t(origin_x));
    for (double x = random.range(10, 50); x < c.width() - 8; x += random.range(30, 90)) {
        if (floor ? near_pod(kFloorPods, origin_x + int(x)) : near_pod(kRoofPods, origin_x + int(x))) continue;
        const double base = surface(int(x));
        const double h = random.range(6, 16), w = random.range(3, 6);
        const double dir = floor ? -1 : 1;
        c.polygon({{x - w, base - dir * 3}, {x + w, base - dir * 3}, {x + w * 0.3, base + dir * h}});
        c.fill_outlined(Paint::linear({x - w, 0}, {x + w, 0}, {{0, k.bone.light}, {1, k.bone.dark}}), k.outline, 0.8);
    }
}

worlds::TerrainLook ground_look(const art::Noise& noise, bool floor) {
    worlds::TerrainLook l;
    l.material = [&noise](const worlds::GroundPixel& p) { return plating(noise, p); };
    l.rock = look().chitin;
    l.outline = look().outline;
    l.rim = look().flesh.mid.with_alpha(0.9);
    l.margin = 18;
    l.dressing = [floor](Canvas& c, int ox, int oy, const std::function<int(int)>& s) { teeth(c, ox, oy, s, floor); };
    return l;
}

// ---- the timeline ----
void place_level(worlds::World& world, const Ground& g) {
    worlds::LevelScript& level = world.level();
    level.place(0, -1, 3, "background");
    // The heart drifts in over the still wall (layer 3, a pixel a frame) and
    // stands behind the fight when the shell holds the view.
    level.place(worlds::x_on_layer(kShellX, 3, 400) - 40, 190, 3, "buildinglights");
    level.place(110, 130, 0, "entranceportal");

    const auto dart = [&](int x, int y) { level.place(x, y, 0, "citywhiteship"); };
    const auto diver = [&](int x, int y) { level.place(x, y, 0, "citygreenship"); };
    const auto wasp = [&](int x, int y) { level.place(x, y, 0, "crystalredship"); };
    const auto spear = [&](int x, int y) { level.place(x, y, 0, "rocketship"); };
    const auto spore = [&](int x, int y) { level.place(x, y, 0, "finalbossshotthree"); };
    const auto gun_up = [&](int x) { level.place(x, g.floor.surface_over(x - 4, x + 84) - 30, 0, "silvercannonup"); };
    const auto gun_down = [&](int x) { level.place(x, g.roof.surface_over(x - 4, x + 84) - 2, 0, "silvercannondown"); };
    const auto pod_up = [&](int x) { level.place(x, g.floor.surface_over(x, x + 66) - 36, 0, "metalopenerup"); };
    const auto pod_down = [&](int x) { level.place(x, g.roof.surface_over(x, x + 66) + 8, 0, "metalopenerdown"); };
    const auto pylons = [&](int x) {
        level.place(x, g.floor.surface_over(x, x + 44) - 147, 1, "bluebossleft");
        level.place(x + 180, g.roof.surface_over(x + 180, x + 224) - 4, 1, "bluebossright");
    };
    const auto shield_wall = [&](int x, int y) {
        level.place(x, y, 1, "shieldleft");
        level.place(x + 14, y + 48, 1, "shieldshotleft");
    };
    const auto cannon = [&](int x, bool right) {
        level.place(x, g.floor.surface_over(x, x + 90) - 56, 1, right ? "bosscannonright" : "bosscannonleft");
    };

    for (int x : kFloorPods) pod_up(x);
    for (int x : kRoofPods) pod_down(x);

    // The throat: darts and wasps.
    dart(900, 140);
    dart(960, 240);
    wasp(1300, 100);
    wasp(1360, 280);
    dart(1700, 180);
    // Pods on the floor and roof, turrets between them, spores drifting.
    gun_down(2250);
    gun_up(2500);
    spore(2700, 150);
    spore(2760, 260);
    wasp(2900, 200);
    gun_up(3850);
    dart(3300, 120);
    dart(3360, 260);
    // The pylon gates.
    pylons(4300);
    diver(4500, 120);
    diver(4560, 200);
    pylons(4900);
    wasp(5000, 160);
    wasp(5060, 250);
    pylons(5500);
    dart(5200, 90);
    dart(5260, 250);
    diver(5750, 160);
    diver(5810, 240);
    spore(5300, 120);
    spore(5340, 220);
    spore(5380, 300);
    // Spears.
    spear(6100, 150);
    spear(6200, 250);
    gun_up(6550);
    gun_down(6700);
    spear(7000, 200);
    diver(7200, 140);
    diver(7260, 220);
    spear(7450, 100);
    wasp(7650, 250);
    wasp(7710, 170);
    // The shields.
    shield_wall(7900, 150);
    dart(8000, 100);
    dart(8060, 280);
    shield_wall(8600, 210);
    wasp(8700, 140);
    gun_up(8650);
    spore(9000, 140);
    spore(9040, 240);
    shield_wall(9300, 120);
    dart(9550, 200);
    dart(9610, 280);
    spear(9800, 130);
    // The last defences.
    cannon(10050, false);
    spear(10100, 120);
    spear(10160, 260);
    gun_down(10300);
    cannon(10450, true);
    diver(10500, 110);
    diver(10560, 180);
    diver(10620, 250);
    dart(10900, 130);
    dart(10960, 230);
    wasp(11200, 180);
    spore(11300, 200);
    dart(11500, 110);
    dart(11560, 260);
    diver(11750, 180);

    // A cache of blue lasers before the heart: every ship meets the shell
    // with a weapon that ends the fight within its minute.
    for (const auto& [x, y] : {std::pair{11250, 200}, {11420, 120}, {11590, 260}, {11760, 160}})
        level.place(x, y, 0, "bluepowerup");

    // Turrets on the arena's floor and roof before the shell.
    gun_up(kShellX - 320);
    gun_down(kShellX - 260);
    level.place(kShellX, 150, 0, "finalbossshell");
    // Sentinels behind it, out of the line of its guns: the fight is fought
    // under their fire.
    for (int dx : {120, 200}) worlds::place_sentinel(level, g.floor, kShellX + dx);
    worlds::place_sentinel(level, g.roof, kShellX + 160);

    // Beyond the shell: the way out, and the gate that ends the road.
    pylons(kExitX - 200);
    cannon(kExitX + 120, true);
    level.place(kExitX, 140, 0, "exitportal");
    level.place(kGateX, 0, 1, "redbossleft");
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    Ground ground;
    shape(ground);
    const art::Noise noise(art::seed_of("lastplating"));
    // The far wall is one picture placed first (layer 3); the spines follow.
    place_level(world, ground);
    worlds::Backdrop spines{.prefix = "lastspines", .period = 1536, .tile_width = 256, .paint = paint_spines};
    worlds::lay_backdrop(world, spines, 2, 0, kLength);
    ground.floor.lay(world, "lastfloor", ground_look(noise, true));
    ground.roof.lay(world, "lastroof", ground_look(noise, false));
}

}  // namespace last
