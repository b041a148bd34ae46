// tools/mkdata/gametext.h: the generators of the game's words: messages, person names and the
// commentary templates, from the sources under data/.
#pragma once

#include "tools/mkdata/fileset.h"

void MkGenerateMessages(MkFileSet* set);  // "lang\messages.dat"
void MkGenerateNames(MkFileSet* set);     // "stats\names.dat"
void MkGenerateComments(MkFileSet* set);  // "lang\comments.dat"

// A table block: u32 count, u32 offset[count] into the pool (0xFFFFFFFF for an absent text),
// then the pool of NUL-terminated texts; absent texts are empty strings in `texts`.
std::vector<uint8_t> MkTextTableBlock(const std::vector<std::string>& texts,
                                      const std::vector<bool>& present);
