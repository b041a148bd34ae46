// gamecode/matchrecords.cpp: goal remarks, goal and card records, event rows and restart placing.
#include "gamecode/matchrecords.h"

#include <algorithm>
#include <array>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/activeplayer.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/marking.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/teamshape.h"

namespace {

// Kinds of the data block's goal list.
constexpr int32_t kListOpenPlay = 0;
constexpr int32_t kListPenalty = 1;
constexpr int32_t kListOwnGoal = 2;

// A goal situation's groups: the final minute, the last five, the last ten, the end of the first
// of a pair; `early` before minute `earlyBelow` (0: the row has no early test); else `otherwise`
// with the minute; then the own-goal line.
struct RemarkRow {
    int16_t final, lastFive, lastTen, halfEnd;
    int16_t early, earlyBelow;
    int16_t otherwise;
    int16_t ownGoal;
};
constexpr RemarkRow kEqualiser{27, 28, 29, 30, 0, 0, 31, 32};
constexpr RemarkRow kOneAhead{34, 35, 36, 37, 38, 5, 39, 40};
constexpr RemarkRow kTwoAhead{42, 43, 44, 45, 46, 8, 47, 48};
constexpr RemarkRow kFarAhead{49, 50, 51, 52, 0, 0, 53, 54};
constexpr RemarkRow kFirstOfThreeDown{55, 56, 57, 58, 0, 0, 59, 60};
constexpr RemarkRow kBehindAgain{61, 62, 63, 64, 0, 0, 65, 66};
constexpr RemarkRow kBehind{67, 68, 69, 70, 0, 0, 71, 72};
constexpr int32_t kGroupGoldenGoal = 33;
constexpr int32_t kGroupOutshot = 41;
constexpr int32_t kGroupAwayLevel = 73;
constexpr int32_t kGroupAwayAhead = 74;
constexpr int32_t kGroupBrace = 75;
constexpr int32_t kGroupHatTrick = 76;
constexpr int32_t kGroupMore = 77;

constexpr auto kMinuteCaps = std::to_array<int32_t>({46, 91, 106, 121});

const RemarkRow* RowFor(int32_t side, int32_t s, int32_t o)
{
    if (s == o) return &kEqualiser;
    if (s == o + 1) return &kOneAhead;
    if (s == o + 2) return &kTwoAhead;
    if (s > o + 2) return &kFarAhead;
    if (o > s + 2 && s == 1) return &kFirstOfThreeDown;
    return Match.lastScoringSide == side ? &kBehindAgain : &kBehind;
}

struct Remark {
    int32_t group;
    int32_t number;
};

Remark PickByMinute(const RemarkRow& row, int32_t m)
{
    const bool extraTime = Match.period >= 2;
    const int32_t end = extraTime ? 120 : 90;
    const int32_t half = extraTime ? 105 : 45;
    const bool firstOfPair = Match.period == 0 || Match.period == 2;
    if (m == end) return {row.final, 0};
    if (m > end - 5) return {row.lastFive, 0};
    if (m > end - 10) return {row.lastTen, 0};
    if (m > half - 2 && firstOfPair) return {row.halfEnd, 0};
    if (row.earlyBelow > 0 && m < row.earlyBelow) return {row.early, 0};
    return {row.otherwise, m};
}

bool ActionIn(int32_t action, std::initializer_list<int32_t> actions)
{
    return std::find(actions.begin(), actions.end(), action) != actions.end();
}

// The goal kind by what the scorer was doing, else by the distance; 11 an own goal.
// The goal record's kind, read through the event-class table when the goal list is packed.
enum GoalKindValue : int32_t {
    GOAL_KIND_PLAIN = 1,
    GOAL_KIND_LONG_RANGE = 2,
    GOAL_KIND_PENALTY = 3,
    GOAL_KIND_VOLLEY = 5,
    GOAL_KIND_SET_PIECE = 8,
    GOAL_KIND_IN_THE_AIR = 10,
    GOAL_KIND_OWN_GOAL = 11,
};

int32_t GoalKind(int32_t action, int32_t distance, int32_t ownGoalPlayer)
{
    // An own goal stays one however it went in: the other kinds would credit the defender with a
    // goal for the side he plays against.
    if (ownGoalPlayer != -1) return GOAL_KIND_OWN_GOAL;
    if (ActionIn(action, {ACT_JUMP_STRIKE_TO_TARGET, ACT_JUMP_STRIKE_AT_GOAL,
                          ACT_HIGH_STRIKE_AT_GOAL, ACT_VOLLEY_TO_TARGET, ACT_JUMP_HEADER_AT_GOAL,
                          ACT_JUMP_HEADED_PASS, ACT_JUMP_HEADER_BACK_FLICK}))
        return GOAL_KIND_IN_THE_AIR;
    if (ActionIn(action, {ACT_OVERHEAD_KICK, ACT_FIRST_TIME_SHOT_80, ACT_FIRST_TIME_SHOT_83,
                          ACT_FIRST_TIME_SHOT_84}))
        return GOAL_KIND_VOLLEY;
    if (ActionIn(action, {ACT_FREE_KICK_AT_BALL, ACT_FREE_KICK_ARRANGE, ACT_DIRECT_FREE_KICK,
                          ACT_SET_PIECE_PASS}))
        return GOAL_KIND_SET_PIECE;
    if (ActionIn(action, {ACT_PENALTY_RUN_UP, ACT_PENALTY_KICK})) return GOAL_KIND_PENALTY;
    return distance > 22 ? GOAL_KIND_LONG_RANGE : GOAL_KIND_PLAIN;
}

void PlaceOnTarget(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    Person_PlaceAt(person, p.targetX, p.targetY);
}

}  // namespace

