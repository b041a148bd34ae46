// menus/contracttalks.cpp: the contract talks screen.
#include "menus/contracttalks.h"

#include <algorithm>
#include <cstdio>

#include "engine/script.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/shortlist.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/negotiation.h"
#include "menus/numbers.h"

ContractTalksState ContractTalks;

namespace {

constexpr int32_t TEXT_TITLE = 1829;
constexpr int32_t TEXT_CURRENT = 1903;
constexpr int32_t TEXT_NO_CONTRACT = 789;
constexpr int32_t TEXT_WAGE = 59;
constexpr int32_t TEXT_EXPIRES = 1904;
constexpr int32_t TEXT_MONTHS = 196;
constexpr int32_t TEXT_CONTRACT_CLAUSES = 1831;
constexpr int32_t TEXT_CLAUSES = 281;
constexpr int32_t TEXT_RELEGATION = 282;
constexpr int32_t TEXT_BIG_CLUB = 283;
constexpr int32_t TEXT_NONE = 402;
constexpr int32_t TEXT_LENGTH = 275;
constexpr int32_t TEXT_YEARS = 1905;
constexpr int32_t TEXT_OFFER = 96;
constexpr int32_t TEXT_WANTS = 1200;
constexpr int32_t TEXT_QUIT_TALKS = 1214;
constexpr int32_t TEXT_YES = 249;
constexpr int32_t TEXT_NO = 248;
constexpr int32_t CLICK_ADD = 1;
constexpr int32_t CLICK_SUBTRACT = 2;
constexpr uint16_t MARKER_ON = 9;
constexpr int32_t MONTHS_PER_YEAR = 12;
constexpr int16_t OPTION_CONTRACT_TALKS = 14;

const char* s_playerLine = ContractTalks.playerLine;  // string items read string variables
const char* s_playerName = ContractTalks.playerName;
const char* s_current[3] = {ContractTalks.current[0], ContractTalks.current[1],
                            ContractTalks.current[2]};
const char* s_demandLine = ContractTalks.demandLine;
const char* s_askedYearsLine = ContractTalks.askedYearsLine;
const char* s_askedClauses[2] = {ContractTalks.askedClauses[0], ContractTalks.askedClauses[1]};

int32_t Player() { return CurrentPlayer; }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t MaxWage() { return VTW_GetClubMaxWageOffer(HumanClub()); }

// The club he plays for: the loan club while on loan.
int32_t PlayingClub(int32_t player)
{
    return VTW_GetPlayerOnLoan(player) != 0 ? VTW_GetPlayerLoanSlot(player)
                                            : VTW_GetPlayerClub(player);
}

// The years offered, plus those still running on the human's own player.
int32_t TotalYears(int32_t player)
{
    const int32_t running =
        PlayingClub(player) == HumanClub() ? VTW_GetPlayerContract(player) / MONTHS_PER_YEAR : 0;
    return ContractTalks.years + running;
}

const char* Text(int32_t textNo) { return GetMessageText(textNo); }

void FillCurrentContract(int32_t player)
{
    ContractTalksState& t = ContractTalks;
    const int32_t months = VTW_GetPlayerContract(player);
    for (auto& line : t.current) {
        line[0] = '\0';
    }
    if (months < 1) {
        t.heading = TEXT_NO_CONTRACT;
        return;
    }
    t.heading = TEXT_CURRENT;
    std::snprintf(t.current[0], sizeof t.current[0], "%s:-%s", Text(TEXT_WAGE),
                  Price2str(VTW_GetPlayerWage(player)));
    std::snprintf(t.current[1], sizeof t.current[1], "%s:-%d %s", Text(TEXT_EXPIRES), months,
                  Text(TEXT_MONTHS));
    const bool relegation = VTW_GetPlayerRelegationClause(player) != 0;
    const bool bigClub = VTW_GetPlayerBigClubClause(player) != 0;
    if (relegation && bigClub) {
        std::snprintf(t.current[2], sizeof t.current[2], "%s:-%s, %s", Text(TEXT_CONTRACT_CLAUSES),
                      Text(TEXT_RELEGATION), Text(TEXT_BIG_CLUB));
    } else {
        std::snprintf(t.current[2], sizeof t.current[2], "%s:-%s", Text(TEXT_CONTRACT_CLAUSES),
                      Text(relegation ? TEXT_RELEGATION
                           : bigClub  ? TEXT_BIG_CLUB
                                      : TEXT_NONE));
    }
}

void FillDemand()
{
    ContractTalksState& t = ContractTalks;
    std::snprintf(t.demandLine, sizeof t.demandLine, "%s %s", Price2str(t.demand), Text(TEXT_WAGE));
    std::snprintf(t.askedYearsLine, sizeof t.askedYearsLine, "%s %d %s", Text(TEXT_LENGTH),
                  t.askedYears, Text(TEXT_YEARS));
    int32_t line = 0;
    t.askedClauses[1][0] = '\0';
    if (t.askedRelegation != 0)
        std::snprintf(t.askedClauses[line++], sizeof t.askedClauses[0], "%s",
                      Text(TEXT_RELEGATION));
    if (t.askedBigClub != 0)
        std::snprintf(t.askedClauses[line++], sizeof t.askedClauses[0], "%s", Text(TEXT_BIG_CLUB));
    if (line == 0)
        std::snprintf(t.askedClauses[0], sizeof t.askedClauses[0], "%s", Text(TEXT_NONE));
}

void SetMarkers()
{
    ContractTalksState& t = ContractTalks;
    t.markers[0] = t.relegation != 0 ? MARKER_ON : 0;
    t.markers[1] = t.relegation != 0 ? 0 : MARKER_ON;
    t.markers[2] = t.bigClub != 0 ? MARKER_ON : 0;
    t.markers[3] = t.bigClub != 0 ? 0 : MARKER_ON;
}

void StartTalks(int32_t player)
{
    ContractTalksState& t = ContractTalks;
    t = {};
    t.firstComputation = 1;
    t.wageOffer = VTW_RoundTo25(VTW_GetPlayerWage(player));
    t.years = TALKS_YEARS_DEFAULT;
    t.clubName = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(HumanClub())));
    Negotiation_FormatPlayerLine(player, t.playerLine, sizeof t.playerLine);
    std::snprintf(t.playerName, sizeof t.playerName, "%s", VTW_FormatPersonName(player));
    FillCurrentContract(player);
}

}  // namespace

