// A test aid that plays the game: it clicks through the logos and the title
// menu, flies the ships (player one by relative mouse motion, player two by the
// arrow keys), fires with separate presses, dodges what it sees coming,
// collects power-ups, flies into the exit portal, answers the continue screen,
// and after the ending clicks back to the title and quits.
//
// It reads the game's state after each frame and answers only with input
// events for the next one, so a run stays a function of the data, the seed and
// the options, and its recording replays without it.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "app/autopilot_planner.h"
#include "app/level_view.h"
#include "platform/platform.h"

class Velmora_Win;

class Autopilot {
public:
    // `players`: 1 or 2, the title button it chooses.
    explicit Autopilot(int players);

    // Looks at the game as the last frame left it and queues this frame's input.
    void plan(const Velmora_Win& game, std::deque<platform::Event>& out);

    // Continue screens answered with OK; the next one is cancelled.
    static constexpr int kContinues = 5;

private:
    // What the autopilot remembers of a sprite between frames.
    struct Track {
        int x = 0, y = 0;
        int hitpoints = 0;
        long frames_seen = 0;
        long last_drop = 0;  // frame its hit points last fell
    };
    // A sprite on screen with its motion since the last frame.
    struct Seen {
        const Sprite* sprite = nullptr;
        level_view::Box box;
        float vx = 0, vy = 0;
    };
    struct Snapshot {
        std::vector<autopilot::Mover> hostiles;
        std::vector<Seen> targets;   // what can be shot at
        std::vector<Seen> blockers;  // what stops the ship's shots
        std::vector<Seen> pickups;
        const Sprite* exit_piece = nullptr;  // the exit portal's right piece
    };

    void menus(const Velmora_Win& game, std::deque<platform::Event>& out);
    void fly(std::deque<platform::Event>& out);
    void fly_ship(int player, const Sprite* ship, const Snapshot& seen, std::deque<platform::Event>& out);
    Snapshot look(const autopilot::ShipModel* any_ship);
    void remember_level();
    autopilot::Goal goal_for(int player, const autopilot::ShipModel& ship, const Snapshot& seen);
    const Seen* pick_target(int player, const autopilot::ShipModel& ship, const Snapshot& seen);
    const autopilot::Shape* shape_of(const Sprite* s);
    const autopilot::Shape* shape_of_frame(const Sprite::frame* f);
    const autopilot::Shape* reach_of(const Sprite* s);
    autopilot::Mover mover_of(const Sprite* s, const level_view::Box& box,
                              const autopilot::ShipModel* any_ship);

    void click_in(const level_view::Box& area, std::deque<platform::Event>& out);
    void press(bool down, std::deque<platform::Event>& out);
    void move_cursor_to(int x, int y, std::deque<platform::Event>& out);
    void send_keys(std::deque<platform::Event>& out);

    int players_;
    long tick_ = 0;
    int last_state_ = -1;
    bool game_started_ = false;
    int continues_ = 0;
    bool quit_sent_ = false;
    bool mouse_held_ = false;
    bool fire_phase_ = false;
    std::map<int, bool> wanted_keys_;  // virtual key -> held
    std::map<int, bool> held_keys_;

    std::map<uint32_t, Track> tracks_;  // by sprite serial
    std::map<uint32_t, long> ignored_until_;  // targets that took no damage
    std::map<uint32_t, long> strikes_;        // times each was given up on
    uint32_t target_[3] = {};          // serial of each ship's target
    long target_since_[3] = {};
    std::map<const Sprite::frame*, autopilot::Shape> shapes_;
    std::map<const Sprite::frame*, autopilot::Shape> reaches_;  // by the frame shown when first asked
};
