#include "app/autopilot.h"

#include <algorithm>
#include <cmath>

#include "app/Velmora_Win.h"
#include "behaviours/bosses.h"
#include "behaviours/enemy_ships.h"
#include "behaviours/player_side.h"
#include "behaviours/player_state.h"
#include "display/Surface.h"
#include "state/game_states.h"
#include "state/globals.h"

namespace {

using autopilot::Goal;
using autopilot::Mover;
using autopilot::ShipModel;
using autopilot::Steering;
using level_view::Box;
using platform::Event;
using platform::EventType;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Virtual keys it presses.
constexpr int kSpace = 0x20;  // player one's fire
constexpr int kCtrl = 0x11;   // player two's fire
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int kKeysUsed[] = {kSpace, kCtrl, kLeft, kUp, kRight, kDown};

// Flying.
constexpr int kGunLine = 11;          // the ship's shots leave this far below its y
constexpr float kMuzzle = 42;         // and this far right of its x
constexpr int kStandOff = 150;        // how near the ship comes to its target's left side
constexpr float kGunInset = 3;        // keep the gun line this far inside the target's rows
constexpr float kLead = 4;            // frames of the target's motion the aim runs ahead
constexpr float kSpotWeight = 4;      // a firing spot among shields is worth some crowding
constexpr float kLeftmost = 20, kRightmost = 300;  // the ship's working columns
constexpr int kFrontMin = 80;         // a target must be this far right of the ship
constexpr float kPickupReach = 260;   // power-ups further away are left alone
constexpr float kShotSpeed = 12;      // an enemy shot's speed along its longer axis
constexpr long kNoDamageGiveUp = 150; // frames a target may take no damage
constexpr long kIgnoreFor = 500;      // then it is left alone this long
constexpr float kSwitchTarget = 0.7f; // a new target must be this much better

bool inside(int x, int y, const Box& area) {
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

// A button's area as the menus test it: both edges inclusive.
bool button_area(const Surface* picture, int x, int y, Box& out) {
    if (picture == nullptr || picture->width <= 0 || picture->height <= 0) return false;
    out = Box{x, y, x + picture->width, y + picture->height};
    return true;
}

bool on_screen(const Box& b) { return b.left < kScreenWidth && b.right > 0; }

float centre_x(const Box& b) { return (b.left + b.right) / 2.f; }
float centre_y(const Box& b) { return (b.top + b.bottom) / 2.f; }

ShipModel model_of(int player, const Sprite* ship) {
    ShipModel m;
    m.steering = player == 1 ? Steering::Mouse : Steering::Keys;
    m.x = player == 1 ? p1_positionX : p2_positionX;
    m.y = player == 1 ? p1_positionY : p2_positionY;
    m.vx = player == 1 ? p1_velocityX : p2_velocityX;
    m.vy = player == 1 ? p1_velocityY : p2_velocityY;
    m.ramp = p2acceleration;
    Box box;
    if (level_view::box_of(ship, box))
        m.extent = Box{box.left - ship->x, box.top - ship->y, box.right - ship->x, box.bottom - ship->y};
    return m;
}

// A boss whose own parts still live takes no hits until they are gone: its
// parts are the targets, not it.
bool guarded(const Sprite* s) {
    for (const Sprite* c = s->nextchild; c != nullptr; c = c->nextchild)
        if (c->parent == s && c->hitpoints >= 1 && c->hitclass == kHitEnemy && c->behavior != nullptr) return true;
    return false;
}

// The mountain's cannons take no hits: on the crag they go when it does (and
// are among the parts worked through there), but standing alone, as the later
// worlds' sentinels do, nothing ends them, and a player soon leaves them be.
bool shot_proof(const Sprite* s) {
    return s->parent == nullptr && (s->behavior == &movemountainbosscannonup || s->behavior == &movemountainbosscannondown);
}

}  // namespace

Autopilot::Autopilot(int players) : players_(players == 2 ? 2 : 1) {
    for (int key : kKeysUsed) wanted_keys_[key] = held_keys_[key] = false;
}

void Autopilot::plan(const Velmora_Win& game, std::deque<Event>& out) {
    ++tick_;
    for (auto& [key, wanted] : wanted_keys_) wanted = false;
    const int state = game.game_state;
    if (state == kStateNewGame) game_started_ = true;
    if (state == kStateLoadLevel) remember_level();
    if (state == kStateContinue && last_state_ != kStateContinue) ++continues_;

    if (state == kStatePlaying) {
        if (mouse_held_) press(false, out);
        fly(out);
    } else {
        menus(game, out);
    }
    send_keys(out);
    last_state_ = state;
}

// A new level: its masters (and so their frames) are about to be replaced.
void Autopilot::remember_level() {
    shapes_.clear();
    reaches_.clear();
    tracks_.clear();
    ignored_until_.clear();
    strikes_.clear();
    for (int p = 1; p <= 2; ++p) target_[p] = 0;
}

// ---- menus ----

void Autopilot::menus(const Velmora_Win& game, std::deque<Event>& out) {
    Box area;
    switch (game.game_state) {
        case kStatePublisherLogo:
        case kStateStudioLogo:  // a held button skips both logos
            if (!mouse_held_) press(true, out);
            break;
        case kStateAbout:   // about
        case kStateEnding:  // ending: any click goes to the title
            press(!mouse_held_, out);
            break;
        case kStateTitleMenu:
            if (!game_started_) {
                if (players_ == 2 ? button_area(game.twoplayer_down, 268, 428, area)
                                  : button_area(game.oneplayer_down, 146, 428, area))
                    click_in(area, out);
            } else if (button_area(game.quit_down, 512, 428, area)) {
                click_in(area, out);
            } else if (!quit_sent_) {
                // No Quit button to click: close the window instead.
                quit_sent_ = true;
                Event e;
                e.type = EventType::Quit;
                out.push_back(e);
            }
            break;
        case kStateContinue:
            if (continues_ <= kContinues ? button_area(game.ok_up, 450, 260, area)
                                         : button_area(game.cancel_up, 330, 260, area))
                click_in(area, out);
            break;
        case kStateOptions:
            if (button_area(game.ok_up, 560, 400, area)) click_in(area, out);
            break;
        default:
            if (mouse_held_) press(false, out);
            break;
    }
}

// Moves the cursor into the area, presses there and releases on the next
// frame (the menus act on the release).
void Autopilot::click_in(const Box& area, std::deque<Event>& out) {
    if (mouse_held_) {
        press(false, out);
        return;
    }
    if (inside(Velmora_Win::curx, Velmora_Win::cury, area)) {
        press(true, out);
        return;
    }
    move_cursor_to((area.left + area.right) / 2, (area.top + area.bottom) / 2, out);
}

void Autopilot::press(bool down, std::deque<Event>& out) {
    Event e;
    e.type = EventType::MouseButton;
    e.button = 0;
    e.pressed = down;
    out.push_back(e);
    mouse_held_ = down;
}

// The game scales relative motion by the player's sensitivity.
void Autopilot::move_cursor_to(int x, int y, std::deque<Event>& out) {
    const double sensitivity = Velmora_Win::mouse_sensitivity > 0.01 ? Velmora_Win::mouse_sensitivity : 1.0;
    Event e;
    e.type = EventType::MouseMotion;
    e.dx = static_cast<int>(std::lround((x - Velmora_Win::curx) / sensitivity));
    e.dy = static_cast<int>(std::lround((y - Velmora_Win::cury) / sensitivity));
    if (e.dx != 0 || e.dy != 0) out.push_back(e);
}

void Autopilot::send_keys(std::deque<Event>& out) {
    for (int key : kKeysUsed) {
        if (wanted_keys_[key] == held_keys_[key]) continue;
        Event e;
        e.type = wanted_keys_[key] ? EventType::KeyDown : EventType::KeyUp;
        e.vkey = key;
        out.push_back(e);
        held_keys_[key] = wanted_keys_[key];
    }
}

// ---- play ----

void Autopilot::fly(std::deque<Event>& out) {
    // The fire gate counts presses: press on one frame, release on the next.
    fire_phase_ = !fire_phase_;
    wanted_keys_[kSpace] = fire_phase_;
    if (players_ == 2) wanted_keys_[kCtrl] = fire_phase_;

    const Sprite* ships[3] = {nullptr, level_view::ship_of(1), players_ == 2 ? level_view::ship_of(2) : nullptr};
    const ShipModel first = ships[1] != nullptr ? model_of(1, ships[1])
                            : ships[2] != nullptr ? model_of(2, ships[2]) : ShipModel{};
    const bool any = ships[1] != nullptr || ships[2] != nullptr;
    const Snapshot seen = look(any ? &first : nullptr);
    for (int p = 1; p <= players_; ++p)
        if (ships[p] != nullptr) fly_ship(p, ships[p], seen, out);
}

// Everything on screen that matters, and the tracks updated for next time.
Autopilot::Snapshot Autopilot::look(const ShipModel* any_ship) {
    Snapshot seen;
    std::map<uint32_t, Track> next;
    level_view::for_each_in_level([&](const Sprite* s) {
        if (s->hitpoints < 1 || s->serial == 0) return;
        Seen here;
        here.sprite = s;
        if (!level_view::box_of(s, here.box) || !on_screen(here.box)) return;

        Track track;
        track.last_drop = tick_;
        const auto old = tracks_.find(s->serial);
        if (old != tracks_.end()) {
            track = old->second;
            if (s->hitpoints < old->second.hitpoints) track.last_drop = tick_;
            here.vx = static_cast<float>(s->x - old->second.x);
            here.vy = static_cast<float>(s->y - old->second.y);
        }

        if (s->layer < 2 && s->damage != 0 && (s->hitclass == kHitEnemy || s->hitclass == kHitEnemyShot))
            seen.hostiles.push_back(mover_of(s, here.box, any_ship));
        // Enemies lose hit points in their own behaviour: one without any
        // (scenery, terrain) cannot be shot down.
        if (s->layer < 2 && s->hitclass == kHitEnemy && s->behavior != nullptr && !guarded(s) && !shot_proof(s))
            seen.targets.push_back(here);
        if (s->layer < 2 && s->hitclass == kHitEnemy) seen.blockers.push_back(here);
        if (s->hitclass == kHitScorePowerup || s->hitclass == kHitWeaponPowerup) seen.pickups.push_back(here);
        if (s->behavior == &moveexitportal && s->param2 == 2) seen.exit_piece = s;

        track.x = s->x;
        track.y = s->y;
        track.hitpoints = s->hitpoints;
        track.frames_seen += 1;
        next[s->serial] = track;
    });
    tracks_.swap(next);
    return seen;
}

Mover Autopilot::mover_of(const Sprite* s, const Box& box, const ShipModel* any_ship) {
    Mover m;
    m.box = box;
    m.shape = shape_of(s);
    const auto track = tracks_.find(s->serial);
    if (s->behavior == &moveenemyshot && s->param1 >= 1) {
        // Aimed: it flies straight on at a known speed.
        m.vx = kShotSpeed * s->dirx;
        m.vy = kShotSpeed * s->diry;
        m.spread = 0.5f;
    } else if (s->behavior == &moveenemyshot && any_ship != nullptr) {
        // Not yet aimed: it will aim at the ship's nose on its first frame.
        const float ax = any_ship->x + 55 - s->x, ay = any_ship->y + 15 - s->y;
        const float longer = std::max(std::fabs(ax), std::fabs(ay));
        if (longer > 0) {
            m.vx = kShotSpeed * ax / longer;
            m.vy = kShotSpeed * ay / longer;
        }
        m.still_frames = 1;
        m.spread = 2;
    } else if (track != tracks_.end()) {
        m.vx = static_cast<float>(s->x - track->second.x);
        m.vy = static_cast<float>(s->y - track->second.y);
        m.spread = track->second.frames_seen >= 2 ? 1.f : 2.5f;
    } else {
        m.vx = (scroll > 0 && s->layer < 2) ? -3.f : 0.f;
        m.spread = 4;
    }
    return m;
}

const autopilot::Shape* Autopilot::shape_of(const Sprite* s) { return shape_of_frame(s->current_frame()); }

const autopilot::Shape* Autopilot::shape_of_frame(const Sprite::frame* f) {
    if (f == nullptr || f->surface == nullptr) return nullptr;
    auto it = shapes_.find(f);
    if (it == shapes_.end())
        it = shapes_.emplace(f, autopilot::shape_of(*f->surface, f->rect.left, f->rect.top, f->rect.right,
                                                    f->rect.bottom)).first;
    return &it->second;
}

// The cells any of the sprite's frames fills, among the frames laid out like
// the current one: where a part that turns can reach.
const autopilot::Shape* Autopilot::reach_of(const Sprite* s) {
    const Sprite::frame* now = s->current_frame();
    if (now == nullptr) return nullptr;
    auto it = reaches_.find(now);
    if (it != reaches_.end()) return &it->second;
    autopilot::Shape reach;
    for (const Sprite::frame* f : s->frames) {
        if (f == nullptr || f->xoffset != now->xoffset || f->yoffset != now->yoffset ||
            f->rect.left != now->rect.left || f->rect.top != now->rect.top ||
            f->rect.right != now->rect.right || f->rect.bottom != now->rect.bottom)
            continue;
        const autopilot::Shape* one = shape_of_frame(f);
        if (one == nullptr) continue;
        if (reach.cells.empty()) {
            reach = *one;
        } else if (one->cells.size() == reach.cells.size()) {
            for (size_t i = 0; i < reach.cells.size(); ++i) reach.cells[i] |= one->cells[i];
        }
    }
    if (reach.cells.empty()) return nullptr;
    return &reaches_.emplace(now, std::move(reach)).first->second;
}

void Autopilot::fly_ship(int player, const Sprite* ship, const Snapshot& seen, std::deque<Event>& out) {
    const ShipModel model = model_of(player, ship);
    const Goal goal = goal_for(player, model, seen);
    const autopilot::Heading heading = autopilot::choose_heading(model, seen.hostiles, goal);
    if (player == 2) {
        const autopilot::Keys k = autopilot::keys_toward(model, heading.x, heading.y);
        wanted_keys_[kLeft] = k.x < 0;
        wanted_keys_[kRight] = k.x > 0;
        wanted_keys_[kUp] = k.y < 0;
        wanted_keys_[kDown] = k.y > 0;
        return;
    }
    // The mouse ship: this frame's velocity is last frame's plus the cursor's
    // offset from the neutral point over the ship's mass.
    float vx = heading.x - model.x, vy = heading.y - model.y;
    const float length = std::sqrt(vx * vx + vy * vy);
    if (length > autopilot::kMouseStep) {
        vx *= autopilot::kMouseStep / length;
        vy *= autopilot::kMouseStep / length;
    }
    const int cx = std::clamp(p1_lastMouseX + static_cast<int>(std::lround(player_Mass * (vx - model.vx))), 0,
                              kScreenWidth - 1 - Velmora_Win::cursor_width);
    const int cy = std::clamp(p1_lastMouseY + static_cast<int>(std::lround(player_Mass * (vy - model.vy))), 0,
                              kScreenHeight - 1 - Velmora_Win::cursor_height);
    move_cursor_to(cx, cy, out);
}

// Where the ship wants to be: in the exit portal once it shows, else at a
// power-up within reach, else left of a target with its gun line across it,
// else back and centred.
Goal Autopilot::goal_for(int player, const ShipModel& ship, const Snapshot& seen) {
    const float half_w = (ship.extent.left + ship.extent.right) / 2.f;
    const float half_h = (ship.extent.top + ship.extent.bottom) / 2.f;
    Box box;
    if (seen.exit_piece != nullptr && level_view::box_of(seen.exit_piece, box))
        return Goal::point(centre_x(box) - half_w, centre_y(box) - half_h, 3);

    const int level = player == 1 ? p1poweruplevel : p2poweruplevel;
    float nearest = kPickupReach;
    const Seen* pickup = nullptr;
    for (const Seen& p : seen.pickups) {
        if (p.sprite->hitclass == kHitWeaponPowerup && level >= kMaxWeaponLevel) continue;
        if (p.box.left > kScreenWidth - 20) continue;
        const float d = std::hypot(centre_x(p.box) - (ship.x + half_w), centre_y(p.box) - (ship.y + half_h));
        if (d < nearest) {
            nearest = d;
            pickup = &p;
        }
    }
    if (pickup != nullptr) {
        // Meet it where it will be by the time the ship gets there.
        const float frames = nearest / autopilot::kMouseStep;
        return Goal::point(centre_x(pickup->box) + pickup->vx * frames - half_w,
                           centre_y(pickup->box) + pickup->vy * frames - half_h, 2);
    }

    if (const Seen* target = pick_target(player, ship, seen)) {
        // A height that puts the gun line across the target where nothing
        // else stops the shots first, from the stand-off columns; failing
        // that, a column further in (between the shields of a boss) from
        // which the shots get through; failing that, anywhere across it.
        const autopilot::Obstacle aim{target->box, shape_of(target->sprite)};
        std::vector<autopilot::Obstacle> in_the_way;
        for (const Seen& b : seen.blockers)
            if (b.sprite != target->sprite) in_the_way.push_back({b.box, shape_of(b.sprite)});
        const float gun_y = ship.y + kGunLine;
        float left = kLeftmost;
        float right = std::clamp<float>(static_cast<float>(target->box.left - kStandOff), kLeftmost, kRightmost);
        const float column = std::clamp(ship.x, left, right);
        float weight = 1;
        float top = static_cast<float>(target->box.top), bottom = static_cast<float>(target->box.bottom);
        autopilot::FiringSpot spot;
        if (autopilot::open_band(aim, in_the_way, column + kMuzzle, gun_y, top, bottom)) {
            // The stand-off columns will do.
        } else if (autopilot::firing_spot(aim, in_the_way, ship.extent, kMuzzle, kGunLine, kLeftmost,
                                          static_cast<float>(target->box.left) - kFrontMin, column, gun_y, spot)) {
            top = spot.top;
            bottom = spot.bottom;
            left = right = spot.x + target->vx * kLead;
            weight = kSpotWeight;
        } else if (const autopilot::Obstacle reach{target->box, reach_of(target->sprite)};
                   reach.shape != nullptr &&
                   autopilot::firing_spot(reach, in_the_way, ship.extent, kMuzzle, kGunLine, kLeftmost,
                                          static_cast<float>(target->box.left) - kFrontMin, column, gun_y, spot)) {
            // A turning part shielded whichever way it faces now: go where it
            // reaches when it turns to face the ship there (a barrel raised
            // above a bridge).
            top = spot.top;
            bottom = spot.bottom;
            left = right = spot.x + target->vx * kLead;
        } else if (aim.shape != nullptr) {
            int first = 0, last = 0;
            if (autopilot::solid_rows(*aim.shape, first, last)) {
                bottom = top + static_cast<float>((last + 1) * autopilot::kShapeCell);
                top += static_cast<float>(first * autopilot::kShapeCell);
            }
        }
        top += target->vy * kLead + kGunInset;
        bottom += target->vy * kLead - kGunInset;
        if (bottom < top) top = bottom = (top + bottom) / 2;
        return Goal::area(left, top - kGunLine, right, bottom - kGunLine, weight);
    }
    return Goal::area(60, 120, 160, 280, 0.3f);
}

// Keeps its target while it lives and takes damage, unless another is much
// better placed; a target that takes no damage for a while is left alone.
const Autopilot::Seen* Autopilot::pick_target(int player, const ShipModel& ship, const Snapshot& seen) {
    if (target_[player] != 0) {
        const auto t = tracks_.find(target_[player]);
        if (t == tracks_.end()) {
            target_[player] = 0;
        } else if (tick_ - std::max(target_since_[player], t->second.last_drop) > kNoDamageGiveUp) {
            // Each time it is given up on, it is left alone twice as long.
            long& strikes = strikes_[target_[player]];
            strikes = std::min(strikes + 1, 6L);
            ignored_until_[target_[player]] = tick_ + (kIgnoreFor << (strikes - 1));
            target_[player] = 0;
        }
    }
    const float gun = ship.y + kGunLine;
    const Seen* current = nullptr;
    const Seen* best = nullptr;
    float current_cost = 0, best_cost = 0;
    for (const Seen& s : seen.targets) {
        if (s.box.left < ship.x + kFrontMin || s.box.left >= kScreenWidth) continue;
        // The gun line runs from y 11 to 406; something wholly above or below is out of reach.
        if (s.box.bottom <= kGunLine || s.box.top >= autopilot::kShipMaxY + kGunLine) continue;
        const auto ignored = ignored_until_.find(s.sprite->serial);
        if (ignored != ignored_until_.end() && ignored->second > tick_) continue;
        const float cost = static_cast<float>(s.box.left - ship.x) + 1.5f * std::fabs(centre_y(s.box) - gun);
        if (s.sprite->serial == target_[player]) {
            current = &s;
            current_cost = cost;
        }
        if (best == nullptr || cost < best_cost) {
            best = &s;
            best_cost = cost;
        }
    }
    if (current != nullptr && best_cost >= kSwitchTarget * current_cost) return current;
    if (best == nullptr) {
        target_[player] = 0;
        return nullptr;
    }
    if (best != current) {
        target_[player] = best->sprite->serial;
        target_since_[player] = tick_;
    }
    return best;
}
