// gamecode/ballpredict.cpp: the look-ahead on a copy of the ball.
#include "gamecode/ballpredict.h"

#include <algorithm>
#include <cstdlib>

#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kLandingHeight = 16;
constexpr int32_t kLandingStepLimit = 500;  // a ball on the ground never falls to land
constexpr int32_t kHighBallRunSpeed = 140;
constexpr int32_t kGroundHeight = 16;  // below it a ball is played with the feet
constexpr int32_t kChestHeight = 12;
constexpr int32_t kLowFlight = 32;  // a flight that stayed below it can be met at the chest
constexpr int32_t kJumpSkill = 4;
constexpr int32_t kHeaderLine = 10;     // along the pitch: how far off his line a header is met
constexpr int32_t kHeaderAcross = 100;  // across the pitch: how far along it
constexpr int32_t kHeaderHeight = 22;
// The largest reach any save tests: the keeper's look-ahead passes over points farther off.
constexpr int32_t kKeeperReach = 150;
// How far past any line of the pitch a runner's step may take him.
constexpr int32_t kNearPitch = 10;

// The next tick's flight starts from the ball's object, as Ball_Tick takes it back; the copy's
// first-bounce flag is cleared so that its bounces leave the landing marker alone.
BallState CopyBall()
{
    BallState copy = Ball;
    copy.wholeX = MatchPersons[MATCH_BALL].x;
    copy.wholeY = MatchPersons[MATCH_BALL].y;
    copy.firstBounce = 0;
    return copy;
}

// The flight's own step, with no line walk, then the after-kick count the contact pass keeps for
// the real ball (the swerve's ground cancel reads it). True when the copy bounced.
bool Step(BallState& copy)
{
    const bool bounced = Ball_Integrate(copy, nullptr);
    if (copy.afterKick > 0) --copy.afterKick;
    return bounced;
}

void SendTeamMatesToLanding(int32_t reach)
{
    if (LandingPoint[0] + LandingPoint[1] <= 0) return;
    const int32_t first = CurrentSide * MATCH_PERSONS_PER_SIDE;
    for (int32_t q = first; q < first + MATCH_PERSONS_PER_SIDE; ++q) {
        MatchPerson& mate = MatchPersons[q];
        if (mate.offPitch != 0 || mate.action > ACT_CARRY_SPRINT) continue;
        if (Person_StraightDistance(mate.x, mate.y, LandingPoint[0], LandingPoint[1]) >= reach)
            continue;
        Person_SetAction(q, ACT_WAIT_FOR_HIGH_BALL);
        mate.runSpeed = kHighBallRunSpeed;
    }
}

// What one point of the copied flight means to the meeting search.
enum class Verdict { PassOver, Record, Stop };

struct FlightPoint {
    int32_t x16;
    int32_t y16;
    int32_t height;
    int32_t distance;  // |dx| + |dy| from the player, to the nearest unit
};

struct MeetingSearch {
    int32_t mode;
    int32_t px16;  // the player's exact position
    int32_t py16;
    int32_t jumpTop;  // the highest ball his jump reaches in MEETING_FEET
    bool alongPitch;  // the ball's direction at the start, for MEETING_HEADER
    int32_t best = MEETING_NONE;
    int32_t maxHeight = 0;  // the highest unplayable point passed so far
    bool bounced = false;
};

// Measured between the exact positions: whole units are floored cells, which would put the ball
// half a unit nearer the goal at y 122 than it is, and the goal at y 2042 half a unit farther.
FlightPoint PointOf(const BallState& copy, const MeetingSearch& s)
{
    const int64_t across = std::abs(int64_t{s.px16} - copy.x16);
    const int64_t along = std::abs(int64_t{s.py16} - copy.y16);
    const auto distance = static_cast<int32_t>((across + along + 32768) / 65536);
    return {copy.x16, copy.y16, copy.height, distance};
}

bool CrossesPitch(uint16_t direction)
{
    return (direction >= 41 && direction <= 87) || (direction >= 169 && direction <= 215);
}

