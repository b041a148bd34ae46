// gamecode/actions.cpp: the player action dispatcher and the per-tick player-group refresh.
#include "gamecode/actions.h"

#include <algorithm>

#include "engine/fatal.h"
#include "gamecode/actionids.h"
#include "gamecode/activeplayer.h"
#include "gamecode/basicactions.h"
#include "gamecode/carrierruns.h"
#include "gamecode/headers.h"
#include "gamecode/highballs.h"
#include "gamecode/keeper.h"
#include "gamecode/keeperball.h"
#include "gamecode/keepersaves.h"
#include "gamecode/matchdata.h"
#include "gamecode/minormoves.h"
#include "gamecode/motion.h"
#include "gamecode/passkicks.h"
#include "gamecode/phases.h"
#include "gamecode/refill.h"
#include "gamecode/restartactions.h"
#include "gamecode/setpieces.h"
#include "gamecode/shots.h"
#include "gamecode/stoppageactions.h"
#include "gamecode/tackles.h"

namespace {

constexpr int32_t kHeadFollowStep = 16;
constexpr int32_t kLineNobodyNear = 10000;  // the line of a side defending y 122, nobody counted
constexpr int32_t kLineNobodyFar = 0;

// A player in one of these keeps his position, facing and animation until other code sets a new
// action.
void Action_Passive1(int32_t) {}
void Action_Passive2(int32_t) {}
void Action_Still38(int32_t) {}
void Action_Still39(int32_t) {}
void Action_Still40(int32_t) {}
void Action_Unused(int32_t) {}

}  // namespace