void Goal_SayRemarks(int32_t side, int32_t scorer)
{
    const int32_t s = Match.score[side];
    const int32_t o = Match.score[side ^ 1];
    const int32_t m = Match_GetMinute();
    const RemarkRow* row = RowFor(side, s, o);
    Remark remark = PickByMinute(*row, m);
    if (row == &kOneAhead && Match.goldenGoal != 0 && (Match.period == 2 || Match.period == 3))
        remark = {kGroupGoldenGoal, 0};
    Comm_Say(remark.group, side, scorer, -1, remark.number);
    if (IsPlayer(scorer) && Person_Side(scorer) != side)
        Comm_Say(row->ownGoal, side, scorer, -1, 0);
    const int32_t shots = Match.teamStats[side].shots;
    const int32_t otherShots = Match.teamStats[side ^ 1].shots;
    if (row == &kOneAhead && otherShots > 2 * shots && otherShots > 4)
        Comm_Say(kGroupOutshot, side, -1, -1, 0);
    if (Match.awayGoals != 0) {
        const int32_t aggregate = s + Match.firstLegGoals[side];
        const int32_t otherAggregate = o + Match.firstLegGoals[side ^ 1];
        if (aggregate == otherAggregate) Comm_Say(kGroupAwayLevel, side, scorer, -1, 0);
        if (aggregate == otherAggregate + 1) Comm_Say(kGroupAwayAhead, side, scorer, -1, 0);
    }
    if (IsPlayer(scorer)) {
        const int32_t goals = MatchPersons[scorer].stats.goals;
        if (goals == 2) Comm_Say(kGroupBrace, side, scorer, -1, 0);
        if (goals == 3) Comm_Say(kGroupHatTrick, side, scorer, -1, 0);
        if (goals > 3) Comm_Say(kGroupMore, side, scorer, -1, goals);
    }
    Match.lastScoringSide = static_cast<uint16_t>(side);
}

int32_t Match_RecordMinute()
{
    const int32_t cap = kMinuteCaps[std::min<int32_t>(Match.period, kMinuteCaps.size() - 1)];
    return std::clamp(Match_GetMinute(), 1, cap);
}

