// gamecode/incidents.cpp: pressure after incidents, the commentary on a missed chance, event rows
// and the bookkeeping of touches.
#include "gamecode/incidents.h"

#include <algorithm>
#include <array>
#include <span>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/actions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keycounts.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kKindNoComment = 9;
constexpr int32_t kGroupPressure = 26;
constexpr int32_t kGroupFirstShotRecord = 339;
constexpr int32_t kGroupScoredOnce = 97;
constexpr int32_t kGroupScoredTwice = 98;
constexpr int32_t kGroupDominance = 99;
constexpr int32_t kGroupComeback = 100;

// Missed-chance groups by the shooting side's standing: the final minute, the last five, the last
// ten, the end of the first half; at any other time `early` under `earlyBelow` minutes, else
// `late` one time in five (-1: none); then the deflection line.
struct ScoreLines {
    int16_t final, lastFive, lastTen, halfEnd;
    int16_t early, earlyBelow, late;
    int16_t deflection;
};
constexpr ScoreLines kOneBehind{78, 79, 80, 81, 82, 32767, -1, 83};
constexpr ScoreLines kLevel{84, 85, 86, 87, 88, 5, 89, 90};
constexpr ScoreLines kOneAhead{91, 92, 93, 94, 95, 8, -1, 96};
constexpr int32_t kFirstGroupWithMinute = 88;
constexpr int32_t kGroupReturnPass = 22;
constexpr int32_t kGroupPassOn = 19;
constexpr int32_t kGroupTeamTouch = 23;
constexpr int32_t kGroupBallLost = 24;
constexpr int32_t kTouchCommentTicks = 16;
constexpr int32_t kGroupPassReceived = 15;
constexpr int32_t kGroupLoftedPassReceived = 16;
constexpr int32_t kGroupHeaderReturned = 17;
constexpr int32_t kGroupHeaderReceived = 18;
constexpr int32_t kGroupPassIntercepted = 20;
constexpr int32_t kGroupBoxPassIntercepted = 21;
constexpr int32_t kFirstRecord = 0;
constexpr int32_t kSecondRecord = 1;
constexpr int32_t kChallengeReach = 72;

// A kick of kind 4 or 6 draws no touch line.
bool QuietKick() { return Match.lastKickKind == 4 || Match.lastKickKind == 6; }

void CountPossession(int32_t person)
{
    int16_t& count = MatchPersons[person].stats.possessionCount;
    if (count < INT16_MAX) ++count;
}

// The touch came with no pass record involved: a team-mate's touch or the ball won back.
void SayTouch(int32_t person)
{
    const int32_t last = Ball.lastToucher;
    if (!IsPlayer(last) || MatchPersons[last].hasBall != 0) return;
    int16_t& delay = Match.touchCommentDelay;
    if (Person_Side(last) == Person_Side(person)) {
        if (QuietKick() || delay != 0) {
            Match.lastKickKind = 0;
            return;
        }
        const bool kindFive = Match.lastKickKind == 5;
        const int32_t group = kindFive && person == Match.previousToucher ? kGroupReturnPass
                              : kindFive                                  ? kGroupPassOn
                                                                          : kGroupTeamTouch;
        Comm_Say(group, Person_Side(person), person, -1, 0);
        delay = kTouchCommentTicks;
    } else if (!QuietKick() && delay == 0) {
        ++MatchPersons[last].stats.ballsLost;
        Comm_Say(kGroupBallLost, Person_Side(person), person, -1, 0);
        delay = kTouchCommentTicks;
    }
}

void ClearRecord(int8_t (&record)[2])
{
    record[0] = -1;
    record[1] = -1;
}

// The line on a first-kind pass received, by the kind of the kick that sent it.
int32_t ReceivedGroup(int32_t person)
{
    switch (Match.lastKickKind) {
        case 1: return kGroupPassReceived;
        case 2: return kGroupLoftedPassReceived;
        case 5:
            return person == Match.previousToucher ? kGroupHeaderReturned : kGroupHeaderReceived;
        default: return kGroupPassOn;
    }
}

