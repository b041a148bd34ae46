// gamecode/kickbook.cpp: the books every strike of the ball keeps.
#include "gamecode/kickbook.h"

#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/incidents.h"
#include "gamecode/keycounts.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kAfterKickTicks = 16;
constexpr int32_t kPassTimeout = 300;
constexpr int32_t kFirstRecord = 0;
constexpr int32_t kCrossRecord = 1;
constexpr int32_t kHeaderRecord = 2;
constexpr int32_t kEventMissedPenalty = 4;

// The phases of a restart being taken: its strike puts the ball back in open play.
bool IsRestartBeingTaken(int32_t phase)
{
    switch (phase) {
        case PHASE_THROW_IN_TAKEN:
        case PHASE_GOAL_KICK_TAKEN:
        case PHASE_CORNER_TAKEN:
        case PHASE_KEEPER_CLEARANCE:
        case PHASE_FREE_KICK:
        case PHASE_DIRECT_FREE_KICK:
        case PHASE_PENALTY_KICK:
        case PHASE_FREE_KICK_READY: return true;
        default: return false;
    }
}

// The set piece whose attack a strike in `phase` starts: none for the shoot-out's kicks.
SetPieceKind SetPieceOf(int32_t phase)
{
    switch (phase) {
        case PHASE_CORNER_TAKEN: return SET_PIECE_CORNER;
        case PHASE_FREE_KICK:
        case PHASE_FREE_KICK_READY:
        case PHASE_DIRECT_FREE_KICK: return SET_PIECE_FREE_KICK;
        case PHASE_PENALTY_KICK:
            return Match.period == MATCH_PERIOD_SHOOT_OUT ? SET_PIECE_NONE : SET_PIECE_PENALTY;
        default: return SET_PIECE_NONE;
    }
}

void EndSetPiece() { Match.setPieceKind = SET_PIECE_NONE; }

// The attack of the set piece before this strike: a penalty's ends as missed whoever strikes
// next; a corner's or free kick's goes on while the taker's side plays the ball in open play.
void EndSetPieceAtStrike(int32_t kicker, bool restart)
{
    const int32_t taker = Match.setPieceTaker;
    switch (Match.setPieceKind) {
        case SET_PIECE_NONE: return;
        case SET_PIECE_PENALTY:
            Match_LogEvent(kEventMissedPenalty, Person_Side(taker), MatchPersons[taker].playerId,
                           -1);
            break;
        default:
            if (!restart && Person_Side(kicker) == Person_Side(taker)) return;
    }
    EndSetPiece();
}

// The taker's count of the set piece his strike takes, and its attack from now. A kick at goal
// from a free kick counts in its own strike, whatever phase it is struck in.
void StartSetPiece(int32_t taker, int32_t phase)
{
    MatchPersonStats& stats = MatchPersons[taker].stats;
    const SetPieceKind kind = SetPieceOf(phase);
    if (phase == PHASE_CORNER_TAKEN) ++stats.cornersTaken;
    if (phase == PHASE_FREE_KICK || phase == PHASE_FREE_KICK_READY) ++stats.freeKicksTaken;
    if (kind == SET_PIECE_PENALTY) ++stats.penaltiesInPlay;
    if (kind == SET_PIECE_NONE) return;
    Match.setPieceKind = kind;
    Match.setPieceTaker = static_cast<int8_t>(taker);
    Match.setPiecePeriod = Match.period;
}

}  // namespace

int32_t KickBook_ShotKind(int32_t kicker)
{
    const bool up = AttacksUp(Person_Side(kicker));
    const int32_t y = ShotTarget[1];
    return (up ? y > PITCH_FAR_GOAL_LINE_Y : y < PITCH_NEAR_GOAL_LINE_Y) ? KICK_KIND_SHOT
                                                                         : KICK_KIND_CLEARANCE;
}

