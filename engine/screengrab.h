// engine/screengrab.h: the screen saved to the next free numbered TGA file in the user folder.
#pragma once

constexpr int SCREENGRAB_MAX = 9999;

// Writes the whole screen of the current mode to the first free "grab0001.tga" .. "grab9999.tga"
// (8-bit: colour-mapped through the palette; hi-colour: 24-bit) and prints a bell (0x07). All
// names taken: "Error: too many screen grabs\n"; a file that cannot be written: "Error: Cannot
// save screen grab\n". Nothing is left half-written.
void SaveScreenGrab();
