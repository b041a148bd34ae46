// game/market.cpp: bids and fees, the moves of players between clubs, and the computer clubs'
// buying, selling, lending and releasing inside the transfer windows.
#include "game/market.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/transfers.h"
#include "game/world.h"

MarketStateRecord MarketState;

namespace {

constexpr int32_t SQUAD_TARGET_MIN = 22;
constexpr int32_t SQUAD_TARGET_MAX = 26;
constexpr std::array<int32_t, LINE_COUNT> kLineMinimum = {2, 6, 6, 4};
constexpr std::array<int32_t, LINE_COUNT> kBidPosition = {BIDPOS_KEEPER, BIDPOS_DEFENDER,
                                                          BIDPOS_MIDFIELDER, BIDPOS_FORWARD};
constexpr int32_t ACTING_CHANCE = 25;  // one computer club in this many acts on a window day
constexpr int32_t NEEDY_CHANCE = 3;
constexpr int32_t LOAN_AGE_MAX = 21;
constexpr int32_t LOAN_SURPLUS_FROM = 24;
constexpr int32_t LIGHT_SAMPLE = 300;  // foreign light players looked at per search
constexpr int32_t UNATTACHED_TARGET = 200;
constexpr int32_t SIGNING_YEARS_MAX = 4;

int32_t ClampMoney(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, MARKET_MONEY_MAX));
}

int32_t LeagueClubs() { return World_LeagueClubCount(GameState.country); }

bool IsFullClub(int32_t club) { return club >= 0 && club < LeagueClubs(); }

// The human's club is run by the computer while the unattended run is on.
bool HumanDecides(int32_t club)
{
    return club >= 0 && club == GameState.humanClub && AutoRunMode == 0
           && VTW_GetClubController(club) == MANAGER_HUMAN;
}

bool IsActiveFull(int32_t id)
{
    return id >= PERSON_FIRST_ORDINARY && id < FullPlayerCount
           && !(DbPersons[id].flags & PERSON_FREE) && DbPlayers[id].position != POSITION_MANAGER;
}

// The club money goes to or comes from: a full club, else the world outside.
int32_t MoneyClub(int32_t club) { return IsFullClub(club) ? club : CLUB_NONE; }

struct SquadShape {
    int32_t count;
    std::array<int32_t, LINE_COUNT> lines;
    std::array<int32_t, LINE_COUNT> best;  // the best player of each line, -1 none
    int32_t median;                        // the squad's median ability
};

SquadShape ShapeOf(int32_t club)
{
    SquadShape s{};
    s.best.fill(-1);
    const int16_t* members = nullptr;
    s.count = Records_ClubMembers(club, &members);
    std::array<uint8_t, 64> abilities{};
    const int32_t n = std::min<int32_t>(s.count, static_cast<int32_t>(abilities.size()));
    for (int32_t k = 0; k < n; ++k) {
        const int32_t id = members[k];
        const int32_t line = VTW_GetPositionLine(id);
        ++s.lines[line];
        const int32_t ability = VTW_GetPlayerAbilityCurve(id);
        abilities[k] = static_cast<uint8_t>(ability);
        if (s.best[line] < 0 || ability > VTW_GetPlayerAbilityCurve(s.best[line]))
            s.best[line] = id;
    }
    std::sort(abilities.begin(), abilities.begin() + n);
    s.median = n > 0 ? abilities[n / 2] : 0;
    return s;
}

int32_t NeedyLine(const SquadShape& s)
{
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (s.lines[line] < kLineMinimum[line]) return line;
    }
    if (s.count >= SQUAD_TARGET_MIN) return -1;
    int32_t best = 1;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (s.lines[line] * kLineMinimum[best] < s.lines[best] * kLineMinimum[line]) best = line;
    }
    return best;
}

// ---- Bids.

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

void ClearBidsFor(int32_t player)
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        for (ClubBid& bid : DbClubs[club].bids) {
            if (bid.player == player) ClearBid(&bid);
        }
    }
    for (BidInfoRow& row : MarketState.bidInfo) {
        if (row.player == player) row = {-1, 0, 0, {}};
    }
}

