// The game window: one class whose member functions are spread over files by
// concern. Its declarations below are grouped by the file that defines them:
//
//   app/Velmora_Win.cpp      construction, window events, the mouse state
//   app/frame.cpp            DrawScene: the state machine and the play frame
//   app/progression.cpp      a new game, the end of a level
//   app/level_loading.cpp    loading a level: its world, sprites and layout
//   app/active_list.cpp      scrolling, moving and drawing what is on screen
//   app/input.cpp            keys, mouse batches, the click queue, the cursor
//   app/prefs.cpp            the volumes' preferences file
//   app/sound_music.cpp      sound effects and the music of each state
//   app/display_choice.cpp   the display and its mode
//   ui/interface_pictures.cpp  the menus' pictures
//   ui/title_menu.cpp, ui/options_menu.cpp, ui/continue_screen.cpp  the menus
//   ui/status_bar.cpp        the status and power-up bars
//   ui/credits.cpp           the about screen and the ending
//   app/clock.cpp            now_ms()
//   app/picture_pacing.cpp   smooth motion's pictures between the play steps
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <string>

#include "app/clock.h"
#include "app/picture_pacing.h"
#include "display/DirectDrawWin.h"
#include "state/game_states.h"

class Sprite;
namespace platform {
struct Event;
}

// One mouse button event.
struct MouseClickData {
    int x = 0;
    int y = 0;
    int button = 0;  // 0 left, 1 right
    bool pressed = false;
};

// An open search of the current directory for file names.
struct FileSearch;

class Velmora_Win : public DirectDrawWin {
public:
    // ---- app/Velmora_Win.cpp ----
    Velmora_Win();
    ~Velmora_Win() override;
    int OnCreate() override;
    void OnDestroy() override;
    void OnActivate(int state) override;
    void OnCloseRequest() override;
    BOOL CreateCustomSurfaces() override { return 1; }
    void RestoreSurfaces() override {}

    // Mouse and cursor.
    static bool mouse;  // the mouse device exists (set by InitMouse)
    static std::recursive_mutex critsection;
    static std::list<MouseClickData> mouseclickqueue;  // new at the front, read from the back
    static int curx, cury;
    static int oldcurx, oldcury;
    static Surface* cursor;
    static int cursor_width, cursor_height;
    // Relative mouse motion is multiplied by this (a player's setting).
    static double mouse_sensitivity;

    static Velmora_Win* instance;  // the one window, for behaviours that move the cursor

    // ---- app/frame.cpp ----
    void DrawScene() override;
    // Runs the handler of the current state (step 1 of DrawScene).
    void run_state_handler();
    // One play frame.
    void game_loop();

    int game_state = kStateStartUp;
    uint32_t frame_time = 0;
    PlayFrameSchedule play_schedule;  // the deadlines of consecutive play frames
    PicturePacing pictures;  // smooth motion: pictures between the play steps
    bool mouse_down = false;  // the clicks drained on the logos and menus

    // ---- app/progression.cpp ----
    void reset_game();
    void end_game();
    // A level list Escape on the title menu can return to: none once the game
    // has moved past the level it holds (the ending has been shown).
    bool game_to_resume() const;

    // ---- app/level_loading.cpp ----
    void load_level();
    void get_directory(std::string* out);
    void set_directory(std::string* path);
    std::string* find_first_file_name(FileSearch** out, const char* pattern);
    std::string* find_next_file_name(FileSearch* search);
    void close_file_search(FileSearch* search);
    void load_sprites(std::string dir);

    int loaded_level = 0;

    // ---- app/active_list.cpp ----
    void make_sprite_active_list();
    void move_sprite_active_list();
    void draw_sprite_active_list();

    RECT playfield_rect{0, 32, 640, 448};

    // ---- app/input.cpp ----
    void OnKeyDown(unsigned vkey, unsigned repeat, unsigned flags) override;
    void OnKeyUp(unsigned vkey, unsigned repeat, unsigned flags) override;
    void OnMouseBatch(const platform::Event* events, int count) override;
    bool InitMouse();
    void load_cursor();
    void draw_mouse();
    // Drains the click queue into `flag` (oldest first, left button only);
    // `left_arrived` (if given) is set when a left-button record was drained.
    // Takes critsection itself (it is recursive, so callers may hold it).
    // The screens other than play drain this way.
    void drain_clicks(bool& flag, bool* left_arrived = nullptr);
    // Play's drain (app/fire_taps.h): the same, `press_arrived` set when a
    // left-button press was among the records.
    void drain_play_clicks(bool& flag, bool& press_arrived);
    // The slot of keycodes a virtual key sets, or -1.
    static int key_slot(unsigned vkey);

