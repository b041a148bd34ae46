// gamecode/matchdata.cpp: the played match as the in-match and result screens read and change it.
#include "gamecode/matchdata.h"

#include <algorithm>
#include <array>

#include "engine/fatal.h"
#include "game/tactics.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/keycounts.h"
#include "gamecode/matchloop.h"
#include "gamecode/presentation.h"

namespace {

constexpr int32_t kWinBonus = 5;
constexpr int32_t kEffortScale = 95;
constexpr int32_t kSubstitutionComment = 112;
constexpr int32_t kSubstitutionInfoBar = 11;
constexpr uint8_t kEventSubstitution = 1;
constexpr uint8_t kOnThePitch = 50;
constexpr int32_t kHurtBadly = 2;
// Fields the engine fills besides those PlayerMatchField names.
constexpr int32_t PMR_EFFORT = 2;
constexpr int32_t PMR_COMMITMENT = 3;
constexpr int32_t PMR_PARTICIPATION = 4;
constexpr int32_t PMR_RESULT_A = 7;
constexpr int32_t PMR_KEY_RUNS = 9;
constexpr int32_t PMR_POSSESSION = 14;
constexpr int32_t PMR_TOUCHES = 15;
constexpr int32_t PMR_BALLS_LOST = 32;
constexpr int32_t PMR_DRIBBLES = 33;
constexpr int32_t PMR_BAD_CROSSES = 35;
constexpr int32_t PMR_CLEARANCES = 52;
// The person's id, his possession count's two figures weighed by his control (skill 7) and his
// distribution (skill 21), and his time as his side's active player and closing down.
constexpr int32_t PMR_PLAYER_ID = 0;
constexpr int32_t PMR_CONTROL_LAPSES = 6;
constexpr int32_t PMR_DISTRIBUTION_LAPSES = 56;
constexpr int32_t PMR_ACTIVE_TIME = 58;
constexpr int32_t PMR_CLOSING_DOWN_TIME = 59;
constexpr int32_t kControlSkill = 7;
constexpr int32_t kDistributionSkill = 21;
constexpr int32_t kLapseScale = 40;
// A match minute when a half lasts five minutes of play.
constexpr int32_t kTimeUnitTicks = 333;

// The label text of each record field, by field index.
constexpr auto kFieldLabels = std::to_array<int16_t>({
    1985, 246,  1983, 958,  959,  243,  1984, 956,  944,  946,  953,  940,  942,  943,
    948,  1986, 937,  1429, 1428, 1987, 1988, 1989, 922,  923,  1990, 631,  64,   1991,
    914,  945,  969,  935,  1992, 947,  1993, 966,  1994, 941,  1995, 1982, 1981, 1980,
    1653, 1407, 1979, 1978, 1977, 1976, 1400, 1405, 1975, 1975, 936,  1408, 957,  1973,
    1972, 72,   1970, 1971, 1969, 963,  1486, 1968, 1967, 1966, 1538, 1391, 1486,
});
static_assert(kFieldLabels.size() == PMR_FIELD_COUNT, "one label per record field");

int32_t PersonOf(int32_t side, int32_t slot) { return side * MATCH_PERSONS_PER_SIDE + slot; }

bool IsSideSlot(int32_t side, int32_t slot)
{
    return side >= 0 && side < 2 && slot >= 0 && slot < MATCH_PERSONS_PER_SIDE;
}

// The menus name the taker; one outside the sides' 32 players is their bug.
void SetTaker(const char* name, MatchTaker taker, int32_t side, int32_t slot)
{
    if (!IsSideSlot(side, slot)) FatalError("%s(): bad side %d or slot %d", name, side, slot);
    Match.takers[side][taker] = static_cast<int16_t>(PersonOf(side, slot));
}

int32_t IsTaker(MatchTaker taker, int32_t side, int32_t slot)
{
    return Match.takers[side][taker] == PersonOf(side, slot) ? 1 : 0;
}

// The three effort counters the record scales: effort, commitment, participation.
std::array<int32_t, 3> EffortOf(const MatchPerson& p)
{
    return {p.stats.activeTicks, p.stats.closingDownTicks, p.stats.involvement};
}

std::array<int32_t, 3> HighestEfforts()
{
    std::array<int32_t, 3> highest = {1, 1, 1};
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const std::array<int32_t, 3> effort = EffortOf(MatchPersons[person]);
        for (size_t k = 0; k < highest.size(); ++k)
            highest[k] = std::max(highest[k], effort[k]);
    }
    return highest;
}

