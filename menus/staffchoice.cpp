// menus/staffchoice.cpp: the staff choice screen.
#include "menus/staffchoice.h"

#include <array>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
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

StaffChoiceState StaffChoice;

namespace {

constexpr int32_t TEXT_TITLE = 79;
constexpr int32_t TEXT_TYPE = 274;
constexpr int32_t TEXT_RANKING = 842;
constexpr int32_t TEXT_CONTRACT = 843;
constexpr int32_t TEXT_WAGE = 240;
constexpr int32_t TEXT_CANDIDATE_WAGE = 845;
constexpr int32_t TEXT_RELEASE_COST = 839;
constexpr int32_t ROWS_TOP = 136;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t HOLDERS_X = 32;
constexpr int32_t HOLDERS_W = 410;
constexpr int32_t CANDIDATES_X = 448;
constexpr int32_t CANDIDATES_W = 158;
constexpr int32_t PANEL_X = 32;
constexpr int32_t PANEL_Y = 350;
constexpr int32_t PANEL_W = 576;
constexpr int32_t PANEL_H = 86;
constexpr int32_t PANEL_PERCENT = 50;
constexpr int32_t COLOUR_NORMAL = 0;
constexpr int32_t COLOUR_SELECTED = 8;

// One row per role in post order: its name and the club's getters and setters of its holder.
struct StaffRoleRow {
    int32_t role;
    int16_t text;
    int32_t (*rating)(int32_t club);
    void (*setHolder)(int32_t club, int32_t rating, int32_t wage);
    int32_t (*contract)(int32_t club);
    void (*setContract)(int32_t club, int32_t months);
};

// clang-format off
constexpr auto kRoles = std::to_array<StaffRoleRow>({
    {STAFF_COACH,       411, VTW_GetClubCoach,      VTW_SetClubCoach,
                             VTW_GetClubCoachContract,      VTW_SetClubCoachContract},
    {STAFF_COACH_GK,    412, VTW_GetClubCoachGK,    VTW_SetClubCoachGK,
                             VTW_GetClubCoachGKContract,    VTW_SetClubCoachGKContract},
    {STAFF_COACH_DF,    413, VTW_GetClubCoachDF,    VTW_SetClubCoachDF,
                             VTW_GetClubCoachDFContract,    VTW_SetClubCoachDFContract},
    {STAFF_COACH_MD,    414, VTW_GetClubCoachMD,    VTW_SetClubCoachMD,
                             VTW_GetClubCoachMDContract,    VTW_SetClubCoachMDContract},
    {STAFF_COACH_FW,    415, VTW_GetClubCoachFW,    VTW_SetClubCoachFW,
                             VTW_GetClubCoachFWContract,    VTW_SetClubCoachFWContract},
    {STAFF_PHYSIO,      416, VTW_GetClubPhysio,     VTW_SetClubPhysio,
                             VTW_GetClubPhysioContract,     VTW_SetClubPhysioContract},
    {STAFF_YDO,         417, VTW_GetClubYDO,        VTW_SetClubYDO,
                             VTW_GetClubYDOContract,        VTW_SetClubYDOContract},
    {STAFF_DIETITIAN,   418, VTW_GetClubDietitian,  VTW_SetClubDietitian,
                             VTW_GetClubDietitianContract,  VTW_SetClubDietitianContract},
    {STAFF_COACH_YOUTH, 419, VTW_GetClubCoachYouth, VTW_SetClubCoachYouth,
                             VTW_GetClubCoachYouthContract, VTW_SetClubCoachYouthContract},
    {STAFF_PSYCHO,      420, VTW_GetClubPsycho,     VTW_SetClubPsycho,
                             VTW_GetClubPsychoContract,     VTW_SetClubPsychoContract},
    {STAFF_FAITH,       421, VTW_GetClubFaith,      VTW_SetClubFaith,
                             VTW_GetClubFaithContract,      VTW_SetClubFaithContract},
});
// clang-format on

static_assert(kRoles.size() == STAFF_ROLE_COUNT, "one row per staff role");

consteval bool EveryRoleInPlace()
{
    for (size_t i = 0; i < kRoles.size(); ++i) {
        if (kRoles[i].role != static_cast<int32_t>(i)) return false;
    }
    return true;
}
static_assert(EveryRoleInPlace(), "a role row is out of order");

// What the build leaves for the drawing.
struct StaffTexts {
    int16_t clubName;
    int16_t roleName;
};
StaffTexts s_texts;

int32_t ShownClub() { return GameState.currentClub; }

bool HumanRunsShownClub()
{
    const int32_t club = ShownClub();
    return club >= 0 && VTW_GetClubController(club) >= MANAGER_HUMAN;
}

bool DismissalPending() { return StaffChoice.dismissal < STAFF_NO_DISMISSAL; }
bool HirePending() { return StaffChoice.hire != STAFF_NO_HIRE; }

// The figures of a person: ranking, weekly wage, contract months and release cost.
struct StaffFigures {
    int32_t rating;
    int32_t wage;
    int32_t months;
    int32_t cost;
};

StaffFigures HolderFigures(int32_t club, int32_t role)
{
    StaffFigures f{kRoles[role].rating(club), 0, kRoles[role].contract(club), 0};
    f.cost = VTW_GetStaffCost(f.rating, f.months, &f.wage);
    return f;
}

StaffFigures CandidateFigures(int32_t role, int32_t k)
{
    const StaffCandidate& c = MarketState.staff[role][k];
    StaffFigures f{c.rating, c.wage, c.termMonths, 0};
    f.cost = VTW_GetStaffCost(f.rating, f.months, nullptr);
    return f;
}

void DrawHolderRow(int32_t club, int32_t role)
{
    const int32_t y = ROWS_TOP + role * ROW_PITCH;
    const int32_t middle = y + ROW_PITCH / 2;
    MenuCont_ShadedBox(HOLDERS_X, y, HOLDERS_W, ROW_PITCH, role & 1);
    SetDrawAttribute(1, role == StaffChoice.role ? COLOUR_SELECTED : COLOUR_NORMAL);
    DrawMenuMessage(40, middle, kRoles[role].text, MENU_ALIGN_ML);
    const StaffFigures f = HolderFigures(club, role);
    if (f.rating != 0) {
        DrawMenuNumber(230, middle, f.rating, MENU_ALIGN_ML);
        DrawMenuNumber(300, middle, f.months, MENU_ALIGN_ML);
        DrawMenuString(370, middle, Price2str(f.wage), MENU_ALIGN_ML);
    }
    SetDrawAttribute(1, COLOUR_NORMAL);
    EXM_AddHotspot(
        30, y, 150, ROW_PITCH, -1, MENU_ALIGN_TL, -1, role, role, role,
        [](MenuHotspot* h) { return Staff_SelectRole(static_cast<int32_t>(h->value)); }, 0,
        HOTSPOT_PLAIN);
    EXM_AddHotspot(
        180, y, 260, ROW_PITCH, -1, MENU_ALIGN_TL, -1, role, role, role,
        [](MenuHotspot* h) { return Staff_AskDismiss(static_cast<int32_t>(h->value)); }, 0,
        HOTSPOT_PLAIN);
}

void DrawCandidateRow(int32_t k)
{
    const int32_t y = ROWS_TOP + k * ROW_PITCH;
    const int32_t middle = y + ROW_PITCH / 2;
    MenuCont_ShadedBox(CANDIDATES_X, y, CANDIDATES_W, ROW_PITCH, k & 1);
    const StaffFigures f = CandidateFigures(StaffChoice.role, k);
    SetDrawAttribute(1, k == StaffChoice.hire ? COLOUR_SELECTED : COLOUR_NORMAL);
    if (f.rating != 0) {
        DrawMenuNumber(480, middle, f.rating, MENU_ALIGN_ML);
        DrawMenuString(560, middle, Price2str(f.wage), MENU_ALIGN_ML);
    }
    SetDrawAttribute(1, COLOUR_NORMAL);
    EXM_AddHotspot(
        CANDIDATES_X, y, CANDIDATES_W, ROW_PITCH, -1, MENU_ALIGN_TL, -1, k, k, k,
        [](MenuHotspot* h) { return Staff_AskHire(static_cast<int32_t>(h->value)); }, 0,
        HOTSPOT_PLAIN);
}

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const int32_t club = ShownClub();
    if (club < 0) return;
    SetMenuFont(0);
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        DrawHolderRow(club, role);
    }
    for (int32_t k = 0; k < STAFF_CANDIDATES; ++k) {
        DrawCandidateRow(k);
    }
}

