// Smooth motion: while a play step waits for its deadline, pictures go to the
// window once per display refresh, each with the play field drawn between the
// previous step and this one (motion_blend.h). The step itself, its input,
// its deadline and its own picture stay as they are: F12 and --screenshot
// still save the step's own picture, the front surface after the flip. In
// original motion (or headless, where nobody sees them, unless --refresh asks
// for them) every call here does what the frame always did.
#pragma once

#include <array>
#include <cstdint>

#include "app/motion_blend.h"
#include "display/Surface.h"

class Velmora_Win;

// When pictures go to the window: on a grid of one a refresh, so that over
// any stretch there are as many pictures as the display shows, and each is
// finished before the step's deadline. A picture whose drawing is late by up
// to kSlackUs (a sleep ending late) keeps its place on the grid; later, the
// grid starts again from it, so no picture ever follows another by less than
// a refresh minus that slack. What a picture costs (the longest of the recent
// ones but one), and how long its drawing takes before it is handed over
// (the shortest), are learnt from the last eight.
class PictureSchedule {
public:
    // Pictures closer than this to a deadline are left to the step's own.
    static constexpr uint64_t kMarginUs = 300;
    static constexpr uint64_t kSlackUs = 1000;

    void set_refresh_hz(int hz);
    uint64_t period_us() const { return period_ns_ / 1000; }
    uint64_t slack_us() const;

    // The moment the next picture should reach the window.
    uint64_t next_us() const { return next_us_; }
    // When drawing the next picture between steps should begin.
    uint64_t next_drawing_us() const { return next_us_ > lead_us() ? next_us_ - lead_us() : 0; }
    // The cost is known once a picture has been shown.
    bool cost_known() const { return count_ > 0; }
    uint64_t cost_us() const;
    // The shortest recent time from beginning to draw a picture to handing it over.
    uint64_t lead_us() const;
    // Whether a picture begun at `start_us` is seen before `limit_us`.
    bool ends_by(uint64_t start_us, uint64_t limit_us) const;

    // A picture was handed to the window at `presented_us`; its work began
    // at `began_us` (drawing, when `drawn`) and ended at `ended_us`.
    void shown(uint64_t began_us, uint64_t presented_us, uint64_t ended_us, bool drawn);

private:
    void place_next();

    uint64_t period_ns_ = 16666667;
    uint64_t anchor_us_ = 0;  // a picture on the grid
    uint64_t count_on_grid_ = 0;
    uint64_t next_us_ = 0;
    std::array<uint64_t, 8> costs_{}, leads_{};  // the latest pictures', round robin
    size_t count_ = 0, drawn_count_ = 0;
};

class PicturePacing {
public:
    // The play step's wait for its deadline (the step is drawn in the back
    // buffer): in smooth motion, pictures between the steps until then.
    void wait_for_deadline(Velmora_Win& window, uint32_t deadline_ms);
    // The frame's flip; after a smooth step the buffers swap and the step's
    // own picture goes to the window only when a picture is due.
    void flip(Velmora_Win& window);
    // The frame's 1 ms pause; after a smooth step a picture due meanwhile is
    // the step's own.
    void pause(Velmora_Win& window);

    // This step's play field at `fraction` of the step (motion_blend::kWholeStep
    // is the step's own) over the step's picture in the back buffer; for
    // benchmarks and tests. Valid after wait_for_deadline of a smooth step.
    const Surface& draw_picture(Velmora_Win& window, int fraction);

    const motion_blend::Playfield& playfield() const { return field_; }
    const PictureSchedule& schedule() const { return schedule_; }

private:
    void show_between(Velmora_Win& window, uint64_t began_us);
    void show_front(Velmora_Win& window, uint64_t began_us);

    motion_blend::Playfield field_;
    PictureSchedule schedule_;
    Surface picture_;
    uint64_t deadline_us_ = 0;
    bool smooth_step_ = false;  // this frame is a play step with pictures between
};