// A byte counter holds at its top rather than wrapping to a small number.
int32_t ByteCount(int32_t count) { return std::clamp(count, 0, 255); }
// The same for a signed byte field, which would turn negative past 127.
int32_t SignedByteCount(int32_t count) { return std::clamp(count, 0, 127); }

void SetSpare(PlayerMatchRecord* record, MatchFigure figure, int32_t count)
{
    PlayerMatchRecord_SetSpare(record, figure, count);
}

// The key counts and the counts they split (see gamecode/keycounts.h).
void FillKeyCounts(PlayerMatchRecord* record, const MatchPerson& p)
{
    const KeyCountsRecord& k = KeyCounts[&p - MatchPersons];
    PlayerMatchRecord_Set(record, PMR_KEY_PASSES, SignedByteCount(k.keyPasses));
    PlayerMatchRecord_Set(record, PMR_KEY_RUNS, SignedByteCount(k.keyRuns));
    PlayerMatchRecord_Set(record, PMR_KEY_CROSSES, SignedByteCount(k.keyCrosses));
    PlayerMatchRecord_Set(record, PMR_KEY_TACKLES, SignedByteCount(k.keyTackles));
    PlayerMatchRecord_Set(record, PMR_KEY_INTERCEPTIONS, SignedByteCount(k.keyInterceptions));
    PlayerMatchRecord_Set(record, PMR_KEY_CLEARANCES, SignedByteCount(k.keyClearances));
    PlayerMatchRecord_Set(record, PMR_CROSSES_RECEIVED,
                          ByteCount(p.stats.secondKindReceptions - k.setPieceCrossesReceived));
    SetSpare(record, PMS_SET_PIECE_CROSSES_RECEIVED, k.setPieceCrossesReceived);
    SetSpare(record, PMS_CROSSES_COMPLETED, p.stats.secondKindCompletions);
    SetSpare(record, PMS_PROGRESSIVE_RUNS, k.progressiveRuns);
    SetSpare(record, PMS_GOOD_CLEARANCES, k.goodClearances);
    SetSpare(record, PMS_FOULS_CYNICAL, k.foulsCynical);
    SetSpare(record, PMS_FOULS_UNFAIR, k.foulsUnfair);
    SetSpare(record, PMS_FOULS_NEEDLESS, k.foulsNeedless);
    SetSpare(record, PMS_SHOTS_WIDE_FACED, k.shotsWideFaced);
    SetSpare(record, PMS_CROSSES_UNCLAIMED, k.crossesUnclaimed);
}

