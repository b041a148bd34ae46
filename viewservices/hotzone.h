// viewservices/hotzone.h: the screen rectangles that a match view's pointer can press; the replay
// bar places its ten buttons in zones 11-20.
#pragma once

#include <cstdint>

constexpr int32_t HOTZONE_COUNT = 22;
constexpr int32_t HOTZONE_REPLAY_FIRST = 11;  // replay mode m is zone 11 + m
constexpr int32_t HOTZONE_REPLAY_LAST = 20;

struct HotZoneRect {  // an empty zone (width or height 0) holds no point
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
};

extern HotZoneRect HotZone[HOTZONE_COUNT];  // owned by HotZone: change it through HotZone_Set

void HotZone_Reset();  // every zone empty
// A zone outside 0-21 is fatal "HotZone_Set(): bad zone %d".
void HotZone_Set(int32_t zone, int32_t x, int32_t y, int32_t width, int32_t height);
// x <= px < x + width and y <= py < y + height; false for a zone outside 0-21.
bool HotZone_Holds(int32_t zone, int32_t px, int32_t py);
