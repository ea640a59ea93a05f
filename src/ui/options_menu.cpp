// The options menu (game state 12): effects and music volume, OK.
#include <algorithm>
#include <mutex>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "audio/Sample.h"
#include "audio/music.h"
#include "ui/button_area.h"

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
        case OptionAction::Ok: win.game_state = 4; break;
    }
}

void draw_volume_bar(Velmora_Win& win, long volume, int y) {
    const long bars = std::clamp(volume, 0L, kMaxVolume);
    for (long i = 0; i < bars; ++i)
        win.BltSurface(win.backsurf, win.red_bar, kBarLeft + kBarStep * static_cast<int>(i), y, 0);
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
}
