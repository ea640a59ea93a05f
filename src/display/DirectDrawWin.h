// The window base class of the game: display driver and mode choice, the
// flipping pair of screen surfaces, off-screen surfaces, copies with clipping
// and colour key, fills, pixel formats and bitmap loading. The pixels live in
// memory; the platform back end only ever sees finished pictures.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "display/Surface.h"
#include "display/types.h"
#include "platform/renderer_choice.h"

namespace platform {
struct Event;
}

// One display driver as enumerated (here: one display of the machine).
struct DriverInfo {
    uint8_t* guid = nullptr;  // 16-byte identifier, null for the primary display
    char* description = nullptr;
    char* name = nullptr;
};

struct DisplayModeInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;
};

// Stand-in for the display device object: which display is in use.
struct DisplayDevice {
    int display_index = 0;
};

class DirectDrawWin {
public:
    DirectDrawWin();
    virtual ~DirectDrawWin();
    DirectDrawWin(const DirectDrawWin&) = delete;
    DirectDrawWin& operator=(const DirectDrawWin&) = delete;

    // ---- window life (display-setup half) ----
    // Opens the game window and runs OnCreate. Returns false when creation failed.
    BOOL Create(const char* title, int icon);
    virtual int OnCreate();
    virtual void OnDestroy();
    virtual void OnActivate(int state);  // 0 inactive, 1 active
    virtual void OnKeyDown(unsigned vkey, unsigned repeat, unsigned flags);
    virtual void OnKeyUp(unsigned vkey, unsigned repeat, unsigned flags);
    // One batch of mouse input read on the main thread (relative motion and
    // buttons), in arrival order. Default: nothing.
    virtual void OnMouseBatch(const platform::Event* events, int count);
    // The window was asked to close (closing the window or the desktop's request).
    virtual void OnCloseRequest();
    // Posts the close message: the application loop ends after this frame.
    void PostCloseMessage() { close_posted = true; }
    bool CloseMessagePosted() const { return close_posted; }

    // ---- hooks ----
    virtual void DrawScene() = 0;
    virtual int SelectDriver();
    virtual int SelectInitialDisplayMode() = 0;
    virtual BOOL CreateCustomSurfaces() = 0;
    virtual void RestoreSurfaces() = 0;
    virtual BOOL CreateFlippingSurfaces();

    // ---- drivers and modes ----
    BOOL ActivateDisplayMode(int mode);
    BOOL GetDisplayModeDimensions(int mode, uint32_t& width, uint32_t& height, uint32_t& depth);
    BOOL GetDriverInfo(int index, uint8_t** guid, char** description, char** name);
    static int DriverAvailable(const uint8_t* guid, const char* description, const char* name,
                               void* context);
    static int DisplayModeAvailable(const DisplayModeInfo& mode, void* context);
    // Sort order of the mode list: smaller width*height first, then smaller depth.
    static int CompareModes(const DisplayModeInfo& a, const DisplayModeInfo& b);
    // Restores the desktop and releases the display device.
    void RestoreDisplayMode();
    // The back end's display behind driver entry `index` (a null identifier is
    // the primary display); -1 for an index outside the list.
    int DriverDisplayIndex(int index) const;

    // ---- surfaces ----
    Surface* CreateSurface(int width, int height, int memflag = 0);
    Surface* CreateSurface(const char* bmpfile, BOOL installpalette, int memflag);
    void ReleaseSurface(Surface* surface);
    BOOL BltSurface(Surface* dest, Surface* src, int x, int y, BOOL srccolorkey);
    BOOL BltSurface(Surface* dest, Surface* src, int x, int y, BOOL srccolorkey, const RECT* clip);
    BOOL ClearSurface(Surface* surf, uint32_t color, const RECT* rect = nullptr);
    BOOL ClearSurface(Surface* surf, int r, int g, int b, const RECT* rect = nullptr);
    uint32_t RGBtoPixel(int r, int g, int b);
    BOOL StorePixelFormatData();
    BOOL GetSurfaceDimensions(const Surface* surf, uint32_t& width, uint32_t& height);
    BOOL GetSurfaceRect(const Surface* surf, RECT& rect);
    BOOL SetColorKey(Surface* surf, uint32_t key);
    BOOL PreDrawScene();
    // Shows the back buffer: swaps the pair and hands the new front to the platform.
    BOOL Flip();
    // Swaps the pair without showing the new front: whoever paces the
    // pictures shows it, or another picture, with ShowFront or PresentSurface.
    BOOL SwapBuffers();
    // Shows the front surface now (with the overlay), however recently a
    // picture was shown.
    BOOL ShowFront();
    // Shows the front surface as it is now, without swapping (drawing made
    // straight onto the front surface, such as the loading bar). At most once
    // a refresh, as a screen would: a call within one refresh of the last
    // picture shown here shows nothing, and a later present or flip shows
    // what has been drawn since.
    BOOL PresentFront();
    // Shows `picture` (a copy of the front surface drawn over, such as a
    // notice) at once; the screen pair is left as it is.
    BOOL PresentSurface(const Surface& picture);
    // When set, drawn over a copy of every picture Flip shows, so what it
    // draws is seen without ever entering the game's buffers.
    std::function<void(Surface& picture)> overlay;

