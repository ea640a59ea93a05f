// Contact sheets: every image a module wrote, on one PNG, to look at the art.
#pragma once

#include <string>
#include <vector>

#include "writers/bmp_writer.h"

namespace art {

struct PreviewItem {
    std::string label;
    std::vector<writers::Image> images;  // the frames, or one picture
    bool keyed = false;                  // pixels of `key` are shown as see-through
    writers::Rgb key;
};

// Lays the items out in rows (small sprites enlarged) on a checked background
// and writes a PNG; false if the file could not be written.
bool write_preview_sheet(const std::string& path, const std::string& title, const std::vector<PreviewItem>& items);

}  // namespace art