// The feet and chest: the nearer points before the first bounce, at foot height while the flight
// stayed low, in the jump's band once it rose, at the chest while it stayed below 32.
Verdict FeetOrChest(MeetingSearch& s, const FlightPoint& point)
{
    if (point.distance >= s.best || s.bounced) return Verdict::Stop;
    const int32_t h = point.height;
    const bool playable = (h < kGroundHeight && s.maxHeight <= kGroundHeight)
                          || (h >= kGroundHeight && h <= s.jumpTop && s.maxHeight > kGroundHeight)
                          || (h >= kChestHeight && h <= s.jumpTop && s.maxHeight < kLowFlight);
    if (playable) return Verdict::Record;
    s.maxHeight = std::max(s.maxHeight, h);
    return Verdict::PassOver;
}

// The header and the keeper keep the nearest qualifying point: once a qualifying point is no
// nearer than the best, the ball has passed its nearest approach and the run ends.
Verdict Nearest(const MeetingSearch& s, const FlightPoint& point, bool qualifies)
{
    if (!qualifies) return Verdict::PassOver;
    return point.distance < s.best ? Verdict::Record : Verdict::Stop;
}

// The keeper's mode asks where and when a shot passes him: the nearest approach within reach
// over the horizon, bounces and all. A ball moving away is nearest at tick 0, which no save
// accepts; a ball that never comes within reach leaves MEETING_NONE.
Verdict Judge(MeetingSearch& s, const FlightPoint& point)
{
    switch (s.mode) {
        case MEETING_FEET: return FeetOrChest(s, point);
        case MEETING_HEADER:
            return Nearest(s, point,
                           s.alongPitch ? std::abs(point.y16 - s.py16) < kHeaderLine * 65536
                                        : std::abs(point.x16 - s.px16) < kHeaderAcross * 65536
                                              && point.height < kHeaderHeight);
        default: return Nearest(s, point, point.distance < kKeeperReach);
    }
}

void ClampWhole(int16_t whole, int32_t& fixed16, int32_t low, int32_t high)
{
    if (whole < low) fixed16 = low * 65536;
    if (whole > high) fixed16 = high * 65536;
}

}  // namespace

void Ball_PredictLanding(int32_t reach)
{
    BallState copy = CopyBall();
    for (int32_t step = 0; step < kLandingStepLimit; ++step) {
        Step(copy);
        if (copy.velZ < 0 && copy.height <= kLandingHeight) break;
    }
    LandingPoint[0] = copy.wholeX;
    LandingPoint[1] = copy.wholeY;
    Ball.firstBounce = 1;
    Person_PlaceAt(MATCH_MARKER, LandingPoint[0], LandingPoint[1]);
    SendTeamMatesToLanding(reach);
}

void Ball_PredictMeeting(int32_t limit, int32_t px16, int32_t py16, int32_t person, int32_t mode)
{
    MeetingSearch search{.mode = mode,
                         .px16 = px16,
                         .py16 = py16,
                         .jumpTop = Person_Skill(MatchPersons[person], kJumpSkill) / 20 + 16,
                         .alongPitch = !CrossesPitch(Ball.direction)};
    int32_t tick = 0;
    int32_t height = 0;
    BallState copy = CopyBall();
    for (int32_t i = 0; i < limit; ++i) {
        search.bounced = Step(copy) || search.bounced;
        const FlightPoint point = PointOf(copy, search);
        const Verdict verdict = Judge(search, point);
        if (verdict == Verdict::Stop) break;
        if (verdict == Verdict::PassOver) continue;
        MeetingPoint[0] = copy.wholeX;
        MeetingPoint[1] = copy.wholeY;
        height = point.height;
        search.best = point.distance;
        tick = i;
    }
    Match.meetingTick = static_cast<int16_t>(tick);
    Match.meetingDistance = static_cast<int16_t>(search.best);
    Match.meetingHeight = static_cast<int16_t>(height);
}

void Person_KeepNearPitch()
{
    PersonPosition& pos = CurrentPersonPos;
    ClampWhole(pos.x, pos.x16, PITCH_LEFT_TOUCHLINE_X - kNearPitch,
               PITCH_RIGHT_TOUCHLINE_X + kNearPitch);
    ClampWhole(pos.y, pos.y16, PITCH_NEAR_GOAL_LINE_Y - kNearPitch,
               PITCH_FAR_GOAL_LINE_Y + kNearPitch);
    pos.x = Fixed_ToUnits(pos.x16);
    pos.y = Fixed_ToUnits(pos.y16);
}

void Person_DistanceToRestartSpot()
{
    Match.restartDistance = static_cast<int16_t>(Person_StraightDistance(
        CurrentPersonPos.x, CurrentPersonPos.y, RestartSpot[0], RestartSpot[1]));
}
