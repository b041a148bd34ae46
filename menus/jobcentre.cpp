// menus/jobcentre.cpp: the job centre.
#include "menus/jobcentre.h"

#include <algorithm>
#include <cstdio>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

JobCentreState JobCentre;

namespace {

constexpr int32_t TEXT_TITLE = 1690;
constexpr int32_t TEXT_THREATENED = 1689;
constexpr int32_t TEXT_VACANCIES = 791;
constexpr int32_t TEXT_HONOURS = 1216;
constexpr int32_t TEXT_SQUAD = 453;
constexpr int16_t OPTION_HONOURS = 27;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t THREATENED_TOP = 90;
constexpr int32_t VACANCIES_TOP = 260;
constexpr int32_t ROW_PITCH = 26;
constexpr int32_t BADGE_X = 40;
constexpr int32_t NAME_X = 68;  // past the badge
constexpr uint16_t CLUB_LIST_END = 65535;

struct JobCentreTexts {
    int16_t chosenName;  // the drop-down's title
};
JobCentreTexts s_texts;

void DrawClubName(int32_t middle, int32_t club)
{
    DoIcon(BADGE_X, middle, BADGE_ICON_BASE + VTW_GetTeam(club), MENU_ALIGN_ML);
    DrawMenuString(NAME_X, middle, VTW_FormatClubName(VTW_GetTeam(club)), MENU_ALIGN_ML);
}

void DrawThreatened(int32_t middle, int32_t club)
{
    DrawClubName(middle, club);
    DrawMenuString(200, middle, VTW_FormatPersonName(VTW_GetClubManager(club)), MENU_ALIGN_ML);
    DrawMenuString(350, middle, VTW_GetClubFormText(club), MENU_ALIGN_ML);
}

void DrawVacancy(int32_t middle, int32_t club)
{
    DrawClubName(middle, club);
    const int32_t division = VTW_FindDivisionOfTeam(club);
    if (division < 0) return;
    char place[96];
    std::snprintf(place, sizeof place, "%s %s", GetMessageText(VTW_GetDivisionTextNo(division)),
                  GetMessageText(VTW_GetLeaguePosTextForTeam(club, division)));
    DrawMenuString(250, middle, place, MENU_ALIGN_ML);
}

void DrawLists(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    const JobCentreState& j = JobCentre;
    for (int32_t row = 0; row < JOBCENTRE_THREATENED_ROWS; ++row) {
        const int32_t index = j.first + row;
        if (index >= j.threatenedCount) break;
        DrawThreatened(THREATENED_TOP + row * ROW_PITCH + ROW_PITCH / 2, j.threatened[index]);
    }
    for (int32_t row = 0; row < JOBCENTRE_VACANCY_ROWS && row < j.vacancyCount; ++row) {
        SetDrawAttribute(1, j.vacancies[row] == j.chosenClub ? 8 : 0);
        DrawVacancy(VACANCIES_TOP + row * ROW_PITCH + ROW_PITCH / 2, j.vacancies[row]);
    }
    SetDrawAttribute(1, 0);
    DoIcon(24, 430, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

int32_t ToTitle()
{
    MenuOption = MENU_OPTION_TITLE;
    return EXM_CODE_LEAVE;
}

// After the game-over messages a click in a list leads to the title.
int32_t ThreatenedClick(MenuHotspot*) { return JobCentre.gameOver != 0 ? ToTitle() : 1; }

int32_t VacancyClick(MenuHotspot*) { return EXM_CODE_NONE; }

void PrepareVacancy(MenuListRecord* record)
{
    const auto* hotspot = reinterpret_cast<const MenuHotspot*>(record->subject);
    JobCentre_ChooseRow(static_cast<int32_t>(hotspot->value));
}

int32_t ApplyEntry(MenuListEntry*) { return JobCentre_Apply(); }
int32_t HonoursEntry(MenuListEntry*) { return JobCentre_Look(OPTION_HONOURS); }
int32_t SquadEntry(MenuListEntry*) { return JobCentre_Look(MENU_OPTION_SQUAD); }

MenuListEntry* VacancyPopup()
{
    static MenuListEntry popup[] = {
        {LIST_TITLE_TEXT_NO_VAR,
         0,
         {-1, -1, -1, -1},
         {0, 0},
         reinterpret_cast<std::intptr_t>(&s_texts.chosenName),
         nullptr,
         PrepareVacancy},
        MenuList_Entry(TEXT_APPLY, ApplyEntry),
        MenuList_Entry(TEXT_HONOURS, HonoursEntry),
        MenuList_Entry(TEXT_SQUAD, SquadEntry),
        MenuList_End(),
    };
    return popup;
}

int32_t Up(MenuHotspot*) { return JobCentre_ThreatenedUp(); }
int32_t Down(MenuHotspot*) { return JobCentre_ThreatenedDown(); }

int32_t Done(MenuHotspot*)
{
    if (JobCentre.gameOver != 0) return ToTitle();
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t Escape() { return JobCentre.gameOver != 0 ? ToTitle() : EXM_CODE_LEAVE; }

void CheckGameOver()
{
    JobCentre.gameOver = 0;
    if (VTW_GetSackedHuman() == 0 || JobCentre_AnyClubWouldTake()) return;
    JobCentre.gameOver = 1;
    DoMessageBox(GetMessageText(TEXT_HOPELESS_MANAGER), 0);
    DoMessageBox(GetMessageText(TEXT_GAME_OVER), 0);
}

// The screen's title, in the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, GetMessageText(TEXT_TITLE));
}

}  // namespace

void JobCentreInit()
{
    JobCentre = {};
    JobCentre.chosenClub = JOBCENTRE_NO_CLUB;
    JobCentre.vacancies[0] = CLUB_LIST_END;
    JobCentre.threatened[0] = CLUB_LIST_END;
    JobCentre.lastAnswer = -1;
    s_texts = {};
}

void JobCentreUninit() { JobCentreInit(); }

void JobCentre_Init()
{
    JobCentreViewFlag = 0;
    JobCentreState& j = JobCentre;
    j.vacancyCount = static_cast<int16_t>(VTW_ListManagerVacancies(j.vacancies));
    j.threatenedCount = static_cast<int16_t>(VTW_ListStrugglingClubs(j.threatened));
    j.first = static_cast<int16_t>(std::clamp<int32_t>(
        j.first, 0, std::max(0, j.threatenedCount - JOBCENTRE_THREATENED_ROWS)));
    if (EXM_GetRebuildFlag() != 0) {
        j.chosenClub = JOBCENTRE_NO_CLUB;
        j.first = 0;
        CheckGameOver();
    }
    MenuCont_FormatTitle(j.gameOver != 0 ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
}

bool JobCentre_AnyClubWouldTake()
{
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (VTW_FindDivisionOfTeam(club) < 0) continue;
        if (Job_Consider(club, JOBCENTRE_NO_POST_BONUS) != 0) return true;
    }
    return false;
}

void JobCentre_ChooseRow(int32_t row)
{
    const bool listed = row >= 0 && row < JOBCENTRE_VACANCY_ROWS && row < JobCentre.vacancyCount;
    JobCentre.chosenClub = listed ? JobCentre.vacancies[row] : JOBCENTRE_NO_CLUB;
    s_texts.chosenName =
        static_cast<int16_t>(listed ? VTW_ClubNameTextNo(VTW_GetTeam(JobCentre.chosenClub)) : -1);
}

int32_t JobCentre_Apply()
{
    if (JobCentre.gameOver != 0) return ToTitle();
    const int32_t club = JobCentre.chosenClub;
    if (club == JOBCENTRE_NO_CLUB) return LIST_CODE_REDRAW;
    const int32_t bonus = FrontEnd_HumanHasPost() ? 0 : JOBCENTRE_NO_POST_BONUS;
    const int32_t answer = VTW_ApplyForJob(club, bonus);
    JobCentre.lastAnswer = static_cast<int16_t>(answer);
    JobCentre.chosenClub = JOBCENTRE_NO_CLUB;
    if (answer == 1) {
        DoMessageBox(GetMessageText(TEXT_APPLICATION_ACCEPTED), 0);
        JobOfferMode = 1;
        GameState.currentClub = static_cast<int16_t>(club);
        MenuOption = 6;
        return LIST_CODE_LEAVE;
    }
    DoMessageBox(GetMessageText(answer != 0 ? TEXT_APPLICATION_PENDING : TEXT_APPLICATION_REFUSED),
                 0);
    MenuOption = OPTION_JOB_CENTRE;  // built afresh: the lists may have changed
    return LIST_CODE_LEAVE;
}

int32_t JobCentre_Look(int16_t option)
{
    if (JobCentre.gameOver != 0) return ToTitle();
    if (JobCentre.chosenClub == JOBCENTRE_NO_CLUB) return LIST_CODE_CLOSE;
    JobCentreViewFlag = 1;
    GameState.currentClub = static_cast<int16_t>(JobCentre.chosenClub);
    MenuOption = option;
    return LIST_CODE_LEAVE;
}

int32_t JobCentre_ThreatenedUp()
{
    if (JobCentre.first == 0) return 1;
    --JobCentre.first;
    return EXM_CODE_REDRAW;
}

int32_t JobCentre_ThreatenedDown()
{
    if (JobCentre.first + JOBCENTRE_THREATENED_ROWS >= JobCentre.threatenedCount) return 1;
    ++JobCentre.first;
    return EXM_CODE_REDRAW;
}

const MenuItem* JobCentre_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(JobCentre_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 320, 70, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_THREATENED), nullptr},
        {0x24, 32, 90, 576, 130, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x24, 195, 225, 250, 30, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x0f, 320, 240, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_VACANCIES), nullptr},
        {0x24, 32, 260, 576, 156, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawLists), nullptr},
        {0x1f, 32, 90, 576, 130, MenuNumber(-1), ThreatenedClick},
        {0x1f, 32, 260, 576, 26, MenuNumber(0), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 32, 286, 576, 26, MenuNumber(1), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 32, 312, 576, 26, MenuNumber(2), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 32, 338, 576, 26, MenuNumber(3), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 32, 364, 576, 26, MenuNumber(4), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 32, 390, 576, 26, MenuNumber(5), VacancyClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(VacancyPopup()), nullptr},
        {0x1f, 30, 436, 30, 15, MenuNumber(-1), Up},
        {0x1f, 30, 456, 30, 15, MenuNumber(-1), Down},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, Escape),
    };
    return table;
}
