// gamecode/teamshape.cpp: team strategy and shape.
#include "gamecode/teamshape.h"

#include <cmath>
#include <cstdint>

#include "engine/fatal.h"
#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/formation.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"

namespace {

constexpr int32_t kColumnWidth = 256;
constexpr int32_t kBandLength = 320;
constexpr int32_t kLastColumn = 4;
constexpr int32_t kLastBand = 5;
constexpr int32_t kRowsPerBand = 5;
constexpr int32_t kDefendingRows = 34;
// The line of each side's attacking third: a third of the pitch from the goal it attacks.
constexpr int32_t kAttackingThirdUp = PITCH_FAR_THIRD_Y;
constexpr int32_t kAttackingThirdDown = PITCH_NEAR_THIRD_Y;

constexpr int32_t kSetPieceRow = SHAPE_ROW_SET_PIECE;
constexpr int32_t kSetPieceOtherRow = 36;
constexpr int32_t kKickoffRow = SHAPE_ROW_KICKOFF;
constexpr int32_t kKickoffOtherRow = SHAPE_SET_ROWS + SHAPE_ROW_KICKOFF;
constexpr int32_t kRestartRow = SHAPE_ROW_RESTART;
constexpr int32_t kRestartOtherRow = SHAPE_SET_ROWS + SHAPE_ROW_RESTART;

// The pair of neighbouring zone centres a coordinate lies between: base and target zone, and
// the percent of the way from one to the other.
struct ZonePair {
    int32_t base;
    int32_t target;
    int32_t blend;    // its fraction cut
    int32_t blendUp;  // its fraction rounded up
};

// The side attacking toward y 122 reads the other side's pair mirrored, through 100 less the
// blend. Rounded up, that blend is cut toward its own goal, as the other side's is; cut alike for
// both sides, it would put both a percent of a zone nearer y 122 and smaller x.
ZonePair Pair(int32_t base, int32_t target, float blend)
{
    return {base, target, static_cast<int32_t>(blend), static_cast<int32_t>(std::ceil(blend))};
}

// Zones of `width` units from `origin`; zone k takes the coordinates up to origin + width (k + 1)
// and the last zone everything beyond.
ZonePair PairOf(int32_t v, int32_t origin, int32_t width, int32_t lastZone)
{
    int32_t zone = 0;
    while (zone < lastZone && v > origin + width * (zone + 1)) {
        ++zone;
    }
    const float p = static_cast<float>((v - origin) / (width * 0.01));
    const float q = p - 100.0f * zone;
    if (q > 50) {
        if (zone == lastZone) return {zone, zone, 100, 100};
        return Pair(zone, zone + 1, q - 50);
    }
    if (zone == 0) return {0, 0, 100, 100};
    return Pair(zone - 1, zone, q + 50);
}

TeamStrategyWords Rows(int32_t row)
{
    return {static_cast<int16_t>(row), static_cast<int16_t>(row), static_cast<int16_t>(row), 100,
            100};
}

void SetRestartShape(int32_t side, int32_t row, int32_t otherRow)
{
    Match.strategy[side] = Rows(row);
    Match.strategy[side ^ 1] = Rows(otherRow);
}

// The restart shapes of the phases that have one; false in the others.
bool ChooseRestartShape()
{
    switch (MatchPhase) {
        case PHASE_PENALTY_KICK:
            if (Match.period > 3) return false;
            [[fallthrough]];
        case PHASE_CORNER_TAKEN:
            SetRestartShape(Ball.possession, kSetPieceRow, kSetPieceOtherRow);
            return true;
        case PHASE_GOAL:
        case PHASE_GOAL_RESTART:
        case PHASE_KICKOFF_READY:
        case PHASE_KICKOFF_PERIOD:
        case PHASE_KICKOFF_AFTER_GOAL:
        case PHASE_KICKOFF_TAKING:
            SetRestartShape(Match.kickOffSide, kKickoffRow, kKickoffOtherRow);
            return true;
        // The side whose keeper has the ball takes the restart spots, not the side that kicked off
        // last: which end that side attacks has nothing to do with it.
        case PHASE_GOAL_KICK_AWARDED:
        case PHASE_GOAL_KICK_TAKEN:
        case PHASE_KEEPER_HOLDS:
        case PHASE_KEEPER_CLEARANCE:
            SetRestartShape(Ball.possession, kRestartRow, kRestartOtherRow);
            return true;
        default: return false;
    }
}

// The rows of both sides for a ball at length y, from the column rows already chosen: the
// attack-up side counts bands from its own goal, the other side from the far one.
struct BandRows {
    TeamStrategyWords up;
    TeamStrategyWords down;
};

BandRows ApplyBands(TeamStrategyWords up, TeamStrategyWords down, int32_t y)
{
    const ZonePair band = PairOf(y, PITCH_NEAR_GOAL_LINE_Y, kBandLength, kLastBand);
    const auto place = [](TeamStrategyWords& w, int32_t baseBand, int32_t targetBand,
                          int32_t blend) {
        const int32_t column = w.targetRow;
        w.xBaseRow = static_cast<int16_t>(w.xBaseRow + kRowsPerBand * targetBand);
        w.yBaseRow = static_cast<int16_t>(column + kRowsPerBand * baseBand);
        w.targetRow = static_cast<int16_t>(column + kRowsPerBand * targetBand);
        w.yBlend = static_cast<int16_t>(blend);
    };
    place(up, band.base, band.target, band.blend);
    place(down, kLastBand - band.target, kLastBand - band.base, band.blendUp);
    return {up, down};
}

// The side without the ball blends the rows of the ball itself by the shifted ball's blend. Past
// the centre of an end band the shifted blend is 100, the end band alone; read for rows of the ball
// that still lie between two bands, it would put the side on the row nearer y 2042 at both ends:
// nearer its own goal when it attacks toward y 122 and farther from it when it attacks the other
// way. At the near end it takes the row nearer y 122 instead, as at the far end the row nearer
// y 2042, so that either side falls back alike toward its own goal.
int32_t BlendWithoutTheBall(int32_t shiftedY, int32_t ballY, int32_t shiftedBlend)
{
    const ZonePair shifted = PairOf(shiftedY, PITCH_NEAR_GOAL_LINE_Y, kBandLength, kLastBand);
    const ZonePair plain = PairOf(ballY, PITCH_NEAR_GOAL_LINE_Y, kBandLength, kLastBand);
    const bool nearEndOnly = shifted.target == 0;
    return nearEndOnly && plain.base != plain.target ? 0 : shiftedBlend;
}

void ChooseOpenPlayShape()
{
    const int32_t upSide = Match.secondOfPair;
    const ZonePair column =
        PairOf(KeeperWatchPoint[0], PITCH_LEFT_TOUCHLINE_X, kColumnWidth, kLastColumn);
    TeamStrategyWords up{};
    up.xBaseRow = static_cast<int16_t>(column.base);
    up.targetRow = static_cast<int16_t>(column.target);
    up.xBlend = static_cast<int16_t>(column.blend);
    TeamStrategyWords down = up;
    down.xBaseRow = static_cast<int16_t>(kLastColumn - column.target);
    down.targetRow = static_cast<int16_t>(kLastColumn - column.base);
    down.xBlend = static_cast<int16_t>(column.blendUp);

    const int32_t ballY = KeeperWatchPoint[1];
    int32_t y = ballY;
    if (MatchPhase == PHASE_OPEN_PLAY) {
        const int32_t momentum = TeamMomentum[Ball.possession];
        y += AttacksUp(Ball.possession) ? momentum : -momentum;
    }
    const BandRows shifted = ApplyBands(up, down, y);
    Match.strategy[upSide] = shifted.up;
    Match.strategy[upSide ^ 1] = shifted.down;

    // The side without the ball falls back to its defending rows unless, in open play, the ball
    // is in its attacking third; its blends stay those of the shifted ball.
    const int32_t without = Ball.possession ^ 1;
    const BandRows plain = ApplyBands(up, down, ballY);
    TeamStrategyWords rows = AttacksUp(without) ? plain.up : plain.down;
    const bool inAttackingThird =
        AttacksUp(without) ? ballY > kAttackingThirdUp : ballY < kAttackingThirdDown;
    const int32_t shift = MatchPhase == PHASE_OPEN_PLAY && inAttackingThird ? 0 : kDefendingRows;
    TeamStrategyWords& words = Match.strategy[without];
    words.targetRow = static_cast<int16_t>(rows.targetRow + shift);
    words.xBaseRow = static_cast<int16_t>(rows.xBaseRow + shift);
    words.yBaseRow = static_cast<int16_t>(rows.yBaseRow + shift);
    words.yBlend = static_cast<int16_t>(BlendWithoutTheBall(y, ballY, words.yBlend));
}

bool StrategyChanged()
{
    return Match.strategy[0] != Match.strategyApplied[0]
           || Match.strategy[1] != Match.strategyApplied[1];
}

bool FollowsShape(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    if (p.offPitch != 0 || p.action >= ACT_CARRY_SPRINT || p.offsideRecovery != 0) return false;
    if (person == Match.distReceiver && MatchPhase != PHASE_OPEN_PLAY) return false;
    const bool kickOff = MatchPhase == PHASE_KICKOFF_READY || MatchPhase == PHASE_KICKOFF_TAKING;
    return !(kickOff && person == Match.kickoffTaker);
}

const ShapeSpot& ShapeSpotAt(int32_t side, int32_t row, int32_t entry)
{
    if (row < 0 || row >= SHAPE_ROW_COUNT)
        FatalError("UpdateTeamStrategy(): bad shape row %d", row);
    return ShapeTables[side][row][entry];
}

// base + (target - base) x percent / 100, the difference cut to 16 bits first.
int32_t Blend(int32_t base, int32_t target, int32_t percent)
{
    return base + static_cast<int16_t>(target - base) * percent / 100;
}

void MoveToShape(int32_t side, int32_t entry, MatchPerson& p)
{
    const TeamStrategyWords& w = Match.strategy[side];
    const int32_t x0 = ShapeSpotAt(side, w.xBaseRow, entry).x;
    const int32_t x1 = ShapeSpotAt(side, w.targetRow, entry).x;
    const int32_t y0 = ShapeSpotAt(side, w.yBaseRow, entry).y;
    const int32_t y1 = ShapeSpotAt(side, w.targetRow, entry).y;
    const bool up = AttacksUp(side);
    const int32_t across = up ? Blend(x0, x1, w.xBlend) : Blend(x0, x1, 100 - w.xBlend);
    const int32_t x = up ? PITCH_LEFT_TOUCHLINE_X + across : PITCH_RIGHT_TOUCHLINE_X - across;
    p.targetY = static_cast<int16_t>(up ? PITCH_NEAR_GOAL_LINE_Y + Blend(y0, y1, w.yBlend)
                                        : PITCH_FAR_GOAL_LINE_Y - Blend(y0, y1, 100 - w.yBlend));
    p.targetX = static_cast<int16_t>(x);
    if (MatchPhase != PHASE_THROW_IN_TAKEN) return;
    // At a throw-in the shape squeezes toward the touchline the ball comes in from.
    const int32_t throwInX = Match.throwInSpot[0];
    if (up) {
        p.targetX = static_cast<int16_t>(throwInX < PITCH_CENTRE_X
                                             ? PITCH_LEFT_TOUCHLINE_X + across * 70 / 100
                                             : x + (PITCH_RIGHT_TOUCHLINE_X - x) * 30 / 100);
    } else {
        p.targetX = static_cast<int16_t>(throwInX > PITCH_CENTRE_X
                                             ? PITCH_RIGHT_TOUCHLINE_X - across * 70 / 100
                                             : x - (x - PITCH_LEFT_TOUCHLINE_X) * 30 / 100);
    }
}

}  // namespace

void EvaluateTeamStrategy()
{
    if (Ball.afterKick != 0) return;
    if (MatchPhase == PHASE_DIRECT_FREE_KICK || MatchPhase == PHASE_FREE_KICK_READY) return;
    if (ChooseRestartShape()) return;
    ChooseOpenPlayShape();
}

void UpdateTeamStrategy()
{
    if (!StrategyChanged()) return;
    Match.strategyApplied[0] = Match.strategy[0];
    Match.strategyApplied[1] = Match.strategy[1];
    for (int32_t side = 0; side < 2; ++side) {
        // Only slots 1-10 have a spot in a shape row.
        for (int32_t slot = 1; slot <= SHAPE_SPOT_COUNT; ++slot) {
            const int32_t person = LineUp[side][slot];
            if (!FollowsShape(person)) continue;
            MatchPerson& p = MatchPersons[person];
            p.shapeFlag = 1;
            MoveToShape(side, slot - 1, p);
        }
    }
}
