// menus/title.cpp: the title screen.
#include "menus/title.h"

#include "game/gamestate.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/replayslots.h"
#include "menus/saveindex.h"

namespace {

constexpr int16_t OPTION_CHAMPIONSHIP = 1;
constexpr int16_t OPTION_LOAD = 49;
constexpr int16_t OPTION_FRIENDLY = 53;
constexpr int16_t OPTION_REPLAYS = 55;
constexpr int32_t NEW_CAREER_COUNTRY = 6;
constexpr int32_t FRIENDLY_COUNTRY = 0;
constexpr int32_t BAND_HEIGHT = 49;

void Title_Init() { MenuCont_FormatTitle(HEADER_RESTRICTED); }

int32_t Title_NewGame(MenuHotspot*)
{
    MenuOption = OPTION_CHAMPIONSHIP;
    VTW_SetCountry(NEW_CAREER_COUNTRY);
    LoadNamesFile();
    return EXM_CODE_LEAVE;
}

int32_t Title_LoadGame(MenuHotspot*)
{
    if (SaveIndex_CountUsed() == 0) {
        DoMessageBox(GetMessageText(TEXT_NOTHING_TO_LOAD), 0);
        return EXM_CODE_REDRAW;
    }
    MenuOption = OPTION_LOAD;
    return EXM_CODE_LEAVE;
}

int32_t Title_Friendly(MenuHotspot*)
{
    VTW_SetCountry(FRIENDLY_COUNTRY);
    MenuOption = OPTION_FRIENDLY;
    return EXM_CODE_LEAVE;
}

// The replay state is left alone here: the replay slots screen sets it once a slot is chosen, so
// leaving that screen without a pick cannot turn the next real match into a replay.
int32_t Title_Replays(MenuHotspot*)
{
    if (Replay_CountSaved() == 0) {
        DoMessageBox(GetMessageText(TEXT_NO_REPLAY), 0);
        return EXM_CODE_REDRAW;
    }
    MenuOption = OPTION_REPLAYS;
    return EXM_CODE_LEAVE;
}

}  // namespace

const MenuItem* Title_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Title_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(TITLE_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x11, 630, 10, MENU_ALIGN_TR, 0, MenuString("v2000.0"), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x1f, 0, 136, 640, BAND_HEIGHT, MenuNumber(-1), Title_NewGame},
        {0x1f, 0, 209, 640, BAND_HEIGHT, MenuNumber(-1), Title_LoadGame},
        {0x1f, 0, 287, 640, BAND_HEIGHT, MenuNumber(-1), Title_Friendly},
        {0x1f, 0, 362, 640, BAND_HEIGHT, MenuNumber(-1), Title_Replays},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
