// tests/gamecode/matchday_contract_test.cpp: a match-day block as the match day really sets it up
// is one the engine reads as it expects, and the engine's result goes back into the season.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "engine/poll.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/matchrecords.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The generated world with the built-in tactics mounted, as the game plays a match day.
class MatchDayContract : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        PollInit();
    }
    void TearDown() override
    {
        PollUninit();
        MatchBlocks_Uninit();
    }

    ScopedWorld m_world;
    ScopedTactics m_tactics;
};

// The first league row of a new game, its home club made the human's and its day today.
int32_t HumansFirstLeagueRow()
{
    NewGameForTest(0, 11);
    int32_t row = 0;
    while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
        ++row;
    }
    const int32_t human = VTW_GetFixtureHomeClub(row);
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    return row;
}

void ExpectTheEngineCanReadIt(const MatchDayBlock& block)
{
    EXPECT_GE(+block.official[0], 50);
    EXPECT_LE(+block.official[0], 80);
    EXPECT_GE(+block.official[1], 50);
    EXPECT_LE(+block.official[1], 65);
    EXPECT_GE(+block.official[2], 0);
    EXPECT_LE(+block.official[2], 2);
    EXPECT_EQ(+block.lenientSide, +block.official[2]);
    EXPECT_GE(+block.substitutionsAllowed, 0);
    EXPECT_LE(+block.substitutionsAllowed, 5);
    EXPECT_EQ(+block.periodMinutes, 5);
    for (const MatchSide& side : block.sides) {
        // A computer side plays its first formation, a human one his chosen tactic.
        const int32_t own = side.human != 0 ? side.tactic - TACTIC_CUSTOM_FIRST : 0;
        if (own >= 0) {
            EXPECT_FALSE(TacticsRecord_IsEmpty(side.tactics[own])) << side.teamName;
        }
        EXPECT_LT(+side.tactic, TACTIC_CUSTOM_FIRST + TACTIC_CUSTOM_COUNT);
        // The block is packed: its words are read by value.
        for (int32_t k = 0; k < TAKER_COUNT; ++k) {
            const int32_t shirt = side.designated[k];
            EXPECT_GE(shirt, 1);
            EXPECT_LE(shirt, MATCH_SHIRT_COUNT);
        }
        for (int32_t s = 0; s < MATCH_SHIRT_COUNT; ++s) {
            const MatchPlayerEntry& entry = side.entries[s];
            EXPECT_NE(+entry.playerId, 0xFFFF) << side.teamName << " shirt " << s + 1;
            for (int32_t k = 0; k < MATCH_ATTRIBUTE_COUNT; ++k) {
                EXPECT_LE(+entry.attributes[k], 100) << side.teamName << " shirt " << s + 1;
            }
        }
    }
}

// A goal for the home side early in the second half, as the engine cannot score yet itself.
TEST_F(MatchDayContract, ASetUpFixtureIsReadAsTheEngineExpectsAndItsResultGoesBack)
{
    const int32_t row = HumansFirstLeagueRow();
    SetupFixture(row);
    const MatchDayBlock& block = *GetMatchSidesBlock();
    ExpectTheEngineCanReadIt(block);

    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    PlayFixture();
    MatchEngine_Stop();
    EXPECT_EQ(Match.substitutesAllowed, +block.substitutionsAllowed);
    EXPECT_EQ(Match.periodMinutes, 5);
    EXPECT_EQ(Match.official[2], +block.lenientSide);
    for (int32_t side = 0; side < 2; ++side) {
        for (int16_t taker : Match.takers[side]) {
            EXPECT_GE(taker, side * MATCH_PERSONS_PER_SIDE);
            EXPECT_LT(taker, (side + 1) * MATCH_PERSONS_PER_SIDE);
        }
    }

    PostMatch_Process();
    // The row holds the score the engine played.
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), Match.score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), Match.score[1]);
    EXPECT_NE(Fixture_IsPlayed(row), 0);
}

