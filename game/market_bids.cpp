// game/market_bids.cpp: the clubs' bids and their information rows, the answers to the bids and
// the human's agreed purchases.
#include <cstdint>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/market_internal.h"
#include "game/squad.h"
#include "game/textmess.h"

namespace {

ClubBid* BidOf(int32_t club, int32_t slot, const char* field)
{
    ClubRecord* r = Club_RefForGet(club, field).full;
    if (r == nullptr || slot < 0 || slot >= BID_SLOTS) return nullptr;
    return &r->bids[slot];
}

void ClearBid(ClubBid* bid)
{
    *bid = {};
    bid->player = -1;
}

// The fees of the club's transfer bids but `except`, of agreed deals only when `agreedOnly`.
int64_t FeesBidBesides(int32_t club, const ClubBid* except, bool agreedOnly)
{
    if (!Market_IsFullClub(club)) return 0;
    int64_t fees = 0;
    for (const ClubBid& bid : DbClubs[club].bids) {
        if (&bid != except && bid.player >= 0 && bid.kind == BID_TRANSFER
            && (!agreedOnly || bid.state == BID_AGREED))
            fees += bid.price;
    }
    return fees;
}

// What is left of the budget for the bid's answer: the deals agreed before it come first, those
// still to be answered after it.
int64_t BudgetForAnswer(int32_t club, const ClubBid& bid)
{
    return Club_GetTransferBudget(club) - FeesBidBesides(club, &bid, true);
}

}  // namespace

int64_t Market_FeesBidFor(int32_t club) { return FeesBidBesides(club, nullptr, false); }

void Market_ClearBidsFor(int32_t player)
{
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        for (ClubBid& bid : DbClubs[club].bids) {
            if (bid.player == player) ClearBid(&bid);
        }
    }
    for (BidInfoRow& row : MarketState.bidInfo) {
        if (row.player == player) row = {-1, 0, 0, {}};
    }
}

int32_t VTW_FindFreeBidInfo()
{
    for (int32_t k = 0; k < BIDINFO_ROWS; ++k) {
        if (MarketState.bidInfo[k].player < 0) return k;
    }
    return -1;
}

int32_t VTW_AddBidInfo(int32_t player, int32_t slot)
{
    // The negotiation screen may pass the -1 of a failed search: nothing is written then.
    if (slot < 0 || slot >= BIDINFO_ROWS || player < 0 || MarketState.bidInfo[slot].player >= 0)
        return -1;
    MarketState.bidInfo[slot] = {
        static_cast<int16_t>(player), static_cast<int16_t>(DayNo), BID_AGREED, {}};
    return slot;
}

int32_t Market_BidLineCode(int32_t player)
{
    constexpr int32_t kCodes[LINE_COUNT] = {BIDPOS_KEEPER, BIDPOS_DEFENDER, BIDPOS_MIDFIELDER,
                                            BIDPOS_FORWARD};
    const int32_t line = VTW_GetPositionType(player);
    return line < LINE_COUNT ? kCodes[line] : BIDPOS_MIDFIELDER;
}

bool Market_PlaceBidWithInfo(int32_t club, int32_t player, int32_t amount)
{
    const int32_t info = VTW_FindFreeBidInfo();
    if (info < 0 || VTW_PlaceBid(club, player, amount, Market_BidLineCode(player), 0) < 0)
        return false;
    VTW_AddBidInfo(player, info);
    return true;
}

int32_t Market_AgreeBidInfo(int32_t player)
{
    // A row left from an earlier, refused deal would have the new bid judged as not agreed.
    const int32_t row = VTW_FindBidInfo(player);
    if (row < 0) return VTW_AddBidInfo(player, VTW_FindFreeBidInfo());
    MarketState.bidInfo[row].state = BID_AGREED;
    MarketState.bidInfo[row].day = static_cast<int16_t>(DayNo);
    return row;
}

