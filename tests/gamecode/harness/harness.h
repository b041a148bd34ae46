// tests/gamecode/harness/harness.h: what every match engine test shares: seeded sides and
// match-day blocks, recorders on the presentation, scenario stepping, a watchdog that checks the
// engine's invariants on every pass, and hashed golden runs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/matchblocks.h"
#include "gamecode/actionids.h"
#include "gamecode/phases.h"
#include "tests/support/host_run.h"

// StrongAgainstWeak: a block of a strong home side (side 0) and a weak away side.
enum class SidePreset { Balanced, Strong, Weak, Extreme, StrongAgainstWeak };

// A side with fictional names, a 4-4-2 as custom formation 0 (tactic 40), shirts 4/9/10/7 as
// captain and takers and 16 players, from its own small generator (never the game's).
MatchSide MakeSide(uint32_t seed, SidePreset preset);

// Writes a real MatchDayBlock: view mode 3, period length 5, officials (65, 58, 0), three
// substitutes, both sides from MakeSide.
struct MatchDayBuilder {
    uint32_t seed = 1;
    SidePreset preset = SidePreset::Balanced;
    uint8_t extraTime = 0;
    uint8_t shootOut = 0;
    uint8_t goldenGoal = 0;
    uint8_t awayGoals = 0;
    uint16_t periodMinutes = 5;
    uint8_t difficulty = 0;
    int16_t substitutes = 3;
    uint16_t viewMode = VIEW_NONE;
    int16_t firstLegGoals[2] = {0, 0};
    bool human[2] = {false, false};  // the side's manager is a human
    void (*afterWrite)() = nullptr;  // changes of the written block, e.g. kits a view can draw
    void Write() const;              // into GetMatchSidesBlock()
};

// The builder writes only what the engine reads; a real match day also fills the words that the
// views and a slot's load read: the bench, the crowd, daylight, plain kits, the players' looks and
// an empty manager's entry.
void FillWhatTheEngineLeftCleared(MatchDayBlock* block);

// Everything the engine told the presentation.
struct PresentationRecord {
    std::vector<int32_t> sounds;
    std::vector<std::string> calls;  // menus, replay and view operations, in order
    std::vector<int32_t> commentaryGroups;
    std::vector<std::array<int32_t, 3>> infoBars;  // type, first and second person
    std::vector<int32_t> groundMarks;              // the types left
    int32_t Count(const std::string& call) const;
};

// A scripted stretch of the game's generator: draw i wants low <= Rand() % modulus <= high
// ({1, 0, 0} takes any draw). Seeds the generator with the first seed from 1 whose draws follow
// the script; a script no seed below 2^26 follows fails the test.
struct ScriptedDraw {
    int32_t modulus;
    int32_t low;
    int32_t high;
};
void ScriptDraws(const std::vector<ScriptedDraw>& script);

// The actions the 32 players entered (through Person_SetAction or Person_StoreAction), per side
// and action id, while a ScopedMatch lives; SoakRun counts each match afresh.
struct ActionTally {
    std::array<std::array<int32_t, ACT_COUNT>, 2> entries{};
    int32_t Of(int32_t side, int32_t action) const { return entries[side][action]; }
    int32_t OfBothSides(int32_t action) const { return Of(0, action) + Of(1, action); }
};

// Resets the core and the engine (MatchEngine_Init, the default presentation with recorders on
// the sounds, menus and replay calls, the watchdog as a poll function), and undoes it at the end.
// The replay operations are the recorders' own: no frame is recorded and a replay ends at once.
class ScopedMatch {
public:
    ScopedMatch();
    ~ScopedMatch();
    ScopedMatch(const ScopedMatch&) = delete;
    ScopedMatch& operator=(const ScopedMatch&) = delete;

    PresentationRecord& Record();
    ActionTally& Actions();
};

// ScopedMatch on the headless host's window, with the keyboard installed and sound on, for the
// tests of what the engine asks of the keyboard and the sound channels.
class ScopedMatchOnHost {
public:
    ScopedMatchOnHost();
    ~ScopedMatchOnHost();
    ScopedMatchOnHost(const ScopedMatchOnHost&) = delete;
    ScopedMatchOnHost& operator=(const ScopedMatchOnHost&) = delete;

