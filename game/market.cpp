// game/market.cpp: the market's clubs and players: the moves of players between clubs, the
// squads' shapes, the sellers' consent, the market's saved state and its daily stage.
#include "game/market.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <iterator>

#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/market_internal.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/transfers.h"
#include "game/world.h"

MarketStateRecord MarketState;

namespace {

constexpr int32_t OUTSIDE_SELLER_KEEPS = 11;
constexpr int32_t CLUB_MEMBERS_MAX = 64;  // beyond any squad the market lets a club reach

// The club money goes to or comes from: a full club, else the world outside.
int32_t MoneyClub(int32_t club) { return Market_IsFullClub(club) ? club : CLUB_NONE; }

}  // namespace

int32_t Market_ClampMoney(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, MARKET_MONEY_MAX));
}

bool Market_HumanDecides(int32_t club)
{
    return club >= 0 && club == GameState.humanClub && AutoRunMode == 0
           && VTW_GetClubController(club) == MANAGER_HUMAN;
}

bool Market_CanHold(int32_t seller, int32_t fee)
{
    return !Market_IsFullClub(seller) || int64_t(DbClubs[seller].balance) + fee <= BALANCE_MAX;
}

MarketSquadShape Market_ShapeOf(int32_t club)
{
    MarketSquadShape s{};
    s.best.fill(-1);
    s.worst.fill(-1);
    const int16_t* members = nullptr;
    const int32_t memberCount = Records_ClubMembers(club, &members);
    std::array<uint8_t, CLUB_MEMBERS_MAX> abilities{};
    for (int32_t k = 0; k < memberCount; ++k) {
        const int32_t id = members[k];
        if (!Market_IsActiveFull(id)) continue;
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

int32_t Market_ShortLine(const MarketSquadShape& s, int32_t size)
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

// ---- Once a month.

namespace {

// The players on the transfer list in the present month, read again whenever the list or the
// month has changed since: a computer club neither buys nor sells, lends, signs or sends abroad a
// player who changed club this month, so that he plays for his club before anyone buys him on.
// His loan's end is no change of club.
struct MonthMoves {
    int32_t rows;
    TransferRecordRow last;  // the list's last row when read, which a loaded list need not share
    uint32_t revision;       // rows of players who left name other ids when their ids are given
    uint8_t month;
    uint16_t year;
    std::bitset<PERSON_MAX> moved;
};

MonthMoves s_monthMoves;

}  // namespace

const std::bitset<PERSON_MAX>& Market_MovedThisMonth()
{
    MonthMoves& m = s_monthMoves;
    const int32_t rows = Transfers_Count();
    const TransferRecordRow last =
        rows > 0 ? *VTW_GetTransferRecord(rows - 1) : TransferRecordRow{};
    if (m.rows == rows && m.revision == Transfers_Revision() && m.month == GameState.month
        && m.year == GameState.year && std::memcmp(&m.last, &last, sizeof last) == 0)
        return m.moved;
    m = {rows, last, Transfers_Revision(), GameState.month, GameState.year, {}};
    for (int32_t n = rows - 1; n >= 0; --n) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(n);
        if (row.month != GameState.month || row.year != GameState.year % 100) break;
        if (row.player >= 0 && row.player < PERSON_MAX) m.moved.set(row.player);
    }
    return m.moved;
}

namespace {

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

}  // namespace

void Market_MarkClubChanged(int32_t club)
{
    if (Market_IsFullClub(club)) VTW_UpdateTeam(club);
    if (club >= 0 && club == GameState.humanClub) VTW_SyncTrainingBuffer();
}

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
    if (!loan && !Market_CanHold(seller, paid)) return -1;
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
    ClubRecord_KeepTransfer(id, seller, buyer, paid, loan, abroad ? p->originWord : -1);
    if (Market_IsFullClub(seller)) CupTie(id, seller, p);
    VTW_AddClubLog(id, CareerLog_ClubPlayedFor(id), loan ? CAREERLOG_LOAN : CAREERLOG_TRANSFER);
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
    Market_ClearBidsFor(id);
    GameHooks.NewsPlayerMoved(id, seller, buyer, paid, loan ? 1 : 0);
    Market_PlayerLeft(seller);
    Market_MarkClubChanged(buyer);
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

// The sale without the seller's team made up again: the sales of the season's turn make each
// seller's team up once, after the last of them, instead of rebuilding the clubs' member index
// for every sale.
int32_t Market_SellAbroadLeavingTheTeam(int32_t player, int32_t buyer, int32_t fee, int32_t* seller)
{
    FormerPlayers_Settle(FORMER_POOL_LIGHT);
    const int32_t lightId = FreeLightId();
    if (lightId < 0 || !Market_IsActiveFull(player) || Market_IsFullClub(buyer) || buyer < 0
        || buyer >= CLUB_ID_COUNT)
        return -1;
    PlayerRecord& p = DbPlayers[player];
    *seller = p.club;
    if (!Market_CanHold(*seller, fee)) return -1;
    Club_Book(buyer, CLUB_FIG_SIGNINGS, fee);
    Club_Book(MoneyClub(*seller), CLUB_FIG_SALES, fee);
    VTW_AddClubLog(player, CareerLog_ClubPlayedFor(player), CAREERLOG_TRANSFER);
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
    FormerPlayers_IdFreed(FORMER_POOL_FULL);
    PlayerLife_FreshRecord(player);
    Transfers_Add(MoneyClub(*seller), buyer, lightId, 0, fee);
    ClubRecord_KeepTransfer(lightId, *seller, buyer, fee, false);
    Records_MembershipChanged();
    GameHooks.NewsPlayerMoved(lightId, *seller, buyer, fee, 0);
    return lightId;
}

int32_t Market_SellAbroad(int32_t player, int32_t buyer, int32_t fee)
{
    int32_t seller = CLUB_NONE;
    const int32_t lightId = Market_SellAbroadLeavingTheTeam(player, buyer, fee, &seller);
    if (lightId >= 0) Market_PlayerLeft(seller);
    return lightId;
}

// Releases a full player to the unattached pool.
void Market_Release(int32_t player)
{
    PlayerRecord* p = &DbPlayers[player];
    const int32_t club = p->club;
    VTW_AddClubLog(player, CareerLog_ClubPlayedFor(player), CAREERLOG_RELEASED);
    p->club = CLUB_NONE;
    p->shirt = 0;
    p->wage = 0;
    p->contractMonths = 0;
    p->flags &= ~PLAYER_CLUB_FLAGS;
    Records_MemberMoved(player);
    Market_ClearBidsFor(player);
    Market_MarkClubChanged(club);
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
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        DbClubs[club].boardPatience = 0;
    }
    Managers_SetBoardTargets();
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
    FormerPlayers_Settle(FORMER_POOL_FULL);
    PlayerLife_FreshRecord(id);  // nothing of the freed id's last holder is his
    DbPersons[id] = *ref.person;
    DbPersons[id].flags = 0;
    PlayerRecord& p = DbPlayers[id];
    p.club = light.club;
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
    FormerPlayers_IdFreed(FORMER_POOL_LIGHT);
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

// The seller keeps its minimum squad and lines, and its best player of the line unless he asked
// to move up.
bool Market_ShapeLets(const MarketSquadShape& s, int32_t player)
{
    const int32_t line = VTW_GetPositionLine(player);
    const bool asked = DbPlayers[player].flags & PLAYER_ASKED_TRANSFER;
    return s.count > SELLER_KEEPS && s.lines[line] > LINE_MINIMUM[line]
           && (s.best[line] != player || asked);
}

// A squad of the world outside keeps a side of eleven with a keeper until the season's turn fills
// it up again: it plays cup ties, and once fielded ten men and no keeper for months after the
// league had bought from it.
namespace {

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

}  // namespace

bool Market_SellerLets(int32_t player, int32_t seller, int32_t fee, bool agreed)
{
    if (player >= FullPlayerCount) return OutsideLets(player);
    if (!Market_IsFullClub(seller)) return true;
    if (!Market_CanHold(seller, fee)) return false;
    // The human agreed the sale himself: only the squad minimum still holds.
    if (agreed && Market_HumanDecides(seller)) return VTW_GetClubSquadCount(seller) > SELLER_KEEPS;
    return Market_ShapeLets(Market_ShapeOf(seller), player);
}

int32_t Market_SigningYears(int32_t player)
{
    return VTW_GetPlayerAge(player) <= 26 ? 3 : VTW_GetPlayerAge(player) <= 30 ? 2 : 1;
}

// Whether the player would sign for the club at the wage he asks.
bool Market_WouldJoin(int32_t player, int32_t club)
{
    const int32_t months = 12 * Market_SigningYears(player);
    const int32_t wage = Contract_Demand(player, months, club, 0, 0);
    return VTW_EvaluateContractOffer(player, months, club, 0, nullptr, wage, 0) != 0;
}

// Moves the player to the club for the fee at the wage he asks, if he would sign.
bool Market_SignAtHisDemand(int32_t player, int32_t club, int32_t fee)
{
    const int32_t months = 12 * Market_SigningYears(player);
    return Market_WouldJoin(player, club)
           && Market_MovePlayer(player, club, fee, false,
                                Contract_Demand(player, months, club, 0, 0), months)
                  >= 0;
}

int32_t Market_DivisionOf(int32_t club)
{
    return std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
}

MarketLineMedians Market_DivisionLineMedians()
{
    constexpr int32_t ABILITY_BINS = 256;
    std::array<std::array<std::array<uint16_t, ABILITY_BINS>, LINE_COUNT>, DIVISION_MAX> counts{};
    std::array<std::array<int32_t, LINE_COUNT>, DIVISION_MAX> totals{};
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!Market_IsActiveFull(id) || !Market_IsFullClub(DbPlayers[id].club)) continue;
        const int32_t division = Market_DivisionOf(DbPlayers[id].club);
        const int32_t line = VTW_GetPositionLine(id);
        ++counts[division][line][std::clamp(VTW_GetPlayerAbilityCurve(id), 0, ABILITY_BINS - 1)];
        ++totals[division][line];
    }
    MarketLineMedians medians{};
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