// Season goals of every squad player of the clubs of `row`, by player id.
std::map<int32_t, int32_t> SeasonGoalsOfBothClubs(int32_t row)
{
    std::map<int32_t, int32_t> goals;
    for (int32_t club : {VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row)}) {
        const int16_t* members = nullptr;
        const int32_t count = Records_ClubMembers(club, &members);
        for (int32_t k = 0; k < count; ++k) {
            goals[members[k]] = VTW_GetPlayerGoals(members[k]);
        }
    }
    return goals;
}

// The scorers a club's goal log holds, in order.
std::vector<int32_t> GoalLog(int32_t club)
{
    std::vector<int32_t> scorers;
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    for (const auto& pair : record->goals) {
        if (pair[0].player != -1) scorers.push_back(pair[0].player);
    }
    return scorers;
}

int32_t PlayerIdOf(int32_t person) { return person >= 0 ? MatchPersons[person].playerId : -1; }

bool PlayedInTheMatch(int32_t player)
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (MatchPersons[person].playerId == player) return true;
    }
    return false;
}

// A recorded minute is the logged one but for the first minute and stoppage time.
bool SameMinute(int32_t recorded, int32_t logged)
{
    const bool cap = recorded == 46 || recorded == 91 || recorded == 106 || recorded == 121;
    return recorded == std::max(logged, 1) || (cap && logged >= recorded);
}

// Runs a scenario on every pass of the engine's loop while it lives, under a pass budget so that a
// stuck engine fails the test instead of hanging it: past the budget every period ends at once.
class ScopedScenario {
public:
    explicit ScopedScenario(void (*scenario)())
    {
        s_scenario = scenario;
        s_passes = 0;
        m_key = AddPollFunction(Run, POLL_EVERY_CALL, 0);
    }
    ~ScopedScenario()
    {
        RemovePollFunction(m_key);
        EXPECT_LE(s_passes, kPassBudget) << "the engine did not finish its match";
    }
    ScopedScenario(const ScopedScenario&) = delete;
    ScopedScenario& operator=(const ScopedScenario&) = delete;

private:
    static constexpr uint64_t kPassBudget = 200000;
    static void Run()
    {
        if (++s_passes <= kPassBudget) {
            s_scenario();
            return;
        }
        MatchEndFlag = 1;
        MatchPhase = PHASE_PERIOD_OVER;
        Match.extraTime = Match.goldenGoal = Match.shootOut = 0;
    }
    static inline void (*s_scenario)() = nullptr;
    static inline uint64_t s_passes = 0;
    uint16_t m_key;
};

// Plays today's rows as the match day does, the human's group first and his row last in it,
// and stops after his row so that the match data block is his match's; his row, moved.
int32_t PlayTheDayUpToTheHumansRow()
{
    VTW_PutHumanFixtureLast();
    const int32_t human = VTW_FindHumanNextFixture();
    for (int32_t row = -1; VTW_PlayMatchDay(&row) && row != human;) {
    }
    return human;
}

// A player winding up a kick, or carrying the ball, puts it back at his feet each tick: the
// scripted strike waits until the ball is away from everybody.
bool BallIsLoose()
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        if (p.offPitch == 0 && std::abs(p.x - ball.x) + std::abs(p.y - ball.y) < 40) return false;
    }
    return Ball.holder == 0;
}

