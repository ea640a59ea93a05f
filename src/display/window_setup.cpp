// Window creation and destruction: driver choice, mode list, the first mode.
#include <algorithm>
#include <cstring>
#include <utility>

#include "display/DirectDrawWin.h"
#include "display/game_icon.h"
#include "platform/platform.h"

namespace {
// Identifier of a non-primary display: a tag and the display's index.
constexpr char kIdTag[8] = {'V', 'L', 'M', 'D', 'I', 'S', 'P', 0};

void make_display_id(int display, uint8_t (&id)[16]) {
    std::memset(id, 0, sizeof id);
    std::memcpy(id, kIdTag, sizeof kIdTag);
    for (int i = 0; i < 4; ++i) id[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(display) >> (8 * i));
}

int primary_display_index() {
    const std::vector<platform::DisplayInfo> list = platform::backend().displays();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].primary) return static_cast<int>(i);
    return 0;
}
}  // namespace

int DirectDrawWin::DriverDisplayIndex(int index) const {
    if (index < 0 || index >= numdrivers) return -1;
    const uint8_t* id = drivers[index].guid;
    if (id == nullptr) return primary_display_index();
    if (std::memcmp(id, kIdTag, sizeof kIdTag) != 0) return -1;
    uint32_t display = 0;
    for (int i = 0; i < 4; ++i) display |= uint32_t(id[8 + i]) << (8 * i);
    return static_cast<int>(display);
}

bool DirectDrawWin::OpenWindowOn(int display) {
    if (window_open && window_display == display) return true;
    CloseWindow();
    platform::WindowOptions options;
    options.display = display;
    options.fullscreen = start_fullscreen;
    options.scaling = static_cast<platform::Scaling>(scaling_mode);
    options.scale = window_scale;
    options.renderer = renderer;
    options.title = window_title;
    window_open = platform::backend().open_window(options);
    window_display = window_open ? display : -1;
    shown.valid = false;  // a new window has shown nothing yet
    return window_open;
}

void DirectDrawWin::CloseWindow() {
    if (!window_open) return;
    if (platform::has_backend()) platform::backend().close_window();
    window_open = false;
    window_display = -1;
}

BOOL DirectDrawWin::Create(const char* title, int icon) {
    if (window_title.empty() && title != nullptr) window_title = title;
    const int count = static_cast<int>(platform::backend().displays().size());
    // When the display is still to be asked for, the window opens once it is
    // chosen (OnCreate), not on some other display behind the question.
    int display = -1;
    if (preferred_display >= 0 && preferred_display < count) display = preferred_display;
    else if (count == 1) display = 0;
    if (display >= 0 && !OpenWindowOn(display)) {
        platform::backend().message_box(window_title, "The game window could not be opened");
        return 0;
    }
    if (OnCreate() != 0) {
        // A window whose creation failed is destroyed at once.
        OnDestroy();
        CloseWindow();
        return 0;
    }
    // The icon resource: the game's icon, drawn from its data like the
    // desktop's. A data set without the ship keeps the desktop's default.
    if (icon != 0) {
        const std::vector<uint32_t> argb = draw_game_icon(*this, kIconShipBitmap, kWindowIconSize);
        if (!argb.empty()) platform::backend().set_window_icon(kWindowIconSize, kWindowIconSize, argb.data());
    }
    return 1;
}

int DirectDrawWin::OnCreate() {
    platform::Backend& be = platform::backend();

    const std::vector<platform::DisplayInfo> displays = be.displays();
    for (size_t i = 0; i < displays.size(); ++i) {
        uint8_t id[16];
        make_display_id(static_cast<int>(i), id);
        const uint8_t* guid = displays[i].primary ? nullptr : id;
        if (DriverAvailable(guid, displays[i].description.c_str(), displays[i].name.c_str(), this) == 0)
            break;
    }
    if (numdrivers == 0) {
        be.message_box(window_title, "No DirectDraw drivers detected");
        return -1;
    }
    if (drivers[0].guid != nullptr && numdrivers >= 2) {
        for (int i = 1; i < numdrivers; ++i)
            if (drivers[i].guid == nullptr) std::swap(drivers[i], drivers[0]);
    }

    const int chosen = SelectDriver();
    if (chosen < 0) return -1;
    if (chosen > numdrivers - 1) {
        be.message_box(window_title, "Invalid DirectDraw driver selected\n");
        return -1;
    }

    // The display device: the window on the chosen display.
    const int display = DriverDisplayIndex(chosen);
    if (display < 0 || !OpenWindowOn(display)) {
        be.message_box(window_title, "The chosen display could not be opened");
        return -1;
    }
    ddraw = std::make_unique<DisplayDevice>();
    ddraw->display_index = display;

    for (const platform::VideoMode& m : be.modes(display)) {
        if (DisplayModeAvailable(DisplayModeInfo{m.width, m.height, m.depth}, this) == 0) break;
    }
    std::stable_sort(modes, modes + nummodes, [](const DisplayModeInfo& a, const DisplayModeInfo& b) {
        return CompareModes(a, b) < 0;
    });

    platform::VideoMode desktop;
    be.desktop_mode(display, desktop);
    displaydepth = desktop.depth;
    displayrect = RECT{0, 0, static_cast<int>(desktop.width), static_cast<int>(desktop.height)};

    if (ActivateDisplayMode(SelectInitialDisplayMode()) == 0) return -1;
    return 0;
}

void DirectDrawWin::RestoreDisplayMode() {
    CloseWindow();
    ddraw.reset();
}

void DirectDrawWin::FreeDriverEntries() {
    for (DriverInfo& d : drivers) {
        delete[] d.guid;
        delete[] d.description;
        delete[] d.name;
        d = DriverInfo{};
    }
    numdrivers = 0;
}

void DirectDrawWin::OnDestroy() {
    if (primsurf != nullptr) ReleaseFlippingPair();
    if (palette != nullptr) {
        delete palette;
        palette = nullptr;
    }
    if (ddraw) RestoreDisplayMode();
    CloseWindow();
    FreeDriverEntries();
}

// Default handlers: a bare window ignores input; closing it ends the program.
void DirectDrawWin::OnActivate(int /*state*/) {}
void DirectDrawWin::OnKeyDown(unsigned, unsigned, unsigned) {}
void DirectDrawWin::OnKeyUp(unsigned, unsigned, unsigned) {}
void DirectDrawWin::OnMouseBatch(const platform::Event*, int) {}
void DirectDrawWin::OnCloseRequest() { PostCloseMessage(); }
int DirectDrawWin::SelectDriver() { return 0; }
