// game/market.cpp: bids and fees, the moves of players between clubs, and the computer clubs'
// buying, selling, lending and releasing inside the transfer windows.
#include "game/market.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "game/world.h"

MarketStateRecord MarketState;

namespace {

constexpr int32_t SQUAD_TARGET_MIN = 22;
constexpr std::array<int32_t, LINE_COUNT> LINE_MINIMUM = {2, 6, 6, 4};
constexpr int32_t OUTSIDE_SELLER_KEEPS = 11;
constexpr std::array<int32_t, LINE_COUNT> BID_POSITION = {BIDPOS_KEEPER, BIDPOS_DEFENDER,
                                                          BIDPOS_MIDFIELDER, BIDPOS_FORWARD};
constexpr int32_t ACTING_CHANCE = 18;  // one computer club in this many acts on a window day
constexpr int32_t NEEDY_CHANCE = 3;
constexpr int32_t KEEN_CHANCE = 9;
constexpr int32_t UPGRADE_ABOVE_MEDIAN = 1;  // a rich club's signing beats most of its squad
constexpr int32_t UPGRADE_SQUAD_MAX = 28;    // beyond it, a rich club sells before it buys
constexpr int32_t LOAN_AGE_MAX = 21;
constexpr int32_t LOAN_SURPLUS_FROM = 24;
constexpr int32_t LIGHT_SAMPLE = 300;  // foreign light players looked at per search
constexpr int32_t UNATTACHED_TARGET = 200;
constexpr int32_t UNATTACHED_KEPT = 150;     // at a new season; the top-up brings fresh faces
constexpr int32_t UNATTACHED_CEILING = 330;  // beyond it, those nobody signs leave the game
constexpr int32_t RICH_BUDGET_WEEKS = 4;     // a budget beyond this many weeks' wages is spent
constexpr int32_t SIGNING_YEARS_MAX = 4;
constexpr int32_t CLUB_MEMBERS_MAX = 64;      // beyond any squad the market lets a club reach
constexpr int32_t SIGNED_FROM_BELOW_MAX = 4;  // a top club's signings of those who asked to move up
constexpr int32_t BOARD_WAGE_WEEKS_KEPT = 52;  // a season's wages stay in the bank
constexpr int32_t ABROAD_LEVEL_GAP = 5;        // ability apart from the buying club's player

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

// A club whose stored balance cannot take the whole fee does not sell: a cut fee would destroy
// the buyer's money. The world outside takes any fee.
bool CanHold(int32_t seller, int32_t fee)
{
    return !IsFullClub(seller) || int64_t(DbClubs[seller].balance) + fee <= BALANCE_MAX;
}

// A club's own players there: those on loan to it come and go with the season, so its needs,
// its sales and its releases are judged without them.
struct SquadShape {
    int32_t count;
    int32_t playing;  // with the players on loan to it
    std::array<int32_t, LINE_COUNT> lines;
    std::array<int32_t, LINE_COUNT> best;  // the best player of each line, -1 none
    std::array<int32_t, LINE_COUNT> worst;
    int32_t median;  // the squad's median ability
    int64_t wages;   // weekly
};

SquadShape ShapeOf(int32_t club)
{
    SquadShape s{};
    s.best.fill(-1);
    s.worst.fill(-1);
    const int16_t* members = nullptr;
    const int32_t memberCount = Records_ClubMembers(club, &members);
    std::array<uint8_t, CLUB_MEMBERS_MAX> abilities{};
    for (int32_t k = 0; k < memberCount; ++k) {
        const int32_t id = members[k];
        if (!IsActiveFull(id)) continue;
        ++s.playing;
        if (DbPlayers[id].club != club || s.count == CLUB_MEMBERS_MAX) continue;
        const int32_t line = VTW_GetPositionLine(id);
        ++s.lines[line];
        const int32_t ability = VTW_GetPlayerAbilityCurve(id);
        abilities[s.count++] = static_cast<uint8_t>(ability);
        s.wages += DbPlayers[id].wage;
        if (s.best[line] < 0 || ability > VTW_GetPlayerAbilityCurve(s.best[line]))
            s.best[line] = id;
        if (s.worst[line] < 0 || ability < VTW_GetPlayerAbilityCurve(s.worst[line]))
            s.worst[line] = id;
    }
    std::sort(abilities.begin(), abilities.begin() + s.count);
    s.median = s.count > 0 ? abilities[s.count / 2] : 0;
    return s;
}

int32_t BestAbility(const SquadShape& s, int32_t line)
{
    return s.best[line] >= 0 ? VTW_GetPlayerAbilityCurve(s.best[line]) : 0;
}

// Per division and line: the median ability of the line's players.
using LineMedians = std::array<std::array<uint8_t, LINE_COUNT>, DIVISION_MAX>;

// A line under its minimum; else, in a squad of fewer than `size`, the thinnest line; -1 none.
int32_t ShortLine(const SquadShape& s, int32_t size)
{
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (s.lines[line] < LINE_MINIMUM[line]) return line;
    }
    if (s.count >= size) return -1;
    int32_t thinnest = 1;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (s.lines[line] * LINE_MINIMUM[thinnest] < s.lines[thinnest] * LINE_MINIMUM[line])
            thinnest = line;
    }
    return thinnest;
}

// A line under its minimum, a line whose best player is below the division's median for the
// line, or the thinnest line of a squad under its target; -1 none.
int32_t NeedyLine(const SquadShape& s, const std::array<uint8_t, LINE_COUNT>& medians)
{
    const int32_t belowMinimum = ShortLine(s, 0);
    if (belowMinimum >= 0) return belowMinimum;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (BestAbility(s, line) < medians[line]) return line;
    }
    return ShortLine(s, SQUAD_TARGET_MIN);
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

// ---- Once a month.

// The players on the transfer list in the present month, read again whenever the list or the
// month has changed since: a computer club neither buys nor sells, lends, signs or sends abroad a
// player who changed club this month, so that he plays for his club before anyone buys him on.
// His loan's end is no change of club.
struct MonthMoves {
    int32_t rows;
    TransferRecordRow last;  // the list's last row when read, which a loaded list need not share
    uint8_t month;
    uint16_t year;
    std::bitset<PERSON_MAX> moved;
};

MonthMoves s_monthMoves;

