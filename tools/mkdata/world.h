// tools/mkdata/world.h: the generator of the fictional football world, "stats\totstat.dat".
#pragma once

#include "tools/mkdata/fileset.h"

// Countries, nationalities, 1,046 invented clubs with kits, their persons and the club map of
// every country, from data/world/ and the game's generator seeded with a constant.
void MkGenerateWorld(MkFileSet* set);