void ContractTalksInit() { ContractTalks = {}; }
void ContractTalksUninit() { ContractTalksInit(); }

void ContractTalks_Init()
{
    ContractTalksState& t = ContractTalks;
    const int32_t player = Player();
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        StartTalks(player);
        PlayerCardOutcome = 0;
    }
    if (t.demandComputed == 0) {
        t.demandComputed = 1;
        ContractTalks_ComputeDemand();
        if (t.firstComputation != 0) {
            t.firstComputation = 0;
            t.wageOffer = std::min(t.wageOffer, VTW_RoundTo25(t.demand));
            t.wageOffer = std::min(t.wageOffer, VTW_RoundTo25(MaxWage()));
        }
    }
    VTW_SplitMoneyDigits(t.wageOffer, t.wageDigits);
    SetMarkers();
    FillDemand();
}

void ContractTalks_ComputeDemand()
{
    ContractTalksState& t = ContractTalks;
    const int32_t player = Player();
    const int32_t club = HumanClub();
    t.askedYears = t.years;
    t.askedRelegation = t.relegation;
    t.askedBigClub = t.bigClub;
    const int32_t total = TotalYears(player);
    if (total > CONTRACT_YEARS_MAX) {
        t.wouldSign = 0;
        return;
    }
    const int32_t months = t.years * MONTHS_PER_YEAR;
    t.demand = VTW_RoundTo25(ContractTalks_BaseDemand(player, club, total));
    int32_t interest = 0;
    // The evaluation is monotone in the wage, so the rise ends at the first wage it accepts.
    while (VTW_EvaluateContractOffer(player, months, club, t.bigClub, &interest, t.demand,
                                     t.relegation)
               == 0
           && t.demand <= MaxWage()) {
        t.demand += TALKS_DEMAND_RISE;
    }
    t.wouldSign = static_cast<uint16_t>(VTW_EvaluateContractOffer(
        player, months, club, t.bigClub, &interest, t.demand, t.relegation));
    t.interest = static_cast<int16_t>(std::min(interest, 100));
}