    PresentationRecord& Record() { return m_match.Record(); }
    static void HoldKey(uint32_t code);  // the key goes down, as the window delivers it

private:
    ScopedHeadlessHost m_host;
    ScopedMatch m_match;
};

// Watchdog: counts loop passes, injects scripted actions at chosen passes, checks the
// invariants after each pass, and past the pass budget records a failure and ends the match.
void Watchdog_At(uint64_t pass, std::function<void()> action);
// Runs the action once, at the first pass after which the condition holds.
void Watchdog_When(std::function<bool()> condition, std::function<void()> action);
void Watchdog_SetBudget(uint64_t passes);
// Adds the watchdog to the poll functions again, after something has started the poll system
// afresh inside a ScopedMatch.
void Watchdog_Reinstall();
uint64_t Watchdog_Passes();
// Engine ticks the polls have seen.
uint64_t Watchdog_Ticks();
const std::vector<std::string>& Watchdog_Failures();
std::string Engine_CheckInvariants();  // empty when they hold

// The ball still on the ground at (x, y) in open play, last touched by nobody, and every player
// parked on a far row (y 1900, 40 apart) with a ball distance of 10000: a scene for placed
// players to meet it.
void PlaceBallAlone(int32_t x, int32_t y);
// A bare scene for placed players: side 0 attacks y 122; line-up position and proximity entry i
// of each side hold that side's person i; persons 0-31 off the pitch walking to their targets,
// standing, every skill 50, no flank penalty, no instruction, target cell, offside mark or
// counter.
void SetBareScene();
// Every person of both sides in his own line-up place (side x 20 + slot), named "J. Joueur<nn>";
// the starters on the pitch and rated 50, the substitutes off it and unrated.
void SeatEveryPersonInHisPlace();
// Open play: each side's first eleven spread across the middle of the pitch on their own target
// points (side 0 at y 800, side 1 at y 1300), the substitutes off the pitch.
void SpreadTheElevensOverTheMiddle();
// MatchEngine_Init, the default block, the match's physics, the elevens spread over the middle
// (side 0 attacks y 2042) and the ball at (700, 1000) in open play.
void SetOpenPlayScene();
// A bare scene with the ball held still (no drag, no gravity) at (x, y) and `height`, and `person`
// on it in `action`, facing and looking along `facing`, expecting the ball where he stands; his
// jump (skill 4) is 80: he reaches 12 units and balls below 20 when he jumps.
void PlaceUnderStillBall(int32_t person, int16_t action, int32_t x, int32_t y, int32_t facing,
                         int32_t height);
// One tick of the person's action as the dispatcher runs it: his working position lent to it and
// taken back, Match.currentSide his side.
void RunPersonAction(int32_t person);
// Ticks of the person's action while it stays `action` (at most maxTicks): the drawn frames at
// which he struck the ball (his kicked flag went up).
std::vector<int32_t> StrikeFramesOf(int32_t person, int16_t action, int32_t maxTicks);

// The pitch constants and the ball's drag, gravity and bounce as a match's set-up gives them.
void SetMatchPhysics();
void RunTicks(int32_t n);  // EngineTick n times, invariants checked
// Ticks until the predicate holds; false when the budget ran out first.
bool RunUntil(const std::function<bool()>& done, int32_t budget);

// One side's figures of one half.
struct HalfFigures {
    int32_t shots = 0;
    int32_t shotsOnTarget = 0;
    int32_t fouls = 0;    // committed
    int32_t corners = 0;  // won
    int32_t goals = 0;    // scored
};