void Match_RecordGoal(int32_t side, int32_t goalIndex, int32_t fallbackScorer, int32_t scorer,
                      int32_t arg1, int32_t, int32_t distance, int32_t assist)
{
    const int32_t index = std::max(goalIndex, 0);
    // The list holds twenty goals; the score goes on counting past them.
    if (index >= MATCH_GOAL_RECORDS) return;
    int32_t person = scorer == -1 ? fallbackScorer : scorer;
    const int32_t action = IsPlayer(person) ? MatchPersons[person].action : -1;
    const int32_t kind = GoalKind(action, distance, arg1);
    if (kind == GOAL_KIND_OWN_GOAL) person = fallbackScorer;
    const int32_t detail = distance > 21 || kind == GOAL_KIND_SET_PIECE ? 1 : distance < 12 ? 3 : 0;
    const bool penalty = Match.firstShotRecord != 0 && Match.shotRecordPlayer[0] == person;
    const int32_t listKind = kind == GOAL_KIND_OWN_GOAL ? kListOwnGoal
                             : penalty                  ? kListPenalty
                                                        : kListOpenPlay;
    Match.goals[side][index] = {static_cast<int16_t>(person),
                                static_cast<uint8_t>(Match_RecordMinute()),
                                static_cast<uint8_t>(kind),
                                static_cast<uint8_t>(detail),
                                0,
                                static_cast<int16_t>(IsPlayer(assist) ? assist : -1),
                                static_cast<uint8_t>(listKind),
                                0};
}

void Match_RecordCard(int32_t person)
{
    const int32_t side = Person_Side(person);
    // One record per card, so a second booking never overwrites another player's record.
    if (Match.cardCount[side] >= MATCH_CARD_RECORDS) return;
    const MatchPerson& p = MatchPersons[person];
    const bool sentOff = p.bookings != 1 || p.sentOff != 0;
    Match.cards[side][Match.cardCount[side]++] = {static_cast<int16_t>(person),
                                                  static_cast<uint8_t>(Match_RecordMinute()),
                                                  static_cast<uint8_t>(sentOff ? 3 : 1)};
}

void Restart_PlaceThrowReceiver(int32_t taker, int32_t receiver)
{
    const int32_t sx = RestartSpot[0];
    const int32_t sy = RestartSpot[1];
    const bool leftHalf = sx < PITCH_CENTRE_X;
    const int32_t x = leftHalf ? sx + 192 + Rand() % 192 : sx - 192 - Rand() % 192;
    const int32_t y = sy < PITCH_CENTRE_Y
                          ? std::max(sy - 192, PITCH_NEAR_GOAL_LINE_Y) + (Rand() % 24) * 16
                          : std::min(sy + 192, PITCH_FAR_GOAL_LINE_Y) - (Rand() % 24) * 16;
    MatchPerson& r = MatchPersons[receiver];
    MatchPerson& t = MatchPersons[taker];
    r.receivePoint[0] = static_cast<int16_t>(x);
    r.receivePoint[1] = static_cast<int16_t>(y);
    t.receivePoint[0] = static_cast<int16_t>(leftHalf ? x + 32 : x - 32);
    t.receivePoint[1] = static_cast<int16_t>(y);
    Person_SetAction(taker, ACT_MOVE_TO_LOOSE_BALL);
    t.runSpeed = 64;
    t.passKind = static_cast<int16_t>(receiver);
    Person_SetAction(receiver, ACT_MOVE_TO_LOOSE_BALL);
    r.runSpeed = 0;
    r.passKind = -1;
}

void Team_SnapToTargets()
{
    for (int32_t round = 0; round < 2; ++round) {
        Match_TickTimers();
        Team_SortAndPickActive();
        EvaluateTeamStrategy();
        UpdateTeamStrategy();
        Team_PickUpAttackers();
        Team_StepBackOnside();
        Team_SetMarkingTargets();
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            if (MatchPersons[person].offPitch != 0) continue;
            if (person == LineUp[0][0] || person == LineUp[1][0]) continue;
            PlaceOnTarget(person);
        }
    }
}
