// menus/negotiation.cpp: the transfer negotiation screen.
#include "menus/negotiation.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/script.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"
#include "menus/playercard.h"

NegotiationState Negotiation;

namespace {

constexpr int32_t TEXT_TITLE = 1659;
constexpr int32_t TEXT_BUYER = 1194;
constexpr int32_t TEXT_SELLER = 1195;
constexpr int32_t TEXT_OFFER = 96;
constexpr int32_t TEXT_DEMAND = 1196;
constexpr int32_t TEXT_CLAUSE = 1197;
constexpr int32_t TEXT_PLUS = 1198;
constexpr int32_t TEXT_INTERESTED = 1199;
constexpr int32_t TEXT_PROPOSE_PRICE = 1215;
constexpr int32_t TEXT_ACCEPT = 82;
constexpr int32_t TEXT_QUIT = 1214;
constexpr int32_t TEXT_YES = 249;
constexpr int32_t TEXT_NO = 248;
constexpr int32_t TEXT_REFUSED = 873;
constexpr int32_t TEXT_YEARS = 185;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t CLICK_ADD = 1;
constexpr int32_t CLICK_SUBTRACT = 2;
constexpr uint16_t MARKER_ON = 9;
constexpr int16_t BUYER_LEFT = 32;
constexpr int16_t SELLER_LEFT = 330;
constexpr int16_t PANEL_WIDTH = 278;
constexpr int16_t DIGIT_PITCH = 29;
constexpr int16_t DIGITS_Y = 228;
constexpr int16_t OPTION_NEXT_EVENT = 59;
constexpr int16_t OPTION_NEGOTIATIONS = 10;
// The position code of a deal by the buying club's first empty bid slot.
constexpr std::array<int32_t, BID_SLOTS> SLOT_POSITION_CODES = {0, 1, 5, 11};

const char* s_playerLine = Negotiation.playerLine;  // the player button reads a string variable
const char* s_otherAmount = Negotiation.otherAmount;
const char* s_rows[NEGOTIATION_INTERESTED_ROWS] = {
    Negotiation.interestedRows[0], Negotiation.interestedRows[1], Negotiation.interestedRows[2]};

int32_t Player() { return CurrentPlayer; }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t Budget() { return std::max(0, VTW_GetClubTransferBudget(HumanClub())); }

int32_t Refuse(int32_t textNo)
{
    DoMessageBox(GetMessageText(textNo), 0);
    return EXM_CODE_REDRAW;
}

// The club the player is bought from: a player on loan or in transit counts for his own club.
int32_t SellerOf(int32_t player)
{
    return Negotiation.buying != 0 ? VTW_GetPlayerClub(player) : HumanClub();
}

// A club's team number; a player from outside the game shows the team he came from.
int32_t TeamOf(int32_t club, int32_t player)
{
    if (club == CLUB_ORIGIN) return VTW_GetPlayerOriginWord(player);
    return club >= 0 && club < CLUB_ID_COUNT ? VTW_GetTeam(club) : -1;
}

void ComputeAnswer(int32_t player)
{
    NegotiationState& n = Negotiation;
    int32_t interest = 0;
    if (n.buying != 0) {
        n.demand = VTW_ComputeTransferFee(player, n.turn, n.buyingClub, &interest, n.clause);
    } else {
        n.offer =
            VTW_ComputeBidForPlayer(player, n.demand, n.turn, n.buyingClub, n.clause, 0, &interest);
    }
    n.interest = static_cast<int16_t>(std::min(interest, 100));
    n.shownClause = n.clause;
}

void CollectInterested(int32_t player)
{
    NegotiationState& n = Negotiation;
    n.interestedCount = 0;
    for (auto& row : n.interestedRows) {
        row[0] = '\0';
    }
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
            if (VTW_GetClubBidPlayer(club, slot) != player) continue;
            if (n.interestedCount == NEGOTIATION_INTERESTED_ROWS) return;
            const bool clause = VTW_GetClubBidClause(club, slot) != 0;
            std::snprintf(
                n.interestedRows[n.interestedCount++], sizeof n.interestedRows[0], "%s %s %s%s",
                VTW_FormatClubName(VTW_GetTeam(club)), Price2str(VTW_GetClubBidPrice(club, slot)),
                clause ? GetMessageText(TEXT_PLUS) : "", clause ? GetMessageText(TEXT_CLAUSE) : "");
        }
    }
}