// clang-format off
constexpr std::array<ActionRow, ACT_COUNT> ActionTable = std::to_array<ActionRow>({
    // Basic states, walking to the target point, the active player, turning with the ball.
    {ACT_STAND, Action_Stand, "Basic"},
    {ACT_PASSIVE_STILL_1, Action_Passive1, "Passive1"},
    {ACT_PASSIVE_STILL_2, Action_Passive2, "Passive2"},
    {ACT_WALK_TO_TARGET, Action_WalkToTarget, "Basic"},
    {ACT_ACTIVE, Action_Active, "Basic"},
    {ACT_RUN_WITH_BALL, Action_RunWithBall, "Basic"},
    {ACT_TAKE_ON_THE_RUN, Action_TakeOnTheRun, "Basic"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_AIMED_KICK_7, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_8, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_9, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_10, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_11, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_12, Action_AimedKick, "Outfield"},
    {ACT_AIMED_KICK_13, Action_AimedKick, "Outfield"},
    {ACT_WAIT_FOR_HIGH_BALL, Action_WaitForHighBall, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {ACT_CARRY_RUN, Action_CarryRun, "BallRun"},
    {ACT_CARRY_SPRINT, Action_CarryRun, "BallRun"},
    // Basic states, walking to the target point, the active player, turning with the ball.
    {ACT_GO_TO_MEETING_SPOT, Action_GoToMeetingSpot, "Basic"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {ACT_LOFTED_BALL_18, Action_LoftedBall, "BallRun"},
    // Restart takers: throw-ins, placed balls, the kick-off pair, free kicks and the wall.
    {ACT_THROWER_CHOOSE, Action_ThrowerChoose, "RestartTaker"},
    {ACT_PLACED_BALL_CHOOSE, Action_PlacedBallChoose, "RestartTaker"},
    {ACT_FETCH_THROW_IN, Action_FetchThrowIn, "RestartTaker"},
    {ACT_FETCH_PLACED_BALL, Action_FetchPlacedBall, "RestartTaker"},
    {ACT_KICKOFF_AFTER_GOAL, Action_KickoffAfterGoal, "RestartTaker"},
    {ACT_KICKOFF_WALK, Action_KickoffWalk, "RestartTaker"},
    {ACT_KICKOFF_AT_BALL, Action_KickoffAtBall, "RestartTaker"},
    {ACT_KICKOFF_PARTNER, Action_KickoffPartner, "RestartTaker"},
    {ACT_KICKOFF_TAKER, Action_KickoffTaker, "RestartTaker"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_SLIDING_TACKLE_28, Action_Tackle, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {ACT_GROUND_KICK, Action_GroundKick, "BallRun"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {ACT_WALK_OFF, Action_WalkOff, "ThrowInTackle"},
    {ACT_WALK_OFF_TUNNEL, Action_WalkOffTunnel, "ThrowInTackle"},
    {ACT_STANDING_TACKLE, Action_StandingTackle, "ThrowInTackle"},
    {ACT_KNOCKED_DOWN, Action_KnockedDown, "ThrowInTackle"},
    {ACT_GROUND_PASS, Action_GroundPass, "ThrowInTackle"},
    {ACT_THROW_IN_RELEASE, Action_ThrowInRelease, "ThrowInTackle"},
    {ACT_RESTART_KICK, Action_RestartKick, "ThrowInTackle"},
    {ACT_BURST, Action_Burst, "ThrowInTackle"},
    {ACT_STILL_38, Action_Still38, "Still38"},
    {ACT_STILL_39, Action_Still39, "Still39"},
    {ACT_STILL_40, Action_Still40, "Still40"},
    {ACT_THROW_IN_RUN_UP, Action_ThrowInRunUp, "ThrowInTackle"},
    {ACT_STANDING_THROW, Action_StandingThrow, "ThrowInTackle"},
    {ACT_BACK_OFF_FOR_SHOT, Action_BackOffForKick, "ThrowInTackle"},
    {ACT_BACK_OFF_FOR_PASS, Action_BackOffForKick, "ThrowInTackle"},
    {ACT_GOAL_KICK_BACK_OFF, Action_BackOffForRunUp, "ThrowInTackle"},
    // Meeting a high ball: jumping strikes, volleys and controls.
    {ACT_JUMP_STRIKE_TO_TARGET, Action_HighBall, "HighBall"},
    {ACT_JUMP_STRIKE_AT_GOAL, Action_HighBall, "HighBall"},
    {ACT_HIGH_STRIKE_AT_GOAL, Action_HighBall, "HighBall"},
    {ACT_CONTROL_HIGH_BALL, Action_HighBall, "HighBall"},
    {ACT_OVERHEAD_KICK, Action_HighBall, "HighBall"},
    {ACT_VOLLEY_TO_TARGET, Action_HighBall, "HighBall"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {ACT_SHOT, Action_Shot, "BallRun"},
    // Restart takers: throw-ins, placed balls, the kick-off pair, free kicks and the wall.
    {ACT_FREE_KICK_TAKER, Action_FreeKickTaker, "RestartTaker"},
    {ACT_FREE_KICK_DEFENDER, Action_FreeKickDefender, "RestartTaker"},
    {ACT_FREE_KICK_AT_BALL, Action_FreeKickAtBall, "RestartTaker"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_BLOCK_TACKLE, Action_Tackle, "Outfield"},
    {ACT_SET_PIECE_WAIT, Action_SetPieceWait, "Outfield"},
    {ACT_HOLD_SPOT, Action_HoldSpot, "Outfield"},
    {ACT_FREE_KICK_ARRANGE, Action_FreeKickArrange, "Outfield"},
    {ACT_PENALTY_RUN_UP, Action_PenaltyRunUp, "Outfield"},
    {ACT_SHOOTOUT_FACE_CENTRE, Action_ShootOutFaceCentre, "Outfield"},
    {ACT_MINOR_STILL_62, Action_MinorStill, "Outfield"},
    {ACT_SHOOTOUT_WATCH, Action_ShootOutWatch, "Outfield"},
    {ACT_MINOR_STILL_64, Action_MinorStill, "Outfield"},
    {ACT_MINOR_STILL_65, Action_MinorStill, "Outfield"},
    {ACT_BACK_HEEL_66, Action_PassKick, "Outfield"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {ACT_BEND_AND_RISE, Action_BendAndRise, "ThrowInTackle"},
    {ACT_BEFORE_RESTART_KICK, Action_BeforeRestartKick, "ThrowInTackle"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_CELEBRATE, Action_Celebrate, "Outfield"},
    {ACT_RUN_TO_SCORER, Action_RunToScorer, "Outfield"},
    {ACT_DIRECT_FREE_KICK, Action_SetPieceShot, "Outfield"},
    {ACT_DIVE_FOR_FOUL, Action_DiveForFoul, "Outfield"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {ACT_SLIDE_TO_STOP, Action_SlideToStop, "ThrowInTackle"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_MINOR_STILL_74, Action_MinorStill, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {ACT_LOFTED_BALL_75, Action_LoftedBall, "BallRun"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_MOVE_TO_LOOSE_BALL, Action_MoveToLooseBall, "Outfield"},
    {ACT_PASS_77, Action_PassKick, "Outfield"},
    {ACT_DRIBBLE_SHOT_78, Action_Shoot, "Outfield"},
    // Meeting a high ball: jumping strikes, volleys and controls.
    {ACT_CONTROL_JUMPING, Action_HighBall, "HighBall"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_FIRST_TIME_SHOT_80, Action_FirstTimeShot, "Outfield"},
    {ACT_DRIBBLE_SHOT_81, Action_Shoot, "Outfield"},
    {ACT_JUMP_HEADER_AT_GOAL, Action_JumpingHeader, "Outfield"},
    {ACT_FIRST_TIME_SHOT_83, Action_FirstTimeShot, "Outfield"},
    {ACT_FIRST_TIME_SHOT_84, Action_FirstTimeShot, "Outfield"},
    {ACT_PENALTY_WALK_TO_SPOT, Action_PenaltyWalkToSpot, "Outfield"},
    {ACT_JUMP_HEADED_PASS, Action_JumpingHeader, "Outfield"},
    {ACT_JUMP_HEADER_BACK_FLICK, Action_JumpingHeader, "Outfield"},
    {ACT_HEADER_TO_MATE, Action_HeaderToMate, "Outfield"},
    {ACT_SLIDING_TACKLE_89, Action_Tackle, "Outfield"},
    {ACT_SLIDE_WITH_BALL, Action_SlideWithBall, "Outfield"},
    {ACT_SHOULDER_CHARGE, Action_ShoulderCharge, "Outfield"},
    // Unused ids.
    {ACT_UNUSED_92, Action_Unused, "Unused"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_STUMBLE, Action_Stumble, "Outfield"},
    {ACT_SET_PIECE_PASS, Action_SetPieceKick, "Outfield"},
    {ACT_PENALTY_KICK, Action_SetPieceShot, "Outfield"},
    {ACT_NEAR_POST, Action_NearPost, "Outfield"},
    {ACT_CURLED_SHOT_STANDING, Action_Shoot, "Outfield"},
    {ACT_CURLED_SHOT, Action_Shoot, "Outfield"},
    {ACT_HANDBALL, Action_Handball, "Outfield"},
    {ACT_GESTURE_AND_RETURN, Action_GestureAndReturn, "Outfield"},
    {ACT_MINOR_STILL_101, Action_MinorStill, "Outfield"},
    {ACT_SLOW_TO_STOP, Action_SlowToStop, "Outfield"},
    {ACT_FREE_KICK_RUNNER, Action_FreeKickRunner, "Outfield"},
    {ACT_MINOR_STILL_104, Action_MinorStill, "Outfield"},
    {ACT_CLEARING_SLIDE, Action_ClearingSlide, "Outfield"},
    {ACT_LIFTED_SHOT_STANDING, Action_Shoot, "Outfield"},
    {ACT_LIFTED_SHOT, Action_Shoot, "Outfield"},
    {ACT_JOCKEY, Action_Jockey, "Outfield"},
    {ACT_PASS_109, Action_PassKick, "Outfield"},
    {ACT_BACK_HEEL_110, Action_PassKick, "Outfield"},
    // Basic states, walking to the target point, the active player, turning with the ball.
    {ACT_SHIELD_AND_TURN, Action_ShieldAndTurn, "Basic"},
    {ACT_TURN_WITH_BALL_DOWN, Action_TurnWithBall, "Basic"},
    {ACT_TURN_WITH_BALL_UP, Action_TurnWithBall, "Basic"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {ACT_HEADER_HOLD_PLACE, Action_StandingHeader, "Outfield"},
    {ACT_STANDING_HEADER, Action_StandingHeader, "Outfield"},
    {ACT_LUNGE, Action_Tackle, "Outfield"},
    // Unused ids.
    {ACT_UNUSED_117, Action_Unused, "Unused"},
    {ACT_UNUSED_118, Action_Unused, "Unused"},
    {ACT_UNUSED_119, Action_Unused, "Unused"},
    // Goalkeepers.
    {ACT_KEEPER_TAKE_BALL, Action_KeeperTakeBall, "Keeper"},
    // Unused ids.
    {ACT_UNUSED_121, Action_Unused, "Unused"},
    // Goalkeepers.
    {ACT_KEEPER_IDLE, Keeper_Idle, "Keeper"},
    {ACT_KEEPER_DISTRIBUTE, Action_KeeperDistribute, "Keeper"},
    {ACT_KEEPER_HOLD_AT_FEET, Action_KeeperHoldAtFeet, "Keeper"},
    {ACT_KEEPER_HIGH_SAVE, Action_KeeperHighSave, "Keeper"},
    {ACT_KEEPER_DIVE_MID_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_DIVE_LOW_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_PICK_UP, Action_KeeperGather, "Keeper"},
    {ACT_KEEPER_CATCH_MID, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_DIVE_MID_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_KICK_FROM_HANDS, Action_KeeperKickFromHands, "Keeper"},
    {ACT_KEEPER_GOAL_KICK, Action_KeeperGoalKick, "Keeper"},
    {ACT_KEEPER_CLEAR_OUTSIDE_BOX, Action_KeeperClearance, "Keeper"},
    {ACT_KEEPER_PUNCH, Action_KeeperPunch, "Keeper"},
    {ACT_KEEPER_PALM_OVER, Action_KeeperPalmOver, "Keeper"},
    {ACT_KEEPER_DIVE_LOW_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_CATCH_LOW, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_STILL_138, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_STILL_139, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_COLLECT_LOW, Action_KeeperCollectLow, "Keeper"},
    {ACT_KEEPER_DIVE_HIGH_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_STILL_142, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_SAVE_MID_CLOSE, Action_KeeperSaveMidClose, "Keeper"},
    // Unused ids.
    {ACT_UNUSED_144, Action_Unused, "Unused"},
    // Goalkeepers.
    {ACT_KEEPER_SMOTHER, Action_KeeperSmother, "Keeper"},
    {ACT_KEEPER_STILL_146, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_STILL_147, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_STILL_148, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_GATHER_MID, Action_KeeperGather, "Keeper"},
    {ACT_KEEPER_GATHER_LOW, Action_KeeperGather, "Keeper"},
    {ACT_KEEPER_RISE_FROM_SMOTHER, Action_KeeperRiseFromSmother, "Keeper"},
    {ACT_KEEPER_DIVE_HIGH_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_CATCH_HIGH, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_QUICK_BLOCK_154, Action_KeeperQuickBlock, "Keeper"},
    {ACT_KEEPER_QUICK_BLOCK_155, Action_KeeperQuickBlock, "Keeper"},
    {ACT_KEEPER_AIM_GOAL_KICK, Action_KeeperAimGoalKick, "Keeper"},
    {ACT_KEEPER_WALK_TO_GOAL_KICK, Action_KeeperWalkToGoalKick, "Keeper"},
    {ACT_KEEPER_GOAL_KICK_STEP_BACK, Action_KeeperGoalKickStepBack, "Keeper"},
    {ACT_KEEPER_THROW, Action_KeeperThrow, "Keeper"},
    {ACT_KEEPER_GESTURE_160, Action_KeeperGesture, "Keeper"},
    {ACT_KEEPER_GESTURE_161, Action_KeeperGesture, "Keeper"},
    {ACT_KEEPER_STILL_162, Action_KeeperStill, "Keeper"},
    {ACT_KEEPER_STILL_163, Action_KeeperStill, "Keeper"},
    // Unused ids.
    {ACT_UNUSED_164, Action_Unused, "Unused"},
    // Goalkeepers.
    {ACT_KEEPER_FAST_DIVE_LOW_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_FAST_DIVE_MID_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_FAST_DIVE_HIGH_LONG, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_FAST_DIVE_LOW_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_FAST_DIVE_MID_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_FAST_DIVE_HIGH_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_HOLD_LOW_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_HOLD_MID_SHORT, Action_KeeperDive, "Keeper"},
    {ACT_KEEPER_HOLD_HIGH_SHORT, Action_KeeperDive, "Keeper"},
});
// clang-format on

namespace {

consteval bool EveryRowInPlace()
{
    for (std::size_t i = 0; i < ActionTable.size(); ++i) {
        if (ActionTable[i].id != static_cast<int16_t>(i)) return false;
    }
    return true;
}
// Whether each row has a handler is checked by the tests: the sanitizer builds cannot compare a
// function's address at compile time.
static_assert(EveryRowInPlace(), "an action row is out of order");

struct PersonRange {
    int32_t first;
    int32_t last;
};
// Over four ticks every person 0-34 is refreshed once; the last group adds the officials.
constexpr auto kGroups = std::to_array<PersonRange>({{0, 7}, {16, 23}, {8, 15}, {24, 34}});

void RunPlayer(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
    if (p.action < 0 || p.action >= ACT_COUNT)
        FatalError("player_action(): Player action out of range %d - player %d\n", p.action,
                   person);
    ActionTable[p.action].run(person);
    // Whole units a handler wrote into the working copy do not count: the 16.16 values do.
    p.x16 = CurrentPersonPos.x16;
    p.y16 = CurrentPersonPos.y16;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
    if (MatchPhase == PHASE_OPEN_PLAY) Person_StampPlayTime(person);
}

void TakeOffPitch(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.offPitch == 0) Team_RefillLineup();
    Football_NoteLeaving(person);
    Person_PlaceAt(person, 0, 0);
    Person_StoreAction(person, 0);
    p.offPitch = 1;
    p.animation = -1;
    Team_ForgetActive(person);
}

void ForgetHolder(int16_t& holderWord, int32_t person)
{
    if (holderWord == person + 1 && MatchPersons[person].offPitch != 0) holderWord = 0;
}

bool HeadFollowsBall(int32_t action)
{
    // Officials' states read as action ids too; a word outside the table looks straight ahead.
    return action >= 0 && action < ACT_COUNT && ActionHeadFollowsBall[action] != 0;
}

void RunOrTakeOff(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    if (p.offPitch == 0 && p.sentOff == 0 && p.bookings < 2) {
        RunPlayer(person);
    } else if (RefereeDecision == 0) {
        TakeOffPitch(person);
    }
    ForgetHolder(Ball.holder, person);
    ForgetHolder(Ball.secondHolder, person);
}

void RefreshPerson(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.dirToBall = static_cast<uint16_t>(Person_DirectionToBallFrom(person, p.x, p.y));
    if (HeadFollowsBall(p.action)) {
        Person_LookAt(person, MATCH_BALL, kHeadFollowStep);
    } else {
        Person_TurnHeadBy(person, 0, 255);
    }
}

// The side attacking y 2042 defends y 122: its rearmost man has the smallest y.
int32_t ComputeLastDefenderLine(int32_t side)
{
    const bool defendsNear = side == Match.secondOfPair;
    int32_t line = defendsNear ? kLineNobodyNear : kLineNobodyFar;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const MatchPerson& p = MatchPersons[LineUp[side][slot]];
        if (p.offPitch != 0 || p.x <= Pitch.leftTouchline || p.x >= Pitch.rightTouchline) continue;
        line = defendsNear ? std::min<int32_t>(line, p.y) : std::max<int32_t>(line, p.y);
    }
    return line;
}

}  // namespace

void player_action()
{
    PlayersNotInPlace = 0;
    for (const int32_t side : SidesInMoveOrder()) {
        CurrentSide = static_cast<uint8_t>(side);
        for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
            RunOrTakeOff(side * MATCH_PERSONS_PER_SIDE + k);
        }
    }
}

void Person_RunActionNow(int32_t person)
{
    CurrentSide = static_cast<uint8_t>(Person_Side(person));
    RunPlayer(person);
}

void UpdatePlayerGroup()
{
    const PersonRange group = kGroups[PlayerGroupTurn & 3];
    Ball_FindHolder();
    for (int32_t person = group.first; person <= group.last; ++person) {
        RefreshPerson(person);
    }
    const int32_t side = group.first / MATCH_PERSONS_PER_SIDE;
    CurrentSide = static_cast<uint8_t>(side);
    LastDefenderLine[side] = static_cast<int16_t>(ComputeLastDefenderLine(side));
}

void Person_StampPlayTime(int32_t person)
{
    MatchPersonStats& stats = MatchPersons[person].stats;
    if (Match.matchTicks == 0) return;
    if (stats.firstPlayTick == 0) {
        stats.firstPlayTick = Match.matchTicks;
    } else {
        stats.latestPlayTick = Match.matchTicks;
    }
}
