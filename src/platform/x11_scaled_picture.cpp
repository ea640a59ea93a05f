#include "platform/x11_scaled_picture.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrender.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace platform::x11 {

struct ScaledPicture::Native {
    Display* display = nullptr;
    Window window = 0;
    Visual* visual = nullptr;
    XRenderPictFormat* format = nullptr;
    Picture window_picture = 0;
    // The picture at its own size: shared memory, the pixmap the server
    // keeps it in, and that pixmap as a RENDER source.
    XShmSegmentInfo shm{};
    XImage* image = nullptr;
    Pixmap pixmap = 0;
    Picture source = 0;
    GC gc = nullptr;
    int factor = 0;  // the enlargement the source's transform is set for
};

namespace {

// Xlib reports a refused request through a handler for the whole process;
// SDL's ends the program. Requests that may be refused run with this one.
bool g_refused = false;
int note_refusal(Display*, XErrorEvent*) {
    g_refused = true;
    return 0;
}

class TrapErrors {
public:
    // `settle`: first waits for earlier requests, whose errors are not ours.
    explicit TrapErrors(Display* d, bool settle = true) : display_(d) {
        if (settle) XSync(display_, False);
        g_refused = false;
        previous_ = XSetErrorHandler(note_refusal);
    }
    ~TrapErrors() { XSetErrorHandler(previous_); }
    TrapErrors(const TrapErrors&) = delete;
    TrapErrors& operator=(const TrapErrors&) = delete;
    // Waits for the server, then says whether it refused anything.
    bool refused() {
        XSync(display_, False);
        return g_refused;
    }

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace

// 1/factor exactly in RENDER's 16.16 fixed point: powers of two only. Other
// factors would sample a neighbouring pixel now and then far from the left.
bool ScaledPicture::exact_factor(int factor) { return factor >= 2 && factor <= 16 && (factor & (factor - 1)) == 0; }

ScaledPicture::~ScaledPicture() { close(); }

bool ScaledPicture::open(SDL_Window* window) {
    close();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* d = info.info.x11.display;
    const Window w = info.info.x11.window;
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (d == nullptr || w == 0 || !XShmQueryExtension(d) || !XRenderQueryExtension(d, &event_base, &error_base) ||
        !XRenderQueryVersion(d, &major, &minor) || (major == 0 && minor < 6))
        return false;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, w, &attributes) == 0 || attributes.depth != 24 || attributes.visual == nullptr ||
        attributes.visual->red_mask != 0xFF0000u || attributes.visual->green_mask != 0xFF00u ||
        attributes.visual->blue_mask != 0xFFu)
        return false;
    XRenderPictFormat* format = XRenderFindVisualFormat(d, attributes.visual);
    if (format == nullptr) return false;
    auto* n = new Native;
    n->display = d;
    n->window = w;
    n->visual = attributes.visual;
    n->format = format;
    TrapErrors trap(d);
    n->window_picture = XRenderCreatePicture(d, w, format, 0, nullptr);
    native_ = n;
    display_ = d;
    if (trap.refused()) {
        n->window_picture = 0;
        close();
        return false;
    }
    return true;
}

void ScaledPicture::free_image() {
    Native* n = native_;
    if (n == nullptr || n->image == nullptr) return;
    if (n->source != 0) XRenderFreePicture(n->display, n->source);
    if (n->pixmap != 0) XFreePixmap(n->display, n->pixmap);
    if (n->gc != nullptr) XFreeGC(n->display, n->gc);
    XShmDetach(n->display, &n->shm);
    XSync(n->display, False);  // the server lets go of the memory first
    shmdt(n->shm.shmaddr);
    n->image->data = nullptr;
    XDestroyImage(n->image);
    n->image = nullptr;
    n->source = 0;
    n->pixmap = 0;
    n->gc = nullptr;
    n->factor = 0;
    pixels_ = nullptr;
    w_ = h_ = 0;
    pitch_ = 0;
}

void ScaledPicture::close() {
    if (native_ == nullptr) return;
    free_image();
    if (native_->window_picture != 0) XRenderFreePicture(native_->display, native_->window_picture);
    XSync(native_->display, False);
    delete native_;
    native_ = nullptr;
    display_ = nullptr;
}