const char* NationalityName(int32_t player)
{
    const int32_t n = VTW_GetPlayerNationality(player);
    if (n < 0 || n >= NATIONALITY_COUNT) return "";
    return GetMessageText(World.nationalities[n].nameText);
}

void FillTexts(int32_t player)
{
    NegotiationState& n = Negotiation;
    Negotiation_FormatPlayerLine(player, n.playerLine, sizeof n.playerLine);
    VTW_SplitMoneyDigits(n.offer, n.offerDigits);
    VTW_SplitMoneyDigits(n.demand, n.demandDigits);
    std::snprintf(n.otherAmount, sizeof n.otherAmount, "%s",
                  Price2strLong(n.buying != 0 ? n.demand : n.offer));
    const int32_t buyerTeam = TeamOf(n.buyingClub, player);
    const int32_t sellerTeam = TeamOf(n.sellerClub, player);
    n.buyerBadge = static_cast<int16_t>(BADGE_ICON_BASE + buyerTeam);
    n.sellerBadge = static_cast<int16_t>(BADGE_ICON_BASE + sellerTeam);
    n.buyerName = static_cast<int16_t>(VTW_ClubNameTextNo(buyerTeam));
    n.sellerName = static_cast<int16_t>(VTW_ClubNameTextNo(sellerTeam));
    n.yesMarker = n.clause != 0 ? MARKER_ON : 0;
    n.noMarker = n.clause != 0 ? 0 : MARKER_ON;
}

const MenuItem* BuyingSide();
const MenuItem* SellingSide();

int32_t Leave()
{
    if (SalesEventFlag == 1) {
        CardReturnOption = OPTION_NEGOTIATIONS;
        MenuOption = OPTION_NEXT_EVENT;
        SalesEventFlag = 0;
    } else if (Negotiation.buying == 0) {
        MenuOption = MENU_OPTION_OFFICE;
        CardReturnOption = OPTION_NEGOTIATIONS;
    } else {
        MenuOption = MENU_OPTION_PLAYER_CARD;
    }
    return EXM_CODE_LEAVE;
}

int32_t FirstEmptyBidSlot(int32_t club)
{
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        if (VTW_GetClubBidPlayer(club, slot) < 0) return slot;
    }
    return -1;
}

// The deal at the present offer; the screen stays when it cannot be made.
int32_t MakeDeal()
{
    const NegotiationState& n = Negotiation;
    const int32_t player = Player();
    // A sale the human agrees goes through at the answer, so the squad minimum is kept here.
    if (n.buying == 0 && VTW_GetClubSquadCount(HumanClub()) <= SELLER_KEEPS)
        return Refuse(TEXT_SALE_SQUAD_MIN);
    // Without its agreed mark the bid would be judged against the first turn's fee.
    if (VTW_FindBidInfo(player) < 0 && VTW_FindFreeBidInfo() < 0)
        return Refuse(TEXT_NEGOTIATION_TOO_MANY);
    // A computer club buying from the human may have all its bid slots in use.
    const int32_t slot = FirstEmptyBidSlot(n.buyingClub);
    if (slot < 0) return Refuse(TEXT_NEGOTIATION_TOO_MANY);
    if (VTW_PlaceBid(n.buyingClub, player, n.offer, SLOT_POSITION_CODES[slot], n.clause) < 0)
        return Refuse(TEXT_CARD_NO_BID);
    Market_AgreeBidInfo(player);
    VTW_RemoveHumanSale(player);
    return Leave();
}

}  // namespace