// One goal a half for the home side, struck into the goal it attacks once half the half is
// played and the ball is loose: a penalty of its number 10 in the first, an own goal of the away
// side's number 5 in the second, who is booked as it goes in. The engine's own play may add more.
int32_t s_scriptedGoals;
void ScoreOnceAHalfForTheHomeSide()
{
    if (Match.period != s_scriptedGoals || Match.period > 1 || MatchPhase != PHASE_OPEN_PLAY
        || Match.periodTicks < Match.periodLength / 2 || !BallIsLoose())
        return;
    ++s_scriptedGoals;
    const bool highGoal = Match.secondOfPair == 0;  // side secondOfPair attacks toward y 2042
    const int32_t line = highGoal ? Pitch.secondGoalLine : Pitch.firstGoalLine;
    const int32_t inward = highGoal ? -1 : 1;
    Person_PlaceAt(LineUp[1][0], 300, line + 200 * inward);  // no save
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, line + 8 * inward);
    Ball.velX = 0;
    Ball.velY = -20 * 65536 * inward;
    Ball.height = 0;
    if (Match.period == 0) {
        Ball.lastToucher = LineUp[0][9];
        Match.firstShotRecord = 1;
        Match.shotRecordPlayer[0] = static_cast<int8_t>(LineUp[0][9]);
        return;
    }
    const int32_t defender = LineUp[1][4];
    Ball.lastToucher = static_cast<int16_t>(defender);
    MatchPersons[defender].bookings = 1;
    Match_RecordCard(defender);
}

// The goal and card lists of the match data block name the goals and cards the engine recorded,
// and the clubs' logs took them.
void ExpectTheListsOfTheMatch(const MatchDataBlock& data, int32_t row, size_t logged)
{
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t count = std::min<int32_t>(Match.score[side], MATCH_GOAL_RECORDS);
        for (int32_t g = 0; g < count; ++g) {
            const MatchGoalRecord& goal = Match.goals[side][g];
            EXPECT_EQ(+data.sides[side].goals[g].player, PlayerIdOf(goal.person));
            EXPECT_EQ(+data.sides[side].goals[g].assist, PlayerIdOf(goal.assist));
            EXPECT_EQ(+data.sides[side].goals[g].kind, +goal.listKind);
        }
        if (count < MATCH_GOAL_RECORDS) {
            EXPECT_EQ(+data.sides[side].goals[count].player, -1);
        }
    }
    // The scripted penalty and own goal, and the booking.
    const auto listed = [&](int32_t kind) {
        return std::find_if(std::begin(data.sides[0].goals), std::end(data.sides[0].goals),
                            [kind](const MatchGoalEntry& g) { return g.kind == kind; });
    };
    ASSERT_NE(listed(1), std::end(data.sides[0].goals));
    EXPECT_EQ(+listed(1)->player, PlayerIdOf(LineUp[0][9]));
    // The engine's own play may put in own goals of its own before the scripted one.
    const int32_t defenderId = PlayerIdOf(LineUp[1][4]);
    EXPECT_TRUE(std::any_of(
        std::begin(data.sides[0].goals), std::end(data.sides[0].goals),
        [defenderId](const MatchGoalEntry& g) { return g.kind == 2 && g.player == defenderId; }));
    // The engine's own fouls may book others before him.
    EXPECT_TRUE(std::any_of(
        std::begin(data.sides[1].cards), std::end(data.sides[1].cards),
        [defenderId](const MatchCardEntry& c) { return c.kind == 1 && c.player == defenderId; }));
    const ClubRecord* away = VTW_GetClubRecordPtr(VTW_GetFixtureAwayClub(row));
    EXPECT_NE(+away->cards[0].minute, -1);
    const int32_t human = VTW_GetFixtureHomeClub(row);
    EXPECT_EQ(GoalLog(human).size() - logged, static_cast<size_t>(Match.score[0]));
    int32_t details[8] = {};
    for (const LastMatchIncident& incident : LastMatchIncidents) {
        if (LastMatchIncident_Kind(incident) == 0) ++details[incident.detail & 7];
    }
    EXPECT_GE(details[5], 1);  // the penalty
    EXPECT_GE(details[7], 1);  // the own goal
}

