// menus/joboffer.cpp: the job offer screen: the offering club's figures and squad, accepting and
// refusing, and taking the job.
#include "menus/joboffer.h"

#include <algorithm>
#include <cstdio>

#include "engine/random.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

uint16_t JobOfferViewFlag;
uint8_t JobNewMarkers[2];
JobOfferState JobOffer;

namespace {

constexpr int16_t OPTION_TEAM_CHOICE = 5;
constexpr int16_t OPTION_CALENDAR = 8;
constexpr int16_t OPTION_MANAGER_NAME = 16;
constexpr int16_t OPTION_JOB_CENTRE = 43;
constexpr int32_t TEXT_OFFER = 1685;
constexpr int32_t TEXT_PLAYER_MANAGER = 1688;
constexpr int32_t TEXT_MANAGER = 30;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t SHIRT_ICON_BASE = 89;  // goalkeeper, defender, midfielder, forward
constexpr int32_t REACTION_RANK = 6;
constexpr int32_t REACTION_FORM = 35;
constexpr int32_t GRANT_PERCENT_MIN = 20;
constexpr int32_t GRANT_PERCENT_SPAN = 20;
constexpr int32_t MIN_HUMAN_REPUTATION = 3;
constexpr int32_t FIGURE_COUNT = 5;
constexpr int32_t TEXT_BYTES = 80;
constexpr int32_t SQUAD_ROW_HEIGHT = 20;
constexpr int32_t SQUAD_NAME_LEFT = 26;     // from the row's left edge, past the shirt marker
constexpr int32_t SQUAD_VALUE_RIGHT = 264;  // from the row's left edge
constexpr int32_t SCROLL_X = 300;
constexpr int16_t LABELS_X = 340;  // the club's figures: labels, and values right-aligned
constexpr int16_t VALUES_X = 570;
constexpr int32_t LABEL_GAP = 5;
constexpr int32_t TEXT_CUPS = 1902;  // "Participation à la Coupe"
constexpr int16_t CUPS_Y = 260;
constexpr int32_t CUPS_PITCH = 14;
constexpr int32_t SCROLL_SIZE = 20;

struct JobOfferTexts {
    char title[TEXT_BYTES];
    int16_t badge;
    char figures[FIGURE_COUNT][TEXT_BYTES];
    int16_t objective;
};
JobOfferTexts s_texts;
const MenuItem* AcceptTable(uint16_t mode);
const MenuItem* s_acceptTable;  // the "Accepter" control of the mode

int32_t OfferedClub() { return GameState.currentClub; }

void FormatFigures(int32_t club)
{
    const int32_t division = VTW_FindDivisionOfTeam(club);
    std::snprintf(s_texts.figures[0], TEXT_BYTES, "%s %s",
                  GetMessageText(VTW_GetDivisionTextNo(division)),
                  Ordinal2Str(VTW_GetTeamDivisionSlot(club) + 1));
    std::snprintf(s_texts.figures[1], TEXT_BYTES, "%s",
                  Ordinal2Str(VTW_GetClubReputationPos(club) + 1));
    const int32_t capacity = VTW_GetClubCapacity1(club) + VTW_GetClubCapacity2(club)
                             + VTW_GetClubCapacity3(club) + VTW_GetClubCapacity4(club);
    std::snprintf(s_texts.figures[2], TEXT_BYTES, "%d", capacity * 1000);
    const int32_t attendance = VTW_GetClubAverageAttendance(club);
    if (attendance > 0) {
        std::snprintf(s_texts.figures[3], TEXT_BYTES, "%d", attendance);
    } else {
        std::snprintf(s_texts.figures[3], TEXT_BYTES, "-");
    }
    std::snprintf(s_texts.figures[4], TEXT_BYTES, "%s", Price2str(VTW_GetClubBalance(club)));
}

// The cups the club plays this season, as its calendar holds them; rows left over stay empty.
void FillCups(int32_t club)
{
    int32_t texts[CUP_CLUB_CUPS_MAX];
    const int32_t count = Cup_ClubCupTexts(club, texts);
    for (int32_t row = 0; row < JOBOFFER_CUP_ROWS; ++row) {
        JobOffer.cups[row] = static_cast<int16_t>(row < count ? texts[row] : -1);
    }
}

void JobOffer_Init()
{
    const int32_t club = OfferedClub();
    if (EXM_GetRebuildFlag() != 0) {
        JobOffer.boardReaction = 0;
        JobOffer.scroll = 0;
    }
    std::snprintf(s_texts.title, TEXT_BYTES, "%s %s", GetMessageText(TEXT_OFFER),
                  VTW_FormatClubName(VTW_GetTeam(club)));
    s_texts.badge = static_cast<int16_t>(BADGE_ICON_BASE + VTW_GetTeam(club));
    FormatFigures(club);
    s_texts.objective = static_cast<int16_t>(VTW_GetBoardTargetTextNo(club));
    FillCups(club);
    JobOffer.squadRows = static_cast<int16_t>(VTW_RefreshSquadCount(club));
    s_acceptTable = AcceptTable(JobOfferMode);
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE | HEADER_RESTRICTED);
}