void DrawPanel(const StaffFigures& f)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(PANEL_X, PANEL_Y, PANEL_W, PANEL_H, PANEL_PERCENT);
    SetMenuFont(0);
    DrawMenuMessage(220, 380, TEXT_RANKING, MENU_ALIGN_CENTRE);
    DrawMenuMessage(310, 380, TEXT_CONTRACT, MENU_ALIGN_CENTRE);
    DrawMenuMessage(420, 380, TEXT_CANDIDATE_WAGE, MENU_ALIGN_CENTRE);
    DrawMenuMessage(520, 380, TEXT_RELEASE_COST, MENU_ALIGN_CENTRE);
    DrawMenuNumber(220, 400, f.rating, MENU_ALIGN_CENTRE);
    DrawMenuNumber(310, 400, f.months, MENU_ALIGN_CENTRE);
    DrawMenuString(420, 400, Price2str(f.wage), MENU_ALIGN_CENTRE);
    DrawMenuString(520, 400, Price2str(f.cost), MENU_ALIGN_CENTRE);
    PresentMenuScreen();
}

bool Asked(int32_t question)
{
    return DoQuestionBox(GetMessageText(question), 0, MenuYesNoButtons) == 0;
}

// The club pays the release cost to the money outside the game, so the world's sum holds.
void Dismiss(int32_t club, int32_t role)
{
    const StaffFigures f = HolderFigures(club, role);
    DrawPanel(f);
    if (!Asked(TEXT_STAFF_DISMISS_QUESTION)) return;
    if (VTW_GetClubBalance(club) < f.cost) {
        DoMessageBox(GetMessageText(TEXT_STAFF_NO_MONEY_TO_RELEASE), 0);
        return;
    }
    VTW_AddClubCash(club, -f.cost);
    VTW_AddClubCash(CLUB_NONE, f.cost);
    kRoles[role].setHolder(club, 0, 0);
    kRoles[role].setContract(club, 0);
}