// A single-leg tie of the first national cup between the clubs of `row`, on the first later day
// both are free.
int32_t InsertCupTie(int32_t row)
{
    int32_t round = 0;
    while (Fixture_RoundLegs(0, round) != 1) {
        ++round;
    }
    const int32_t comp = Fixture_CupComp(0, round, 0);
    for (int32_t day = VTW_GetFixtureDay(row) + 1; day < FIXTURE_DAY_EMPTY; ++day) {
        const int32_t tie =
            VTW_InsertFixture(day, comp, VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row));
        if (tie >= 0) return tie;
    }
    return -1;
}

// No goal before the shoot-out: the ball is put back on the centre spot whenever it comes within
// 200 units of a penalty area in open play.
void KeepTheBallFromBothGoals()
{
    const int32_t y = MatchPersons[MATCH_BALL].y;
    const bool nearGoal = y < Pitch.penaltyAreaNearY + 200 || y > Pitch.penaltyAreaFarY - 200;
    if (Match.period < MATCH_PERIOD_SHOOT_OUT && MatchPhase == PHASE_OPEN_PLAY && nearGoal)
        Ball_PlaceOnCentreSpot();
}

// Plays the cup tie `row` on its day under `scenario`; the row's bits and shoot-out goals, and
// the shoot-out list, agree with the periods the engine played and its data block.
void PlayCupTieAndExpectTheRowToAgree(int32_t row, void (*scenario)())
{
    Calendar_SetDay(VTW_GetFixtureDay(row));
    ShootOutList_Reset();
    {
        ScopedScenario played(scenario);
        Season_PlayMatchDay(row);
    }
    const MatchDataBlock& data = *GetMatchDataBlock();
    const bool penalties = Match.period == MATCH_PERIOD_SHOOT_OUT;
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), Match.score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), Match.score[1]);
    EXPECT_EQ(Fixture_GetExtraTime(row), Match.period >= 2 ? 1 : 0);
    EXPECT_EQ(Fixture_GetPenalties(row), penalties ? 1 : 0);
    const int32_t home = data.sides[0].shootOutGoals;
    const int32_t away = data.sides[1].shootOutGoals;
    EXPECT_EQ(home, Match.shootOutGoals[0]);
    EXPECT_EQ(away, Match.shootOutGoals[1]);
    EXPECT_EQ(Fixture_GetShootOutGoals(row, 0), home);
    EXPECT_EQ(Fixture_GetShootOutGoals(row, 1), away);
    EXPECT_EQ(Fixture_GetShootOutAwayWon(row) != 0, away > home);
    if (!penalties) {
        EXPECT_NE(ShootOutSlot_Row(ShootOutList[0]), row);
        return;
    }
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[0]), row);
    EXPECT_EQ(ShootOutSlot_AwayWon(ShootOutList[0]), away > home);
    EXPECT_EQ(+ShootOutList[0].score, home | away << 8);
}

void PlayAsItComes() {}

// Three fouls of the away side on the home side's number 8, written as a tackle writes them: two
// bookings of its number 5 in the first half, the second sending him off, and a straight red in
// the second half for the first of its numbers 7, 8 and 11 the referee has not yet carded, when its
// forward is hurt too. The referee shows every card himself.
int32_t s_scriptedFouls;
int32_t s_sentStraightOff;

int32_t FirstUncardedOfNumbers7To11()
{
    for (const int32_t slot : {6, 7, 10}) {
        const MatchPerson& p = MatchPersons[LineUp[1][slot]];
        if (p.offPitch == 0 && p.bookings == 0) return LineUp[1][slot];
    }
    return LineUp[1][6];
}