const std::bitset<PERSON_MAX>& MovedThisMonth()
{
    MonthMoves& m = s_monthMoves;
    const int32_t rows = Transfers_Count();
    const TransferRecordRow last =
        rows > 0 ? *VTW_GetTransferRecord(rows - 1) : TransferRecordRow{};
    if (m.rows == rows && m.month == GameState.month && m.year == GameState.year
        && std::memcmp(&m.last, &last, sizeof last) == 0)
        return m.moved;
    m = {rows, last, GameState.month, GameState.year, {}};
    for (int32_t n = rows - 1; n >= 0; --n) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(n);
        if (row.month != GameState.month || row.year != GameState.year % 100) break;
        if (row.player >= 0 && row.player < PERSON_MAX) m.moved.set(row.player);
    }
    return m.moved;
}

void ResetState()
{
    s_monthMoves = {};
    s_monthMoves.rows = -1;
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
    // A free agent has nobody to pay: whatever was offered for him, he comes for nothing.
    const int32_t paid = loan || seller == CLUB_NONE ? 0 : fee;
    if (!loan && !CanHold(seller, paid)) return -1;
    // A light player comes from the world outside, which buys as many back at the season's turn.
    if (!loan && id != player && MarketState.signedFromOutside < UINT16_MAX)
        ++MarketState.signedFromOutside;
    if (paid > 0) {
        Club_Book(buyer, CLUB_FIG_SIGNINGS, paid);
        Club_Book(MoneyClub(seller), CLUB_FIG_SALES, paid);
    }
    const uint8_t flags = (loan ? TRANSFER_LOAN : 0) | (!loan && paid == 0 ? TRANSFER_FREE : 0);
    // A club outside the league, or abroad, is named too: only a player without a club comes
    // from none.
    const bool abroad = seller == CLUB_ORIGIN;
    Transfers_Add(seller < CLUB_ID_COUNT || abroad ? seller : CLUB_NONE, buyer, id, flags, paid,
                  abroad ? p->originWord : -1);
    ClubRecord_KeepTransfer(id, seller, buyer, paid, loan);
    if (IsFullClub(seller)) CupTie(id, seller, p);
    VTW_AddClubLog(id, buyer, loan ? CAREERLOG_LOAN : CAREERLOG_TRANSFER);
    p->shirt = 0;
    p->askingPrice = -1;
    p->flags &= ~PLAYER_CLUB_FLAGS;
    if (loan) {
        p->loanClub = static_cast<int16_t>(buyer);
        p->flags |= PLAYER_ON_LOAN;
    } else {
        p->club = static_cast<int16_t>(buyer);
        p->wage = wage;
        p->contractMonths = static_cast<uint8_t>(std::clamp(months, 1, 12 * CONTRACT_YEARS_MAX));
    }
    Records_MemberMoved(id);
    ClearBidsFor(id);
    GameHooks.NewsPlayerMoved(id, seller, buyer, paid, loan ? 1 : 0);
    MarkClubChanged(seller);
    MarkClubChanged(buyer);
    return id;
}

namespace {

int32_t FreeLightId()
{
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        if (DbPersons[id].flags & PERSON_FREE) return id;
    }
    return -1;
}

}  // namespace

namespace {

// The sale without the seller's team made up again: the sales of the season's turn make each
// seller's team up once, after the last of them, instead of rebuilding the clubs' member index
// for every sale.
int32_t SellAbroadLeavingTheTeam(int32_t player, int32_t buyer, int32_t fee, int32_t* seller)
{
    const int32_t lightId = FreeLightId();
    if (lightId < 0 || !IsActiveFull(player) || IsFullClub(buyer) || buyer < 0
        || buyer >= CLUB_ID_COUNT)
        return -1;
    PlayerRecord& p = DbPlayers[player];
    *seller = p.club;
    if (!CanHold(*seller, fee)) return -1;
    Club_Book(buyer, CLUB_FIG_SIGNINGS, fee);
    Club_Book(MoneyClub(*seller), CLUB_FIG_SALES, fee);
    VTW_AddClubLog(player, buyer, CAREERLOG_TRANSFER);
    ClearBidsFor(player);
    DbPersons[lightId] = DbPersons[player];
    DbPersons[lightId].flags = 0;
    DbLightPlayers[lightId - FullPlayerCount] = {static_cast<int16_t>(buyer),
                                                 p.originWord,
                                                 p.position,
                                                 p.side,
                                                 p.ability,
                                                 0,
                                                 p.seed,
                                                 p.reputation,
                                                 p.potential};
    // The full id is free for a youth: nothing of him is left there.
    DbPersons[player].flags = PERSON_FREE;
    p = {};
    p.club = CLUB_NONE;
    p.loanClub = -1;
    Transfers_Add(MoneyClub(*seller), buyer, lightId, 0, fee);
    Records_MembershipChanged();
    GameHooks.NewsPlayerMoved(lightId, *seller, buyer, fee, 0);
    return lightId;
}

}  // namespace

int32_t Market_SellAbroad(int32_t player, int32_t buyer, int32_t fee)
{
    int32_t seller = CLUB_NONE;
    const int32_t lightId = SellAbroadLeavingTheTeam(player, buyer, fee, &seller);
    if (lightId >= 0) MarkClubChanged(seller);
    return lightId;
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
    p->flags &= ~PLAYER_CLUB_FLAGS;
    Records_MemberMoved(player);
    ClearBidsFor(player);
    MarkClubChanged(club);
}

void Market_Init()
{
    ResetState();
    SaveGame_RegisterBlock("MRKT", &MarketState, sizeof MarketState, Market_CheckSaved);
    Transfers_Init();
}

void Market_Uninit() { Transfers_Uninit(); }

void Market_ResetCareer()
{
    ResetState();
    VTW_ClearTransferRecords();
}

void Market_NewGame()
{
    Market_ResetCareer();
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
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        for (const ClubBid& bid : DbClubs[club].bids) {
            n += player >= 0 && bid.player == player;
        }
    }
    return n;
}

