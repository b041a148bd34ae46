// gamecode/headers.h: the players who go up for a high ball.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

// Action 14: he runs to where the lofted ball comes down, trying a volley or header each tick,
// and walks back (3) once it has fallen below 16 (the landing point is then forgotten).
void Action_WaitForHighBall(int32_t person);

// The upward velocity (1/65,536 units per tick) a header or a handled ball leaves with, by the
// ball's whole height: a low ball is pressed down, a high one lifted.
constexpr auto kHeaderLift = std::to_array<int32_t>({
    -98304, -81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384,
    24576,  32768,  40960,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
    49152,  49152,  49152,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
});
// Heights past the table's top read its last row: a ball met above it would read beyond.
constexpr int32_t Header_Lift(int32_t height)
{
    return kHeaderLift[std::clamp<int32_t>(height, 0, kHeaderLift.size() - 1)];
}