void FoulThriceForCards()
{
    if (s_scriptedFouls >= 3 || MatchPhase != PHASE_OPEN_PLAY) return;
    const int32_t period = s_scriptedFouls < 2 ? 0 : 1;
    const uint32_t at = Match.periodLength * (s_scriptedFouls == 1 ? 3 : 1) / 4;
    if (Match.period != period || Match.periodTicks < at) return;
    const int32_t fouled = LineUp[0][7];
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
    FoulingSide = 1;
    FouledPlayer = static_cast<int8_t>(fouled);
    if (s_scriptedFouls == 2) s_sentStraightOff = FirstUncardedOfNumbers7To11();
    Offender = static_cast<int16_t>(s_scriptedFouls < 2 ? LineUp[1][4] : s_sentStraightOff);
    RestartSpot[0] = MatchPersons[fouled].x;
    RestartSpot[1] = MatchPersons[fouled].y;
    RefereeDecision = static_cast<int16_t>(s_scriptedFouls < 2 ? 8 : 9);
    // The away side's forward took a knock: its manager changes him at this stoppage.
    if (s_scriptedFouls == 2) MatchPersons[LineUp[1][9]].resultByteB = 1;
    ++s_scriptedFouls;
}

int32_t Suspension(int32_t player) { return Player_RefForSet(player, "Test").full->suspension; }

TEST_F(MatchDayContract, TheRefereesCardsReachTheFixtureTheBansAndTheClubsCardLog)
{
    const int32_t first = HumansFirstLeagueRow();
    const int32_t away = VTW_GetFixtureAwayClub(first);
    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    s_scriptedFouls = 0;
    int32_t row = -1;
    {
        ScopedScenario played(FoulThriceForCards);
        row = PlayTheDayUpToTheHumansRow();
    }
    MatchEngine_Stop();
    ASSERT_EQ(s_scriptedFouls, 3);
    const int32_t twice = MatchPersons[LineUp[1][4]].playerId;
    const int32_t red = MatchPersons[s_sentStraightOff].playerId;
    const MatchDataBlock& data = *GetMatchDataBlock();
    // Cards the referee shows of his own in the played minutes come between the scripted ones.
    const auto scripted = [&](int32_t player) { return player == twice || player == red; };
    std::vector<std::pair<int32_t, int32_t>> rows;  // kind, player
    for (int32_t e = 0; e < data.eventCount; ++e) {
        const MatchEventRow ev = data.events[e];
        if ((ev.kind == 2 || ev.kind == 3) && scripted(ev.b)) rows.emplace_back(+ev.kind, +ev.b);
    }
    EXPECT_EQ(rows, (std::vector<std::pair<int32_t, int32_t>>{{2, twice}, {2, twice}, {3, red}}));
    std::vector<std::pair<int32_t, int32_t>> cards;  // player, kind
    int32_t shown = 0;
    int32_t sentOff = 0;  // the scripted two and any of the referee's own
    for (const MatchCardEntry& card : data.sides[1].cards) {
        if (card.player == -1) break;
        ++shown;
        sentOff += card.kind == 2 ? 1 : 0;
        if (scripted(card.player)) cards.emplace_back(+card.player, +card.kind);
    }
    EXPECT_EQ(cards, (std::vector<std::pair<int32_t, int32_t>>{{twice, 1}, {twice, 2}, {red, 2}}));
    EXPECT_GE(sentOff, 2);
    EXPECT_EQ(+data.sides[1].totals[MATCH_TOTAL_SENDINGS_OFF], sentOff);
    EXPECT_GE(+data.sides[1].fouls, 3);
    EXPECT_EQ(Match.dismissals[1], sentOff);
    // Both cards for the man booked twice, the red alone for the other.
    for (const auto& [player, cardBits] : {std::pair{twice, 3}, std::pair{red, 2}}) {
        int32_t marks = -1;
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const FixturePlayerRow r = Fixture_GetPlayerRow(row, 1, k);
            if (r.player == player) marks = r.marks;
        }
        EXPECT_EQ(marks >> 4 & 3, cardBits) << "player " << player;
        EXPECT_GE(Suspension(player), 3) << "player " << player;
    }
    // The computer side's changes reach the fixture: each player taken off and each who came on
    // is marked in his row.
    int32_t takenOff = 0;
    int32_t cameOn = 0;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        const FixturePlayerRow r = Fixture_GetPlayerRow(row, 1, k);
        takenOff += r.role >> 6 & 1;
        cameOn += r.role >> 5 & 1;
    }
    EXPECT_GT(Match.substitutionCount[1], 0);
    EXPECT_EQ(takenOff, Match.substitutionCount[1]);
    EXPECT_EQ(cameOn, Match.substitutionCount[1]);
    EXPECT_EQ(+data.sides[1].totals[MATCH_TOTAL_SUBSTITUTIONS], Match.substitutionCount[1]);
    const ClubRecord* club = VTW_GetClubRecordPtr(away);
    int32_t logged = 0;
    while (logged < 200 && club->cards[logged].minute != -1) {
        ++logged;
    }
    EXPECT_EQ(logged, shown);  // every card of the side, one line each
}

