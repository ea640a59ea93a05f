// Showing frames: flip and pacing, the front surface, text, and the
// application loop's event dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/DirectDrawApp.h"
#include "support/test_window.h"

namespace {

TEST(Flip, SwapsBuffersAndPacesLikeA60HzDisplay) {
    ScopedRecordingBackend be;
    TestWindow win;
    ASSERT_TRUE(win.ok);
    Surface* front = win.primsurf;
    Surface* back = win.backsurf;
    back->put_pixel(5, 5, 0xABCD);

    be->clock_us = 1000;
    EXPECT_EQ(win.Flip(), 1);
    EXPECT_EQ(be->clock_us, 1000u);  // the first flip waits for nothing
    EXPECT_EQ(win.primsurf, front);
    EXPECT_EQ(win.backsurf, back);
    EXPECT_EQ(front->get_pixel(5, 5), 0xABCDu);
    EXPECT_EQ(back->get_pixel(5, 5), 0u);
    EXPECT_EQ(be->presents, 1);
    EXPECT_EQ(be->last_width, 640);
    EXPECT_EQ(be->last_format.depth, 16);

    win.Flip();  // straight after: held to one refresh after the last
    EXPECT_EQ(be->clock_us, 1000u + 16667u);
    be->clock_us += 45000;  // a slow frame is not held back further
    const uint64_t slow = be->clock_us;
    win.Flip();
    EXPECT_EQ(be->clock_us, slow);
    EXPECT_EQ(be->presents, 3);
    // Only an active window draws.
    EXPECT_EQ(win.PreDrawScene(), 1);
    win.windowactive = 0;
    EXPECT_EQ(win.PreDrawScene(), 0);
}

TEST(Flip, APictureAlreadyShownIsNotHandedOverAgain) {
    ScopedRecordingBackend be;
    TestWindow win;
    ASSERT_TRUE(win.ok);
    // A menu draws the same picture into the back buffer every frame.
    const auto menu_frame = [&](uint32_t cursor_x) {
        win.ClearSurface(win.backsurf, 0x1111u, nullptr);
        win.backsurf->put_pixel(static_cast<int>(cursor_x), 9, 0xFFFF);
        win.Flip();
    };
    for (int i = 0; i < 5; ++i) menu_frame(20);
    EXPECT_EQ(be->presents, 1);
    EXPECT_EQ(be->clock_us, 4u * 16667u) << "still paced a refresh apart";
    menu_frame(21);  // the cursor moved
    EXPECT_EQ(be->presents, 2);
    menu_frame(21);
    EXPECT_EQ(be->presents, 2);

    // Straight onto the front: shown when it changed, not otherwise, and at
    // most once a refresh (a loading bar step a moment later waits).
    be->clock_us += 20000;
    win.PresentFront();
    EXPECT_EQ(be->presents, 2);
    win.primsurf->put_pixel(0, 0, 0x2222);
    be->clock_us += 20000;
    const uint64_t shown = be->clock_us;
    EXPECT_EQ(win.PresentFront(), 1);
    EXPECT_EQ(be->presents, 3);
    win.primsurf->put_pixel(3, 3, 0xFFFF);
    be->clock_us += 300;
    EXPECT_EQ(win.PresentFront(), 1);
    EXPECT_EQ(be->presents, 3);
    be->clock_us = shown + 16667;
    win.PresentFront();
    EXPECT_EQ(be->presents, 4);

    // Flips present whatever the front did; a new flipping pair (another
    // mode) has shown nothing yet.
    ASSERT_EQ(win.CreateFlippingSurfaces(), 1);
    win.Flip();
    EXPECT_EQ(be->presents, 5);
}

TEST(Flip, PalettisedFramesCarryThePalette) {
    ScopedRecordingBackend be;
    TestWindow win(8);
    RGBQUAD table[2] = {{0, 0, 0, 0}, {30, 20, 10, 0}};
    win.CreatePalette(table, 2);
    win.Flip();
    ASSERT_EQ(be->last_palette.size(), 256u);
    EXPECT_EQ(be->last_palette[1], 0x0A141Eu);
    EXPECT_EQ(be->last_format.depth, 8);
}

TEST(Text, GlyphsChangeOnlyCoveredPixelsAndStayInside) {
    platform::TextMask mask;
    if (!platform::render_text("Hi", 28, mask)) GTEST_SKIP() << "no text engine";
    EXPECT_LE(mask.height, 28);
    EXPECT_GE(mask.height, 24);

    for (int depth : {8, 16, 32}) {
        TestWindow win(depth);
        Surface* s = win.CreateSurface(60, 40);
        win.ClearSurface(s, 0x2u, nullptr);
        ASSERT_EQ(win.DrawText(s, 3, 2, "Hi", 255, 255, 255, 28), 1);
        int changed = 0, full = 0;
        const uint32_t white = win.RGBtoPixel(255, 255, 255);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) {
                const uint32_t p = s->get_pixel(x, y);
                const bool covered = x >= 3 && y >= 2 && x - 3 < mask.width && y - 2 < mask.height &&
                                     mask.alpha[size_t(y - 2) * mask.width + (x - 3)] > 0;
                if (!covered) {
                    ASSERT_EQ(p, 0x2u) << depth << " " << x << "," << y;
                } else if (p != 0x2u) {
                    ++changed;
                    full += p == white;
                }
            }
        EXPECT_GT(changed, 20) << depth;
        EXPECT_GT(full, 10) << depth;
    }
    // Partly or wholly off the surface: clipped, no fault.
    TestWindow win;
    Surface* small = win.CreateSurface(8, 8);
    EXPECT_EQ(win.DrawText(small, -10, -5, "Wide text", 255, 0, 0), 1);
    EXPECT_EQ(win.DrawText(small, 5000, 5000, "x", 255, 0, 0), 1);
    EXPECT_EQ(win.DrawText(nullptr, 0, 0, "x", 0, 0, 0), 0);
}

