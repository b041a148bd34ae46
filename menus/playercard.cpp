// menus/playercard.cpp: the player card and its actions.
#include "menus/playercard.h"

#include <cstdio>
#include <initializer_list>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

namespace {

constexpr int16_t OPTION_NEGOTIATIONS = 10;
constexpr int16_t OPTION_CONTRACT_TALKS = 14;
constexpr int16_t OPTION_PROGRESS = 28;
constexpr int16_t OPTION_SET_PRICE = 72;
constexpr int32_t TEXT_BYTES = 96;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t INJURY_TEXT_BASE = 200;
constexpr int32_t TEXT_STATUS = 71;
constexpr int32_t TEXT_HISTORY = 296;
constexpr int32_t TEXT_SKILLS = 1568;
constexpr int32_t TEXT_FIGURES = 167;
constexpr int32_t TEXT_YEARS = 185;
constexpr int32_t TEXT_MONTHS = 196;
constexpr int32_t TEXT_NO_CONTRACT_LINE = 789;
constexpr int32_t TEXT_WEEKS = 748;
constexpr int32_t TEXT_LONG_INJURY = 1178;
constexpr int32_t TEXT_ONE_MATCH_BAN = 171;
constexpr int32_t TEXT_MATCHES_BANNED = 2148;
constexpr int32_t TEXT_AVAILABLE = 905;
constexpr int32_t TEXT_CLAUSES = 281;
constexpr int32_t TEXT_RELEGATION_CLAUSE = 282;
constexpr int32_t TEXT_BIG_CLUB_CLAUSE = 283;
constexpr int32_t TEXT_NONE = 402;
constexpr int32_t TEXT_YES = 249;
constexpr int32_t TEXT_NO = 248;
constexpr int32_t TEXT_RELEASE_QUESTION = 768;
constexpr int32_t TEXT_RELEASE_COST = 1033;
constexpr int32_t TEXT_REMOVE_QUESTION = 425;
constexpr int32_t TEXT_RETIRE_QUESTION = 770;
constexpr int32_t TEXT_SHORTLIST_ADD = 2144;
constexpr int32_t TEXT_SHORTLIST_REMOVE = 2145;
constexpr int32_t LABEL_X[2] = {42, 216};
constexpr int32_t VALUE_X[2] = {176, 350};
constexpr int32_t STATS_TOP = 125;
constexpr int32_t ROW_PITCH = 20;

struct CardTexts {
    char title[TEXT_BYTES];
    char playerLine[TEXT_BYTES];
    char contractLine[TEXT_BYTES];
    char availabilityLine[TEXT_BYTES];
    char clauseLine[TEXT_BYTES];
    int32_t labels[CARD_STAT_ROWS][2];  // text numbers
    char values[CARD_STAT_ROWS][2][TEXT_BYTES / 3];
    int16_t viewLabel;
    int16_t shortlistLabel;
    int32_t shirt;  // 0: none shown
    int32_t badge;  // 0: none
    uint16_t view;  // 0 the figures, 1 the skills
};
CardTexts s_card;
const MenuItem* s_buttons;
constexpr int32_t TEXT_LEVEL = 2140, TEXT_PHYSICAL = 2141, TEXT_PERSONALITY = 2142,
                  TEXT_NATIONALITY = 2143;

const MenuItem* ButtonsOf(CardCase which);

int32_t Player() { return CurrentPlayer; }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }

// The club he plays for: the loan club while on loan.
int32_t PlayingClub(int32_t player)
{
    return VTW_GetPlayerOnLoan(player) != 0 ? VTW_GetPlayerLoanSlot(player)
                                            : VTW_GetPlayerClub(player);
}

bool LoanedAway(int32_t player)
{
    return VTW_GetPlayerOnLoan(player) != 0 && VTW_GetPlayerLoanSlot(player) != HumanClub();
}

int32_t Refuse(int32_t textNo)
{
    DoMessageBox(GetMessageText(textNo), 0);
    return LIST_CODE_REDRAW;
}