// A whole match played under the full-match checks: no phase but open play lasts more than 3,000
// ticks, the ball never rests within 16 units of one point for 1,500 ticks of open play, never
// lies still (speed 0, in play, no stoppage) for more than 500 ticks, no player keeps it within 32
// units of one spot for more than 1,000 ticks, each side's score stays equal to its goal event
// rows and no side substitutes beyond its limit or without its row. At full time CheckFullTime
// holds. A stall names the seed, the tick and the persons around the ball.
struct SoakResult {
    int32_t score[2] = {0, 0};
    int32_t goalRows[2] = {0, 0};
    int32_t shootOutGoals[2] = {0, 0};
    int32_t throwIns = 0;  // restarts awarded over the match
    int32_t goalKicks = 0;
    int32_t corners = 0;
    int32_t fouls = 0;                 // foul phases entered
    int32_t foulsAgainst[2] = {0, 0};  // foul phases set up against each side
    int32_t teamFouls[2] = {0, 0};     // the team totals of the match
    int32_t freeKicks = 0;             // free kicks, direct or not, and penalties awarded
    int32_t penalties = 0;             // given in play
    int32_t shootOutKicks = 0;         // both sides' kicks of the shoot-out
    int32_t directFreeKicks = 0;
    int32_t offsides[2] = {0, 0};            // the team totals of the match
    int32_t playerOffsides[2] = {0, 0};      // the players' totals of the match
    int32_t bookings = 0;                    // both sides' bookings shown, second ones too
    int32_t sendingsOff = 0;                 // both sides' dismissals
    int32_t substitutions[2] = {0, 0};       // made over the match
    int32_t substitutionTotals[2] = {0, 0};  // the team totals the result block holds
    int32_t outfieldTiredness = 0;  // resultByteA summed over the outfield starters at full time
    int32_t outfieldStarters = 0;
    int32_t keeperTiredness = 0;           // of the starting keepers still in goal
    uint32_t possessionTicks[2] = {0, 0};  // open-play ticks each side had the ball
    int32_t shots[2] = {0, 0};             // the team totals of the match
    int32_t shotsOnTarget[2] = {0, 0};
    int32_t cornersWon[2] = {0, 0};   // the team totals of the match
    int32_t passesTried[2] = {0, 0};  // the players' totals of the match
    int32_t passesCompleted[2] = {0, 0};
    int32_t crosses[2] = {0, 0};
    int32_t catches = 0;  // both keepers' saves
    int32_t parries = 0;
    int32_t otherSaves = 0;                  // palms, punches and deflections
    int32_t phaseEntries[PHASE_COUNT] = {};  // times each phase was entered
    uint32_t periods = 0;                    // bit n: period n was played
    HalfFigures halves[2][2];                // [half of normal time][side]
    int32_t upSide[2] = {0, 0};              // the side attacking toward y 2042 in each half
    ActionTally actions;
    bool finalWhistle = false;
    bool territoryInRange = false;  // every played minute's byte 0-100
    bool territoryMatchesThirds = false;
    std::vector<std::string> failures;  // the watchdog's and the full-match checks'
};
// Plays the builder's block, the generator seeded by its seed, in a ScopedMatch already set up.
SoakResult SoakRun(const MatchDayBuilder& builder);

// Empty while every field of the data block agrees with the played match at full time: the
// periods fit the fixture; each side's score, goal rows and goal list, its card rows, list,
// records and players' card words, its substitution rows and count; 16 rows a side rated 10-99
// for a player who took part (100 only for the player of the match, whose id is on his side
// and -1 on the other) and 0 for the others, with the match view's figures in their ranges; the
// team totals, the territory bytes and totals and the heat maps within the open play. Else the
// first disagreement.
std::string CheckFullTime(const MatchDayBuilder& builder);

struct GoldenResult {
    std::vector<std::string> lines;  // "key value", then "hash <tick> <hex> <draws>"
};
// MatchEngine_Init, the block, SRand(seed), PlayMatch3D; `init` false skips MatchEngine_Init.
GoldenResult GoldenRun(uint32_t seed, SidePreset preset, bool init = true);
GoldenResult GoldenRun(const MatchDayBuilder& builder, bool init = true);  // seeded by builder.seed
// Compares with tests/gamecode/golden/<name>.golden (PELLORAN_UPDATE_GOLDEN=1 rewrites it); an
// empty string when equal, else the first divergence.
std::string CompareGolden(const GoldenResult& result, const std::string& name);
