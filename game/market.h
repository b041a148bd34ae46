// game/market.h: the clubs' business: bids and fees, contracts, the human's sale requests and
// contract talks, computer transfers and loans, staff, money week by week, boards, managers and
// the job market. The daily processing calls the stages at the end of this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"
#include "game/records.h"

constexpr int32_t MARKET_MONEY_MAX = 50000000;  // fees, bids and demands stay within 0 and this
constexpr int32_t LOAN_BID_AMOUNT = 100;        // a loan's bid: not a fee
constexpr int32_t BID_SLOTS = 4;
constexpr int32_t BIDDERS_MAX = 5;  // clubs bidding for one player at once
constexpr int32_t BIDINFO_ROWS = 64;
constexpr int32_t SALES_ROWS = 128;
constexpr int32_t TALKS_ROWS = 4;
constexpr int32_t RECENT_ROWS = 20;
constexpr int32_t STAFF_CANDIDATES = 10;
constexpr int32_t SELLER_KEEPS = 16;  // a seller never drops below this many players
constexpr int32_t CONTRACT_YEARS_MAX = 5;
constexpr int32_t HUMAN_SACKING_MATCHES = 15;
// Told when a sale the human agreed would leave him fewer than SELLER_KEEPS players.
constexpr int32_t TEXT_SALE_SQUAD_MIN = 2200;

// Position codes of a bid: the line the buyer bids for.
constexpr int32_t BIDPOS_KEEPER = 0;
constexpr int32_t BIDPOS_DEFENDER = 1;
constexpr int32_t BIDPOS_MIDFIELDER = 5;
constexpr int32_t BIDPOS_FORWARD = 11;

enum BidKind : uint8_t { BID_TRANSFER, BID_LOAN };
enum BidState : uint8_t { BID_PLACED, BID_AGREED, BID_REFUSED };
enum TalkKind : uint8_t { TALK_RENEWAL, TALK_SIGNING };

// Message groups the market tells the human through.
constexpr int32_t MSG_MONEY_WARNING = 0;
constexpr int32_t MSG_STAFF_LEFT = 20;
constexpr int32_t MSG_HUMAN_SACKED = 21;
// A purchase the human agreed that fell through: he can no longer pay the fee, or the seller
// no longer lets the player go.
constexpr int32_t MSG_DEAL_UNPAID = 76;
constexpr int32_t MSG_DEAL_SELLER_KEEPS = 77;

// Saved as raw bytes: every field sits at its natural alignment and the static_asserts below
// prove there is no padding, so the layout is the same on every build.
struct BidInfoRow {
    int16_t player;  // -1 free
    int16_t day;     // the season day the bid was placed
    uint8_t state;   // BidState
    uint8_t spare[3];
};

struct SaleRequestRow {
    int16_t player;  // -1 free
    int16_t club;    // the asking club
    uint8_t loan;
    uint8_t spare[3];
    int32_t price;
};

struct ContractTalkRow {
    int16_t player;  // -1 free
    int16_t club;    // the club the contract is with
    uint8_t kind;    // TalkKind
    uint8_t spare[3];
};

struct StaffCandidate {
    uint8_t rating;  // 1-99
    uint8_t termMonths;
    uint16_t nameIndex;
    int32_t wage;  // weekly
};

// The market's saved state besides the clubs' own records.
struct MarketStateRecord {
    BidInfoRow bidInfo[BIDINFO_ROWS];
    SaleRequestRow sales[SALES_ROWS];
    ContractTalkRow talks[TALKS_ROWS];
    int16_t recent[RECENT_ROWS];  // -1 free
    StaffCandidate staff[STAFF_ROLE_COUNT][STAFF_CANDIDATES];
    int16_t jobOfferClub;             // -1 no offer
    int16_t offerDayB;                // the day the application is answered, -1 none
    int16_t offerC;                   // 0 refused, else accepted
    int16_t offerClub;                // the club applied to
    int16_t sackedDay;                // the season day the human lost his post, -1 none or since
                                      // he took one again
    uint16_t matchSlot[3];            // the human's next fixture: row, opponent, competition
    uint8_t redWeeks[CLUB_FULL_MAX];  // weeks in a row below zero
    uint16_t signedFromOutside;       // the season's signings from the world outside so far
};
static_assert(sizeof(BidInfoRow) == 8 && sizeof(SaleRequestRow) == 12);
static_assert(sizeof(ContractTalkRow) == 8 && sizeof(StaffCandidate) == 8);
static_assert(sizeof(MarketStateRecord)
              == 64 * 8 + 128 * 12 + 4 * 8 + 20 * 2 + 110 * 8 + 2 * 8 + CLUB_FULL_MAX + 2);