// A try's answer as a list code: the refusal shown, the card left, or the card redrawn.
int32_t Answer(int32_t outcome)
{
    if (outcome == CARD_LEAVES) return LIST_CODE_LEAVE;
    if (outcome != 0) return Refuse(outcome);
    return LIST_CODE_REDRAW;
}

int32_t LeaveTo(int16_t option)
{
    MenuOption = option;
    return LIST_CODE_LEAVE;
}

bool Ask(const char* question) { return DoQuestionBox(question, 0, MenuYesNoButtons) == 0; }

const char* YesNo(int32_t on) { return GetMessageText(on != 0 ? TEXT_YES : TEXT_NO); }

// ---------------------------------------------------------------------------------------------
// The texts.

const char* ClubName(int32_t club, int32_t player)
{
    if (club < CLUB_ID_COUNT) return VTW_FormatClubName(VTW_GetTeam(club));
    if (club == CLUB_ORIGIN) return VTW_FormatClubName(VTW_GetPlayerOriginWord(player));
    return "";
}

const char* NationalityName(int32_t player)
{
    const int32_t n = VTW_GetPlayerNationality(player);
    if (n < 0 || n >= NATIONALITY_COUNT) return "";
    return GetMessageText(World.nationalities[n].nameText);
}

void ComposeHeading(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    std::snprintf(s_card.title, TEXT_BYTES, "%s %s", ClubName(club, player),
                  VTW_FormatPersonName(player));
    const int32_t side = VTW_GetSideTextNo(player);
    std::snprintf(s_card.playerLine, TEXT_BYTES, "%s, %s%s%s, %d %s", NationalityName(player),
                  GetMessageText(VTW_GetPositionTextNo(player)), side >= 0 ? " " : "",
                  side >= 0 ? GetMessageText(side) : "", VTW_GetPlayerAge(player),
                  GetMessageText(TEXT_YEARS));
    s_card.badge = club < CLUB_ID_COUNT ? BADGE_ICON_BASE + VTW_GetTeam(club) : 0;
    const int32_t shirt = VTW_GetPlayerShirt(player);
    s_card.shirt = club == HumanClub() && Squad_IsMember(player, club) ? shirt : 0;
}

void ComposeLines(int32_t player)
{
    const int32_t months = VTW_GetPlayerContract(player);
    if (months < 1) {
        std::snprintf(s_card.contractLine, TEXT_BYTES, "%s", GetMessageText(TEXT_NO_CONTRACT_LINE));
    } else {
        std::snprintf(s_card.contractLine, TEXT_BYTES, "%d %s", months,
                      GetMessageText(TEXT_MONTHS));
    }
    const int32_t ban = Player_GetSuspension(player);
    if (VTW_GetPlayerInFlag(player) != 0) {
        const int32_t weeks = VTW_GetPlayerInjuryTime(player);
        if (weeks >= CARD_LONG_INJURY_WEEKS) {
            std::snprintf(s_card.availabilityLine, TEXT_BYTES, "%s",
                          GetMessageText(TEXT_LONG_INJURY));
        } else {
            std::snprintf(s_card.availabilityLine, TEXT_BYTES, "%s %d %s",
                          GetMessageText(INJURY_TEXT_BASE + VTW_GetPlayerInjuryType(player)), weeks,
                          GetMessageText(TEXT_WEEKS));
        }
    } else if (ban == 1) {
        std::snprintf(s_card.availabilityLine, TEXT_BYTES, "%s",
                      GetMessageText(TEXT_ONE_MATCH_BAN));
    } else if (ban > 1) {
        std::snprintf(s_card.availabilityLine, TEXT_BYTES, "%d %s", ban,
                      GetMessageText(TEXT_MATCHES_BANNED));
    } else {
        std::snprintf(s_card.availabilityLine, TEXT_BYTES, "%s", GetMessageText(TEXT_AVAILABLE));
    }
    const bool relegation = VTW_GetPlayerRelegationClause(player) != 0;
    const bool bigClub = VTW_GetPlayerBigClubClause(player) != 0;
    std::snprintf(s_card.clauseLine, TEXT_BYTES, "%s %s%s%s", GetMessageText(TEXT_CLAUSES),
                  relegation ? GetMessageText(TEXT_RELEGATION_CLAUSE) : "",
                  relegation && bigClub ? ", " : "",
                  bigClub      ? GetMessageText(TEXT_BIG_CLUB_CLAUSE)
                  : relegation ? ""
                               : GetMessageText(TEXT_NONE));
}

