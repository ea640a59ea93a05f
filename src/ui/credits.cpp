// The about screen and the ending: red text rising one
// pixel per 35 ms frame over the ending picture; a click leaves to the title.
#include <climits>
#include <cstdint>
#include <mutex>

#include "app/Velmora_Win.h"
#include "app/clock.h"
#include "state/game_states.h"
#include "ui/credits_text.h"
#include "ui/menu_navigation.h"

namespace {

constexpr uint32_t kCreditFrameMs = 35;
constexpr int kTextX = 25;
constexpr int kScreenHeight = 480;
// The about screen starts over once the last line is this far above the screen.
constexpr int kRestartMargin = 50;
constexpr int kRestartScroll = 300;
// The ending follows play at once: a fire button still being hammered in the
// last moments must not throw it away. Keys count after about a second.
constexpr long kEndingKeyDelayFrames = 30;

void draw_lines(Velmora_Win& win, std::span<const CreditLine> lines) {
    const int cell = win.font_cell_height;
    for (const CreditLine& line : lines) {
        if (line.text[0] == '\0') continue;
        const long long y = static_cast<long long>(win.creditscroll) + line.offset;
        // Lines wholly off the screen would be clipped away; skip rendering them.
        if (y + cell <= 0 || y >= kScreenHeight) continue;
        win.DrawText(win.backsurf, kTextX, static_cast<int>(y), line.text, 255, 0, 0, cell);
    }
}

void credits_frame(Velmora_Win& win, bool ending) {
    win.frame_time = now_ms() + kCreditFrameMs;
    win.BltSurface(win.backsurf, win.ending_picture, 0, 0, 0);

    {
        std::lock_guard<std::recursive_mutex> lock(Velmora_Win::critsection);
        bool left_arrived = false;
        win.drain_clicks(win.mouse_down, &left_arrived);
        if (!win.mouse_down && left_arrived) win.game_state = kStateTitleMenu;
    }
    // Enter, Escape or a controller's A, B or Start leave as a click does.
    const int screen = ending ? kStateEnding : kStateAbout;
    MenuKeys& keys = menu_keys();
    for (MenuCommand command : keys.take(screen, menu_frame(), 0)) {
        const bool leaves = command == MenuCommand::Press || command == MenuCommand::Back ||
                            command == MenuCommand::Start;
        if (leaves && win.game_state == screen && (!ending || keys.frames_on_screen() > kEndingKeyDelayFrames))
            win.game_state = kStateTitleMenu;
    }

    // The ending keeps rising while it waits for the click; stop short of overflow.
    if (win.creditscroll > INT_MIN) --win.creditscroll;
    if (!ending && win.creditscroll + kLastCreditOffset < -kRestartMargin)
        win.creditscroll = kRestartScroll;

    if (ending) draw_lines(win, ending_preface());
    draw_lines(win, credits_block());

    wait_until_ms(win.frame_time);  // the 35 ms frame, on the back end's clock
}

}  // namespace

void Velmora_Win::about_game() { credits_frame(*this, false); }

void Velmora_Win::play_ending() { credits_frame(*this, true); }
