// gamecode/matchrun.cpp: the match run, its periods and their set-up, and the result summary.
#include "gamecode/matchrun.h"

#include <algorithm>
#include <cstring>

#include "engine/debug.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "gamecode/actionids.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/formation.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/playerofmatch.h"
#include "gamecode/presentation.h"

namespace {

// The match day's own way of playing a watched match, put back when the engine stops.
void (*s_previousWatchedMatch)();

constexpr int32_t kDefaultPeriodMinutes = 5;
constexpr int32_t kMaxPeriodMinutes = 90;

void HalfTimeMenus()
{
    const MatchDayBlock* block = GetMatchSidesBlock();
    for (int32_t side = 0; side < 2; ++side) {
        if (block->sides[side].human != 0) MatchPresentationOps.InGameMenusLoopAt(side);
    }
}

void RunPeriod(int32_t period, int32_t kickOffSide, int32_t secondOfPair)
{
    Match.period = static_cast<uint8_t>(period);
    Match.kickOffSide = static_cast<uint8_t>(kickOffSide);
    Match.secondOfPair = static_cast<uint8_t>(secondOfPair);
    Match_RunPeriod();
}

bool ShootOutDue()
{
    if (Match.shootOut == 0 || !Match_AggregateLevel()) return false;
    return Match.awayGoals == 0 || Match.firstLegGoals[0] == Match.score[1];
}

void StartMatchWords()
{
    const MatchDayBlock* block = GetMatchSidesBlock();
    Match.kickOffSide = 1;
    std::memcpy(Match.official, block->official, sizeof(Match.official));
    for (int32_t side = 0; side < 2; ++side) {
        Match.score[side] = 0;
        Match.shootOutGoals[side] = 0;
        Match.firstLegGoals[side] = block->sides[side].firstLegGoals;
    }
    Match.finalWhistle = 0;
    Match.extraTime = block->extraTime;
    Match.shootOut = block->shootOut;
    Match.goldenGoal = block->goldenGoal;
    Match.awayGoals = block->secondLeg;
    MatchDataBlock* data = GetMatchDataBlock();
    data->eventCount = 0;
    data->events[0].kind = MATCH_EVENT_END;
    std::memset(data->territory, 0xFF, sizeof(data->territory));
}

int16_t PeriodMinutesOf(const MatchDayBlock& block)
{
    const int32_t minutes = block.periodMinutes;
    if (minutes >= 1 && minutes <= kMaxPeriodMinutes) return static_cast<int16_t>(minutes);
    DebugPrintf(DBG_GENERAL, 1, "SetupPeriod(): period length %d out of range, %d used\n", minutes,
                kDefaultPeriodMinutes);
    return kDefaultPeriodMinutes;
}

// A designated shirt 1-16 as a person index; anything else (a cleared block holds 0xFFFF) is
// nobody.
int16_t TakerOf(int32_t side, uint16_t shirt)
{
    if (shirt < 1 || shirt > MATCH_SHIRT_COUNT) return -1;
    return static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + shirt - 1);
}

void ReadSideSheet(int32_t side, int32_t substitutesAllowed)
{
    const MatchSide& sheet = GetMatchSidesBlock()->sides[side];
    for (int32_t k = 0; k < TAKER_COUNT; ++k) {
        Match.takers[side][k] = TakerOf(side, sheet.designated[k]);
        Match.teamSettings[side][k] = sheet.settings[k];
    }
    Match.sideWords[side] = 0;
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        MatchPerson& p = MatchPersons[side * MATCH_PERSONS_PER_SIDE + s];
        const MatchPlayerEntry& entry = sheet.entries[s];
        p.bookings = 0;
        p.sentOff = 0;
        p.warnings = 0;
        p.timesSubstituted = 0;
        p.resultByteA = 0;
        p.resultByteB = 0;
        const bool starter = s < MATCH_STARTERS;
        p.offPitch = starter ? 0 : 1;
        p.matchRating = starter ? 50 : (s <= 10 + substitutesAllowed ? 0 : 255);
        p.startedOnBench = starter ? 0 : 1;
        // A bench player is neither drawn nor counted in the heat maps.
        if (!starter) p.animation = -1;
        std::memcpy(p.name, entry.name, sizeof(p.name) - 1);
        p.name[sizeof(p.name) - 1] = '\0';
        Match_MapSkills(entry, p.skills);
        p.positionClass = static_cast<uint8_t>(entry.enginePosition);
        p.positionExtra[0] = static_cast<uint8_t>(entry.shirt);
        p.positionExtra[1] = static_cast<uint8_t>(entry.leftFoot);
        p.positionExtra[2] = static_cast<uint8_t>(entry.rightFoot);
        p.positionExtra[3] = static_cast<uint8_t>(entry.experiencePercent);
        p.playerId = entry.playerId;
        p.stats = {};
        std::memset(p.passTo, 0, sizeof(p.passTo));
        std::memset(p.passesCompletedTo, 0, sizeof(p.passesCompletedTo));
        p.passCounters[0] = 0;
        p.passCounters[1] = 0;
    }
}

