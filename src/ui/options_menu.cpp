// The options menu: effects and music volume and OK where they always were,
// and below the music bar the rows of the player's other choices (autofire,
// full screen, scaling, smooth motion) and the way to the Controls screen.
#include <algorithm>
#include <mutex>
#include <string>

#include "app/Velmora_Win.h"
#include "app/choices.h"
#include "audio/Sample.h"
#include "audio/music.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "ui/button_area.h"
#include "ui/controls_screen.h"
#include "ui/menu_navigation.h"

namespace {

constexpr long kMaxVolume = 10;
constexpr int kBarLeft = 129;
constexpr int kBarStep = 36;
constexpr int kEffectsRowY = 150;
constexpr int kMusicRowY = 300;

enum class OptionAction { EffectsDown, MusicDown, EffectsUp, MusicUp, Ok };

struct OptionButton {
    int x;
    int y;
    Surface* Velmora_Win::*normal;
    Surface* Velmora_Win::*pressed;
    OptionAction action;
};

// Table order is the order presses are shown and releases act.
constexpr OptionButton kOptionButtons[] = {
    {90, kEffectsRowY, &Velmora_Win::left_arrow_up, &Velmora_Win::left_arrow_down,
     OptionAction::EffectsDown},
    {90, kMusicRowY, &Velmora_Win::left_arrow_up, &Velmora_Win::left_arrow_down,
     OptionAction::MusicDown},
    {488, kEffectsRowY, &Velmora_Win::right_arrow_up, &Velmora_Win::right_arrow_down,
     OptionAction::EffectsUp},
    {488, kMusicRowY, &Velmora_Win::right_arrow_up, &Velmora_Win::right_arrow_down,
     OptionAction::MusicUp},
    {560, 400, &Velmora_Win::ok_up, &Velmora_Win::ok_down, OptionAction::Ok},
};

// A volume read from the preferences file may lie outside 0..10; a step starts
// from the nearest valid value so one click always moves the setting visibly.
long stepped_volume(long volume, long step) {
    return std::clamp(std::clamp(volume, 0L, kMaxVolume) + step, 0L, kMaxVolume);
}

void change_effects_volume(long step) {
    fxvolume = stepped_volume(fxvolume, step);
    Sample::set_volume();
    thesample.play("yeah");  // let the player hear the new level, also at the limits
}

void change_music_volume(long step) {
    musicvolume = stepped_volume(musicvolume, step);
    music_set_volume(music_volume_for(musicvolume));
}

void perform(Velmora_Win& win, OptionAction action) {
    switch (action) {
        case OptionAction::EffectsDown: change_effects_volume(-1); break;
        case OptionAction::MusicDown: change_music_volume(-1); break;
        case OptionAction::EffectsUp: change_effects_volume(+1); break;
        case OptionAction::MusicUp: change_music_volume(+1); break;
        case OptionAction::Ok: win.game_state = kStateTitleMenu; break;
    }
}

// ---- the rows below the music bar, left of OK ----

enum class Row { Autofire, FullScreen, Scaling, Motion, Controls };
constexpr Row kRows[] = {Row::Autofire, Row::FullScreen, Row::Scaling, Row::Motion, Row::Controls};
constexpr int kRowCount = 5;
constexpr int kRowsTop = 342;
constexpr int kRowHeight = 23;
constexpr int kRowLeft = 90;
constexpr int kRowRight = 540;  // OK starts at 560
constexpr int kLabelX = 96;
constexpr int kValueX = 330;
constexpr int kRowTextCell = 20;

// A network game's options keep to the volumes: each player's choices are
// their own, and the host's clicks reach both games.
int rows_shown() { return network_run() ? 0 : kRowCount; }

int row_top(int i) { return kRowsTop + kRowHeight * i; }

bool cursor_on_row(int i, int cx, int cy) {
    return cx >= kRowLeft && cx <= kRowRight && cy >= row_top(i) && cy < row_top(i) + kRowHeight;
}

const char* row_label(Row row) {
    switch (row) {
        case Row::Autofire: return "Autofire";
        case Row::FullScreen: return "Full screen";
        case Row::Scaling: return "Scaling";
        case Row::Motion: return "Smooth motion";
        case Row::Controls: return "Controls";
    }
    return "";
}

std::string row_value(Row row) {
    switch (row) {
        case Row::Autofire: return autofire_now() ? "on" : "off";
        case Row::FullScreen: return fullscreen_now() ? "on" : "off";
        case Row::Scaling: return scaling_mode_name(scaling_now());
        case Row::Motion: return motion_now() == MotionMode::Smooth ? "on" : "off";
        case Row::Controls: return "keys...";
    }
    return {};
}

// `step` +1 (a click, Enter, right) or -1 (left). Each change is written to
// the settings file at once (app/choices.h).
void act_on_row(Row row, int step) {
    switch (row) {
        case Row::Autofire: choose_autofire(!autofire_now()); break;
        case Row::FullScreen: switch_fullscreen(); break;
        case Row::Scaling: choose_scaling(next_scaling(scaling_now(), step)); break;
        case Row::Motion:
            choose_motion(motion_now() == MotionMode::Smooth ? MotionMode::Original : MotionMode::Smooth);
            break;
        case Row::Controls:
            if (step > 0) open_controls_screen();
            break;
    }
}

void draw_rows(Velmora_Win& win, int pressed_row) {
    for (int i = 0; i < rows_shown(); ++i) {
        const int y = row_top(i) + (kRowHeight - kRowTextCell) / 2;
        win.DrawText(win.backsurf, kLabelX, y, row_label(kRows[i]), 130, 175, 255, kRowTextCell);
        const bool pressed = i == pressed_row;
        win.DrawText(win.backsurf, kValueX, y, row_value(kRows[i]), 255, pressed ? 208 : 255, pressed ? 32 : 255,
                     kRowTextCell);
    }
}

void draw_volume_bar(Velmora_Win& win, long volume, int y) {
    const long bars = std::clamp(volume, 0L, kMaxVolume);
    for (long i = 0; i < bars; ++i)
        win.BltSurface(win.backsurf, win.red_bar, kBarLeft + kBarStep * static_cast<int>(i), y, 0);
}

// Keys and controller: the highlight is on the effects row, the music row,
// one of the rows below them or OK (up and down); left and right on a volume
// press its arrows and on a row change its value; Enter or A on a row changes
// it (or opens the Controls screen), on OK goes back to the title, as Escape
// or B does anywhere.
constexpr int kEffectsItem = 0;
constexpr int kMusicItem = 1;
constexpr int kFirstRowItem = 2;
int ok_item() { return kFirstRowItem + rows_shown(); }

void option_keys(Velmora_Win& win) {
    MenuKeys& keys = menu_keys();
    for (MenuCommand command : keys.take(kStateOptions, menu_frame(), kEffectsItem)) {
        if (win.game_state != kStateOptions || controls_screen_open()) break;
        if (command == MenuCommand::Back) {
            perform(win, OptionAction::Ok);
            break;
        }
        if (keys.reveal()) continue;
        const int item = keys.selected();
        const bool on_row = item >= kFirstRowItem && item < ok_item();
        switch (command) {
            case MenuCommand::Up: keys.select(std::max(item - 1, 0)); break;
            case MenuCommand::Down: keys.select(std::min(item + 1, ok_item())); break;
            case MenuCommand::Left:
            case MenuCommand::Right: {
                const bool up = command == MenuCommand::Right;
                if (on_row) act_on_row(kRows[item - kFirstRowItem], up ? 1 : -1);
                else if (item == kEffectsItem) perform(win, up ? OptionAction::EffectsUp : OptionAction::EffectsDown);
                else if (item == kMusicItem) perform(win, up ? OptionAction::MusicUp : OptionAction::MusicDown);
                break;
            }
            default:
                if (item == ok_item()) perform(win, OptionAction::Ok);
                else if (on_row) act_on_row(kRows[item - kFirstRowItem], 1);
                break;
        }
    }
    if (win.game_state != kStateOptions || controls_screen_open() || !keys.shown()) return;
    const int item = keys.selected();
    if (item == ok_item()) {
        const OptionButton& ok = kOptionButtons[4];
        if (const Surface* picture = win.*ok.normal)
            draw_highlight(win, RECT{ok.x, ok.y, ok.x + picture->width, ok.y + picture->height});
        return;
    }
    if (item >= kFirstRowItem) {
        const int top = row_top(item - kFirstRowItem);
        draw_highlight(win, RECT{kRowLeft, top, kRowRight, top + kRowHeight - 1});
        return;
    }
    // A volume: from its left arrow to the end of its right arrow.
    const OptionButton& left = kOptionButtons[item == kEffectsItem ? 0 : 1];
    const OptionButton& right = kOptionButtons[item == kEffectsItem ? 2 : 3];
    const Surface* left_picture = win.*left.normal;
    const Surface* right_picture = win.*right.normal;
    const int height = std::max(left_picture ? left_picture->height : 0, right_picture ? right_picture->height : 0);
    const int end = right.x + (right_picture ? right_picture->width : 0);
    draw_highlight(win, RECT{left.x, left.y, end, left.y + height});
}

}  // namespace

