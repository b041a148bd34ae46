// matchscreens/sharedops.h: the match presentation's services that every view shares, registered
// with the match engine's presentation table.
#pragma once

// Registers them: from then on MatchPresentation_SetDefaults installs them.
void SharedOps_Register();
