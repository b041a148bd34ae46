// tests/support/watched_match.h: the checks that end every whole-program run of a watched match.
#pragma once

#include <string>

#include "tests/support/host_run.h"

// The printed score ("print score0", "print score1") is the fixture's `lastscore`.
void ExpectPrintedScoreIsTheFixtures(const ScriptRun& run);

// That score, and the effects were played and the crowd's reactions were or were not, and the
// forty seconds after kick-off are heard on the left and on the right: `kickOffWave` recorded at
// kick-off marks the start in `matchWave`, recorded later.
void ExpectWatchedMatchScoredAndHeard(const ScriptRun& run, const std::string& kickOffWave,
                                      const std::string& matchWave, bool crowdReacts);
