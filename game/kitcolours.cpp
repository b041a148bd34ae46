// game/kitcolours.cpp: the 40 kit colours that kits, badges and the kit-clash test share.
#include "game/kitcolours.h"

#include "engine/fatal.h"

// clang-format off
const std::array<KitColour, KIT_COLOUR_COUNT> KitColourTable = {{
    {94, 86, 86},   {67, 67, 67},   {65, 60, 60},   {55, 48, 48},   {41, 134, 226},
    {0, 101, 218},  {0, 48, 180},   {26, 26, 86},   {142, 72, 34},  {101, 48, 0},
    {86, 41, 0},    {72, 34, 0},    {187, 55, 115}, {173, 0, 72},   {108, 0, 60},
    {72, 0, 34},    {41, 211, 0},   {0, 151, 0},    {12, 101, 0},   {19, 65, 0},
    {218, 142, 79}, {226, 101, 0},  {187, 72, 0},   {173, 48, 0},   {180, 79, 240},
    {180, 26, 233}, {115, 12, 202}, {65, 0, 151},   {240, 0, 0},    {187, 12, 12},
    {158, 0, 0},    {65, 12, 19},   {240, 240, 240}, {187, 187, 187}, {134, 134, 134},
    {101, 101, 101}, {240, 240, 0}, {202, 202, 0},  {194, 166, 12}, {180, 127, 0},
}};

const std::array<const char*, KIT_COLOUR_COUNT> KitColourNames = {
    "BLACK1", "BLACK2", "BLACK3", "BLACK4", "BLUE1",   "BLUE2",   "BLUE3",   "BLUE4",
    "BROWN1", "BROWN2", "BROWN3", "BROWN4", "BURGAN1", "BURGAN2", "BURGAN3", "BURGAN4",
    "GREEN1", "GREEN2", "GREEN3", "GREEN4", "ORANGE1", "ORANGE2", "ORANGE3", "ORANGE4",
    "PURPLE1", "PURPLE2", "PURPLE3", "PURPLE4", "RED1", "RED2",   "RED3",    "RED4",
    "WHITE1", "WHITE2", "WHITE3", "WHITE4", "YELLOW1", "YELLOW2", "YELLOW3", "YELLOW4",
};
// clang-format on

const char* KIT_GetColourName(int32_t colour)
{
    if (colour < 0 || colour >= KIT_COLOUR_COUNT)
        FatalError("KIT_GetColourName(): bad colour %d", colour);
    return KitColourNames[colour];
}

int32_t KitColour_Clamp(int32_t colour)
{
    return colour >= 0 && colour < KIT_COLOUR_COUNT ? colour : KIT_COLOUR_COUNT - 1;
}

int32_t KitColour_Distance(int32_t a, int32_t b)
{
    if (a < 0 || a >= KIT_COLOUR_COUNT || b < 0 || b >= KIT_COLOUR_COUNT)
        FatalError("KitColour_Distance(): bad colour %d or %d", a, b);
    const KitColour& x = KitColourTable[a];
    const KitColour& y = KitColourTable[b];
    const int32_t dr = x.r - y.r;
    const int32_t dg = x.g - y.g;
    const int32_t db = x.b - y.b;
    return dr * dr + dg * dg + db * db;
}