// A hire needs the money to release the candidate again at once, as a dismissal would.
void Hire(int32_t club, int32_t role, int32_t k)
{
    const StaffFigures f = CandidateFigures(role, k);
    DrawPanel(f);
    if (!Asked(TEXT_STAFF_HIRE_QUESTION)) return;
    if (VTW_GetClubBalance(club) < f.cost) {
        DoMessageBox(GetMessageText(TEXT_STAFF_NO_MONEY_TO_HIRE), 0);
        return;
    }
    kRoles[role].setHolder(club, f.rating, f.wage);
    kRoles[role].setContract(club, f.months);
    Staff_ReplaceCandidate(role, k);
}

int32_t ChooseRoleEntry(MenuListEntry* entry)
{
    Staff_SelectRole(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

void PrepareRoles(MenuListRecord*);

MenuListEntry* RolesPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TYPE, PrepareRoles),
        MenuList_Entry(411, ChooseRoleEntry, 0),
        MenuList_Entry(412, ChooseRoleEntry, 1),
        MenuList_Entry(413, ChooseRoleEntry, 2),
        MenuList_Entry(414, ChooseRoleEntry, 3),
        MenuList_Entry(415, ChooseRoleEntry, 4),
        MenuList_Entry(416, ChooseRoleEntry, 5),
        MenuList_Entry(417, ChooseRoleEntry, 6),
        MenuList_Entry(418, ChooseRoleEntry, 7),
        MenuList_Entry(419, ChooseRoleEntry, 8),
        MenuList_Entry(420, ChooseRoleEntry, 9),
        MenuList_Entry(421, ChooseRoleEntry, 10),
        MenuList_End(),
    };
    return popup;
}

