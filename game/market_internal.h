// game/market_internal.h: what the market's own files share and nobody else may use: the clubs'
// squad shapes, the sellers' consent, the signings at a player's demand and the stages of the
// daily and season's-turn market that market.cpp runs.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "game/gamestate.h"
#include "game/ids.h"
#include "game/market.h"
#include "game/records.h"
#include "game/world.h"

constexpr int32_t SQUAD_TARGET_MIN = 22;
constexpr std::array<int32_t, LINE_COUNT> LINE_MINIMUM = {2, 6, 6, 4};
constexpr int32_t LIGHT_SAMPLE = 300;        // foreign light players looked at per search
constexpr int32_t UNATTACHED_CEILING = 330;  // beyond it, those nobody signs leave the game

// ---- Clubs and players (market.cpp).
int32_t Market_ClampMoney(int64_t v);
// Inline, as Market_IsActiveFull and VTW_FindBidInfo: the market asks them of every player and
// club it looks at, millions of times a season.
inline int32_t Market_LeagueClubs() { return World_LeagueClubCount(GameState.country); }
inline bool Market_IsFullClub(int32_t club) { return club >= 0 && club < Market_LeagueClubs(); }
// The human's club is run by the computer while the unattended run is on.
bool Market_HumanDecides(int32_t club);
// A full player of a club or unattached, not a manager, on an id in use.
inline bool Market_IsActiveFull(int32_t id)
{
    return id >= PERSON_FIRST_ORDINARY && id < FullPlayerCount
           && !(DbPersons[id].flags & PERSON_FREE) && DbPlayers[id].position != POSITION_MANAGER;
}
// A club whose stored balance cannot take the whole fee does not sell: a cut fee would destroy
// the buyer's money. The world outside takes any fee.
bool Market_CanHold(int32_t seller, int32_t fee);
// Updates the club's team and, for the human's club, its training buffer after a move.
void Market_MarkClubChanged(int32_t club);

// A club's own players there: those on loan to it come and go with the season, so its needs,
// its sales and its releases are judged without them.
struct MarketSquadShape {
    int32_t count;
    int32_t playing;  // with the players on loan to it
    std::array<int32_t, LINE_COUNT> lines;
    std::array<int32_t, LINE_COUNT> best;  // the best player of each line, -1 none
    std::array<int32_t, LINE_COUNT> worst;
    int32_t median;  // the squad's median ability
    int64_t wages;   // weekly
};
MarketSquadShape Market_ShapeOf(int32_t club);
// A line under its minimum; else, in a squad of fewer than `size`, the thinnest line; -1 none.
int32_t Market_ShortLine(const MarketSquadShape& s, int32_t size);

// Per division and line: the median ability of the line's players.
using MarketLineMedians = std::array<std::array<uint8_t, LINE_COUNT>, DIVISION_MAX>;
int32_t Market_DivisionOf(int32_t club);  // 0 to DIVISION_MAX - 1
MarketLineMedians Market_DivisionLineMedians();

// The players who changed club in the present month (their loan's end is no change of club): a
// computer club neither buys nor sells, lends, signs or sends abroad any of them.
const std::bitset<PERSON_MAX>& Market_MovedThisMonth();

// The seller keeps its minimum squad and lines, and its best player of the line unless he asked
// to move up.
bool Market_ShapeLets(const MarketSquadShape& s, int32_t player);
// Whether the seller lets the player go for the fee; `agreed` when the human agreed the sale.
bool Market_SellerLets(int32_t player, int32_t seller, int32_t fee, bool agreed);
int32_t Market_SigningYears(int32_t player);  // the years a signing offers him
// Whether the player would sign for the club at the wage he asks.
bool Market_WouldJoin(int32_t player, int32_t club);
// Moves the player to the club for the fee at the wage he asks, if he would sign.
bool Market_SignAtHisDemand(int32_t player, int32_t club, int32_t fee);
// The sale abroad without the seller's team made up again (Market_SellAbroad); the seller into
// *seller.
int32_t Market_SellAbroadLeavingTheTeam(int32_t player, int32_t buyer, int32_t fee,
                                        int32_t* seller);

// What the clubs of a window day look at: the division medians and every club's shape, kept up
// to date as players move.
struct MarketDay {
    MarketLineMedians medians;
    std::array<MarketSquadShape, CLUB_FULL_MAX> shapes;
    int32_t priceLevel;  // Market_PriceLevelPercent, read once a round
};
void Market_OpenMarket(MarketDay& day);  // the market as a round of deals opens
// The seller's first demand, at the round's price level.
int32_t Market_FeeOf(int32_t player, const MarketDay& day);

// ---- Bids (market_bids.cpp).
void Market_AnswerBids();  // the bids placed before today answered
// Agreed signings whose talks were left undecided are filed again for the human.
void Market_RefileHumanSignings();

// ---- Fees (market_prices.cpp).
// The seller's demand at a price level.
int32_t Market_DemandAt(int32_t player, int32_t turn, int32_t clause, int32_t levelPercent,
                        int32_t* interest);

// ---- Window signings (market_window.cpp).
// The key by which a club or the market lets a player go first: the weakest, the oldest on a tie.
int32_t Market_KeepKey(int32_t id);
// The squad member the club misses least; -1 none.
int32_t Market_Weakest(int32_t club, bool listedToo);
// A full squad lets its weakest go, so that a line under its minimum can be filled.
void Market_MakeRoom(int32_t club);
// The best unattached player of the line who would sign, signs: false when there is none.
bool Market_SignUnattached(int32_t club, int32_t line);
// The club takes its players off the list, but for those who asked to move up and while it is
// in the red.
void Market_TakeOffTheList(int32_t club);
void Market_ComputerMarket();  // the computer clubs' look at the market on a window day
// A shut window ends the clubs' asks of the human: the next window may ask him again.
void Market_ForgetAsksOfTheHuman();

// ---- The season's turn (market_turn.cpp).
// The unattached players nobody signed leave the game: at once those no club of the league could
// sign, then the weakest beyond `limit`.
void Market_TrimUnattached(int32_t limit);