int32_t ContractTalks_Step(int32_t step, int32_t clickState)
{
    int32_t& wage = ContractTalks.wageOffer;
    if ((clickState & CLICK_ADD) != 0) {
        wage += step;
        if (wage > MaxWage()) {
            wage = VTW_RoundTo25(MaxWage());
            DoMessageBox(GetMessageText(TEXT_TALKS_WAGE_CAP), 0);
        }
    }
    if ((clickState & CLICK_SUBTRACT) != 0) wage = std::max(wage - step, 0);
    return EXM_CODE_REDRAW;
}

int32_t ContractTalks_StepClick(MenuHotspot* hotspot)
{
    return ContractTalks_Step(static_cast<int32_t>(hotspot->value), EXM_GetClickState());
}

int32_t ContractTalks_Years(int32_t clickState)
{
    ContractTalksState& t = ContractTalks;
    t.demandComputed = 0;
    if ((clickState & CLICK_ADD) != 0 && t.years < CONTRACT_YEARS_MAX) {
        ++t.years;
        if (PlayingClub(Player()) == HumanClub() && TotalYears(Player()) >= CONTRACT_YEARS_MAX)
            --t.years;
    }
    if ((clickState & CLICK_SUBTRACT) != 0 && t.years > 1) --t.years;
    return EXM_CODE_REDRAW;
}

int32_t ContractTalks_YearsClick(MenuHotspot*) { return ContractTalks_Years(EXM_GetClickState()); }

int32_t ContractTalks_ToggleRelegation(MenuHotspot*)
{
    ContractTalks.relegation ^= 1;
    ContractTalks.demandComputed = 0;
    return EXM_CODE_REDRAW;
}

int32_t ContractTalks_ToggleBigClub(MenuHotspot*)
{
    ContractTalks.bigClub ^= 1;
    ContractTalks.demandComputed = 0;
    return EXM_CODE_REDRAW;
}