// The record fields and spare counters the engine keeps counters for.
void FillCounters(PlayerMatchRecord* record, const MatchPerson& p)
{
    FillKeyCounts(record, p);
    PlayerMatchRecord_Set(record, PMR_TOUCHES, ByteCount(p.stats.touches));
    PlayerMatchRecord_Set(record, PMR_GOALS, ByteCount(p.stats.goals));
    PlayerMatchRecord_Set(record, PMR_ASSISTS, ByteCount(p.stats.assists));
    PlayerMatchRecord_Set(record, PMR_OWN_GOALS, ByteCount(p.stats.ownGoals));
    PlayerMatchRecord_Set(record, PMR_BALLS_LOST, ByteCount(p.stats.ballsLost));
    PlayerMatchRecord_Set(record, PMR_DRIBBLES, ByteCount(p.stats.longRuns));
    PlayerMatchRecord_Set(record, PMR_GOALS_CONCEDED, ByteCount(p.stats.goalsAgainst));
    SetSpare(record, PMS_POSSESSION_LOST, p.stats.ballsLost);
    PlayerMatchRecord_Set(record, PMR_PASSES, ByteCount(p.stats.passesCompleted));
    PlayerMatchRecord_Set(record, PMR_BAD_PASSES,
                          ByteCount(p.passCounters[0] - p.stats.passesCompleted));
    PlayerMatchRecord_Set(record, PMR_INTERCEPTIONS, ByteCount(p.stats.interceptions));
    SetSpare(record, PMS_PASSES_RECEIVED, p.stats.passesReceived);
    SetSpare(record, PMS_GOOD_PASSES, p.stats.longPassesCompleted);
    SetSpare(record, PMS_RELAYS, p.stats.thirdKindCompletions);
    SetSpare(record, PMS_HEADERS,
             p.stats.headersOnTarget + p.stats.headersOffTarget + p.stats.headersDefendingHalf
                 + p.stats.headersAttackingHalf);
    SetSpare(record, PMS_THROUGH_PASSES, p.stats.throughPasses);
    PlayerMatchRecord_Set(record, PMR_BAD_CROSSES,
                          ByteCount(p.stats.crosses - p.stats.secondKindCompletions));
    SetSpare(record, PMS_MISSED_CROSSES, p.stats.crossesIntercepted);
    SetSpare(record, PMS_OFFSIDES, p.stats.offsides);
    SetSpare(record, PMS_DANGEROUS_CROSSES, p.stats.dangerousCrosses);
    PlayerMatchRecord_Set(record, PMR_SHOTS_ON_TARGET, ByteCount(p.stats.shotsOnTarget));
    PlayerMatchRecord_Set(record, PMR_SHOTS_OFF_TARGET,
                          ByteCount(p.stats.shots - p.stats.shotsOnTarget));
    SetSpare(record, PMS_MISSED_SHOTS, p.stats.missedShots);
    PlayerMatchRecord_Set(record, PMR_PENALTIES_MISSED, ByteCount(p.stats.penaltiesMissed));
    SetSpare(record, PMS_FREE_KICKS_TAKEN, p.stats.freeKicksTaken);
    SetSpare(record, PMS_CORNERS_TAKEN, p.stats.cornersTaken);
    SetSpare(record, PMS_PENALTIES_TAKEN, p.stats.penaltiesInPlay);
    SetSpare(record, PMS_PENALTIES_SCORED, p.stats.penaltiesScored);
    SetSpare(record, PMS_FREE_KICKS_SCORED, p.stats.freeKicksScored);
    SetSpare(record, PMS_CORNERS_SCORED, p.stats.cornersScored);
    for (int32_t mate = 0; mate < MATCH_SHIRT_COUNT; ++mate) {
        SetSpare(record, static_cast<MatchFigure>(PMS_PASSES_TO + mate), p.passTo[0][mate]);
        SetSpare(record, static_cast<MatchFigure>(PMS_COMPLETED_TO + mate),
                 p.passesCompletedTo[mate]);
    }
    PlayerMatchRecord_Set(record, PMR_CLEARANCES, ByteCount(p.stats.clearances));
    PlayerMatchRecord_Set(record, PMR_CLAIMS, ByteCount(p.stats.claims));
    PlayerMatchRecord_Set(record, PMR_TACKLES, ByteCount(p.stats.tackles));
    PlayerMatchRecord_Set(record, PMR_TACKLE_FOULS, ByteCount(p.stats.tackleFouls));
    PlayerMatchRecord_Set(record, PMR_FOULS, ByteCount(p.stats.fouls));
    PlayerMatchRecord_Set(record, PMR_LUNGE_FOULS, ByteCount(p.stats.lungeFouls));
    PlayerMatchRecord_Set(record, PMR_FOULS_PENALISED, ByteCount(p.stats.foulsPenalised));
    PlayerMatchRecord_Set(record, PMR_HANDBALLS, ByteCount(p.stats.handballs));
    PlayerMatchRecord_Set(record, PMR_FOULS_CHARGED, ByteCount(p.stats.foulsGivenAgainst));
    SetSpare(record, PMS_TIMES_TACKLED, p.stats.timesTackled);
    SetSpare(record, PMS_TACKLES_TRIED, p.stats.tacklesMade);
    PlayerMatchRecord_Set(record, PMR_CATCHES, ByteCount(p.stats.catches));
    PlayerMatchRecord_Set(record, PMR_PARRIES, ByteCount(p.stats.parries));
    PlayerMatchRecord_Set(record, PMR_PALMS, ByteCount(p.stats.palms));
    PlayerMatchRecord_Set(record, PMR_DEFLECTIONS, ByteCount(p.stats.deflections));
    PlayerMatchRecord_Set(record, PMR_PENALTIES_SAVED, ByteCount(p.stats.penaltiesSaved));
    PlayerMatchRecord_Set(record, PMR_PUNCHES, ByteCount(p.stats.punches));
    PlayerMatchRecord_Set(record, PMR_INJURY_TOTAL, p.stats.injuryTotal);
}