void CountCompletion(int32_t kind, int32_t kicker, int32_t person)
{
    MatchPerson& k = MatchPersons[kicker];
    MatchPerson& p = MatchPersons[person];
    int32_t group = kGroupPassReceived;
    if (kind == kFirstRecord) {
        ++k.stats.passesCompleted;
        if (Match.longPassFlag != 0) {
            ++k.stats.longPassesCompleted;
        } else {
            if (p.positionClass < MATCH_PERSONS_PER_SIDE) ++k.passTo[1][p.positionClass];
            const int32_t slot = KickBook_ReceiverSlot(person);
            if (slot >= 0) ++k.passesCompletedTo[slot];
        }
        ++p.stats.passesReceived;
        group = ReceivedGroup(person);
    } else if (kind == kSecondRecord) {
        ++k.stats.secondKindCompletions;
        ++p.stats.secondKindReceptions;
        // Inside the area the crosser's side attacks: the one the other side defends.
        if (InsideBoxDefendedBy(Person_Side(kicker) ^ 1, p.x, p.y)) ++k.stats.dangerousCrosses;
    } else {
        ++k.stats.thirdKindCompletions;
        ++p.stats.thirdKindReceptions;
    }
    KeyCounts_PassCompleted(kind, kicker, person);
    Comm_Say(group, Person_Side(person), person, kicker, 0);
}

// The first record, in kind order, that this touch completes: its kicker touched last and this
// person is its receiver, or its receiver touched last.
bool CompletePass(int32_t person)
{
    const int32_t last = Ball.lastToucher;
    for (int32_t kind = 0; kind < PASS_RECORD_COUNT; ++kind) {
        int8_t(&record)[2] = Match.passRecord[kind];
        if (!((record[0] == last && record[1] == person) || (record[0] >= 0 && record[1] == last)))
            continue;
        const int32_t kicker = record[0];
        ClearRecord(record);
        CountCompletion(kind, kicker, person);
        return true;
    }
    return false;
}

// The first pending pass of the other side, crosses and headers first, that this touch cuts out.
// A cross or header after a clearance or a shot is no longer one.
bool InterceptPass(int32_t person)
{
    for (const int32_t kind : {1, 2, 0}) {
        int8_t(&record)[2] = Match.passRecord[kind];
        const int32_t kicker = record[0];
        if (kicker < 0 || record[1] == person || Person_Side(kicker) == Person_Side(person))
            continue;
        if (kind != kFirstRecord && QuietKick()) continue;
        const MatchPerson& p = MatchPersons[person];
        const bool inBox = InsideBoxDefendedBy(KickingSide, p.x, p.y);
        if (inBox) ++MatchPersons[kicker].stats.boxPassesLost;
        ClearRecord(record);
        ++MatchPersons[person].stats.interceptions;
        KeyCounts_Interception(person, p.x, p.y);
        if (kind == kSecondRecord) ++MatchPersons[kicker].stats.crossesIntercepted;
        if (kind != kFirstRecord || !QuietKick()) {
            Comm_Say(inBox ? kGroupBoxPassIntercepted : kGroupPassIntercepted, Person_Side(person),
                     person, kicker, 0);
        }
        return true;
    }
    return false;
}

// The side attacking the goal line where the ball went out.
int32_t AttackingSideAtBall()
{
    const bool topHalf = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    return topHalf ? Match.secondOfPair ^ 1 : Match.secondOfPair;
}

int32_t ScoreLine(const ScoreLines& lines, int32_t m)
{
    const bool extraTime = Match.period >= 2;
    const int32_t half = extraTime ? 105 : 45;
    const int32_t end = extraTime ? 120 : 90;
    if (m == end) return lines.final;
    if (m > end - 5) return lines.lastFive;
    if (m > end - 10) return lines.lastTen;
    if (m > half - 2 && (Match.period == 0 || Match.period == 2)) return lines.halfEnd;
    if (m < lines.earlyBelow) return lines.early;
    if (lines.late >= 0 && Rand() % 5 == 0) return lines.late;
    return -1;
}

void SayWithMinute(int32_t group, int32_t side, int32_t shooter, int32_t m)
{
    Comm_Say(group, side, shooter, -1, group >= kFirstGroupWithMinute ? m : 0);
}

const ScoreLines* LinesFor(int32_t goalsFor, int32_t goalsAgainst)
{
    if (goalsAgainst == goalsFor + 1) return &kOneBehind;
    if (goalsFor == goalsAgainst) return &kLevel;
    if (goalsFor == goalsAgainst + 1) return &kOneAhead;
    return nullptr;
}

void SayDominance(int32_t side)
{
    const int32_t other = side ^ 1;
    const int32_t shots = Match.teamStats[side].shots;
    const int32_t otherShots = Match.teamStats[other].shots;
    uint8_t(&said)[2] = Match.dominanceSaid;
    if (shots / 2 > otherShots && shots > 5 && said[side] == 0 && said[other] == 0) {
        Comm_Say(kGroupDominance, side, -1, -1, 0);
        said[side] = 1;
    }
    if (shots >= otherShots && said[side] == 0 && said[other] != 0
        && Match.score[side] <= Match.score[other]) {
        Comm_Say(kGroupComeback, side, -1, -1, 0);
        said[side] = 1;
    }
}