int32_t Market_FindBidder(int32_t player, int32_t* slot)
{
    for (int32_t club = 0; club < LeagueClubs() && player >= 0; ++club) {
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

namespace {

constexpr int32_t PRICE_LEVEL_MIN = 50;  // percent of the fees a new career's money pays
constexpr int32_t PRICE_LEVEL_MAX = 800;

}  // namespace

// The fees asked and offered follow what the league's clubs can spend against what a new career
// gave them to spend: with fixed fees, a country whose clubs' money doubled could afford four
// times the signings, and its market ran at 11 transfers a club a season. A new career's balance
// is its spending money and the wages its budget holds back, so its first budgets are the
// spending money's. In percent.
int32_t Market_PriceLevelPercent()
{
    int64_t now = 0;
    int64_t start = 0;
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        now += Club_GetTransferBudget(club);
        const int64_t money =
            NewGame_SpendingMoney(VTW_GetClubReputation(club), VTW_GetClubDivision(club));
        start += Club_TransferBudgetOf(ClampMoney(money), 0);
    }
    if (start <= 0) return 100;
    return static_cast<int32_t>(
        std::clamp<int64_t>(now * 100 / start, PRICE_LEVEL_MIN, PRICE_LEVEL_MAX));
}

namespace {

// The seller's demand at a price level.
int32_t DemandAt(int32_t player, int32_t turn, int32_t clause, int32_t levelPercent,
                 int32_t* interest)
{
    const bool listed = VTW_GetPlayerTxList(player) != 0;
    const int32_t shirt = VTW_GetPlayerShirt(player);
    int64_t demand = int64_t(VTW_ComputePlayerValueWithPotential(player)) * levelPercent / 100;
    demand = demand * (130 - 8 * std::clamp(turn, 0, 5)) / 100;
    if (shirt >= 1 && shirt <= 11) demand = demand * 150 / 100;
    if (listed) demand = demand * 90 / 100;
    if (clause) demand = demand * 92 / 100;
    if (interest != nullptr) *interest = std::clamp(100 - 12 * turn - (listed ? 0 : 20), 0, 100);
    return ClampMoney(VTW_RoundMoneyNice(ClampMoney(demand)));
}

}  // namespace

int32_t VTW_ComputeTransferFee(int32_t player, int32_t turn, int32_t buyer, int32_t* interest,
                               int32_t clause)
{
    (void)buyer;
    return DemandAt(player, turn, clause, Market_PriceLevelPercent(), interest);
}

int32_t VTW_ComputeBidForPlayer(int32_t player, int32_t demand, int32_t turn, int32_t buyer,
                                int32_t clause, int32_t spare, int32_t* interest)
{
    (void)spare;
    const int32_t level = Market_PriceLevelPercent();
    const int64_t value = int64_t(VTW_GetPlayerValue(player)) * level / 100;
    int64_t offer = value * (70 + 10 * std::max(0, turn)) / 100;
    offer = std::min<int64_t>(offer, int64_t(VTW_ComputePlayerValueWithPotential(player)) * level
                                         / 100 * 115 / 100);
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
    CareerLog_Forget(id);  // the rows of the freed id's last holder
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
    p.wage = VTW_RoundTo25(Contract_WorldWage(id, -1, 1));
    // The light id is freed: nothing is left of him outside his new record.
    ref.person->flags = PERSON_FREE;
    ref.light->club = CLUB_NONE;
    Records_MemberMoved(player);
    Records_MemberMoved(id);
    return id;
}

int32_t VTW_GetSaleAskingPrice(int32_t player)
{
    for (const SaleRequestRow& row : MarketState.sales) {
        if (player >= 0 && row.player == player) return row.price;
    }
    return -1;
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
    params.money[1] = Club_GetTransferBudget(buyer);
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

// ---- The daily stage: answers, then the computer clubs in the windows.

namespace {

// The seller keeps its minimum squad and lines, and its best player of the line unless he asked
// to move up.
bool ShapeLets(const SquadShape& s, int32_t player)
{
    const int32_t line = VTW_GetPositionLine(player);
    const bool asked = DbPlayers[player].flags & PLAYER_ASKED_TRANSFER;
    return s.count > SELLER_KEEPS && s.lines[line] > LINE_MINIMUM[line]
           && (s.best[line] != player || asked);
}

// A squad of the world outside keeps a side of eleven with a keeper until the season's turn fills
// it up again: it plays cup ties, and once fielded ten men and no keeper for months after the
// league had bought from it.
bool OutsideLets(int32_t player)
{
    const LightPlayerRecord& p = DbLightPlayers[player - FullPlayerCount];
    const bool keeper = VTW_GetPositionLine(player) == 0;
    int32_t squad = 0;
    int32_t keepers = 0;
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& o = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || o.position == POSITION_MANAGER
            || o.club != p.club || (p.club == CLUB_ORIGIN && o.originWord != p.originWord))
            continue;
        ++squad;
        keepers += VTW_GetPositionLine(id) == 0;
    }
    return squad > OUTSIDE_SELLER_KEEPS && (!keeper || keepers > 1);
}

bool SellerLets(int32_t player, int32_t seller, int32_t fee, bool agreed)
{
    if (player >= FullPlayerCount) return OutsideLets(player);
    if (!IsFullClub(seller)) return true;
    if (!CanHold(seller, fee)) return false;
    // The human agreed the sale himself: only the squad minimum still holds.
    if (agreed && HumanDecides(seller)) return VTW_GetClubSquadCount(seller) > SELLER_KEEPS;
    return ShapeLets(ShapeOf(seller), player);
}

int32_t SigningYears(int32_t player)
{
    return VTW_GetPlayerAge(player) <= 26 ? 3 : VTW_GetPlayerAge(player) <= 30 ? 2 : 1;
}

// Whether the player would sign for the club at the wage he asks.
bool WouldJoin(int32_t player, int32_t club)
{
    const int32_t months = 12 * SigningYears(player);
    const int32_t wage = Contract_Demand(player, months, club, 0, 0);
    return VTW_EvaluateContractOffer(player, months, club, 0, nullptr, wage, 0) != 0;
}

// Moves the player to the club for the fee at the wage he asks, if he would sign.
bool SignAtHisDemand(int32_t player, int32_t club, int32_t fee)
{
    const int32_t months = 12 * SigningYears(player);
    return WouldJoin(player, club)
           && Market_MovePlayer(player, club, fee, false,
                                Contract_Demand(player, months, club, 0, 0), months)
                  >= 0;
}

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
    const bool unpaid = Club_GetTransferBudget(club) < fee;
    if (!accepted || !SellerLets(player, seller, fee, agreed) || unpaid) {
        if (agreed && HumanDecides(seller))
            GameHooks.ShowMessage(GetMessageText(TEXT_SALE_SQUAD_MIN));
        if (agreed && HumanDecides(club))
            TellHumanDealOff(unpaid ? MSG_DEAL_UNPAID : MSG_DEAL_SELLER_KEEPS, *bid, seller, club);
        // Nothing reads a refused row, and the rows would otherwise fill up for good.
        if (info >= 0) MarketState.bidInfo[info] = {-1, 0, 0, {}};
        ClearBid(bid);
        return;
    }
    if (HumanDecides(club)) {
        // Without a free row of talks today the agreed bid waits in its slot: the day's refiling
        // gives it a row once one is free, where clearing it lost the deal without a word.
        bid->state = BID_AGREED;
        Market_AddHumanContract(player, club, TALK_SIGNING);
        return;
    }
    const int32_t years = SigningYears(player);
    const int32_t wage = Contract_Demand(player, 12 * years, club, 0, 0);
    Market_MovePlayer(player, club, fee, bid->kind == BID_LOAN, wage, 12 * years);
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

int32_t DivisionOf(int32_t club)
{
    return std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
}

LineMedians DivisionLineMedians()
{
    constexpr int32_t ABILITY_BINS = 256;
    std::array<std::array<std::array<uint16_t, ABILITY_BINS>, LINE_COUNT>, DIVISION_MAX> counts{};
    std::array<std::array<int32_t, LINE_COUNT>, DIVISION_MAX> totals{};
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id) || !IsFullClub(DbPlayers[id].club)) continue;
        const int32_t division = DivisionOf(DbPlayers[id].club);
        const int32_t line = VTW_GetPositionLine(id);
        ++counts[division][line][std::clamp(VTW_GetPlayerAbilityCurve(id), 0, ABILITY_BINS - 1)];
        ++totals[division][line];
    }
    LineMedians medians{};
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        for (int32_t line = 0; line < LINE_COUNT; ++line) {
            int32_t seen = 0;
            int32_t ability = 0;
            while (ability + 1 < ABILITY_BINS
                   && 2 * (seen + counts[division][line][ability]) <= totals[division][line]) {
                seen += counts[division][line][ability++];
            }
            medians[division][line] = static_cast<uint8_t>(ability);
        }
    }
    return medians;
}

