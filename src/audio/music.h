// Background music through libmikmod with our own output driver, whose mixed
// output is pulled by the audio device's callback.
#pragma once

#include <cstdint>
#include <string>

// Registers our output driver and the module loaders (once per process).
void music_register_all();
// MikMod_Init with an empty option string. Returns false on failure.
bool music_init();
// Stops the player, frees the module, MikMod_Exit.
void music_shutdown();
// Loads a module (up to 16 channels) without starting it; false if it failed,
// with the reason in `why` when given.
bool music_load(const char* path, std::string* why = nullptr);
void music_start();
// Starts the loaded module again from its beginning, without reading its file,
// when it was loaded from `path`. False when another module (or none) is loaded.
bool music_restart(const char* path);
bool music_loaded();
// A tune loops (follows its jump back) only while it is the one `path` names,
// the tune of the state the game is in; any other plays to its jump and ends
// there, so the state's own tune follows.
void music_loop_only(const char* path);
bool music_active();
void music_update();
// The module of a game state and level (the world's tune while playing, the
// ending's after the last world; the about screen's; the title tune in any
// other state), or null when that state has none.
const char* music_file_for(int game_state, int level);

// Player volume 0..128 for the module playing now and every module loaded later.
void music_set_volume(int volume);
// The player volume for a musicvolume setting: trunc(v * 12.8), clamped 0..128.
int music_volume_for(long musicvolume);

// Mixed music for the audio callback: fills `frames` stereo frames (silence
// when no module plays). Takes libmikmod's lock itself.
void music_mix(int16_t* out, int frames);

// The driver's fragment size, from the "buffer" option (2^n bytes, n 12..19,
// default 16).
int music_fragsize();
void music_parse_options(const char* options);
