#include "ui/menu_navigation.h"

#include <algorithm>

#include "app/Velmora_Win.h"
#include "display/DirectDrawApp.h"
#include "platform/controller_map.h"
#include "state/game_states.h"

namespace {
// A key held down for a long time, or a script, must not grow the queue
// while no menu screen takes from it.
constexpr size_t kMaxPendingPerFrame = 64;
constexpr int kHighlightWidth = 3;
constexpr int kHighlightGap = 2;
}  // namespace

std::optional<MenuCommand> menu_command_for_key(unsigned vkey) {
    switch (vkey) {
        case 0x25: case 0x64: return MenuCommand::Left;   // arrow, keypad 4
        case 0x26: case 0x68: return MenuCommand::Up;     // arrow, keypad 8
        case 0x27: case 0x66: return MenuCommand::Right;  // arrow, keypad 6
        case 0x28: case 0x65: return MenuCommand::Down;   // arrow, keypad 5
        case 0x0D: case platform::kPadAKey: return MenuCommand::Press;
        case 0x1B: case platform::kPadBKey: return MenuCommand::Back;
        case platform::kPadStartKey: return MenuCommand::Start;
        default: return std::nullopt;
    }
}

bool is_menu_screen(int game_state) {
    switch (game_state) {
        case kStateAbout:
        case kStateTitleMenu:
        case kStateContinue:
        case kStateOptions:
        case kStateEnding:
            return true;
        default: return false;
    }
}

void MenuKeys::key_down(unsigned vkey, bool repeat, int screen, long frame) {
    if (!is_menu_screen(screen)) return;
    const std::optional<MenuCommand> command = menu_command_for_key(vkey);
    if (!command) return;
    // Only this frame's keys can still be taken.
    if (!pending_.empty() && pending_.back().frame != frame) pending_.clear();
    if (pending_.size() < kMaxPendingPerFrame) pending_.push_back({*command, repeat, screen, frame});
}

void MenuKeys::key_typed(unsigned vkey, int32_t code, bool repeat, int screen, long frame) {
    if (!is_menu_screen(screen)) return;
    if (!typed_.empty() && typed_.back().frame != frame) typed_.clear();
    if (typed_.size() < kMaxPendingPerFrame) typed_.push_back({{vkey, code, repeat}, screen, frame});
}

std::vector<MenuKeys::TypedKey> MenuKeys::take_typed(int screen, long frame) {
    std::vector<TypedKey> out;
    for (const Typed& t : typed_)
        if (t.screen == screen && t.frame == frame) out.push_back(t.key);
    typed_.clear();
    return out;
}

std::vector<MenuCommand> MenuKeys::take(int screen, long frame, int first_item) {
    const bool continuing = screen == screen_ && (frame == last_frame_ || frame == last_frame_ + 1);
    if (!continuing) {
        shown_ = false;
        selected_ = first_item;
        frames_on_screen_ = 0;
    }
    if (frame != last_frame_ || !continuing) ++frames_on_screen_;
    screen_ = screen;
    last_frame_ = frame;

    std::vector<MenuCommand> out;
    for (const Pending& p : pending_) {
        if (p.screen != screen || p.frame != frame) continue;
        if (p.repeat) {
            const bool moves = p.command == MenuCommand::Up || p.command == MenuCommand::Down ||
                               p.command == MenuCommand::Left || p.command == MenuCommand::Right;
            if (!moves || !shown_) continue;
        }
        out.push_back(p.command);
    }
    pending_.clear();
    return out;
}

bool MenuKeys::reveal() {
    if (shown_) return false;
    shown_ = true;
    return true;
}

void MenuKeys::move(int step, int count) {
    if (count <= 0) return;
    selected_ = ((selected_ + step) % count + count) % count;
}

MenuKeys& menu_keys() {
    static MenuKeys keys;
    return keys;
}

long menu_frame() { return DirectDrawApp::current != nullptr ? DirectDrawApp::current->frames_run : 0; }

void draw_highlight(Velmora_Win& win, const RECT& area) {
    const int outer = kHighlightGap + kHighlightWidth;
    const int left = area.left - outer, top = area.top - outer;
    const int right = area.right + outer, bottom = area.bottom + outer;
    const RECT bands[] = {
        {left, top, right, top + kHighlightWidth},
        {left, bottom - kHighlightWidth, right, bottom},
        {left, top, left + kHighlightWidth, bottom},
        {right - kHighlightWidth, top, right, bottom},
    };
    if (win.backsurf == nullptr) return;
    const int width = win.backsurf->width, height = win.backsurf->height;
    for (RECT band : bands) {
        // Pictures of a modded data set may reach the screen's edge.
        band.left = std::clamp(band.left, 0, width);
        band.right = std::clamp(band.right, 0, width);
        band.top = std::clamp(band.top, 0, height);
        band.bottom = std::clamp(band.bottom, 0, height);
        // Warm yellow: stands out on the dark title picture and on black.
        win.ClearSurface(win.backsurf, 255, 208, 32, &band);
    }
}
