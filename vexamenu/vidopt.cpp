// vexamenu/vidopt.cpp: the video settings at start-up and shutdown: the display cards, the chosen
// card and 3D device, and the display layer brought up on them.
#include "vexamenu/vidopt.h"

#include "engine/dxdraw.h"
#include "engine/dxenum.h"

void VideoInit(bool)
{
    DXEnumDisplay();
    DXSelectDevice(0, -1);
    DDrawInit(0);
}

void Video_StoreDeviceGuids() { DDrawUninit(); }

bool Video_Has3DDevice() { return false; }
