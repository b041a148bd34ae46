// tools/mkdata/films.h: the generator of the films (docs/formats.md, "Film files").
#pragma once

#include "tools/mkdata/fileset.h"

// "films\demo1.flm" and "films\demo2.flm" (versions 1 and 2, 160 x 120, frame kinds 1, 2, 4, 5,
// 6 and 7) and "films\demo3.flm" (version 3, 320 x 240, kinds 5, 1 and 7, some compressed).
void MkGenerateFilms(MkFileSet* set);
