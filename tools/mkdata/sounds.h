// tools/mkdata/sounds.h: the generator of the game's sound samples.
#pragma once

#include "tools/mkdata/fileset.h"

// Every sample "data/sounds.txt" names: 8-bit mono WAVE files with a "bRIx" chunk whose flags
// mark the loops (docs/formats.md). A bad line fails the build.
void MkGenerateSounds(MkFileSet* set);