static_assert(std::is_trivially_copyable_v<MarketStateRecord>);

extern MarketStateRecord MarketState;  // owned by Market; saved with the game
// The saved block's range check (SaveGameCheck): players, clubs, days and staff names.
bool Market_CheckSaved(const void* block);

// Empty lists, a fresh staff market, no offers; registers the state and the transfer records
// with the saved game. Uninit is safe twice.
void Market_Init();
void Market_ResetCareer();  // no bids, sales, talks or transfer records: a career's start
void Market_Uninit();
// After a new game: the staff market drawn and the clubs' board targets set.
void Market_NewGame();

// ---- Bids (market_bids.cpp).
int32_t VTW_FindFreeBidInfo();  // a free row, -1 none
// His row, -1 none. Inline: the computer clubs ask it of every player they look at.
inline int32_t VTW_FindBidInfo(int32_t player)
{
    for (int32_t k = 0; k < BIDINFO_ROWS; ++k) {
        if (player >= 0 && MarketState.bidInfo[k].player == player) return k;
    }
    return -1;
}
int32_t VTW_AddBidInfo(int32_t player, int32_t slot);  // the slot; -1 for slot -1 or a used one
int32_t Market_BidLineCode(int32_t player);            // the position code of the player's line
void Market_ClearBidsFor(int32_t player);  // every club's bid for him and his information row
// A bid at his line's code with an information row marked agreed; false when no row is free or
// the bid is refused (nothing is written then).
bool Market_PlaceBidWithInfo(int32_t club, int32_t player, int32_t amount);
// The human's agreed deal: his row marked agreed today, or a free row taken; the row, -1 none.
int32_t Market_AgreeBidInfo(int32_t player);
// The club's bid for the player withdrawn with his information row; false when it has none.
bool Market_WithdrawBid(int32_t club, int32_t player);
// A club's bid: the slot 0-3, or -1 when refused (no free slot, five bidders already, the buyer's
// squad at 32, a fee above the transfer budget, his own player). A loan bids LOAN_BID_AMOUNT.
int32_t VTW_PlaceBid(int32_t club, int32_t player, int32_t amount, int32_t positionCode,
                     int32_t clause);
int32_t VTW_GetClubBidPlayer(int32_t club, int32_t slot);  // -1 none
int32_t VTW_GetClubBidPrice(int32_t club, int32_t slot);
int32_t VTW_GetClubBidClause(int32_t club, int32_t slot);
int32_t VTW_CountClubBidsForPlayer(int32_t player);
// The fees of the club's transfer bids placed or agreed and not yet paid: each holds its fee back
// from every later offer of the club (VTW_GetClubTransferBudget), and an agreed one from every
// later answer to its bids, so that deals agreed one by one never pass the budget together.
int64_t Market_FeesBidFor(int32_t club);
// The first league club, in id order, with a bid for the player: the one the day's answers
// take him to when a deal for him was agreed. The club, its bid slot into *slot; -1 none.
int32_t Market_FindBidder(int32_t player, int32_t* slot);

// ---- Fees (market_prices.cpp).
// The league's price level in percent (50-800): its clubs' transfer budgets against a new
// career's. Fees asked and offered are the players' values at this level.
int32_t Market_PriceLevelPercent();
// The seller's demand at a turn of the talks (0-100 interest into *interest); `clause` 1 offers
// the 25 % sell-on clause.
int32_t VTW_ComputeTransferFee(int32_t player, int32_t turn, int32_t buyer, int32_t* interest,
                               int32_t clause);
// The buyer's offer against a demand, never above it; *interest is offer x 100 / demand.
int32_t VTW_ComputeBidForPlayer(int32_t player, int32_t demand, int32_t turn, int32_t buyer,
                                int32_t clause, int32_t spare, int32_t* interest);
// The human's agreed deal of the player in contract talks carried out: fee, move, records
// (market_bids.cpp).
void VTW_CompleteHumanBid();

