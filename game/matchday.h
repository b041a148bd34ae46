// game/matchday.h: the match day: today's fixtures in playing order, each set up, played and
// processed into the fixture table, the players and the clubs; the computer's team selection and
// the form and ratings the screens read.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MatchDayBlock;

// Today's unplayed rows, the one definition the counts and the player of the day share. The
// group: the human club's competition today (for the league, his division); -1 when he does not
// play today.
int32_t VTW_FindHumanNextFixture();
// Unplayed rows of today in the human's group (his own included) and all the others.
void VTW_CountTodaysFixtures(int32_t* group, int32_t* other);
void Fixture_ShuffleToday();  // random pair swaps among today's rows
// Moves the human's row of today behind the other rows of his group; 1 when he plays today.
int32_t Fixture_PutHumanLast();
int32_t VTW_PutHumanFixtureLast();
// Plays the first unplayed row of today in the human's group, else the first other one, and
// writes it to *row: non-zero; 0 when none is left.
int32_t VTW_PlayMatchDay(int32_t* row);

// One fixture: set-up, the match, post-match processing, the human's reports.
void Season_PlayMatchDay(int32_t row);
void SetupFixture(int32_t row);  // the match-day block for the row; a row not in use is fatal
void PlayFixture();              // the result into the match data block
// Post-match processing of the block just played: the fixture row, players and clubs.
void PostMatch_Process();
// Whether the match in the blocks went to extra time (a fixture row keeps it after processing).
bool PostMatch_ExtraTimePlayed();
void MatchDay_KeepAlive();  // the day screen's step while it shows, else Poll

// This season's bookings of each full player: every fifth bans him for one match. Saved with the
// game.
extern uint8_t PlayerSeasonBookings[PLAYER_FULL_MAX];
// This season's clean sheets of each full player, counted where his appearances are: the
// competitive matches he started in goal and finished without his side conceding. Saved with the
// game; a save made before it was kept loads with every count 0.
extern uint8_t PlayerSeasonCleanSheets[PLAYER_FULL_MAX];
// The player's bookings and clean sheets of the season back to 0: at the season's turn, and for
// a full id freed or given to a new player.
void MatchDay_ClearPlayerSeason(int32_t player);

// Bits of the day-screen flags.
constexpr uint32_t DAY_SCREEN_SHOWING = 1 << 3;
extern uint32_t DayScreenFlags;

// The match day's own part of a new game: empty goal and card logs, every full club's team.
void MatchDay_NewGame();

// Team selection: the manager's formation filled with the fittest eligible players by line;
// shirts 1-11 the starters in slot order, 12-16 a keeper, a defender, a midfielder, a forward
// and the best of the rest, 0 everyone else; captain and set-piece takers among the starters.
void Club_AISelectTeam(int32_t club);
void VTW_AISelectTeam(int32_t club);
// Takes the shirt from every squad player who may not play the club's next match; then 1 when
// fewer than 11 starters remain, 2 when more than three non-Europeans hold shirts 1-11, else 0.
int32_t VTW_ClearIneligibleShirts(int32_t club);
// The same answer with every shirt left where it is, so that the human can still swap an
// ineligible starter out on the squad screen.
int32_t VTW_CheckTeamSheet(int32_t club);
// 1 when the player may play the club's next fixture (not injured, suspended, missing, loaned
// out, nor cup-tied for a cup tie of that competition).
int32_t MatchDay_PlayerEligible(int32_t player, int32_t club);
// The fixture's official, drawn with the game's generator: strictness and card threshold from the
// officials' table, no lenient side.
void MatchDay_DrawOfficial(MatchDayBlock* b);
// The tactic a side plays: the human's words, or 5 x the manager's formation + variant with
// that formation copied into the side's slot 0. A side other than 0 or 1 is fatal.
void Match_SetupSideTactics(int32_t side, int32_t club);
// The engine's position code of the grid cell of a tactic slot (0 keeper, 1-12 by line and
// place across the pitch).
int32_t Match_SlotPositionCode(int32_t slot, int32_t row, int32_t column);

// Ratings: in the last match's player records / in ReportFixture's player rows; 0 absent.
int32_t VTW_GetSquadPlayerRating(int32_t player);
int32_t VTW_GetPlayerMatchRating(int32_t player);

// Results, newest first, in ClubRecord::lastResults (six competitive) and lastLeagueResults
// (five league): 0 none, 1 win, 2 draw, 3 defeat.
enum MatchResultCode : uint8_t { RESULT_NONE, RESULT_WIN, RESULT_DRAW, RESULT_DEFEAT };
// Sum over the last six results of weight (6 newest .. 1) x points (3, 1) x 100 / 63: 0-100.
int32_t VTW_GetClubRecentForm(int32_t club);
// The letters of the last five league results, newest first ("VVNDV"); one static buffer.
const char* VTW_GetClubFormText(int32_t club);
