// game/hooks.h: the upward calls that the front end answers; each has a headless default.
#pragma once

#include <cstdint>

struct GameHookTable {
    void (*ShowMessage)(const char* text);      // a news text for the human
    const char* (*FormatMoney)(int32_t value);  // money as the "$<d>m" code shows it
};

// Later subsystems replace rows at start-up; GameHooks_Reset puts the defaults back (the text on
// the general channel at level 1; VTW_FormatThousands).
extern GameHookTable GameHooks;
void GameHooks_Reset();
