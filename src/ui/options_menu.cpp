// The options menu: effects and music volume, OK.
#include <algorithm>
#include <mutex>

#include "app/Velmora_Win.h"
#include "app/game_states.h"
#include "app/globals.h"
#include "audio/Sample.h"
#include "audio/music.h"
#include "ui/button_area.h"
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

void draw_volume_bar(Velmora_Win& win, long volume, int y) {
    const long bars = std::clamp(volume, 0L, kMaxVolume);
    for (long i = 0; i < bars; ++i)
        win.BltSurface(win.backsurf, win.red_bar, kBarLeft + kBarStep * static_cast<int>(i), y, 0);
}

// Keys and controller: the highlight is on the effects row, the music row or
// OK (up and down); left and right on a row press its arrows; Enter or A on OK,
// or Escape or B anywhere, go back to the title.
enum KeyItem { EffectsRow, MusicRow, OkItem, KeyItemCount };

void option_keys(Velmora_Win& win) {
    MenuKeys& keys = menu_keys();
    for (MenuCommand command : keys.take(kStateOptions, menu_frame(), EffectsRow)) {
        if (win.game_state != kStateOptions) break;
        if (command == MenuCommand::Back) {
            perform(win, OptionAction::Ok);
            break;
        }
        if (keys.reveal()) continue;
        const int item = keys.selected();
        switch (command) {
            case MenuCommand::Up: keys.select(std::max(item - 1, 0)); break;
            case MenuCommand::Down: keys.select(std::min(item + 1, KeyItemCount - 1)); break;
            case MenuCommand::Left:
            case MenuCommand::Right: {
                if (item == OkItem) break;
                const bool up = command == MenuCommand::Right;
                perform(win, item == EffectsRow ? (up ? OptionAction::EffectsUp : OptionAction::EffectsDown)
                                                : (up ? OptionAction::MusicUp : OptionAction::MusicDown));
                break;
            }
            default:
                if (item == OkItem) perform(win, OptionAction::Ok);
                break;
        }
    }
    if (win.game_state != kStateOptions || !keys.shown()) return;
    if (keys.selected() == OkItem) {
        const OptionButton& ok = kOptionButtons[4];
        if (const Surface* picture = win.*ok.normal)
            draw_highlight(win, RECT{ok.x, ok.y, ok.x + picture->width, ok.y + picture->height});
        return;
    }
    // A row: from its left arrow to the end of its right arrow.
    const OptionButton& left = kOptionButtons[keys.selected() == EffectsRow ? 0 : 1];
    const OptionButton& right = kOptionButtons[keys.selected() == EffectsRow ? 2 : 3];
    const Surface* left_picture = win.*left.normal;
    const Surface* right_picture = win.*right.normal;
    const int height = std::max(left_picture ? left_picture->height : 0, right_picture ? right_picture->height : 0);
    const int end = right.x + (right_picture ? right_picture->width : 0);
    draw_highlight(win, RECT{left.x, left.y, end, left.y + height});
}

}  // namespace

void Velmora_Win::draw_option_interface() {
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

    if (mouse_down) {
        for (const OptionButton& button : kOptionButtons)
            if (cursor_on_button(this->*button.normal, button.x, button.y, curx, cury))
                BltSurface(backsurf, this->*button.pressed, button.x, button.y, 0);
    } else if (left_arrived) {
        for (const OptionButton& button : kOptionButtons)
            if (cursor_on_button(this->*button.normal, button.x, button.y, curx, cury))
                perform(*this, button.action);
    }
    option_keys(*this);
}
