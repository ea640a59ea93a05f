#include "generator/art/preview.h"

#include <algorithm>

#include "generator/art/canvas.h"
#include "generator/art/lettering.h"

namespace art {

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kMargin = 10;
constexpr int kLabelHeight = 14;
constexpr int kGap = 6;

Canvas to_canvas(const writers::Image& image, bool keyed, writers::Rgb key) {
    Canvas c(image.width, image.height);
    c.map_pixels([&](int x, int y, Color& out) {
        const writers::Rgb p = image.at(x, y);
        if (keyed && p == key)
            out = Color{0, 0, 0, 0};
        else
            out = Color::rgb(p.r, p.g, p.b);
    });
    return c;
}

int zoom_for(const PreviewItem& item) {
    int largest = 0;
    for (const auto& im : item.images) largest = std::max({largest, im.width, im.height});
    if (largest <= 40) return 3;
    if (largest <= 140) return 2;
    return 1;
}

TextStyle label_style() {
    TextStyle label;
    label.height = 7;
    label.weight = 1.0;
    label.tracking = 1.4;
    label.outline_width = 0;
    label.fill = {{0, Color::hex(0xd8dde8)}, {1, Color::hex(0xa0a8b8)}};
    return label;
}

struct Placement {
    const writers::Image* image;
    const PreviewItem* item;
    int x, y, zoom;
};

}  // namespace

bool write_preview_sheet(const std::string& path, const std::string& title, const std::vector<PreviewItem>& items) {
    // Lay out: each item starts a new block with its label; frames flow left
    // to right and wrap.
    std::vector<Placement> placements;
    std::vector<std::pair<std::string, std::pair<int, int>>> labels;
    int y = kMargin + 24;
    int row_x = kMargin, row_height = 0;
    for (const PreviewItem& item : items) {
        const int zoom = zoom_for(item);
        int block_width = 0;
        for (const auto& im : item.images) block_width += im.width * zoom + kGap;
        // Small items share a row; an item that does not fit starts a new one.
        if (row_x > kMargin && row_x + std::min(block_width, kSheetWidth - 2 * kMargin) > kSheetWidth - kMargin) {
            y += row_height + kLabelHeight + kGap * 2;
            row_x = kMargin;
            row_height = 0;
        }
        labels.push_back({item.label, {row_x, y}});
        int x = row_x;
        int line_y = y + kLabelHeight;
        int line_height = 0;
        for (const auto& im : item.images) {
            if (x > row_x && x + im.width * zoom > kSheetWidth - kMargin) {
                x = row_x;
                line_y += line_height + kGap;
                line_height = 0;
            }
            placements.push_back({&im, &item, x, line_y, zoom});
            x += im.width * zoom + kGap;
            line_height = std::max(line_height, im.height * zoom);
        }
        row_height = std::max(row_height, line_y - y - kLabelHeight + line_height);
        row_x = std::max(x, row_x + int(text_width(item.label, label_style())) + kGap) + kGap * 3;
        // An item that wrapped owns its rows.
        if (line_y > y + kLabelHeight) row_x = kSheetWidth;
    }
    const int height = y + row_height + kLabelHeight + kMargin * 2;

    Canvas sheet(kSheetWidth, height);
    sheet.clear(Color::hex(0x202228));
    const TextStyle label = label_style();
    TextStyle heading = label;
    heading.height = 12;
    draw_text(sheet, kMargin, kMargin, "CONTENT: " + title, heading);
    for (const auto& [text, at] : labels) draw_text(sheet, at.first, at.second + 2, text, label);
    for (const Placement& p : placements) {
        const int w = p.image->width * p.zoom, h = p.image->height * p.zoom;
        // A checked backdrop shows what is transparent.
        for (int cy = 0; cy < h; cy += 8)
            for (int cx = 0; cx < w; cx += 8) {
                sheet.rect(p.x + cx, p.y + cy, std::min(8, w - cx), std::min(8, h - cy));
                sheet.fill(Paint::solid(((cx + cy) / 8) % 2 ? Color::hex(0x3a3d46) : Color::hex(0x4a4e58)));
            }
        Canvas image = to_canvas(*p.image, p.item->keyed, p.item->key);
        sheet.draw_scaled(image, p.x, p.y, p.zoom, true);
    }
    return cairo_surface_write_to_png(sheet.surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace art
