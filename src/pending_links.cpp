// Link-time placeholders for functions whose real definitions are still being
// written. Every symbol here is weak: the real definition replaces it. This
// file goes away once every subsystem is in.
#include <cstdlib>

#include "app/Velmora_App.h"
#include "app/Velmora_Win.h"
#include "audio/Sample.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/wave.h"
#include "display/DirectDrawApp.h"
#include "display/DirectDrawWin.h"
#include "display/DriverDialog.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"

#define WEAK __attribute__((weak))

// ---- display ----
WEAK BOOL DirectDrawWin::Create(const char*, int) { return 0; }
WEAK int DirectDrawWin::OnCreate() { return -1; }
WEAK void DirectDrawWin::OnDestroy() {}
WEAK void DirectDrawWin::OnActivate(int) {}
WEAK void DirectDrawWin::OnKeyDown(unsigned, unsigned, unsigned) {}
WEAK void DirectDrawWin::OnKeyUp(unsigned, unsigned, unsigned) {}
WEAK void DirectDrawWin::OnMouseBatch(const platform::Event*, int) {}
WEAK void DirectDrawWin::OnCloseRequest() {}
WEAK int DirectDrawWin::SelectDriver() { return 0; }
WEAK BOOL DirectDrawWin::CreateFlippingSurfaces() { return 0; }
WEAK BOOL DirectDrawWin::ActivateDisplayMode(int) { return 0; }
WEAK BOOL DirectDrawWin::GetDisplayModeDimensions(int, uint32_t&, uint32_t&, uint32_t&) { return 0; }
WEAK BOOL DirectDrawWin::GetDriverInfo(int, uint8_t**, char**, char**) { return 0; }
WEAK int DirectDrawWin::DriverAvailable(const uint8_t*, const char*, const char*, void*) { return 0; }
WEAK int DirectDrawWin::DisplayModeAvailable(const DisplayModeInfo&, void*) { return 0; }
WEAK int DirectDrawWin::CompareModes(const DisplayModeInfo&, const DisplayModeInfo&) { return 0; }
WEAK void DirectDrawWin::RestoreDisplayMode() {}
WEAK Surface* DirectDrawWin::CreateSurface(int, int, int) { return nullptr; }
WEAK Surface* DirectDrawWin::CreateSurface(const char*, BOOL, int) { return nullptr; }
WEAK void DirectDrawWin::ReleaseSurface(Surface*) {}
WEAK BOOL DirectDrawWin::BltSurface(Surface*, Surface*, int, int, BOOL) { return 0; }
WEAK BOOL DirectDrawWin::BltSurface(Surface*, Surface*, int, int, BOOL, const RECT*) { return 0; }
WEAK BOOL DirectDrawWin::ClearSurface(Surface*, uint32_t, const RECT*) { return 0; }
WEAK BOOL DirectDrawWin::ClearSurface(Surface*, int, int, int, const RECT*) { return 0; }
WEAK uint32_t DirectDrawWin::RGBtoPixel(int, int, int) { return 0; }
WEAK BOOL DirectDrawWin::StorePixelFormatData() { return 0; }
WEAK BOOL DirectDrawWin::GetSurfaceDimensions(const Surface*, uint32_t&, uint32_t&) { return 0; }
WEAK BOOL DirectDrawWin::GetSurfaceRect(const Surface*, RECT&) { return 0; }
WEAK BOOL DirectDrawWin::SetColorKey(Surface*, uint32_t) { return 0; }
WEAK BOOL DirectDrawWin::PreDrawScene() { return windowactive; }
WEAK BOOL DirectDrawWin::Flip() { return 0; }
WEAK BOOL DirectDrawWin::PresentFront() { return 0; }
WEAK BOOL DirectDrawWin::GetBmpDimensions(const char*, int&, int&) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp_Surface(Surface*, const BITMAPINFOHEADER*, const uint8_t*, size_t,
                                          const RGBQUAD*, int) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp08_Surface08(Surface*, const uint8_t*, size_t, int, int) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp8_Surface16(Surface*, const uint8_t*, size_t, int, int, const RGBQUAD*,
                                             int) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp24_Surface16(Surface*, const uint8_t*, size_t, int, int) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp24_Surface24(Surface*, const uint8_t*, size_t, int, int) { return 0; }
