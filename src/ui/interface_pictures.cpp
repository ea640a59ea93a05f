// The full-screen pictures and button pictures of the menus and screens.
#include "app/Velmora_Win.h"

namespace {

struct InterfacePicture {
    Surface* Velmora_Win::*member;
    const char* file;
    BOOL installpalette;
};

// Loading order matters in palettised modes: the full-screen pictures install
// their palettes first, the buttons are then matched to it.
constexpr InterfacePicture kPictures[] = {
    {&Velmora_Win::publisher_logo, "Levels/Resource/ferrolux_logo.BMP", 1},
    {&Velmora_Win::studio_logo, "Levels/Resource/quornash_logo.BMP", 1},
    {&Velmora_Win::titlescreen, "Levels/Resource/titlescreen.BMP", 1},
    {&Velmora_Win::oneplayer_up, "Levels/Resource/1playerup.BMP", 0},
    {&Velmora_Win::oneplayer_down, "Levels/Resource/1playerdown.BMP", 0},
    {&Velmora_Win::twoplayer_up, "Levels/Resource/2playerup.BMP", 0},
    {&Velmora_Win::twoplayer_down, "Levels/Resource/2playerdown.BMP", 0},
    {&Velmora_Win::about_up, "Levels/Resource/aboutup.BMP", 0},
    {&Velmora_Win::about_down, "Levels/Resource/aboutdown.BMP", 0},
    {&Velmora_Win::options_up, "Levels/Resource/optionsup.BMP", 0},
    {&Velmora_Win::options_down, "Levels/Resource/optionsdown.BMP", 0},
    {&Velmora_Win::quit_up, "Levels/Resource/quitup.BMP", 0},
    {&Velmora_Win::quit_down, "Levels/Resource/quitdown.BMP", 0},
    {&Velmora_Win::left_arrow_up, "Levels/Resource/left_arrow_up.BMP", 0},
    {&Velmora_Win::left_arrow_down, "Levels/Resource/left_arrow_down.BMP", 0},
    {&Velmora_Win::right_arrow_up, "Levels/Resource/right_arrow_up.BMP", 0},
    {&Velmora_Win::right_arrow_down, "Levels/Resource/right_arrow_down.BMP", 0},
    {&Velmora_Win::red_bar, "Levels/Resource/red_bar.BMP", 0},
    {&Velmora_Win::fx_volume_label, "Levels/Resource/fx_volume.BMP", 0},
    {&Velmora_Win::music_volume_label, "Levels/Resource/music_volume.BMP", 0},
    {&Velmora_Win::ok_up, "Levels/Resource/ok_up.BMP", 0},
    {&Velmora_Win::ok_down, "Levels/Resource/ok_down.BMP", 0},
    {&Velmora_Win::ending_picture, "Levels/Resource/ending.BMP", 0},
    {&Velmora_Win::continue_picture, "Levels/Resource/continue.BMP", 0},
    {&Velmora_Win::cancel_up, "Levels/Resource/cancel_up.BMP", 0},
    {&Velmora_Win::cancel_down, "Levels/Resource/cancel_down.BMP", 0},
};

}  // namespace

void Velmora_Win::load_user_interface() {
    for (const InterfacePicture& picture : kPictures)
        this->*picture.member = CreateSurface(picture.file, picture.installpalette, 0);
}

// The pictures are not released one by one: every surface still alive ends
// with the display object, and the logo screens may already have released
// the logos themselves.
void Velmora_Win::dump_user_interface() {}