void NegotiationInit()
{
    Negotiation = {};
    Negotiation.sellerClub = -1;
    Negotiation.buyingClub = -1;
}

void NegotiationUninit() { NegotiationInit(); }

void Negotiation_Init()
{
    NegotiationState& n = Negotiation;
    const int32_t player = Player();
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        n.refusedNotice = 0;
        n.buying = VTW_GetPlayerClub(player) != HumanClub() ? 1 : 0;
        n.side = n.buying != 0 ? BuyingSide() : SellingSide();
        // Back from the card the haggling carries on where it stood, answer included.
        if (PlayerCardOutcome != 1) {
            n.buyingClub = static_cast<int16_t>(n.buying != 0 ? HumanClub() : RouteClub);
            n.sellerClub = static_cast<int16_t>(SellerOf(player));
            n.turn = 0;
            n.clause = 0;
            n.answerComputed = 0;
            Negotiation_Reset();
        }
        PlayerCardOutcome = 0;
        CollectInterested(player);
    }
    if (n.answerComputed == 0) {
        n.answerComputed = 1;
        ComputeAnswer(player);
    }
    FillTexts(player);
}

void Negotiation_Reset()
{
    NegotiationState& n = Negotiation;
    const int32_t player = Player();
    n.clause = 0;
    n.shownClause = 0;
    int32_t interest = 0;
    if (n.buying == 0) {
        const int32_t asking = VTW_GetSaleAskingPrice(player);
        n.demand = asking != -1 ? asking : VTW_GetPlayerValue(player);
        n.offer = VTW_ComputeBidForPlayer(player, n.demand, n.turn, n.buyingClub, 0, 0, &interest);
    } else {
        n.offer = std::min(VTW_GetPlayerValue(player), Budget());
        n.demand = VTW_ComputePlayerValueWithPotential(player);
        n.offer = std::min(n.offer, n.demand);
        n.shownClause = 1;
    }
    n.interest = static_cast<int16_t>(std::min(interest, 100));
}

int32_t Negotiation_Step(int32_t step, int32_t clickState)
{
    NegotiationState& n = Negotiation;
    int32_t& amount = n.buying != 0 ? n.offer : n.demand;
    if ((clickState & CLICK_ADD) != 0) {
        amount = std::min(amount + step, MARKET_MONEY_MAX);
        if (n.buying != 0 && amount > Budget()) {
            amount = Budget();
            Refuse(TEXT_NEGOTIATION_NO_MONEY);
        }
    }
    if ((clickState & CLICK_SUBTRACT) != 0) amount = std::max(amount - step, 0);
    return EXM_CODE_REDRAW;
}

int32_t Negotiation_StepClick(MenuHotspot* hotspot)
{
    return Negotiation_Step(static_cast<int32_t>(hotspot->value), EXM_GetClickState());
}

int32_t Negotiation_Propose(MenuHotspot*)
{
    NegotiationState& n = Negotiation;
    n.previousOffer = n.offer;
    ComputeAnswer(Player());
    ++n.turn;
    n.answerComputed = 1;
    if (VTW_RoundMoneyNice(n.demand) > VTW_RoundMoneyNice(n.offer)) {
        n.refusedNotice = 1;
        return EXM_CODE_REDRAW;
    }
    return MakeDeal();
}

int32_t Negotiation_Accept(MenuHotspot*)
{
    NegotiationState& n = Negotiation;
    if (n.buying != 0) {
        if (Budget() < n.demand) {
            n.offer = Budget();
            return Refuse(TEXT_NEGOTIATION_NO_MONEY);
        }
        n.offer = n.demand;
    }
    return MakeDeal();
}

int32_t Negotiation_Quit(MenuHotspot*)
{
    VTW_RemoveHumanSale(Player());
    return Leave();
}

