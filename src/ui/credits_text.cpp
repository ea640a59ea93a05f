#include "ui/credits_text.h"

namespace {

// Name lines are indented by five spaces, six under "Additional Art Work:".
constexpr CreditLine kCredits[] = {
    {200, "Velmora"},
    {250, "A Quornash Software Production"},
    {300, ""},
    {350, "Lead CG Artist:"},
    {400, "     The Velmora art team"},
    {450, ""},
    {500, "Additional Art Work:"},
    {550, "      Drawn in code by the Velmora tools"},
    {600, "      Velmora contributors"},
    {650, ""},
    {700, "Lead Programmer:"},
    {750, "     The Velmora team"},
    {800, ""},
    {850, "Additional Programming:"},
    {900, "     Velmora contributors"},
    {950, "     Everyone who sent a patch"},
    {1000, ""},
    {1050, "Sound FX:"},
    {1100, "     Generated in code by the Velmora tools"},
    {1150, "     Velmora contributors"},
    {1200, ""},
    {1250, "Music:"},
    {1300, "     Composed in code by the Velmora team"},
    {1350, ""},
    {1400, "Level Design:"},
    {1450, "     The Velmora team"},
    {1500, "     Velmora contributors"},
    {1550, ""},
    {1600, "Game Design:"},
    {1650, "     The Velmora team"},
    {1700, "     Velmora contributors"},
    {1750, ""},
    {1800, "Velmora V 3.0 Music remixes and Power Up art"},
    {kLastCreditOffset, "     Velmora contributors"},
};

constexpr CreditLine kEndingPreface[] = {
    {0, "Congratulations"},
    {50, ""},
    {100, "You have defeated Velmora"},
    {150, ""},
};

}  // namespace

std::span<const CreditLine> credits_block() { return kCredits; }
std::span<const CreditLine> ending_preface() { return kEndingPreface; }
