// gamecode/activeplayer.cpp: who has the ball and who acts for each side.
#include "gamecode/activeplayer.h"

void Ball_FindHolder()
{
    BallHolder = -1;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (MatchPersons[person].hasBall != 0) {
            BallHolder = static_cast<int16_t>(person);
            return;
        }
    }
}
