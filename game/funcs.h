// game/funcs.h: the query layer that the screens and the season read the database through:
// clubs, players, persons, staff and finances. Every function checks its ids: a negative id is
// fatal ("Trying to get <field> of neg club : '<id>'", "... of neg player ..."); an id past the
// end gives 0 (text functions "") and a setter does nothing; setters clamp to the field's range.
#pragma once

#include <cstdint>

#include "game/records.h"

// Database start-up: world, records, game state and squad; Uninit is safe twice.
void Database_Init();
void Database_Uninit();

// Builds the career's database for the country chosen by VTW_SetCountry from the world: club map,
// records, persons, managers, staff, money, kits and the first day. Depends only on the seed of
// Rand and the country. Counts its steps in ProgressCounters.
void VTW_NewGame();
// The money a new career gives a club of this reputation and division beyond its wage reserve,
// on average over the draw: what a club can spend at the start.
int64_t NewGame_SpendingMoney(int32_t reputation, int32_t division);

// Clubs.
int32_t VTW_GetTeam(int32_t club);  // team number; 252, 254, 255 unchanged; 250, 251, 253 fatal
int32_t VTW_GetClubCountry(int32_t club);  // 0 outside 0-249
int32_t VTW_GetClubDivision(int32_t club);
int32_t VTW_GetClubReputation(int32_t club);
int32_t VTW_GetClubController(int32_t club);             // manager number, 0 for ids from 250
void VTW_SetClubControl(int32_t club, int32_t manager);  // a manager keeps at most one club
int32_t VTW_GetClubOfManager(int32_t manager);           // first club he controls, -1 none
int32_t VTW_GetClubManager(int32_t club);                // person id, -1 none
int32_t Club_GetManager(int32_t club);  // the manager, else the player-manager, else person 1
int32_t VTW_GetPlayerCaretaker(int32_t club);
ClubRecord* VTW_GetClubRecordPtr(int32_t club);  // null for a small club
ClubRecord* Club_GetRecordAddress(int32_t club);
const KitDesign* Club_GetKitDesign(int32_t club, int32_t away);  // null without a kit
int32_t VTW_GetClubCapacity1(int32_t club);                      // stands, thousands
int32_t VTW_GetClubCapacity2(int32_t club);
int32_t VTW_GetClubCapacity3(int32_t club);
int32_t VTW_GetClubCapacity4(int32_t club);
int32_t VTW_GetClubAverageAttendance(int32_t club);
int32_t Club_GetAvgAttendance(int32_t club);
int32_t VTW_GetClubTeamwork(int32_t club);    // team levels 0-60
int32_t VTW_GetClubSetPieces1(int32_t club);  // corners
int32_t VTW_GetClubSetPieces2(int32_t club);  // free kicks
int32_t VTW_GetClubSetPieces3(int32_t club);  // penalties
int32_t VTW_GetClubContractClause(int32_t club);
int32_t VTW_GetClubTrainingClause(int32_t club);
void VTW_SetClubContractClause(int32_t club, int32_t value);  // 0 or 1
void VTW_SetClubTrainingClause(int32_t club, int32_t value);
void VTW_SetClubStadiumClause(int32_t club, int32_t value);
void VTW_SetClubFinancialClause(int32_t club, int32_t value);
void VTW_ClearClubFlag51_6(int32_t club);
void VTW_ClearClubFlag27_2(int32_t club);
void VTW_ClearClubFlag27_3(int32_t club, int32_t value);  // 1 sets the player-manager clause
void VTW_ClearClubFlag82_1(int32_t club);
void VTW_ClearClubFlag3_7(int32_t club);
void VTW_ResetClubFlags(int32_t club);
int32_t VTW_GetClubSeasonDispoints(int32_t club);
int32_t VTW_GetClubHistoryPlace(int32_t club, int32_t row);  // stored place + 1, 0 none
int32_t VTW_GetClubHistoryDword(int32_t club, int32_t row);  // average attendance
// Of the current club (VTW_SetCurrentClub); 0 for a rank or season out of range.
int32_t VTW_GetClubSeasonBestPlayer(int32_t rank, int32_t season);
int32_t VTW_GetClubSeasonBestValue(int32_t rank, int32_t season);
int32_t VTW_GetClubRepRank(int32_t club);        // 1 highest among the league clubs, ties by id
int32_t VTW_GetClubReputationPos(int32_t club);  // index in that list, -1 outside it
// Sorts club ids by their names' bytes; with `humanFirst` the human's club leads.
void VTW_SortClubsByName(int16_t* clubs, int32_t count, int32_t humanFirst);

