// The menus without a mouse: key presses (the keyboard's, and a controller's,
// which reaches the game as keys) become menu commands for the screen that was
// showing when they arrived. Each screen keeps a highlighted item, hidden until
// a key is used on that screen, so a mouse player sees the menus unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class Velmora_Win;
struct RECT;

enum class MenuCommand { Up, Down, Left, Right, Press, Back, Start };

// The command a key gives on a menu screen: arrows (and the keypad keys a
// controller's stick sends) move, Enter and A press, Escape and B go back,
// Start is a command of its own (it also sends Escape).
std::optional<MenuCommand> menu_command_for_key(unsigned vkey);

class MenuKeys {
public:
    // A key went down while `screen` (a game state) showed, in `frame`.
    void key_down(unsigned vkey, bool repeat, int screen, long frame);

    // Any key that went down on a menu screen, with the back end's own code
    // of the key (0 from scripts and controllers), for a screen that asks for
    // a key (the Controls screen). Like commands, only the frame's own.
    struct TypedKey {
        unsigned vkey;
        int32_t code;
        bool repeat;
    };
    void key_typed(unsigned vkey, int32_t code, bool repeat, int screen, long frame);
    std::vector<TypedKey> take_typed(int screen, long frame);

    // The commands for `screen` that arrived in `frame`, oldest first; those
    // for any other screen or frame are dropped. A screen that did not show in
    // the frame before starts over: highlight hidden, on `first_item`.
    // A command repeated by holding a key is kept only once the highlight
    // shows, and never presses.
    std::vector<MenuCommand> take(int screen, long frame, int first_item);

    // Shows the highlight (the first use of a key on the screen). False when
    // it was already showing, so the command should act.
    bool reveal();

    bool shown() const { return shown_; }
    int selected() const { return selected_; }
    // Moves the highlight by `step` over `count` items, going round.
    void move(int step, int count);
    void select(int item) { selected_ = item; }
    // Frames the screen has shown, counting this one from 1.
    long frames_on_screen() const { return frames_on_screen_; }

private:
    struct Pending {
        MenuCommand command;
        bool repeat;
        int screen;
        long frame;
    };
    std::vector<Pending> pending_;
    struct Typed {
        TypedKey key;
        int screen;
        long frame;
    };
    std::vector<Typed> typed_;
    int screen_ = -1;
    long last_frame_ = -2;
    long frames_on_screen_ = 0;
    bool shown_ = false;
    int selected_ = 0;
};

// The one set of menu keys of the game.
MenuKeys& menu_keys();
// The frame being run (0 outside the application loop).
long menu_frame();
// True for the game states whose screens take menu commands.
bool is_menu_screen(int game_state);

// The highlight: a bright frame drawn just outside `area`.
void draw_highlight(Velmora_Win& win, const RECT& area);
