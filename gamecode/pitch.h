// gamecode/pitch.h: the pitch's fixed lines and spots, in pitch units (16 to the yard). x runs
// from the left touchline to the right one, y from the goal line at the top (near, y 122) to the
// one at the bottom (far, y 2042). The run-time copy that the engine reads is PitchConstants
// (gamecode/matchstate.h).
#pragma once

#include <cstdint>

constexpr int32_t PITCH_UNITS_PER_YARD = 16;

constexpr int32_t PITCH_LEFT_TOUCHLINE_X = 156;
constexpr int32_t PITCH_RIGHT_TOUCHLINE_X = 1436;
constexpr int32_t PITCH_WIDTH = PITCH_RIGHT_TOUCHLINE_X - PITCH_LEFT_TOUCHLINE_X;
constexpr int32_t PITCH_NEAR_GOAL_LINE_Y = 122;
constexpr int32_t PITCH_FAR_GOAL_LINE_Y = 2042;
constexpr int32_t PITCH_LENGTH = PITCH_FAR_GOAL_LINE_Y - PITCH_NEAR_GOAL_LINE_Y;

// The centre spot; the halfway line runs through it.
constexpr int32_t PITCH_CENTRE_X = 796;
constexpr int32_t PITCH_CENTRE_Y = 1082;
constexpr int32_t PITCH_HALFWAY_LINE_Y = PITCH_CENTRE_Y;

// The goal mouth, between the posts.
constexpr int32_t PITCH_LEFT_POST_X = 730;
constexpr int32_t PITCH_RIGHT_POST_X = 862;

// The lines that cut the pitch into thirds.
constexpr int32_t PITCH_NEAR_THIRD_Y = 762;
constexpr int32_t PITCH_FAR_THIRD_Y = 1402;

// The six-yard box.
constexpr int32_t PITCH_GOAL_AREA_LEFT_X = 636;
constexpr int32_t PITCH_GOAL_AREA_RIGHT_X = 956;
constexpr int32_t PITCH_GOAL_AREA_NEAR_Y = 218;
constexpr int32_t PITCH_GOAL_AREA_FAR_Y = 1946;

// The penalty box and spots.
constexpr int32_t PITCH_BOX_LEFT_X = 476;
constexpr int32_t PITCH_BOX_RIGHT_X = 1116;
constexpr int32_t PITCH_BOX_NEAR_Y = 410;
constexpr int32_t PITCH_BOX_FAR_Y = 1754;
constexpr int32_t PITCH_PENALTY_SPOT_NEAR_Y = 314;
constexpr int32_t PITCH_PENALTY_SPOT_FAR_Y = 1850;

// The corner flags stand where the touchlines meet the goal lines.
constexpr int32_t PITCH_CORNER_LEFT_X = PITCH_LEFT_TOUCHLINE_X;
constexpr int32_t PITCH_CORNER_RIGHT_X = PITCH_RIGHT_TOUCHLINE_X;
constexpr int32_t PITCH_CORNER_NEAR_Y = PITCH_NEAR_GOAL_LINE_Y;
constexpr int32_t PITCH_CORNER_FAR_Y = PITCH_FAR_GOAL_LINE_Y;

// The walls around the pitch, off which a ball out of play bounces.
constexpr int32_t PITCH_WALL_LEFT_X = 92;
constexpr int32_t PITCH_WALL_RIGHT_X = 1500;
constexpr int32_t PITCH_WALL_NEAR_Y = 58;
constexpr int32_t PITCH_WALL_FAR_Y = 2106;

// Players leave by the halfway line: just off the pitch, then down the tunnel.
constexpr int32_t PITCH_EXIT_X = -4;
constexpr int32_t PITCH_TUNNEL_X = -164;

// Where persons not in the match are put, below the pitch.
constexpr int32_t PITCH_PARKED_Y = 3042;

// Whether a point lies on the pitch, its lines included.
constexpr bool InsidePitch(int32_t x, int32_t y)
{
    return x >= PITCH_LEFT_TOUCHLINE_X && x <= PITCH_RIGHT_TOUCHLINE_X
           && y >= PITCH_NEAR_GOAL_LINE_Y && y <= PITCH_FAR_GOAL_LINE_Y;
}