bool Market_WithdrawBid(int32_t club, int32_t player)
{
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        ClubBid* bid = BidOf(club, slot, "WithdrawBid");
        if (bid == nullptr || bid->player < 0 || bid->player != player) continue;
        ClearBid(bid);
        if (const int32_t row = VTW_FindBidInfo(player); row >= 0)
            MarketState.bidInfo[row] = {-1, 0, 0, {}};
        return true;
    }
    return false;
}

int32_t VTW_CountClubBidsForPlayer(int32_t player)
{
    int32_t n = 0;
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        for (const ClubBid& bid : DbClubs[club].bids) {
            n += player >= 0 && bid.player == player;
        }
    }
    return n;
}

int32_t Market_FindBidder(int32_t player, int32_t* slot)
{
    for (int32_t club = 0; club < Market_LeagueClubs() && player >= 0; ++club) {
        for (int32_t k = 0; k < BID_SLOTS; ++k) {
            if (DbClubs[club].bids[k].player != player) continue;
            *slot = k;
            return club;
        }
    }
    return -1;
}

int32_t VTW_GetClubBidPlayer(int32_t club, int32_t slot)
{
    const ClubBid* bid = BidOf(club, slot, "BidPlayer");
    return bid ? bid->player : -1;
}

int32_t VTW_GetClubBidPrice(int32_t club, int32_t slot)
{
    const ClubBid* bid = BidOf(club, slot, "BidPrice");
    return bid && bid->player >= 0 ? bid->price : 0;
}

int32_t VTW_GetClubBidClause(int32_t club, int32_t slot)
{
    const ClubBid* bid = BidOf(club, slot, "BidClause");
    return bid && bid->player >= 0 ? bid->clause : 0;
}

int32_t VTW_PlaceBid(int32_t club, int32_t player, int32_t amount, int32_t positionCode,
                     int32_t clause)
{
    ClubRecord* r = Club_RefForSet(club, "PlaceBid").full;
    if (r == nullptr || Player_RefForGet(player, "PlaceBid").person == nullptr) return -1;
    const bool loan = amount == LOAN_BID_AMOUNT;
    if (VTW_GetPlayerClub(player) == club || VTW_CountClubBidsForPlayer(player) >= BIDDERS_MAX
        || VTW_GetClubSquadCount(club) >= SQUAD_MAX || amount < 0
        || (!loan && amount > VTW_GetClubTransferBudget(club)))
        return -1;
    int32_t slot = 0;
    while (slot < BID_SLOTS && r->bids[slot].player >= 0) {
        ++slot;
    }
    if (slot == BID_SLOTS) return -1;
    r->bids[slot] = {static_cast<int16_t>(player),       static_cast<uint8_t>(clause ? 1 : 0),
                     static_cast<uint8_t>(positionCode), amount,
                     loan ? BID_LOAN : BID_TRANSFER,     BID_PLACED,
                     static_cast<int16_t>(DayNo)};
    if (loan && VTW_GetPlayerLoanList(player) && !Market_HumanDecides(VTW_GetPlayerClub(player))) {
        Market_MovePlayer(player, club, 0, true, 0, 0);
    }
    return slot;
}

namespace {

// The human learns the day it happens which purchase fell through and why (`group`): an agreed
// deal that only vanished from his list left him waiting for a player who never came.
void TellHumanDealOff(int32_t group, const ClubBid& bid, int32_t seller, int32_t buyer)
{
    TextMessParams params = TextMess_NoParams();
    params.person[0] = bid.player;
    params.team[0] = static_cast<int16_t>(
        seller == CLUB_ORIGIN ? VTW_GetPlayerOriginWord(bid.player) : VTW_GetTeam(seller));
    params.money[0] = bid.kind == BID_LOAN ? 0 : bid.price;
    params.money[1] = Market_ClampMoney(BudgetForAnswer(buyer, bid));
    TextMess_SetParams(params);
    TextMess_PickRandom(group);
    TextMess_ShowForHumans();
}

}  // namespace

