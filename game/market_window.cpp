// game/market_window.cpp: the computer clubs' signings, loans and listings on the days the
// transfer windows are open, and the cover of a line left short.
#include <algorithm>
#include <array>
#include <bitset>

#include "engine/random.h"
#include "game/funcs.h"
#include "game/market.h"
#include "game/market_internal.h"
#include "game/season.h"
#include "game/world.h"

namespace {

constexpr int32_t ACTING_CHANCE = 18;  // one computer club in this many acts on a window day
constexpr int32_t NEEDY_CHANCE = 3;
constexpr int32_t KEEN_CHANCE = 9;
constexpr int32_t UPGRADE_ABOVE_MEDIAN = 1;  // a rich club's signing beats most of its squad
constexpr int32_t UPGRADE_SQUAD_MAX = 28;    // beyond it, a rich club sells before it buys
constexpr int32_t LOAN_AGE_MAX = 21;
constexpr int32_t LOAN_SURPLUS_FROM = 24;
constexpr int32_t RICH_BUDGET_WEEKS = 4;  // a budget beyond this many weeks' wages is spent

int32_t BestAbility(const MarketSquadShape& s, int32_t line)
{
    return s.best[line] >= 0 ? VTW_GetPlayerAbilityCurve(s.best[line]) : 0;
}

// A line under its minimum, a line whose best player is below the division's median for the
// line, or the thinnest line of a squad under its target; -1 none.
int32_t NeedyLine(const MarketSquadShape& s, const std::array<uint8_t, LINE_COUNT>& medians)
{
    const int32_t belowMinimum = Market_ShortLine(s, 0);
    if (belowMinimum >= 0) return belowMinimum;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (BestAbility(s, line) < medians[line]) return line;
    }
    return Market_ShortLine(s, SQUAD_TARGET_MIN);
}

bool Suits(int32_t id, int32_t line, int32_t low, int32_t high)
{
    if (VTW_GetPositionLine(id) != line) return false;
    const int32_t ability = VTW_GetPlayerAbilityCurve(id);
    return ability >= low && ability <= high;
}

// A club whose budget, at a new career's prices, goes beyond a month of its wages spends it on
// better players.
bool IsRich(int32_t club, const MarketSquadShape& s, int32_t priceLevel)
{
    const int64_t budget = Club_TransferBudgetOf(VTW_GetClubBalance(club), s.wages);
    return budget * 100 / priceLevel > RICH_BUDGET_WEEKS * s.wages;
}

// The line furthest below the division's median, judged by its best player.
int32_t LineToStrengthen(const MarketSquadShape& s, const std::array<uint8_t, LINE_COUNT>& medians)
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
    const std::bitset<PERSON_MAX>& moved = Market_MovedThisMonth();
    // The league's size read once, not for each of the thousands of players looked at.
    const int32_t leagueClubs = Market_LeagueClubs();
    const auto isFullClub = [leagueClubs](int32_t club) { return club >= 0 && club < leagueClubs; };
    int32_t best = -1;
    int32_t bestAbility = -1;
    auto consider = [&](int32_t id, int32_t fee) {
        const int32_t ability = VTW_GetPlayerAbilityCurve(id) + Rand() % 6;
        if (fee <= budget && ability > bestAbility
            && (!filler || id >= FullPlayerCount || Market_WouldJoin(id, buyer))) {
            best = id;
            bestAbility = ability;
        }
    };
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!Market_IsActiveFull(id)) continue;
        const PlayerRecord& p = DbPlayers[id];
        const bool free = p.club == CLUB_NONE;
        // A player who asked to move up goes only to a club of a higher division.
        const bool forSale = isFullClub(p.club) && p.club != buyer
                             && ((p.flags & PLAYER_ASKED_TRANSFER)
                                     ? Market_DivisionOf(buyer) < Market_DivisionOf(p.club)
                                     : (p.flags & PLAYER_TRANSFER_LISTED)
                                           || DbClubs[p.club].reputation < reputation);
        if ((!free && !forSale) || p.loanClub >= 0 || moved[id] || !Suits(id, line, low, high)
            || !OnTheMarket(id))
            continue;
        if (free) {
            consider(id, 0);
        } else if (Market_ShapeLets(day.shapes[p.club], id)) {
            const int32_t fee = Market_FeeOf(id, day);
            if (Market_CanHold(p.club, fee)) consider(id, fee);
        }
    }
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    for (int32_t k = 0; k < LIGHT_SAMPLE && lightCount > 0; ++k) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || isFullClub(p.club) || p.club == CLUB_NONE
            || p.position == POSITION_MANAGER || OutsideReputation(p) >= reputation || moved[id]
            || !Suits(id, line, low, high) || !OnTheMarket(id))
            continue;
        consider(id, Market_FeeOf(id, day));
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
    const int32_t fee = seller == CLUB_NONE ? 0 : Market_FeeOf(target, day);
    if (Market_HumanDecides(seller)) {
        // A club asks the human once a window: its need and his price change little from day to
        // day, so it would ask the same sum for the same player again and again.
        if (DbClubs[buyer].askedHuman != 0) return false;
        // The human's own asking price, when he set one, is what the club asks him at.
        const int32_t asking = VTW_GetRecField14(target);
        if (Market_AddHumanSale(target, buyer, 0, asking >= 0 ? asking : fee))
            DbClubs[buyer].askedHuman = static_cast<int16_t>(target);
        return false;
    }
    if (!Market_SellerLets(target, seller, fee, false)
        || !Market_SignAtHisDemand(target, buyer, fee))
        return false;
    day.shapes[buyer] = Market_ShapeOf(buyer);
    if (Market_IsFullClub(seller)) day.shapes[seller] = Market_ShapeOf(seller);
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

