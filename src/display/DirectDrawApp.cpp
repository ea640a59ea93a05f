#include "display/DirectDrawApp.h"

#include <vector>

#include "display/DirectDrawWin.h"

DirectDrawApp* DirectDrawApp::current = nullptr;

DirectDrawApp::DirectDrawApp() { current = this; }

DirectDrawApp::~DirectDrawApp() {
    if (current == this) current = nullptr;
}

// The window is shown by the back end when it opens, and the system cursor is
// hidden while the game holds the mouse; nothing is left to do here.
bool DirectDrawApp::InitInstance() { return true; }

bool DirectDrawApp::OnIdle(long /*count*/) {
    if (ddwin != nullptr) ddwin->DrawScene();
    return true;
}

int DirectDrawApp::ExitInstance() {
    delete ddwin;  // virtual destructor
    ddwin = nullptr;
    m_pMainWnd = nullptr;
    return 0;
}

int DirectDrawApp::Run() {
    std::vector<platform::Event> mouse_batch;
    // One pass is one frame: before_frame (run control's scripted input or the
    // autopilot, app/run_control.cpp), the window's events (OnKeyDown, OnKeyUp,
    // OnMouseBatch in app/input.cpp), then OnIdle -> Velmora_Win::DrawScene
    // (app/frame.cpp: the state's handler, play in game_loop, the flip in
    // display/flip.cpp), then after_frame (screenshots, dumps, the trace).
    for (long frame = 1; ddwin != nullptr; ++frame) {
        frames_run = frame;
        if (before_frame) before_frame(frame);

        std::vector<platform::Event> events(injected_events.begin(), injected_events.end());
        injected_events.clear();
        if (platform::has_backend()) {
            platform::Event e;
            while (platform::backend().poll_event(e)) events.push_back(e);
        }
        if (exchange_input) exchange_input(frame, events);

        mouse_batch.clear();
        for (const platform::Event& e : events) {
            switch (e.type) {
                case platform::EventType::KeyDown:
                    // The flags carry the back end's code of the key, as a key
                    // message's carry its scan code.
                    ddwin->OnKeyDown(static_cast<unsigned>(e.vkey), e.repeat ? 1u : 0u, static_cast<unsigned>(e.key));
                    break;
                case platform::EventType::KeyUp:
                    ddwin->OnKeyUp(static_cast<unsigned>(e.vkey), e.repeat ? 1u : 0u, 0);
                    break;
                case platform::EventType::MouseMotion:
                case platform::EventType::MouseButton:
                    mouse_batch.push_back(e);
                    break;
                case platform::EventType::Quit:
                    ddwin->OnCloseRequest();
                    break;
                case platform::EventType::FocusLost:
                    ddwin->OnActivate(0);
                    break;
                case platform::EventType::FocusGained:
                    ddwin->OnActivate(1);
                    break;
                default:
                    break;  // full-screen toggles and screenshots are the caller's business
            }
            if (on_event) on_event(frame, e);
        }
        ddwin->OnMouseBatch(mouse_batch.data(), static_cast<int>(mouse_batch.size()));

        if (!ddwin->CloseMessagePosted()) OnIdle(frame);
        const bool go_on = !after_frame || after_frame(frame);
        if (ddwin->CloseMessagePosted() || !go_on) break;
    }
    if (ddwin != nullptr) ddwin->OnDestroy();
    return ExitInstance();
}
