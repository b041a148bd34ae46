// gamecode/kickkinds.h: how a carrier chooses whom to pass to and how the pass is set up. A
// receiver chooser looks through his team-mates (with the lane check of its kind) and returns a
// receiver, his target cell or nothing; the matching kick set-up writes the pending kick. No
// routine here moves the ball: the kick actions strike it.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// What a receiver chooser returns besides a person number 0-31.
constexpr int32_t KICK_SHOOT = -1;
constexpr int32_t KICK_TO_CELL = -2;
constexpr int32_t KICK_NOBODY = -3;

// The carrier's target cell, written by the choosers before their search; (0, 0) without a cell.
inline int16_t (&CellTarget)[2] = Match.cellTarget;

// The kinds of lane check a chooser runs on each candidate.
enum class LaneKind : uint8_t { None, Clear, Lead, NearLead, Short, ThroughBall };

// Which opponents a lane check tests against the lane.
enum class LaneFilter : uint8_t {
    KeyGap,          // |key - opponent's key| >= 200
    LeadGap,         // |receiver's ball distance + 280 - opponent's| >= 200
    NearerThanLead,  // opponent's ball distance <= receiver's + 280
    KeySlack,        // opponent's key - 128 <= receiver's key
    None,
};

// Whose skill decides whether the passer sees the receiver offside.
enum class OffsideEye : uint8_t { EffectiveSkill21, EffectiveSkill12, RawSkill21 };

struct LaneCheckRow {
    LaneKind kind;
    bool aimsAtLeadPoint;  // else at the receiver
    OffsideEye eye;
    bool refusesBeyondOffsideLine;
    LaneFilter filter;
    int16_t widthBase;  // w = widthBase - opponent's ball distance / 10
};

extern const LaneCheckRow LaneCheckTable[5];

enum class ChooserKind : uint8_t {
    LongPass,
    LongLeadPass,
    MediumPass,
    ShortPass,
    FacingPass,
    ThroughBall,
    QuickPass,
    FinalBall,
    LayOff,
};

struct ChooserRow {
    ChooserKind kind;
    int16_t rangeSkill;  // -1: the range is rangeBase alone
    int16_t rangeFactor;
    int16_t rangeBase;
    int16_t minBallDistance;
    int16_t minBallDistanceFree;  // with free = 1
    int16_t actionLimit;
    LaneKind lane;
    bool freeSkipsLane;  // with free = 1 no lane check and dir 0
    // Step-5 factors: a x crossFactor when the third instruction is 1; a x shootFactor, then
    // a / shootDivisor, when the first instruction is 2.
    int16_t crossFactor;
    int16_t shootFactor;
    int16_t shootDivisor;
    int16_t skillTest;  // skips a candidate when a - 28 > this skill; -1 no test
    int16_t coneBase;   // a must stay below coneBase (- skill 9 / 4); 0 no cone
    bool coneUsesSkill9;
    bool freeSkipsCone;
    bool refIsFacing;  // else the carrier's run toward goal
    bool usesCell;
    bool usesPreferred;
};

extern const ChooserRow ChooserTable[9];

enum class KickAim : uint8_t { Feet, Lead, ThroughLead, GivenPoint };

struct KickSetUpRow {
    KickAim aim;
    bool receiverWaits;  // the receiver goes to action 17
    bool behindRule;     // the kick actions for a target behind the kicker
    int16_t style;
};

enum class KickSetUp : uint8_t { PassToFeet, LeadPass, LeadPass2, LongLeadPass, KickAt };
extern const KickSetUpRow KickSetUpTable[5];

// The chooser of a row: person number, KICK_TO_CELL or KICK_NOBODY.
int32_t Person_PickReceiver(const ChooserRow& row, int32_t carrier, int32_t free);
// The lane check of a row: the direction of the lane, or -1 when it is refused.
int32_t Pass_CheckLane(const LaneCheckRow& row, int32_t carrier, int32_t receiver);

int32_t Person_PickLongPass(int32_t carrier);
int32_t Person_PickLongLeadPass(int32_t carrier);
int32_t Person_PickMediumPass(int32_t carrier, int32_t free);
int32_t Person_PickShortPass(int32_t carrier);
int32_t Person_PickFacingPass(int32_t carrier, int32_t free);
int32_t Person_PickThroughBall(int32_t carrier);
int32_t Person_PickQuickPass(int32_t carrier);
int32_t Person_PickLayOff(int32_t carrier);
// A cross from the flank or a shot: KICK_SHOOT, a receiver, KICK_TO_CELL or KICK_NOBODY. From
// the centre strip, too far from both goal lines, facing away or in his own half: KICK_NOBODY
// without a draw.
int32_t Person_PickFinalBall(int32_t carrier);

int32_t Pass_LaneClear(int32_t carrier, int32_t receiver);
int32_t Pass_LeadLaneClear(int32_t carrier, int32_t receiver);
int32_t Pass_NearLeadLaneClear(int32_t carrier, int32_t receiver);
int32_t Pass_ShortLaneClear(int32_t carrier, int32_t receiver);
int32_t Pass_ThroughBallCheck(int32_t carrier, int32_t receiver);

// The kick set-up of a row for code (a person, KICK_SHOOT or KICK_TO_CELL); (x, y) is the point a
// KickAt aims at.
void Person_SetUpKick(const KickSetUpRow& row, int32_t kicker, int32_t code, int32_t x, int32_t y);
void Person_AimPassToFeet(int32_t kicker, int32_t code);
void Person_AimLeadPass(int32_t kicker, int32_t code);
void Person_AimLeadPass2(int32_t kicker, int32_t code);
void Person_AimLongLeadPass(int32_t kicker, int32_t code);
void Person_AimKickAt(int32_t kicker, int32_t code, int32_t x, int32_t y);
// A cross to (x, y) for a receiver, to the cell, or (KICK_SHOOT) a shot aimed by the shot
// decision with a random depth: the kick action by the side of the facing the target lies on and
// the style by run speed and the distance to the goal line.
void Person_AimCrossOrShot(int32_t kicker, int32_t code, int32_t x, int32_t y);

// The receiver of a line-up's preferred slot (1-15) of the carrier's side, -1 none.
int32_t Person_PreferredReceiver(int32_t carrier);
// The carrier's target cell point; false when he has none (row below 0).
bool Person_TargetCellPoint(int32_t carrier, int32_t& x, int32_t& y);