void Negotiation_RegisterScriptValues()
{
    ScriptRegisterValue("negturn", [] {
        return MenuOption == OPTION_NEGOTIATIONS ? static_cast<int32_t>(Negotiation.turn) : -1;
    });
    ScriptRegisterValue("humanbids", [] {
        int32_t bids = 0;
        for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
            bids += VTW_GetClubBidPlayer(HumanClub(), slot) >= 0;
        }
        return bids;
    });
    ScriptRegisterValue("humansquad", [] { return VTW_GetClubSquadCount(HumanClub()); });
}

void Negotiation_FormatPlayerLine(int32_t player, char* out, std::size_t bytes)
{
    const int32_t side = VTW_GetSideTextNo(player);
    std::snprintf(out, bytes, "%s, %s, %s %s, %d %s", VTW_FormatPersonName(player),
                  NationalityName(player), GetMessageText(VTW_GetPositionTextNo(player)),
                  side >= 0 ? GetMessageText(side) : "", VTW_GetPlayerAge(player),
                  GetMessageText(TEXT_YEARS));
}

void Negotiation_DrawRefused(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t* notice)
{
    if (*notice == 0) return;
    *notice = 0;
    SetDrawAttribute(2, 0);
    DoShadedBox(x, y, w, h, 50);
    SetMenuFont(1);
    DrawMenuMessage(x + w / 2, y + h / 2, TEXT_REFUSED, MENU_ALIGN_CENTRE);
}

int32_t Negotiation_ShowCard(MenuHotspot*)
{
    PlayerCardOutcome = 1;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

int32_t Negotiation_ToggleClause(MenuHotspot*)
{
    Negotiation.answerComputed = 0;
    Negotiation.clause ^= 1;
    return EXM_CODE_REDRAW;
}

namespace {

void DrawPanels(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(BUYER_LEFT, 110, PANEL_WIDTH, 340, 0);
    MenuCont_ShadedBox(SELLER_LEFT, 110, PANEL_WIDTH, 340, 0);
}

// The other side's clause: what its last answer was computed for.
void DrawAnswerClause(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    char line[96];
    std::snprintf(line, sizeof line, "%s %s", GetMessageText(TEXT_CLAUSE),
                  GetMessageText(Negotiation.shownClause != 0 ? TEXT_YES : TEXT_NO));
    DrawMenuString(x, y, line, MENU_ALIGN_CENTRE);
}

void DrawInterestedBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t)
{
    MenuCont_OutlineBox(x, y, w, h);
}

void DrawRefused(int32_t x, int32_t y, int32_t w, int32_t h, int32_t)
{
    Negotiation_DrawRefused(x, y, w, h, &Negotiation.refusedNotice);
}

constexpr int32_t SIDE_ITEMS = 40;

// The items of the side the human edits (from `edit`) and of the side that answers (`other`).
struct SideTable {
    std::array<MenuItem, SIDE_ITEMS> items;
};

SideTable MakeSide(int16_t edit, int16_t other, const uint16_t* digits, int32_t proposeText)
{
    SideTable t{};
    int32_t i = 0;
    const auto add = [&](const MenuItem& item) { t.items[i++] = item; };
    constexpr int32_t kSteps[5] = {10000000, 1000000, 100000, 10000, 1000};
    add({0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr});
    for (int16_t k = 0; k < NEGOTIATION_DIGITS; ++k) {
        add({0x16, static_cast<int16_t>(edit + 47 + DIGIT_PITCH * k), DIGITS_Y, MENU_ALIGN_CENTRE,
             0, MenuVariable(digits + k), nullptr});
    }
    for (int16_t k = 0; k < 5; ++k) {
        add({0x1f, static_cast<int16_t>(edit + 33 + DIGIT_PITCH * k), DIGITS_Y - 15, 30, 30,
             MenuNumber(kSteps[k]), Negotiation_StepClick});
    }
    add({0x0f, static_cast<int16_t>(edit + 12), 260, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_PLUS),
         nullptr});
    add({0x0f, static_cast<int16_t>(edit + 28), 260, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_CLAUSE),
         nullptr});
    add({0x31, 0, 0, 0, 0, MenuVariable(&Negotiation.yesMarker), nullptr});
    add({0x200c, static_cast<int16_t>(edit + 18), 280, 116, 30, MenuTextNo(TEXT_YES),
         Negotiation_ToggleClause});
    add({0x31, 0, 0, 0, 0, MenuVariable(&Negotiation.noMarker), nullptr});
    add({0x200c, static_cast<int16_t>(edit + 144), 280, 116, 30, MenuTextNo(TEXT_NO),
         Negotiation_ToggleClause});
    add({0x30, 0, 0, 0, 0, MenuNumber(0), nullptr});
    add({0x200c, static_cast<int16_t>(edit + 18), 320, 242, 30, MenuTextNo(proposeText),
         Negotiation_Propose});
    add({0x200c, static_cast<int16_t>(edit + 18), 355, 242, 30, MenuTextNo(TEXT_ACCEPT),
         Negotiation_Accept});
    add({0x200c, static_cast<int16_t>(edit + 18), 390, 242, 30, MenuTextNo(TEXT_QUIT),
         Negotiation_Quit});
    const int16_t middle = static_cast<int16_t>(other + PANEL_WIDTH / 2);
    add({0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr});
    add({0x12, middle, DIGITS_Y, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_otherAmount), nullptr});
    add({0x24, middle, 255, 0, 0, MenuCallback(DrawAnswerClause), nullptr});
    add({0x24, static_cast<int16_t>(other + 9), 275, 260, 110, MenuCallback(DrawInterestedBox),
         nullptr});
    add({0x0f, middle, 288, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_INTERESTED), nullptr});
    add({0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr});
    for (int16_t r = 0; r < NEGOTIATION_INTERESTED_ROWS; ++r) {
        add({0x12, static_cast<int16_t>(other + 16), static_cast<int16_t>(315 + 22 * r),
             MENU_ALIGN_ML, 0, MenuVariable(&s_rows[r]), nullptr});
    }
    add({0x24, static_cast<int16_t>(other + 9), 400, 260, 40, MenuCallback(DrawRefused), nullptr});
    add(MenuEndItem(nullptr, nullptr));
    return t;
}