void ResetState()
{
    std::memset(&MarketState, 0, sizeof MarketState);
    for (BidInfoRow& row : MarketState.bidInfo) {
        row.player = -1;
    }
    for (SaleRequestRow& row : MarketState.sales) {
        row.player = -1;
    }
    for (ContractTalkRow& row : MarketState.talks) {
        row.player = -1;
    }
    std::fill(std::begin(MarketState.recent), std::end(MarketState.recent), int16_t(-1));
    MarketState.jobOfferClub = -1;
    MarketState.offerDayB = -1;
    MarketState.offerClub = -1;
    MarketState.sackedDay = -1;
    std::fill(std::begin(MarketState.matchSlot), std::end(MarketState.matchSlot), 0xFFFF);
}

// ---- Moves.

void CupTie(int32_t player, int32_t oldClub, PlayerRecord* p)
{
    for (int32_t row = 0; row < Fixture_RowCount() && VTW_GetFixtureDay(row) < DayNo; ++row) {
        const int32_t cup = VTW_GetCompCup(VTW_GetFixtureCompetition(row));
        if (cup < 0 || !Fixture_IsPlayed(row)) continue;
        const int32_t home = VTW_GetFixtureHomeClub(row);
        if (home != oldClub && VTW_GetFixtureAwayClub(row) != oldClub) continue;
        const int32_t away = home == oldClub ? 0 : 1;
        for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
            const FixturePlayerRow r = Fixture_GetPlayerRow(row, away, k);
            if (r.player == player && r.rating > 0) p->cupTied |= uint8_t(1 << cup);
        }
    }
}

void MarkClubChanged(int32_t club)
{
    if (IsFullClub(club)) VTW_UpdateTeam(club);
    if (club >= 0 && club == GameState.humanClub) VTW_SyncTrainingBuffer();
}

}  // namespace

// The move itself: money, record, career log, news; a loan keeps his club. The new full id, or
// -1 when a light player found no free full id.
int32_t Market_MovePlayer(int32_t player, int32_t buyer, int32_t fee, bool loan, int32_t wage,
                          int32_t months)
{
    const int32_t id = Player_PromoteToFull(player);
    if (id < 0) return -1;
    PlayerRecord* p = &DbPlayers[id];
    const int32_t seller = p->club;
    const bool free = !loan && (seller == CLUB_NONE || fee == 0);
    if (!loan && fee > 0) {
        Club_Book(buyer, CLUB_FIG_SIGNINGS, fee);
        Club_Book(MoneyClub(seller), CLUB_FIG_SALES, fee);
    }
    const uint8_t flags = (loan ? TRANSFER_LOAN : 0) | (free ? TRANSFER_FREE : 0);
    Transfers_Add(IsFullClub(seller) ? seller : CLUB_NONE, buyer, id, flags, loan ? 0 : fee);
    if (IsFullClub(seller)) CupTie(id, seller, p);
    VTW_AddClubLog(id, buyer, loan ? CAREERLOG_LOAN : CAREERLOG_TRANSFER);
    p->shirt = 0;
    p->askingPrice = -1;
    p->flags &= ~(PLAYER_TRANSFER_LISTED | PLAYER_LOAN_LISTED | PLAYER_SALE_STATUS | PLAYER_CAPTAIN
                  | PLAYER_ASKED_TRANSFER);
    if (loan) {
        p->loanClub = static_cast<int16_t>(buyer);
        p->flags |= PLAYER_ON_LOAN;
    } else {
        p->club = static_cast<int16_t>(buyer);
        p->wage = wage;
        p->contractMonths = static_cast<uint8_t>(std::clamp(months, 1, 12 * CONTRACT_YEARS_MAX));
    }
    Records_MembershipChanged();
    ClearBidsFor(id);
    GameHooks.NewsPlayerMoved(id, seller, buyer, loan ? 0 : fee, loan ? 1 : 0);
    MarkClubChanged(seller);
    MarkClubChanged(buyer);
    return id;
}