// ---- Moves (market.cpp).
// A light player given a free full id with his person and name; the new id, or -1 when none is
// free. A full id is returned unchanged.
int32_t Player_PromoteToFull(int32_t player);
// A move between clubs: the fee booked (a club outside the game pays or is paid through club
// 255), the transfer record, the career-log row, the news, his other bids cleared. A loan keeps
// his club and moves no money. The player's (full) id afterwards; -1, and nothing moved, when a
// light player finds no free full id or when the selling club's balance cannot take the whole fee
// (BALANCE_MAX): a fee is never cut.
int32_t Market_MovePlayer(int32_t player, int32_t buyer, int32_t fee, bool loan, int32_t wage,
                          int32_t months);
void Market_Release(int32_t player);  // a full player to the unattached pool
// A sale to a club outside the league (`buyer` a small club): the fee booked from the world
// outside, the transfer record and the career-log row, and the player a light player of that
// club on a free light id, his full id freed. The light id, or -1 and nothing moved when no light
// id is free, the buyer is a league club or the seller's balance cannot take the fee.
int32_t Market_SellAbroad(int32_t player, int32_t buyer, int32_t fee);
int32_t Market_UnattachedCount();
// The sale asking price the computer would ask for the player, -1 none.
int32_t VTW_GetSaleAskingPrice(int32_t player);

// ---- Contracts (contracts.cpp).
// Non-zero when the player signs for `wage` a week over `months`: the wage reaches his demand,
// the total years stay within five and the club's reputation is within 25 below his. Monotone
// in the wage. `bigClub` and `relegation` are the two clauses offered.
int32_t VTW_EvaluateContractOffer(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                                  int32_t* interest, int32_t wage, int32_t relegation);
// The player's demand for the offer, rounded to 25.
int32_t Contract_Demand(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                        int32_t relegation);
// Writes an accepted contract: wage, months and the clause bits; 0 and nothing written when the
// evaluation refuses.
int32_t VTW_RenewContracts(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                           int32_t* interest, int32_t wage, int32_t relegation);
// A computer club's renewal at the evaluated demand, when it wants him and its wage limit allows,
// or whatever he asks when his line needs him (Market_LineNeedsHim): 1 renewed. A needed man who
// refuses is replaced at once while a window is open (Market_SignReplacement).
int32_t Contract_ComputerRenew(int32_t player, int32_t wanted);
// 1 when the club's squad holds no more than the minimum of the line (2, 6, 6, 4).
bool Market_LineAtMinimum(int32_t club, int32_t line);
// True when, without him, fewer than the minimum of his line would stay at his full club: the
// teammates of the line whose contracts run longer than his (or without end). The expiries of a
// line are judged together: of several ending the same month, the first ones are needed.
bool Market_LineNeedsHim(int32_t player);
// ---- Window signings (market_window.cpp).
// While a window is open, a computer club signs a player for the line: the best unattached one
// who would sign at his demand, else one the market finds as a filler (room made in a full squad
// first). True when one signed.
bool Market_SignReplacement(int32_t club, int32_t line);
// A computer club left with a line under its minimum fills it the same day: a signing while a
// window is open (Market_SignReplacement), else one of its own youths called up.
void Market_CoverShortLines(int32_t club);
// Every way a player leaves a club ends here: his contract ran out, he retired, he was sold (abroad
// too) or lent. The club's team is made up again and its short lines covered the same day
// (Market_CoverShortLines). A club's own releases need no cover: the computer lets go only those
// its lines can spare, the human whom he chooses; nor does a loan's end, whose player the
// borrower's lines never counted.
void Market_PlayerLeft(int32_t club);