// Players.
int32_t VTW_GetPlayerClub(int32_t player);
void VTW_SetPlayerClub(int32_t player, int32_t club);
int32_t VTW_GetPlayerOnLoan(int32_t player);
int32_t VTW_GetPlayerLoanSlot(int32_t player);  // the club he is on loan at, -1 none
int32_t VTW_GetPlayerOriginWord(int32_t player);
int32_t VTW_GetPlayerPosition(int32_t player);
int32_t VTW_GetPlayerSide(int32_t player);
int32_t VTW_GetPlayerShirt(int32_t player);
void VTW_SetPlayerShirt(int32_t player, int32_t shirt);  // 0-32; another shirt is fatal
int32_t VTW_GetPlayerAge(int32_t player);
int32_t VTW_GetPlayerNationality(int32_t player);
int32_t VTW_GetPlayerReputation(int32_t player);
void Player_SetRep(int32_t player, int32_t reputation);  // 0-63
int32_t VTW_GetPlayerWage(int32_t player);
void VTW_SetPlayerWage(int32_t player, int32_t wage);  // not below 0
int32_t VTW_GetPlayerContract(int32_t player);         // months
int32_t VTW_GetPlayerTraining(int32_t player);
int32_t VTW_GetPlayerAbilityCurve(int32_t player);
int32_t Player_GetTraining(int32_t player);
int32_t Player_GetAbilityCurve(int32_t player);
int32_t Player_GetPositionRaw(int32_t player);
int32_t VTW_GetPlayerApps(int32_t player);
int32_t VTW_GetPlayerGoals(int32_t player);
int32_t VTW_GetPlayerAssists(int32_t player);
int32_t VTW_GetPlayerPerf(int32_t player);  // perf sum / rated count, 0 unrated
int32_t VTW_GetPlayerCareerApps(int32_t player);
int32_t VTW_GetPlayerCareerGoals(int32_t player);
int32_t VTW_GetPlayerDisciplinePoints(int32_t player);  // points x 3
int32_t Player_GetSuspension(int32_t player);
int32_t VTW_GetPlayerInFlag(int32_t player);  // injured
int32_t VTW_GetPlayerZeroD(int32_t player);   // missing
int32_t VTW_GetPlayerInjuryType(int32_t player);
int32_t VTW_GetPlayerInjuryTime(int32_t player);  // weeks, rounded up
int32_t VTW_GetPlayerTxList(int32_t player);
int32_t VTW_GetPlayerLoanList(int32_t player);
void VTW_SetPlayerLoanList(int32_t player, int32_t on);
void VTW_SetPlayerSaleStatus(int32_t player, int32_t on);
void VTW_PutPlayerOnTxList(int32_t player, int32_t on);  // also the sale status
int32_t VTW_GetPlayerCaptain(int32_t player);
int32_t VTW_GetPlayerManager(int32_t player);        // 1 for a manager (position 13)
int32_t VTW_GetPlayerManagerFlag(int32_t player);    // 1 for the player-manager
void VTW_ClearPlayerManagerFlag(int32_t player);     // he plays no more
int32_t VTW_GetPlayerAskedTransfer(int32_t player);  // 1 when he asked to leave
int32_t VTW_GetPlayerRelegationClause(int32_t player);
int32_t VTW_GetPlayerBigClubClause(int32_t player);
int32_t VTW_GetRecField14(int32_t player);  // asking price, -1 none
void VTW_SetPlayerManPrice(int32_t player, int32_t price);
int32_t VTW_GetPersonBits0to2(int32_t player);
int32_t VTW_GetPersonBits3to5(int32_t player);
int32_t VTW_GetPersonBits6to8(int32_t player);
int32_t VTW_GetPositionType(int32_t player);  // line 0-3, 4 manager; another code is fatal
int32_t VTW_GetPositionLine(int32_t player);
int32_t VTW_GetPositionTextNo(int32_t player);  // 564-568
int32_t VTW_GetSideTextNo(int32_t player);      // 36-38, -1 for no side
int32_t VTW_GetPlayerMoralePercent(int32_t player);
int32_t VTW_GetPlayerFitnessPercent(int32_t player);
int32_t VTW_GetPlayerFatiguePercent(int32_t player);
int32_t VTW_GetPlayerExperiencePercent(int32_t player);
int32_t VTW_GetAbilityStat(int32_t player, int32_t stat);      // 0-7, at least 10
int32_t VTW_GetPhysicalStat(int32_t player, int32_t stat);     // 8-14, at least 10
int32_t VTW_GetPersonalityStat(int32_t player, int32_t stat);  // 15, 19, 20, halved
int32_t Player_GetStat(int32_t player, int32_t stat);   // any stat 0-21 as computed; else fatal
void Player_GetStats(int32_t player, int32_t out[22]);  // stats 0-21 at once, the same values
// The eight abilities (stats 0-7) the stat model gives him at `age`, all else as he stands; 0s
// for no such player.
void Player_GetAbilityStats(int32_t player, int32_t age, int32_t out[8]);
void Player_DropStatCache();  // the stats are worked out afresh: a new career or a load
int32_t VTW_GetPlayerValue(int32_t player);
int32_t VTW_ComputePlayerValueWithPotential(int32_t player);
int32_t VTW_GetPlayerAvailability(int32_t player);  // 4 unavailable, 7 on loan away, else 0
int32_t VTW_GetPlayerStatusText(int32_t player);    // icon 1210, 1208 or 0
// What a player first asks at contract talks for `years` with `club`, on the talks' own scale;
// the talks count the years left of his present contract into `years`.
int32_t ContractTalks_BaseDemand(int32_t player, int32_t club, int32_t years);
// The wage the world pays him for `years` with `club`, on its country's world wage scale: what
// the clubs pay, what he signs for, and so where the talks' demand rises to.
int32_t Contract_WorldWage(int32_t player, int32_t club, int32_t years);

