// engine/convert.h: float-to-integer conversion with the game's truncation rule.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero; NaN gives 0 and values outside the i32 range the nearest limit.
inline int32_t ChopToInt(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