// The club's cups right-aligned under one another, the first on the line of their label and
// clear of it.
void DrawCups(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    int32_t labelW = 0, h = 0;
    SetMenuFont(0);
    GetMessageExtent(TEXT_CUPS, &labelW, &h);
    for (int32_t row = 0; row < JOBOFFER_CUP_ROWS; ++row) {
        const int32_t left = LABELS_X + (row == 0 ? labelW + LABEL_GAP : 0);
        DrawMenuStringInRoom(x, y + CUPS_PITCH * row, GetMessageText(JobOffer.cups[row]),
                             MENU_ALIGN_TR, x - left, 0, 0);
    }
}

// "Offre d'emploi" and the club's name, in the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, s_texts.title);
}

void DrawSquadRow(int32_t x, int32_t y, int32_t, int32_t, int32_t row)
{
    const int32_t index = JobOffer.scroll + row;
    if (index >= SquadList.count) return;
    const int32_t player = SquadList.players[index];
    if (player < 0) return;
    const int32_t line = std::min(VTW_GetPositionType(player), 3);
    DoIcon(x, y + SQUAD_ROW_HEIGHT / 2, SHIRT_ICON_BASE + line, 9);
    SetMenuFont(0);
    SetDrawAttribute(1, 0);
    DrawMenuString(x + SQUAD_NAME_LEFT, y + 4, VTW_FormatPersonName(player), MENU_ALIGN_TL);
    char position[TEXT_BYTES];
    std::snprintf(position, sizeof position, "%s %s", GetMessageText(VTW_GetPositionTextNo(player)),
                  GetMessageText(VTW_GetSideTextNo(player)));
    DrawMenuString(x + 140, y + 4, position, MENU_ALIGN_TL);
    DrawMenuString(x + SQUAD_VALUE_RIGHT, y + 4, Price2str(VTW_GetPlayerValue(player)),
                   MENU_ALIGN_TR);
}

// The new post comes with the terms that let the manager renew contracts and run training.
void ResetClauses(int32_t club)
{
    VTW_SetClubContractClause(club, 1);
    VTW_SetClubTrainingClause(club, 1);
    VTW_ClearClubFlag51_6(club);
    VTW_ClearClubFlag27_2(club);
    VTW_SetClubFinancialClause(club, 1);
    VTW_ClearClubFlag82_1(club);
    VTW_ClearClubFlag3_7(club);
}

// The human's reputation as a newcomer: three quarters of his club's when below it, at least 3.
void SetNewcomerReputation(int32_t club)
{
    const int32_t clubReputation = VTW_GetClubReputation(club);
    if (VTW_GetPlayerReputation(PERSON_HUMAN) < clubReputation)
        Player_SetRep(PERSON_HUMAN, clubReputation * 75 / 100);
    if (VTW_GetPlayerReputation(PERSON_HUMAN) < MIN_HUMAN_REPUTATION)
        Player_SetRep(PERSON_HUMAN, MIN_HUMAN_REPUTATION);
}

int32_t TakeJob()
{
    const uint16_t mode = JobOfferMode;
    const int32_t club = OfferedClub();
    SetBusyPointer(1);
    MenuOption = OPTION_MANAGER_NAME;
    VTW_ResetClubFlags(club);
    Managers_HumanTakesOver(club);
    GameState.humanClub = static_cast<int16_t>(club);
    VTW_InitTrainingBuffer();
    VTW_FillSquadTable(club, 0);
    VTW_AddNewPlayer(club);
    VTW_UpdateTeam(club);
    CustomTactics_Clear();
    JobNewMarkers[0] = 1;
    JobNewMarkers[1] = 1;
    if (mode == 0) {
        SetNewcomerReputation(club);
        Market_ClearHumanOffers();
    } else {
        MenuOption = MENU_OPTION_OFFICE;
    }
    if (mode == 2) VTW_ClearMatchSlot();
    if (mode != 1) {
        VTW_SetPlayerShirt(PERSON_HUMAN, 0);
        VTW_SetJobOfferHuman(0);
    }
    JobOfferMode = 0;
    VTW_RefreshSquadCount(club);
    ResetClauses(club);
    SetBusyPointer(0);
    if (mode == 2) RouteGameEvents();
    JobOfferViewFlag = 0;
    return EXM_CODE_LEAVE;
}

