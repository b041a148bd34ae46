// tools/mkdata/tactics.h: the generator of the 40 built-in tactics, "tactics\tactics.dat".
#pragma once

#include "tools/mkdata/fileset.h"

// Eight formations from "data/tactics/tactics.txt", each in five variants whose second and third
// positions follow fixed rules; no random draw, so every build gives the same 13,200 bytes. A bad
// line fails the build.
void MkGenerateTactics(MkFileSet* set);