const MenuItem* BuyingSide()
{
    static const SideTable side =
        MakeSide(BUYER_LEFT, SELLER_LEFT, Negotiation.offerDigits, TEXT_OFFER);
    return side.items.data();
}

const MenuItem* SellingSide()
{
    static const SideTable side =
        MakeSide(SELLER_LEFT, BUYER_LEFT, Negotiation.demandDigits, TEXT_PROPOSE_PRICE);
    return side.items.data();
}

}  // namespace

const MenuItem* Negotiation_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Negotiation_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawPanels), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        // The player button registers no hotspot of its own: the area over it opens his card.
        {0x200e, 32, 70, 576, 30, MenuVariable(&s_playerLine), nullptr},
        {0x1f, 32, 70, 576, 30, MenuNumber(-1), Negotiation_ShowCard},
        {0x04, 38, 112, MENU_ALIGN_TL, 0, MenuVariable(&Negotiation.buyerBadge), nullptr},
        {0x04, 604, 112, MENU_ALIGN_TR, 0, MenuVariable(&Negotiation.sellerBadge), nullptr},
        {0x0f, 155, 120, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_BUYER), nullptr},
        {0x0f, 485, 120, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_SELLER), nullptr},
        {0x10, 155, 160, MENU_ALIGN_CENTRE, 0, MenuVariable(&Negotiation.buyerName), nullptr},
        {0x10, 485, 160, MENU_ALIGN_CENTRE, 0, MenuVariable(&Negotiation.sellerName), nullptr},
        {0x0f, 155, 180, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_OFFER), nullptr},
        {0x0f, 485, 180, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_DEMAND), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&Negotiation.side), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
