// gamecode/officials.cpp: the referee and the linesmen, one handler per state, and the
// referee's rules that the player actions consult.
#include "gamecode/officials.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/matchrecords.h"
#include "gamecode/matchview.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"

namespace {

constexpr int32_t kStateCount = 16;
constexpr int32_t kFollowOffset = 200;  // the referee keeps this far off the ball on both axes
constexpr int32_t kStandReach = 32;
constexpr int32_t kArrivedReach = 9;
constexpr int32_t kCornerReach = 3;
constexpr int32_t kLineOffset = 32;  // the linesmen run this far outside their touchline
constexpr int32_t kSpotOffset = 64;  // and stand this far off a throw-in or corner spot
constexpr int32_t kLeftLineX = PITCH_LEFT_TOUCHLINE_X - kLineOffset;
constexpr int32_t kRightLineX = PITCH_RIGHT_TOUCHLINE_X + kLineOffset;
constexpr int32_t kKickoffX = PITCH_CENTRE_X - 15 * PITCH_UNITS_PER_YARD;
constexpr int32_t kKickoffY = PITCH_CENTRE_Y - 15 * PITCH_UNITS_PER_YARD;
constexpr int32_t kFacingRight = 64;
constexpr int32_t kFacingLeft = 192;
constexpr int32_t kCoolDown = 80;

constexpr int32_t kAnimJog = 10;
constexpr int32_t kAnimChase = 12;
constexpr int32_t kAnimCard = 60;
constexpr int32_t kAnimTalk = 62;
constexpr int32_t kAnimLineRun = 63;
constexpr int32_t kAnimLineTurn = 64;
constexpr int32_t kAnimFlagOut0 = 65;
constexpr int32_t kAnimFlagOut1 = 66;
constexpr int32_t kAnimFlagOffside = 67;
constexpr int32_t kJogSpeed = 64;
constexpr int32_t kChaseSpeed = 140;

constexpr int32_t kSfxCrowdAtCard = 12;
constexpr int32_t kInfoBarBooking = 6;
constexpr int32_t kInfoBarSendingOff = 7;
constexpr int32_t kEventBooking = 2;
constexpr int32_t kEventSendingOff = 3;
constexpr int32_t kGroupSecondBooking = 113;
constexpr int32_t kGroupSentOff = 114;
constexpr int16_t kHighlightCard = 3;
constexpr int32_t kHighlightTicks = 200;
constexpr int32_t kLenientChance = 30;

// The whistle of each kind: its animation, the frame its sound plays at and the sound.
struct Whistle {
    int32_t animation;
    int32_t soundFrame;
    int32_t sound;
};
constexpr auto kWhistles = std::to_array<Whistle>({{55, 40, 8}, {54, 25, 9}, {56, 50, 10}});

struct Point {
    int32_t x;
    int32_t y;
};

MatchPerson& Official(int32_t person) { return MatchPersons[person]; }

bool WithinSquare(Point a, Point b, int32_t half)
{
    return std::abs(a.x - b.x) <= half && std::abs(a.y - b.y) <= half;
}

Point Here() { return {CurrentPersonPos.x, CurrentPersonPos.y}; }

bool InReach(Point target)
{
    return Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, target.x, target.y,
                             kStandReach, 1000)
           == 0;
}

int32_t AimAt(int32_t person, Point target)
{
    const int32_t d =
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, target.x, target.y);
    Official(person).aimDirection = static_cast<int16_t>(d);
    return d;
}

void RunTo(int32_t person, Point target, bool chasing)
{
    const int32_t d = AimAt(person, target);
    Person_TurnStep(person, d);
    Person_LoopAnim(person, chasing ? kAnimChase : kAnimJog, 1, 0);
    Person_RunStep(person, chasing ? kChaseSpeed : kJogSpeed, d, 1);
}

// Beyond the exit point an official first runs straight in, level with where he stands, so he
// never cuts across the stand.
Point StraightInFirst(Point target)
{
    if (CurrentPersonPos.x < PITCH_EXIT_X) target.y = CurrentPersonPos.y;
    return target;
}