void Market_OpenMarket(MarketDay& day)
{
    day.medians = Market_DivisionLineMedians();
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        day.shapes[club] = Market_ShapeOf(club);
    }
    day.priceLevel = Market_PriceLevelPercent();
}

int32_t Market_FeeOf(int32_t player, const MarketDay& day)
{
    return Market_DemandAt(player, 0, 0, day.priceLevel, nullptr);
}

namespace {

// Once a month the human is asked about his players with six months or less to run.
void HumanRenewalTalks()
{
    const int32_t club = GameState.humanClub;
    if (!Market_HumanDecides(club) || GameState.dayOfMonth != 1) return;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    for (int32_t k = 0; k < count; ++k) {
        const PlayerRecord& p = DbPlayers[members[k]];
        if (p.club == club && p.contractMonths <= 6 && p.contractMonths > 0)
            Market_AddHumanContract(members[k], club, TALK_RENEWAL);
    }
}

}  // namespace

bool Market_LineAtMinimum(int32_t club, int32_t line)
{
    if (!Market_IsFullClub(club) || line < 0 || line >= LINE_COUNT) return false;
    return Market_ShapeOf(club).lines[line] <= LINE_MINIMUM[line];
}

bool Market_LineNeedsHim(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    if (!Market_IsFullClub(club) || !Market_IsActiveFull(player)) return false;
    const int32_t line = VTW_GetPositionLine(player);
    const int32_t months = DbPlayers[player].contractMonths;
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    int32_t staying = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t id = members[k];
        if (id == player || !Market_IsActiveFull(id) || DbPlayers[id].club != club
            || VTW_GetPositionLine(id) != line)
            continue;
        const int32_t theirs = DbPlayers[id].contractMonths;
        staying += theirs == 0 || theirs > months;
    }
    return staying < LINE_MINIMUM[line];
}

bool Market_WindowOpen()
{
    for (const auto& closed : GameState.closedTransfer) {
        if (DayNo >= closed[0] && DayNo <= closed[1]) return false;
    }
    return true;
}

void Market_DailyStage()
{
    Market_AnswerBids();
    Market_RefileHumanSignings();
    if (Market_WindowOpen()) {
        Market_ComputerMarket();
    } else {
        Market_ForgetAsksOfTheHuman();
    }
    HumanRenewalTalks();
    if (GameState.dayOfMonth == 1) Market_TrimUnattached(UNATTACHED_CEILING);
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