// (100 - skill) x possessions / 40: how often a player of his skill would have misplayed it.
int32_t Lapses(const MatchPerson& p, int32_t skill)
{
    return std::clamp((100 - Person_Skill(p, skill)) * p.stats.possessionCount / kLapseScale, 0,
                      static_cast<int32_t>(INT16_MAX));
}

void FillPossession(PlayerMatchRecord* record, const MatchPerson& p)
{
    PlayerMatchRecord_Set(record, PMR_POSSESSION, p.stats.possessionCount);
    PlayerMatchRecord_Set(record, PMR_CONTROL_LAPSES, Lapses(p, kControlSkill));
    PlayerMatchRecord_Set(record, PMR_DISTRIBUTION_LAPSES, Lapses(p, kDistributionSkill));
    PlayerMatchRecord_Set(record, PMR_ACTIVE_TIME,
                          SignedByteCount(p.stats.activeTicks / kTimeUnitTicks));
    PlayerMatchRecord_Set(record, PMR_CLOSING_DOWN_TIME,
                          SignedByteCount(p.stats.closingDownTicks / kTimeUnitTicks));
}

// 100 less his fatigue and twice what his injuries took; nothing left once carried off. A
// heavy knock could take it below 0, which no screen can show.
int32_t Condition(const MatchPerson& p)
{
    if (p.resultByteB == kHurtBadly) return 0;
    return std::clamp(100 - p.resultByteA - 2 * p.stats.injuryTotal, 0, 100);
}

struct RatingWeight {
    int8_t field;
    int8_t weight;
};
// clang-format off
constexpr auto kRatingWeights = std::to_array<RatingWeight>({
    {7, 2}, {8, 1}, {9, 3}, {10, 1}, {11, 1}, {12, 1}, {13, 5},
    {22, 2}, {23, -1}, {24, -2}, {25, -3}, {26, 8}, {27, 3}, {28, -4},
    {29, 1}, {30, -2}, {31, 1}, {33, 2}, {35, -2}, {37, 2}, {38, -2}, {39, -2},
    {40, -4}, {41, -4}, {42, -1}, {50, 3}, {51, 1}, {52, 1}, {53, -3}, {54, -3},
});
// clang-format on

// The counters the base weighs by rating mode: catches, parries, palms, deflections and goals
// conceded.
constexpr int32_t kKeeperFields[5] = {43, 44, 45, 46, PMR_GOALS_CONCEDED};
constexpr int32_t kKeeperWeights[2][5] = {{2, 1, 1, -6, -9}, {8, 5, 5, -3, 0}};
constexpr int32_t kRatingBase[2] = {65, 45};

int32_t RawRating(const PlayerMatchRecord& counters)
{
    const int32_t mode = MatchShared.ratingMode == 0 ? 0 : 1;
    int32_t raw = kRatingBase[mode];
    for (size_t k = 0; k < std::size(kKeeperFields); ++k)
        raw += kKeeperWeights[mode][k] * PlayerMatchRecord_Get(counters, kKeeperFields[k]);
    for (const RatingWeight& w : kRatingWeights)
        raw += w.weight * PlayerMatchRecord_Get(counters, w.field);
    return raw;
}

int32_t WinningSide()
{
    if (Match.score[0] > Match.score[1]) return 0;
    if (Match.score[0] < Match.score[1]) return 1;
    return -1;
}

int32_t ClampRating(int32_t raw)
{
    if (raw < 10) return 10;
    if (raw < 98) return raw;
    if (raw <= 100) return 97;
    if (raw <= 120) return 98;
    return 99;
}

