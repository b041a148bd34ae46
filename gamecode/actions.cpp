// gamecode/actions.cpp: the player action dispatcher and the per-tick player-group refresh.
#include "gamecode/actions.h"

#include <algorithm>

#include "engine/fatal.h"
#include "gamecode/activeplayer.h"
#include "gamecode/basicactions.h"
#include "gamecode/interim.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/restartactions.h"

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
constexpr std::array<ActionRow, ACTION_COUNT> ActionTable = std::to_array<ActionRow>({
    // Basic states, walking to the target point, the active player, turning with the ball.
    {0, Action_Stand, "Basic"},
    {1, Action_Passive1, "Passive1"},
    {2, Action_Passive2, "Passive2"},
    {3, Action_WalkToTarget, "Basic"},
    {4, Action_Active, "Basic"},
    {5, Action_RunWithBall, "Basic"},
    {6, Action_TakeOnTheRun, "Basic"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {7, Action_Hold, "Outfield"},
    {8, Action_Hold, "Outfield"},
    {9, Action_Hold, "Outfield"},
    {10, Action_Hold, "Outfield"},
    {11, Action_Hold, "Outfield"},
    {12, Action_Hold, "Outfield"},
    {13, Action_Hold, "Outfield"},
    {14, Action_Hold, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {15, Action_Hold, "BallRun"},
    {16, Action_Hold, "BallRun"},
    // Basic states, walking to the target point, the active player, turning with the ball.
    {17, Action_GoToMeetingSpot, "Basic"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {18, Action_Hold, "BallRun"},
    // Restart takers: throw-ins, placed balls, the kick-off pair, free kicks and the wall.
    {19, Action_Hold, "RestartTaker"},
    {20, Action_Hold, "RestartTaker"},
    {21, Action_InterimTaker, "RestartTaker"},
    {22, Action_InterimTaker, "RestartTaker"},
    {23, Action_KickoffAfterGoal, "RestartTaker"},
    {24, Action_KickoffWalk, "RestartTaker"},
    {25, Action_KickoffAtBall, "RestartTaker"},
    {26, Action_KickoffPartner, "RestartTaker"},
    {27, Action_KickoffTaker, "RestartTaker"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {28, Action_Hold, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {29, Action_Hold, "BallRun"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {30, Action_WalkOff, "ThrowInTackle"},
    {31, Action_WalkOffTunnel, "ThrowInTackle"},
    {32, Action_Hold, "ThrowInTackle"},
    {33, Action_InterimKnockedDown, "ThrowInTackle"},
    {34, Action_Hold, "ThrowInTackle"},
    {35, Action_Hold, "ThrowInTackle"},
    {36, Action_Hold, "ThrowInTackle"},
    {37, Action_Hold, "ThrowInTackle"},
    {38, Action_Still38, "Still38"},
    {39, Action_Still39, "Still39"},
    {40, Action_Still40, "Still40"},
    {41, Action_Hold, "ThrowInTackle"},
    {42, Action_Hold, "ThrowInTackle"},
    {43, Action_Hold, "ThrowInTackle"},
    {44, Action_Hold, "ThrowInTackle"},
    {45, Action_Hold, "ThrowInTackle"},
    // Meeting a high ball: jumping strikes, volleys and controls.
    {46, Action_Hold, "HighBall"},
    {47, Action_Hold, "HighBall"},
    {48, Action_Hold, "HighBall"},
    {49, Action_Hold, "HighBall"},
    {50, Action_Hold, "HighBall"},
    {51, Action_Hold, "HighBall"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {52, Action_Hold, "BallRun"},
    // Restart takers: throw-ins, placed balls, the kick-off pair, free kicks and the wall.
    {53, Action_InterimTaker, "RestartTaker"},
    {54, Action_Hold, "RestartTaker"},
    {55, Action_Hold, "RestartTaker"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {56, Action_Hold, "Outfield"},
    {57, Action_Hold, "Outfield"},
    {58, Action_Hold, "Outfield"},
    {59, Action_Hold, "Outfield"},
    {60, Action_Hold, "Outfield"},
    {61, Action_Hold, "Outfield"},
    {62, Action_Hold, "Outfield"},
    {63, Action_Hold, "Outfield"},
    {64, Action_Hold, "Outfield"},
    {65, Action_Hold, "Outfield"},
    {66, Action_Hold, "Outfield"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {67, Action_Hold, "ThrowInTackle"},
    {68, Action_Hold, "ThrowInTackle"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {69, Action_InterimCelebrate, "Outfield"},
    {70, Action_InterimCelebrate, "Outfield"},
    {71, Action_Hold, "Outfield"},
    {72, Action_Hold, "Outfield"},
    // Throw-in run-up and release, tackles, short set animations, walking off.
    {73, Action_InterimKnockedDown, "ThrowInTackle"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {74, Action_Hold, "Outfield"},
    // Runs with the ball, crosses, ground kicks and the shot.
    {75, Action_Hold, "BallRun"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {76, Action_Hold, "Outfield"},
    {77, Action_Hold, "Outfield"},
    {78, Action_Hold, "Outfield"},
    // Meeting a high ball: jumping strikes, volleys and controls.
    {79, Action_Hold, "HighBall"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {80, Action_Hold, "Outfield"},
    {81, Action_Hold, "Outfield"},
    {82, Action_Hold, "Outfield"},
    {83, Action_Hold, "Outfield"},
    {84, Action_Hold, "Outfield"},
    {85, Action_Hold, "Outfield"},
    {86, Action_Hold, "Outfield"},
    {87, Action_Hold, "Outfield"},
    {88, Action_Hold, "Outfield"},
    {89, Action_Hold, "Outfield"},
    {90, Action_Hold, "Outfield"},
    {91, Action_Hold, "Outfield"},
    // Unused ids.
    {92, Action_Unused, "Unused"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {93, Action_Hold, "Outfield"},
    {94, Action_Hold, "Outfield"},
    {95, Action_Hold, "Outfield"},
    {96, Action_Hold, "Outfield"},
    {97, Action_Hold, "Outfield"},
    {98, Action_Hold, "Outfield"},
    {99, Action_Hold, "Outfield"},
    {100, Action_Hold, "Outfield"},
    {101, Action_Hold, "Outfield"},
    {102, Action_Hold, "Outfield"},
    {103, Action_Hold, "Outfield"},
    {104, Action_Hold, "Outfield"},
    {105, Action_Hold, "Outfield"},
    {106, Action_Hold, "Outfield"},
    {107, Action_Hold, "Outfield"},
    {108, Action_InterimChaseArrived, "Outfield"},
    {109, Action_Hold, "Outfield"},
    {110, Action_Hold, "Outfield"},
    // Basic states, walking to the target point, the active player, turning with the ball.
    {111, Action_ShieldAndTurn, "Basic"},
    {112, Action_TurnWithBall, "Basic"},
    {113, Action_TurnWithBall, "Basic"},
    // Passes, shots, tackles, headers, set pieces, celebrations and minor moves.
    {114, Action_Hold, "Outfield"},
    {115, Action_Hold, "Outfield"},
    {116, Action_Hold, "Outfield"},
    // Unused ids.
    {117, Action_Unused, "Unused"},
    {118, Action_Unused, "Unused"},
    {119, Action_Unused, "Unused"},
    // Goalkeepers.
    {120, Action_InterimKeeper, "Keeper"},
    // Unused ids.
    {121, Action_Unused, "Unused"},
    // Goalkeepers.
    {122, Action_InterimKeeper, "Keeper"},
    {123, Action_InterimTaker, "Keeper"},
    {124, Action_InterimKeeper, "Keeper"},
    {125, Action_InterimKeeper, "Keeper"},
    {126, Action_InterimKeeper, "Keeper"},
    {127, Action_InterimKeeper, "Keeper"},
    {128, Action_InterimKeeper, "Keeper"},
    {129, Action_InterimKeeper, "Keeper"},
    {130, Action_InterimKeeper, "Keeper"},
    {131, Action_InterimKeeper, "Keeper"},
    {132, Action_InterimKeeper, "Keeper"},
    {133, Action_InterimKeeper, "Keeper"},
    {134, Action_InterimKeeper, "Keeper"},
    {135, Action_InterimKeeper, "Keeper"},
    {136, Action_InterimKeeper, "Keeper"},
    {137, Action_InterimKeeper, "Keeper"},
    {138, Action_InterimKeeper, "Keeper"},
    {139, Action_InterimKeeper, "Keeper"},
    {140, Action_InterimKeeper, "Keeper"},
    {141, Action_InterimKeeper, "Keeper"},
    {142, Action_InterimKeeper, "Keeper"},
    {143, Action_InterimKeeper, "Keeper"},
    // Unused ids.
    {144, Action_Unused, "Unused"},
    // Goalkeepers.
    {145, Action_InterimKeeper, "Keeper"},
    {146, Action_InterimKeeper, "Keeper"},
    {147, Action_InterimKeeper, "Keeper"},
    {148, Action_InterimKeeper, "Keeper"},
    {149, Action_InterimKeeper, "Keeper"},
    {150, Action_InterimKeeper, "Keeper"},
    {151, Action_InterimKeeper, "Keeper"},
    {152, Action_InterimKeeper, "Keeper"},
    {153, Action_InterimKeeper, "Keeper"},
    {154, Action_InterimKeeper, "Keeper"},
    {155, Action_InterimKeeper, "Keeper"},
    {156, Action_InterimKeeper, "Keeper"},
    {157, Action_InterimTaker, "Keeper"},
    {158, Action_InterimKeeper, "Keeper"},
    {159, Action_InterimKeeper, "Keeper"},
    {160, Action_InterimKeeper, "Keeper"},
    {161, Action_InterimKeeper, "Keeper"},
    {162, Action_InterimKeeper, "Keeper"},
    {163, Action_InterimKeeper, "Keeper"},
    // Unused ids.
    {164, Action_Unused, "Unused"},
    // Goalkeepers.
    {165, Action_InterimKeeper, "Keeper"},
    {166, Action_InterimKeeper, "Keeper"},
    {167, Action_InterimKeeper, "Keeper"},
    {168, Action_InterimKeeper, "Keeper"},
    {169, Action_InterimKeeper, "Keeper"},
    {170, Action_InterimKeeper, "Keeper"},
    {171, Action_InterimKeeper, "Keeper"},
    {172, Action_InterimKeeper, "Keeper"},
    {173, Action_InterimKeeper, "Keeper"},
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
    if (p.action < 0 || p.action >= ACTION_COUNT)
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
    if (p.offPitch == 0) Team_RefillLineup(Person_Side(person));
    Person_PlaceAt(person, 0, 0);
    p.action = 0;
    p.offPitch = 1;
    p.animation = -1;
}

void ForgetHolder(int16_t& holderWord, int32_t person)
{
    if (holderWord == person + 1 && MatchPersons[person].offPitch != 0) holderWord = 0;
}

bool HeadFollowsBall(int32_t action)
{
    // Officials' states read as action ids too; a word outside the table looks straight ahead.
    return action >= 0 && action < ACTION_COUNT && ActionHeadFollowsBall[action] != 0;
}

void RefreshPerson(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    p.dirToBall = static_cast<uint16_t>(Person_DirectionTo(p.x, p.y, ball.x, ball.y));
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
    CurrentSide = 0;
    for (int32_t i = 0; i < MATCH_PLAYER_COUNT; ++i) {
        if (i == MATCH_PERSONS_PER_SIDE) CurrentSide = 1;
        const MatchPerson& p = MatchPersons[i];
        if (p.offPitch == 0 && p.sentOff == 0 && p.bookings < 2) {
            RunPlayer(i);
        } else if (RefereeDecision == 0) {
            TakeOffPitch(i);
        }
        ForgetHolder(Ball.holder, i);
        ForgetHolder(Ball.secondHolder, i);
    }
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
