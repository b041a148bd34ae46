// tests/support/people_view.h: the software view's people ready to draw, as the view's set-up
// leaves them: a match's kit textures, the motion clips and the people models loaded, the view
// screen and walkers up and the touchline scene's game screen made.
#pragma once

#include <cstdint>

// Needs the graphics up (ScopedMenus in the 8-bit mode). Everything is freed at the end.
class ScopedPeopleView {
public:
    ScopedPeopleView();
    ~ScopedPeopleView();
    ScopedPeopleView(const ScopedPeopleView&) = delete;
    ScopedPeopleView& operator=(const ScopedPeopleView&) = delete;
};

// The in-game palette as the view composes it (master, skin and hair, both kits and the
// officials'), with `grass` and the shadow entry made two greens, set as the screen's palette.
void PeopleView_UseInGamePalette(uint8_t grass);