void VTW_CompleteHumanBid()
{
    const int32_t player = VTW_GetHumanContracts();
    const int32_t club = Market_GetHumanContractClub();
    if (player < 0 || club < 0) return;
    VTW_RemoveHumanContract(player);
    ClubRecord* r = Club_RefForSet(club, "CompleteHumanBid").full;
    if (r == nullptr) return;
    for (ClubBid& bid : r->bids) {
        if (bid.player != player || bid.state != BID_AGREED) continue;
        const bool loan = bid.kind == BID_LOAN;
        const PlayerRecord* p = Player_RefForGet(player, "CompleteHumanBid").full;
        const int32_t wage = p ? p->wage : VTW_GetPlayerWage(player);
        const int32_t months = p ? p->contractMonths : 12;
        if (Market_MovePlayer(player, club, loan ? 0 : bid.price, loan, wage, months) < 0) {
            TellHumanDealOff(MSG_DEAL_SELLER_KEEPS, bid, VTW_GetPlayerClub(player), club);
            ClearBid(&bid);
        }
        return;
    }
}

namespace {

void AnswerBid(int32_t club, ClubBid* bid)
{
    const int32_t player = bid->player;
    const int32_t seller = VTW_GetPlayerClub(player);
    const int32_t info = VTW_FindBidInfo(player);
    const bool agreed = info >= 0 && MarketState.bidInfo[info].state == BID_AGREED;
    const int32_t demand = VTW_ComputeTransferFee(player, 0, club, nullptr, bid->clause);
    // A deal the human agreed stands, a loan he booked included.
    const bool accepted =
        agreed
        || (bid->kind == BID_LOAN ? VTW_GetPlayerLoanList(player) != 0 : bid->price >= demand);
    const int32_t fee = bid->kind == BID_LOAN ? 0 : bid->price;
    const bool unpaid = BudgetForAnswer(club, *bid) < fee;
    if (!accepted || !Market_SellerLets(player, seller, fee, agreed) || unpaid) {
        if (agreed && Market_HumanDecides(seller))
            GameHooks.ShowMessage(GetMessageText(TEXT_SALE_SQUAD_MIN));
        if (agreed && Market_HumanDecides(club))
            TellHumanDealOff(unpaid ? MSG_DEAL_UNPAID : MSG_DEAL_SELLER_KEEPS, *bid, seller, club);
        // Nothing reads a refused row, and the rows would otherwise fill up for good.
        if (info >= 0) MarketState.bidInfo[info] = {-1, 0, 0, {}};
        ClearBid(bid);
        return;
    }
    if (Market_HumanDecides(club)) {
        // Without a free row of talks today the agreed bid waits in its slot: the day's refiling
        // gives it a row once one is free, where clearing it lost the deal without a word.
        bid->state = BID_AGREED;
        Market_AddHumanContract(player, club, TALK_SIGNING);
        return;
    }
    const int32_t years = Market_SigningYears(player);
    const int32_t wage = Contract_Demand(player, 12 * years, club, 0, 0);
    Market_MovePlayer(player, club, fee, bid->kind == BID_LOAN, wage, 12 * years);
}

}  // namespace

void Market_AnswerBids()
{
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        for (ClubBid& bid : DbClubs[club].bids) {
            if (bid.player >= 0 && bid.state == BID_PLACED && bid.day != DayNo)
                AnswerBid(club, &bid);
        }
    }
}

// The human's lists are emptied before every day, so agreed signings whose talks were left
// undecided are filed again: otherwise their bids would hold his bid slots for good.
void Market_RefileHumanSignings()
{
    const int32_t club = GameState.humanClub;
    if (!Market_HumanDecides(club)) return;
    for (const ClubBid& bid : DbClubs[club].bids) {
        if (bid.player >= 0 && bid.state == BID_AGREED)
            Market_AddHumanContract(bid.player, club, TALK_SIGNING);
    }
}
