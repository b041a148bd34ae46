// tools/mkdata/generators.h: the table of generators, each making one family of the game's files.
#pragma once

#include "tools/mkdata/fileset.h"

// Adds to `set` what every generator makes, in table order. Each generator seeds its own random
// source with a constant and reads authored sources in sorted order, so every run gives the
// same files.
void MkRunGenerators(MkFileSet* set);