    // ---- bitmaps ----
    static BOOL GetBmpDimensions(const char* filename, int& width, int& height);
    BOOL Copy_Bmp_Surface(Surface* surf, const BITMAPINFOHEADER* info, const uint8_t* pixels,
                          size_t pixel_bytes, const RGBQUAD* colortable, int colors);
    BOOL Copy_Bmp08_Surface08(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width,
                              int height);
    BOOL Copy_Bmp8_Surface16(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width,
                             int height, const RGBQUAD* colortable, int colors);
    BOOL Copy_Bmp24_Surface16(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width,
                              int height);
    BOOL Copy_Bmp24_Surface24(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width,
                              int height);
    BOOL Copy_Bmp24_Surface32(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width,
                              int height);
    BOOL CreatePalette(const RGBQUAD* colortable, int count);

    // ---- text (stands in for a device context on a surface) ----
    // Draws `text` with its cell's top-left corner at (x, y) in colour (r, g, b),
    // background transparent, clipped by the surface. False when no text engine.
    BOOL DrawText(Surface* surf, int x, int y, const std::string& text, int r, int g, int b,
                  int cell_height = 28);

    // ---- members ----
    std::unique_ptr<DisplayDevice> ddraw;
    Surface* primsurf = nullptr;
    Surface* backsurf = nullptr;
    Palette* palette = nullptr;
    uint16_t redshift = 0, greenshift = 0, blueshift = 0;
    uint16_t redbits = 0, greenbits = 0, bluebits = 0;
    RECT displayrect{};
    uint32_t displaydepth = 0;
    int windowactive = 1;

    DriverInfo drivers[10];
    int numdrivers = 0;
    DisplayModeInfo modes[100];
    int nummodes = 0;
    int curmode = -1;

    // Pixel format of the active mode (what the flipping pair and every new
    // surface use).
    PixelFormat pixelformat;

    static DirectDrawWin* thisptr;

    // Options the start-up code sets before Create: the display to use (-1: ask
    // when there are several) and how the window shows the picture.
    int preferred_display = -1;
    bool start_fullscreen = true;
    int window_scale = 0;
    int scaling_mode = 0;  // platform::Scaling as int
    platform::RendererSetting renderer = platform::RendererSetting::Auto;
    std::string window_title;
    // Set when creation stopped because the player said so (the display
    // chooser cancelled): a choice, not a failure.
    bool quit_by_player = false;

    // Every surface made by this window and not yet released; what is left when
    // the window is destroyed ends with it.
    std::unordered_set<Surface*> live_surfaces;

    // A picture the loader takes although its file is cut short is named on
    // standard error, once per file and process. The data check reports such
    // files itself.
    bool name_damaged_pictures = true;

protected:
    bool close_posted = false;
    uint64_t last_flip_us = 0;
    bool window_open = false;
    bool flipped_once = false;
    uint64_t last_front_present_us = 0;
    bool front_presented_once = false;
    // The picture last handed to the back end: the front surface's pixels
    // as they were then (their buffer and its count of changes) and the
    // palette. A flip whose new picture equals it shows nothing.
    struct ShownPicture {
        bool valid = false;
        const uint8_t* buffer = nullptr;
        uint64_t changes = 0;
        std::array<uint32_t, 256> colours{};
    } shown;
    bool front_is_shown(const std::array<uint32_t, 256>& colours) const;
    void note_shown(const std::array<uint32_t, 256>& colours);
    void show(const std::array<uint32_t, 256>& colours);
    void show_with_overlay(const std::array<uint32_t, 256>& colours);
    void swap_pair();
    int window_display = -1;  // the display the window was opened on

private:
    // Opens the game window on `display` (closing one open elsewhere).
    bool OpenWindowOn(int display);
    void CloseWindow();
    void ReleaseFlippingPair();
    void FreeDriverEntries();
};

// Unrecoverable error: restore the desktop, show the message, exit with status 1.
[[noreturn]] void Fatal(const char* message);
// Says on standard error which data file (relative to the data directory, the
// current one) could not be loaded, why, and how to mend it; for the messages
// whose own text names no file.
void report_unloadable_data_file(const char* relative_path);
