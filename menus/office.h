// menus/office.h: the manager's office as it stands until the full office comes: the human's
// club, his name, the division's place and the balance, everything else through the menu bar.
#pragma once

struct MenuItem;

constexpr int OFFICE_BACKGROUND = 16;

const MenuItem* Office_Table();  // option 3