// A club whose budget, at a new career's prices, goes beyond a month of its wages spends it on
// better players.
bool IsRich(int32_t club, const SquadShape& s, int32_t priceLevel)
{
    const int64_t budget = Club_TransferBudgetOf(VTW_GetClubBalance(club), s.wages);
    return budget * 100 / priceLevel > RICH_BUDGET_WEEKS * s.wages;
}

// The line furthest below the division's median, judged by its best player.
int32_t LineToStrengthen(const SquadShape& s, const std::array<uint8_t, LINE_COUNT>& medians)
{
    int32_t weakest = 0;
    int32_t weakestGap = 0;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        const int32_t gap = BestAbility(s, line) - medians[line];
        if (line == 0 || gap < weakestGap) {
            weakest = line;
            weakestGap = gap;
        }
    }
    return weakest;
}

// What the clubs of a window day look at: the division medians and every club's shape, kept up
// to date as players move.
struct MarketDay {
    LineMedians medians;
    std::array<SquadShape, CLUB_FULL_MAX> shapes;
    int32_t priceLevel;  // Market_PriceLevelPercent, read once a round
};

// The market as a round of deals opens.
void OpenMarket(MarketDay& day)
{
    day.medians = DivisionLineMedians();
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        day.shapes[club] = ShapeOf(club);
    }
    day.priceLevel = Market_PriceLevelPercent();
}

// The seller's first demand, at the round's price level.
int32_t FeeOf(int32_t player, const MarketDay& day)
{
    return DemandAt(player, 0, 0, day.priceLevel, nullptr);
}

// The reputation of a light player's club: a small club's, his world club's for a player of
// origin, none for any other.
int32_t OutsideReputation(const LightPlayerRecord& p)
{
    if (p.club >= 0 && p.club < CLUB_ID_COUNT) return VTW_GetClubReputation(p.club);
    const bool origin = p.club == CLUB_ORIGIN && p.originWord >= 0 && p.originWord < TEAM_COUNT;
    return origin ? World.clubs[p.originWord].reputation : 0;
}

// A player whose sale is agreed waits for it: nobody else bids for him meanwhile.
bool OnTheMarket(int32_t id)
{
    const int32_t info = VTW_FindBidInfo(id);
    return info < 0 || MarketState.bidInfo[info].state != BID_AGREED;
}

// The best affordable player of the line whose ability lies within [low, high] and whose club
// would let him go: a club outside the league, like one inside it, sells only to a club of a
// higher reputation. A filler of the league must also be willing to sign: a club that settled on
// one above its name asked him again every time it looked, and a whole league's market stalled
// for seasons. A star, or a player of the world outside, may still turn the club down: signing
// the best who would come lifted the league's mean ability 4 % in two seasons. Its stars
// once went to any club of the league, and its first market lifted the league's mean ability 5 %
// for a dozen seasons. -1 none.
int32_t FindTarget(int32_t buyer, int32_t line, int32_t low, int32_t high, bool filler,
                   const MarketDay& day)
{
    const int32_t reputation = VTW_GetClubReputation(buyer);
    const int32_t budget =
        Club_TransferBudgetOf(VTW_GetClubBalance(buyer), day.shapes[buyer].wages);
    const std::bitset<PERSON_MAX>& moved = MovedThisMonth();
    int32_t best = -1;
    int32_t bestAbility = -1;
    auto consider = [&](int32_t id, int32_t fee) {
        const int32_t ability = VTW_GetPlayerAbilityCurve(id) + Rand() % 6;
        if (fee <= budget && ability > bestAbility
            && (!filler || id >= FullPlayerCount || WouldJoin(id, buyer))) {
            best = id;
            bestAbility = ability;
        }
    };
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id)) continue;
        const PlayerRecord& p = DbPlayers[id];
        const bool free = p.club == CLUB_NONE;
        // A player who asked to move up goes only to a club of a higher division.
        const bool forSale =
            IsFullClub(p.club) && p.club != buyer
            && ((p.flags & PLAYER_ASKED_TRANSFER) ? DivisionOf(buyer) < DivisionOf(p.club)
                                                  : (p.flags & PLAYER_TRANSFER_LISTED)
                                                        || DbClubs[p.club].reputation < reputation);
        if ((!free && !forSale) || p.loanClub >= 0 || moved[id] || !Suits(id, line, low, high)
            || !OnTheMarket(id))
            continue;
        if (free) {
            consider(id, 0);
        } else if (ShapeLets(day.shapes[p.club], id)) {
            const int32_t fee = FeeOf(id, day);
            if (CanHold(p.club, fee)) consider(id, fee);
        }
    }
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    for (int32_t k = 0; k < LIGHT_SAMPLE && lightCount > 0; ++k) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || IsFullClub(p.club) || p.club == CLUB_NONE
            || p.position == POSITION_MANAGER || OutsideReputation(p) >= reputation || moved[id]
            || !Suits(id, line, low, high) || !OnTheMarket(id))
            continue;
        consider(id, FeeOf(id, day));
    }
    return best;
}

