// menus/tacticshelp.h: "Aide éditeur tactique": five pages of help about the tactics editor,
// twenty lines at a time, beside a legend of the pitch's zones.
#pragma once

#include <cstdint>

#include "menus/menutext.h"

struct MenuItem;

constexpr int32_t HELP_PAGES = 5;  // Général, Attaquant, Milieu, Défense, Contrôles
constexpr int32_t HELP_PAGE_LINES = 20;

struct TacticsHelpState {
    uint8_t HelpPage;        // the page asked for
    uint8_t HelpLoadedPage;  // the page whose text is in the buffer, HELP_PAGES none
    int16_t HelpFirstLine;
    int32_t lineCount;
    char* text;  // the wrapped page, owned by the screen while it shows
    char* lines[MENU_TEXT_BOX_LINES];
};
extern TacticsHelpState TacticsHelp;  // owned by TacticsHelp

void TacticsHelpInit();    // no text, page 0
void TacticsHelpUninit();  // frees the text; safe twice

// Every walk: a fresh entry starts at the first page's top; a page not yet in the buffer is
// loaded and wrapped.
void TacticsHelp_Init();
void TacticsHelp_Exit();                       // frees the text
int32_t TacticsHelp_ChoosePage(int32_t page);  // 1 when it is already shown
int32_t TacticsHelp_PageUp();
int32_t TacticsHelp_PageDown();
int32_t TacticsHelp_FirstLine();  // for scripts: HelpFirstLine

const MenuItem* TacticsHelp_Table();  // option 84