// Releases a full player to the unattached pool.
void Market_Release(int32_t player)
{
    PlayerRecord* p = &DbPlayers[player];
    const int32_t club = p->club;
    VTW_AddClubLog(player, club, CAREERLOG_RELEASED);
    p->club = CLUB_NONE;
    p->shirt = 0;
    p->wage = 0;
    p->contractMonths = 0;
    p->flags &=
        ~(PLAYER_TRANSFER_LISTED | PLAYER_LOAN_LISTED | PLAYER_SALE_STATUS | PLAYER_CAPTAIN);
    Records_MembershipChanged();
    ClearBidsFor(player);
    MarkClubChanged(club);
}

void Market_Init()
{
    ResetState();
    SaveGame_RegisterBlock("MRKT", &MarketState, sizeof MarketState);
    Transfers_Init();
}

void Market_Uninit() { Transfers_Uninit(); }

void Market_NewGame()
{
    ResetState();
    VTW_ClearTransferRecords();
    Staff_DrawMarket();
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        DbClubs[club].boardPatience = 0;
    }
    Managers_SetBoardTargets();
}

int32_t VTW_FindFreeBidInfo()
{
    for (int32_t k = 0; k < BIDINFO_ROWS; ++k) {
        if (MarketState.bidInfo[k].player < 0) return k;
    }
    return -1;
}

int32_t VTW_FindBidInfo(int32_t player)
{
    for (int32_t k = 0; k < BIDINFO_ROWS; ++k) {
        if (player >= 0 && MarketState.bidInfo[k].player == player) return k;
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

int32_t VTW_CountClubBidsForPlayer(int32_t player)
{
    int32_t n = 0;
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        for (const ClubBid& bid : DbClubs[club].bids) {
            n += player >= 0 && bid.player == player;
        }
    }
    return n;
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
        || (!loan && amount > Club_GetTransferBudget(club)))
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
    if (loan && VTW_GetPlayerLoanList(player) && !HumanDecides(VTW_GetPlayerClub(player))) {
        Market_MovePlayer(player, club, 0, true, 0, 0);
    }
    return slot;
}

int32_t VTW_ComputeTransferFee(int32_t player, int32_t turn, int32_t buyer, int32_t* interest,
                               int32_t clause)
{
    (void)buyer;
    const bool listed = VTW_GetPlayerTxList(player) != 0;
    const int32_t shirt = VTW_GetPlayerShirt(player);
    int64_t demand = VTW_ComputePlayerValueWithPotential(player);
    demand = demand * (130 - 8 * std::clamp(turn, 0, 5)) / 100;
    if (shirt >= 1 && shirt <= 11) demand = demand * 150 / 100;
    if (listed) demand = demand * 90 / 100;
    if (clause) demand = demand * 92 / 100;
    if (interest != nullptr) *interest = std::clamp(100 - 12 * turn - (listed ? 0 : 20), 0, 100);
    return ClampMoney(VTW_RoundMoneyNice(ClampMoney(demand)));
}

int32_t VTW_ComputeBidForPlayer(int32_t player, int32_t demand, int32_t turn, int32_t buyer,
                                int32_t clause, int32_t spare, int32_t* interest)
{
    (void)spare;
    const int64_t value = VTW_GetPlayerValue(player);
    int64_t offer = value * (70 + 10 * std::max(0, turn)) / 100;
    offer =
        std::min<int64_t>(offer, int64_t(VTW_ComputePlayerValueWithPotential(player)) * 115 / 100);
    offer = std::min<int64_t>(offer, Club_GetTransferBudget(buyer));
    if (clause) offer = offer * 95 / 100;
    offer = std::clamp<int64_t>(offer, 0, std::max(0, demand));
    if (interest != nullptr)
        *interest = demand > 0
                        ? static_cast<int32_t>(std::clamp<int64_t>(offer * 100 / demand, 0, 100))
                        : 100;
    return ClampMoney(offer);
}

