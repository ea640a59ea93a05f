// The lines of the about and ending screens.
#pragma once

#include <span>

struct CreditLine {
    int offset;        // pixels below the top of the text block
    const char* text;  // empty: the slot is kept but nothing is drawn
};

// The credits block shown by both screens.
std::span<const CreditLine> credits_block();
// The congratulation the ending shows above the credits block.
std::span<const CreditLine> ending_preface();

// Offset of the credits block's last line.
constexpr int kLastCreditOffset = 1850;