int32_t ContractTalks_Offer(MenuHotspot*)
{
    ContractTalksState& t = ContractTalks;
    const int32_t player = Player();
    const int32_t club = PlayingClub(player);
    const int32_t previousWage = VTW_GetPlayerWage(player);
    int32_t interest = 0;
    // A stale demand or one he would not sign for must not pass as a signed contract.
    const bool signs = t.wouldSign != 0 && t.wageOffer >= t.demand
                       && VTW_RenewContracts(player, t.years * MONTHS_PER_YEAR, HumanClub(),
                                             t.bigClub, &interest, t.wageOffer, t.relegation)
                              != 0;
    t.interest = static_cast<int16_t>(std::min(interest, 100));
    if (!signs) {
        t.refusedNotice = 1;
        t.demandComputed = 0;
        return EXM_CODE_REDRAW;
    }
    if (VTW_GetClubController(club) >= MANAGER_HUMAN) {
        VTW_RemoveHumanContract(player);
        DoMessageBox(
            GetMessageText(previousWage > 0 ? TEXT_TALKS_SIGNS : TEXT_TALKS_FIRST_CONTRACT), 0);
    } else {
        VTW_CompleteHumanBid();
        VTW_RemoveHumanContract(player);
        ShortList_Remove(player);
    }
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t ContractTalks_Quit(MenuHotspot*)
{
    const int32_t player = Player();
    if (VTW_GetClubController(PlayingClub(player)) < MANAGER_HUMAN)
        Market_WithdrawBid(HumanClub(), player);
    VTW_RemoveHumanContract(player);
    CardReturnOption = MENU_OPTION_OFFICE;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

void ContractTalks_RegisterScriptValues()
{
    ScriptRegisterValue("talkswage", [] {
        return MenuOption == OPTION_CONTRACT_TALKS ? ContractTalks.wageOffer : -1;
    });
    ScriptRegisterValue("talksdemand", [] {
        return MenuOption == OPTION_CONTRACT_TALKS ? ContractTalks.demand : -1;
    });
    ScriptRegisterValue("cardcontract", [] {
        return CurrentPlayer >= 0 ? VTW_GetPlayerContract(CurrentPlayer) : -1;
    });
}

int32_t ContractTalks_ShowCard(MenuHotspot*)
{
    PlayerCardOutcome = 2;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

namespace {

void DrawPanels(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(32, 110, 576, 90, 0);
    MenuCont_ShadedBox(32, 210, 278, 230, 0);
    MenuCont_ShadedBox(330, 210, 278, 230, 0);
}

void DrawRefused(int32_t x, int32_t y, int32_t w, int32_t h, int32_t)
{
    Negotiation_DrawRefused(x, y, w, h, &ContractTalks.refusedNotice);
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(ContractTalks.clubName), TEXT_TITLE, 340,
                            MENU_ALIGN_CENTRE);
}

}  // namespace

const MenuItem* ContractTalks_Table()
{
    ContractTalksState& t = ContractTalks;
    // clang-format off
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ContractTalks_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 340, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawPanels), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        // The player button registers no hotspot of its own: the area over it opens his card.
        {0x200e, 32, 70, 576, 30, MenuVariable(&s_playerLine), nullptr},
        {0x1f, 32, 70, 576, 30, MenuNumber(-1), ContractTalks_ShowCard},
        // The present contract.
        {0x10, 320, 114, MENU_ALIGN_TC, 0, MenuVariable(&t.heading), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, 320, 140, MENU_ALIGN_TC, 0, MenuVariable(&s_current[0]), nullptr},
        {0x12, 320, 154, MENU_ALIGN_TC, 0, MenuVariable(&s_current[1]), nullptr},
        {0x12, 320, 168, MENU_ALIGN_TC, 0, MenuVariable(&s_current[2]), nullptr},
        // The offer.
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x10, 155, 220, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.clubName), nullptr},
        {0x0f, 155, 240, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_OFFER), nullptr},
        {0x16, 50, 264, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.wageDigits[3]), nullptr},
        {0x16, 80, 264, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.wageDigits[4]), nullptr},
        {0x16, 113, 264, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.wageDigits[5]), nullptr},
        {0x16, 142, 264, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.wageDigits[6]), nullptr},
        {0x16, 171, 264, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.wageDigits[7]), nullptr},
        {0x1f, 36, 250, 28, 26, MenuNumber(10000), ContractTalks_StepClick},
        {0x1f, 66, 250, 28, 26, MenuNumber(1000), ContractTalks_StepClick},
        {0x1f, 96, 250, 28, 26, MenuNumber(100), ContractTalks_StepClick},
        {0x1f, 126, 250, 28, 26, MenuNumber(25), ContractTalks_StepClick},
        {0x1f, 156, 250, 28, 26, MenuNumber(25), ContractTalks_StepClick},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 200, 266, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_WAGE), nullptr},
        {0x0f, 40, 296, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_LENGTH), nullptr},
        {0x16, 200, 296, MENU_ALIGN_CENTRE, 0, MenuVariable(&t.years), nullptr},
        {0x1f, 186, 280, 28, 26, MenuNumber(-1), ContractTalks_YearsClick},
        {0x0f, 220, 296, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_YEARS), nullptr},
        {0x0f, 40, 316, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_CLAUSES), nullptr},
        {0x0f, 40, 330, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_RELEGATION), nullptr},
        {0x0f, 40, 350, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_BIG_CLUB), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[0]), nullptr},
        {0x200c, 210, 320, 50, 20, MenuTextNo(TEXT_YES), ContractTalks_ToggleRelegation},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[1]), nullptr},
        {0x200c, 260, 320, 50, 20, MenuTextNo(TEXT_NO), ContractTalks_ToggleRelegation},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2]), nullptr},
        {0x200c, 210, 340, 50, 20, MenuTextNo(TEXT_YES), ContractTalks_ToggleBigClub},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[3]), nullptr},
        {0x200c, 260, 340, 50, 20, MenuTextNo(TEXT_NO), ContractTalks_ToggleBigClub},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 50, 365, 242, 30, MenuTextNo(TEXT_OFFER), ContractTalks_Offer},
        {0x200c, 50, 400, 242, 30, MenuTextNo(TEXT_QUIT_TALKS), ContractTalks_Quit},
        // The demand.
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x12, 485, 220, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_playerName), nullptr},
        {0x0f, 485, 240, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_WANTS), nullptr},
        {0x12, 485, 270, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_demandLine), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, 485, 290, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_askedYearsLine), nullptr},
        {0x0f, 360, 310, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_CLAUSES), nullptr},
        {0x12, 485, 330, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_askedClauses[0]), nullptr},
        {0x12, 485, 350, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_askedClauses[1]), nullptr},
        {0x24, 340, 380, 258, 40, MenuCallback(DrawRefused), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    // clang-format on
    return table;
}