void SetupFirstPeriod()
{
    const MatchDayBlock* block = GetMatchSidesBlock();
    HighLight_ClearFlag();
    VTW_ClearMatchEntityStats();
    MatchPresentationOps.InGameMenus_Reset();
    std::memset(Match.substitutionPlan, 0xFF, sizeof(Match.substitutionPlan));
    std::memset(Match.planBytes, 0, sizeof(Match.planBytes));
    Match.linesmanAccuracy = static_cast<int16_t>(Rand() % 80 + 20);
    Match.substitutionCount[0] = 0;
    Match.substitutionCount[1] = 0;
    InitSides();
    std::memset(Match.thirdsTicks, 0, sizeof(Match.thirdsTicks));
    std::memset(Match.possessionTicks, 0, sizeof(Match.possessionTicks));
    std::memset(Match.teamStats, 0, sizeof(Match.teamStats));
    std::memset(Match.goals, 0xFF, sizeof(Match.goals));
    std::memset(Match.cards, 0xFF, sizeof(Match.cards));
    Match.cardCount[0] = 0;
    Match.cardCount[1] = 0;
    Match.openPlayTicks = 0;
    Football_ClearSubstitutionRequests();
    Match.difficulty = block->difficulty;
    Match.ballCoefficients[0] = Match.difficulty == 1   ? 0.65f
                                : Match.difficulty == 2 ? 0.40f
                                                        : 0.52f;
    Match.ballCoefficients[1] = Match.difficulty == 1   ? 0.95f
                                : Match.difficulty == 2 ? 0.96f
                                                        : 0.94f;
    Match.ballDrag = 992;
    Match.ballGravity = 4000;
    Match.ballThird = 100;
    // More than five would mark places past the sixteen; a negative count none.
    Match.substitutesAllowed =
        static_cast<int16_t>(std::clamp<int32_t>(block->substitutionsAllowed, 0, 5));
    Match.periodMinutes = PeriodMinutesOf(*block);
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
            Match.proximity[side][s] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + s);
        }
        ReadSideSheet(side, Match.substitutesAllowed);
    }
}

void PlacePlayersOffPitch()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
            const int32_t person = LineUp[side][s];
            Person_PlaceAt(person, s == 0 ? -14 : -354 - 15 * s, PITCH_CENTRE_Y);
            MatchPerson& p = MatchPersons[person];
            Person_StoreAction(person, ACT_STAND);
            p.frame = -1;
            p.hasBall = 0;
            p.touchCooldown1 = 0;
            p.touchCooldown2 = 0;
            p.actionWord = 0;
            p.offsideMark = 0;
            p.offsideRecovery = 0;
        }
    }
}

void ResetPeriodWords()
{
    Match.followedObject = MATCH_BALL;
    ActivePlayer[0] = MATCH_NONE;
    ActivePlayer[1] = MATCH_NONE;
    Match.scorerRecord = -1;
    Match.celebratingPlayer = -1;
    Match.lastKicker[0] = -1;
    Match.lastKicker[1] = -1;
    Match_ClearPassRecords();
    for (int32_t side = 0; side < 2; ++side) {
        Match.keeperAtKickOff[side] = static_cast<uint8_t>(LineUp[side][0]);
        Match.speedBonus[side] = 0;
        TeamMomentum[side] = 0;
    }
    Ball.animFrame = 0;
    Ball_PlaceOnCentreSpot();
    Match.periodEndMarker = MATCH_NONE;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Match.noneWords[0] = -1;
    Match.noneWords[1] = -1;
}

