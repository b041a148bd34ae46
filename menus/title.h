// menus/title.h: the title screen: a new career, loading a saved one, a friendly between two
// exported teams and the saved replays.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t TITLE_BACKGROUND = 7;
constexpr int32_t TEXT_NOTHING_TO_LOAD = 1676;
constexpr int32_t TEXT_NO_REPLAY = 1677;

const MenuItem* Title_Table();  // the screen of option 24