// Persons and names.
int32_t VTW_PersonTextNo(int32_t person);                    // 3000 + id, -1 stays -1
void VTW_SetPlayerInitial(int32_t person, int32_t initial);  // 0-26
int32_t Person_GetTacticB(int32_t person);
const char* VTW_FormatPersonName(int32_t person);   // "X. Surname"
const char* VTW_GetPlayerClubText(int32_t player);  // the surname entry alone
void VTW_SetManagerName(const char* name);          // person 0's name, cut to 31 characters

// Staff: the holder's rating 1-99 per role, 0 vacant; his contract in months.
int32_t Staff_GetRating(int32_t club, int32_t role);
void Staff_Set(int32_t club, int32_t role, int32_t rating, int32_t wage);
int32_t Staff_GetContract(int32_t club, int32_t role);
void Staff_SetContract(int32_t club, int32_t role, int32_t months);
int32_t VTW_GetClubCoach(int32_t club);
int32_t VTW_GetClubCoachGK(int32_t club);
int32_t VTW_GetClubCoachDF(int32_t club);
int32_t VTW_GetClubCoachMD(int32_t club);
int32_t VTW_GetClubCoachFW(int32_t club);
int32_t VTW_GetClubPhysio(int32_t club);
int32_t VTW_GetClubYDO(int32_t club);
int32_t VTW_GetClubDietitian(int32_t club);
int32_t VTW_GetClubCoachYouth(int32_t club);
int32_t VTW_GetClubPsycho(int32_t club);
int32_t VTW_GetClubFaith(int32_t club);

