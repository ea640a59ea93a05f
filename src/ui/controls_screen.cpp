#include "ui/controls_screen.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/choices.h"
#include "platform/controller_map.h"
#include "platform/input_options.h"
#include "state/game_states.h"
#include "ui/button_area.h"
#include "ui/menu_navigation.h"

namespace {

constexpr int kTitleY = 40;
constexpr int kHintY = 84;
constexpr int kRowsTop = 124;
constexpr int kRowHeight = 34;
constexpr int kRowLeft = 90;
constexpr int kRowRight = 540;
constexpr int kLabelX = 96;
constexpr int kValueX = 300;
constexpr int kMessageY = 345;
constexpr int kOkX = 560, kOkY = 400;  // where the options screen has it
constexpr int kTextCell = 22;
constexpr int kHintCell = 18;
constexpr unsigned kEscape = 0x1B;

constexpr int kJobs = platform::kKeyJobCount;
constexpr int kOkItem = kJobs;  // the rows are the jobs, in KeyJob order

struct Screen {
    bool open = false;
    int waiting_for = -1;  // the job a key is awaited for
    bool wait_begun_now = false;
    std::string message;
    bool refused = false;
};

Screen& screen() {
    static Screen s;
    return s;
}

int row_top(int job) { return kRowsTop + kRowHeight * job; }

bool cursor_on_row(int job, int cx, int cy) {
    return cx >= kRowLeft && cx <= kRowRight && cy >= row_top(job) && cy < row_top(job) + kRowHeight;
}

// A job's label inside a sentence: "player two up".
std::string job_words(int job) {
    std::string words = key_job_label(job);
    if (!words.empty()) words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return words;
}

void say(const std::string& text, bool refused) {
    screen().message = text;
    screen().refused = refused;
}

void wait_for(int job) {
    Screen& s = screen();
    s.waiting_for = job;
    s.wait_begun_now = true;
    say("Press the new key for " + job_words(job) + "; Escape cancels.", false);
}

void cancel_wait() {
    screen().waiting_for = -1;
    say("", false);
}

// The keys a controller sends: without a key of the keyboard behind them
// they have nothing to give a job.
bool controller_key(unsigned vkey) {
    switch (vkey) {
        case platform::kPadLeftKey:
        case platform::kPadUpKey:
        case platform::kPadRightKey:
        case platform::kPadDownKey:
        case platform::kPadFireKey:
        case platform::kPadAKey: return true;
        default: return false;
    }
}

// The first key pressed answers the wait: Escape (B, Start) cancels, a key
// another job has is refused, any other named key becomes the job's.
void answer_wait(const std::vector<MenuKeys::TypedKey>& typed) {
    Screen& s = screen();
    for (const MenuKeys::TypedKey& key : typed) {
        if (key.repeat) continue;
        if (key.vkey == kEscape || key.vkey == platform::kPadBKey || key.vkey == platform::kPadStartKey) {
            cancel_wait();
            return;
        }
        if (key.code == 0 && controller_key(key.vkey)) continue;
        const int job = s.waiting_for;
        s.waiting_for = -1;
        const std::string name = platform::key_name(static_cast<int>(key.vkey), key.code);
        if (name.empty()) {
            say("That key is kept by the game; choose the job again.", true);
            return;
        }
        if (const int other = job_using_key(name, job); other >= 0) {
            say("Refused: " + name + " already does " + job_words(other) + ".", true);
            return;
        }
        choose_key(job, name);
        say(std::string(key_job_label(job)) + ": " + name + ".", false);
        return;
    }
}

void leave() {
    close_controls_screen();
    // The options screen's highlight, if shown, goes back to its first item.
    menu_keys().select(0);
}

void draw_screen(Velmora_Win& win, int pressed_row) {
    const Screen& s = screen();
    win.DrawText(win.backsurf, kRowLeft, kTitleY, "Controls", 130, 175, 255, 28);
    win.DrawText(win.backsurf, kRowLeft, kHintY, "Choose a job, then press its new key.", 200, 200, 200, kHintCell);
    for (int job = 0; job < kJobs; ++job) {
        const int y = row_top(job) + (kRowHeight - kTextCell) / 2;
        win.DrawText(win.backsurf, kLabelX, y, key_job_label(job), 130, 175, 255, kTextCell);
        if (job == s.waiting_for) {
            win.DrawText(win.backsurf, kValueX, y, "press a key", 255, 208, 32, kTextCell);
            continue;
        }
        const bool pressed = job == pressed_row;
        win.DrawText(win.backsurf, kValueX, y, choices().keys[size_t(job)], 255, pressed ? 208 : 255,
                     pressed ? 32 : 255, kTextCell);
    }
    if (!s.message.empty())
        win.DrawText(win.backsurf, kRowLeft, kMessageY, s.message, 255, s.refused ? 96 : 208, s.refused ? 64 : 32,
                     kHintCell);
}

void controls_keys(Velmora_Win& win) {
    MenuKeys& keys = menu_keys();
    const std::vector<MenuKeys::TypedKey> typed = keys.take_typed(kStateOptions, menu_frame());
    const std::vector<MenuCommand> commands = keys.take(kStateOptions, menu_frame(), 0);
    Screen& s = screen();
    if (s.waiting_for >= 0) {
        // The key that began the wait (Enter, A) is not its answer.
        if (!s.wait_begun_now) answer_wait(typed);
    } else {
        for (MenuCommand command : commands) {
            if (!controls_screen_open() || s.waiting_for >= 0) break;
            if (command == MenuCommand::Back || command == MenuCommand::Start) {
                leave();
                break;
            }
            if (keys.reveal()) continue;
            const int item = keys.selected();
            switch (command) {
                case MenuCommand::Up:
                case MenuCommand::Left: keys.select(std::max(item - 1, 0)); break;
                case MenuCommand::Down:
                case MenuCommand::Right: keys.select(std::min(item + 1, kOkItem)); break;
                default:
                    if (item == kOkItem) leave();
                    else wait_for(item);
                    break;
            }
        }
    }
    s.wait_begun_now = false;
    if (!controls_screen_open() || !keys.shown()) return;
    const int item = keys.selected();
    if (item == kOkItem) {
        if (const Surface* ok = win.ok_up) draw_highlight(win, RECT{kOkX, kOkY, kOkX + ok->width, kOkY + ok->height});
        return;
    }
    draw_highlight(win, RECT{kRowLeft, row_top(item), kRowRight, row_top(item) + kRowHeight - 1});
}

}  // namespace