void Face(int32_t person, Point target) { Person_TurnToward(person, AimAt(person, target)); }

Point BallAt()
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    return {ball.x, ball.y};
}

// A penalty-area corner while a corner is taken: on the line of his own half, across from the
// ball.
void WatchCorner(int32_t person)
{
    const Point corner{BallAt().x < PITCH_CENTRE_X ? PITCH_BOX_RIGHT_X : PITCH_BOX_LEFT_X,
                       CurrentPersonPos.y < PITCH_CENTRE_Y ? PITCH_BOX_NEAR_Y : PITCH_BOX_FAR_Y};
    // Strictly within kCornerReach on both axes.
    if (WithinSquare(Here(), corner, kCornerReach - 1)) {
        Face(person, BallAt());
    } else {
        RunTo(person, corner, false);
    }
}

void State_Idle(int32_t) {}

void State_FollowPlay(int32_t person)
{
    if (MatchPhase == PHASE_OPEN_PLAY) RefereeDecision = 0;
    if (MatchPhase == PHASE_CORNER_TAKEN) {
        WatchCorner(person);
        return;
    }
    const Point ball = BallAt();
    Point target{std::clamp(ball.x, PITCH_LEFT_TOUCHLINE_X, PITCH_RIGHT_TOUCHLINE_X),
                 ball.y < PITCH_CENTRE_Y ? ball.y + kFollowOffset : ball.y - kFollowOffset};
    target.x += ball.x < PITCH_CENTRE_X ? kFollowOffset : -kFollowOffset;
    if (MatchPhase == PHASE_GOAL_RESTART || MatchPhase == PHASE_KICKOFF_READY
        || MatchPhase == PHASE_KICKOFF_PERIOD)
        target = {kKickoffX, kKickoffY};
    if (InReach(target)) {
        Person_TurnToward(person, Official(person).facing);
    } else {
        RunTo(person, StraightInFirst(target), false);
    }
}

// A linesman's post: his line, level with the ball in his half, or just short of the spot of a
// throw-in or corner being taken there.
Point LinesmanPost(bool left)
{
    const int32_t ballY = BallAt().y;
    int32_t y = left ? std::clamp(ballY, PITCH_CENTRE_Y, PITCH_FAR_GOAL_LINE_Y)
                     : std::clamp(ballY, PITCH_NEAR_GOAL_LINE_Y, PITCH_CENTRE_Y);
    const int32_t offset = left ? -kSpotOffset : kSpotOffset;
    if (y != PITCH_CENTRE_Y && MatchPhase == PHASE_THROW_IN_TAKEN)
        y = Match.throwInSpot[1] + offset;
    if (y != PITCH_CENTRE_Y && MatchPhase == PHASE_CORNER_TAKEN) y = Match.cornerSpot[1] + offset;
    return {left ? kLeftLineX : kRightLineX, y};
}

void Patrol(int32_t person, bool left)
{
    const Point post = LinesmanPost(left);
    if (InReach(post)) {
        Person_TurnToward(person, Official(person).facing);
        return;
    }
    const int32_t d = AimAt(person, StraightInFirst(post));
    Person_RunStep(person, kJogSpeed, d, 1);
    // On his line he runs sideways, facing the pitch.
    if (std::abs(CurrentPersonPos.x - post.x) <= kArrivedReach) {
        Person_TurnStep(person, left ? kFacingRight : kFacingLeft);
        Person_LoopAnim(person, kAnimLineRun, 1, 0);
    } else {
        Person_TurnStep(person, d);
        Person_LoopAnim(person, kAnimLineTurn, 1, 0);
    }
}

void State_PatrolLeft(int32_t person) { Patrol(person, true); }
void State_PatrolRight(int32_t person) { Patrol(person, false); }

constexpr Point kExit{PITCH_EXIT_X, PITCH_CENTRE_Y};
constexpr Point kTunnel{PITCH_TUNNEL_X, PITCH_CENTRE_Y};