int32_t Player_PromoteToFull(int32_t player)
{
    const PlayerRef ref = Player_RefForSet(player, "PromoteToFull");
    if (ref.full != nullptr) return player;
    if (ref.light == nullptr) return -1;
    int32_t id = PERSON_FIRST_ORDINARY;
    while (id < FullPlayerCount && !(DbPersons[id].flags & PERSON_FREE)) {
        ++id;
    }
    if (id == FullPlayerCount) return -1;
    const LightPlayerRecord light = *ref.light;
    DbPersons[id] = *ref.person;
    DbPersons[id].flags = 0;
    PlayerRecord& p = DbPlayers[id];
    p = {};
    p.club = light.club;
    p.loanClub = -1;
    p.originWord = light.originWord;
    p.askingPrice = -1;
    p.position = light.position;
    p.side = light.side;
    p.ability = light.ability;
    p.training = static_cast<uint8_t>(30 + light.seed % 51);
    p.potential = light.potential;
    p.seed = light.seed;
    p.reputation = light.reputation;
    p.contractMonths = 12;
    p.morale = 75;
    p.fitness = 100;
    p.wage = VTW_RoundTo25(Contract_BaseDemand(id, -1, 1));
    // The light id is freed: nothing is left of him outside his new record.
    ref.person->flags = PERSON_FREE;
    ref.light->club = CLUB_NONE;
    Records_MembershipChanged();
    return id;
}

int32_t VTW_GetSaleAskingPrice(int32_t player)
{
    for (const SaleRequestRow& row : MarketState.sales) {
        if (player >= 0 && row.player == player) return row.price;
    }
    return -1;
}

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
        Market_MovePlayer(player, club, loan ? 0 : bid.price, loan, wage, months);
        return;
    }
}

// ---- The daily stage: answers, then the computer clubs in the windows.

namespace {

bool SellerLets(int32_t player, int32_t seller)
{
    if (!IsFullClub(seller)) return true;
    const SquadShape s = ShapeOf(seller);
    const int32_t line = VTW_GetPositionLine(player);
    return s.count > SELLER_KEEPS && s.lines[line] > kLineMinimum[line] && s.best[line] != player;
}

int32_t SigningYears(int32_t player)
{
    return VTW_GetPlayerAge(player) <= 26 ? 3 : VTW_GetPlayerAge(player) <= 30 ? 2 : 1;
}

void AnswerBid(int32_t club, ClubBid* bid)
{
    const int32_t player = bid->player;
    const int32_t seller = VTW_GetPlayerClub(player);
    const int32_t info = VTW_FindBidInfo(player);
    const bool agreed = info >= 0 && MarketState.bidInfo[info].state == BID_AGREED;
    const int32_t demand = VTW_ComputeTransferFee(player, 0, club, nullptr, bid->clause);
    const bool accepted =
        bid->kind == BID_LOAN ? VTW_GetPlayerLoanList(player) != 0 : agreed || bid->price >= demand;
    if (!accepted || !SellerLets(player, seller)
        || Club_GetTransferBudget(club) < (bid->kind == BID_LOAN ? 0 : bid->price)) {
        if (info >= 0) MarketState.bidInfo[info].state = BID_REFUSED;
        ClearBid(bid);
        return;
    }
    if (HumanDecides(club)) {
        bid->state = BID_AGREED;
        if (!Market_AddHumanContract(player, club, TALK_SIGNING)) ClearBid(bid);
        return;
    }
    const int32_t years = SigningYears(player);
    const int32_t wage = Contract_Demand(player, 12 * years, club, 0, 0);
    Market_MovePlayer(player, club, bid->kind == BID_LOAN ? 0 : bid->price, bid->kind == BID_LOAN,
                      wage, 12 * years);
}

void AnswerBids()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        for (ClubBid& bid : DbClubs[club].bids) {
            if (bid.player >= 0 && bid.state == BID_PLACED && bid.day != DayNo)
                AnswerBid(club, &bid);
        }
    }
}

bool Suits(int32_t id, int32_t line, int32_t low, int32_t high)
{
    if (VTW_GetPositionLine(id) != line) return false;
    const int32_t ability = VTW_GetPlayerAbilityCurve(id);
    return ability >= low && ability <= high;
}

