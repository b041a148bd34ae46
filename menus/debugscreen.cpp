// menus/debugscreen.cpp: the developer's debug screen and its message tester.
#include "menus/debugscreen.h"

#include <array>
#include <climits>

#include "engine/keyboard.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "menus/contractterms.h"
#include "menus/exm.h"
#include "menus/finances.h"
#include "menus/frontend.h"
#include "menus/helppanel.h"
#include "menus/individualgrid.h"
#include "menus/individualtraining.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/playerevolution.h"
#include "menus/playerroles.h"
#include "menus/traininggrid.h"

DebugScreenState DebugScreen;

namespace {

constexpr int32_t TEXT_FIX_SCORE = 1045;
constexpr int32_t TEXT_FIRST_SCORE = 1047;
constexpr int32_t TEXT_TEST_MESSAGES = 2021;
constexpr int32_t TEXT_PLAYER_EVOLUTION = 840;
constexpr int32_t TEXT_TRAINING_GRID = 809;
constexpr int32_t TEXT_INDIVIDUAL_GRID = 600;
constexpr int32_t TEXT_PLAYER_ROLES = 2070;
constexpr int32_t TEXT_HELP = 741;
constexpr int32_t TEXT_CONTRACT_TERMS = 729;
constexpr int32_t TEXT_BEST_PLAYERS = 1210;
constexpr int32_t TEXT_INJURY_LIST = 841;
constexpr int32_t TEXT_FINANCES = 253;
constexpr int16_t OPTION_BEST_PLAYERS = 37;
constexpr int32_t TEXT_HELP_FIRST = TEXT_DEV_BASE + 43;  // "PAD LEFT - Quit" and five more
constexpr int32_t HELP_LINES = 6;

// The tester's message area.
constexpr int32_t AREA_X = 32;
constexpr int32_t AREA_Y = 350;
constexpr int32_t AREA_W = 576;
constexpr int32_t AREA_H = 100;
constexpr int32_t AREA_MARGIN = 6;
constexpr int32_t NUMBER_Y = AREA_Y - 22;
// The help lines, under the left column of buttons and above the message area.
constexpr int32_t HELP_Y = 264;
constexpr int32_t HELP_PITCH = 14;

// The ten fixed values a message's text-number parameter is drawn from.
constexpr std::array<int16_t, 10> TEXT_PICKS = {300, 301, 302, 303, 307, 308, 309, 310, 362, 363};

// Key codes of the tester's keys (the same places on every layout the game knows).
constexpr int32_t KEY_CODE_R = 19;
constexpr int32_t KEY_CODE_T = 20;
constexpr int32_t KEY_CODE_Y = 21;
constexpr int32_t KEY_CODE_U = 22;
constexpr int32_t KEY_CODE_ENTER = 28;
constexpr int32_t KEY_CODE_S = 31;

enum class TesterAction { NEXT_GROUP, PREVIOUS_GROUP, NEW_PARAMETERS, REPRINT, LEAVE };

struct TesterKey {
    int32_t code;
    TesterAction action;
};
constexpr std::array<TesterKey, 6> TESTER_KEYS = {{
    {KEY_CODE_T, TesterAction::NEXT_GROUP},
    {KEY_CODE_R, TesterAction::PREVIOUS_GROUP},
    {KEY_CODE_U, TesterAction::NEW_PARAMETERS},
    {KEY_CODE_S, TesterAction::REPRINT},
    {KEY_CODE_ENTER, TesterAction::REPRINT},
    {KEY_CODE_Y, TesterAction::LEAVE},
}};

int32_t RandBelow(int32_t n) { return static_cast<int32_t>(Rand() % static_cast<uint32_t>(n)); }

// Numbers 0-99 for every team, person, money and number field but the first two persons, which
// take 100-199 (ids of players rather than staff); one of the fixed text numbers; one number
// drawn whole.
TextMessParams RandomParameters()
{
    TextMessParams params{};
    for (int32_t k = 0; k < 4; ++k) {
        params.team[k] = static_cast<int16_t>(RandBelow(100));
        params.person[k] = static_cast<int16_t>(k < 2 ? 100 + RandBelow(100) : RandBelow(100));
        params.money[k] = RandBelow(100);
        params.number[k] = RandBelow(100);
    }
    params.textNo[0] = TEXT_PICKS[RandBelow(TEXT_PICKS.size())];
    params.number[3] = static_cast<int32_t>(Rand());
    return params;
}

// While the tester runs a shown message is written into its area instead of a box.
void DrawInTesterArea(const char* text)
{
    DoTextBox(AREA_X + AREA_MARGIN, AREA_Y + AREA_MARGIN, text, MENU_ALIGN_TL,
              AREA_W - 2 * AREA_MARGIN, AREA_H - 2 * AREA_MARGIN);
}

void DrawHelp()
{
    SetMenuFont(0);
    for (int32_t line = 0; line < HELP_LINES; ++line) {
        DrawMenuMessage(60, HELP_Y + HELP_PITCH * line, TEXT_HELP_FIRST + line, MENU_ALIGN_TL);
    }
}

// The message area and the group number above it, as the screen was built.
void ClearTester() { RestoreFromBackBuffer(AREA_X, NUMBER_Y, AREA_W, AREA_Y + AREA_H - NUMBER_Y); }

// A reprint shows the message picked last; a new group or new parameters pick again.
void DrawTester(const TextMessParams& params, bool pick)
{
    ClearTester();
    DrawBoxOutline(AREA_X, AREA_Y, AREA_W, AREA_H);
    SetMenuFont(1);
    DrawMenuNumber(AREA_X + AREA_W, NUMBER_Y, DebugScreen.group, MENU_ALIGN_TR);
    SetMenuFont(0);
    if (pick) {
        TextMess_SetParams(params);
        TextMess_PickRandom(DebugScreen.group);
    }
    TextMess_ShowForHumans();
    PresentMenuScreen();
}

// A key acts once, when it is let go.
TesterAction WaitForTesterKey()
{
    KeyClearBuffer();
    for (;;) {
        WaitMenuTick();
        for (const TesterKey& key : TESTER_KEYS) {
            if (KeyWasPressed(key.code) == 0) continue;
            while (KeyIsDown(key.code) != 0)
                WaitMenuTick();
            return key.action;
        }
    }
}

int32_t EscapeDoesNothing() { return EXM_CODE_NONE; }

// Runs one of the human's own club tables over the screen: left for another option, this screen
// leaves too, else it is built again. Without a post he has no club to show.
int32_t RunOwnClubTable(const MenuItem* table)
{
    if (!FrontEnd_HumanHasPost()) return EXM_CODE_NONE;
    EXM_PushAndRun(table);
    return MenuOption != OPTION_DEBUG_SCREEN ? EXM_CODE_LEAVE : EXM_CODE_REDRAW;
}

}  // namespace

