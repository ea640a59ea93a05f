// The entrance portal brings the ships in, the exit portal ends the level, the
// game-over picture ends the game. Both portals are drawn in two pieces: the
// placed sprite and a child copy of the same master showing frame 2.
#include <algorithm>
#include <optional>

#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
#include "behaviours/player_state.h"
#include "state/cursor.h"
#include "state/globals.h"

namespace {

constexpr int kEntranceCountdownEnd = 0;
constexpr int kPlacedPiece = 1;
constexpr int kChildPiece = 2;
constexpr int kGameOverMinFrames = 15;
constexpr int kGameOverMaxFrames = 630;

// Spawns the second piece of a portal from its master (with a countdown of its
// own when given), leaving the master as it was for any later copy.
void spawn_second_piece(Sprite* portal, const char* name, std::optional<int> countdown) {
    Sprite* master = Sprite::getnamedsprite(name);
    if (master == nullptr) return;
    const int saved_param1 = master->param1;
    const int saved_param2 = master->param2;
    const int saved_frame = master->framenumber;
    if (countdown) master->param1 = *countdown;
    master->param2 = kChildPiece;
    setframe(master, 2);
    portal->spawnchildbyname(portal, name, portal->x + 40, portal->y, 0);
    master->param1 = saved_param1;
    master->param2 = saved_param2;
    setframe(master, saved_frame);
}

void bring_in(Sprite* portal, bool plays, int shield, int& refh, int& refv, const char* ship) {
    if (!plays) {
        refh = kDeadReference;
        refv = kDeadReference;
    } else if (shield > 0) {
        portal->spawnbyname(ship, portal->x + 20, portal->y + 55, 0, 0);
    }
}

// Fresh drones, a centred cursor and both ships at rest at the portal.
void open_entrance(Sprite* p) {
    p1p1 = p1p2 = p2p1 = p2p2 = false;
    place_cursor(kNeutralX, kNeutralY);
    g_themouse_h = p1_lastMouseX = p2_lastMouseX = kNeutralX;
    g_themouse_v = p1_lastMouseY = p2_lastMouseY = kNeutralY;

    const float x = static_cast<float>(std::clamp(p->x + 20, 0, kShipMaxX));
    const float y = static_cast<float>(std::clamp(p->y + 55, 0, kShipMaxY));
    p1_velocityX = p1_velocityY = p2_velocityX = p2_velocityY = 0;
    p1_positionX = p2_positionX = x;
    p1_positionY = p2_positionY = y;

    bring_in(p, player1, player1hitpoints, player1h, player1v, "playerone");
    bring_in(p, player2, player2hitpoints, player2h, player2v, "playertwo");
}

}  // namespace

// Only the placed portal counts down to 0; its piece starts at -1.
void moveentranceportal(Sprite* p) {
    p->param1 -= 1;
    if (p->param1 == kEntranceCountdownEnd) open_entrance(p);
    if (p->param2 == 0) {
        p->param2 = kPlacedPiece;
        spawn_second_piece(p, "entranceportal", -1);
    }
    if (p->param2 == kChildPiece && p->parent != nullptr) {
        p->x = p->parent->x + 40;
        p->y = p->parent->y;
    }
}

// Only the right-hand piece ends the level.
void moveexitportal(Sprite* e) {
    if (e->param2 == 0) {
        e->param2 = kPlacedPiece;
        spawn_second_piece(e, "exitportal", std::nullopt);
    }
    if (e->param2 == kChildPiece) {
        if (e->parent != nullptr) {
            e->x = e->parent->x + 30;
            e->y = e->parent->y;
        }
        if (e->hitsomthing(kHitPlayerShip) != 0) currentlevel += 1;
    }
}

// Shown at least 16 frames; ends on a fire press or by itself after 631.
void movegameover(Sprite* s) {
    animateloop(s);
    scroll = -1;
    s->param1 += 1;
    if (s->param1 > kGameOverMinFrames && (g_themousebutton || keycodes[4] || keycodes[13])) gameover = true;
    if (s->param1 > kGameOverMaxFrames) gameover = true;
}
