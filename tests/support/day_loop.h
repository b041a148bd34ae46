// tests/support/day_loop.h: a generated world with the front end and the season's services up
// and the day screen as the match day's input step, for the day loop's tests and benchmark.
#pragma once

#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"

class ScopedDayLoop {
public:
    ScopedDayLoop();
    ~ScopedDayLoop();  // also turns the unattended run off
    ScopedDayLoop(const ScopedDayLoop&) = delete;
    ScopedDayLoop& operator=(const ScopedDayLoop&) = delete;

private:
    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
};