// ---- The human's lists (humanlists.cpp).
int32_t VTW_HasHumanSales();       // 1 when a sale request waits, else 0
int32_t VTW_FindHumanSales();      // the player of the first request, -1 none
int32_t VTW_FindHumanSalesTeam();  // its asking club, -1 none
void VTW_RemoveHumanSale(int32_t player);
void VTW_ClearHumanSales();
int32_t Market_AddHumanSale(int32_t player, int32_t club, int32_t loan, int32_t price);
int32_t Market_IsLoanRequest(int32_t player);  // 1 when a loan request for him waits
int32_t VTW_HasHumanContracts();
int32_t VTW_GetHumanContracts();        // the player of the first talks, -1 none
int32_t Market_GetHumanContractClub();  // its club, -1 none
void VTW_RemoveHumanContract(int32_t player);
void VTW_ClearHumanContracts();
int32_t Market_AddHumanContract(int32_t player, int32_t club, int32_t kind);  // 0 when full
int32_t VTW_IsNotInHumanRecent(int32_t player);
int32_t VTW_PushHumanRecent(int32_t player);  // 0 when the list is full
void VTW_ClearHumanRecentList();
void VTW_ClearHumanLists();  // the three lists emptied
// The player's rows of the three lists dropped: his id is freed or given to a new player.
void Market_ForgetHumanBusiness(int32_t player);
// The human manager joins the club: its player-manager, in its squad, when its clause says so,
// else its manager only (position 13, in no squad).
void VTW_AddNewPlayer(int32_t club);
void VTW_ClearMatchSlot();
// The human's match slot from his fixture row: row, opponent and competition; -1 clears it.
void Market_SetMatchSlot(int32_t row);

// ---- Staff (staff.cpp).
// The wage of a rating and the cost of releasing a holder with `months` left.
int32_t VTW_GetStaffCost(int32_t rating, int32_t months, int32_t* wage);
int32_t VTW_GetStaffChoiceRating(int32_t role, int32_t k);  // 0 outside the market
int32_t VTW_GetStaffChoiceTerm(int32_t role, int32_t k);
// A hired candidate leaves the market: a fresh one is drawn in his place (nothing outside it).
void Staff_ReplaceCandidate(int32_t role, int32_t k);
// Fills the club's vacancies with the best candidates it can carry: the count hired.
int32_t VTW_AIHireStaff(int32_t club);
// The rating band of a club's reputation: candidates above its top are out of reach.
int32_t Staff_BandTop(int32_t club);

// ---- Boards, managers and jobs (managers.cpp).
int32_t VTW_GetBoardTargetTextNo(int32_t club);  // 2700-2709
int32_t VTW_GetJobOfferHuman();
int32_t VTW_GetJobOfferClub();             // -1 none
void VTW_SetJobOfferHuman(int32_t value);  // 0 withdraws the offer
int32_t VTW_GetHumanOfferB();
int32_t VTW_GetHumanOfferC();
int32_t VTW_GetHumanOfferClub();
int32_t VTW_GetSackedHuman();    // 1 on the day the human lost his post
void Market_ClearHumanOffers();  // no application pending: day B, outcome C and club emptied
// 1 when the club has a vacancy the human qualifies for, 2 undecided, 0 no. Changes nothing.
int32_t Job_Consider(int32_t club, int32_t bonus);
// The same answer; for 2 the application is filed and answered on day B.
int32_t VTW_ApplyForJob(int32_t club, int32_t bonus);
void VTW_AppointManager(int32_t club, int32_t person);
// The human takes charge of `club`: its record names him as manager and he controls it. The
// manager he displaces is out of work, a club he leaves is run by a caretaker, and a sacking of
// his is forgotten.
void Managers_HumanTakesOver(int32_t club);
int32_t VTW_ListManagerVacancies(uint16_t* out);  // ends with 65535; at most 250 ids
int32_t VTW_ListStrugglingClubs(uint16_t* out);   // lowest patience first, ends with 65535

// ---- Daily-processing stages.
void Market_DailyStage();           // bids answered, computer transfers in the windows, talks
void Finance_WeeklyStage();         // wages, staff, ground, maintenance, merchandising, the red
void Finance_MonthlyStage();        // TV, sponsorship, works
void Finance_SeasonPrizes();        // league prize money at the end of the league season
void Finance_CupWon(int32_t club);  // a cup's prize, on the day of its final
void Finance_SeasonBonuses();       // at the turn, a third of the money beyond the wage reserve
void Staff_WeeklyStage();           // the staff market partly refreshed
void Staff_MonthlyStage();          // contracts run down, expiring holders renewed or gone
void Managers_DailyStage();         // today's results, sackings, caretakers, appointments, answers
void Managers_WeeklyStage();        // job offers
void Managers_SeasonEnd();          // managers' reputations follow their clubs' final places
void Market_NewSeason();            // loans end, the unattached pool topped up, board targets
void Market_SellToTheWorldOutside();  // at the turn, once the world outside renewed itself
bool Market_WindowOpen();             // today lies outside every closed period
void Managers_SetBoardTargets();      // from the reputation ranks; patience back up to its start
void Staff_DrawMarket();              // every candidate drawn afresh
