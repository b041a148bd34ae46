// vexamenu/vidopt.h: the video settings at start-up and shutdown: the display cards, the chosen
// card and 3D device, and the display layer brought up on them.
#pragma once

// Enumerates the cards, selects the first with no 3D device and starts the graphics layer. `no3d`
// ("-no3d") forbids a 3D device, which is never chosen yet.
void VideoInit(bool no3d);
// Shutdown: stops the graphics layer.
void Video_StoreDeviceGuids();
bool Video_Has3DDevice();  // whether a 3D device was chosen: never yet