// The human's league fixture, after the rows the day plays before it, and then two cup ties of
// his club, one as it comes and one held goalless into a shoot-out: the engine's scores, goals
// and shoot-out land where the season keeps them.
TEST_F(MatchDayContract, TheEnginesLeagueAndCupResultsGoBackIntoTheSeason)
{
    const int32_t first = HumansFirstLeagueRow();
    const int32_t human = VTW_GetFixtureHomeClub(first);
    const std::map<int32_t, int32_t> before = SeasonGoalsOfBothClubs(first);
    const size_t logged = GoalLog(human).size();
    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    s_scriptedGoals = 0;
    int32_t row = -1;
    {
        ScopedScenario played(ScoreOnceAHalfForTheHomeSide);
        row = PlayTheDayUpToTheHumansRow();
    }
    ASSERT_EQ(ReportFixture, row);
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), Match.score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), Match.score[1]);
    ASSERT_GE(Match.score[0], 2);

    std::map<int32_t, int32_t> scored;
    int32_t incident = 0;
    int32_t nextGoal[2] = {0, 0};
    const MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t e = 0; e < data.eventCount; ++e) {
        const MatchEventRow ev = data.events[e];       // a copy: the row is packed
        if (ev.kind == 3 || ev.kind == 4) ++incident;  // sendings-off and missed penalties too
        if (ev.kind != 0) continue;
        ASSERT_LT(nextGoal[ev.a], MATCH_GOAL_RECORDS);
        const MatchGoalRecord& goal = Match.goals[ev.a][nextGoal[ev.a]++];
        if (goal.kind != 11) ++scored[PlayerIdOf(goal.person)];
        ASSERT_LT(incident, LAST_MATCH_INCIDENT_MAX - 1);
        const LastMatchIncident listed = LastMatchIncidents[incident++];
        EXPECT_EQ(LastMatchIncident_Kind(listed), 0);
        EXPECT_EQ(LastMatchIncident_Side(listed), +ev.a);
        EXPECT_EQ(+listed.person, PlayerIdOf(goal.person)) << "goal " << incident;
        EXPECT_EQ(+listed.minute, +ev.minute);
        EXPECT_TRUE(SameMinute(goal.minute, listed.minute)) << +goal.minute;
    }
    EXPECT_EQ(nextGoal[0], Match.score[0]);
    EXPECT_EQ(nextGoal[1], Match.score[1]);
    EXPECT_EQ(LastMatchIncident_Kind(LastMatchIncidents[incident]), -1);
    for (const auto& [player, goals] : before) {
        const int32_t expected = scored.contains(player) ? scored.at(player) : 0;
        EXPECT_EQ(VTW_GetPlayerGoals(player) - goals, expected) << "player " << player;
    }
    // Nothing of the fixtures played before it leaks into the club's goal log.
    const std::vector<int32_t> log = GoalLog(human);
    for (size_t k = logged; k < log.size(); ++k) {
        EXPECT_TRUE(PlayedInTheMatch(log[k])) << "player " << log[k];
    }
    ExpectTheListsOfTheMatch(data, row, logged);

    const int32_t asItComes = InsertCupTie(row);
    ASSERT_GE(asItComes, 0);
    PlayCupTieAndExpectTheRowToAgree(asItComes, PlayAsItComes);
    const int32_t goalless = InsertCupTie(asItComes);
    ASSERT_GE(goalless, 0);
    PlayCupTieAndExpectTheRowToAgree(goalless, KeepTheBallFromBothGoals);
    MatchEngine_Stop();
    EXPECT_EQ(Match.period, MATCH_PERIOD_SHOOT_OUT);
    EXPECT_EQ(Match.score[0] + Match.score[1], 0);
}

