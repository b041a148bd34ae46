// gamecode/keeper.cpp: the goalkeeper's save decision.
#include "gamecode/keeper.h"

#include <array>
#include <cstdlib>
#include <span>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/motion.h"

namespace {

constexpr int32_t kHandlingSkill = 0;
constexpr int32_t kJumpSkill = 4;
constexpr int32_t kAnticipationSkill = 12;
constexpr int32_t kJudgementSkill = 20;
constexpr int32_t kFastBall = 17;     // a speed byte above it may beat his hands
constexpr int32_t kGuessedTick = 22;  // where a keeper facing a penalty expects the ball
constexpr int32_t kNearLine = 80;     // the high save across the goal: the ball's y this near
constexpr int16_t kLowest = -32768;
constexpr int16_t kHighest = 32767;

// A bound of a save row: base, plus jumpSkill / perJump when perJump is not 0.
struct Bound {
    int16_t base;
    int16_t perJump;
    int32_t Value(int32_t jump) const { return base + (perJump != 0 ? jump / perJump : 0); }
};
constexpr Bound kNone{kLowest, 0};
constexpr Bound kAny{kHighest, 0};
constexpr Bound At(int16_t value) { return {value, 0}; }

// One save row: height and reach within their inclusive bounds, afterTick < T <= byTick, and
// for the high save across the goal the ball's y near his own.
struct SaveRow {
    Bound heightMin, heightMax, reachMin, reachMax;
    int16_t afterTick, byTick;
    bool nearLine;
    int16_t save;
    int16_t fastSave;  // taken instead when a fast ball beats his handling; 0 none
};

constexpr Bound kCloseReach{8, 20};  // R / 20 + 8
constexpr Bound kBeyondClose{9, 20};

// The ball moves across the goal.
constexpr auto kAcrossRows = std::to_array<SaveRow>({
    {At(16), {16, 40}, kNone, kAny, 4, 38, true, ACT_KEEPER_HIGH_SAVE, 0},
    {At(16), {16, 20}, kNone, At(149), 11, 46, false, ACT_KEEPER_PUNCH, 0},
    {At(9), At(12), kNone, kCloseReach, 3, 24, false, ACT_KEEPER_SAVE_MID_CLOSE, 0},
    {kNone, At(8), kNone, kCloseReach, 5, 44, false, ACT_KEEPER_COLLECT_LOW, 0},
});

// The ball moves along the pitch, or stands.
constexpr auto kAlongRows = std::to_array<SaveRow>({
    {At(17), kAny, kNone, At(19), 6, 50, false, ACT_KEEPER_PALM_OVER, 0},
    {At(13), At(16), kNone, kCloseReach, 4, 38, false, ACT_KEEPER_HIGH_SAVE, 0},
    {At(13), At(16), At(15), At(39), 6, 52, false, ACT_KEEPER_DIVE_HIGH_SHORT,
     ACT_KEEPER_FAST_DIVE_HIGH_SHORT},
    {At(13), At(16), At(15), At(69), 6, 52, false, ACT_KEEPER_DIVE_HIGH_LONG,
     ACT_KEEPER_FAST_DIVE_HIGH_LONG},
    {At(9), At(12), kNone, kCloseReach, 3, 24, false, ACT_KEEPER_SAVE_MID_CLOSE, 0},
    {At(9), At(12), At(15), At(39), 6, 50, false, ACT_KEEPER_DIVE_MID_SHORT,
     ACT_KEEPER_FAST_DIVE_MID_SHORT},
    {At(9), At(12), At(15), At(69), 6, 50, false, ACT_KEEPER_DIVE_MID_LONG,
     ACT_KEEPER_FAST_DIVE_MID_LONG},
    {kNone, At(8), kNone, kCloseReach, 5, 44, false, ACT_KEEPER_COLLECT_LOW, 0},
    {kNone, At(8), kBeyondClose, At(39), 5, 40, false, ACT_KEEPER_DIVE_LOW_SHORT,
     ACT_KEEPER_FAST_DIVE_LOW_SHORT},
    {kNone, At(8), kBeyondClose, At(69), 5, 40, false, ACT_KEEPER_DIVE_LOW_LONG,
     ACT_KEEPER_FAST_DIVE_LOW_LONG},
});

bool Within(int32_t value, Bound low, Bound high, int32_t jump)
{
    return value >= low.Value(jump) && value <= high.Value(jump);
}

bool Matches(const SaveRow& row, int32_t jump)
{
    return Within(Match.interceptHeight, row.heightMin, row.heightMax, jump)
           && Within(Match.interceptReach, row.reachMin, row.reachMax, jump)
           && Match.interceptTick > row.afterTick && Match.interceptTick <= row.byTick
           && (!row.nearLine || std::abs(Match.interceptY - CurrentPersonPos.y) < kNearLine);
}

bool MovesAcrossGoal(uint16_t direction)
{
    return (direction > 40 && direction < 88) || (direction > 168 && direction < 216);
}

// A penalty taker's shot: the keeper commits to a side and a moment before it is struck home.
void GuessPenalty(int32_t person)
{
    const int32_t keeper = LineUp[Person_Side(person)][0];
    if (ShotWindow <= 0 || Ball.direction == BALL_STILL || keeper < 0
        || MatchPersons[keeper].action != ACT_KEEPER_IDLE)
        return;
    Match.interceptX = static_cast<int16_t>(Match.interceptX - Rand() % 120);
    Match.interceptX = static_cast<int16_t>(Match.interceptX + Rand() % 120);
    Match.interceptHeight = static_cast<int16_t>(Match.interceptHeight + Rand() % 7);
    Match.interceptTick = kGuessedTick;
}

void Misread(int16_t& value, int32_t judgement)
{
    if (Rand() % 100 <= judgement) return;
    value = static_cast<int16_t>(value + Rand() % 12);
    value = static_cast<int16_t>(value - Rand() % 12);
}

int32_t PickSave(const MatchPerson& keeper)
{
    const int32_t jump = Person_Skill(keeper, kJumpSkill);
    const bool across = MovesAcrossGoal(Ball.direction);
    for (const SaveRow& row :
         across ? std::span<const SaveRow>(kAcrossRows) : std::span<const SaveRow>(kAlongRows)) {
        if (!Matches(row, jump)) continue;
        const bool beaten = row.fastSave != 0 && Ball.speed > kFastBall
                            && Person_Skill(keeper, kHandlingSkill) < Rand() % 100;
        return beaten ? row.fastSave : row.save;
    }
    return ACT_KEEPER_IDLE;
}

}  // namespace