// The newcomer steps into the place, the course and the action of the man going off.
void TakeOverPlace(int32_t newcomer, const MatchPerson& off)
{
    Person_StoreAction(newcomer, off.action);
    MatchPerson& on = MatchPersons[newcomer];
    on.frame = off.frame;
    on.x = off.x;
    on.y = off.y;
    on.x16 = off.x16;
    on.y16 = off.y16;
    on.targetX = off.targetX;
    on.targetY = off.targetY;
    on.animation = off.animation;
    // A restart set up around him before the change (his ball, his part as the side's active
    // player) is the newcomer's to take, or it never comes.
    const int32_t side = Person_Side(newcomer);
    const int32_t offIndex = static_cast<int32_t>(&off - MatchPersons);
    if (ActivePlayer[side] == offIndex) ActivePlayer[side] = static_cast<uint8_t>(newcomer);
    on.hasBall = off.hasBall;
    if (Ball.holder == offIndex + 1) Ball.holder = static_cast<int16_t>(newcomer + 1);
    if (Ball.secondHolder == offIndex + 1) Ball.secondHolder = static_cast<int16_t>(newcomer + 1);
}

void ReadComputerFormation(int32_t side, TacticsRecord* dest)
{
    const TacticsRecord& own = GetMatchSidesBlock()->sides[side].tactics[0];
    if (TacticsRecord_IsEmpty(own)) {
        GetComputerTactics(dest, 0);
    } else {
        *dest = own;
    }
}

void ReadSideTactic(int32_t side, TacticsRecord* dest)
{
    const MatchSide& sheet = GetMatchSidesBlock()->sides[side];
    const int32_t tactic = sheet.tactic;
    const int32_t own = tactic - TACTIC_CUSTOM_FIRST;
    if (sheet.human != 0 && tactic >= 0 && tactic < TACTIC_BUILTIN_COUNT) {
        GetComputerTactics(dest, tactic);
    } else if (sheet.human != 0 && own >= 0 && own < TACTIC_CUSTOM_COUNT
               && !TacticsRecord_IsEmpty(sheet.tactics[own])) {
        *dest = sheet.tactics[own];
    } else {
        ReadComputerFormation(side, dest);
    }
}

}  // namespace

void Football_GetScore(uint16_t* home, uint16_t* away, uint16_t* home2, uint16_t* away2)
{
    *home = *home2 = static_cast<uint16_t>(Match.score[0]);
    *away = *away2 = static_cast<uint16_t>(Match.score[1]);
}

void Football_SetCornerTaker(int32_t side, int32_t slot)
{
    SetTaker("Football_SetCornerTaker", TAKER_CORNER, side, slot);
}
void Football_SetFreeKickTaker(int32_t side, int32_t slot)
{
    SetTaker("Football_SetFreeKickTaker", TAKER_FREE_KICK, side, slot);
}
void Football_SetPenaltyTaker(int32_t side, int32_t slot)
{
    SetTaker("Football_SetPenaltyTaker", TAKER_PENALTY, side, slot);
}
void Football_SetCaptain(int32_t side, int32_t slot)
{
    SetTaker("Football_SetCaptain", TAKER_CAPTAIN, side, slot);
}
void Football_SetFreeKickTaker2(int32_t side, int32_t slot)
{
    SetTaker("Football_SetFreeKickTaker2", TAKER_FREE_KICK, side, slot);
}
int32_t Football_IsCornerTaker(int32_t side, int32_t slot)
{
    return IsTaker(TAKER_CORNER, side, slot);
}
int32_t Football_IsFreeKickTaker(int32_t side, int32_t slot)
{
    return IsTaker(TAKER_FREE_KICK, side, slot);
}
int32_t Football_IsPenaltyTaker(int32_t side, int32_t slot)
{
    return IsTaker(TAKER_PENALTY, side, slot);
}
int32_t Football_IsCaptain(int32_t side, int32_t slot)
{
    return IsTaker(TAKER_CAPTAIN, side, slot);
}

void Football_Substitute(int32_t side, int32_t slotOn, int32_t slotOff)
{
    const int32_t onIndex = PersonOf(side, slotOn), offIndex = PersonOf(side, slotOff);
    MatchPerson& on = MatchPersons[onIndex];
    MatchPerson& off = MatchPersons[offIndex];
    // The line names the player going off first, the one coming on second.
    Comm_Say(kSubstitutionComment, side, offIndex, onIndex, 0);
    MatchPresentationOps.InfoBar(kSubstitutionInfoBar, onIndex, offIndex);
    Match_LogEvent(kEventSubstitution, side, off.playerId, on.playerId);
    SubstitutionRequest[side] = 0;
    Football_SwapLineUp(side, slotOn, slotOff);
    Football_NoteLeaving(offIndex);
    off.offPitch = 1;
    ++off.timesSubstituted;
    on.offPitch = 0;
    on.startedOnBench = 0;
    on.matchRating = kOnThePitch;
    on.stats.minuteOn = static_cast<int16_t>(Match_PlayedMinute());
    TakeOverPlace(onIndex, off);
    off.animation = -1;
    off.hasBall = 0;
    ++Match.substitutionCount[side];
}