    // ---- app/prefs.cpp ----
    void load_prefs();
    void save_prefs();
    // Where the preferences file is written to first (the configuration
    // directory's file is the fallback), and where it is read from (empty:
    // nowhere, the defaults).
    static std::string prefs_path();
    static std::string prefs_read_path();
    // The data directory is the installed one: read-only by policy, so the
    // preferences live in the configuration directory (set by main).
    static bool installed_data;
    // The last save_prefs found nowhere to keep the volumes (the run then
    // ends with status 1).
    static bool prefs_unsaved;

    // ---- app/sound_music.cpp ----
    void load_sounds();
    void dump_sounds();
    void load_music();
    // The module file of the current state and level, or null.
    const char* music_for_state() const;
    // Keep the music alive: update it, or restart the tune of the state.
    void keep_music_alive();
    // The start-up state's sound set-up: the stored volumes, libmikmod.
    void start_music_system();
    // The quit state's shutdown of the music.
    void stop_music_system();

    // ---- app/display_choice.cpp ----
    int SelectDriver() override;
    int SelectInitialDisplayMode() override;

    // ---- ui/interface_pictures.cpp ----
    void load_user_interface();
    void dump_user_interface();

    Surface* publisher_logo = nullptr;  // "Levels/Resource/ferrolux_logo.BMP"
    Surface* studio_logo = nullptr;     // "Levels/Resource/quornash_logo.BMP"
    Surface* titlescreen = nullptr;
    Surface* oneplayer_up = nullptr;
    Surface* oneplayer_down = nullptr;
    Surface* twoplayer_up = nullptr;
    Surface* twoplayer_down = nullptr;
    Surface* about_up = nullptr;
    Surface* about_down = nullptr;
    Surface* options_up = nullptr;
    Surface* options_down = nullptr;
    Surface* quit_up = nullptr;
    Surface* quit_down = nullptr;
    Surface* left_arrow_up = nullptr;
    Surface* left_arrow_down = nullptr;
    Surface* right_arrow_up = nullptr;
    Surface* right_arrow_down = nullptr;
    Surface* red_bar = nullptr;
    Surface* fx_volume_label = nullptr;
    Surface* music_volume_label = nullptr;
    Surface* ok_up = nullptr;
    Surface* ok_down = nullptr;
    Surface* ending_picture = nullptr;
    Surface* continue_picture = nullptr;
    Surface* cancel_up = nullptr;
    Surface* cancel_down = nullptr;

    // ---- ui/title_menu.cpp, ui/options_menu.cpp, ui/continue_screen.cpp ----
    void draw_user_interface();
    void draw_option_interface();
    void retry_level();

    // ---- ui/status_bar.cpp ----
    void load_power_up_icons();
    void black_out_ports();
    void prep_shield_bars();
    void prep_score_bar();
    void prep_power_up_bar();
    void update_status_bar();
    void draw_power_up_icons(Sprite* icon, int item);
    void draw_power_up_icon(Sprite* icon, int x, int dx, int level);
    // Draws a sprite onto both buffers clipped to `band`.
    void draw_in_band(Sprite* sprite, const RECT* band);

    RECT statusbar_rect{0, 0, 640, 31};
    RECT powerupbar_rect{0, 449, 640, 480};
    // Masters looked up once per level.
    Sprite* score_digits = nullptr;  // "score"
    Sprite* shieldbar = nullptr;
    Sprite* blueicon = nullptr;
    Sprite* missileicon = nullptr;
    Sprite* heatseekericon = nullptr;
    Sprite* photonicon = nullptr;
    Sprite* staricon = nullptr;
    Sprite* playeroneicon = nullptr;
    Sprite* playertwoicon = nullptr;
    Sprite* droneicon = nullptr;
    Sprite* bar = nullptr;
    Sprite* bar2 = nullptr;
    Sprite* buble = nullptr;
    int shownscore1 = -1, shownscore2 = -1;
    int shownhitpoints1 = 4, shownhitpoints2 = 4;

    // ---- ui/credits.cpp ----
    void about_game();
    void play_ending();

    int font_cell_height = 28;  // the credits font: Liberation Sans, 28 px cell
    int creditscroll = 0;
};

// `frame_time` and the clocks read "now" through this (app/clock.cpp).
uint32_t now_ms();
