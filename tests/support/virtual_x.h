// A private X server (Xvfb, no window manager) for tests of the real window:
// started on a free display number, stopped with the object. DISPLAY points
// at it while the object lives, and SDL is told to use X11.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

class VirtualX {
public:
    VirtualX(int width, int height);
    ~VirtualX();
    VirtualX(const VirtualX&) = delete;
    VirtualX& operator=(const VirtualX&) = delete;

    // False when Xvfb is not installed or did not start (the test skips).
    bool ok() const { return display_number_ >= 0; }
    std::string name() const { return ":" + std::to_string(display_number_); }

    // The screen as the X server holds it, 0xRRGGBB per pixel, rows top down.
    std::vector<uint32_t> capture() const;
    int width() const { return width_; }
    int height() const { return height_; }

    // The first top-level window whose class is `wm_class`: its client area
    // in screen coordinates. False when there is none.
    bool find_window(const std::string& wm_class, unsigned long& id, int& x, int& y, int& w, int& h) const;
    // Resizes a window as another program (or a window manager) would.
    void resize_window(unsigned long id, int w, int h) const;
    // The number of CARDINALs in a window's _NET_WM_ICON property.
    long icon_cardinals(unsigned long id) const;
    // Ends the server, as the end of a session does.
    void stop();

private:
    int width_, height_;
    pid_t server_ = -1;
    int display_number_ = -1;
    void* connection_ = nullptr;  // Display*
    std::optional<ScopedEnv> env_;  // DISPLAY and SDL_VIDEODRIVER while the server lives
};

// The smallest rectangle holding every pixel brighter than `threshold` in
// any channel; w = 0 when there is none.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};
Box bright_box(const std::vector<uint32_t>& pixels, int width, int height, int threshold = 16);