bool BoardReacts(int32_t present)
{
    return JobOffer.boardReaction == 0 && present >= 0
           && VTW_GetClubRepRank(present) > REACTION_RANK
           && VTW_GetClubRecentForm(present) > REACTION_FORM && Rand() % 2 == 1;
}

void SendBoardReaction(int32_t present)
{
    TextMessParams params{};
    params.team[0] = static_cast<int16_t>(present);
    TextMess_SetParams(params);
    TextMess_PickRandom(GROUP_BOARD_REACTION);
    TextMess_ShowForHumans();
}

// The board's grant on a refusal: a share of what the club has, never of a debt, computed wide
// so a large balance cannot overflow. It is booked as income, so that the season's figures still
// explain the balance; the booking keeps the stored range.
void GrantFunds(int32_t present)
{
    const int64_t balance = Club_GetBalance(present);
    const int64_t percent = GRANT_PERCENT_MIN + Rand() % GRANT_PERCENT_SPAN;
    const int64_t grant = std::max<int64_t>(balance, 0) * percent / 100;
    VTW_AddClubCash(present, static_cast<int32_t>(std::min<int64_t>(grant, INT32_MAX)));
}

MenuListEntry* AcceptPopup()
{
    static MenuListEntry popup[] = {
        {LIST_TITLE_TEXT_NO, 0, {-1, -1, -1, -1}, {0, 0}, 82, nullptr, nullptr},
        {LIST_ENTRY_TEXT_NO,
         LIST_ENABLED,
         {0, 0, 0, 0},
         {0, 0},
         TEXT_PLAYER_MANAGER,
         [](MenuListEntry*) { return JobOffer_PlayerManager(nullptr); },
         nullptr},
        {LIST_ENTRY_TEXT_NO,
         LIST_ENABLED,
         {0, 0, 0, 0},
         {0, 0},
         TEXT_MANAGER,
         [](MenuListEntry*) { return JobOffer_ManagerOnly(nullptr); },
         nullptr},
        {LIST_END, 0, {0, 0, 0, 0}, {0, 0}, 0, nullptr, nullptr},
    };
    return popup;
}