// True when a player was signed.
bool Buy(int32_t buyer, MarketDay& day, int32_t line, int32_t low, int32_t high, bool filler)
{
    if (day.shapes[buyer].playing >= SQUAD_MAX) return false;
    const int32_t target = FindTarget(buyer, line, low, high, filler, day);
    if (target < 0) return false;
    const int32_t seller = VTW_GetPlayerClub(target);
    const int32_t fee = seller == CLUB_NONE ? 0 : FeeOf(target, day);
    if (HumanDecides(seller)) {
        // A club asks the human once a window: its need and his price change little from day to
        // day, so it would ask the same sum for the same player again and again.
        if (DbClubs[buyer].askedHuman != 0) return false;
        // The human's own asking price, when he set one, is what the club asks him at.
        const int32_t asking = VTW_GetRecField14(target);
        if (Market_AddHumanSale(target, buyer, 0, asking >= 0 ? asking : fee))
            DbClubs[buyer].askedHuman = static_cast<int16_t>(target);
        return false;
    }
    if (!SellerLets(target, seller, fee, false) || !SignAtHisDemand(target, buyer, fee))
        return false;
    day.shapes[buyer] = ShapeOf(buyer);
    if (IsFullClub(seller)) day.shapes[seller] = ShapeOf(seller);
    return true;
}

// A player who fills a gap: about as good as the squad's middle.
bool BuyFiller(int32_t buyer, int32_t line, MarketDay& day)
{
    const int32_t median = day.shapes[buyer].median;
    return Buy(buyer, day, line, median - 8, median + 12, true);
}

// A player better than most of the squad.
void BuyUpgrade(int32_t buyer, int32_t line, MarketDay& day)
{
    Buy(buyer, day, line, day.shapes[buyer].median + UPGRADE_ABOVE_MEDIAN, 255, false);
}

// The key by which a club or the market lets a player go first: the weakest, the oldest on a tie.
int32_t KeepKey(int32_t id)
{
    return DbPlayers[id].ability * 4 - std::max(0, VTW_GetPlayerAge(id) - 30) * 3;
}

// The squad member the club misses least; -1 none.
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
        if (s.lines[line] <= LINE_MINIMUM[line]) continue;
        const int32_t key = KeepKey(id);
        if (worst < 0 || key < worstKey) {
            worst = id;
            worstKey = key;
        }
    }
    return worst;
}

void Lend(int32_t club, const SquadShape& s, MarketDay& day)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    const std::bitset<PERSON_MAX>& moved = MovedThisMonth();
    int32_t young = -1;
    for (int32_t k = 0; k < count && young < 0; ++k) {
        const int32_t id = members[k];
        const PlayerRecord& p = DbPlayers[id];
        const int32_t line = VTW_GetPositionLine(id);
        if (p.club == club && VTW_GetPlayerAge(id) <= LOAN_AGE_MAX && p.ability < s.median
            && s.lines[line] > LINE_MINIMUM[line] && !moved[id])
            young = id;
    }
    if (young < 0) return;
    const int32_t division = VTW_GetClubDivision(club);
    for (int32_t tries = 0; tries < 8; ++tries) {
        const int32_t borrower = Rand() % LeagueClubs();
        if (VTW_GetClubDivision(borrower) <= division || HumanDecides(borrower)) continue;
        const SquadShape& b = day.shapes[borrower];
        if (b.count >= SQUAD_TARGET_MIN && NeedyLine(b, day.medians[DivisionOf(borrower)]) < 0)
            continue;
        Market_MovePlayer(young, borrower, 0, true, 0, 0);
        day.shapes[club] = ShapeOf(club);
        day.shapes[borrower] = ShapeOf(borrower);
        return;
    }
}

// A full squad lets its weakest go, so that a line under its minimum can be filled.
void MakeRoom(int32_t club)
{
    if (ShapeOf(club).playing < SQUAD_MAX) return;
    const int32_t weakest = Weakest(club, true);
    if (weakest >= 0) Market_Release(weakest);
}

// The best unattached player of the line who would sign for the club at his demand; -1 none.
int32_t BestUnattached(int32_t club, int32_t line)
{
    const std::bitset<PERSON_MAX>& moved = MovedThisMonth();
    int32_t best = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id) || DbPlayers[id].club != CLUB_NONE || VTW_GetPositionLine(id) != line
            || moved[id])
            continue;
        if (best >= 0 && DbPlayers[id].ability <= DbPlayers[best].ability) continue;
        const int32_t months = 12 * SigningYears(id);
        const int32_t wage = Contract_Demand(id, months, club, 0, 0);
        if (VTW_EvaluateContractOffer(id, months, club, 0, nullptr, wage, 0)) best = id;
    }
    return best;
}

// The best unattached player of the line who would sign, signs: false when there is none.
bool SignUnattached(int32_t club, int32_t line)
{
    const int32_t player = BestUnattached(club, line);
    if (player < 0) return false;
    const int32_t years = SigningYears(player);
    return Market_MovePlayer(player, club, 0, false,
                             Contract_Demand(player, 12 * years, club, 0, 0), 12 * years)
           >= 0;
}

