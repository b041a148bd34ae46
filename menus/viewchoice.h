// menus/viewchoice.h: how the human watches his next match: the text commentary, the 2D view or
// the 3D view, chosen on the day screen's view bar or in the match-view popup.
#pragma once

#include <cstdint>

constexpr int16_t MENU_OPTION_PLAY_TODAY = 25;
constexpr uint8_t GAME_OPTION_COMMENTARY = 1 << 3;  // the commentary was chosen last

extern uint8_t GameOptionByte;  // owned by ViewChoice

void ViewChoiceInit();  // the option byte cleared
void ViewChoiceUninit();

// ChosenViewMode becomes `view` (VIEW_TEXT, VIEW_2D or VIEW_3D) and true; a 2D or 3D view on a
// low-memory machine is refused with the message box "Impossible sur une machine de 16 MO."
// (text 1129), the view left as it was, false.
bool ViewChoice_Choose(uint16_t view);

// The three view buttons at the foot of the screen, "Commentaires", "Panoramique" and
// "Regarder"; returns once a click on one of them is accepted and its button released. The
// commentary also sets MenuOption 25 and GAME_OPTION_COMMENTARY, the other two clear that bit; a
// refused view keeps the popup waiting.
void MatchViewChoicePopup();