// Mode 0 asks with a drop-down whether the human also plays; the other modes accept at once.
const MenuItem* AcceptTable(uint16_t mode)
{
    static const MenuItem withChoice[] = {
        {0x200c, 74, 440, 265, 30, MenuTextNo(82), JobOffer_Accept},
        {0x2009, 0, 0, 0, 0, MenuAddress(AcceptPopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem direct[] = {
        {0x200c, 74, 440, 265, 30, MenuTextNo(82), JobOffer_Accept},
        MenuEndItem(nullptr, nullptr),
    };
    return mode == 0 ? withChoice : direct;
}

}  // namespace

void JobOfferInit()
{
    JobOfferViewFlag = 0;
    JobNewMarkers[0] = 0;
    JobNewMarkers[1] = 0;
    JobOffer = {};
    s_texts = {};
    s_acceptTable = nullptr;
}

void JobOfferUninit() { JobOfferInit(); }

int32_t JobOffer_PlayerManager(MenuHotspot*)
{
    VTW_ClearClubFlag27_3(OfferedClub(), 1);
    return TakeJob();
}

int32_t JobOffer_ManagerOnly(MenuHotspot*)
{
    VTW_ClearClubFlag27_3(OfferedClub(), 0);
    return TakeJob();
}

int32_t JobOffer_Accept(MenuHotspot*)
{
    const int32_t present = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (JobOfferMode == 2 && BoardReacts(present)) {
        JobOffer.boardReaction = 1;
        SendBoardReaction(present);
        return EXM_CODE_REDRAW;
    }
    return TakeJob();
}

int32_t JobOffer_Refuse(MenuHotspot*)
{
    VTW_SetJobOfferHuman(0);
    JobOfferViewFlag = 0;
    switch (JobOfferMode) {
        case 0: MenuOption = OPTION_TEAM_CHOICE; break;
        case 1:
            MenuOption = OPTION_JOB_CENTRE;
            JobOfferMode = 0;
            break;
        default:
            if (JobOffer.boardReaction != 0) {
                DoMessageBox(GetMessageText(TEXT_BOARD_GRANT), 0);
                JobOffer.boardReaction = 0;
                GrantFunds(VTW_GetClubOfManager(MANAGER_HUMAN));
            }
            MenuOption = MENU_OPTION_OFFICE;
            break;
    }
    return EXM_CODE_LEAVE;
}

int32_t JobOffer_Fixtures(MenuHotspot*)
{
    JobOfferViewFlag = 1;
    MenuOption = OPTION_CALENDAR;
    return EXM_CODE_LEAVE;
}

int32_t JobOffer_ScrollUp(MenuHotspot*)
{
    JobOffer.scroll = static_cast<int16_t>(std::max(JobOffer.scroll - 1, 0));
    return EXM_CODE_REDRAW;
}

int32_t JobOffer_ScrollDown(MenuHotspot*)
{
    const int32_t last = std::max(JobOffer.squadRows - JOBOFFER_SQUAD_ROWS, 0);
    JobOffer.scroll = static_cast<int16_t>(std::min(JobOffer.scroll + 1, last));
    return EXM_CODE_REDRAW;
}

const MenuItem* JobOffer_Table()
{
    static const MenuItem squadRow[] = {
        {0x24, 32, 0, SQUAD_VALUE_RIGHT, SQUAD_ROW_HEIGHT, MenuCallback(DrawSquadRow), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(JobOffer_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(JOBOFFER_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x04, 322, 82, MENU_ALIGN_TL, 0, MenuVariable(&s_texts.badge), nullptr},
        {0x04, 322, 418, MENU_ALIGN_BL, 0, MenuVariable(&s_texts.badge), nullptr},
        {0x04, 608, 82, MENU_ALIGN_TR, 0, MenuVariable(&s_texts.badge), nullptr},
        {0x04, 608, 418, MENU_ALIGN_BR, 0, MenuVariable(&s_texts.badge), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 465, 82, 6, 0, MenuTextNo(1686), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 340, 120, MENU_ALIGN_TL, 0, MenuTextNo(2100), nullptr},
        {0x0f, 340, 140, MENU_ALIGN_TL, 0, MenuTextNo(1833), nullptr},
        {0x0f, 340, 160, MENU_ALIGN_TL, 0, MenuTextNo(2101), nullptr},
        {0x0f, 340, 180, MENU_ALIGN_TL, 0, MenuTextNo(2102), nullptr},
        {0x0f, 340, 200, MENU_ALIGN_TL, 0, MenuTextNo(2103), nullptr},
        {0x0f, 340, 220, MENU_ALIGN_TL, 0, MenuTextNo(1901), nullptr},
        {0x0f, LABELS_X, CUPS_Y, MENU_ALIGN_TL, 0, MenuTextNo(TEXT_CUPS), nullptr},
        {0x11, 570, 120, MENU_ALIGN_TR, 0, MenuString(s_texts.figures[0]), nullptr},
        {0x11, 570, 140, MENU_ALIGN_TR, 0, MenuString(s_texts.figures[1]), nullptr},
        {0x11, 570, 160, MENU_ALIGN_TR, 0, MenuString(s_texts.figures[2]), nullptr},
        {0x11, 570, 180, MENU_ALIGN_TR, 0, MenuString(s_texts.figures[3]), nullptr},
        {0x11, 570, 200, MENU_ALIGN_TR, 0, MenuString(s_texts.figures[4]), nullptr},
        {0x10, 340, 240, MENU_ALIGN_TL, 0, MenuVariable(&s_texts.objective), nullptr},
        {0x24, VALUES_X, CUPS_Y, 0, 0, MenuCallback(DrawCups), nullptr},
        {0x21, 0, 80, JOBOFFER_SQUAD_ROWS, SQUAD_ROW_HEIGHT, MenuAddress(squadRow), nullptr},
        // The scroll controls stand in the gap between the squad's values and the badges.
        {0x1f, SCROLL_X, 80, SCROLL_SIZE, SCROLL_SIZE, MenuNumber(-1), JobOffer_ScrollUp},
        {0x11, SCROLL_X + SCROLL_SIZE / 2, 90, MENU_ALIGN_CENTRE, 0, MenuString("^"), nullptr},
        {0x1f, SCROLL_X, 400, SCROLL_SIZE, SCROLL_SIZE, MenuNumber(-1), JobOffer_ScrollDown},
        {0x11, SCROLL_X + SCROLL_SIZE / 2, 410, MENU_ALIGN_CENTRE, 0, MenuString("v"), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 340, 320, 240, 30, MenuTextNo(2104), JobOffer_Fixtures},
        {0x22, 0, 0, 1, 0, MenuVariable(&s_acceptTable), nullptr},
        {0x200c, 341, 440, 265, 30, MenuTextNo(83), JobOffer_Refuse},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
