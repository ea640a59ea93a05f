// The parts of a keyed image that a copy must write: for every row, the runs
// of pixels that differ from the colour key. Worked out once per image; a
// copy then moves each run with memcpy and never looks at a key pixel.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "display/Surface.h"

struct KeySpans {
    uint32_t key = 0;    // the key, cut to the pixel size
    bool opaque = false;  // no key pixel at all: every row copies whole
    // Row y's runs are runs[row_start[y]] .. runs[row_start[y + 1] - 1].
    std::vector<uint32_t> row_start;
    struct Run {
        uint32_t begin, end;  // columns, end exclusive
    };
    std::vector<Run> runs;
    // Rows broken into many short runs copy faster pixel by pixel over the
    // one run from their first to their last opaque pixel.
    std::vector<uint8_t> compare_row;
};

// The spans of `surface` for `key` (a pixel value cut to the pixel size).
std::shared_ptr<const KeySpans> build_key_spans(const Surface& surface, uint32_t key);

// The spans for a keyed copy from `surface`: those kept with it when they
// were made for the same key, otherwise new ones, kept for next time.
std::shared_ptr<const KeySpans> key_spans_for(const Surface& surface, uint32_t key);