// The days of the human's first `count` league rows; the match day moves rows about, days stay.
std::vector<int32_t> HumansLeagueDays(int32_t human, size_t count)
{
    std::vector<int32_t> days;
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        const bool his =
            VTW_GetFixtureHomeClub(row) == human || VTW_GetFixtureAwayClub(row) == human;
        if (his && VTW_GetFixtureCompetition(row) == COMP_LEAGUE)
            days.push_back(VTW_GetFixtureDay(row));
    }
    std::sort(days.begin(), days.end());
    days.resize(std::min(days.size(), count));
    return days;
}

// Cards, knocks and the player of the match of the match just played, as the season took them:
// each booking a discipline point, a sending-off a ban, a knock an injury; the player of the
// match in the report, his row marked.
void ExpectTheMatchReachedThePlayers(int32_t row, const std::map<int32_t, int32_t>& points)
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const MatchDataBlock& data = *GetMatchDataBlock();
    int32_t stars = 0;
    EXPECT_EQ(LastMatchSummary[0].possessionPercent + LastMatchSummary[1].possessionPercent, 100);
    for (int32_t n = 0; n < 2; ++n) {
        EXPECT_EQ(+LastMatchSummary[n].manOfTheMatch, +data.sides[n].manOfTheMatch);  // packed
        stars += data.sides[n].manOfTheMatch != -1;
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const int32_t player = block.sides[n].entries[k].playerId;
            const PlayerMatchRecord& r = data.sides[n].players[k];
            if (player == 0xFFFF || PlayerMatchRecord_Get(r, PMR_RATING) <= 0) continue;
            SCOPED_TRACE(testing::Message() << "player " << player);
            const PlayerRecord& p = *Player_RefForSet(player, "Test").full;
            const int32_t bookings = PlayerMatchRecord_Get(r, PMR_BOOKINGS);
            EXPECT_EQ(p.disciplinePoints - points.at(player), bookings >= 2 ? 3 : bookings);
            if (bookings >= 2) {
                EXPECT_GE(+p.suspension, 3);
            }
            if (PlayerMatchRecord_Get(r, PMR_HURT) != 0) {
                EXPECT_NE(p.flags & PLAYER_INJURED, 0);
            }
            const bool star = data.sides[n].manOfTheMatch == player;
            EXPECT_EQ(Fixture_GetPlayerRow(row, n, k).marks >> 7 & 1, star ? 1 : 0);
        }
    }
    EXPECT_EQ(stars, 1);
}

std::map<int32_t, int32_t> DisciplinePointsOfBothClubs(int32_t row)
{
    std::map<int32_t, int32_t> points;
    for (int32_t club : {VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row)}) {
        const int16_t* members = nullptr;
        const int32_t count = Records_ClubMembers(club, &members);
        for (int32_t k = 0; k < count; ++k) {
            points[members[k]] = Player_RefForSet(members[k], "Test").full->disciplinePoints;
        }
    }
    return points;
}

int32_t CardLogLength(int32_t club)
{
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    int32_t logged = 0;
    while (logged < 200 && record->cards[logged].minute != -1) {
        ++logged;
    }
    return logged;
}

int32_t CardsShown(const MatchSideStats& side)
{
    int32_t shown = 0;
    for (const MatchCardEntry& card : side.cards) {
        if (card.player == -1) break;
        ++shown;
    }
    return shown;
}

