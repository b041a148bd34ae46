// game/textformat.h: numbers, money and person names as the screens show them.
#pragma once

#include <cstdint>

constexpr int32_t NAMES_ENTRY_BYTES = 17;  // a surname of at most 16 characters, NUL-padded
constexpr int32_t NAMES_ENTRY_COUNT = 20000;
constexpr int32_t NAMES_FILE_BYTES = NAMES_ENTRY_BYTES * NAMES_ENTRY_COUNT;  // "stats\names.dat"
constexpr int32_t NAMES_STYLE_BLOCK = 2000;  // entries per name style; entry 0 stays empty
constexpr int32_t NAME_TEXT_BYTES = 64;      // a formatted person or club name, NUL included

// Text results below live in a ring of eight static buffers, so that one line may hold several;
// each stays valid for the next seven calls of any of these functions.

// "1,234,567"; "0" when n is not positive.
const char* VTW_FormatThousands(int32_t n);

// When v is not a multiple of 25: the first multiple met trying v - 1, v + 1, v - 2, v + 2, ...
int32_t VTW_RoundTo25(int32_t v);

// Half away from zero to two significant digits below 100,000 and to three from there on,
// clamped to the i32 range; 0 stays 0.
int32_t VTW_RoundMoneyNice(int32_t v);

// The eight decimal digits of v, most significant first: zeros when v is negative, nines when it
// is above 99,999,999.
void VTW_SplitMoneyDigits(int32_t v, uint16_t out[8]);

// The surname table ("stats\names.dat", NAMES_FILE_BYTES) that person names are read from; null
// unregisters it. The owner keeps it alive while it is registered.
void Names_SetBuffer(const char* names);

// "%c. %s" with the letter 'A' + initial - 1, or the surname alone when initial is 0. A name
// index outside 0 .. NAMES_ENTRY_COUNT - 1, an initial outside 0-26 or no registered table give
// an empty name. `out` holds NAME_TEXT_BYTES.
void Names_FormatPerson(int32_t initial, int32_t nameIndex, char* out);

// Returns a text-ring buffer for a name formatted by the caller (NAME_TEXT_BYTES).
char* TextFormat_NextBuffer();
