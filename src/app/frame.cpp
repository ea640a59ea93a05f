// One frame of the game: the state machine and the play frame.
#include <cstdint>

#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/clock.h"
#include "app/fire_taps.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"

namespace {
constexpr uint32_t kLogoMs = 2000;
}  // namespace

void Velmora_Win::DrawScene() {
    if (CloseMessagePosted()) return;
    // Any other state in between (a menu, a level load) ends the run of play
    // frames; the next one starts its schedule afresh.
    if (game_state != kStatePlaying) play_schedule.restart();
    run_state_handler();
    // The quit state has posted the close message: no music, no flip, no sleep.
    if (CloseMessagePosted()) return;

    if (game_state != kStateQuit) keep_music_alive();
    if (PreDrawScene()) pictures.flip(*this);
    pictures.pause(*this);
}

void Velmora_Win::run_state_handler() {
    switch (game_state) {
        case kStateStartUp:
            load_prefs();
            start_music_system();
            frame_time = now_ms();
            game_state = kStatePublisherLogo;
            break;
        case kStatePublisherLogo:
            BltSurface(backsurf, publisher_logo, 0, 0, 0);
            if (now_ms() > frame_time + kLogoMs) {
                frame_time = now_ms();
                game_state = kStateStudioLogo;
            }
            drain_clicks(mouse_down);
            if (mouse_down) game_state = kStateStudioLogo;
            break;
        case kStateStudioLogo:
            BltSurface(backsurf, studio_logo, 0, 0, 0);
            if (now_ms() > frame_time + kLogoMs) {
                frame_time = now_ms();
                game_state = kStateTitleMenu;
            }
            drain_clicks(mouse_down);
            if (mouse_down) {
                game_state = kStateTitleMenu;
                // Nothing shows the logos again once they were clicked away.
                ReleaseSurface(publisher_logo);
                ReleaseSurface(studio_logo);
                publisher_logo = nullptr;
                studio_logo = nullptr;
            }
            break;
        case kStateAbout:
            about_game();
            break;
        case kStateTitleMenu:
            draw_user_interface();
            draw_mouse();
            break;
        case kStateUnused5:
            draw_mouse();
            break;
        case kStateNewGame:
            reset_game();
            break;
        case kStateLoadLevel:
            creditscroll = 260;
            load_level();
            break;
        case kStatePlaying:
            game_loop();
            break;
        case kStateLevelEnded:
            end_game();
            break;
        case kStateContinue:
            retry_level();
            draw_mouse();
            break;
        case kStateUnused11:
            break;
        case kStateOptions:
            draw_option_interface();
            draw_mouse();
            break;
        case kStateEnding:
            play_ending();
            break;
        case kStateQuit:
            stop_music_system();
            save_prefs();
            PostCloseMessage();
            break;
        default:
            break;
    }
}

void Velmora_Win::game_loop() {
    const PlayFireControls fire(*this);  // a tap between two play frames counts as held for this one
    keep_music_alive();
    frame_time = play_schedule.next_deadline(now_ms());

    if (Sprite::the_level != nullptr) {
        const HeldFireAsTaps taps;  // autofire: a held fire control taps
        make_sprite_active_list();
        move_sprite_active_list();
        draw_sprite_active_list();
    }
    if (updatepowerupbar) {
        prep_power_up_bar();
        updatepowerupbar = false;
    }
    update_status_bar();

    // A short frame still lasts its period; a long one is not shortened.
    // In smooth motion the wait shows pictures between this step and the last.
    pictures.wait_for_deadline(*this, frame_time);

    if (gameover || currentlevel != loaded_level) {
        game_state = kStateLevelEnded;
        g_themousebutton = false;
    }
}
