// game/kitcolours.h: the 40 kit colours that kits, badges and the kit-clash test share.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t KIT_COLOUR_COUNT = 40;
constexpr int32_t KIT_CLASH_DISTANCE =
    10000;  // squared RGB distance at or below which colours clash

struct KitColour {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

extern const std::array<KitColour, KIT_COLOUR_COUNT> KitColourTable;

// The colour names that name the software view's kit palettes, in colour-number order.
extern const std::array<const char*, KIT_COLOUR_COUNT> KitColourNames;
const char* KIT_GetColourName(int32_t colour);  // a number outside 0-39 is fatal

// A colour number as the match views read it: outside 0-39 (a cleared block reads 65535) is 39.
int32_t KitColour_Clamp(int32_t colour);

// Squared RGB distance of two colour numbers 0-39; a number outside is fatal.
int32_t KitColour_Distance(int32_t a, int32_t b);