void SetRow(int32_t row, int32_t column, int32_t label, const char* value)
{
    s_card.labels[row][column] = label;
    std::snprintf(s_card.values[row][column], sizeof s_card.values[row][column], "%s", value);
}

void SetNumber(int32_t row, int32_t column, int32_t label, int32_t value)
{
    SetRow(row, column, label, Number2Str(value));
}

int32_t MeanOf(int32_t player, int32_t (*get)(int32_t, int32_t), std::initializer_list<int> stats)
{
    int32_t sum = 0;
    for (const int32_t stat : stats) {
        sum += get(player, stat);
    }
    return sum / static_cast<int32_t>(stats.size());
}

void FillFigures(int32_t player)
{
    const int32_t asking = VTW_GetSaleAskingPrice(player);
    const int32_t price = VTW_GetRecField14(player);
    const int32_t rating = VTW_GetPlayerMatchRating(player);
    SetNumber(0, 0, TEXT_LEVEL, VTW_GetPlayerAbilityCurve(player));
    SetNumber(1, 0, TEXT_PHYSICAL, MeanOf(player, VTW_GetPhysicalStat, {8, 9, 10, 11, 12, 13, 14}));
    SetNumber(2, 0, TEXT_PERSONALITY, MeanOf(player, VTW_GetPersonalityStat, {15, 19, 20}));
    SetNumber(3, 0, 245, VTW_GetPlayerFitnessPercent(player));
    SetNumber(4, 0, 246, VTW_GetPlayerFatiguePercent(player));
    SetNumber(5, 0, 244, VTW_GetPlayerMoralePercent(player));
    SetNumber(6, 0, 1092, VTW_GetPlayerExperiencePercent(player));
    SetRow(7, 0, 1575, rating != 0 ? Number2Str(rating) : "-");
    SetRow(8, 0, 1499, price >= 0 ? Price2str(price) : GetMessageText(TEXT_NONE));
    SetRow(0, 1, 59, Price2str(VTW_GetPlayerWage(player)));
    SetRow(1, 1, 60, Price2str(asking >= 0 ? asking : VTW_GetPlayerValue(player)));
    SetNumber(2, 1, 63, VTW_GetPlayerContract(player));
    SetRow(3, 1, 739, YesNo(VTW_GetPlayerTxList(player)));
    SetRow(4, 1, 875, YesNo(VTW_GetPlayerLoanList(player)));
    SetNumber(5, 1, 198, VTW_GetPlayerDisciplinePoints(player));
    SetRow(6, 1, TEXT_NATIONALITY, NationalityName(player));
    SetNumber(7, 1, 956, VTW_GetPlayerAssists(player));
    SetRow(8, 1, 1171, YesNo(VTW_GetPlayerAskedTransfer(player)));
}

// The 18 skills: abilities 0-8 on the left, physical 9-14 and personality 15, 19, 20 on the right.
void FillSkills(int32_t player)
{
    for (int32_t row = 0; row < CARD_STAT_ROWS; ++row) {
        const int32_t left = row;
        const int32_t value =
            left < 8 ? VTW_GetAbilityStat(player, left) : VTW_GetPhysicalStat(player, left);
        SetNumber(row, 0, 41 + row, value);
        const int32_t kRight[CARD_STAT_ROWS] = {9, 10, 11, 12, 13, 14, 15, 19, 20};
        const int32_t stat = kRight[row];
        SetNumber(row, 1, 50 + row,
                  stat < 15 ? VTW_GetPhysicalStat(player, stat)
                            : VTW_GetPersonalityStat(player, stat));
    }
}