// The best affordable player of the line whose ability suits the buyer; -1 none.
int32_t FindTarget(int32_t buyer, int32_t line, const SquadShape& s)
{
    const int32_t reputation = VTW_GetClubReputation(buyer);
    const int32_t budget = Club_GetTransferBudget(buyer);
    const int32_t low = s.median - 8;
    const int32_t high = s.median + 12;
    int32_t best = -1;
    int32_t bestAbility = -1;
    auto consider = [&](int32_t id, int32_t fee) {
        const int32_t ability = VTW_GetPlayerAbilityCurve(id) + Rand() % 6;
        if (fee <= budget && ability > bestAbility) {
            best = id;
            bestAbility = ability;
        }
    };
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id)) continue;
        const PlayerRecord& p = DbPlayers[id];
        if (p.club == buyer || p.loanClub >= 0 || !Suits(id, line, low, high)) continue;
        if (p.club == CLUB_NONE) {
            consider(id, 0);
        } else if (IsFullClub(p.club)
                   && ((p.flags & PLAYER_TRANSFER_LISTED)
                       || DbClubs[p.club].reputation < reputation)) {
            consider(id, VTW_ComputeTransferFee(id, 0, buyer, nullptr, 0));
        }
    }
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    for (int32_t k = 0; k < LIGHT_SAMPLE && lightCount > 0; ++k) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || IsFullClub(p.club) || p.club == CLUB_NONE
            || p.position == POSITION_MANAGER || !Suits(id, line, low, high))
            continue;
        consider(id, VTW_ComputeTransferFee(id, 0, buyer, nullptr, 0));
    }
    return best;
}

void Buy(int32_t buyer, int32_t line, const SquadShape& s)
{
    const int32_t target = FindTarget(buyer, line, s);
    if (target < 0) return;
    const int32_t seller = VTW_GetPlayerClub(target);
    const int32_t fee =
        seller == CLUB_NONE ? 0 : VTW_ComputeTransferFee(target, 0, buyer, nullptr, 0);
    if (HumanDecides(seller)) {
        Market_AddHumanSale(target, buyer, 0, fee);
        return;
    }
    if (!SellerLets(target, seller)) return;
    const int32_t years = SigningYears(target);
    int32_t interest = 0;
    const int32_t wage = Contract_Demand(target, 12 * years, buyer, 0, 0);
    if (!VTW_EvaluateContractOffer(target, 12 * years, buyer, 0, &interest, wage, 0)) return;
    Market_MovePlayer(target, buyer, fee, false, wage, 12 * years);
}

// The squad member the club misses least: the weakest, the oldest on a tie; -1 none.
int32_t Weakest(int32_t club, bool listedToo)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    const SquadShape s = ShapeOf(club);
    int32_t worst = -1;
    int32_t worstKey = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t id = members[k];
        const PlayerRecord& p = DbPlayers[id];
        if (p.club != club || (!listedToo && (p.flags & PLAYER_TRANSFER_LISTED))) continue;
        const int32_t line = VTW_GetPositionLine(id);
        if (s.lines[line] <= kLineMinimum[line]) continue;
        const int32_t key = p.ability * 4 - std::max(0, VTW_GetPlayerAge(id) - 30) * 3;
        if (worst < 0 || key < worstKey) {
            worst = id;
            worstKey = key;
        }
    }
    return worst;
}

void Lend(int32_t club, const SquadShape& s)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    int32_t young = -1;
    for (int32_t k = 0; k < count && young < 0; ++k) {
        const int32_t id = members[k];
        const PlayerRecord& p = DbPlayers[id];
        const int32_t line = VTW_GetPositionLine(id);
        if (p.club == club && VTW_GetPlayerAge(id) <= LOAN_AGE_MAX && p.ability < s.median
            && s.lines[line] > kLineMinimum[line])
            young = id;
    }
    if (young < 0) return;
    const int32_t division = VTW_GetClubDivision(club);
    for (int32_t tries = 0; tries < 8; ++tries) {
        const int32_t borrower = Rand() % LeagueClubs();
        if (VTW_GetClubDivision(borrower) <= division || HumanDecides(borrower)) continue;
        const SquadShape b = ShapeOf(borrower);
        if (b.count >= SQUAD_TARGET_MIN && NeedyLine(b) < 0) continue;
        Market_MovePlayer(young, borrower, 0, true, 0, 0);
        return;
    }
}

