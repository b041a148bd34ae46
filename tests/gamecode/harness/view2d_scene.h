// tests/gamecode/harness/view2d_scene.h: the 2D match view built on the headless host over a
// fixed render list, for its tests and its benchmark.
#pragma once

#include <cstdint>

#include "tests/support/menu_loop.h"

// The menu display's prerequisites with the display itself down, so that the view brings it up;
// a seeded match-day block in the 2D view mode, both sides in a 4-4-2 shape, the 22 players,
// the three officials and the ball posed on the pitch where their panel dots say, and the view
// registered and built.
class ScopedView2D {
public:
    ScopedView2D();
    ~ScopedView2D();
    ScopedView2D(const ScopedView2D&) = delete;
    ScopedView2D& operator=(const ScopedView2D&) = delete;

private:
    ScopedMenuDisplay m_display;
};

// The pitch point of a formation cell (row across, column along), for side 0 attacking towards
// y 2042.
void View2DScene_CellPoint(int32_t side, int32_t row, int32_t column, int32_t* x, int32_t* y);
// Moves a render object; `animation` MOTION_ABSENT-like negatives take it off the pitch.
void View2DScene_Pose(int32_t object, float x, float y, int16_t animation = 1);
// The scripted moment: a second leg's score, the clock in the second half, both active players
// named, two followed players with maps, a timed event, the fastest offered speed and the pointer
// beside player 20 with his pop-up.
void View2DScene_Script();