void KickBook_Strike(int32_t kicker, int32_t kind)
{
    MatchPerson& k = MatchPersons[kicker];
    Ball_UpdateSpeedDir();
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Ball_GiveToPerson(-1);
    // The kicker is the last toucher even when he got the ball at a restart, where touches are
    // not recorded: his pass is completed by the receiver's touch and a ball he puts straight in
    // is his goal.
    Ball.lastToucher = static_cast<int16_t>(kicker);
    LastKicker[Person_Side(kicker)] = static_cast<int8_t>(kicker);
    Match.lastKickKind = static_cast<int16_t>(kind);
    Ball.afterKick = kAfterKickTicks;
    k.touchCooldown1 = kAfterKickTicks;
    k.kicked = 1;
    KickBook_ClearShotRecords();
    if (kind == KICK_KIND_CLEARANCE) {
        ++k.stats.clearances;
        KeyCounts_Clearance(kicker, MatchPersons[MATCH_BALL].x, MatchPersons[MATCH_BALL].y);
    }
    const bool restart = IsRestartBeingTaken(MatchPhase);
    EndSetPieceAtStrike(kicker, restart);
    if (restart) {
        StartSetPiece(kicker, MatchPhase);
        MatchPhase = PHASE_OPEN_PLAY;
        PhaseTimer = 0;
    }
}

void KickBook_Touch(int32_t person)
{
    const int32_t kind = Match.setPieceKind;
    if ((kind == SET_PIECE_CORNER || kind == SET_PIECE_FREE_KICK) && IsPlayer(person)
        && Person_Side(person) != Person_Side(Match.setPieceTaker))
        EndSetPiece();
}

void KickBook_Goal(int32_t scoring)
{
    const int32_t kind = Match.setPieceKind;
    const int32_t taker = Match.setPieceTaker;
    EndSetPiece();
    if (kind == SET_PIECE_NONE || Person_Side(taker) != scoring
        || Match.setPiecePeriod != Match.period)
        return;
    MatchPersonStats& stats = MatchPersons[taker].stats;
    if (kind == SET_PIECE_CORNER) ++stats.cornersScored;
    if (kind == SET_PIECE_FREE_KICK) ++stats.freeKicksScored;
    if (kind == SET_PIECE_PENALTY) ++stats.penaltiesScored;
}

int32_t KickBook_ReceiverSlot(int32_t person)
{
    const int32_t shirt = MatchPersons[person].positionExtra[0];
    return shirt >= 1 && shirt <= MATCH_PERSONS_PER_SIDE ? shirt - 1 : -1;
}

void KickBook_Pass(int32_t kicker, int32_t receiver, int32_t x, int32_t y, PassBook book)
{
    MatchPerson& k = MatchPersons[kicker];
    const bool cross = book == PASS_BOOK_CROSS;
    const bool toReceiver = IsPlayer(receiver);
    AssistTimer = kPassTimeout;
    PassReceiver = static_cast<int8_t>(toReceiver ? receiver : -1);
    if (cross) {
        ++k.stats.crosses;
    } else {
        ++k.passCounters[0];
        if (book == PASS_BOOK_THROUGH) ++k.stats.throughPasses;
    }
    if (!toReceiver) return;
    MatchPerson& r = MatchPersons[receiver];
    r.receivePoint[0] = static_cast<int16_t>(x);
    r.receivePoint[1] = static_cast<int16_t>(y);
    Person_SetAction(receiver, ACT_GO_TO_MEETING_SPOT);
    AssistCandidate = static_cast<int8_t>(kicker);
    LastPossessor[Person_Side(kicker)] = static_cast<int8_t>(kicker);
    int8_t(&record)[2] = Match.passRecord[cross ? kCrossRecord : kFirstRecord];
    record[0] = static_cast<int8_t>(kicker);
    record[1] = static_cast<int8_t>(receiver);
    Match.secondProvider = static_cast<int8_t>(cross ? kicker : -1);
    if (cross) return;
    const bool longPass = book == PASS_BOOK_LONG || book == PASS_BOOK_THROUGH;
    Match.longPassFlag = longPass ? 1 : 0;
    if (longPass) {
        ++k.passCounters[1];
        return;
    }
    if (const int32_t slot = KickBook_ReceiverSlot(receiver); slot >= 0) ++k.passTo[0][slot];
}

