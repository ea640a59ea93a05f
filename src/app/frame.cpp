// One frame of the game: the state machine and the play frame.
#include <cstdint>

#include "app/Velmora_Win.h"
#include "app/autofire.h"
#include "app/clock.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"

namespace {
constexpr uint32_t kLogoMs = 2000;
constexpr uint32_t kPlayFrameMs = 45;
}  // namespace

void Velmora_Win::DrawScene() {
    if (CloseMessagePosted()) return;
    run_state_handler();
    // The quit state has posted the close message: no music, no flip, no sleep.
    if (CloseMessagePosted()) return;

    if (game_state != 14) keep_music_alive();
    if (PreDrawScene()) Flip();
    platform::backend().sleep_ms(1);
}

void Velmora_Win::run_state_handler() {
    switch (game_state) {
        case 0:  // start-up
            load_prefs();
            start_music_system();
            frame_time = now_ms();
            game_state = 1;
            break;
        case 1:  // publisher logo
            BltSurface(backsurf, publisher_logo, 0, 0, 0);
            if (now_ms() > frame_time + kLogoMs) {
                frame_time = now_ms();
                game_state = 2;
            }
            drain_clicks(mouse_down);
            if (mouse_down) game_state = 2;
            break;
        case 2:  // studio logo
            BltSurface(backsurf, studio_logo, 0, 0, 0);
            if (now_ms() > frame_time + kLogoMs) {
                frame_time = now_ms();
                game_state = 4;
            }
            drain_clicks(mouse_down);
            if (mouse_down) {
                game_state = 4;
                // Nothing shows the logos again once they were clicked away.
                ReleaseSurface(publisher_logo);
                ReleaseSurface(studio_logo);
                publisher_logo = nullptr;
                studio_logo = nullptr;
            }
            break;
        case 3:
            about_game();
            break;
        case 4:
            draw_user_interface();
            draw_mouse();
            break;
        case 5:  // never entered
            draw_mouse();
            break;
        case 6:
            reset_game();
            break;
        case 7:
            creditscroll = 260;
            load_level();
            break;
        case 8:
            game_loop();
            break;
        case 9:
            end_game();
            break;
        case 10:
            retry_level();
            draw_mouse();
            break;
        case 11:  // never entered
            break;
        case 12:
            draw_option_interface();
            draw_mouse();
            break;
        case 13:
            play_ending();
            break;
        case 14:  // quit
            stop_music_system();
            save_prefs();
            PostCloseMessage();
            break;
        default:
            break;
    }
}

void Velmora_Win::game_loop() {
    drain_clicks(g_themousebutton);
    keep_music_alive();
    frame_time = now_ms() + kPlayFrameMs;

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

    // A short frame still lasts 45 ms; a long one is not shortened to catch up.
    wait_until_ms(frame_time);

    if (gameover || currentlevel != loaded_level) {
        game_state = 9;
        g_themousebutton = false;
    }
}
