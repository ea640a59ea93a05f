#include "generator/worlds/common/level_script.h"

#include "generator/art/prelude.h"
#include <cmath>

namespace worlds {

int x_on_layer(int level_x, int layer, int column, const layers::Speeds& speeds) {
    const int speed = layers::scroll_speed(layer, speeds);
    if (speed == 0) return column;
    // Frames until the level-x content reaches the column, then the distance
    // the other layer covers in that time.
    const double frames = (level_x - column) / double(layers::kLevelSpeed);
    return column + int(std::lround(frames * speed));
}

void LevelScript::place(int x, int y, int layer, const std::string& name) {
    records_.push_back(writers::LevelRecord{x, y, layer, name});
}

void LevelScript::formation(const std::string& name, int x, int y, const std::vector<art::Pt>& offsets, int layer) {
    for (const art::Pt& o : offsets) place(x + int(std::lround(o.x)), y + int(std::lround(o.y)), layer, name);
}

bool LevelScript::write(const content::Context& context, const std::string& world_dir) const {
    return writers::write_text(context.path(world_dir + "/Levels/NORMAL.LVL"), writers::encode_lvl(records_));
}

std::vector<art::Pt> line(int count, double dx, double dy) {
    std::vector<art::Pt> out;
    for (int i = 0; i < count; ++i) out.push_back({i * dx, i * dy});
    return out;
}

std::vector<art::Pt> vee(int count, double dx, double dy) {
    std::vector<art::Pt> out{{0, 0}};
    for (int i = 1; i < count; ++i) {
        const int rank = (i + 1) / 2;
        const double side = (i % 2 == 1) ? -1 : 1;
        out.push_back({rank * dx, side * rank * dy});
    }
    return out;
}

std::vector<art::Pt> ring(int count, double rx, double ry, double start_deg) {
    std::vector<art::Pt> out;
    for (int i = 0; i < count; ++i) {
        const double a = (start_deg + 360.0 * i / count) * kPi / 180;
        out.push_back({rx * std::cos(a), ry * std::sin(a)});
    }
    return out;
}

}  // namespace worlds