void ClubActs(int32_t club)
{
    const SquadShape s = ShapeOf(club);
    if (s.count > SQUAD_MAX) {
        const int32_t weakest = Weakest(club, true);
        if (weakest >= 0) Market_Release(weakest);
        return;
    }
    if (s.count > SQUAD_TARGET_MAX) {
        const int32_t weakest = Weakest(club, false);
        if (weakest >= 0) VTW_PutPlayerOnTxList(weakest, 1);
        if (s.count >= LOAN_SURPLUS_FROM) Lend(club, s);
        return;
    }
    const int32_t line = NeedyLine(s);
    if (line >= 0) {
        Buy(club, line, s);
    } else if (Rand() % 3 == 0) {
        Buy(club, Rand() % LINE_COUNT, s);  // an upgrade when the money allows
    } else if (s.count >= LOAN_SURPLUS_FROM) {
        Lend(club, s);
    }
}

void ComputerMarket()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (HumanDecides(club)) continue;
        // A club short of players looks every few days; the others now and then.
        const int32_t chance = NeedyLine(ShapeOf(club)) >= 0 ? NEEDY_CHANCE : ACTING_CHANCE;
        if (Rand() % chance == 0) ClubActs(club);
    }
}

// Once a month the human is asked about his players with six months or less to run.
void HumanRenewalTalks()
{
    const int32_t club = GameState.humanClub;
    if (!HumanDecides(club) || GameState.dayOfMonth != 1) return;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        const PlayerRecord& p = DbPlayers[members[k]];
        if (p.club == club && p.contractMonths <= 6 && p.contractMonths > 0)
            Market_AddHumanContract(members[k], club, TALK_RENEWAL);
    }
}

int32_t UnattachedCount()
{
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        n += IsActiveFull(id) && DbPlayers[id].club == CLUB_NONE;
    }
    return n;
}

void TopUpUnattached()
{
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    int32_t missing = UNATTACHED_TARGET - UnattachedCount();
    for (int32_t tries = 0; missing > 0 && tries < 20 * UNATTACHED_TARGET && lightCount > 0;
         ++tries) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || IsFullClub(p.club) || p.club == CLUB_NONE
            || p.position == POSITION_MANAGER)
            continue;
        const int32_t full = Player_PromoteToFull(id);
        if (full < 0) return;
        DbPlayers[full].club = CLUB_NONE;
        DbPlayers[full].wage = 0;
        DbPlayers[full].contractMonths = 0;
        --missing;
    }
    Records_MembershipChanged();
}

void EndLoans()
{
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        PlayerRecord& p = DbPlayers[id];
        if (!IsActiveFull(id) || p.loanClub < 0) continue;
        p.loanClub = -1;
        p.flags &= ~PLAYER_ON_LOAN;
        p.shirt = 0;
    }
    Records_MembershipChanged();
}

}  // namespace

bool Market_LineAtMinimum(int32_t club, int32_t line)
{
    if (!IsFullClub(club) || line < 0 || line >= LINE_COUNT) return false;
    return ShapeOf(club).lines[line] <= kLineMinimum[line];
}

bool Market_WindowOpen()
{
    for (const auto& closed : GameState.closedTransfer) {
        if (DayNo >= closed[0] && DayNo <= closed[1]) return false;
    }
    return true;
}

int32_t Market_UnattachedCount() { return UnattachedCount(); }

void Market_DailyStage()
{
    AnswerBids();
    if (Market_WindowOpen()) ComputerMarket();
    HumanRenewalTalks();
}

void Market_NewSeason()
{
    EndLoans();
    TopUpUnattached();
    Managers_SetBoardTargets();
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        VTW_UpdateTeam(club);
    }
}
