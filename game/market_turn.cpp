// game/market_turn.cpp: the market at the season's turn: the loans' end, the unattached pool
// trimmed and topped up, the best from below signed by the top clubs and the listed players sold
// to the world outside.
#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>
#include <vector>

#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/market_internal.h"
#include "game/season.h"
#include "game/squad.h"

namespace {

constexpr int32_t UNATTACHED_TARGET = 200;
constexpr int32_t UNATTACHED_KEPT = 150;      // at a new season; the top-up brings fresh faces
constexpr int32_t SIGNED_FROM_BELOW_MAX = 4;  // a top club's signings of those who asked to move up
constexpr int32_t BOARD_WAGE_WEEKS_KEPT = 52;  // a season's wages stay in the bank
constexpr int32_t ABROAD_LEVEL_GAP = 5;        // ability apart from the buying club's player

// With the loans back, a squad beyond the maximum lets its weakest go.
void ReleaseBeyondMaximum()
{
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        for (int32_t count = Market_ShapeOf(club).count; count > SQUAD_MAX; --count) {
            const int32_t weakest = Market_Weakest(club, true);
            if (weakest < 0) break;
            Market_Release(weakest);
        }
    }
}

// The loans are over: a squad left short of players, or of a line, signs unattached players, and
// a line still short is covered at once.
void FillShortSquads()
{
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        if (Market_HumanDecides(club)) continue;
        int32_t line = Market_ShortLine(Market_ShapeOf(club), SELLER_KEEPS);
        while (line >= 0) {
            Market_MakeRoom(club);
            if (!Market_SignUnattached(club, line)) break;
            line = Market_ShortLine(Market_ShapeOf(club), SELLER_KEEPS);
        }
        // A line still under its minimum, the turn's retirements having emptied it and nobody
        // free willing to come, is covered now, not days into the new season.
        Market_CoverShortLines(club);
    }
}

// The league's club of the highest reputation: a player it could not sign, no club of the league
// could.
int32_t MostReputedClub()
{
    int32_t best = 0;
    for (int32_t club = 1; club < Market_LeagueClubs(); ++club) {
        if (VTW_GetClubReputation(club) > VTW_GetClubReputation(best)) best = club;
    }
    return best;
}

void TopUpUnattached()
{
    const int32_t lightCount = DbPersonCount - FullPlayerCount;
    int32_t missing = UNATTACHED_TARGET - Market_UnattachedCount();
    for (int32_t tries = 0; missing > 0 && tries < 20 * UNATTACHED_TARGET && lightCount > 0;
         ++tries) {
        const int32_t id = FullPlayerCount + Rand() % lightCount;
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if ((DbPersons[id].flags & PERSON_FREE) || Market_IsFullClub(p.club) || p.club == CLUB_NONE
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
    const std::array<uint8_t, LINE_COUNT> top = Market_DivisionLineMedians()[0];
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!Market_IsActiveFull(id)) continue;
        PlayerRecord& p = DbPlayers[id];
        const bool asks = Market_IsFullClub(p.club) && Market_DivisionOf(p.club) > 0
                          && !Market_HumanDecides(p.club)
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
    return part >= 0 && !Market_MovedThisMonth()[part] && Market_FeeOf(part, day) < fee
                   && Market_WouldJoin(part, seller)
               ? part
               : -1;
}

// What a top club's board lets it spend on the best from below: all beyond a season's wages. The
// transfer budget keeps back 125 weeks, which leaves most top clubs nothing to spend while their
// money piles up.
int64_t SpendableAtTheTurn(int32_t club, const MarketSquadShape& s)
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
    const int32_t fee = Market_FeeOf(player, day);
    int32_t buyer = -1;
    int64_t buyerSpendable = 0;
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        const MarketSquadShape& s = day.shapes[club];
        if (Market_DivisionOf(club) != 0 || Market_HumanDecides(club)
            || signings[club] >= SIGNED_FROM_BELOW_MAX || ability <= s.median
            || !Market_WouldJoin(player, club))
            continue;
        const int32_t part = PartExchange(club, seller, line, fee, day);
        if (part < 0 && s.playing >= SQUAD_MAX) continue;
        const int32_t cash = fee - (part >= 0 ? Market_FeeOf(part, day) : 0);
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
    const int32_t fee = Market_FeeOf(player, day);
    const int32_t part = PartExchange(buyer, seller, VTW_GetPositionLine(player), fee, day);
    if (!Market_CanHold(seller, fee) || !Market_SignAtHisDemand(player, buyer, fee)) return;
    DbPlayers[player].cupTied = 0;
    if (part >= 0 && Market_SignAtHisDemand(part, seller, Market_FeeOf(part, day)))
        DbPlayers[part].cupTied = 0;
    day.shapes[buyer] = Market_ShapeOf(buyer);
    day.shapes[seller] = Market_ShapeOf(seller);
}