void Football_CopyFormation(int32_t side) { ReadComputerFormation(side, &TeamShape[side]); }

void Football_ClearSubstitutionRequests()
{
    SubstitutionRequest[0] = 0;
    SubstitutionRequest[1] = 0;
}

TacticsRecord* Football_GetFormation(int32_t side) { return &TeamShape[side]; }

void Football_LoadFormation(int32_t side) { ReadSideTactic(side, &TeamShape[side]); }

void Football_CopyPlayerToView(int32_t side) { ReadSideTactic(side, &TacticCopies[side]); }

void Football_SwapLineUp(int32_t side, int32_t slotA, int32_t slotB)
{
    if (!IsSideSlot(side, slotA) || !IsSideSlot(side, slotB))
        FatalError("Football_SwapLineUp(): bad side %d or slots %d, %d", side, slotA, slotB);
    std::swap(LineUp[side][Football_GetPlayersPosition(side, slotA)],
              LineUp[side][Football_GetPlayersPosition(side, slotB)]);
}

int32_t Football_IsOnPitch(int32_t side, int32_t slot)
{
    return MatchPersons[PersonOf(side, slot)].offPitch == 0 ? 1 : 0;
}

int32_t Football_IsRecEmpty(int32_t side, int32_t slot) { return Football_IsOnPitch(side, slot); }

int32_t Football_IsSubstitutedAndHurt(int32_t side, int32_t slot)
{
    const MatchPerson& p = MatchPersons[PersonOf(side, slot)];
    return p.timesSubstituted > 0 && p.resultByteB != 0 ? 1 : 0;
}

int32_t Football_IsPlayerHurt(int32_t side, int32_t slot)
{
    return MatchPersons[PersonOf(side, slot)].resultByteB > 0 ? 1 : 0;
}

int32_t Football_GetRecWordFB(int32_t side, int32_t slot)
{
    return MatchPersons[PersonOf(side, slot)].shapeFlag;
}

int32_t Football_GetRecWordF9(int32_t side, int32_t slot)
{
    return MatchPersons[PersonOf(side, slot)].keptGoal;
}

int32_t Football_IsRecActive(int32_t side, int32_t slot)
{
    return MatchPersons[PersonOf(side, slot)].matchRating != 0 ? 1 : 0;
}

int32_t Football_IsBenchAvailable(int32_t side, int32_t slot)
{
    const MatchPerson& p = MatchPersons[PersonOf(side, slot)];
    return p.startedOnBench != 0 && p.matchRating == 0 ? 1 : 0;
}

int32_t Football_MustBeReplaced(int32_t side, int32_t slot)
{
    const MatchPerson& p = MatchPersons[PersonOf(side, slot)];
    return p.resultByteB != 0 && p.stats.injuryTotal != 0 ? 1 : 0;
}

int32_t Football_GetSubstitutionsUsed(int32_t side) { return Match.substitutionCount[side]; }

MatchPerson* Football_GetRecordPtr(int32_t side, int32_t slot)
{
    return &MatchPersons[PersonOf(side, slot)];
}

int32_t Football_GetSidePlayer(int32_t side, int32_t position)
{
    return LineUp[side][position] - side * MATCH_PERSONS_PER_SIDE;
}

int32_t Football_GetPlayersPosition(int32_t side, int32_t slot)
{
    for (int32_t position = 0; position < MATCH_PERSONS_PER_SIDE; ++position) {
        if (LineUp[side][position] == PersonOf(side, slot)) return position;
    }
    FatalError("Football_GetPlayersPosition: invalid watch game no %d\n", slot);
}