void StartKickOffPeriod()
{
    KickingSide = Match.kickOffSide;
    Match.restartByte = 1;
    Match.kickoffTaken = 0;
    Match.deadBallFlag = 0;
    Match.playersNotInPlace = 0;
    MatchPersons[MATCH_MARKER].y = PITCH_PARKED_Y;
    MatchPersons[MATCH_MARKER].y16 = PITCH_PARKED_Y * 65536;
    Ball.possession = 0;
    Person_SetAction(LineUp[0][0], ACT_KEEPER_IDLE);
    Person_SetAction(LineUp[1][0], ACT_KEEPER_IDLE);
    Person_SetAction(MATCH_REFEREE, OFFICIAL_REFEREE_FOLLOW);
    Person_SetAction(MATCH_LINESMAN_1, OFFICIAL_LINESMAN_LEFT);
    Person_SetAction(MATCH_LINESMAN_2, OFFICIAL_LINESMAN_RIGHT);
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, PITCH_CENTRE_Y);
    MatchPhase = PHASE_KICKOFF_PERIOD;
    PhaseTimer = 200;
}

void StartShootOutPeriod()
{
    Person_SetAction(LineUp[0][0], ACT_KEEPER_IDLE);
    Person_SetAction(LineUp[1][0], ACT_KEEPER_IDLE);
    MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
    PhaseTimer = 0;
    Match.shootoutKicks = 0;
    KickingSide = Match.kickOffSide;
}

int32_t SummaryPacked(const MatchGoalRecord& goal)
{
    return (VTW_GetEventClass(goal.kind, 0) & 0x0F) | ((goal.detail & 7) << 4)
           | ((goal.flag & 1) << 7);
}

int16_t PlayerIdOf(int32_t person)
{
    const bool known = person >= 0 && person < MATCH_PLAYER_COUNT;
    return static_cast<int16_t>(known ? MatchPersons[person].playerId : -1);
}

void WriteScorers(int32_t side, MatchSideStats* stats)
{
    // At most the list's twenty records, whatever the score says.
    const int32_t count = std::clamp<int32_t>(Match.score[side], 0, MATCH_GOAL_RECORDS);
    for (int32_t g = 0; g < count; ++g) {
        const MatchGoalRecord& goal = Match.goals[side][g];
        stats->scorers[g] = {PlayerIdOf(goal.person), goal.minute,
                             static_cast<uint8_t>(SummaryPacked(goal))};
    }
    stats->scorers[count].player = -1;
}

// The goal list as the statistical simulation writes it: scorer and assist by id, minute and
// kind; every entry past the last goal is empty (-1).
void WriteGoalList(int32_t side, MatchSideStats* stats)
{
    const int32_t count = std::clamp<int32_t>(Match.score[side], 0, MATCH_GOAL_RECORDS);
    for (int32_t g = 0; g < MATCH_GOAL_RECORDS; ++g) {
        const MatchGoalRecord& goal = Match.goals[side][g];
        stats->goals[g] = g < count
                              ? MatchGoalEntry{PlayerIdOf(goal.person), PlayerIdOf(goal.assist),
                                               goal.minute, goal.listKind}
                              : MatchGoalEntry{-1, -1, 0, 0};
    }
}

// The card list: a sending-off, which the match records as 3, is kind 2 here.
void WriteCardList(int32_t side, MatchSideStats* stats)
{
    const int32_t count = std::clamp<int32_t>(Match.cardCount[side], 0, MATCH_CARD_RECORDS);
    for (int32_t c = 0; c < MATCH_CARD_RECORDS; ++c) {
        const MatchCardRecord& card = Match.cards[side][c];
        const uint8_t kind = card.kind == 1 ? 1 : 2;
        stats->cards[c] = c < count ? MatchCardEntry{PlayerIdOf(card.person), card.minute, kind}
                                    : MatchCardEntry{-1, 0, 0};
    }
}

bool Booked(const MatchPerson& p) { return p.bookings == 1 && p.sentOff == 0; }

bool SentOff(const MatchPerson& p) { return p.bookings == 2 || p.sentOff != 0; }