WEAK BOOL DirectDrawWin::Copy_Bmp24_Surface32(Surface*, const uint8_t*, size_t, int, int) { return 0; }
WEAK BOOL DirectDrawWin::CreatePalette(const RGBQUAD*, int) { return 0; }
WEAK BOOL DirectDrawWin::DrawText(Surface*, int, int, const std::string&, int, int, int, int) { return 0; }
WEAK void Fatal(const char*) { std::exit(1); }
WEAK bool DirectDrawApp::InitInstance() { return true; }
WEAK bool DirectDrawApp::OnIdle(long) { return true; }
WEAK int DirectDrawApp::ExitInstance() { return 0; }
WEAK int DirectDrawApp::Run() { return 0; }
WEAK int DriverDialog::SetContents(const std::vector<std::string>*) { return 1; }
WEAK int DriverDialog::DoModal() { return 0; }

// ---- platform ----
namespace platform {
WEAK Backend& backend() { std::abort(); }
WEAK bool has_backend() { return false; }
WEAK void install_backend(std::unique_ptr<Backend>) {}
WEAK std::unique_ptr<Backend> make_sdl_backend() { return nullptr; }
WEAK std::unique_ptr<Backend> make_headless_backend() { return nullptr; }
WEAK bool render_text(const std::string&, int, TextMask&) { return false; }
}  // namespace platform

// ---- sprites ----
WEAK void Sprite::load(std::string*, std::istream*, DirectDrawWin*) {}
WEAK void Sprite::set_window_ptr(DirectDrawWin* win) { orv_window = win; }
WEAK Sprite* Sprite::make_copy() const { return nullptr; }
WEAK void Sprite::spawn(int, int, int, int) {}
WEAK void Sprite::spawnbyname(const char*, int, int, int, int) {}
WEAK void Sprite::spawnchildbyname(Sprite*, const char*, int, int, int) {}
WEAK void Sprite::spawnchildbynametwo(Sprite*, const char*, int, int, int) {}
WEAK Sprite* Sprite::getnamedsprite(const char*) { return nullptr; }
WEAK void Sprite::dumpall() {}
WEAK void Sprite::destroy_level() {}
WEAK void Sprite::destroy_chain(Sprite*) {}
WEAK int Sprite::hitsomthing(int) { return 0; }
WEAK int Sprite::hitsomthing2(int) { return 0; }
WEAK int Sprite::hitsomthingwhere(int) { return 0; }
WEAK int Sprite::hitlayer(int) { return 0; }
WEAK Point Sprite::findclosestsprite(int, int) { return Point{32015, 215}; }
WEAK void Sprite::draw(const RECT*) {}
WEAK void Sprite::draw2(const RECT*) {}