int32_t Football_GetPlayerRating(int32_t endOfMatch, int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const auto participation = static_cast<int8_t>(p.matchRating);
    if (participation == 0) return 0;
    if (participation < 0) return -1;
    PlayerMatchRecord counters{};
    FillCounters(&counters, p);
    const int32_t bonus = endOfMatch != 0 && WinningSide() == Person_Side(person) ? kWinBonus : 0;
    return ClampRating(RawRating(counters) + bonus);
}

void Football_NoteLeaving(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.offPitch == 0) p.stats.minuteOff = static_cast<int16_t>(Match_PlayedMinute());
}

int32_t Football_MinutesOnPitch(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    // One who never came on is off the pitch with both minutes 0.
    const int32_t until = p.offPitch != 0 ? p.stats.minuteOff : Match_PlayedMinute();
    return std::max(0, until - p.stats.minuteOn);
}

void Football_FillPlayerMatchRecord(PlayerMatchRecord* record, int32_t side, int32_t slot)
{
    if (MatchShared.ratingMode != 0) return;
    const int32_t person = PersonOf(side, slot);
    const MatchPerson& p = MatchPersons[person];
    const std::array<int32_t, 3> effort = EffortOf(p);
    const std::array<int32_t, 3> highest = HighestEfforts();
    FillCounters(record, p);
    PlayerMatchRecord_Set(record, PMR_PLAYER_ID, static_cast<int16_t>(p.playerId));
    PlayerMatchRecord_Set(record, PMR_FATIGUE, p.resultByteA);
    PlayerMatchRecord_Set(record, PMR_EFFORT, effort[0] * kEffortScale / highest[0]);
    PlayerMatchRecord_Set(record, PMR_COMMITMENT, effort[1] * kEffortScale / highest[1]);
    PlayerMatchRecord_Set(record, PMR_PARTICIPATION, effort[2] * kEffortScale / highest[2]);
    PlayerMatchRecord_Set(record, PMR_RATING, Football_GetPlayerRating(Match.finalWhistle, person));
    PlayerMatchRecord_Set(record, PMR_RESULT_A, p.resultByteA);
    FillPossession(record, p);
    PlayerMatchRecord_Set(record, PMR_CONDITION, Condition(p));
    PlayerMatchRecord_Set(record, PMR_BOOKINGS, p.sentOff != 0 ? 3 : p.bookings);
    PlayerMatchRecord_Set(record, PMR_HURT, p.resultByteB);
    PlayerMatchRecord_Set(record, PMR_TIME_ON_PITCH, Football_MinutesOnPitch(person));
    PlayerMatchRecord_Set(record, PMR_KEPT_GOAL, Football_GetRecWordF9(side, slot) & 1);
    PlayerMatchRecord_Set(record, PMR_SHAPE_FLAG, Football_GetRecWordFB(side, slot) & 1);
}

int32_t Football_GetMatchFigure(const PlayerMatchRecord& record, int32_t figure)
{
    if (figure >= 0 && figure < PMR_FIELD_COUNT) return PlayerMatchRecord_Get(record, figure);
    if (figure >= PMR_FIELD_COUNT && figure < PMS_FIGURE_COUNT)
        return PlayerMatchRecord_GetSpare(record, figure);
    FatalError("Football_GetMatchFigure(): no figure %d", figure);
}

