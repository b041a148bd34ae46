// menus/testcard.h: the front end while the real one is missing: a test card on the screen until
// Escape.
#pragma once

// Sets the 640 x 480 16-bit mode, draws eight colour bars over thirty-two grey steps, polls until
// the key code 1 (Escape) goes down, and restores the mode. Bar i's centre is (40 + 80 i, 160),
// grey step g's (10 + 20 g, 400) at level g x 255 / 31.
void RunFrontEnd();