// The nine rows of the view shown: his figures or his skills.
void Card_FillStats(int32_t player)
{
    if (s_card.view == 0) {
        FillFigures(player);
    } else {
        FillSkills(player);
    }
}

// ---------------------------------------------------------------------------------------------
// The drawing.

// The club's and the player's names, in the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, s_card.title);
}

void DrawCard(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(32, 70, 576, 35, 0);
    if (s_card.badge != 0) DoIcon(50, 87, s_card.badge, MENU_ALIGN_CENTRE);
    SetMenuFont(1);
    if (s_card.shirt != 0) DrawMenuNumber(50, 87, s_card.shirt, MENU_ALIGN_CENTRE);
    DrawMenuString(320, 87, s_card.playerLine, MENU_ALIGN_CENTRE);
    MenuCont_ShadedBox(32, 120, 576, 180, 1);
    SetMenuFont(0);
    for (int32_t row = 0; row < CARD_STAT_ROWS; ++row) {
        const int32_t y = STATS_TOP + row * ROW_PITCH;
        for (int32_t column = 0; column < 2; ++column) {
            DrawMenuString(LABEL_X[column], y, Card_StatLabel(row, column), MENU_ALIGN_TL);
            DrawMenuString(VALUE_X[column], y, s_card.values[row][column], MENU_ALIGN_TL);
        }
    }
    MenuCont_ShadedBox(32, 320, 576, 40, 0);
    DrawMenuString(42, 325, s_card.contractLine, MENU_ALIGN_TL);
    DrawMenuString(42, 345, s_card.availabilityLine, MENU_ALIGN_TL);
    DrawMenuString(42, 365, s_card.clauseLine, MENU_ALIGN_TL);
    const int32_t player = Player();
    const int32_t season[3][2] = {{62, VTW_GetPlayerApps(player)},
                                  {243, VTW_GetPlayerPerf(player)},
                                  {64, VTW_GetPlayerGoals(player)}};
    const int32_t career[2][2] = {{2146, VTW_GetPlayerCareerApps(player)},
                                  {2147, VTW_GetPlayerCareerGoals(player)}};
    for (int32_t i = 0; i < 3; ++i) {
        DrawMenuMessage(42 + 174 * i, 385, season[i][0], MENU_ALIGN_TL);
        DrawMenuNumber(176 + 174 * i, 385, season[i][1], MENU_ALIGN_TL);
    }
    for (int32_t i = 0; i < 2; ++i) {
        DrawMenuMessage(42 + 174 * i, 405, career[i][0], MENU_ALIGN_TL);
        DrawMenuNumber(176 + 174 * i, 405, career[i][1], MENU_ALIGN_TL);
    }
}

int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

// ---------------------------------------------------------------------------------------------
// Buying and borrowing.

int32_t FreeBidSlots(int32_t club)
{
    if (VTW_GetClubSquadCount(club) >= SQUAD_MAX) return 0;
    int32_t free = 0;
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        free += VTW_GetClubBidPlayer(club, slot) < 0;
    }
    return free;
}

bool RoomToBid(int32_t club, int32_t player)
{
    return FreeBidSlots(club) > 0 && VTW_CountClubBidsForPlayer(player) < BIDDERS_MAX
           && VTW_FindFreeBidInfo() >= 0;
}

bool MayBid(int32_t human, int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    // A player of club 255 keeps no wage in the unattached pool, yet is signable.
    const bool hasWage = VTW_GetPlayerWage(player) > 0 || club == CLUB_NONE;
    return VTW_GetClubSquadCount(human) < SQUAD_MAX && Market_WindowOpen() && club != human
           && VTW_GetPlayerManagerFlag(player) == 0
           && VTW_GetClubMaxWageOffer(human) >= VTW_GetPlayerWage(player) && hasWage
           && (club >= CLUB_ID_COUNT || VTW_GetClubSquadCount(club) > SELLER_KEEPS)
           && VTW_IsNotInHumanRecent(player) != 0 && VTW_PushHumanRecent(player) != 0;
}

}  // namespace