// A window that notes what the application loop hands it.
struct Log {
    std::vector<std::string> calls;
    bool destroyed = false;
};

class LoopWindow : public TestWindow {
public:
    explicit LoopWindow(Log* l) : log(l) {}
    ~LoopWindow() override { log->destroyed = true; }
    void DrawScene() override { log->calls.push_back("draw"); }
    void OnKeyDown(unsigned vkey, unsigned repeat, unsigned) override {
        log->calls.push_back("down " + std::to_string(vkey) + (repeat ? " r" : ""));
    }
    void OnKeyUp(unsigned vkey, unsigned, unsigned) override { log->calls.push_back("up " + std::to_string(vkey)); }
    void OnMouseBatch(const platform::Event* e, int n) override {
        std::string s = "mouse";
        for (int i = 0; i < n; ++i)
            s += e[i].type == platform::EventType::MouseMotion ? " m" + std::to_string(e[i].dx) : " b" + std::to_string(e[i].button);
        log->calls.push_back(s);
    }
    void OnActivate(int state) override { log->calls.push_back("activate " + std::to_string(state)); }
    void OnDestroy() override {
        log->calls.push_back("destroy");
        TestWindow::OnDestroy();
    }
    Log* log;
};

platform::Event event(platform::EventType type, int value = 0) {
    platform::Event e;
    e.type = type;
    e.vkey = value;
    e.dx = value;
    e.button = value;
    return e;
}

TEST(AppLoop, DispatchesEventsInOrderAndEndsOnTheCloseMessage) {
    DirectDrawApp* previous = DirectDrawApp::current;
    {
        Log log;
        DirectDrawApp app;
        app.ddwin = new LoopWindow(&log);
        std::vector<std::string> reported;
        app.before_frame = [&](long frame) {
            using platform::EventType;
            if (frame == 1) {
                platform::Event repeat = event(EventType::KeyDown, 0x26);
                repeat.repeat = true;
                for (const platform::Event& e : {event(EventType::MouseMotion, 4), event(EventType::KeyDown, 0x25),
                                                 event(EventType::MouseButton, 1), repeat, event(EventType::KeyUp, 0x25),
                                                 event(EventType::FocusLost)})
                    app.injected_events.push_back(e);
            }
            if (frame == 3) app.injected_events.push_back(event(EventType::Quit));
        };
        app.on_event = [&](long frame, const platform::Event&) { reported.push_back(std::to_string(frame)); };
        EXPECT_EQ(app.Run(), 0);
        const std::vector<std::string> want = {"down 37", "down 38 r", "up 37", "activate 0", "mouse m4 b1", "draw",
                                               "mouse", "draw", "mouse", "destroy"};
        EXPECT_EQ(log.calls, want);
        EXPECT_EQ(reported, (std::vector<std::string>{"1", "1", "1", "1", "1", "1", "3"}));
        EXPECT_TRUE(log.destroyed);
        EXPECT_EQ(app.ddwin, nullptr);
        EXPECT_EQ(app.frames_run, 3);
    }
    {
        Log log;
        DirectDrawApp app;
        app.ddwin = new LoopWindow(&log);
        app.after_frame = [](long frame) { return frame < 2; };
        app.Run();
        EXPECT_EQ(app.frames_run, 2);
        EXPECT_TRUE(log.destroyed);
    }
    DirectDrawApp::current = previous;
}

}  // namespace
