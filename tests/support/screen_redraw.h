// tests/support/screen_redraw.h: a screen of the front end redrawn by its own menu loop, over a
// seeded career, for the screens' benchmarks.
#pragma once

#include <functional>

#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"

struct MenuItem;

// A seeded career (country 6, seed 7, the human at the top club of division 0) with the front
// end's words and the whole menu display up, headless.
class ScopedScreenRedraw {
public:
    ScopedScreenRedraw();
    ~ScopedScreenRedraw();
    ScopedScreenRedraw(const ScopedScreenRedraw&) = delete;
    ScopedScreenRedraw& operator=(const ScopedScreenRedraw&) = delete;

    // Pushes the table and runs it: its first build, then one full redraw (code 2: the init's
    // every-build part, every item, the presentation) per pass of the loop while `more` answers
    // true; then the screen is left.
    void Run(const MenuItem* table, const std::function<bool()>& more);

private:
    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
};