CardCase Card_CaseOf(int32_t player)
{
    if (!FrontEnd_HumanHasPost()) return CARD_NOT_AVAILABLE;
    if (player == PERSON_HUMAN)
        return VTW_GetPlayerManagerFlag(player) != 0 ? CARD_PLAYER_MANAGER : CARD_NOT_AVAILABLE;
    return VTW_GetPlayerClub(player) == HumanClub() ? CARD_OWN_PLAYER : CARD_OTHER_PLAYER;
}

void PlayerCardInit()
{
    s_card = {};
    s_buttons = nullptr;
}

void PlayerCardUninit() { PlayerCardInit(); }

void Card_Init()
{
    const int32_t player = Player();
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        const int32_t club = PlayingClub(player);
        if (club >= 0 && club < CLUB_ID_COUNT) VTW_RefreshSquadCount(club);
        ComposeHeading(player);
        ComposeLines(player);
        s_buttons = ButtonsOf(Card_CaseOf(player));
        s_card.shortlistLabel = static_cast<int16_t>(
            ShortList_Contains(player) != 0 ? TEXT_SHORTLIST_REMOVE : TEXT_SHORTLIST_ADD);
        MenuListEntry* own = Card_OwnPopup();
        own[1].flags = static_cast<uint16_t>(
            LIST_ENABLED | (VTW_GetPlayerLoanList(player) != 0 ? LIST_CHECKED : 0));
        own[2].flags = static_cast<uint16_t>(
            LIST_ENABLED | (VTW_GetPlayerTxList(player) != 0 ? LIST_CHECKED : 0));
    }
    s_card.viewLabel = static_cast<int16_t>(s_card.view == 0 ? TEXT_SKILLS : TEXT_FIGURES);
    Card_FillStats(player);
}

const char* Card_StatLabel(int32_t row, int32_t column)
{
    return GetMessageText(s_card.labels[row][column]);
}

int32_t Card_Done(MenuHotspot*)
{
    MenuOption = static_cast<int16_t>(CardReturnOption);
    return EXM_CODE_LEAVE;
}

int32_t Card_ToggleView(MenuHotspot*)
{
    s_card.view ^= 1;
    return EXM_CODE_REDRAW;
}

int32_t Card_ToggleLoanList(MenuListEntry*)
{
    const int32_t player = Player();
    if (LoanedAway(player)) return Refuse(TEXT_CARD_ON_LOAN);
    const bool listing = VTW_GetPlayerLoanList(player) == 0;
    VTW_SetPlayerLoanList(player, listing ? 1 : 0);
    if (listing) VTW_SetPlayerSaleStatus(player, 1);
    return LIST_CODE_REDRAW;
}

int32_t Card_ToggleTransferList(MenuListEntry*)
{
    const int32_t player = Player();
    if (LoanedAway(player)) return Refuse(TEXT_CARD_ON_LOAN);
    if (VTW_GetPlayerContract(player) < 1) return Refuse(TEXT_CARD_NO_CONTRACT);
    const bool listing = VTW_GetPlayerTxList(player) == 0;
    VTW_SetPlayerSaleStatus(player, 0);
    VTW_PutPlayerOnTxList(player, listing ? 1 : 0);
    return LIST_CODE_REDRAW;
}

int32_t Card_SetPrice(MenuListEntry*)
{
    if (LoanedAway(Player())) return Refuse(TEXT_CARD_ON_LOAN);
    return LeaveTo(OPTION_SET_PRICE);
}

int32_t Card_TryContractTalks(int32_t player)
{
    if (LoanedAway(player)) return TEXT_CARD_ON_LOAN;
    const int32_t club = PlayingClub(player);
    const int32_t wage = VTW_GetPlayerWage(player);
    const bool talks =
        VTW_GetClubController(club) >= MANAGER_HUMAN
        && (wage > 0 || VTW_GetClubYDOContract(club) > 0) && VTW_GetClubContractClause(club) != 0
        && VTW_GetPlayerManagerFlag(player) == 0 && VTW_GetClubMaxWageOffer(club) >= wage
        && VTW_GetPlayerContract(player) < CARD_CONTRACT_TALKS_MONTHS;
    if (!talks) return TEXT_CARD_NO_TALKS;
    MenuOption = OPTION_CONTRACT_TALKS;
    return CARD_LEAVES;
}