int32_t Keeper_ChooseSave(int32_t pointX, int32_t pointY, int32_t person)
{
    const int32_t horizon = Person_Skill(MatchPersons[person], kAnticipationSkill) / 2;
    Ball_PredictMeeting(horizon, pointX, pointY, person, MEETING_KEEPER);
    Match.interceptTick = Match.meetingTick;
    Match.interceptHeight = Match.meetingHeight;
    Match.interceptReach = Match.meetingDistance;
    Match.interceptX = MeetingPoint[0];
    Match.interceptY = MeetingPoint[1];
    return Keeper_JudgeLookAhead(person);
}

int32_t Keeper_JudgeLookAhead(int32_t person)
{
    if (Match.interceptReach == MEETING_NONE) return ACT_KEEPER_IDLE;
    MatchPerson& keeper = MatchPersons[person];
    GuessPenalty(person);
    const int32_t judgement = Person_Skill(keeper, kJudgementSkill);
    Misread(Match.interceptHeight, judgement);
    Misread(Match.interceptReach, judgement);
    Misread(Match.interceptTick, judgement);
    Misread(Match.interceptX, judgement);
    KeeperDiveDirection = static_cast<int16_t>(Person_DirectionTo(
        CurrentPersonPos.x, CurrentPersonPos.y, Match.interceptX, Match.interceptY));
    const int32_t save = PickSave(keeper);
    if (save == ACT_KEEPER_IDLE) return save;
    keeper.receivePoint[0] = SavePoint[0] = Match.interceptX;
    keeper.receivePoint[1] = SavePoint[1] = Match.interceptY;
    return save;
}