void PrepareRoles(MenuListRecord*)
{
    MenuListEntry* popup = RolesPopup();
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        MenuListEntry& entry = popup[1 + role];
        const bool on = role == StaffChoice.role;
        entry.flags =
            static_cast<uint16_t>((entry.flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
    }
}

int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t Done(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_texts.clubName), TEXT_TITLE);
}

}  // namespace

void StaffChoiceInit()
{
    StaffChoice = {0, STAFF_NO_DISMISSAL, STAFF_NO_HIRE};
    s_texts = {};
}

void StaffChoiceUninit() { StaffChoiceInit(); }

void StaffChoice_Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    const int32_t club = ShownClub();
    s_texts.clubName = static_cast<int16_t>(club >= 0 ? VTW_ClubNameTextNo(VTW_GetTeam(club)) : -1);
    s_texts.roleName = kRoles[StaffChoice.role].text;
}

int32_t Staff_SelectRole(int32_t row)
{
    if (row < 0 || row >= STAFF_ROLE_COUNT || row == StaffChoice.role) return 1;
    StaffChoice.role = static_cast<uint16_t>(row);
    StaffChoice.hire = STAFF_NO_HIRE;
    s_texts.roleName = kRoles[row].text;
    return EXM_CODE_REDRAW;
}

int32_t Staff_AskDismiss(int32_t row)
{
    if (HirePending() || row < 0 || row >= STAFF_ROLE_COUNT || !HumanRunsShownClub()) return 1;
    if (kRoles[row].rating(ShownClub()) == 0) return 1;
    StaffChoice.dismissal = static_cast<uint16_t>(row);
    return StaffChoice_ConfirmHireFire();
}

int32_t Staff_AskHire(int32_t row)
{
    if (DismissalPending() || !HumanRunsShownClub()) return 1;
    const int32_t role = StaffChoice.role;
    StaffChoice.hire = STAFF_NO_HIRE;
    if (VTW_GetStaffChoiceRating(role, row) == 0) return EXM_CODE_REDRAW;
    // A role must be vacated before anyone else takes it.
    if (kRoles[role].rating(ShownClub()) != 0) return EXM_CODE_REDRAW;
    StaffChoice.hire = static_cast<uint16_t>(row);
    return StaffChoice_ConfirmHireFire();
}

int32_t StaffChoice_ConfirmHireFire()
{
    const int32_t club = ShownClub();
    if (HumanRunsShownClub()) {
        if (DismissalPending()) {
            Dismiss(club, StaffChoice.dismissal);
        } else if (HirePending()) {
            Hire(club, StaffChoice.role, StaffChoice.hire);
        }
    }
    StaffChoice.dismissal = STAFF_NO_DISMISSAL;
    StaffChoice.hire = STAFF_NO_HIRE;
    return EXM_CODE_REDRAW;
}

int32_t StaffChoice_FilledRoles(int32_t club)
{
    int32_t filled = 0;
    for (const StaffRoleRow& r : kRoles) {
        filled += r.rating(club) != 0;
    }
    return filled;
}

const MenuItem* StaffChoice_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(StaffChoice_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 40, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_TYPE), nullptr},
        {0x0f, 230, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_RANKING), nullptr},
        {0x0f, 300, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_CONTRACT), nullptr},
        {0x0f, 370, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_WAGE), nullptr},
        {0x0f, 480, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_RANKING), nullptr},
        {0x0f, 560, 120, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_CANDIDATE_WAGE), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x200f, 450, 84, 158, 30, MenuVariable(&s_texts.roleName), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(RolesPopup()), nullptr},
        {0x03, 570, 438, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