int32_t Card_ContractTalks(MenuListEntry*)
{
    if (PlayerCardOutcome == 1) return LIST_CODE_LEAVE;
    return Answer(Card_TryContractTalks(Player()));
}

int32_t Card_Release(MenuListEntry*)
{
    const int32_t player = Player();
    if (LoanedAway(player)) return Refuse(TEXT_CARD_ON_LOAN);
    const int32_t club = VTW_GetPlayerClub(player);
    const int64_t cost = int64_t{VTW_GetPlayerWage(player)} * VTW_GetPlayerContract(player)
                         * CARD_RELEASE_WEEKS_PER_MONTH;
    if (cost > VTW_GetClubTransferBudget(club)) return Refuse(TEXT_CARD_NO_MONEY);
    char question[2 * TEXTMESS_BUFFER_BYTES];
    std::snprintf(question, sizeof question, "%s %s%s", GetMessageText(TEXT_RELEASE_QUESTION),
                  GetMessageText(TEXT_RELEASE_COST), Price2strLong(static_cast<int32_t>(cost)));
    if (!Ask(question)) return LIST_CODE_REDRAW;
    Market_Release(player);
    VTW_PutPlayerOnTxList(player, 1);
    VTW_SetPlayerWage(player, 1);
    // Booked on both sides, so that the world's money stays whole.
    VTW_AddClubCash(club, static_cast<int32_t>(-cost));
    VTW_AddClubCash(CLUB_NONE, static_cast<int32_t>(cost));
    return LeaveTo(MENU_OPTION_SQUAD);
}

int32_t Card_TryBuy(int32_t player)
{
    const int32_t human = HumanClub();
    if (!MayBid(human, player)) return TEXT_CARD_NO_BID;
    const int32_t offer = VTW_GetClubMaxWageOffer(human) / CARD_WAGE_STEP * CARD_WAGE_STEP;
    int32_t interest = 0;
    if (VTW_EvaluateContractOffer(player, CARD_OFFER_MONTHS, human, 0, &interest, offer, 0) == 0) {
        VTW_RemoveHumanSale(player);
        return TEXT_CARD_NO_INTEREST;
    }
    if (!RoomToBid(human, player)) return TEXT_CARD_TOO_MANY;
    // Nobody sells an unattached player: he is bid for at once, at no fee.
    const bool valued = VTW_GetPlayerClub(player) != CLUB_NONE && VTW_GetPlayerValue(player) > 0;
    if (valued) {
        MenuOption = OPTION_NEGOTIATIONS;
        return CARD_LEAVES;
    }
    return Market_PlaceBidWithInfo(human, player, 0) ? 0 : TEXT_CARD_TOO_MANY;
}

int32_t Card_Buy(MenuListEntry*)
{
    if (PlayerCardOutcome == 1) return LIST_CODE_LEAVE;
    return Answer(Card_TryBuy(Player()));
}

int32_t Card_TryBorrow(int32_t player)
{
    const int32_t human = HumanClub();
    const bool may = VTW_GetClubSquadCount(human) < SQUAD_MAX && VTW_GetPlayerLoanList(player) != 0
                     && VTW_GetPlayerWage(player) <= VTW_GetClubMaxWageOffer(human)
                     && VTW_IsNotInHumanRecent(player) != 0 && VTW_PushHumanRecent(player) != 0;
    if (!may) return TEXT_CARD_NO_BORROW;
    if (!RoomToBid(human, player) || !Market_PlaceBidWithInfo(human, player, LOAN_BID_AMOUNT))
        return TEXT_CARD_LOAN_TOO_MANY;
    return 0;
}

int32_t Card_Borrow(MenuListEntry*) { return Answer(Card_TryBorrow(Player())); }