// He only turns toward the exit; the period ends after its wait whatever he does.
void State_FaceExit(int32_t person)
{
    Face(person, kExit);
    if (WithinSquare(Here(), kExit, kArrivedReach)) Person_SetAction(person, OFFICIAL_TO_TUNNEL);
}

void State_ToExit(int32_t person)
{
    if (WithinSquare(Here(), kExit, kArrivedReach)) {
        Person_SetAction(person, OFFICIAL_TO_TUNNEL);
        return;
    }
    RunTo(person, kExit, false);
}

void State_ToTunnel(int32_t person)
{
    if (WithinSquare(Here(), kTunnel, kArrivedReach)) {
        Official(person).frame = -1;
        return;
    }
    RunTo(person, kTunnel, false);
}

void State_Whistle(int32_t person)
{
    MatchPerson& ref = Official(person);
    ref.facing = static_cast<uint16_t>(ref.aimDirection & 255);
    const int32_t kind = Match.refereeSignal;
    if (kind < 1 || kind > static_cast<int32_t>(kWhistles.size())) {
        Person_SetAction(person, Match.refereeReturnState);
        return;
    }
    const Whistle& w = kWhistles[kind - 1];
    if (Person_RunAnim(person, w.animation, 1, Match.refereeReturnState) == 0) return;
    if (ref.frame >= w.soundFrame && ref.actionFlag == 0) {
        ref.actionFlag = 1;
        MatchPresentationOps.PlayMatchSfx(w.sound, 0);
    }
}

// The offender being dealt with, or -1 when the decision names nobody who can be dealt with.
int32_t DealtWith()
{
    const int32_t o = Offender;
    if (o < 0 || o >= MATCH_PLAYER_COUNT || MatchPersons[o].offPitch != 0) return -1;
    return o;
}

void Forget(int32_t person, int32_t once)
{
    Match.refereeOnce[once] = 0;
    Match.followedObject = MATCH_BALL;
    RefereeDecision = 0;
    Person_SetAction(person, OFFICIAL_REFEREE_FOLLOW);
}

// Stops the offender where he stands and runs to him; false once the referee is close enough to
// deal with him (the once-flag then set).
bool Approach(int32_t person, int32_t offender, int32_t once, bool square)
{
    if (Match.refereeOnce[once] != 0) return false;
    MatchPerson& o = MatchPersons[offender];
    const Point at{o.x, o.y};
    const bool close = square ? WithinSquare(Here(), at, kStandReach) : InReach(at);
    Match.followedObject = static_cast<int16_t>(person);
    if (close) {
        Match.refereeOnce[once] = 1;
        Official(person).touchCooldown1 = kCoolDown;
        Official(person).frame = 0;  // the card or the talk plays whole, whatever the run left
        return false;
    }
    o.action = ACT_STAND;
    o.targetX = o.x;
    o.targetY = o.y;
    RunTo(person, at, true);
    return true;
}

// How the offender turns to the referee: at a talk he turns and, standing, steps round too; at a
// booking he only steps round while standing; at a sending-off he only turns.
struct OffenderTurn {
    bool turn;
    bool stepWhileStanding;
};
constexpr OffenderTurn kTalkTurn{true, true};
constexpr OffenderTurn kBookingTurn{false, true};
constexpr OffenderTurn kSendingOffTurn{true, false};

// The two turn to each other while the referee plays `animation`; false once it has ended.
bool Confront(int32_t person, int32_t offender, int32_t animation, OffenderTurn how)
{
    const MatchPerson& ref = Official(person);
    MatchPerson& o = MatchPersons[offender];
    const int32_t toReferee = Person_DirectionTo(o.x, o.y, ref.x, ref.y);
    if (how.turn) Person_TurnStep(offender, toReferee);
    if (how.stepWhileStanding && o.action == ACT_STAND) Person_TurnToward(offender, toReferee);
    Person_TurnStep(person, AimAt(person, {o.x, o.y}));
    return Person_RunAnim(person, animation, 1, OFFICIAL_REFEREE_FOLLOW) != 0;
}