// How often a club looks, in days: every day under a line's minimum, every few days short of its
// target, every week or so with a weak line or money to spend, the others now and then.
int32_t LookEveryDays(int32_t club, const SquadShape& s, const MarketDay& day)
{
    if (ShortLine(s, 0) >= 0) return 1;
    if (s.count < SQUAD_TARGET_MIN) return NEEDY_CHANCE;
    const bool needy = NeedyLine(s, day.medians[DivisionOf(club)]) >= 0;
    return needy || IsRich(club, s, day.priceLevel) ? KEEN_CHANCE : ACTING_CHANCE;
}

// The club takes its players off the list, but for those who asked to move up and while it is
// in the red.
void TakeOffTheList(int32_t club)
{
    if (VTW_GetClubBalance(club) < 0) return;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        const PlayerRecord& p = DbPlayers[members[k]];
        if (p.club == club && (p.flags & PLAYER_TRANSFER_LISTED)
            && !(p.flags & PLAYER_ASKED_TRANSFER))
            VTW_PutPlayerOnTxList(members[k], 0);
    }
}

void ClubActs(int32_t club, MarketDay& day)
{
    const SquadShape s = day.shapes[club];
    if (s.count > SQUAD_MAX) {
        const int32_t weakest = Weakest(club, true);
        if (weakest >= 0) Market_Release(weakest);
        return;
    }
    const std::array<uint8_t, LINE_COUNT>& medians = day.medians[DivisionOf(club)];
    const bool rich = IsRich(club, s, day.priceLevel);
    if (s.count > SQUAD_TARGET_MAX) {
        const int32_t weakest = Weakest(club, false);
        if (weakest >= 0) VTW_PutPlayerOnTxList(weakest, 1);
        if (s.count >= LOAN_SURPLUS_FROM) Lend(club, s, day);
        // A rich club keeps improving while it has room; the list makes room again.
        if (rich && s.count < UPGRADE_SQUAD_MAX)
            BuyUpgrade(club, LineToStrengthen(s, medians), day);
        return;
    }
    const int32_t line = NeedyLine(s, medians);
    if (line >= 0) {
        // A line under its minimum can wait neither for room in the squad nor for the right
        // player.
        const bool urgent = ShortLine(s, 0) == line;
        if (urgent) {
            MakeRoom(club);
            day.shapes[club] = ShapeOf(club);
        }
        if (!BuyFiller(club, line, day) && urgent) SignUnattached(club, line);
    } else if (rich) {
        BuyUpgrade(club, LineToStrengthen(s, medians), day);
    } else if (Rand() % 3 == 0) {
        BuyFiller(club, Rand() % LINE_COUNT, day);
    } else if (s.count >= LOAN_SURPLUS_FROM) {
        Lend(club, s, day);
    }
}

void ComputerMarket()
{
    MarketDay day;
    OpenMarket(day);
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (HumanDecides(club)) continue;
        const SquadShape& s = day.shapes[club];
        if (Rand() % LookEveryDays(club, s, day) == 0) {
            ClubActs(club, day);
            day.shapes[club] = ShapeOf(club);
        }
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

// With the loans back, a squad beyond the maximum lets its weakest go.
void ReleaseBeyondMaximum()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        for (int32_t count = ShapeOf(club).count; count > SQUAD_MAX; --count) {
            const int32_t weakest = Weakest(club, true);
            if (weakest < 0) break;
            Market_Release(weakest);
        }
    }
}

// The loans are over: a squad left short of players, or of a line, signs unattached players.
void FillShortSquads()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (HumanDecides(club)) continue;
        int32_t line = ShortLine(ShapeOf(club), SELLER_KEEPS);
        while (line >= 0) {
            MakeRoom(club);
            if (!SignUnattached(club, line)) break;
            line = ShortLine(ShapeOf(club), SELLER_KEEPS);
        }
    }
}

// The league's club of the highest reputation: a player it could not sign, no club of the league
// could.
int32_t MostReputedClub()
{
    int32_t best = 0;
    for (int32_t club = 1; club < LeagueClubs(); ++club) {
        if (VTW_GetClubReputation(club) > VTW_GetClubReputation(best)) best = club;
    }
    return best;
}

// The unattached players nobody signed leave the game: at once those no club of the league could
// sign, then the weakest beyond `limit`. A star who had outgrown every club of his league refused
// them all for a decade, the best free man of his line, whom every rich club chose and lost: with
// two such men the league's market fell to about a transfer a club a season.
void TrimUnattached(int32_t limit)
{
    const int32_t mostReputed = MostReputedClub();
    std::array<int16_t, PLAYER_FULL_MAX> pool;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id) || DbPlayers[id].club != CLUB_NONE) continue;
        if (WouldJoin(id, mostReputed)) {
            pool[n++] = static_cast<int16_t>(id);
        } else {
            PlayerLife_Retire(id);
        }
    }
    std::sort(pool.begin(), pool.begin() + n, [](int16_t a, int16_t b) {
        return KeepKey(a) != KeepKey(b) ? KeepKey(a) < KeepKey(b) : a < b;
    });
    // Nobody here belongs to a club: the clubs' member lists stand as they are.
    for (int32_t k = 0; k < n - limit; ++k) {
        PlayerLife_Retire(pool[k]);
    }
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

// A player good enough for a regular place at the top (his line's median there) asks a club
// below it to let him go, and one who no longer is withdraws his request: the best players
// gather in the top division instead of growing old below it. One without a league club has no
// club to ask, though a career saved while a release kept the request holds some.
void AskToMoveUp()
{
    const std::array<uint8_t, LINE_COUNT> top = DivisionLineMedians()[0];
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!IsActiveFull(id)) continue;
        PlayerRecord& p = DbPlayers[id];
        const bool asks = IsFullClub(p.club) && DivisionOf(p.club) > 0 && !HumanDecides(p.club)
                          && VTW_GetPlayerAbilityCurve(id) >= top[VTW_GetPositionLine(id)];
        if (asks == bool(p.flags & PLAYER_ASKED_TRANSFER)) continue;
        VTW_PutPlayerOnTxList(id, asks);
        p.flags ^= PLAYER_ASKED_TRANSFER;
    }
}