int32_t Card_Shortlist(MenuListEntry*)
{
    const int32_t player = Player();
    if (ShortList_Contains(player) == 0) {
        ShortList_Add_Player(player);
    } else if (Ask(GetMessageText(TEXT_REMOVE_QUESTION))) {
        ShortList_Remove(player);
    }
    s_card.shortlistLabel = static_cast<int16_t>(
        ShortList_Contains(player) != 0 ? TEXT_SHORTLIST_REMOVE : TEXT_SHORTLIST_ADD);
    return LIST_CODE_REDRAW;
}

int32_t Card_Retire(MenuListEntry*)
{
    const int32_t player = Player();
    if (VTW_GetPlayerManagerFlag(player) == 0) return Refuse(TEXT_CARD_RETIRED);
    if (!Ask(GetMessageText(TEXT_RETIRE_QUESTION))) return LIST_CODE_REDRAW;
    VTW_ClearPlayerManagerFlag(player);
    const int32_t club = HumanClub();
    if (club >= 0) VTW_ClearClubFlag27_3(club, 0);
    DoMessageBox(GetMessageText(TEXT_CARD_CAREER_OVER), 0);
    return LeaveTo(MENU_OPTION_CAREER);
}

MenuListEntry* Card_OwnPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_STATUS),
        MenuList_Entry(738, Card_ToggleLoanList),
        MenuList_Entry(755, Card_ToggleTransferList),
        MenuList_Entry(1499, Card_SetPrice),
        MenuList_Entry(1829, Card_ContractTalks),
        MenuList_Entry(251, Card_Release),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* Card_OtherPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_STATUS),
        MenuList_Entry(759, Card_Buy),
        MenuList_Entry(1828, Card_Borrow),
        MenuList_EntryVar(&s_card.shortlistLabel, Card_Shortlist),
        MenuList_End(),
    };
    return popup;
}

namespace {

int32_t ToHistory(MenuListEntry* entry) { return LeaveTo(static_cast<int16_t>(entry->spare[0])); }

MenuListEntry* ManagerPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_STATUS),
        MenuList_Entry(744, Card_Retire),
        MenuList_End(),
    };
    return popup;
}

int32_t NoAction(MenuListEntry*) { return LIST_CODE_CLOSE; }

MenuListEntry* NonePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_STATUS),
        MenuList_Entry(1808, NoAction),
        MenuList_End(),
    };
    return popup;
}

// The bottom buttons of a case: its action popup, the history popup and the view switch.
struct CardButtons {
    MenuItem items[6];
};

CardButtons MakeButtons(MenuListEntry* popup)
{
    return {{
        {0x200c, 32, 440, 132, 30, MenuTextNo(TEXT_STATUS), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(popup), nullptr},
        {0x200c, 166, 440, 132, 30, MenuTextNo(TEXT_HISTORY), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Card_HistoryPopup()), nullptr},
        {0x200f, 300, 440, 132, 30, MenuVariable(&s_card.viewLabel), Card_ToggleView},
        MenuEndItem(nullptr, nullptr),
    }};
}

const MenuItem* ButtonsOf(CardCase which)
{
    static const CardButtons own = MakeButtons(Card_OwnPopup());
    static const CardButtons other = MakeButtons(Card_OtherPopup());
    static const CardButtons manager = MakeButtons(ManagerPopup());
    static const CardButtons none = MakeButtons(NonePopup());
    switch (which) {
        case CARD_OWN_PLAYER: return own.items;
        case CARD_OTHER_PLAYER: return other.items;
        case CARD_PLAYER_MANAGER: return manager.items;
        default: return none.items;
    }
}

}  // namespace

MenuListEntry* Card_HistoryPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_HISTORY),
        MenuList_Entry(1656, ToHistory, MENU_OPTION_CAREER),
        MenuList_Entry(1657, ToHistory, OPTION_PROGRESS),
        MenuList_End(),
    };
    return popup;
}

const MenuItem* PlayerCard_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Card_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawCard), nullptr},
        {0x22, 0, 0, 1, 0, MenuAddress(&s_buttons), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Card_Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
