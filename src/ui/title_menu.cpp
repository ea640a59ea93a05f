// The title menu: five buttons over the title picture.
#include <mutex>

#include "app/Velmora_Win.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "ui/button_area.h"
#include "ui/menu_navigation.h"

namespace {

constexpr int kButtonY = 428;

enum class TitleAction { About, OnePlayer, TwoPlayer, Options, Quit };

struct TitleButton {
    int x;
    Surface* Velmora_Win::*normal;
    Surface* Velmora_Win::*pressed;
    TitleAction action;
};

constexpr int kButtonCount = 5;
constexpr int kFirstKeyButton = 1;  // 1 Player

constexpr TitleButton kTitleButtons[kButtonCount] = {
    {24, &Velmora_Win::about_up, &Velmora_Win::about_down, TitleAction::About},
    {146, &Velmora_Win::oneplayer_up, &Velmora_Win::oneplayer_down, TitleAction::OnePlayer},
    {268, &Velmora_Win::twoplayer_up, &Velmora_Win::twoplayer_down, TitleAction::TwoPlayer},
    {390, &Velmora_Win::options_up, &Velmora_Win::options_down, TitleAction::Options},
    {512, &Velmora_Win::quit_up, &Velmora_Win::quit_down, TitleAction::Quit},
};

void perform(Velmora_Win& win, TitleAction action) {
    switch (action) {
        case TitleAction::About:
            win.game_state = kStateAbout;
            win.creditscroll = 260;
            win.load_music();  // the about tune starts with the screen, not a frame later
            break;
        case TitleAction::OnePlayer:
            win.game_state = kStateNewGame;
            currentlevel = 1;
            player1 = true;
            player2 = false;
            break;
        case TitleAction::TwoPlayer:
            win.game_state = kStateNewGame;
            currentlevel = 1;
            player1 = true;
            player2 = true;
            break;
        case TitleAction::Options: win.game_state = kStateOptions; break;
        case TitleAction::Quit: win.game_state = kStateQuit; break;
    }
}

// Keys and controller: the highlight walks the row of buttons (any direction,
// going round), Enter or A presses. Start presses too when there is no game
// to go back to; otherwise it is the Escape that resumes the game.
void title_keys(Velmora_Win& win) {
    MenuKeys& keys = menu_keys();
    for (MenuCommand command : keys.take(4, menu_frame(), kFirstKeyButton)) {
        if (win.game_state != kStateTitleMenu) break;
        if (command == MenuCommand::Back) continue;
        if (command == MenuCommand::Start && win.game_to_resume()) continue;
        if (keys.reveal()) continue;
        switch (command) {
            case MenuCommand::Left:
            case MenuCommand::Up: keys.move(-1, kButtonCount); break;
            case MenuCommand::Right:
            case MenuCommand::Down: keys.move(+1, kButtonCount); break;
            default: perform(win, kTitleButtons[keys.selected()].action); break;
        }
    }
    if (win.game_state != kStateTitleMenu || !keys.shown()) return;
    const TitleButton& button = kTitleButtons[keys.selected()];
    const Surface* picture = win.*button.normal;
    if (picture == nullptr) return;
    draw_highlight(win, RECT{button.x, kButtonY, button.x + picture->width, kButtonY + picture->height});
}

}  // namespace

void Velmora_Win::draw_user_interface() {
    BltSurface(backsurf, titlescreen, 0, 0, 0);
    for (const TitleButton& button : kTitleButtons)
        BltSurface(backsurf, this->*button.normal, button.x, kButtonY, 0);

    // Held for the whole frame so the cursor cannot move between the hit tests.
    std::lock_guard<std::recursive_mutex> lock(critsection);
    bool left_arrived = false;
    drain_clicks(mouse_down, &left_arrived);

    if (mouse_down) {
        for (const TitleButton& button : kTitleButtons) {
            Surface* pressed = this->*button.pressed;
            if (cursor_on_button(pressed, button.x, kButtonY, curx, cury))
                BltSurface(backsurf, pressed, button.x, kButtonY, 0);
        }
    } else if (left_arrived) {
        for (const TitleButton& button : kTitleButtons)
            if (cursor_on_button(this->*button.pressed, button.x, kButtonY, curx, cury))
                perform(*this, button.action);
    }
    title_keys(*this);
}