// ---- game window ----
WEAK bool Velmora_App::InitInstance() { return false; }
WEAK int Velmora_Win::OnCreate() { return -1; }
WEAK void Velmora_Win::OnDestroy() {}
WEAK void Velmora_Win::OnActivate(int) {}
WEAK void Velmora_Win::OnCloseRequest() {}
WEAK void Velmora_Win::DrawScene() {}
WEAK int Velmora_Win::SelectDriver() { return 0; }
WEAK int Velmora_Win::SelectInitialDisplayMode() { return -1; }
WEAK void Velmora_Win::game_loop() {}
WEAK void Velmora_Win::run_state_handler() {}
WEAK void Velmora_Win::keep_music_alive() {}
WEAK void Velmora_Win::start_music_system() {}
WEAK void Velmora_Win::stop_music_system() {}
WEAK void Velmora_Win::reset_game() {}
WEAK void Velmora_Win::end_game() {}
WEAK void Velmora_Win::retry_level() {}
WEAK void Velmora_Win::load_level() {}
WEAK void Velmora_Win::get_directory(std::string*) {}
WEAK void Velmora_Win::set_directory(std::string*) {}
WEAK std::string* Velmora_Win::find_first_file_name(FileSearch**, const char*) { return nullptr; }
WEAK std::string* Velmora_Win::find_next_file_name(FileSearch*) { return nullptr; }
WEAK void Velmora_Win::close_file_search(FileSearch*) {}
WEAK void Velmora_Win::load_sprites(std::string) {}
WEAK void Velmora_Win::make_sprite_active_list() {}
WEAK void Velmora_Win::move_sprite_active_list() {}
WEAK void Velmora_Win::draw_sprite_active_list() {}
WEAK void Velmora_Win::OnKeyDown(unsigned, unsigned, unsigned) {}
WEAK void Velmora_Win::OnKeyUp(unsigned, unsigned, unsigned) {}
WEAK void Velmora_Win::OnMouseBatch(const platform::Event*, int) {}
WEAK bool Velmora_Win::InitMouse() { return true; }
WEAK void Velmora_Win::load_cursor() {}
WEAK void Velmora_Win::draw_mouse() {}
WEAK void Velmora_Win::drain_clicks(bool&, bool*) {}
WEAK int Velmora_Win::key_slot(unsigned) { return -1; }
WEAK void Velmora_Win::load_prefs() {}
WEAK void Velmora_Win::save_prefs() {}
WEAK std::string Velmora_Win::prefs_path() { return "Other/Preferences.txt"; }
WEAK void Velmora_Win::load_sounds() {}
WEAK void Velmora_Win::dump_sounds() {}
WEAK void Velmora_Win::load_music() {}
WEAK const char* Velmora_Win::music_for_state() const { return nullptr; }
WEAK void Velmora_Win::load_user_interface() {}
WEAK void Velmora_Win::dump_user_interface() {}
WEAK void Velmora_Win::draw_user_interface() {}
WEAK void Velmora_Win::draw_option_interface() {}
WEAK void Velmora_Win::load_power_up_icons() {}
WEAK void Velmora_Win::black_out_ports() {}
WEAK void Velmora_Win::prep_shield_bars() {}
WEAK void Velmora_Win::prep_score_bar() {}
WEAK void Velmora_Win::prep_power_up_bar() {}
WEAK void Velmora_Win::update_status_bar() {}
WEAK void Velmora_Win::draw_power_up_icons(Sprite*, int) {}
WEAK void Velmora_Win::draw_power_up_icon(Sprite*, int, int, int) {}
WEAK void Velmora_Win::draw_in_band(Sprite*, const RECT*) {}
WEAK void Velmora_Win::about_game() {}
WEAK void Velmora_Win::play_ending() {}
WEAK uint32_t now_ms() { return 0; }

// ---- audio ----
WEAK Sample::~Sample() {}
WEAK void Sample::init_sound() {}
WEAK void Sample::load(const std::string&) {}
WEAK void Sample::play(const std::string&) {}
WEAK void Sample::set_volume() {}
WEAK void Sample::release_all() {}
WEAK long volume_for_fx(long fx) { return -(10 - fx) * 1000; }
WEAK int WaveOpenFile(const char*, WaveFile**, WAVEFORMATEX**, WaveChunk*) { return WAVE_ERR_CANNOTOPEN; }
WEAK int WaveStartDataRead(WaveFile**, WaveChunk*, WaveChunk*) { return WAVE_ERR_CORRUPT; }
WEAK int WaveReadFile(WaveFile*, uint32_t, uint8_t*, WaveChunk*, uint32_t*) { return WAVE_ERR_CORRUPT; }
WEAK int WaveCloseReadFile(WaveFile**, WAVEFORMATEX**) { return 0; }
WEAK void music_register_all() {}
WEAK bool music_init() { return false; }
WEAK void music_shutdown() {}
WEAK bool music_load(const char*) { return false; }
WEAK void music_start() {}
WEAK void music_stop() {}
WEAK bool music_loaded() { return false; }
WEAK bool music_active() { return true; }
WEAK void music_update() {}
WEAK void music_set_volume(int) {}
WEAK int music_volume_for(long v) { return int(v * 12.8); }
WEAK void music_mix(int16_t*, int) {}
WEAK int music_fragsize() { return 65536; }
WEAK void music_parse_options(const char*) {}
namespace mixer {
WEAK int add_voice(std::vector<int16_t>) { return -1; }
WEAK void remove_all_voices() {}
WEAK void play(int) {}
WEAK void stop(int) {}
WEAK bool playing(int) { return false; }
WEAK void set_volume(int, long) {}
WEAK void mix(int16_t*, int) {}
WEAK bool open_device() { return false; }
WEAK void close_device() {}
}  // namespace mixer