// The weakest of the buyer's line, offered to the seller in part exchange when he is worth less
// than the fee and would sign for it: both squads keep their size and their lines. -1 none.
int32_t PartExchange(int32_t buyer, int32_t seller, int32_t line, int32_t fee, const MarketDay& day)
{
    const int32_t part = day.shapes[buyer].worst[line];
    return part >= 0 && !MovedThisMonth()[part] && FeeOf(part, day) < fee && WouldJoin(part, seller)
               ? part
               : -1;
}

// What a top club's board lets it spend on the best from below: all beyond a season's wages. The
// transfer budget keeps back 125 weeks, which leaves most top clubs nothing to spend while their
// money piles up.
int64_t SpendableAtTheTurn(int32_t club, const SquadShape& s)
{
    return int64_t(VTW_GetClubBalance(club)) - BOARD_WAGE_WEEKS_KEPT * s.wages;
}

// The top club with the most to spend, whom he would improve, who has room for him or a part
// exchange, and who can pay the fee less that part exchange; -1 none. The best go where the
// money is: sent to the clubs weakest in their line, they evened out the top division until its
// table followed strength far less.
int32_t TopBuyerFor(int32_t player, const MarketDay& day,
                    const std::array<int32_t, CLUB_FULL_MAX>& signings)
{
    const int32_t seller = DbPlayers[player].club;
    const int32_t line = VTW_GetPositionLine(player);
    const int32_t ability = VTW_GetPlayerAbilityCurve(player);
    const int32_t fee = FeeOf(player, day);
    int32_t buyer = -1;
    int64_t buyerSpendable = 0;
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        const SquadShape& s = day.shapes[club];
        if (DivisionOf(club) != 0 || HumanDecides(club) || signings[club] >= SIGNED_FROM_BELOW_MAX
            || ability <= s.median || !WouldJoin(player, club))
            continue;
        const int32_t part = PartExchange(club, seller, line, fee, day);
        if (part < 0 && s.playing >= SQUAD_MAX) continue;
        const int32_t cash = fee - (part >= 0 ? FeeOf(part, day) : 0);
        const int64_t spendable = SpendableAtTheTurn(club, s);
        if (spendable < cash || (buyer >= 0 && spendable <= buyerSpendable)) continue;
        buyer = club;
        buyerSpendable = spendable;
    }
    return buyer;
}

// Both moves of a signing from below. The fixtures are still the last season's, whose cup ties
// have lapsed.
void SignFromBelow(int32_t player, int32_t buyer, MarketDay& day)
{
    const int32_t seller = DbPlayers[player].club;
    const int32_t fee = FeeOf(player, day);
    const int32_t part = PartExchange(buyer, seller, VTW_GetPositionLine(player), fee, day);
    if (!CanHold(seller, fee) || !SignAtHisDemand(player, buyer, fee)) return;
    DbPlayers[player].cupTied = 0;
    if (part >= 0 && SignAtHisDemand(part, seller, FeeOf(part, day))) DbPlayers[part].cupTied = 0;
    day.shapes[buyer] = ShapeOf(buyer);
    day.shapes[seller] = ShapeOf(seller);
}

// At the season's turn the top division's clubs sign those below who asked to move up, the
// best first: promotion and relegation alone would leave the best players wherever their clubs
// fall.
void SignTheBestFromBelow()
{
    const std::bitset<PERSON_MAX>& moved = MovedThisMonth();
    std::array<int16_t, PLAYER_FULL_MAX> asking;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (IsActiveFull(id) && IsFullClub(p.club) && (p.flags & PLAYER_ASKED_TRANSFER)
            && p.loanClub < 0 && !moved[id])
            asking[n++] = static_cast<int16_t>(id);
    }
    std::sort(asking.begin(), asking.begin() + n, [](int16_t a, int16_t b) {
        return DbPlayers[a].ability != DbPlayers[b].ability
                   ? DbPlayers[a].ability > DbPlayers[b].ability
                   : a < b;
    });
    MarketDay day;
    OpenMarket(day);
    std::array<int32_t, CLUB_FULL_MAX> signings{};
    for (int32_t k = 0; k < n; ++k) {
        const int32_t player = asking[k];
        const int32_t buyer = TopBuyerFor(player, day, signings);
        if (buyer < 0 || !ShapeLets(day.shapes[DbPlayers[player].club], player)) continue;
        SignFromBelow(player, buyer, day);
        ++signings[buyer];
    }
}

// The light players of each club id, counted once for a whole round of sales.
std::vector<int32_t> LightSquadSizes()
{
    std::vector<int32_t> sizes(CLUB_ID_COUNT);
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (!(DbPersons[id].flags & (PERSON_FREE | PERSON_RETIRED))
            && p.position != POSITION_MANAGER && p.club >= 0 && p.club < CLUB_ID_COUNT)
            ++sizes[p.club];
    }
    return sizes;
}

// A club outside the league with room and a player about as good as he is, found among
// LIGHT_SAMPLE light players drawn at random: a team of his level; -1 none.
int32_t OutsideClubOfHisLevel(int32_t player, const std::vector<int32_t>& squadSizes)
{
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    const int32_t ability = DbPlayers[player].ability;
    for (int32_t k = 0; k < LIGHT_SAMPLE && lightCount > 0; ++k) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || p.club < 0 || p.club >= CLUB_ID_COUNT
            || IsFullClub(p.club) || p.position == POSITION_MANAGER
            || std::abs(p.ability - ability) > ABROAD_LEVEL_GAP)
            continue;
        if (squadSizes[p.club] < SQUAD_MAX) return p.club;
    }
    return -1;
}

}  // namespace

