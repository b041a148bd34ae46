// gamecode/playerofmatch.h: the player of the match, picked once the final whistle has gone.
#pragma once

#include <cstdint>

// Rates every player on line-up slots 0-10 of both sides who took part (commitment or
// participation of his match view not 0) with Football_GetPlayerRating(Match.finalWhistle) and
// stores it in his row of the match data block. The best rating wins; players level on it are
// parted by a score (goals x 100 from the third goal on, assists x 50, second assists,
// interceptions and tackles won x 20, passes completed x 100 / touches), then by side-then-slot
// order; the one so parted is rated 1 higher (99 becomes 100), a winner without a tie keeps his
// rating. Answers his person, -1 when nobody took part.
int32_t Match_PickPlayerOfMatch();