namespace {

constexpr int8_t NO_FIGURE = -1;

constexpr int16_t kCategoryHeaders[MATCH_FIGURE_CATEGORIES][MATCH_FIGURE_COLUMNS] = {
    {659, 661, 666, 668, 696, 660}, {664, 665, 667, 668, 685, 686}, {669, 670, 676, 672, 679, 680},
    {681, 682, 683, 677, 678, 686}, {692, 684, 683, 1600, 689, 0},  {671, 675, 689, 674, 688, 673},
};

// Each header's long name and the match figures whose sum it shows: record fields, or the
// counters the record keeps in its spare bytes.
struct FigureColumn {
    int16_t header;
    int16_t longName;
    int8_t figures[3];  // NO_FIGURE after the last
};
constexpr int8_t N = NO_FIGURE;
// clang-format off
constexpr auto kFigureColumns = std::to_array<FigureColumn>({
    {659,  1409, {43, 44, 45}},    // catches, parries and palms
    {661,  1412, {PMS_SHOTS_WIDE_FACED, N, N}},
    {666,  1405, {49, N, N}},
    {668,  936,  {52, N, N}},
    {696,  2130, {48, N, N}},
    {660,  2131, {PMS_CROSSES_UNCLAIMED, N, N}},
    {664,  1415, {PMS_TACKLES_TRIED, N, N}},
    {665,  1416, {37, N, N}},
    {667,  935,  {31, N, N}},
    {685,  957,  {54, N, N}},
    {686,  911,  {PMS_HEADERS, N, N}},
    {669,  1592, {29, 30, N}},
    {670,  1421, {29, N, N}},
    {676,  1413, {PMS_THROUGH_PASSES, N, N}},
    {672,  1414, {PMS_GOOD_PASSES, N, N}},
    {679,  1430, {PMS_CROSSES_COMPLETED, 35, N}},
    {680,  954,  {PMS_DANGEROUS_CROSSES, N, N}},
    {681,  1432, {22, 23, N}},
    {682,  1433, {22, N, N}},
    {683,  64,   {26, N, N}},
    {677,  2129, {PMS_OFFSIDES, N, N}},
    {678,  1428, {18, PMS_SET_PIECE_CROSSES_RECEIVED, N}},
    {692,  243,  {5, N, N}},
    {684,  963,  {61, N, N}},
    {1600, 72,   {57, N, N}},
    {689,  959,  {4, N, N}},
    {671,  1417, {PMS_TIMES_TACKLED, N, N}},
    {675,  1425, {PMS_POSSESSION_LOST, N, N}},
    {674,  1422, {PMS_PASSES_RECEIVED, N, N}},
    {688,  958,  {3, N, N}},
    {673,  2132, {PMS_RELAYS, N, N}},
});
// clang-format on

constexpr const FigureColumn* ColumnOf(int32_t header)
{
    for (const FigureColumn& c : kFigureColumns) {
        if (c.header == header) return &c;
    }
    return nullptr;
}

consteval bool EveryHeaderHasAColumn()
{
    for (const auto& category : kCategoryHeaders) {
        for (const int16_t header : category) {
            if (header != 0 && ColumnOf(header) == nullptr) return false;
        }
    }
    return true;
}
static_assert(EveryHeaderHasAColumn(), "a category header has no figures");

}  // namespace

int32_t MatchFigures_Header(int32_t category, int32_t column)
{
    if (category < 0 || category >= MATCH_FIGURE_CATEGORIES || column < 0
        || column >= MATCH_FIGURE_COLUMNS)
        return 0;
    return kCategoryHeaders[category][column];
}

int32_t MatchFigures_LongName(int32_t header)
{
    const FigureColumn* column = ColumnOf(header);
    return column != nullptr ? column->longName : -1;
}

int32_t MatchFigures_Value(const PlayerMatchRecord& record, int32_t header)
{
    const FigureColumn* column = ColumnOf(header);
    if (column == nullptr) return 0;
    int32_t sum = 0;
    for (const int8_t figure : column->figures) {
        if (figure != NO_FIGURE) sum += Football_GetMatchFigure(record, figure);
    }
    return sum;
}

int32_t Football_GetPlayerMatchRecordText2(int32_t field, const PlayerMatchRecord& record,
                                           int32_t* out)
{
    if (field < 0 || field >= PMR_FIELD_COUNT)
        FatalError("Football_GetPlayerMatchRecordText2() record not found");
    *out = PlayerMatchRecord_Get(record, field);
    return kFieldLabels[field];
}

void Football_BuildMatchView(MatchViewEntry* entry, int32_t side, int32_t slot)
{
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, side, slot);
    entry->commitment = static_cast<int16_t>(PlayerMatchRecord_Get(record, PMR_COMMITMENT));
    entry->participation = static_cast<int16_t>(PlayerMatchRecord_Get(record, PMR_PARTICIPATION));
    entry->condition = static_cast<int16_t>(PlayerMatchRecord_Get(record, PMR_CONDITION));
    entry->rating = static_cast<int16_t>(PlayerMatchRecord_Get(record, PMR_RATING));
    entry->goals = static_cast<int16_t>(PlayerMatchRecord_Get(record, PMR_GOALS));
    entry->cardBits = static_cast<uint16_t>(PlayerMatchRecord_Get(record, PMR_BOOKINGS) << 6
                                            | PlayerMatchRecord_Get(record, PMR_HURT) << 8);
}