void State_Warning(int32_t person)
{
    const int32_t offender = DealtWith();
    if (offender < 0) {
        Forget(person, 0);
        return;
    }
    const bool firstTick = Match.refereeOnce[0] == 0;
    if (Approach(person, offender, 0, false) || firstTick) return;
    if (!Confront(person, offender, kAnimTalk, kTalkTurn)) Forget(person, 0);
}

void ShowBooking(int32_t offender)
{
    MatchPerson& o = MatchPersons[offender];
    const int32_t side = Person_Side(offender);
    Match_LogEvent(kEventBooking, side, o.playerId, -1);
    ++Match.bookingsShown[side];
    ++o.bookings;
    Match_RecordCard(offender);
}

void State_Booking(int32_t person)
{
    const int32_t offender = DealtWith();
    if (offender < 0) {
        Forget(person, 1);
        return;
    }
    MatchPerson& o = MatchPersons[offender];
    const bool booked = o.bookings != 0;
    const bool firstTick = Match.refereeOnce[1] == 0;
    if (Approach(person, offender, 1, false)) return;
    if (firstTick && !booked) MatchPresentationOps.InfoBar(kInfoBarBooking, offender, -1);
    if (booked) MatchPresentationOps.PlayMatchSfx(kSfxCrowdAtCard, 0);
    if (firstTick || Confront(person, offender, kAnimCard, kBookingTurn)) return;
    ShowBooking(offender);
    Match.refereeOnce[1] = 0;
    Match.followedObject = MATCH_BALL;
    if (o.bookings > 1) {
        ++Match.secondBookings[Person_Side(offender)];
        Person_SetAction(person, OFFICIAL_REFEREE_SENDING_OFF);
        Comm_Say(kGroupSecondBooking, Person_Side(offender), offender, -1, 0);
        return;
    }
    ActivateHighLight(kHighlightCard, kHighlightTicks);
    RefereeDecision = 0;
}

int32_t PlayersStillAble(int32_t side)
{
    int32_t able = 0;
    for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        const MatchPerson& p = MatchPersons[side * MATCH_PERSONS_PER_SIDE + slot];
        if (p.offPitch == 0 && p.sentOff == 0 && p.bookings < 2) ++able;
    }
    return able;
}

void SendOff(int32_t offender)
{
    MatchPerson& o = MatchPersons[offender];
    const int32_t side = Person_Side(offender);
    if (Match_SideIsHuman(side)) SubstitutionRequest[side] = 1;
    ++Match.dismissals[side];
    // After a second booking the card and its row were written with the booking.
    if (o.bookings < 2) {
        ++o.sentOff;
        Match_RecordCard(offender);
        Match_LogEvent(kEventSendingOff, side, o.playerId, -1);
    }
    Comm_Say(kGroupSentOff, side, -1, -1, PlayersStillAble(side));
    ActivateHighLight(kHighlightCard, kHighlightTicks);
    Person_SetAction(offender, ACT_WALK_OFF_TUNNEL);
}

void State_SendingOff(int32_t person)
{
    const int32_t offender = DealtWith();
    if (offender < 0) {
        Forget(person, 2);
        return;
    }
    const bool firstTick = Match.refereeOnce[2] == 0;
    if (Approach(person, offender, 2, true)) return;
    if (firstTick) {
        MatchPresentationOps.InfoBar(kInfoBarSendingOff, offender, -1);
        return;
    }
    if (Confront(person, offender, kAnimCard, kSendingOffTurn)) return;
    SendOff(offender);
    Match.refereeOnce[2] = 0;
    Match.followedObject = MATCH_BALL;
    RefereeDecision = 0;
}

// A flag raised toward the pitch, then back to the patrol.
void RaiseFlag(int32_t person, bool left, int32_t animation)
{
    Person_TurnStep(person, left ? kFacingRight : kFacingLeft);
    Person_RunAnim(person, animation, 1, left ? OFFICIAL_LINESMAN_LEFT : OFFICIAL_LINESMAN_RIGHT);
}

void State_FlagOffsideLeft(int32_t person) { RaiseFlag(person, true, kAnimFlagOffside); }
void State_FlagOffsideRight(int32_t person) { RaiseFlag(person, false, kAnimFlagOffside); }

