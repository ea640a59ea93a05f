// SIGINT and SIGTERM for a live game. While the game loop reads events, a
// stop becomes a Quit event, so the game ends as when its window is closed
// (volumes saved). At any other moment (a dialog waiting for an answer,
// start-up) nothing would read it, so the program ends at once, killed by the
// signal as it would be without a handler. A second stop ends it at once too,
// should the quitting game hang.
#pragma once

namespace platform {

// Installs the handlers (once; later calls do nothing).
void install_stop_signals();

// Called by the event loop: from now on stops are taken as Quit events.
// Returns true once, after the stop was asked.
bool take_stop_request();

// While one of these lives (a modal dialog), a stop ends the program at once.
class BlockingScope {
public:
    BlockingScope();
    ~BlockingScope();
    BlockingScope(const BlockingScope&) = delete;
    BlockingScope& operator=(const BlockingScope&) = delete;

private:
    bool was_polling_;
};

}  // namespace platform
