// gamecode/offside.h: offside marks and the restart flags kept with them.
#pragma once

// Clears every player's offside mark, and outside open play his offside-recovery counter too.
void Match_ClearPlayerFlags();
