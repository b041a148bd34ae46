// gamecode/fouls.cpp: the foul and offside phases, from the whistle to the free kick's taker.
#include "gamecode/fouls.h"

#include <algorithm>
#include <span>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchview.h"
#include "gamecode/motion.h"
#include "gamecode/officials.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restarts.h"
#include "gamecode/restartutil.h"
#include "gamecode/substitutions.h"

namespace {

constexpr int32_t kFoulWait = 30;
constexpr int32_t kOffsideWait = 60;
constexpr int32_t kMarkerFrame = 12;
constexpr int32_t kDirectReach = 38 * PITCH_UNITS_PER_YARD;  // beyond it an ordinary free kick
constexpr int32_t kTakerReach = 50 * PITCH_UNITS_PER_YARD;   // the free-kick taker's range
constexpr int32_t kRunnerOffset = 64;
constexpr int32_t kPenaltyStepBack = 10;
constexpr int32_t kGroupPenalty = 104;
constexpr int32_t kInfoBarOffside = 2;
constexpr int32_t kInfoBarInjury = 11;
constexpr int16_t kHighlightInjury = 2;
constexpr int32_t kHighlightTicks = 200;
constexpr int8_t kInjuryHandled = 2;
constexpr int32_t kInjuryLengthLimit = 60;
constexpr int32_t kWhistleFoul = 2;
constexpr int32_t kWhistleRestart = 1;

int32_t AwardedSide() { return FoulingSide ^ 1; }

bool OnPitch(int32_t person)
{
    return person >= 0 && person < MATCH_PLAYER_COUNT && MatchPersons[person].offPitch == 0;
}

// The first on-pitch player of proximity entries 1-3, else entry 4: every taker's last resort.
int32_t EntryTaker(int32_t side)
{
    for (int32_t entry = 1; entry <= 3; ++entry) {
        if (OnPitch(Match.proximity[side][entry])) return Match.proximity[side][entry];
    }
    return Match.proximity[side][4];
}

int32_t TakerOrEntry(int32_t side, MatchTaker table)
{
    const int32_t taker = Match.takers[side][table];
    return OnPitch(taker) ? taker : EntryTaker(side);
}

void PlaceMarker(int32_t x, int32_t y)
{
    Person_PlaceAt(MATCH_MARKER, x, y);
    MatchPersons[MATCH_MARKER].frame = kMarkerFrame;
}

// A computer side left without its keeper after the foul puts a stand-in in goal at once.
void ReplaceFoulingKeeper()
{
    const int32_t side = FoulingSide;
    if (Match_SideIsHuman(side) || MatchPersons[LineUp[side][0]].offPitch == 0) return;
    Team_PickStandInKeeper(side);
    const int32_t keeper = LineUp[side][0];
    if (!OnPitch(keeper)) return;
    Person_SetAction(keeper, ACT_KEEPER_IDLE);
    Person_PlaceAt(keeper, PITCH_CENTRE_X, RestartSpot[1]);
}

void AddInjury(MatchPerson& p)
{
    p.stats.injuryTotal = static_cast<int16_t>(p.stats.injuryTotal + Rand() % 10);
    p.stats.injuryLength =
        static_cast<int16_t>(std::min(p.stats.injuryLength + Rand() % 30, kInjuryLengthLimit));
}

bool SubstitutesLeft(int32_t side)
{
    return Match.substitutionCount[side] < Match.substitutesAllowed;
}

// A computer side brings a substitute on when it can; else an injured keeper stays in goal
// unless he has gone off.
void CareForComputerPlayer(int32_t injured)
{
    const int32_t side = Person_Side(injured);
    int32_t substitute = -1;
    if (SubstitutesLeft(side) && StoppageSubstituted[side] == 0
        && MatchPhase != PHASE_SUBSTITUTION_PAUSE)
        substitute = Team_PickSubstitute(side, injured);
    if (substitute >= 0) {
        AddInjury(MatchPersons[injured]);
        Football_Substitute(side, substitute % MATCH_PERSONS_PER_SIDE,
                            injured % MATCH_PERSONS_PER_SIDE);
        MatchPresentationOps.InfoBar(kInfoBarInjury, injured, substitute);
        StoppageSubstituted[side] = 0;
    } else if (injured == LineUp[side][0]) {
        Team_PickStandInKeeper(side);
    }
}

// A human side's injured player leaves at once; its manager picks the substitute at this
// stoppage.
void CareForHumanPlayer(int32_t injured)
{
    MatchPerson& p = MatchPersons[injured];
    const int32_t side = Person_Side(injured);
    Person_PlaceAt(injured, 0, 0);
    Person_StoreAction(injured, ACT_STAND);
    Football_NoteLeaving(injured);
    p.offPitch = 1;
    p.animation = -1;  // not drawn at (0, 0), nor counted on the heat map
    Team_ForgetActive(injured);
    ActivateHighLight(kHighlightInjury, kHighlightTicks);
    if (!SubstitutesLeft(side)) return;
    SubstitutionRequest[side] = 1;
    AddInjury(p);
}

bool StillDown(const MatchPerson& p)
{
    return (p.action > 16 && p.action < 120) || p.action == ACT_KEEPER_SMOTHER;
}

// False while the hurt player is still down, at most FOUL_WAIT_LIMIT ticks.
bool CareForInjured()
{
    const int32_t injured = FouledPlayer;
    if (!OnPitch(injured) || MatchPersons[injured].resultByteB == 0) return true;
    MatchPerson& p = MatchPersons[injured];
    PhaseTimer = 1;
    if (StillDown(p) && FoulWaitTicks < FOUL_WAIT_LIMIT) {
        ++FoulWaitTicks;
        return false;
    }
    p.resultByteB = kInjuryHandled;
    if (Match_SideIsHuman(Person_Side(injured))) {
        CareForHumanPlayer(injured);
    } else {
        CareForComputerPlayer(injured);
    }
    Match_RunPendingSubstitutions();
    for (MatchPerson& player : std::span(MatchPersons, MATCH_PLAYER_COUNT)) {
        if (player.offPitch == 0) player.resultByteB = 0;
    }
    return true;
}

bool InPenaltyArea(int32_t side, int32_t x, int32_t y)
{
    const bool inDepth = AttacksUp(side) ? y >= PITCH_BOX_FAR_Y : y <= PITCH_BOX_NEAR_Y;
    return inDepth && x >= PITCH_BOX_LEFT_X && x <= PITCH_BOX_RIGHT_X;
}

// Near goal and in front of it a free kick is direct; from a wide angle or far out it is not.
int32_t FreeKickKind(int32_t side)
{
    PlaceMarker(RestartSpot[0], RestartSpot[1]);
    const int32_t d = Person_DirectionToTarget(MATCH_MARKER, 1, side);
    const bool wide = (d > 40 && d < 88) || (d > 168 && d < 216);
    return DistanceResult > kDirectReach || wide ? PHASE_FREE_KICK : PHASE_DIRECT_FREE_KICK;
}

void StartKick(int32_t phase)
{
    Match_ClearPlayerFlags();
    // A wait left over from the last free kick would have the taker play at once, to that kick's
    // receiver.
    Restart_ResetTaker();
    MatchPhase = static_cast<int16_t>(phase);
    FoulWaitTicks = 0;
    PhaseTimer = 0;
}

void AddStoppageTime() { StoppageTicks += Rand() % 30 + 30; }

void MoveSpotToPenaltySpot(int32_t side)
{
    RestartSpot[0] = PITCH_CENTRE_X;
    RestartSpot[1] = static_cast<int16_t>(AttacksUp(side) ? PITCH_PENALTY_SPOT_FAR_Y
                                                          : PITCH_PENALTY_SPOT_NEAR_Y);
}

int32_t SetUpPenalty(int32_t side)
{
    Comm_Say(kGroupPenalty, side, FouledPlayer, -1, 0);
    ++MatchPersons[LineUp[side][0]].stats.penaltiesAwarded;
    StartKick(PHASE_PENALTY_KICK);
    AddStoppageTime();
    return TakerOrEntry(side, TAKER_PENALTY);
}

int32_t SetUpFreeKick(int32_t side)
{
    const int32_t distance = DistanceResult;
    StartKick(PHASE_FREE_KICK);
    const int32_t taker = Match.takers[side][TAKER_FREE_KICK];
    if (distance < kTakerReach && OnPitch(taker)) return taker;
    const int32_t nearest = Team_NearestTeammateTo(RestartSpot[0], RestartSpot[1], FouledPlayer);
    return nearest >= 0 && nearest != FouledPlayer ? nearest : EntryTaker(side);
}

int32_t SetUpDirectFreeKick(int32_t side)
{
    Match.keeperPendingAction = -1;
    PlaceMarker(PITCH_CENTRE_X, AttackedGoalY(side));
    StartKick(PHASE_DIRECT_FREE_KICK);
    AddStoppageTime();
    return TakerOrEntry(side, TAKER_FREE_KICK);
}

// Half the time a second player runs up beside the taker, a step toward the middle.
void SendSecondPlayer(int32_t side, int32_t taker)
{
    for (int32_t entry = 0; entry <= 4; ++entry) {
        const int32_t person = Match.proximity[side][entry];
        if (!OnPitch(person) || person == FouledPlayer || person == taker) continue;
        if (Rand() % 2 != 0) return;
        Person_SetAction(person, ACT_FREE_KICK_RUNNER);
        MatchPerson& p = MatchPersons[person];
        p.targetX =
            static_cast<int16_t>(RestartSpot[0] < PITCH_CENTRE_X ? RestartSpot[0] + kRunnerOffset
                                                                 : RestartSpot[0] - kRunnerOffset);
        p.targetY = RestartSpot[1];
        return;
    }
}

void ChargeTheFoul(int32_t taker, int32_t side)
{
    ActivePlayer[side] = static_cast<uint8_t>(taker);
    ++Match.teamStats[FoulingSide].fouls;
    if (Offender >= 0 && Offender < MATCH_PLAYER_COUNT)
        ++MatchPersons[Offender].stats.foulsGivenAgainst;
    Person_SetAction(taker, ACT_FREE_KICK_TAKER);
}

void SetUpFoulKick()
{
    const int32_t side = AwardedSide();
    Referee_Whistle(kWhistleRestart, OFFICIAL_REFEREE_FOLLOW);
    KickingSide = static_cast<uint8_t>(side);
    Match.keeperPendingAction = -1;
    const bool penalty = InPenaltyArea(side, RestartSpot[0], RestartSpot[1]);
    if (penalty) MoveSpotToPenaltySpot(side);
    Ball_SetForRestart(side, RestartSpot[0], RestartSpot[1]);
    const int32_t kind = penalty ? PHASE_PENALTY_KICK : FreeKickKind(side);
    const int32_t taker = kind == PHASE_PENALTY_KICK ? SetUpPenalty(side)
                          : kind == PHASE_FREE_KICK  ? SetUpFreeKick(side)
                                                     : SetUpDirectFreeKick(side);
    // The keepers leave what they were doing: a keeper still rising with a loose ball he fell on
    // after the whistle (the wait for busy players is cut off) would keep it at his feet, away
    // from the taker, for ever. Before the taker's own action, should he be a keeper.
    Person_SetAction(LineUp[0][0], ACT_KEEPER_IDLE);
    Person_SetAction(LineUp[1][0], ACT_KEEPER_IDLE);
    ChargeTheFoul(taker, side);
    if (penalty) {
        Person_PlaceAt(MATCH_MARKER, PITCH_CENTRE_X, MatchPersons[MATCH_MARKER].y);
    } else {
        SendSecondPlayer(side, taker);
    }
    MatchPersons[MATCH_MARKER].frame = kMarkerFrame;
    LastIncidentMark = MATCH_BALL;
    Person_RunActionNow(taker);
    // At a penalty he starts a step back from the spot, on the halfway side.
    const int32_t back = !penalty ? 0 : AttacksUp(side) ? -kPenaltyStepBack : kPenaltyStepBack;
    Person_PlaceAt(taker, RestartSpot[0], RestartSpot[1] + back);
    Match_RunStoppageSubstitutions();
}

}  // namespace