void DebugScreenInit() { DebugScreen = {INT16_MIN, INT16_MIN, 0}; }

void DebugScreenUninit() { DebugScreenInit(); }

void DebugScreen_Init()
{
    if (EXM_GetRebuildFlag() != 0) FixedScore.on = 0;
    const bool fixed = FixedScore.on != 0;
    DebugScreen.shownHome = fixed ? FixedScore.home : int16_t{INT16_MIN};
    DebugScreen.shownAway = fixed ? FixedScore.away : int16_t{INT16_MIN};
}

int32_t DebugScreen_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t Debug_PlayerEvolution(MenuHotspot*)
{
    MenuOption = OPTION_PLAYER_EVOLUTION;
    return EXM_CODE_LEAVE;
}

int32_t Debug_TrainingGrid(MenuHotspot*)
{
    MenuOption = OPTION_TRAINING_GRID;
    return EXM_CODE_LEAVE;
}

int32_t Debug_IndividualGrid(MenuHotspot*)
{
    MenuOption = OPTION_INDIVIDUAL_GRID;
    return EXM_CODE_LEAVE;
}

int32_t Debug_PlayerRoles(MenuHotspot*)
{
    MenuOption = OPTION_PLAYER_ROLES;
    return EXM_CODE_LEAVE;
}

