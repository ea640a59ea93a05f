// The two status bands around the play area: shields and scores at the top,
// weapon and drone power-ups at the bottom. Everything is drawn onto both
// buffers, so the bands survive page flips and are redrawn only on change.
#include <algorithm>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "state/globals.h"

namespace {

// Shield bars never show fewer units than this.
constexpr int kMinShieldShown = 3;
constexpr int kScoreCells = 7;
constexpr int kScoreCellWidth = 13;

struct PowerUpSlot {
    const int* item;
    const int* level;
    int x;
    int dx;
};

// Ship, first drone, second drone of player 1, then of player 2.
const PowerUpSlot kPowerUpSlots[] = {
    {&p1powerupitem, &p1poweruplevel, 48, 12},
    {&p1p1powerupitem, &p1p1poweruplevel, 112, 12},
    {&p1p2powerupitem, &p1p2poweruplevel, 176, 12},
    {&p2powerupitem, &p2poweruplevel, 464, 10},
    {&p2p1powerupitem, &p2p1poweruplevel, 528, 10},
    {&p2p2powerupitem, &p2p2poweruplevel, 592, 10},
};

void place(Sprite* sprite, int x) {
    if (sprite != nullptr) sprite->x = x;
}

void place(Sprite* sprite, int x, int y, int frame_index) {
    if (sprite == nullptr) return;
    sprite->x = x;
    sprite->y = y;
    sprite->curframe = frame_index;
}

int frame_xoffset(const Sprite* sprite) {
    const Sprite::frame* f = sprite->current_frame();
    return f != nullptr ? f->xoffset : 0;
}

}  // namespace

void Velmora_Win::draw_in_band(Sprite* sprite, const RECT* band) {
    if (sprite == nullptr || sprite->current_frame() == nullptr) return;
    sprite->draw(band);
    sprite->draw2(band);
}

void Velmora_Win::load_power_up_icons() {
    score_digits = Sprite::getnamedsprite("score");
    shieldbar = Sprite::getnamedsprite("shieldbar");
    blueicon = Sprite::getnamedsprite("blueicon");
    missileicon = Sprite::getnamedsprite("missileicon");
    heatseekericon = Sprite::getnamedsprite("heatseekericon");
    photonicon = Sprite::getnamedsprite("photonicon");
    staricon = Sprite::getnamedsprite("staricon");
    playeroneicon = Sprite::getnamedsprite("playeroneicon");
    playertwoicon = Sprite::getnamedsprite("playertwoicon");
    droneicon = Sprite::getnamedsprite("droneicon");
    bar = Sprite::getnamedsprite("bar");
    bar2 = Sprite::getnamedsprite("bar2");
    buble = Sprite::getnamedsprite("buble");
    // The background pieces sit one row higher than their definitions say.
    for (Sprite* piece : {bar, buble, bar2})
        if (piece != nullptr) piece->y -= 1;
}

void Velmora_Win::black_out_ports() {
    if (!PreDrawScene()) return;
    const RECT screen{0, 0, 640, 480};
    ClearSurface(primsurf, 0, 0, 0, &screen);
    ClearSurface(backsurf, 0, 0, 0, &screen);
}

void Velmora_Win::prep_shield_bars() {
    if (!PreDrawScene() || shieldbar == nullptr) return;
    place(shieldbar, 0, 0, 0);
    draw_in_band(shieldbar, &statusbar_rect);
    place(shieldbar, 7, 7, 1);
    draw_in_band(shieldbar, &statusbar_rect);
    place(shieldbar, 320, 0, 0);
    draw_in_band(shieldbar, &statusbar_rect);
    place(shieldbar, 327, 7, 1);
    draw_in_band(shieldbar, &statusbar_rect);
    // The growing and shrinking steps of update_status_bar draw this frame.
    shieldbar->curframe = 2;
}

void Velmora_Win::prep_score_bar() {
    if (!PreDrawScene()) return;
    for (int x : {124, 444}) {
        place(buble, x);
        draw_in_band(buble, &statusbar_rect);
    }
    for (int x : {140, 172, 204, 460, 492, 524}) {
        place(bar2, x);
        draw_in_band(bar2, &statusbar_rect);
    }
    if (score_digits != nullptr) score_digits->y = 7;
}