void WriteCards(int32_t side, MatchSideStats* stats)
{
    std::memset(stats->cardBytes, 0xFF, sizeof(stats->cardBytes));
    int32_t pair = 0;
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        const int32_t person = side * MATCH_PERSONS_PER_SIDE + s;
        if (!Booked(MatchPersons[person]) && !SentOff(MatchPersons[person])) continue;
        for (int32_t c = std::min<int32_t>(Match.cardCount[side], MATCH_CARD_RECORDS) - 1; c >= 0;
             --c) {
            const MatchCardRecord& card = Match.cards[side][c];
            if (card.person != person) continue;
            stats->cardBytes[pair++] = {card.minute, card.kind};
            break;
        }
    }
}

void WriteTotals(int32_t side, MatchSideStats* stats)
{
    const TeamStatistics& team = Match.teamStats[side];
    stats->shotsOnTarget = team.shotsOnTarget;
    stats->shotsOffTarget = static_cast<int16_t>(team.shots - team.shotsOnTarget);
    stats->corners = team.corners;
    stats->fouls = team.fouls;
    stats->possession = static_cast<int16_t>(Match.possessionTicks[side] & 0xFFFF);
    int16_t booked = 0;
    int16_t sentOff = 0;
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        const MatchPerson& p = MatchPersons[side * MATCH_PERSONS_PER_SIDE + s];
        booked = static_cast<int16_t>(booked + (Booked(p) ? 1 : 0));
        sentOff = static_cast<int16_t>(sentOff + (SentOff(p) ? 1 : 0));
    }
    stats->totals[MATCH_TOTAL_POSSESSION_TICKS] = stats->possession;
    stats->totals[MATCH_TOTAL_BOOKINGS] = booked;
    stats->totals[MATCH_TOTAL_SENDINGS_OFF] = sentOff;
    stats->totals[MATCH_TOTAL_SUBSTITUTIONS] = Match.substitutionCount[side];
}

}  // namespace

void PlayMatch3D()
{
    // A match is the one its block and seed give, whatever the match before it left behind.
    Match_ResetWords();
    if (StartMatchSession() == 0) return;
    StartMatchWords();
    if (MatchShared.replayState == REPLAY_WATCH) {
        RunPeriod(0, Match.kickOffSide, 0);
    } else {
        // Side 1 kicks off the first period of each pair and side 0 the second. The ends are
        // fixed, so every kick-off goes toward the same end, as after the ends change at half
        // time.
        RunPeriod(0, 1, 0);
        HalfTimeMenus();
        RunPeriod(1, 0, 1);
        const bool extraTime = Match.extraTime != 0 && Match_AggregateLevel();
        if (extraTime || (Match.goldenGoal != 0 && Match_AggregateLevel())) {
            HalfTimeMenus();
            RunPeriod(2, 1, 0);
            if (extraTime || Match_AggregateLevel()) {
                HalfTimeMenus();
                RunPeriod(3, 0, 1);
            }
        }
        if (ShootOutDue()) {
            MatchPresentationOps.RunInGameMenuPair();
            RunPeriod(MATCH_PERIOD_SHOOT_OUT, Match.kickOffSide, 0);
        }
    }
    Match.finalWhistle = 1;
    WriteMatchSummary();
    MatchDataBlock* data = GetMatchDataBlock();
    const auto& t = Match.thirdsTicks;
    data->territoryTotals[0] = t[0][THIRD_OWN] + t[1][THIRD_ATTACK];
    data->territoryTotals[1] = t[0][THIRD_MIDDLE] + t[1][THIRD_MIDDLE];
    data->territoryTotals[2] = t[1][THIRD_OWN] + t[0][THIRD_ATTACK];
    ShutdownMatchView();
}

int32_t StartMatchSession()
{
    MatchPresentationOps.Replay_AllocBuffer();
    if (MatchShared.replayState == REPLAY_WATCH) {
        if (MatchPresentationOps.Replay_Load(MatchShared.replaySlot) < 0) {
            MatchPresentationOps.Replay_FreeBuffer();
            return 0;
        }
        MatchShared.replayPosition = 0;
        MatchShared.replayStartRequest = 1;
    }
    SetPitchConstants();
    MatchView_Init();
    return 1;
}