int32_t Debug_BestPlayers(MenuHotspot*)
{
    MenuOption = OPTION_BEST_PLAYERS;
    return EXM_CODE_LEAVE;
}

int32_t Debug_InjuryList(MenuHotspot*) { return RunOwnClubTable(InjuryList_Table()); }
int32_t Debug_Finances(MenuHotspot*) { return RunOwnClubTable(Finances_Table()); }

int32_t Debug_HelpPanel(MenuHotspot*)
{
    DoHelpPanel(0);
    return EXM_CODE_REDRAW;
}

int32_t Debug_ContractTerms(MenuHotspot*)
{
    EXM_PushAndRun(ContractTerms_Table());
    return EXM_CODE_REDRAW;
}

int32_t Debug_TestMessages(MenuHotspot*)
{
    const NewsInbox inbox = TextMessNews;
    void (*const shown)(const char*) = GameHooks.ShowMessage;
    GameHooks.ShowMessage = DrawInTesterArea;
    TextMessParams params = RandomParameters();
    DebugScreen.group = 0;
    DrawHelp();
    for (TesterAction action = TesterAction::NEW_PARAMETERS; action != TesterAction::LEAVE;) {
        DrawTester(params, action != TesterAction::REPRINT);
        action = WaitForTesterKey();
        if (action == TesterAction::NEXT_GROUP && DebugScreen.group < DEBUG_TESTER_GROUP_MAX)
            ++DebugScreen.group;
        if (action == TesterAction::PREVIOUS_GROUP && DebugScreen.group > 0) --DebugScreen.group;
        if (action == TesterAction::NEW_PARAMETERS) params = RandomParameters();
    }
    GameHooks.ShowMessage = shown;
    TextMessNews = inbox;
    return EXM_CODE_REDRAW;
}

const MenuItem* DebugScreen_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DebugScreen_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 60, 36, MENU_ALIGN_TL, 0, MenuTextNo(TEXT_FIX_SCORE), nullptr},
        {0x16, 470, 80, MENU_ALIGN_TR, 0, MenuVariable(&DebugScreen.shownHome), nullptr},
        {0x11, 480, 80, MENU_ALIGN_TC, 0, MenuString(" - "), nullptr},
        {0x16, 490, 80, MENU_ALIGN_TL, 0, MenuVariable(&DebugScreen.shownAway), nullptr},
        {0x0f, 430, 120, MENU_ALIGN_TC, 0, MenuTextNo(TEXT_FIRST_SCORE), nullptr},
        {0x200c, 400, 20, 200, 30, MenuTextNo(TEXT_TEST_MESSAGES), Debug_TestMessages},
        {0x200c, 400, 250, 200, 30, MenuTextNo(TEXT_TRAINING_GRID), Debug_TrainingGrid},
        {0x200c, 400, 290, 200, 30, MenuTextNo(TEXT_PLAYER_EVOLUTION), Debug_PlayerEvolution},
        {0x200c, 400, 210, 200, 30, MenuTextNo(TEXT_INDIVIDUAL_GRID), Debug_IndividualGrid},
        {0x200c, 400, 170, 200, 30, MenuTextNo(TEXT_PLAYER_ROLES), Debug_PlayerRoles},
        {0x200c, 60, 70, 200, 30, MenuTextNo(TEXT_HELP), Debug_HelpPanel},
        {0x200c, 60, 110, 200, 30, MenuTextNo(TEXT_CONTRACT_TERMS), Debug_ContractTerms},
        {0x200c, 60, 150, 200, 30, MenuTextNo(TEXT_BEST_PLAYERS), Debug_BestPlayers},
        {0x200c, 60, 190, 200, 30, MenuTextNo(TEXT_INJURY_LIST), Debug_InjuryList},
        {0x200c, 60, 230, 200, 30, MenuTextNo(TEXT_FINANCES), Debug_Finances},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), DebugScreen_Back},
        MenuEndItem(nullptr, EscapeDoesNothing),
    };
    return table;
}