void Velmora_Win::draw_option_interface() {
    if (controls_screen_open()) {
        draw_controls_screen(*this);
        return;
    }
    const RECT screen{0, 0, 640, 480};
    ClearSurface(backsurf, 0, 0, 0, &screen);

    for (const OptionButton& button : kOptionButtons)
        BltSurface(backsurf, this->*button.normal, button.x, button.y, 0);
    BltSurface(backsurf, fx_volume_label, 165, 95, 0);
    BltSurface(backsurf, music_volume_label, 126, 245, 0);

    // The bars show the values before this frame's click; a change shows next frame.
    draw_volume_bar(*this, fxvolume, kEffectsRowY);
    draw_volume_bar(*this, musicvolume, kMusicRowY);

    // Held for the whole frame so the cursor cannot move between the hit tests.
    std::lock_guard<std::recursive_mutex> lock(critsection);
    bool left_arrived = false;
    drain_clicks(mouse_down, &left_arrived);

    int pressed_row = -1;
    bool over_button = false;
    for (const OptionButton& button : kOptionButtons)
        over_button = over_button || cursor_on_button(this->*button.normal, button.x, button.y, curx, cury);
    for (int i = 0; i < rows_shown() && !over_button; ++i)
        if (mouse_down && cursor_on_row(i, curx, cury)) pressed_row = i;
    draw_rows(*this, pressed_row);

    if (mouse_down) {
        for (const OptionButton& button : kOptionButtons)
            if (cursor_on_button(this->*button.normal, button.x, button.y, curx, cury))
                BltSurface(backsurf, this->*button.pressed, button.x, button.y, 0);
    } else if (left_arrived) {
        bool on_button = false;
        for (const OptionButton& button : kOptionButtons)
            if (cursor_on_button(this->*button.normal, button.x, button.y, curx, cury)) {
                perform(*this, button.action);
                on_button = true;
            }
        // A data set's larger pictures may reach over a row: the button has it.
        for (int i = 0; i < rows_shown() && !on_button && game_state == kStateOptions; ++i)
            if (cursor_on_row(i, curx, cury)) act_on_row(kRows[i], 1);
    }
    option_keys(*this);
}