// The world outside buys back as many players as the league signed from it over the season, so
// that the flow both ways balances: the players the computer clubs listed, those they miss least
// first, each to a club of his level for his fee. It pays with what the
// league paid it, so that the trade brings the league no money it did not send out. After the
// world outside's squads are whole again, so that the light ids they need are not taken.
void Market_SellToTheWorldOutside()
{
    int32_t wanted = MarketState.signedFromOutside;
    MarketState.signedFromOutside = 0;
    const std::bitset<PERSON_MAX>& moved = MovedThisMonth();
    std::array<int16_t, PLAYER_FULL_MAX> listed;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (IsActiveFull(id) && IsFullClub(p.club) && !HumanDecides(p.club) && p.loanClub < 0
            && !moved[id] && (p.flags & PLAYER_TRANSFER_LISTED)
            && !(p.flags & PLAYER_ASKED_TRANSFER))
            listed[n++] = static_cast<int16_t>(id);
    }
    std::sort(listed.begin(), listed.begin() + n, [](int16_t a, int16_t b) {
        return KeepKey(a) != KeepKey(b) ? KeepKey(a) < KeepKey(b) : a < b;
    });
    // The squads as the sales leave them, kept by hand: a listed player is never his line's best,
    // which is all a shape needs besides its counts.
    std::vector<int32_t> outsideSizes = LightSquadSizes();
    MarketDay day;
    OpenMarket(day);
    std::array<bool, CLUB_FULL_MAX> sold{};
    for (int32_t k = 0; k < n && wanted > 0; ++k) {
        const int32_t player = listed[k];
        const int32_t fee = FeeOf(player, day);
        const int32_t line = VTW_GetPositionLine(player);
        SquadShape& shape = day.shapes[DbPlayers[player].club];
        if (fee > Club_GetOutsideBalance() || !ShapeLets(shape, player)) continue;
        const int32_t buyer = OutsideClubOfHisLevel(player, outsideSizes);
        int32_t seller = CLUB_NONE;
        if (buyer < 0 || SellAbroadLeavingTheTeam(player, buyer, fee, &seller) < 0) continue;
        --wanted;
        ++outsideSizes[buyer];
        --shape.count;
        --shape.playing;
        --shape.lines[line];
        sold[seller] = true;
    }
    // The listings the world outside left are withdrawn; the clubs list again as their squads
    // pass their target. A listing once stayed for good, and by the tenth season a third of the
    // league's players stood on the list, for sale to any club, so the market kept growing.
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        if (sold[club]) MarkClubChanged(club);
        if (!HumanDecides(club)) TakeOffTheList(club);
    }
}

namespace {

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
    return ShapeOf(club).lines[line] <= LINE_MINIMUM[line];
}

bool Market_LineNeedsHim(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    if (!IsFullClub(club) || !IsActiveFull(player)) return false;
    const int32_t line = VTW_GetPositionLine(player);
    const int32_t months = DbPlayers[player].contractMonths;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    int32_t staying = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t id = members[k];
        if (id == player || !IsActiveFull(id) || DbPlayers[id].club != club
            || VTW_GetPositionLine(id) != line)
            continue;
        const int32_t theirs = DbPlayers[id].contractMonths;
        staying += theirs == 0 || theirs > months;
    }
    return staying < LINE_MINIMUM[line];
}

bool Market_SignReplacement(int32_t club, int32_t line)
{
    if (!IsFullClub(club) || HumanDecides(club) || line < 0 || line >= LINE_COUNT
        || !Market_WindowOpen())
        return false;
    MakeRoom(club);
    if (SignUnattached(club, line)) return true;
    MarketDay day;
    OpenMarket(day);
    return BuyFiller(club, line, day);
}

void Market_CoverShortLines(int32_t club)
{
    if (!IsFullClub(club) || HumanDecides(club)) return;
    // A line under its minimum could not field a side before the daily market's next look, and
    // that market may find nobody: a youth covers what a signing cannot, in a window or out.
    for (int32_t calls = 0; calls < LINE_COUNT; ++calls) {
        const int32_t line = ShortLine(ShapeOf(club), 0);
        if (line < 0) return;
        if (!Market_SignReplacement(club, line) && PlayerLife_CallUpYouth(club) < 0) return;
    }
}

bool Market_WindowOpen()
{
    for (const auto& closed : GameState.closedTransfer) {
        if (DayNo >= closed[0] && DayNo <= closed[1]) return false;
    }
    return true;
}

int32_t Market_UnattachedCount() { return UnattachedCount(); }

namespace {

// A shut window ends the clubs' asks of the human: the next window may ask him again.
void ForgetAsksOfTheHuman()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        DbClubs[club].askedHuman = 0;
    }
}

}  // namespace

// The human's lists are emptied before every day, so agreed signings whose talks were left
// undecided are filed again: otherwise their bids would hold his bid slots for good.
void RefileHumanSignings()
{
    const int32_t club = GameState.humanClub;
    if (!HumanDecides(club)) return;
    for (const ClubBid& bid : DbClubs[club].bids) {
        if (bid.player >= 0 && bid.state == BID_AGREED)
            Market_AddHumanContract(bid.player, club, TALK_SIGNING);
    }
}

void Market_DailyStage()
{
    AnswerBids();
    RefileHumanSignings();
    if (Market_WindowOpen()) {
        ComputerMarket();
    } else {
        ForgetAsksOfTheHuman();
    }
    HumanRenewalTalks();
    if (GameState.dayOfMonth == 1) TrimUnattached(UNATTACHED_CEILING);
}

void Market_NewSeason()
{
    EndLoans();
    ReleaseBeyondMaximum();
    TrimUnattached(UNATTACHED_KEPT);
    TopUpUnattached();
    FillShortSquads();
    AskToMoveUp();
    SignTheBestFromBelow();
    Managers_SetBoardTargets();
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        VTW_UpdateTeam(club);
    }
}

bool Market_CheckSaved(const void* block)
{
    const auto& state = *static_cast<const MarketStateRecord*>(block);
    const auto isPlayer = [](int32_t id) { return SaveCheck_InRange(id, -1, PERSON_MAX - 1); };
    const auto isClub = [](int32_t club) { return SaveCheck_InRange(club, -1, CLUB_ID_COUNT - 1); };
    bool valid = isClub(state.jobOfferClub) && isClub(state.offerClub)
                 && SaveCheck_InRange(state.offerDayB, -1, 365)
                 && SaveCheck_InRange(state.sackedDay, -1, 365);
    for (const BidInfoRow& row : state.bidInfo) {
        valid = valid && isPlayer(row.player) && SaveCheck_InRange(row.day, -1, 365);
    }
    for (const SaleRequestRow& row : state.sales) {
        valid = valid && isPlayer(row.player) && isClub(row.club);
    }
    for (const ContractTalkRow& row : state.talks) {
        valid = valid && isPlayer(row.player) && isClub(row.club);
    }
    for (const int16_t id : state.recent) {
        valid = valid && isPlayer(id);
    }
    for (const auto& role : state.staff) {
        for (const StaffCandidate& candidate : role) {
            valid = valid && candidate.nameIndex < NAMES_ENTRY_COUNT;
        }
    }
    return valid;
}
