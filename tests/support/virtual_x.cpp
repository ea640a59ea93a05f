#include "support/virtual_x.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {
constexpr const char* kServer = "/usr/bin/Xvfb";

Display* dpy(void* connection) { return static_cast<Display*>(connection); }
}  // namespace

// SDL's X11 driver leaves blocks of libdbus and of the GL libraries it loads
// (and unloads) unfreed at exit; they are not ours to free, so the leak check
// looks away while a real X server is in use.
void ignore_leaks_of_system_libraries(bool ignore) {
#if defined(__SANITIZE_ADDRESS__)
    if (ignore) __lsan_disable();
    else __lsan_enable();
#else
    (void)ignore;
#endif
}

VirtualX::VirtualX(int width, int height) : width_(width), height_(height) {
    ignore_leaks_of_system_libraries(true);
    if (!std::filesystem::exists(kServer)) return;
    int fds[2];
    if (::pipe(fds) != 0) return;
    server_ = ::fork();
    if (server_ == 0) {
        ::close(fds[0]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            ::dup2(quiet, STDOUT_FILENO);
            ::dup2(quiet, STDERR_FILENO);
        }
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        ::execl(kServer, kServer, "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(fds[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (server_ > 0 && ::poll(&p, 1, 10000) > 0) {
        char c = 0;
        const ssize_t n = ::read(fds[0], &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        number += c;
    }
    ::close(fds[0]);
    if (number.empty()) return;
    display_number_ = std::atoi(number.c_str());
    connection_ = XOpenDisplay(name().c_str());
    if (connection_ == nullptr) {
        display_number_ = -1;
        return;
    }
    env_.emplace();
    env_->set("DISPLAY", name().c_str());
    env_->set("SDL_VIDEODRIVER", "x11");
}

VirtualX::~VirtualX() {
    stop();
    ignore_leaks_of_system_libraries(false);
}

void VirtualX::stop() {
    if (connection_ != nullptr) {
        XCloseDisplay(dpy(connection_));
        connection_ = nullptr;
        env_.reset();
    }
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        int status = 0;
        while (::waitpid(server_, &status, 0) < 0 && errno == EINTR) {
        }
        server_ = -1;
    }
}

std::vector<uint32_t> VirtualX::capture() const {
    std::vector<uint32_t> out;
    if (connection_ == nullptr) return out;
    Display* d = dpy(connection_);
    XSync(d, False);
    XImage* image = XGetImage(d, DefaultRootWindow(d), 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (image == nullptr) return out;
    out.resize(static_cast<size_t>(width_) * height_);
    const bool plain = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;  // the usual 24-bit screen
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            uint32_t p = 0;
            if (plain) std::memcpy(&p, image->data + static_cast<size_t>(y) * image->bytes_per_line + x * 4u, 4);
            else p = static_cast<uint32_t>(XGetPixel(image, x, y));
            out[static_cast<size_t>(y) * width_ + x] = p & 0xFFFFFFu;
        }
    XDestroyImage(image);
    return out;
}

bool VirtualX::find_window(const std::string& wm_class, unsigned long& id, int& x, int& y, int& w,
                           int& h) const {
    if (connection_ == nullptr) return false;
    Display* d = dpy(connection_);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XClassHint hint{};
        if (XGetClassHint(d, children[i], &hint) == 0) continue;
        found = hint.res_class != nullptr && wm_class == hint.res_class;
        if (hint.res_name != nullptr) XFree(hint.res_name);
        if (hint.res_class != nullptr) XFree(hint.res_class);
        XWindowAttributes a;
        if (!found || XGetWindowAttributes(d, children[i], &a) == 0 || a.map_state != IsViewable) {
            found = false;
            continue;
        }
        id = children[i];
        x = a.x, y = a.y, w = a.width, h = a.height;
    }
    if (children != nullptr) XFree(children);
    return found;
}

void VirtualX::resize_window(unsigned long id, int w, int h) const {
    if (connection_ == nullptr) return;
    XResizeWindow(dpy(connection_), id, static_cast<unsigned>(w), static_cast<unsigned>(h));
    XSync(dpy(connection_), False);
}

long VirtualX::icon_cardinals(unsigned long id) const {
    if (connection_ == nullptr) return 0;
    Display* d = dpy(connection_);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    const Atom icon = XInternAtom(d, "_NET_WM_ICON", False);
    if (XGetWindowProperty(d, id, icon, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count, &rest, &data) !=
        Success)
        return 0;
    if (data != nullptr) XFree(data);
    return type == XA_CARDINAL ? static_cast<long>(count) : 0;
}

Box bright_box(const std::vector<uint32_t>& pixels, int width, int height, int threshold) {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            const int brightest = std::max({int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)});
            if (brightest <= threshold) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) return {};
    return Box{left, top, right - left + 1, bottom - top + 1};
}
