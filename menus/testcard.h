// menus/testcard.h: the front end while the real one is missing: a test card on the screen until
// Escape.
#pragma once

// Sets the first 640 x 480 mode of 16, 24 or 32 bits (with "-menu256", or when there is none, the
// 8-bit one in the colour cube), draws eight colour bars over thirty-two grey steps with
// "Pelloran" at (8, 8) in the debug font, and a 5 x 5 white cross that the mouse moves from the
// screen centre, kept as the menu pointer is (0 to size - 6). Polls until Escape (key code 1) is
// pressed and restores the mode. Bar i's centre is (40 + 80 i, 160), grey step g's
// (10 + 20 g, 400) at level g x 255 / 31. With sound on, one of the first two
// tunes of the music bank plays on one channel meanwhile, at the menu volume.
void RunFrontEnd();
