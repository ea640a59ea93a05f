// The application base: runs the registered window's DrawScene whenever no
// input is waiting, until the window posts its close message.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/platform.h"

class DirectDrawWin;

class DirectDrawApp {
public:
    DirectDrawApp();
    virtual ~DirectDrawApp();
    DirectDrawApp(const DirectDrawApp&) = delete;
    DirectDrawApp& operator=(const DirectDrawApp&) = delete;

    // Shows the main window and hides the system cursor. Returns true.
    virtual bool InitInstance();
    // One idle call: DrawScene once. Always true.
    bool OnIdle(long count);
    // Destroys the registered window; returns the exit code.
    virtual int ExitInstance();

    // The message loop: per frame, hand waiting events to the window, then run
    // OnIdle. Ends when the window posted its close message (or the frame hook
    // returns false), then destroys the window.
    int Run();

    // Called before each frame with the frame number (from 1); may feed input.
    std::function<void(long frame)> before_frame;
    // Called after each frame; returning false ends the loop at once.
    std::function<bool(long frame)> after_frame;
    // Called for every event handed to the window, with the frame it belongs to
    // (recording).
    std::function<void(long frame, const platform::Event& event)> on_event;
    // Called with the frame's events (injected, then the back end's) before
    // the window sees them; may replace them (network play: the local events
    // go to the other machine and the input of both comes back).
    std::function<void(long frame, std::vector<platform::Event>& events)> exchange_input;
    // Events to hand to the window at the start of the next frame, before the
    // back end's own (scripted input, autopilot).
    std::deque<platform::Event> injected_events;

    DirectDrawWin* ddwin = nullptr;
    DirectDrawWin* m_pMainWnd = nullptr;
    long frames_run = 0;

    static DirectDrawApp* current;  // the running application
};
