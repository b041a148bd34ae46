// menus/numbers.h: numbers and money as the screens show them, in the texts' own units.
#pragma once

#include <cstdint>

constexpr int32_t NUMBERS_BUFFER_BYTES = 32;  // every result of a 32-bit value fits

// Every call writes its result into one static buffer and returns it: the next call of any of
// them overwrites it.

// By the number type attribute: 0 "%d", 1 Price2str, 2 Price2strShort, 3 Ordinal2Str, 4 the
// last two digits; another type is the fatal error "Number2Str(): Invalid number type (%d)\n".
const char* Number2Str(int32_t value);
// The currency sign, then the leading group and up to three decimals of the next group without
// trailing zeros, then the unit: 2,500,300 gives the sign and "2.5M".
const char* Price2str(int32_t amount);
// Without the sign, one decimal (the next group's hundreds digit); 0 gives "Grat.".
const char* Price2strShort(int32_t amount);
const char* Ordinal2Str(int32_t value);  // "1er", "2ème", ...
// The sign and every group, separated by commas: 1,234,567.
const char* Price2strLong(int32_t amount);