// Every league row's played games and points are its played fixture rows'.
void ExpectTheTablesToBeTheirRows()
{
    std::map<int32_t, std::pair<int32_t, int32_t>> counted;  // club: played, points
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || !Fixture_IsPlayed(row)) continue;
        const int32_t home = VTW_GetFixtureHomeGoals(row);
        const int32_t away = VTW_GetFixtureAwayGoals(row);
        auto& h = counted[VTW_GetFixtureHomeClub(row)];
        auto& a = counted[VTW_GetFixtureAwayClub(row)];
        ++h.first;
        ++a.first;
        h.second += home > away ? 3 : home == away ? 1 : 0;
        a.second += away > home ? 3 : home == away ? 1 : 0;
    }
    ASSERT_FALSE(counted.empty());
    for (const auto& [club, figures] : counted) {
        EXPECT_EQ(LeagueTable[club][LEAGUE_PLAYED], figures.first) << "club " << club;
        EXPECT_EQ(LeagueTable[club][LEAGUE_POINTS], figures.second) << "club " << club;
    }
}

// A career's first six league fixtures of the human's club, each played through the engine on its
// day among the day's other rows, the first with a scripted penalty and own goal: the rows hold
// the engine's scores, the players and the clubs' logs take what happened, and the tables are
// the rows'.
TEST_F(MatchDayContract, TheHumansFirstSixLeagueFixturesPlayThroughTheEngineIntoTheSeason)
{
    const int32_t first = HumansFirstLeagueRow();
    const int32_t human = VTW_GetFixtureHomeClub(first);
    const std::vector<int32_t> days = HumansLeagueDays(human, 6);
    ASSERT_EQ(days.size(), 6u);
    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    for (size_t m = 0; m < days.size(); ++m) {
        SCOPED_TRACE(testing::Message() << "league match " << m + 1);
        Calendar_SetDay(days[m]);
        VTW_PutHumanFixtureLast();
        const int32_t humansRow = VTW_FindHumanNextFixture();
        ASSERT_EQ(VTW_GetFixtureCompetition(humansRow), COMP_LEAGUE);
        const std::map<int32_t, int32_t> points = DisciplinePointsOfBothClubs(humansRow);
        const int32_t clubs[2] = {VTW_GetFixtureHomeClub(humansRow),
                                  VTW_GetFixtureAwayClub(humansRow)};
        const size_t goalsLogged[2] = {GoalLog(clubs[0]).size(), GoalLog(clubs[1]).size()};
        const int32_t cardsLogged[2] = {CardLogLength(clubs[0]), CardLogLength(clubs[1])};
        s_scriptedGoals = m == 0 ? 0 : 2;
        int32_t row = -1;
        {
            ScopedScenario played(ScoreOnceAHalfForTheHomeSide);
            row = PlayTheDayUpToTheHumansRow();
        }
        ASSERT_EQ(row, humansRow);
        EXPECT_EQ(VTW_GetFixtureHomeGoals(row), Match.score[0]);
        EXPECT_EQ(VTW_GetFixtureAwayGoals(row), Match.score[1]);
        const MatchDataBlock& data = *GetMatchDataBlock();
        if (m == 0) ExpectTheListsOfTheMatch(data, row, goalsLogged[0]);
        for (int32_t n = 0; n < 2; ++n) {
            EXPECT_EQ(GoalLog(clubs[n]).size() - goalsLogged[n],
                      static_cast<size_t>(Match.score[n]));
            EXPECT_EQ(CardLogLength(clubs[n]) - cardsLogged[n], CardsShown(data.sides[n]));
        }
        ExpectTheMatchReachedThePlayers(row, points);
        for (int32_t other = -1; VTW_PlayMatchDay(&other);) {
        }
    }
    MatchEngine_Stop();
    Season_ClearTablesAndScan(-1);
    ExpectTheTablesToBeTheirRows();
}

}  // namespace
