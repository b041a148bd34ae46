// matchscreens/ingamemarking.h: the in-match marking screen (id 12): both teams beside a pitch with
// their instructions, roles, marking and figures; the human tells each of his players whom to
// mark.
#pragma once

#include <cstdint>

#include "matchscreens/ingamemenus.h"

void InGame_MarkingMenu();  // returns with InGameMenuId set
const InGameScreen& InGameMarking_Screen();

int32_t InGameMarking_Mode();           // 0 instructions, 1 roles, 2 marking, 3 figures
int32_t InGameMarking_OwnPick();        // a place of the human side, -1 none
int32_t InGameMarking_OpponentPick();   // a place of the other side, -1 none
int32_t InGameMarking_LongNameShown();  // text number, -1 none
// The three lines under a side: the hovered player's name, and for a marker of the human side
// "Marquage" and his man's name; empty strings where nothing shows.
struct InGameMarkingCaption {
    const char* lines[3];
};
InGameMarkingCaption InGameMarking_Caption(int32_t side);