// At the season's turn the top division's clubs sign those below who asked to move up, the
// best first: promotion and relegation alone would leave the best players wherever their clubs
// fall.
void SignTheBestFromBelow()
{
    const std::bitset<PERSON_MAX>& moved = Market_MovedThisMonth();
    std::array<int16_t, PLAYER_FULL_MAX> asking;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (Market_IsActiveFull(id) && Market_IsFullClub(p.club)
            && (p.flags & PLAYER_ASKED_TRANSFER) && p.loanClub < 0 && !moved[id])
            asking[n++] = static_cast<int16_t>(id);
    }
    std::sort(asking.begin(), asking.begin() + n, [](int16_t a, int16_t b) {
        return DbPlayers[a].ability != DbPlayers[b].ability
                   ? DbPlayers[a].ability > DbPlayers[b].ability
                   : a < b;
    });
    MarketDay day;
    Market_OpenMarket(day);
    std::array<int32_t, CLUB_FULL_MAX> signings{};
    for (int32_t k = 0; k < n; ++k) {
        const int32_t player = asking[k];
        const int32_t buyer = TopBuyerFor(player, day, signings);
        if (buyer < 0 || !Market_ShapeLets(day.shapes[DbPlayers[player].club], player)) continue;
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
            || Market_IsFullClub(p.club) || p.position == POSITION_MANAGER
            || std::abs(p.ability - ability) > ABROAD_LEVEL_GAP)
            continue;
        if (squadSizes[p.club] < SQUAD_MAX) return p.club;
    }
    return -1;
}

void EndLoans()
{
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        PlayerRecord& p = DbPlayers[id];
        if (!Market_IsActiveFull(id) || p.loanClub < 0) continue;
        p.loanClub = -1;
        p.flags &= ~PLAYER_ON_LOAN;
        p.shirt = 0;
    }
    Records_MembershipChanged();
}

}  // namespace

int32_t Market_UnattachedCount()
{
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        n += Market_IsActiveFull(id) && DbPlayers[id].club == CLUB_NONE;
    }
    return n;
}

// The unattached players nobody signed leave the game: at once those no club of the league could
// sign, then the weakest beyond `limit`. A star who had outgrown every club of his league refused
// them all for a decade, the best free man of his line, whom every rich club chose and lost: with
// two such men the league's market fell to about a transfer a club a season.
void Market_TrimUnattached(int32_t limit)
{
    const int32_t mostReputed = MostReputedClub();
    std::array<int16_t, PLAYER_FULL_MAX> pool;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!Market_IsActiveFull(id) || DbPlayers[id].club != CLUB_NONE) continue;
        if (Market_WouldJoin(id, mostReputed)) {
            pool[n++] = static_cast<int16_t>(id);
        } else {
            PlayerLife_Retire(id);
        }
    }
    std::sort(pool.begin(), pool.begin() + n, [](int16_t a, int16_t b) {
        return Market_KeepKey(a) != Market_KeepKey(b) ? Market_KeepKey(a) < Market_KeepKey(b)
                                                      : a < b;
    });
    // Nobody here belongs to a club: the clubs' member lists stand as they are.
    for (int32_t k = 0; k < n - limit; ++k) {
        PlayerLife_Retire(pool[k]);
    }
}

// The world outside buys back as many players as the league signed from it over the season, so
// that the flow both ways balances: the players the computer clubs listed, those they miss least
// first, each to a club of his level for his fee. It pays with what the
// league paid it, so that the trade brings the league no money it did not send out. After the
// world outside's squads are whole again, so that the light ids they need are not taken.
void Market_SellToTheWorldOutside()
{
    int32_t wanted = MarketState.signedFromOutside;
    MarketState.signedFromOutside = 0;
    const std::bitset<PERSON_MAX>& moved = Market_MovedThisMonth();
    std::array<int16_t, PLAYER_FULL_MAX> listed;
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (Market_IsActiveFull(id) && Market_IsFullClub(p.club) && !Market_HumanDecides(p.club)
            && p.loanClub < 0 && !moved[id] && (p.flags & PLAYER_TRANSFER_LISTED)
            && !(p.flags & PLAYER_ASKED_TRANSFER))
            listed[n++] = static_cast<int16_t>(id);
    }
    std::sort(listed.begin(), listed.begin() + n, [](int16_t a, int16_t b) {
        return Market_KeepKey(a) != Market_KeepKey(b) ? Market_KeepKey(a) < Market_KeepKey(b)
                                                      : a < b;
    });
    // The squads as the sales leave them, kept by hand: a listed player is never his line's best,
    // which is all a shape needs besides its counts.
    std::vector<int32_t> outsideSizes = LightSquadSizes();
    MarketDay day;
    Market_OpenMarket(day);
    std::array<bool, CLUB_FULL_MAX> sold{};
    for (int32_t k = 0; k < n && wanted > 0; ++k) {
        const int32_t player = listed[k];
        const int32_t fee = Market_FeeOf(player, day);
        const int32_t line = VTW_GetPositionLine(player);
        MarketSquadShape& shape = day.shapes[DbPlayers[player].club];
        if (fee > Club_GetOutsideBalance() || !Market_ShapeLets(shape, player)) continue;
        const int32_t buyer = OutsideClubOfHisLevel(player, outsideSizes);
        int32_t seller = CLUB_NONE;
        if (buyer < 0 || Market_SellAbroadLeavingTheTeam(player, buyer, fee, &seller) < 0) continue;
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
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        if (sold[club]) Market_PlayerLeft(club);
        if (!Market_HumanDecides(club)) Market_TakeOffTheList(club);
    }
}

void Market_NewSeason()
{
    EndLoans();
    ReleaseBeyondMaximum();
    Market_TrimUnattached(UNATTACHED_KEPT);
    TopUpUnattached();
    FillShortSquads();
    AskToMoveUp();
    SignTheBestFromBelow();
    Managers_SetBoardTargets();
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        VTW_UpdateTeam(club);
    }
}