// Skills a tiring or disheartened player loses, in the order they are drawn for.
constexpr auto kFatigueSkills = std::to_array<int32_t>({15, 3, 1, 2, 4, 5, 17, 18, 16});
constexpr int32_t kSkillTiringBar = 16;
constexpr int32_t kSkillStamina = 15;
constexpr int32_t kSkillRecovery = 19;
constexpr int32_t kSkillHeart = 11;
constexpr int32_t kSkillSpirit = 8;
constexpr int32_t kSkillLeadership = 13;
constexpr int32_t kSkillFloor = 10;
constexpr int32_t kMoodFloor = 30;
constexpr int32_t kMoodCeiling = 99;

void AdjustSkill(MatchPerson& p, int32_t skill, int32_t by)
{
    p.skills[skill] = static_cast<uint8_t>(p.skills[skill] + by);
}

// Tiredness never passes a third of his stamina; a knock clears in open play by his recovery.
void Tire(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (!(Rand() % 200 > Person_Skill(p, kSkillTiringBar) && p.offPitch == 0
          && p.resultByteA < Person_Skill(p, kSkillStamina) / 3))
        return;
    if (Rand() % 200 < Person_Skill(p, kSkillRecovery) && MatchPhase == PHASE_OPEN_PLAY
        && p.resultByteB == 1)
        p.resultByteB = 0;
    if (!IsKeeper(person) && Rand() % 8 == 0) ++p.resultByteA;
    for (const int32_t skill : kFatigueSkills) {
        if (Person_Skill(p, skill) > kSkillFloor) AdjustSkill(p, skill, -1);
    }
}

// One draw per skill past its bound, in the listed order.
void DrawEachSkill(MatchPerson& p, std::span<const int32_t> skills, bool gain)
{
    for (const int32_t skill : skills) {
        const bool passes =
            gain ? Person_Skill(p, skill) < kMoodCeiling : Person_Skill(p, skill) > kMoodFloor;
        if (passes && Rand() % 4 == 0) AdjustSkill(p, skill, gain ? 1 : -1);
    }
}

bool OnThePitch(int32_t person)
{
    return person >= 0 && person < MATCH_PLAYER_COUNT && MatchPersons[person].offPitch == 0;
}

// A side under less pressure than the other loses heart unless its captain steadies it; a side
// under more gains unless he holds it back.
void ChangeMood(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (!(Rand() % 100 > Person_EffectiveSkill(person, Person_Skill(p, kSkillHeart) / 2)
          && p.offPitch == 0))
        return;
    const int32_t side = Person_Side(person);
    const int32_t captain = Match.takers[side][TAKER_CAPTAIN];
    const std::array<int32_t, 2> spirit{kSkillHeart, kSkillSpirit};
    if (TeamPressure[side] < TeamPressure[side ^ 1]) {
        if (OnThePitch(captain)
            && Rand() % 100 < Person_Skill(MatchPersons[captain], kSkillLeadership))
            return;
        DrawEachSkill(p, kFatigueSkills, false);
        DrawEachSkill(p, spirit, true);
    } else if (TeamPressure[side] > TeamPressure[side ^ 1]) {
        if (OnThePitch(captain)
            && Rand() % 100 > Person_Skill(MatchPersons[captain], kSkillLeadership))
            return;
        DrawEachSkill(p, std::span(kFatigueSkills).first(kFatigueSkills.size() - 1), true);
        DrawEachSkill(p, spirit, false);
    }
}

}  // namespace

void Team_AddPressure(int32_t amount)
{
    const bool topHalf = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    const int32_t attacking = topHalf ? Match.secondOfPair ^ 1 : Match.secondOfPair;
    const int32_t other = attacking ^ 1;
    TeamPressure[attacking] = static_cast<int16_t>(TeamPressure[attacking] + amount);
    TeamPressure[other] = static_cast<int16_t>(TeamPressure[other] - 2 * amount);
    // The draw comes first, so every call moves the generator.
    if (Rand() % 4 == 0 && amount != 1 && amount != 4 && amount != 5 && amount != 6
        && TeamPressure[0] != TeamPressure[1]) {
        const int32_t ahead = TeamPressure[0] > TeamPressure[1] ? 0 : 1;
        const int32_t behindBy = Match.score[ahead ^ 1] - Match.score[ahead];
        if (behindBy == 0 || behindBy == 1) Comm_Say(kGroupPressure, ahead, -1, -1, 0);
    }
    for (int16_t& pressure : TeamPressure) {
        pressure = std::max<int16_t>(pressure, 0);
    }
}