void KickBook_HeadedPass(int32_t kicker, int32_t receiver)
{
    const int32_t side = Person_Side(kicker);
    const bool toMate = IsPlayer(receiver) && Person_Side(receiver) == side && receiver != kicker;
    AssistTimer = kPassTimeout;
    AssistCandidate = static_cast<int8_t>(kicker);
    LastPossessor[side] = static_cast<int8_t>(kicker);
    PassReceiver = static_cast<int8_t>(toMate ? receiver : -1);
    if (!toMate) return;
    int8_t(&record)[2] = Match.passRecord[kHeaderRecord];
    record[0] = static_cast<int8_t>(kicker);
    record[1] = static_cast<int8_t>(receiver);
}

void KickBook_Shot(int32_t shooter)
{
    const int32_t side = Person_Side(shooter);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    ++MatchPersons[shooter].stats.shots;
    ++Match.teamStats[side].shots;
    Match.shooter = static_cast<int8_t>(shooter);
    Match.shotStart[0] = ball.x;
    Match.shotStart[1] = ball.y;
    Match.shotStartTick = Match.tickCount;
    const int32_t candidate = AssistCandidate;
    const bool received = shooter == PassReceiver && IsPlayer(candidate) && candidate != shooter
                          && Person_Side(candidate) == side;
    Match.passProvider = static_cast<int8_t>(received ? candidate : -1);
    KeyCounts_Shot(shooter);
}

void KickBook_ShotOnTarget()
{
    const int32_t shooter = Match.shooter;
    if (!IsPlayer(shooter)) return;
    ++MatchPersons[shooter].stats.shotsOnTarget;
    ++Match.teamStats[Person_Side(shooter)].shotsOnTarget;
    Match.shooter = -1;
}

void KickBook_GoalShot(int32_t scoring, int32_t toucher)
{
    const int32_t shooter = Match.shooter;
    Match.shooter = -1;
    if (IsPlayer(shooter) && Person_Side(shooter) == scoring) {
        ++MatchPersons[shooter].stats.shotsOnTarget;
        ++Match.teamStats[scoring].shotsOnTarget;
        return;
    }
    // A defender's touch makes it an own goal, and the scoring side struck no shot.
    if (Match.period == MATCH_PERIOD_SHOOT_OUT || !IsPlayer(toucher)
        || Person_Side(toucher) != scoring)
        return;
    KeyCounts_Shot(toucher);
    MatchPersonStats& stats = MatchPersons[toucher].stats;
    ++stats.shots;
    ++stats.shotsOnTarget;
    ++Match.teamStats[scoring].shots;
    ++Match.teamStats[scoring].shotsOnTarget;
}

void KickBook_ShotMissed()
{
    const int32_t shooter = Match.shooter;
    if (!IsPlayer(shooter)) return;
    MatchPersonStats& stats = MatchPersons[shooter].stats;
    ++stats.missedShots;
    KeyCounts_ShotWide(shooter);
    Match.shooter = -1;
    if (Match.firstShotRecord != 0 && Match.shotRecordPlayer[0] == shooter) ++stats.penaltiesMissed;
}

void KickBook_ClearShotRecords()
{
    Match.firstShotRecord = 0;
    Match.secondShotRecord = 0;
    Match.thirdShotRecord = 0;
}

void KickBook_SetShotRecord(int32_t record, int32_t person)
{
    KickBook_ClearShotRecords();
    uint8_t* const flags[3] = {&Match.firstShotRecord, &Match.secondShotRecord,
                               &Match.thirdShotRecord};
    *flags[record] = 1;
    Match.shotRecordPlayer[record] = static_cast<int8_t>(person);
}