void Velmora_Win::prep_power_up_bar() {
    if (!PreDrawScene()) return;
    const RECT* band = &powerupbar_rect;
    auto draw_at = [&](Sprite* sprite, std::initializer_list<int> xs) {
        for (int x : xs) {
            place(sprite, x);
            draw_in_band(sprite, band);
        }
    };
    draw_at(buble, {0, 192, 224, 384, 416, 608});
    draw_at(bar, {16, 48, 80, 112, 144, 176});
    draw_at(bar2, {240, 272, 304, 336, 368});
    draw_at(bar, {432, 464, 496, 528, 560, 592});
    draw_at(bar2, {16, 80, 144});
    draw_at(playeroneicon, {16});
    draw_at(droneicon, {80, 144});
    draw_at(bar2, {432, 496, 560});
    draw_at(playertwoicon, {432});
    draw_at(droneicon, {496, 560});
    draw_power_up_icons(blueicon, 1);
    draw_power_up_icons(missileicon, 2);
    draw_power_up_icons(heatseekericon, 3);
    draw_power_up_icons(photonicon, 4);
    draw_power_up_icons(staricon, 5);
}

void Velmora_Win::draw_power_up_icons(Sprite* icon, int item) {
    for (const PowerUpSlot& slot : kPowerUpSlots)
        if (*slot.item == item) draw_power_up_icon(icon, slot.x, slot.dx, *slot.level);
}

void Velmora_Win::draw_power_up_icon(Sprite* icon, int x, int dx, int level) {
    place(icon, x);
    draw_in_band(icon, &powerupbar_rect);
    if (score_digits == nullptr) return;
    score_digits->x = x + dx;
    score_digits->curframe = level;  // digit d is frame d + 1; a level outside 0..9 shows none
    draw_in_band(score_digits, &powerupbar_rect);
}

namespace {

// Draws the shield sprite once per unit between the shown value and the new
// one, one pixel further each time, and returns the value now shown. `origin`
// is the band x of unit 0 (the bar starts at origin + shown); player two's bar
// draws one unit more when growing. Draws that would land wholly right of the
// band are skipped, so a wild value cannot stall a frame or overflow x.
int move_shield_bar(Velmora_Win& win, int shown, int target, int origin, bool inclusive_growth) {
    Sprite* bar = win.shieldbar;
    const RECT* band = &win.statusbar_rect;
    const long long right = band->right - band->left;
    const long long xoffset = frame_xoffset(bar);
    long long x = static_cast<long long>(shown) + origin;
    auto draw_at = [&](long long at) {
        bar->x = static_cast<int>(at);
        win.draw_in_band(bar, band);
    };
    if (target < shown) {
        const int floor = std::max(target, kMinShieldShown);
        long long k = shown;
        const long long beyond = x + xoffset - right;
        if (beyond > 0) {
            const long long skip = std::min(beyond, std::max(k - floor, 0LL));
            k -= skip;
            x -= skip;
        }
        for (; k > floor; --k, --x) draw_at(x);
        return floor;
    }
    for (long long k = std::max(shown, kMinShieldShown);
         (inclusive_growth ? k <= target : k < target) && x + xoffset < right; ++k, ++x)
        draw_at(x);
    return target;
}

// Seven right-aligned 13-pixel cells from `left`; leading zeros stay blank, so
// a score of 0 shows no digit. Only the last seven digits fit.
void draw_score_digits(Velmora_Win& win, long score, int left) {
    Sprite* digits = win.score_digits;
    if (digits == nullptr) return;
    digits->x = left;
    bool drawing = false;
    long place_value = 1000000;
    for (int cell = 0; cell < kScoreCells; ++cell, place_value /= 10) {
        const long digit = (score / place_value) % 10;
        if (digit != 0 || drawing) {
            drawing = true;
            digits->curframe = static_cast<int>(digit);
            win.draw_in_band(digits, &win.statusbar_rect);
        }
        digits->x += kScoreCellWidth;
    }
}

}  // namespace

void Velmora_Win::update_status_bar() {
    if (shieldbar != nullptr) {
        if (player1hitpoints != shownhitpoints1)
            shownhitpoints1 = move_shield_bar(*this, shownhitpoints1, player1hitpoints, 5, false);
        if (player2hitpoints != shownhitpoints2)
            shownhitpoints2 = move_shield_bar(*this, shownhitpoints2, player2hitpoints, 325, true);
    }

    struct ScoreArea {
        long score;
        int& shown;
        int left;
    };
    ScoreArea areas[] = {{player1score, shownscore1, 212}, {player2score, shownscore2, 530}};
    for (ScoreArea& area : areas) {
        if (area.score == area.shown) continue;
        // Clear the digit cells with background pieces before the new digits.
        const int left = area.left;
        place(bar2, left);
        draw_in_band(bar2, &statusbar_rect);
        place(bar2, left + 32);
        draw_in_band(bar2, &statusbar_rect);
        place(buble, left + 68);
        draw_in_band(buble, &statusbar_rect);
        place(bar2, left + 48);
        draw_in_band(bar2, &statusbar_rect);
        area.shown = static_cast<int>(area.score);
        draw_score_digits(*this, area.score, left);
    }
}
