// gamecode/offside.cpp: offside marks and the restart flags kept with them.
#include "gamecode/offside.h"

#include "gamecode/matchstate.h"
#include "gamecode/phases.h"

void Match_ClearPlayerFlags()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        p.offsideMark = 0;
        if (MatchPhase != PHASE_OPEN_PLAY) p.offsideRecovery = 0;
    }
}