void Phase_Foul()
{
    if (PhaseTimer == 0) {
        Restart_Award(AwardedSide(), kFoulWait);
        FoulWaitTicks = 0;
        // The referee turns to the offender once he has whistled.
        const int32_t next =
            RefereeDecision != 0 ? RefereeDecision : int32_t{OFFICIAL_REFEREE_FOLLOW};
        Referee_Whistle(kWhistleFoul, next);
        Match_ResetForRestart();
        return;
    }
    if (--PhaseTimer != 0) return;
    Restart_GiveBall(AwardedSide());
    if (RefereeDecision != 0) {
        SavedPhase = PHASE_FOUL;
        MatchPhase = PHASE_DECISION_PENDING;
        PhaseTimer = 1;
        return;
    }
    ReplaceFoulingKeeper();
    if (!CareForInjured()) return;
    if (Match_CountBusyPlayers() != 0 && FoulWaitTicks < FOUL_WAIT_LIMIT) {
        ++FoulWaitTicks;
        PhaseTimer = 1;
        return;
    }
    SetUpFoulKick();
}

void Phase_Offside()
{
    const int32_t side = OffsideSide ^ 1;
    if (PhaseTimer == 0) {
        Restart_Award(side, kOffsideWait);
        return;
    }
    if (--PhaseTimer != 0) return;
    MatchPresentationOps.InfoBar(kInfoBarOffside, -1, -1);
    Referee_Whistle(kWhistleRestart, OFFICIAL_REFEREE_FOLLOW);
    MatchPhase = PHASE_FREE_KICK;
    PhaseTimer = 0;
    Match_ClearPlayerFlags();
    Restart_ResetTaker();
    Match_AllStand();
    KickingSide = static_cast<uint8_t>(side);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t taker = Team_NearestTeammateOrFallback(ball.x, ball.y, -1);
    Ball_SetForRestart(side, RestartSpot[0], RestartSpot[1]);
    Match.keeperPendingAction = -1;
    ++Match.teamStats[OffsideSide].offsides;
    Match_ResetForRestart();
    // After the reset, which leaves no side an active player: the ball on the spot is his alone.
    ActivePlayer[side] = static_cast<uint8_t>(taker);
    MatchPerson& t = MatchPersons[taker];
    t.action = ACT_FREE_KICK_TAKER;
    Person_TurnToward(taker, t.facing);
    MatchPersons[MATCH_MARKER].frame = kMarkerFrame;
    Person_PlaceAt(taker, RestartSpot[0], RestartSpot[1]);
    LastIncidentMark = MATCH_BALL;
    Match_RunStoppageSubstitutions();
}
