// tools/mkdata/emblem.cpp: the club emblem that the menus' header draws in the club's colours: a
// football whose patches take the two kit-colour ramps.
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/mkdata/menugfx.h"

namespace {

constexpr int32_t BALL_SIZE = 52;
constexpr double BALL_RADIUS = 25.0;
constexpr double CENTRE_PATCH_RADIUS = 9.0;
constexpr int32_t SECTORS = 10;
constexpr double PI = 3.14159265358979323846;

// Own colours 0-63; the ramps are 64-127 and 128-191, each dark to the colour at + 31, then
// lighter to the top.
constexpr uint8_t TRANSPARENT = 1;  // (63, 0, 63): pure magenta, the menus' key colour
constexpr uint8_t OUTLINE = 2;
constexpr uint8_t HIGHLIGHT = 3;
constexpr uint8_t RAMP0_COLOUR = 64 + 31;
constexpr uint8_t RAMP1_COLOUR = 128 + 31;

uint8_t BallPixel(int32_t x, int32_t y)
{
    const double dx = x + 0.5 - BALL_SIZE / 2.0;
    const double dy = y + 0.5 - BALL_SIZE / 2.0;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > BALL_RADIUS) return TRANSPARENT;
    if (distance > BALL_RADIUS - 1.5) return OUTLINE;
    // A glint at the upper left, where the light comes from.
    if (std::hypot(dx + 9.0, dy + 9.0) < 2.5) return HIGHLIGHT;
    // Shade: darker away from the light, by at most 12 ramp steps.
    const auto shade = static_cast<int32_t>((dx + dy + 2 * BALL_RADIUS) * 12 / (4 * BALL_RADIUS));
    if (distance < CENTRE_PATCH_RADIUS) return static_cast<uint8_t>(RAMP0_COLOUR - shade);
    const double angle = std::atan2(dy, dx) + PI;
    const auto sector = static_cast<int32_t>(angle * SECTORS / (2 * PI)) % SECTORS;
    const uint8_t base = sector % 2 == 0 ? RAMP1_COLOUR : RAMP0_COLOUR;
    return static_cast<uint8_t>(base - shade);
}

void PutWord(std::vector<uint8_t>* bytes, int32_t at, int16_t value)
{
    (*bytes)[at] = static_cast<uint8_t>(value & 0xFF);
    (*bytes)[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

void MkGenerateEmblem(MkFileSet* set)
{
    constexpr int32_t HEADER = 16;
    std::vector<uint8_t> graphic(HEADER + BALL_SIZE * BALL_SIZE, 0);
    graphic[0] = 'G';
    graphic[1] = 'F';
    graphic[2] = 'X';
    graphic[3] = '0';
    PutWord(&graphic, 4, BALL_SIZE);
    PutWord(&graphic, 6, BALL_SIZE);
    PutWord(&graphic, 8, 1);
    for (int32_t y = 0; y < BALL_SIZE; ++y) {
        for (int32_t x = 0; x < BALL_SIZE; ++x) {
            graphic[HEADER + y * BALL_SIZE + x] = BallPixel(x, y);
        }
    }
    std::vector<uint8_t> palette(768, 0);
    const uint8_t own[][3] = {{0, 0, 0}, {63, 0, 63}, {6, 6, 8}, {63, 63, 63}};
    for (int32_t i = 0; i < 4; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            palette[i * 3 + c] = own[i][c];
        }
    }
    MkAddFile(set, "gfxgen\\ball.gfx", std::move(graphic));
    MkAddFile(set, "gfxgen\\ball.pal", std::move(palette));
}
