// viewservices/viewflags.h: the scene state every view reads and the match keys and the match
// set: the view's flags, the ground marks, the ball's spin and the players' drawing order.
#pragma once

#include <cstdint>

constexpr int32_t GROUND_MARKS = 16;

struct ViewFlagsRecord {  // kept for the program's run
    int16_t quickPreview;
    int16_t panoramic;
    int16_t showNames;
    int32_t modelDetail;  // 0 low, 1 medium, 2 high
};

struct GroundMark {
    uint8_t inUse;
    uint8_t type;
    int32_t x;  // whole pitch units
    int32_t y;
    float size;
    float angle;  // radians
};

// Owned here: read them, change them through the operations below.
extern ViewFlagsRecord ViewFlags;
extern GroundMark GroundMarks[GROUND_MARKS];
extern float BallSpinAngles[3];

// The flags the options keep from the last run (quick preview off), no marks, no spin.
void ViewFlags_Init();

// The next slot of the ring of 16 (the 17th mark overwrites the first); direction 0-255.
void AddGroundMark(int32_t x, int32_t y, double size, double direction, uint8_t type);
const GroundMark& GetGroundMark(int32_t n);  // n outside 0-15 is fatal
void ClearGroundMarks();
void Ball_SetSpinAngles(float a1, float a2, float a3);

// The 32 players' indexes ordered by squared ground distance from the focus person's render
// object, farthest first.
void SortPlayersByDistance(int32_t order[32]);
