// engine/mcivideo.h: the video player: a film from the archives played in the main window,
// scaled to fit, to its end.
#pragma once

#include <cstdint>

enum MciVideoMode : int32_t {
    MCIVIDEO_BEST_FIT = 0,  // the largest rectangle of the film's proportions, centred
    MCIVIDEO_ACTUAL_SIZE,   // not supported
};

// Plays the film through the host's media device and waits, one tick between looks, until it
// ends; true when it played to its end. A command that fails prints "Error: " and its name
// ("mci open failed", "mci window hwnd", "mci rect", "mci put", "mci play", "mci status",
// "mci close"), closes what it opened and answers false; a mode other than the best fit prints
// "Error: currently non-USEBESTMODE not supported" and plays nothing.
bool MciVideo_Play(const char* name, int32_t mode);