bool ScaledPicture::make_image(int w, int h) {
    Native* n = native_;
    free_image();
    XImage* image = XShmCreateImage(n->display, n->visual, 24, ZPixmap, nullptr, &n->shm, static_cast<unsigned>(w),
                                    static_cast<unsigned>(h));
    if (image == nullptr) return false;
    if (image->bits_per_pixel != 32 || image->bytes_per_line < w * 4) {
        XDestroyImage(image);
        return false;
    }
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(h);
    n->shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (n->shm.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    void* memory = shmat(n->shm.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(n->shm.shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        return false;
    }
    n->shm.shmaddr = image->data = static_cast<char*>(memory);
    n->shm.readOnly = True;
    bool refused = false;
    {
        // A server on another machine cannot attach our memory.
        TrapErrors trap(n->display);
        XShmAttach(n->display, &n->shm);
        n->pixmap = XCreatePixmap(n->display, n->window, static_cast<unsigned>(w), static_cast<unsigned>(h), 24);
        n->source = XRenderCreatePicture(n->display, n->pixmap, n->format, 0, nullptr);
        XRenderSetPictureFilter(n->display, n->source, const_cast<char*>(FilterNearest), nullptr, 0);
        n->gc = XCreateGC(n->display, n->pixmap, 0, nullptr);
        refused = trap.refused();
    }
    shmctl(n->shm.shmid, IPC_RMID, nullptr);  // gone once both sides let go
    n->image = image;
    if (refused) {
        free_image();
        return false;
    }
    pixels_ = reinterpret_cast<uint32_t*>(image->data);
    w_ = w;
    h_ = h;
    pitch_ = static_cast<size_t>(image->bytes_per_line);
    return true;
}

uint32_t* ScaledPicture::pixels(int w, int h) {
    if (native_ == nullptr || w <= 0 || h <= 0) return nullptr;
    if (w == w_ && h == h_ && pixels_ != nullptr) return pixels_;
    return make_image(w, h) ? pixels_ : nullptr;
}

bool ScaledPicture::show(const uint8_t* rows, int factor, int x, int y) {
    Native* n = native_;
    if (n == nullptr || n->image == nullptr || !exact_factor(factor)) return false;
    TrapErrors trap(n->display, false);  // one round trip a picture, at the end
    if (n->factor != factor) {
        // Window pixel (u, v) samples picture pixel (u / factor, v / factor).
        const XFixed part = XDoubleToFixed(1.0 / factor);
        XTransform transform = {{{part, 0, 0}, {0, part, 0}, {0, 0, XDoubleToFixed(1)}}};
        XRenderSetPictureTransform(n->display, n->source, &transform);
        n->factor = factor;
    }
    for (int first = 0; first < h_;) {
        if (rows != nullptr && rows[first] == 0) {
            ++first;
            continue;
        }
        int end = first + 1;
        while (end < h_ && (rows == nullptr || rows[end] != 0)) ++end;
        const auto band = static_cast<unsigned>(end - first);
        XShmPutImage(n->display, n->pixmap, n->gc, n->image, 0, first, 0, first, static_cast<unsigned>(w_), band,
                     False);
        XRenderComposite(n->display, PictOpSrc, n->source, None, n->window_picture, 0, first * factor, 0, 0, x,
                         y + first * factor, static_cast<unsigned>(w_ * factor), band * static_cast<unsigned>(factor));
        first = end;
    }
    return !trap.refused();
}

void ScaledPicture::fill_black(const SDL_Rect* rects, int count) {
    if (native_ == nullptr || count <= 0) return;
    XRenderColor black{0, 0, 0, 0xFFFF};
    for (int i = 0; i < count; ++i) {
        const SDL_Rect& r = rects[i];
        if (r.w <= 0 || r.h <= 0) continue;
        XRenderFillRectangle(native_->display, PictOpSrc, native_->window_picture, &black, r.x, r.y,
                             static_cast<unsigned>(r.w), static_cast<unsigned>(r.h));
    }
    XFlush(native_->display);
}

}  // namespace platform::x11