void Match_MissedChanceComment()
{
    if (Match.lastKickKind == kKindNoComment) return;
    const int32_t m = static_cast<int32_t>(GetMatchClockSeconds() / 60);
    const int32_t side = AttackingSideAtBall();
    const int32_t toucher = Ball.lastToucher;
    int32_t shooter = toucher;
    bool deflected = false;
    if (!(IsPlayer(toucher) && Person_Side(toucher) == side)) {
        if (toucher == LineUp[side ^ 1][0]) {
            shooter = Match.lastKicker[side];
        } else {
            deflected = true;
        }
    }
    if (Match.firstShotRecord != 0) {
        Comm_Say(kGroupFirstShotRecord, side, shooter, -1, 0);
        return;
    }
    if (const ScoreLines* lines = LinesFor(Match.score[side], Match.score[side ^ 1])) {
        const int32_t group = ScoreLine(*lines, m);
        if (group >= 0) SayWithMinute(group, side, shooter, m);
        if (deflected) SayWithMinute(lines->deflection, side, shooter, m);
    }
    if (IsPlayer(shooter)) {
        const int32_t goals = MatchPersons[shooter].stats.goals;
        if (goals == 1) Comm_Say(kGroupScoredOnce, side, shooter, -1, 0);
        if (goals == 2) Comm_Say(kGroupScoredTwice, side, shooter, -1, 0);
    }
    SayDominance(side);
}

void Match_Fatigue()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        Tire(person);
        ChangeMood(person);
    }
}

void Match_LogEvent(int32_t kind, int32_t a, int32_t b, int32_t c)
{
    MatchDataBlock* data = GetMatchDataBlock();
    // The last row always stays free for the closing kind 255.
    if (data->eventCount < 0 || data->eventCount >= MATCH_EVENT_MAX - 1) return;
    data->events[data->eventCount++] = {static_cast<uint8_t>(kind),
                                        static_cast<int16_t>(Match.period),
                                        static_cast<int16_t>(Match_GetMinute()),
                                        static_cast<int16_t>(a),
                                        static_cast<int16_t>(b),
                                        static_cast<int16_t>(c)};
    data->events[data->eventCount].kind = MATCH_EVENT_END;
}

void Match_OnBallTouch(int32_t person)
{
    if (Match.touchCommentDelay != 0) --Match.touchCommentDelay;
    KickBook_Touch(person);
    if (MatchPhase == PHASE_OPEN_PLAY) CountPossession(person);
    KeyCounts_Touch(person);
    if (person == Ball.lastToucher || MatchPhase != PHASE_OPEN_PLAY) return;
    if (Ball.holder != 0 || Ball.secondHolder != 0) return;
    ++MatchPersons[person].stats.touches;
    if (!CompletePass(person) && !InterceptPass(person)) SayTouch(person);
    Match.previousToucher = Ball.lastToucher;
    if (Match.passProvider >= 0 && !IsKeeper(person) && person != Match.passProvider)
        Match.passProvider = -1;
    Ball.lastToucher = static_cast<int16_t>(person);
    Match.carrierCommentCount = 0;
    Match.ballEvent = 0;
}

int32_t Person_InOwnBoxUnderChallenge(int32_t person)
{
    const int32_t side = Person_Side(person);
    const int32_t challenger = ActivePlayer[side ^ 1];
    if (challenger == MATCH_NONE || MatchPersons[challenger].ballDistance >= kChallengeReach)
        return 0;
    const MatchPerson& p = MatchPersons[person];
    if (!InsideBoxDefendedBy(side, p.x, p.y)) return 0;
    ++MatchPersons[person].stats.ownBoxChallenges;
    return 1;
}

int32_t Person_CountBoxEntry(int32_t person)
{
    if (!InsideBoxDefendedBy(KickingSide, CurrentPersonPos.x, CurrentPersonPos.y)) return 0;
    ++MatchPersons[person].stats.boxEntries;
    return 1;
}

void Person_TireByPercent(int32_t person, int32_t percent)
{
    MatchPerson& p = MatchPersons[person];
    p.resultByteA = static_cast<int8_t>(std::min(127, p.resultByteA * percent / 100));
}