void Lend(int32_t club, const MarketSquadShape& s, MarketDay& day)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    const std::bitset<PERSON_MAX>& moved = Market_MovedThisMonth();
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
        const int32_t borrower = Rand() % Market_LeagueClubs();
        if (VTW_GetClubDivision(borrower) <= division || Market_HumanDecides(borrower)) continue;
        const MarketSquadShape& b = day.shapes[borrower];
        if (b.count >= SQUAD_TARGET_MIN
            && NeedyLine(b, day.medians[Market_DivisionOf(borrower)]) < 0)
            continue;
        Market_MovePlayer(young, borrower, 0, true, 0, 0);
        day.shapes[club] = Market_ShapeOf(club);
        day.shapes[borrower] = Market_ShapeOf(borrower);
        return;
    }
}

// The best unattached player of the line who would sign for the club at his demand; -1 none.
int32_t BestUnattached(int32_t club, int32_t line)
{
    const std::bitset<PERSON_MAX>& moved = Market_MovedThisMonth();
    int32_t best = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!Market_IsActiveFull(id) || DbPlayers[id].club != CLUB_NONE
            || VTW_GetPositionLine(id) != line || moved[id])
            continue;
        if (best >= 0 && DbPlayers[id].ability <= DbPlayers[best].ability) continue;
        const int32_t months = 12 * Market_SigningYears(id);
        const int32_t wage = Contract_Demand(id, months, club, 0, 0);
        if (VTW_EvaluateContractOffer(id, months, club, 0, nullptr, wage, 0)) best = id;
    }
    return best;
}

// How often a club looks, in days: every day under a line's minimum, every few days short of its
// target, every week or so with a weak line or money to spend, the others now and then.
int32_t LookEveryDays(int32_t club, const MarketSquadShape& s, const MarketDay& day)
{
    if (Market_ShortLine(s, 0) >= 0) return 1;
    if (s.count < SQUAD_TARGET_MIN) return NEEDY_CHANCE;
    const bool needy = NeedyLine(s, day.medians[Market_DivisionOf(club)]) >= 0;
    return needy || IsRich(club, s, day.priceLevel) ? KEEN_CHANCE : ACTING_CHANCE;
}

}  // namespace

// The key by which a club or the market lets a player go first: the weakest, the oldest on a tie.
int32_t Market_KeepKey(int32_t id)
{
    return DbPlayers[id].ability * 4 - std::max(0, VTW_GetPlayerAge(id) - 30) * 3;
}

// The squad member the club misses least; -1 none.
int32_t Market_Weakest(int32_t club, bool listedToo)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    const MarketSquadShape s = Market_ShapeOf(club);
    int32_t worst = -1;
    int32_t worstKey = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t id = members[k];
        const PlayerRecord& p = DbPlayers[id];
        if (p.club != club || (!listedToo && (p.flags & PLAYER_TRANSFER_LISTED))) continue;
        const int32_t line = VTW_GetPositionLine(id);
        if (s.lines[line] <= LINE_MINIMUM[line]) continue;
        const int32_t key = Market_KeepKey(id);
        if (worst < 0 || key < worstKey) {
            worst = id;
            worstKey = key;
        }
    }
    return worst;
}

