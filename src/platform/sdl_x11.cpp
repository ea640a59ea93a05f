#include "platform/sdl_x11.h"

#include <SDL_syswm.h>
#include <unistd.h>

namespace platform::x11 {

namespace {
struct Handles {
    Display* display = nullptr;
    Window window = 0;
};

bool handles(SDL_Window* window, Handles& out) {
    if (window == nullptr) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return false;
    out.display = info.info.x11.display;
    out.window = info.info.x11.window;
    return out.display != nullptr && out.window != 0;
}

// Whether the root window's _NET_SUPPORTED list names the full-screen state.
bool advertises_fullscreen(Display* d, Window root) {
    const Atom supported = XInternAtom(d, "_NET_SUPPORTED", False);
    const Atom fullscreen = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, root, supported, 0, 4096, False, XA_ATOM, &type, &format, &count, &rest, &data) !=
            Success ||
        data == nullptr)
        return false;
    bool found = false;
    if (type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == fullscreen;
    }
    XFree(data);
    return found;
}

// Only a window manager redirects the root's substructure; a leftover
// _NET_SUPPORTED from one that has gone proves nothing.
bool manager_runs(Display* d, Window root) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(d, root, &attributes) != 0 &&
           (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

Window root_of(const Handles& h) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(h.display, h.window, &attributes) != 0 ? attributes.root : 0;
}
}  // namespace

bool manager_does_fullscreen(SDL_Window* window) {
    Handles h;
    if (!handles(window, h)) return true;
    const Window root = root_of(h);
    if (root == 0) return true;
    return manager_runs(h.display, root) && advertises_fullscreen(h.display, root);
}

bool frame_may_come(SDL_Window* window) {
    Handles h;
    if (!handles(window, h)) return false;
    const Window root = root_of(h);
    return root != 0 && manager_runs(h.display, root);
}

bool real_geometry(SDL_Window* window, SDL_Rect& out) {
    Handles h;
    if (!handles(window, h)) return false;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(h.display, h.window, &attributes) == 0) return false;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(h.display, h.window, attributes.root, 0, 0, &x, &y, &child);
    out = SDL_Rect{x, y, attributes.width, attributes.height};
    return true;
}

void place(SDL_Window* window, const SDL_Rect& r) {
    Handles h;
    if (!handles(window, h) || r.w <= 0 || r.h <= 0) return;
    XMoveResizeWindow(h.display, h.window, r.x, r.y, static_cast<unsigned>(r.w), static_cast<unsigned>(r.h));
    XFlush(h.display);
}

namespace {
int on_display_lost(Display* /*display*/) {
    static const char kMessage[] = "velmora: the connection to the display was lost\n";
    const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    (void)written;
    ::_exit(1);
}
}  // namespace

void end_when_display_lost() { XSetIOErrorHandler(on_display_lost); }

}  // namespace platform::x11