void ShutdownMatchView()
{
    MatchView_Destroy();
    MatchPresentationOps.Replay_FreeBuffer();
}

void Match_RunPeriod()
{
    Match_SetupPeriod();
    MatchLoop();
}

int32_t Match_SetupPeriod()
{
    if (MatchShared.replayState != REPLAY_WATCH) MatchPresentationOps.Replay_ResetCounters();
    MatchPresentationOps.TimedEvents_Reset();
    SetupPeriod();
    return 1;
}

void SetupPeriod()
{
    PlacePlayersOffPitch();
    if (Match.period == 0) SetupFirstPeriod();
    ResetPeriodWords();
    Match_SetPeriodLength(Match_PeriodSeconds(Match.period));
    MatchPersons[MATCH_REFEREE].skills[SKILL_PACE] = 80;
    MatchPersons[MATCH_LINESMAN_1].skills[SKILL_PACE] = 60;
    MatchPersons[MATCH_LINESMAN_2].skills[SKILL_PACE] = 60;
    if (Match.period < MATCH_PERIOD_SHOOT_OUT) {
        StartKickOffPeriod();
    } else {
        StartShootOutPeriod();
    }
    Match.substitutionBlocked[0] = 0;
    Match.substitutionBlocked[1] = 0;
    MatchEndFlag = 0;
    Match.recordPause = 0;
}

void InitSides()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
            LineUp[side][s] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + s);
        }
    }
    for (int32_t side = 0; side < 2; ++side) {
        Football_LoadFormation(side);
        TacticCopies[side] = *Football_GetFormation(side);
        CopySquadStatusToPlayers(side);
        SetupFormations(side);
    }
}

void WriteMatchSummary()
{
    MatchDataBlock* data = GetMatchDataBlock();
    // The rows were written at the ends of the periods, before the winning side's bonus: every
    // player who took part, taken off or not, is rated again with it.
    WritePeriodResults();
    const int32_t star = Match_PickPlayerOfMatch();
    for (int32_t side = 0; side < 2; ++side) {
        MatchSideStats* stats = &data->sides[side];
        WriteScorers(side, stats);
        WriteCards(side, stats);
        WriteGoalList(side, stats);
        WriteCardList(side, stats);
        WriteTotals(side, stats);
        stats->manOfTheMatch = static_cast<int16_t>(
            star >= 0 && Person_Side(star) == side ? MatchPersons[star].playerId : -1);
    }
    // Goals and cards were logged as they happened; the list only needs its end.
    const int32_t rows = std::clamp<int32_t>(data->eventCount, 0, MATCH_EVENT_MAX - 1);
    data->events[rows].kind = MATCH_EVENT_END;
}

void Match_FillPenaltyOrder()
{
    for (int32_t side = 0; side < 2; ++side) {
        int32_t n = 0;
        auto add = [&](int32_t person) {
            if (n < PENALTY_ORDER_COUNT && person >= 0 && MatchPersons[person].offPitch == 0)
                PenaltyOrder[side][n++] = static_cast<int16_t>(person);
        };
        const int32_t taker = Match.takers[side][TAKER_PENALTY];
        const bool takerOwn =
            taker >= side * MATCH_PERSONS_PER_SIDE && taker < (side + 1) * MATCH_PERSONS_PER_SIDE;
        if (takerOwn) add(taker);
        for (int32_t slot = 10; slot >= 1; --slot) {
            if (LineUp[side][slot] != taker) add(LineUp[side][slot]);
        }
        if (LineUp[side][0] != taker) add(LineUp[side][0]);
        for (int32_t i = n; i < PENALTY_ORDER_COUNT; ++i) {
            PenaltyOrder[side][i] = -1;
        }
    }
}

void MatchEngine_Start()
{
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    if (GameHooks.PlayWatchedMatch != PlayMatch3D)
        s_previousWatchedMatch = GameHooks.PlayWatchedMatch;
    GameHooks.PlayWatchedMatch = PlayMatch3D;
}

void MatchEngine_Stop()
{
    if (GameHooks.PlayWatchedMatch == PlayMatch3D && s_previousWatchedMatch != nullptr) {
        GameHooks.PlayWatchedMatch = s_previousWatchedMatch;
    }
    s_previousWatchedMatch = nullptr;
}