// A full squad lets its weakest go, so that a line under its minimum can be filled.
void Market_MakeRoom(int32_t club)
{
    if (Market_ShapeOf(club).playing < SQUAD_MAX) return;
    const int32_t weakest = Market_Weakest(club, true);
    if (weakest >= 0) Market_Release(weakest);
}

// The best unattached player of the line who would sign, signs: false when there is none.
bool Market_SignUnattached(int32_t club, int32_t line)
{
    const int32_t player = BestUnattached(club, line);
    if (player < 0) return false;
    const int32_t years = Market_SigningYears(player);
    return Market_MovePlayer(player, club, 0, false,
                             Contract_Demand(player, 12 * years, club, 0, 0), 12 * years)
           >= 0;
}

// The club takes its players off the list, but for those who asked to move up and while it is
// in the red.
void Market_TakeOffTheList(int32_t club)
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

namespace {

void ClubActs(int32_t club, MarketDay& day)
{
    const MarketSquadShape s = day.shapes[club];
    if (s.count > SQUAD_MAX) {
        const int32_t weakest = Market_Weakest(club, true);
        if (weakest >= 0) Market_Release(weakest);
        return;
    }
    const std::array<uint8_t, LINE_COUNT>& medians = day.medians[Market_DivisionOf(club)];
    const bool rich = IsRich(club, s, day.priceLevel);
    if (s.count > SQUAD_TARGET_MAX) {
        const int32_t weakest = Market_Weakest(club, false);
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
        const bool urgent = Market_ShortLine(s, 0) == line;
        if (urgent) {
            Market_MakeRoom(club);
            day.shapes[club] = Market_ShapeOf(club);
        }
        if (!BuyFiller(club, line, day) && urgent) Market_SignUnattached(club, line);
    } else if (rich) {
        BuyUpgrade(club, LineToStrengthen(s, medians), day);
    } else if (Rand() % 3 == 0) {
        BuyFiller(club, Rand() % LINE_COUNT, day);
    } else if (s.count >= LOAN_SURPLUS_FROM) {
        Lend(club, s, day);
    }
}

}  // namespace

void Market_ComputerMarket()
{
    MarketDay day;
    Market_OpenMarket(day);
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        if (Market_HumanDecides(club)) continue;
        const MarketSquadShape& s = day.shapes[club];
        if (Rand() % LookEveryDays(club, s, day) == 0) {
            ClubActs(club, day);
            day.shapes[club] = Market_ShapeOf(club);
        }
    }
}

bool Market_SignReplacement(int32_t club, int32_t line)
{
    if (!Market_IsFullClub(club) || Market_HumanDecides(club) || line < 0 || line >= LINE_COUNT
        || !Market_WindowOpen())
        return false;
    Market_MakeRoom(club);
    if (Market_SignUnattached(club, line)) return true;
    MarketDay day;
    Market_OpenMarket(day);
    return BuyFiller(club, line, day);
}

void Market_CoverShortLines(int32_t club)
{
    // While a club covers its short lines, the moves its cover makes start no cover of their own:
    // the clubs it buys from keep their lines (Market_SellerLets), and a cover begun again inside
    // its own would sign the line twice. Always false again when the cover returns.
    static bool coverUnderWay = false;
    if (!Market_IsFullClub(club) || Market_HumanDecides(club) || coverUnderWay) return;
    coverUnderWay = true;
    // A line under its minimum could not field a side before the daily market's next look, and
    // that market may find nobody: a youth covers what a signing cannot, in a window or out.
    for (int32_t calls = 0; calls < LINE_COUNT; ++calls) {
        const int32_t line = Market_ShortLine(Market_ShapeOf(club), 0);
        if (line < 0) break;
        if (!Market_SignReplacement(club, line) && PlayerLife_CallUpYouth(club) < 0) break;
    }
    coverUnderWay = false;
}

void Market_PlayerLeft(int32_t club)
{
    Market_MarkClubChanged(club);
    Market_CoverShortLines(club);
}

// A shut window ends the clubs' asks of the human: the next window may ask him again.
void Market_ForgetAsksOfTheHuman()
{
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        DbClubs[club].askedHuman = 0;
    }
}