bool controls_screen_open() { return screen().open; }

void open_controls_screen() {
    screen() = Screen{};
    screen().open = true;
    menu_keys().select(0);
}

void close_controls_screen() { screen() = Screen{}; }

void draw_controls_screen(Velmora_Win& win) {
    const RECT whole{0, 0, 640, 480};
    win.ClearSurface(win.backsurf, 0, 0, 0, &whole);
    win.BltSurface(win.backsurf, win.ok_up, kOkX, kOkY, 0);

    // Held for the whole frame so the cursor cannot move between the tests.
    std::lock_guard<std::recursive_mutex> lock(Velmora_Win::critsection);
    bool left_arrived = false;
    win.drain_clicks(win.mouse_down, &left_arrived);
    const int cx = Velmora_Win::curx, cy = Velmora_Win::cury;

    int pressed_row = -1;
    for (int job = 0; job < kJobs; ++job)
        if (win.mouse_down && cursor_on_row(job, cx, cy)) pressed_row = job;
    draw_screen(win, pressed_row);

    if (win.mouse_down) {
        if (cursor_on_button(win.ok_up, kOkX, kOkY, cx, cy)) win.BltSurface(win.backsurf, win.ok_down, kOkX, kOkY, 0);
    } else if (left_arrived) {
        // A click chooses a job (another one while waiting), OK goes back,
        // anywhere else cancels a wait.
        int clicked = -1;
        for (int job = 0; job < kJobs; ++job)
            if (cursor_on_row(job, cx, cy)) clicked = job;
        if (clicked >= 0) wait_for(clicked);
        else if (cursor_on_button(win.ok_up, kOkX, kOkY, cx, cy)) leave();
        else if (screen().waiting_for >= 0) cancel_wait();
    }
    if (controls_screen_open()) controls_keys(win);
    else menu_keys().take_typed(kStateOptions, menu_frame());
}