// Per role: the holder (rating 0 leaves the post vacant) and his contract in months.
void VTW_SetClubCoach(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachContract(int32_t club);
void VTW_SetClubCoachContract(int32_t club, int32_t months);
void VTW_SetClubCoachGK(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachGKContract(int32_t club);
void VTW_SetClubCoachGKContract(int32_t club, int32_t months);
void VTW_SetClubCoachDF(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachDFContract(int32_t club);
void VTW_SetClubCoachDFContract(int32_t club, int32_t months);
void VTW_SetClubCoachMD(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachMDContract(int32_t club);
void VTW_SetClubCoachMDContract(int32_t club, int32_t months);
void VTW_SetClubCoachFW(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachFWContract(int32_t club);
void VTW_SetClubCoachFWContract(int32_t club, int32_t months);
void VTW_SetClubPhysio(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubPhysioContract(int32_t club);
void VTW_SetClubPhysioContract(int32_t club, int32_t months);
void VTW_SetClubYDO(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubYDOContract(int32_t club);
void VTW_SetClubYDOContract(int32_t club, int32_t months);
void VTW_SetClubDietitian(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubDietitianContract(int32_t club);
void VTW_SetClubDietitianContract(int32_t club, int32_t months);
void VTW_SetClubCoachYouth(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubCoachYouthContract(int32_t club);
void VTW_SetClubCoachYouthContract(int32_t club, int32_t months);
void VTW_SetClubPsycho(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubPsychoContract(int32_t club);
void VTW_SetClubPsychoContract(int32_t club, int32_t months);
void VTW_SetClubFaith(int32_t club, int32_t rating, int32_t wage);
int32_t VTW_GetClubFaithContract(int32_t club);
void VTW_SetClubFaithContract(int32_t club, int32_t months);

// Finances. Balances keep the 28-bit signed range; club 255 keeps an unlimited balance of its
// own, which small clubs' money goes to.
int32_t VTW_GetClubBalance(int32_t club);
int32_t Club_GetBalance(int32_t club);
void Club_SetBalance(int32_t club, int32_t balance);  // clamped, and the clamp logged
// Changes the balance and one season figure together (a positive amount of income or of
// spending); the only way money moves. Income beyond BALANCE_MAX is booked whole, the part the
// ceiling takes also as spent under CLUB_FIG_MISC_OUT, with one debug line naming club and sum.
void Club_Book(int32_t club, ClubFigure figure, int32_t amount);
void VTW_AddClubCash(int32_t club, int32_t amount);  // booked as misc in or misc out
int64_t Club_GetOutsideBalance();                    // club 255's balance
// For a game saved while win bonuses were booked as spending: each club whose figures explain
// its balance only that way has them moved to its miscellaneous spending, so that its figures
// add up again; no balance changes. Run on every load: a later save's figures are left alone.
void Club_RestateSpentWinBonuses();
int32_t VTW_GetClubGateReceipts(int32_t club);
int32_t VTW_GetClubSales(int32_t club);
int32_t VTW_GetClubSponsorship(int32_t club);
int32_t VTW_GetClubTVIncome(int32_t club);
int32_t VTW_GetClubMerchandising(int32_t club);
int32_t VTW_GetClubMiscIn(int32_t club);
int32_t VTW_GetClubWinBonuses(int32_t club);
int32_t VTW_GetClubPlayerWages(int32_t club);
int32_t VTW_GetClubSignings(int32_t club);
int32_t VTW_GetClubCoachingStaffWages(int32_t club);
int32_t VTW_GetClubGroundStaffWages(int32_t club);
int32_t VTW_GetClubStadiumMaintenance(int32_t club);
int32_t VTW_GetClubMiscOut(int32_t club);
int32_t VTW_GetClubBalanceCarriedForward(int32_t club);
int32_t VTW_SumStadiumWorks(int32_t club);  // cost of the works, -1 none
int32_t VTW_GetClubMaxWageOffer(int32_t club);
// What the club can still offer: its budget less the fees of its transfer bids not yet paid
// (Market_FeesBidFor), never below 0.
int32_t VTW_GetClubTransferBudget(int32_t club);
// The board's budget: three quarters of the balance above the wages it holds back (a club
// outside the league: by its reputation).
int32_t Club_GetTransferBudget(int32_t club);
// The budget a club with this balance and weekly wage bill of its own players would have.
int32_t Club_TransferBudgetOf(int32_t balance, int64_t weeklyWages);
// What the budget holds back of a club's balance: its own players' wages for 125 weeks.
int64_t Club_WagesReserved(int32_t club);
int32_t VTW_GetClubWageTotal(int32_t club, int32_t* average);
int32_t VTW_GetClubWageBill(int32_t slot);  // total x 25
int32_t VTW_GetClubSpending(int32_t club);  // player wages + signings
int32_t VTW_GetClubIncome(int32_t club);    // gate receipts + sales

// Forwarded to GameHooks; the training screen answers them.
void VTW_InitTrainingBuffer();
void VTW_SyncTrainingBuffer();
void VTW_SetTrainingDefaults();
void VTW_StoreTrainingSchedule();