// The out-of-play flag points the way the restart goes: the two linesmen face opposite ways.
void State_FlagOutLeft(int32_t person)
{
    const bool up = AttacksUp(Ball.possession);
    RaiseFlag(person, true, up ? kAnimFlagOut1 : kAnimFlagOut0);
}

void State_FlagOutRight(int32_t person)
{
    const bool up = AttacksUp(Ball.possession);
    RaiseFlag(person, false, up ? kAnimFlagOut0 : kAnimFlagOut1);
}

using StateHandler = void (*)(int32_t person);

struct StateRow {
    int16_t state;
    StateHandler run;
    const char* name;
};

// clang-format off
constexpr auto kStates = std::to_array<StateRow>({
    {OFFICIAL_IDLE,                State_Idle,             "Idle"},
    // Following play.
    {OFFICIAL_REFEREE_FOLLOW,      State_FollowPlay,       "FollowPlay"},
    {OFFICIAL_LINESMAN_LEFT,       State_PatrolLeft,       "PatrolLeft"},
    {OFFICIAL_LINESMAN_RIGHT,      State_PatrolRight,      "PatrolRight"},
    // After the last whistle.
    {OFFICIAL_REFEREE_FACE_EXIT,   State_FaceExit,         "FaceExit"},
    {OFFICIAL_LINESMAN_TO_EXIT,    State_ToExit,           "ToExit"},
    // The referee's whistle and his dealings with an offender.
    {OFFICIAL_REFEREE_WHISTLE,     State_Whistle,          "Whistle"},
    {OFFICIAL_REFEREE_WARNING,     State_Warning,          "Warning"},
    {OFFICIAL_REFEREE_BOOKING,     State_Booking,          "Booking"},
    {OFFICIAL_REFEREE_SENDING_OFF, State_SendingOff,       "SendingOff"},
    // The linesmen's flags.
    {OFFICIAL_FLAG_OFFSIDE_LEFT,   State_FlagOffsideLeft,  "FlagOffsideLeft"},
    {OFFICIAL_FLAG_OFFSIDE_RIGHT,  State_FlagOffsideRight, "FlagOffsideRight"},
    {OFFICIAL_FLAG_OUT_LEFT,       State_FlagOutLeft,      "FlagOutLeft"},
    {OFFICIAL_FLAG_OUT_RIGHT,      State_FlagOutRight,     "FlagOutRight"},
    {OFFICIAL_STILL_14,            State_Idle,             "Still14"},
    {OFFICIAL_TO_TUNNEL,           State_ToTunnel,         "ToTunnel"},
});
// clang-format on

static_assert(kStates.size() == kStateCount, "one row per official state");

consteval bool EveryStateInPlace()
{
    for (std::size_t i = 0; i < kStates.size(); ++i) {
        if (kStates[i].state != static_cast<int16_t>(i) || kStates[i].run == nullptr) return false;
    }
    return true;
}
static_assert(EveryStateInPlace(), "a state row is out of order or has no handler");

void RunOfficial(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
    if (p.action < 0 || p.action >= kStateCount)
        FatalError("Officials_Update(): bad state %d - official %d", p.action, person);
    kStates[p.action].run(person);
    if (person != MATCH_REFEREE) p.animation = -1;
    p.x16 = CurrentPersonPos.x16;
    p.y16 = CurrentPersonPos.y16;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
}

}  // namespace

void Officials_Update()
{
    for (int32_t person = MATCH_REFEREE; person <= MATCH_LINESMAN_2; ++person) {
        RunOfficial(person);
    }
}

void Referee_Whistle(int32_t signal, int32_t returnState)
{
    Person_SetAction(MATCH_REFEREE, OFFICIAL_REFEREE_WHISTLE);
    Match.refereeReturnState = static_cast<int16_t>(returnState);
    Match.refereeSignal = static_cast<int16_t>(signal);
}

int32_t Match_RollChance30()
{
    return CurrentSide + 1 == Match.official[2] && Rand() % 100 < kLenientChance ? 1 : 0;
}
